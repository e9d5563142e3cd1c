#pragma once
// PictureWindow, the picture window: shows the sunrise or sunset picture of an alarm
// (or of a preview in the configuration dialog), and holds the year graph's
// chart, which lies over the same area and is hidden whenever the window is
// activated. Created once at start-up, then only shown and hidden.
//
// A JPEG picture decodes through libjpeg (jpegdecoder.h) and reports its
// progress in the window caption; every other format goes through Qt's image
// readers, chosen by the file's extension.
#include <QDialog>
#include <QImage>
#include <QString>
#include <chrono>
#include <optional>

#include "core/daynumber.h"
#include "present/appstate.h"
#include "ui/common/messages.h"
#include "ui/picture/jpegdecoder.h"

namespace dawn {

struct AppState;

// ImageView: draws its picture stretched to its own size (the picture's aspect
// ratio is not kept); empty when there is no picture.
class PictureView : public QWidget {
    Q_OBJECT
public:
    explicit PictureView(QWidget* parent = nullptr);
    const QImage& Picture() const { return picture_; }
    void SetPicture(QImage picture);
    void Clear() { SetPicture(QImage()); }
    // Draws a picture that is still being decoded at once, without keeping it.
    void DrawPartial(const QImage& partial);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
    const QImage* partial_ = nullptr;
};

class PictureWindow : public QDialog {
    Q_OBJECT
public:
    // `state` gives the shown date, the place and the locale formats;
    // `mainWindow` the size of a picture that is not stretched. Both must
    // outlive the window.
    PictureWindow(AppState& state, QWidget* mainWindow, QWidget* parent = nullptr,
                  MessageBoxes& messages = RealMessageBoxes());

    PictureView* ImageView = nullptr;
    // The year graph's chart (null until SetGraph); shown by the graph,
    // hidden by FormActivate.
    QWidget* Chart = nullptr;
    // "<shown date>  <event time>", composed by every ShowImage and read by
    // ProgressUpdate; kept until the next ShowImage.
    QString ImageTitle;

    // Puts the chart in the window, over ImageView, hidden; the window owns it.
    void SetGraph(QWidget* chart);

    // Loads the picture, titles and sizes the window and shows it modally
    // (returning when the user closes it). When the window is already open
    // (an earlier alarm's picture), the new picture replaces the old one and
    // the call returns at once. A missing file shows "Missing ImageFile" and
    // changes nothing else. The title names `eventDate` (the date shown in
    // the main window when not given) and the event time.
    void ShowImage(const QString& fileName, bool stretch, const QString& caption,
                   std::chrono::minutes eventTime,
                   std::optional<DayNumber> eventDate = std::nullopt);

    // Loads a picture file into ImageView: JPEG through libjpeg with progress
    // reports, the other formats by their extension. A picture that cannot
    // be read is cleared; a JPEG that the decoder rejects or finishes with a
    // warning (a truncated file) is reported with the decoder's text.
    void LoadPicture(const QString& fileName);

    // Runs each time the window becomes the active window: hides the chart.
    void FormActivate();
    // The decoder's progress: the caption shows the percentage while it
    // decodes and the plain title when it is done.
    void ProgressUpdate(ProgressStage stage, int percentDone);

protected:
    bool event(QEvent* e) override;

private:
    QString PlaceSuffix() const;
    void SizeAndCentre(bool stretch);

    AppState& state_;
    MessageBoxes& messages_;
    QWidget* mainWindow_;
    int lastDrawnPercent_ = -1;
};

}  // namespace dawn
