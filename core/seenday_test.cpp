#include "core/seenday.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "core/horizonprofile.h"

namespace dawn {
namespace {

using namespace std::chrono;

SeenDay First(const std::function<void(const SeenDayCallback&)>& walk) {
    SeenDay out{};
    walk([&](const SeenDay& d) {
        out = d;
        return false;
    });
    return out;
}

// Each kind of seen event shows on the clock of the settings (Velmoren: an
// hour of summer time in June, none in January) at its standard time, and an
// offset that carries an event past midnight shows on the next date.
TEST(SeenDay, OnTheClockOfTheSettings) {
    SiteSettings settings = DefaultSettings("/nowhere", 2024);
    settings.ObserverHeightMetres = 500;
    const std::vector<HorizonPoint> hills = {{0, 2}, {90, 5}, {180, 1}, {270, 4}};
    const std::vector<UserEvent> own = {
        {"Late", UserEventKind::Offset, 1200, UserEventSide::Both, false, "sunrise"}};
    for (const auto& [ymd, shift] : {std::pair{2024y / 6 / 21, 60min}, {2024y / 1 / 15, 0min}}) {
        SCOPED_TRACE(static_cast<unsigned>(ymd.month()));
        const DayNumber date = DayNumber::FromDate(ymd);
        const Place place = PlaceOf(settings, date);

        const SeenDay high = First(
            [&](const SeenDayCallback& f) { ForEachDayFromHeight(settings, date, date + 10, f); });
        const DayEvents fromHeight = ComputeSunDayFromHeight(ymd, place, 500);
        EXPECT_EQ(high.date, date);
        EXPECT_EQ(high[EventKind::Rise].CrossingClock, *fromHeight.rise.crossing + shift);
        EXPECT_EQ(high[EventKind::Set].CrossingClock, *fromHeight.set.crossing + shift);

        const SeenDay seen = First(
            [&](const SeenDayCallback& f) { ForEachVisibleDay(settings, hills, date, date, f); });
        const VisibleSunDay visible = ComputeVisibleSunDay(ymd, place, hills);
        EXPECT_EQ(seen[EventKind::Rise].CrossingClock, visible.rise.minute + shift);
        EXPECT_EQ(seen[EventKind::Set].CrossingClock, visible.set.minute + shift);
        EXPECT_GT(visible.rise.minute, ComputeSunDay(ymd, place).rise.time);

        // 20 hours after the day before's sunrise.
        const SeenDay late = First(
            [&](const SeenDayCallback& f) { ForEachOwnEventDay(settings, own, 0, date, date, f); });
        const year_month_day before{sys_days{ymd} - days{1}};
        EXPECT_EQ(late[EventKind::Rise].CrossingClock,
                  ComputeSunDay(before, place).rise.time + 1200min - 1440min + shift);
    }
}

// The visible sunrise and sunset an offset counts from are what the observer
// sees: sunrise and sunset with no height and no profile, the rise and set
// from the height with one, and the visible rise and set behind the profile
// when there is one, the height then being left aside.
TEST(SeenDay, VisibleBasesFollowTheSight) {
    SiteSettings settings = DefaultSettings("/nowhere", 2024);
    const std::vector<HorizonPoint> jagged =
        ReadHorizonProfile(std::string(DAWN_SOURCE_DIR) + "/astro/testdata/jagged_horizon.txt")
            .points;
    ASSERT_FALSE(jagged.empty());
    const std::vector<UserEvent> own = {
        {"Up", UserEventKind::Offset, 0, UserEventSide::Both, false, "visible sunrise"},
        {"Down", UserEventKind::Offset, 0, UserEventSide::Both, false, "visible sunset"}};
    const DayNumber from = DayNumber::FromYmd(2024, 1, 1);
    const DayNumber to = DayNumber::FromYmd(2024, 12, 31);
    auto days = [&](const std::function<void(const SeenDayCallback&)>& walk) {
        std::vector<SeenDay> out;
        walk([&](const SeenDay& d) {
            out.push_back(d);
            return true;
        });
        return out;
    };
    SiteSettings high = settings;
    high.ObserverHeightMetres = 100;
    const std::vector<SeenDay> designed =
        days([&](const SeenDayCallback& f) { ForEachDayFromHeight(settings, from, to, f); });
    const std::vector<SeenDay> fromHeight =
        days([&](const SeenDayCallback& f) { ForEachDayFromHeight(high, from, to, f); });
    const std::vector<SeenDay> behind =
        days([&](const SeenDayCallback& f) { ForEachVisibleDay(settings, jagged, from, to, f); });

    const struct {
        const char* what;
        EventSight sight;
        const std::vector<SeenDay>& want;
    } cases[] = {
        {"nothing", {}, designed},
        {"100 m", {100, {}}, fromHeight},
        {"jagged skyline", {100, jagged}, behind},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<SeenDay> up = days([&](const SeenDayCallback& f) {
            ForEachOwnEventDay(settings, own, 0, from, to, f, c.sight);
        });
        const std::vector<SeenDay> down = days([&](const SeenDayCallback& f) {
            ForEachOwnEventDay(settings, own, 1, from, to, f, c.sight);
        });
        ASSERT_EQ(up.size(), c.want.size());
        ASSERT_EQ(down.size(), c.want.size());
        for (std::size_t i = 0; i < c.want.size(); ++i) {
            SCOPED_TRACE(c.want[i].date.Value());
            EXPECT_EQ(up[i][EventKind::Rise].CrossingClock,
                      c.want[i][EventKind::Rise].CrossingClock);
            EXPECT_EQ(down[i][EventKind::Set].CrossingClock,
                      c.want[i][EventKind::Set].CrossingClock);
            EXPECT_FALSE(up[i][EventKind::Set].CrossingClock);
            EXPECT_FALSE(down[i][EventKind::Rise].CrossingClock);
        }
    }
    // The dip of 100 m brings the sunrise forward and holds the sunset back.
    for (std::size_t i = 0; i < designed.size(); i += 30) {
        SCOPED_TRACE(designed[i].date.Value());
        EXPECT_LT(*fromHeight[i][EventKind::Rise].CrossingClock,
                  *designed[i][EventKind::Rise].CrossingClock);
        EXPECT_GT(*fromHeight[i][EventKind::Set].CrossingClock,
                  *designed[i][EventKind::Set].CrossingClock);
    }
}

}  // namespace
}  // namespace dawn
