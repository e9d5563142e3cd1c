#include "ui/config/widgets.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRegularExpression>
#include <algorithm>
#include <cstdlib>

namespace dawn {

namespace {

// An optional sign and up to twelve digits: enough for any typing slip, never
// an overflow.
const QRegularExpression& TypedNumber() {
    static const QRegularExpression pattern(QStringLiteral("^\\s*[+-]?\\d{0,12}\\s*$"));
    return pattern;
}

}  // namespace

PairSpinBox::PairSpinBox(QWidget* parent) : QSpinBox(parent) {
    // The value follows the arrows at once, typed text only when committed.
    setKeyboardTracking(false);
    setContextMenuPolicy(Qt::NoContextMenu);
}

QValidator::State PairSpinBox::validate(QString& input, int&) const {
    if (!TypedNumber().match(input).hasMatch()) return QValidator::Invalid;
    bool ok = false;
    input.trimmed().toLongLong(&ok);
    return ok ? QValidator::Acceptable : QValidator::Intermediate;
}

void PairSpinBox::SetSign(bool shown, bool negativeSide) {
    if (shown == signShown_ && negativeSide == negativeSide_) return;
    signShown_ = shown;
    negativeSide_ = negativeSide;
    lineEdit()->setText(textFromValue(value()));
}

QString PairSpinBox::textFromValue(int value) const {
    return QString::number(signShown_ ? value : std::abs(value));
}

long long PairSpinBox::OnSide(const QString& text, long long number) const {
    const QString t = text.trimmed();
    const bool signed_ = t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'));
    return !signShown_ && !signed_ && negativeSide_ ? -number : number;
}

int PairSpinBox::valueFromText(const QString& text) const {
    bool ok = false;
    const long long number = text.trimmed().toLongLong(&ok);
    if (!ok) return value();
    return static_cast<int>(std::clamp<long long>(OnSide(text, number), minimum(), maximum()));
}

bool PairSpinBox::CommitTyped() {
    const QString text = lineEdit()->text().trimmed();
    if (text == textFromValue(value())) return false;
    bool ok = false;
    const long long number = text.toLongLong(&ok);
    // The value shown again first: what the pair makes of the typed number
    // is written over it.
    lineEdit()->setText(textFromValue(value()));
    if (ok) emit typed(OnSide(text, number));
    return true;
}

void PairSpinBox::keyPressEvent(QKeyEvent* e) {
    // Enter after typing commits the value and stays, so that the carried
    // pair can be seen; without typed text it reaches the dialog's default
    // button as usual.
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && CommitTyped()) {
        selectAll();
        e->accept();
        return;
    }
    QSpinBox::keyPressEvent(e);
}

void PairSpinBox::focusOutEvent(QFocusEvent* e) {
    CommitTyped();
    QSpinBox::focusOutEvent(e);
}

void PairSpinBox::stepBy(int steps) {
    CommitTyped();
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
