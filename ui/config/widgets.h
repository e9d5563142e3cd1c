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

signals:
    void typed(long long value);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    // Hands on the typed text, if any, and shows the value again; false when
    // nothing was typed.
    bool CommitTyped();
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
