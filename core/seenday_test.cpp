#include "core/seenday.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

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

}  // namespace
}  // namespace dawn
