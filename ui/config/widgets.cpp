#include "ui/config/widgets.h"

#include <QLineEdit>
#include <QMouseEvent>

namespace dawn {

ArrowSpinBox::ArrowSpinBox(QWidget* parent) : QSpinBox(parent) {
    // The edit part shows the value but takes no keys of its own; the spin box
    // still handles the arrow keys, Page Up and Page Down.
    lineEdit()->setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
}

void ArrowSpinBox::stepBy(int steps) {
    // One step at a time, so that each one runs the change handler and its
    // carries before the next: Page Up from 0°55' gives 1°05', not 1°00'.
    const int direction = steps < 0 ? -1 : 1;
    for (int i = 0; i < steps * direction; ++i) {
        const int before = value();
        QSpinBox::stepBy(direction);
        if (value() == before) break;  // the end of the range
    }
}

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) {}

void ClickLabel::mousePressEvent(QMouseEvent* e) {
    pressed_ = e->button() == Qt::LeftButton;
    QLabel::mousePressEvent(e);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* e) {
    const bool click =
        pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(e);
    if (click) emit clicked();
}

}  // namespace dawn
