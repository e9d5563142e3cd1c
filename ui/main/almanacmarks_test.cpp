// The calendar's almanac marks: the dates of the shown month with an event
// carry its hint, and turning the month moves the marks.
#include "ui/main/almanacmarks.h"

#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QLocale>
#include <QTextCharFormat>

#include "places/zone.h"
#include "present/appstate.h"
#include "ui/common/qtlocale.h"

namespace dawn {
namespace {

TEST(AlmanacCalendarMarks, TheShownMonthsEventDatesCarryTheirHints) {
    AppState state;
    state.Locale = MakeLocaleFormats(QLocale(QStringLiteral("en_GB")));
    state.Settings = DefaultSettings("/nowhere", 2024);
    state.Settings.LatitudeMinutes = 1967;  // Dallas
    state.Settings.LongitudeMinutes = -5808;
    state.Settings.TimeZoneMinutes = -360;
    const ZoneOpenResult chicago = OpenZone("America/Chicago");
    ASSERT_TRUE(chicago.zone) << chicago.message;
    state.Settings.Zone = chicago.zone;
    state.Settings.LanguageIndex = 4;
    state.Labels = ParseLabelLines(SplitLines(BuiltInLabelFile())).table;
    state.ApplyLanguage();

    QCalendarWidget calendar;
    calendar.setSelectedDate(QDate(2024, 4, 15));
    AlmanacCalendarMarks marks;
    marks.Show(calendar, state);
    const AlmanacMonthHints april = AlmanacHintsOfMonth(state, std::chrono::year{2024} / 4);
    for (int day = 1; day <= 30; ++day) {
        const QTextCharFormat f = calendar.dateTextFormat(QDate(2024, 4, day));
        EXPECT_EQ(f.toolTip(), Q(april[static_cast<std::size_t>(day - 1)])) << day;
        EXPECT_EQ(f.fontUnderline(), !april[static_cast<std::size_t>(day - 1)].empty()) << day;
    }
    EXPECT_TRUE(calendar.dateTextFormat(QDate(2024, 4, 8))
                    .toolTip()
                    .startsWith(QStringLiteral("13:43 Solar eclipse: total")));

    // Another month: April's marks go, May's come.
    calendar.setSelectedDate(QDate(2024, 5, 15));
    marks.Show(calendar, state);
    EXPECT_TRUE(calendar.dateTextFormat(QDate(2024, 4, 8)).toolTip().isEmpty());
    const AlmanacMonthHints may = AlmanacHintsOfMonth(state, std::chrono::year{2024} / 5);
    for (int day = 1; day <= 31; ++day)
        EXPECT_EQ(calendar.dateTextFormat(QDate(2024, 5, day)).toolTip(),
                  Q(may[static_cast<std::size_t>(day - 1)]))
            << day;
}

}  // namespace
}  // namespace dawn
