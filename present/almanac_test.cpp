// The almanac's clock times: a zone's at the very minute, the manual rules'
// by the date, a fixed offset without summer time.
#include "present/almanac.h"

#include <gtest/gtest.h>

#include "places/zone.h"

namespace dawn {
namespace {

using std::chrono::minutes;
using std::chrono::sys_days;
using std::chrono::sys_time;

sys_time<minutes> At(int y, unsigned m, unsigned d, int h, int min) {
    return sys_time<minutes>{sys_days{std::chrono::year{y} / m / d}} + minutes{h * 60 + min};
}

UtInstant Instant(sys_time<minutes> t) {
    return UtInstant{t};
}

TEST(AlmanacClock, ZoneManualRulesAndAFixedOffset) {
    // Velmoren's defaults: UTC+1 with summer time from the last Sunday of
    // March (31 March 2024) to the last of October (27 October).
    SiteSettings manual = DefaultSettings("/app", 2024);
    SiteSettings fixed = manual;
    fixed.SummerTimeEnabled = false;
    SiteSettings zoned = manual;
    const ZoneOpenResult brussels = OpenZone("Europe/Brussels");
    ASSERT_TRUE(brussels.zone) << brussels.message;
    zoned.Zone = brussels.zone;
    struct Case {
        sys_time<minutes> ut;
        sys_time<minutes> manual, fixed, zoned;
    } cases[] = {
        {At(2024, 1, 15, 12, 0), At(2024, 1, 15, 13, 0), At(2024, 1, 15, 13, 0),
         At(2024, 1, 15, 13, 0)},
        {At(2024, 7, 1, 23, 30), At(2024, 7, 2, 1, 30), At(2024, 7, 2, 0, 30),
         At(2024, 7, 2, 1, 30)},
        // Just before the clocks go forward at 01:00 UT: the zone is still
        // in winter time, the manual rules count the whole date as summer.
        {At(2024, 3, 31, 0, 59), At(2024, 3, 31, 2, 59), At(2024, 3, 31, 1, 59),
         At(2024, 3, 31, 1, 59)},
        {At(2024, 3, 31, 1, 0), At(2024, 3, 31, 3, 0), At(2024, 3, 31, 2, 0),
         At(2024, 3, 31, 3, 0)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AlmanacClockOf(manual, Instant(c.ut)), c.manual);
        EXPECT_EQ(AlmanacClockOf(fixed, Instant(c.ut)), c.fixed);
        EXPECT_EQ(AlmanacClockOf(zoned, Instant(c.ut)), c.zoned);
    }
    // Rounded to the nearest minute.
    EXPECT_EQ(AlmanacClockOf(fixed, Instant(At(2024, 1, 15, 12, 0)) + std::chrono::seconds{31}),
              At(2024, 1, 15, 13, 1));
}

TEST(AlmanacOf, ItemsOfTheClocksDatesInOrder) {
    SiteSettings s = DefaultSettings("/app", 2024);
    const ZoneOpenResult brussels = OpenZone("Europe/Brussels");
    ASSERT_TRUE(brussels.zone) << brussels.message;
    s.Zone = brussels.zone;
    const auto items = AlmanacOf(s, sys_days{std::chrono::year{2024} / 3 / 20},
                                 sys_days{std::chrono::year{2024} / 3 / 31});
    // The equinox of 03:06 UT on the 20th (04:06 by the clocks), the apogee
    // of the 23rd, the penumbral lunar eclipse of the 25th and the change to
    // summer time on the 31st (02:00 by the clocks before it).
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].kind, AlmanacKind::Season);
    EXPECT_EQ(items[0].clock, At(2024, 3, 20, 4, 6));
    EXPECT_EQ(items[0].utcOffset, minutes{60});
    EXPECT_EQ(items[1].kind, AlmanacKind::Apsis);
    EXPECT_EQ(items[2].kind, AlmanacKind::LunarEclipse);
    EXPECT_EQ(items[3].kind, AlmanacKind::SummerTime);
    EXPECT_EQ(items[3].clock, At(2024, 3, 31, 2, 0));
    EXPECT_EQ(items[3].utcOffset, minutes{60});
    EXPECT_TRUE(std::get<SummerTimeChange>(items[3].event).starts);
    for (std::size_t i = 1; i < items.size(); ++i)
        EXPECT_LT(items[i - 1].instant, items[i].instant);

    AlmanacKinds onlyEclipses{};
    onlyEclipses[static_cast<std::size_t>(AlmanacKind::LunarEclipse)] = true;
    EXPECT_EQ(AlmanacOf(s, sys_days{std::chrono::year{2024} / 3 / 20},
                        sys_days{std::chrono::year{2024} / 3 / 31}, onlyEclipses)
                  .size(),
              1u);
}

}  // namespace
}  // namespace dawn
