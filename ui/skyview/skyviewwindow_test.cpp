// The sky view window: the slider moves the marked point and says where the
// bodies stand then.
#include "ui/skyview/skyviewwindow.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QSlider>

#include "core/settings.h"
#include "ui/common/helpwindow.h"

namespace dawn {
namespace {

TEST(SkyViewWindow, TheSliderMovesBothBodiesAndSaysWhereTheyStand) {
    CurrentLabels labels;
    labels.texts[label::kSkyViewTitle] = "Sky view";
    labels.texts[label::kSkyViewMoment] = "{time}: {sun_altitude} {moon_azimuth}";
    const SkyView view = BuildSkyView(DefaultSettings("/app", 2024), labels,
                                      DayNumber::FromYmd(2024, 6, 21), "21/06/2024", std::nullopt);
    SkyViewWindow window;
    window.Load(view, labels, LocaleFormats{});
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Sky view 21/06/2024"));
    EXPECT_EQ(window.Marked(), view.marked);
    EXPECT_EQ(window.Slider()->maximum() + 1, static_cast<int>(view.sun.points.size()));
    EXPECT_TRUE(window.MomentLabel()->text().startsWith(QStringLiteral("12:00: ")));
    window.Slider()->setValue(6 * 12 + 3);  // 06:15
    EXPECT_EQ(window.Marked(), 75u);
    EXPECT_EQ(window.MomentLabel()->text().toStdString(),
              SkyViewMomentText(view, 75, labels, LocaleFormats{}));
    EXPECT_TRUE(window.MomentLabel()->text().startsWith(QStringLiteral("06:15: ")));
    // F1 opens the manual at its page.
    EXPECT_EQ(HelpPageFor(window.Slider()).fileName(), QStringLiteral("sky.html"));
    // Drawn at its smallest without trouble.
    window.resize(window.minimumSizeHint());
    EXPECT_FALSE(window.grab().isNull());
}

// Following the clock: marks standing at the moment now move on with it; a
// slider the user moved stays; another date starts at its own mark.
TEST(SkyViewWindow, FollowsTheClockUnlessTheSliderWasMoved) {
    CurrentLabels labels;
    labels.texts[label::kSkyViewTitle] = "Sky view";
    labels.texts[label::kSkyViewMoment] = "{time}";
    const SiteSettings s = DefaultSettings("/app", 2024);
    const DayNumber date = DayNumber::FromYmd(2024, 6, 21);
    const auto at = [](int h, int m) {
        using namespace std::chrono;
        return UtInstant{sys_days{year{2024} / 6 / 21}} + minutes{h * 60 + m};
    };
    const auto view = [&](int h, int m) {
        return BuildSkyView(s, labels, date, "21/06/2024", at(h, m));
    };
    SkyViewWindow window;
    window.Load(view(10, 0), labels, LocaleFormats{});
    const std::size_t first = window.Marked();
    window.Follow(view(10, 10));
    EXPECT_EQ(window.Marked(), first + 2);  // on with the clock

    window.Slider()->setValue(30);
    window.Follow(view(10, 20));
    EXPECT_EQ(window.Marked(), 30u);  // where the user put it

    window.Follow(BuildSkyView(s, labels, date + 1, "22/06/2024", std::nullopt));
    EXPECT_TRUE(window.MomentLabel()->text().startsWith(QStringLiteral("12:00")));
}

}  // namespace
}  // namespace dawn
