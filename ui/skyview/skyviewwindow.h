#pragma once
// The sky view window: the sky view of the shown date, and a time slider
// that moves both bodies along their paths, with their places in words
// below it. It only shows the values it is given; the program entry makes
// them (BuildSkyView) when the window opens and when the date or the minute
// changes (Follow).
#include <QWidget>
#include <cstddef>

#include "i18n/labels.h"
#include "present/locale.h"
#include "present/skyview.h"

class QLabel;
class QSlider;

namespace dawn {

class SkyViewWindow : public QWidget {
    Q_OBJECT
public:
    explicit SkyViewWindow(QWidget* parent = nullptr);

    // Shows `view` with the slider on its marked point; the labels and the
    // formats give the slider's words.
    void Load(SkyView view, const CurrentLabels& labels, const LocaleFormats& formats);
    // Shows `view`, made again for a new minute or another date, in the
    // labels and formats of the last Load. On the same date the marks stay
    // where the slider put them, unless they stood at the moment now: then
    // they move on with the clock.
    void Follow(SkyView view);
    std::size_t Marked() const { return view_.marked; }
    QSlider* Slider() const { return slider_; }
    QLabel* MomentLabel() const { return moment_; }

private:
    class Canvas;
    void MoveTo(int point);

    SkyView view_;
    CurrentLabels labels_;
    LocaleFormats formats_;
    Canvas* canvas_ = nullptr;
    QSlider* slider_ = nullptr;
    QLabel* moment_ = nullptr;
};

}  // namespace dawn
