#include "ui/main/deferredicons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>

namespace dawn {
namespace {

// The real icon, shared by an engine and its copies, made once.
struct RealIcon {
    QPointer<QStyle> style;
    QStyle::StandardPixmap which;
    QPointer<QWidget> widget;  // only read
    std::optional<QIcon> icon;

    QIcon& Get() {
        if (!icon) icon = style ? style->standardIcon(which, nullptr, widget.data()) : QIcon();
        return *icon;
    }
};

class DeferredIconEngine final : public QIconEngine {
public:
    explicit DeferredIconEngine(std::shared_ptr<RealIcon> real) : real_(std::move(real)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        real_->Get().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return real_->Get().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return real_->Get().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return real_->Get().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return real_->Get().availableSizes(mode, state);
    }
    QString iconName() override { return real_->Get().name(); }
    bool isNull() override { return real_->Get().isNull(); }
    QString key() const override { return QStringLiteral("deferred"); }
    QIconEngine* clone() const override { return new DeferredIconEngine(real_); }

private:
    std::shared_ptr<RealIcon> real_;
};

}  // namespace

DeferredIconStyle::DeferredIconStyle() = default;

QIcon DeferredIconStyle::standardIcon(StandardPixmap which, const QStyleOption* option,
                                      const QWidget* widget) const {
    if (option != nullptr) return QProxyStyle::standardIcon(which, option, widget);
    auto real = std::make_shared<RealIcon>();
    real->style = baseStyle();
    real->which = which;
    real->widget = const_cast<QWidget*>(widget);
    return QIcon(new DeferredIconEngine(std::move(real)));
}

}  // namespace dawn
