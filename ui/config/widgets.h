#pragma once
// Small controls of the configuration dialog.
#include <QLabel>
#include <QSpinBox>

namespace dawn {

// A spin edit of a pair (degrees and minutes, hours and minutes). Its value
// changes through its arrows, the arrow and page keys and the mouse wheel, one
// step at a time; a value set outside its range is clamped to the range, and
// every change, also one made by the program, emits valueChanged. A whole
// number may also be typed, whatever the current range: it is handed on as
// `typed` when it is committed (Enter, or leaving the edit, or an arrow step
// after typing), so that the pair can carry it (75 minutes are one degree and
// 15 minutes), and never clamped by the edit itself.
class PairSpinBox : public QSpinBox {
    Q_OBJECT
public:
    explicit PairSpinBox(QWidget* parent = nullptr);
    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;

    // A pair shows one sign: the hemisphere letter between the parts, or the
    // sign of one part. An edit whose sign is not shown writes its value
    // without it (-33 reads "33" beside an "S"), and a number typed into it
    // without a sign stays on the pair's side (`negativeSide`): "30" typed
    // over 50 S is 30 S. The value itself keeps its sign.
    void SetSign(bool shown, bool negativeSide);
    bool SignShown() const { return signShown_; }

signals:
    void typed(long long value);

protected:
    QString textFromValue(int value) const override;
    int valueFromText(const QString& text) const override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    // Hands on the typed text, if any, and shows the value again; false when
    // nothing was typed.
    bool CommitTyped();
    // A typed number on the pair's side, when it has no sign of its own.
    long long OnSide(const QString& text, long long number) const;

    bool signShown_ = true;
    bool negativeSide_ = false;
};

// A label that reports a click of the left mouse button (press and release
// inside it).
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    bool pressed_ = false;
};

}  // namespace dawn
