#include "ui/picture/picturewindow.h"

#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QImageReader>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include "present/texts.h"
#include "ui/common/qtlocale.h"

namespace dawn {
namespace {

// A JPEG file larger than this is not read into memory.
constexpr qint64 kMaxJpegFileBytes = qint64(256) * 1024 * 1024;

bool IsJpegSuffix(const QString& suffix) {
    return suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg") ||
           suffix == QLatin1String("jpe") || suffix == QLatin1String("jfif");
}

}  // namespace

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureView::SetPicture(QImage picture) {
    picture_ = std::move(picture);
    update();
}

void PictureView::DrawPartial(const QImage& partial) {
    partial_ = &partial;
    repaint();
    partial_ = nullptr;
}

void PictureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QImage& shown = partial_ != nullptr ? *partial_ : picture_;
    if (shown.isNull()) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, partial_ == nullptr);
    painter.drawImage(rect(), shown);
}

PictureWindow::PictureWindow(AppState& state, QWidget* mainWindow, QWidget* parent,
                             MessageBoxes& messages)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      state_(state),
      messages_(messages),
      mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("PictureWindow"));
    setWindowTitle(QStringLiteral("Dawnhelmgraph"));
    setSizeGripEnabled(false);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    ImageView = new PictureView(this);
    ImageView->setObjectName(QStringLiteral("ImageView"));
    layout->addWidget(ImageView, 0, 0);
}

void PictureWindow::SetGraph(QWidget* chart) {
    if (Chart != nullptr) delete Chart;
    Chart = chart;
    if (chart == nullptr) return;
    chart->setObjectName(QStringLiteral("YearChart"));
    static_cast<QGridLayout*>(layout())->addWidget(chart, 0, 0);
    chart->hide();
    chart->raise();
}

bool PictureWindow::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) FormActivate();
    return QDialog::event(e);
}

void PictureWindow::FormActivate() {
    // Progress reports reach ProgressUpdate from every load (LoadPicture), so
    // the first picture's caption shows its progress too.
    if (Chart != nullptr) Chart->hide();
}

QString PictureWindow::PlaceSuffix() const {
    const HemisphereLetters& letters = state_.Current.hemisphere;
    return QStringLiteral(" at ") + Q(LongitudeText(state_.Settings.LongitudeMinutes, letters)) +
           QStringLiteral(" ") + Q(LatitudeText(state_.Settings.LatitudeMinutes, letters));
}

void PictureWindow::ProgressUpdate(ProgressStage stage, int percentDone) {
    if (stage == ProgressStage::Ending || percentDone >= 100) {
        setWindowTitle(ImageTitle + PlaceSuffix());
    } else if (stage == ProgressStage::Running) {
        setWindowTitle(ImageTitle + PlaceSuffix() +
                       QStringLiteral("  (JPEG = %1%)").arg(percentDone));
    }
}

void PictureWindow::LoadPicture(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (!IsJpegSuffix(suffix)) {
        QImage picture;
        if (QImageReader::supportedImageFormats().contains(suffix.toLatin1())) {
            QImageReader reader(fileName, suffix.toLatin1());
            reader.setAutoTransform(true);
            picture =
                reader
                    .read();  // a null picture when rejected: shown empty, as for an unknown format
        }
        ImageView->SetPicture(std::move(picture));
        return;
    }

    QFile file(fileName);
    if (file.size() > kMaxJpegFileBytes) {
        ImageView->Clear();
        messages_.showMessage(
            this, QStringLiteral("The picture file is too large to show:\n%1").arg(fileName));
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        ImageView->Clear();
        messages_.showMessage(
            this, QStringLiteral("Cannot read %1:\n%2").arg(fileName, file.errorString()));
        return;
    }
    const QByteArray data = file.readAll();
    file.close();

    lastDrawnPercent_ = -1;
    JpegDecodeResult result =
        DecodeJpeg(data, [this](ProgressStage stage, int percent, const QImage* partial) {
            ProgressUpdate(stage, percent);
            // While an open window decodes a new picture, it draws what has been
            // decoded every tenth of the way.
            if (partial != nullptr && isVisible() && percent / 10 != lastDrawnPercent_ / 10) {
                lastDrawnPercent_ = percent;
                ImageView->DrawPartial(*partial);
            }
        });
    ImageView->SetPicture(std::move(result.image));
    if (!result.error.isEmpty()) {
        messages_.showMessage(this,
                              QStringLiteral("JPEG error in %1:\n%2").arg(fileName, result.error));
    } else if (!result.warning.isEmpty()) {
        messages_.showMessage(
            this, QStringLiteral("JPEG warning for %1:\n%2").arg(fileName, result.warning));
    }
}

void PictureWindow::SizeAndCentre(bool stretch) {
    QScreen* screen = mainWindow_ != nullptr ? mainWindow_->screen() : nullptr;
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    // The screen's area less its panels and docks, which the window must not
    // slip under.
    const QRect screenRect =
        screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    // The outer size: the whole area, or the main window's size within it.
    QSize outer = stretch || mainWindow_ == nullptr
                      ? screenRect.size()
                      : mainWindow_->frameGeometry().size().boundedTo(screenRect.size());
    // The frame's size is known once the window exists on the screen.
    if (!testAttribute(Qt::WA_WState_Created)) create();
    const QSize frame = frameGeometry().size() - geometry().size();
    resize((outer - frame).expandedTo(QSize(1, 1)));
    QRect placed(QPoint(0, 0), outer);
    placed.moveCenter(screenRect.center());
    move(placed.topLeft());
}

void PictureWindow::ShowImage(const QString& fileName, bool stretch, const QString& caption,
                              std::chrono::minutes eventTime, std::optional<DayNumber> eventDate) {
    if (fileName.isEmpty() || !QFileInfo(fileName).isFile()) {
        messages_.showMessage(this, QStringLiteral("Missing ImageFile"));
        return;
    }
    const DayNumber shown = eventDate.value_or(state_.Day.Date);
    ImageTitle = Q(state_.Locale.DateText(shown)) + QStringLiteral("  ") +
                 Q(state_.Locale.ClockText(eventTime));
    // The picture, not the graph's chart, fills the window.
    if (Chart != nullptr) Chart->hide();
    LoadPicture(fileName);
    ImageView->setToolTip(caption);
    SizeAndCentre(stretch);
    if (isVisible()) {
        raise();
        return;
    }
    exec();
}

}  // namespace dawn
