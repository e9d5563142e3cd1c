#include "ui/common/plaintext.h"

#include <QApplication>
#include <QHelpEvent>
#include <QTextDocument>
#include <QToolTip>
#include <QWidget>

namespace dawn {
namespace {

class PlainToolTipFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip) return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget == nullptr || !Qt::mightBeRichText(widget->toolTip())) return false;
        const auto* help = static_cast<QHelpEvent*>(event);
        QToolTip::showText(help->globalPos(), PlainToolTip(widget->toolTip()), widget, QRect(),
                           widget->toolTipDuration());
        return true;
    }
};

}  // namespace

QString PlainToolTip(const QString& text) {
    if (!Qt::mightBeRichText(text)) return text;
    return Qt::convertFromPlainText(text, Qt::WhiteSpacePre);
}

void InstallPlainToolTips(QApplication& app) {
    app.installEventFilter(new PlainToolTipFilter(&app));
}

}  // namespace dawn
