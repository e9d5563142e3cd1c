#pragma once
// Small controls of the configuration dialog.
#include <QLabel>
#include <QSpinBox>

namespace dawn {

// A spin edit that takes no typed text: its value changes only through its
// arrows, the arrow and page keys and the mouse wheel. A value set outside its
// range is clamped to the range, and every change, also one made by the
// program, emits valueChanged.
class ArrowSpinBox : public QSpinBox {
    Q_OBJECT
public:
    explicit ArrowSpinBox(QWidget* parent = nullptr);
    void stepBy(int steps) override;
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
