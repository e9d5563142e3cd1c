#include "ui/main/decorations.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace dawn {
namespace {

const char* const kDecoration = "dawnDecoration";

class DecorationAccessible final : public QAccessibleWidget {
public:
    explicit DecorationAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::NoRole) {}
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.invisible = true;
        s.focusable = false;
        return s;
    }
    QString text(QAccessible::Text) const override { return {}; }
};

QAccessibleInterface* DecorationFactory(const QString&, QObject* object) {
    if (object == nullptr || !object->isWidgetType() || !object->property(kDecoration).toBool())
        return nullptr;
    return new DecorationAccessible(static_cast<QWidget*>(object));
}

}  // namespace

void MarkDecoration(QWidget* widget) {
    static const bool installed = [] {
        QAccessible::installFactory(&DecorationFactory);
        return true;
    }();
    (void)installed;
    widget->setProperty(kDecoration, true);
    // A change of the widget's text made its interface already (Qt makes one
    // for every such event); it is dropped, and the next one asked for is
    // the decoration's.
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget);
    if (made != nullptr && dynamic_cast<DecorationAccessible*>(made) == nullptr)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

}  // namespace dawn
