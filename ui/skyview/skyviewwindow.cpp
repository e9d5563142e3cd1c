#include "ui/skyview/skyviewwindow.h"

#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/skyview/skyviewpainter.h"

namespace dawn {

class SkyViewWindow::Canvas : public QWidget {
public:
    explicit Canvas(const SkyView& view, QWidget* parent) : QWidget(parent), view_(view) {
        setMinimumSize(400, 400);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        PaintSkyView(painter, QRectF(rect()), view_, font());
    }

private:
    const SkyView& view_;
};

SkyViewWindow::SkyViewWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("skyViewWindow"));
    canvas_ = new Canvas(view_, this);
    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setObjectName(QStringLiteral("timeSlider"));
    moment_ = new QLabel(this);
    moment_->setObjectName(QStringLiteral("momentLabel"));
    moment_->setTextFormat(Qt::PlainText);
    moment_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(canvas_, 1);
    layout->addWidget(slider_);
    layout->addWidget(moment_);
    connect(slider_, &QSlider::valueChanged, this, &SkyViewWindow::MoveTo);
}

void SkyViewWindow::Load(SkyView view, const CurrentLabels& labels, const LocaleFormats& formats) {
    view_ = std::move(view);
    labels_ = labels;
    formats_ = formats;
    setWindowTitle(QString::fromStdString(view_.title));
    slider_->setAccessibleName(QString::fromStdString(labels_[label::kSkyViewTitle]));
    const QSignalBlocker quiet(slider_);
    slider_->setRange(0, static_cast<int>(std::max<std::size_t>(view_.sun.points.size(), 1) - 1));
    slider_->setPageStep(12);  // an hour
    slider_->setValue(static_cast<int>(view_.marked));
    MoveTo(slider_->value());
}

void SkyViewWindow::Follow(SkyView view) {
    const bool sameDate =
        view.title == view_.title && view.sun.points.size() == view_.sun.points.size();
    const bool atNow = view_.now && view_.marked == *view_.now;
    if (sameDate && !atNow) view.marked = view_.marked;
    Load(std::move(view), labels_, formats_);
}

void SkyViewWindow::MoveTo(int point) {
    view_.marked = static_cast<std::size_t>(std::max(point, 0));
    moment_->setText(
        QString::fromStdString(SkyViewMomentText(view_, view_.marked, labels_, formats_)));
    canvas_->update();
}

}  // namespace dawn
