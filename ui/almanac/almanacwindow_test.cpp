// The almanac window copies the rows of the year, follows its filter and
// year box, and a click or Enter on an event makes its date the shown one.
#include "ui/almanac/almanacwindow.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QScreen>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

#include "places/zone.h"
#include "present/almanacview.h"
#include "present/appstate.h"
#include "ui/common/qtlocale.h"

namespace dawn {
namespace {

class AlmanacWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        state.AppDir = "/nowhere";
        state.Locale = MakeLocaleFormats(QLocale(QStringLiteral("en_GB")));
        state.Today = DayNumber::FromYmd(2024, 6, 21);
        state.ReferenceYear = 2024;
        state.Settings = DefaultSettings(state.AppDir, 2024);
        // Dallas in its own zone.
        state.Settings.LatitudeMinutes = 1967;
        state.Settings.LongitudeMinutes = -5808;
        state.Settings.TimeZoneMinutes = -360;
        const ZoneOpenResult chicago = OpenZone("America/Chicago");
        ASSERT_TRUE(chicago.zone) << chicago.message;
        state.Settings.Zone = chicago.zone;
        state.Settings.LanguageIndex = 4;
        state.Labels = ParseLabelLines(SplitLines(BuiltInLabelFile())).table;
        state.ApplyLanguage();
        state.ShowDate(DayNumber::FromYmd(2024, 3, 1));
        window = std::make_unique<AlmanacWindow>(state);
    }

    QStringList Column(int column) const {
        QStringList texts;
        for (int i = 0; i < window->EventList->topLevelItemCount(); ++i)
            texts << window->EventList->topLevelItem(i)->text(column);
        return texts;
    }

    AppState state;
    std::unique_ptr<AlmanacWindow> window;
};

TEST_F(AlmanacWindowTest, ShowsTheRowsOfTheShownYearAndFollowsTheFilterAndTheYear) {
    window->ShowYearOfShownDate();
    EXPECT_EQ(window->YearBox->value(), 2024);
    const std::vector<AlmanacRow> rows = AlmanacRowsOf(state, 2024);
    ASSERT_EQ(window->EventList->topLevelItemCount(), static_cast<int>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const QTreeWidgetItem* item = window->EventList->topLevelItem(static_cast<int>(i));
        EXPECT_EQ(item->text(0), Q(rows[i].time));
        EXPECT_EQ(item->text(1), Q(rows[i].text));
    }
    // The list opens at the first event from the shown date on.
    const auto first = std::find_if(rows.begin(), rows.end(), [&](const AlmanacRow& r) {
        return r.date >= DayNumber::FromYmd(2024, 3, 1);
    });
    ASSERT_NE(first, rows.end());
    EXPECT_EQ(window->EventList->currentItem(),
              window->EventList->topLevelItem(static_cast<int>(first - rows.begin())));

    // Only the summer-time changes.
    for (std::size_t i = 0; i < window->KindBoxes.size(); ++i)
        window->KindBoxes[i]->setChecked(i == static_cast<std::size_t>(AlmanacKind::SummerTime));
    EXPECT_EQ(Column(0), QStringList({QStringLiteral("10/03/2024 02:00"),
                                      QStringLiteral("03/11/2024 02:00")}));
    window->YearBox->setValue(2025);
    EXPECT_EQ(Column(0), QStringList({QStringLiteral("09/03/2025 02:00"),
                                      QStringLiteral("02/11/2025 02:00")}));
    window->hide();
}

TEST_F(AlmanacWindowTest, AClickOrEnterOnAnEventShowsItsDate) {
    window->ShowYearOfShownDate();
    QSignalSpy chosen(window.get(), &AlmanacWindow::dateChosen);
    for (std::size_t i = 0; i < window->KindBoxes.size(); ++i)
        window->KindBoxes[i]->setChecked(i == static_cast<std::size_t>(AlmanacKind::SolarEclipse));
    ASSERT_EQ(window->EventList->topLevelItemCount(), 1);
    QTreeWidgetItem* eclipse = window->EventList->topLevelItem(0);
    const QRect where = window->EventList->visualItemRect(eclipse);
    QTest::mouseClick(window->EventList->viewport(), Qt::LeftButton, {}, where.center());
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen[0][0].value<DayNumber>(), DayNumber::FromYmd(2024, 4, 8));
    EXPECT_EQ(state.Shown, DayNumber::FromYmd(2024, 4, 8));

    // Enter on the current event, from the keyboard alone.
    for (QCheckBox* box : window->KindBoxes) box->setChecked(true);
    state.ShowDate(DayNumber::FromYmd(2024, 1, 1));
    window->EventList->setFocus();
    window->EventList->setCurrentItem(window->EventList->topLevelItem(1));
    QTest::keyClick(window->EventList, Qt::Key_Return);
    ASSERT_EQ(chosen.count(), 2);
    EXPECT_EQ(state.Shown, AlmanacRowsOf(state, 2024)[1].date);
    window->hide();
}

// Below the list: the moon at 00:00 of the shown date, then at the instant
// of the event the user moves to; plain text, and told to a screen reader.
TEST_F(AlmanacWindowTest, TheMoonLineFollowsTheShownDateAndTheSelectedEvent) {
    window->ShowYearOfShownDate();
    EXPECT_EQ(window->MoonLine->textFormat(), Qt::PlainText);
    EXPECT_EQ(window->MoonLine->text(),
              Q(MoonSizeTextOfDate(state, DayNumber::FromYmd(2024, 3, 1))));
    EXPECT_TRUE(window->MoonLine->text().startsWith(QStringLiteral("Moon at 01/03/2024 00:00: ")));
    EXPECT_EQ(window->MoonLine->accessibleName(), QStringLiteral("The moon's distance and size"));
    EXPECT_EQ(window->MoonLine->accessibleDescription(), window->MoonLine->text());

    // The list opens at the perigee of 10 March; Down moves to the next event.
    const std::vector<AlmanacRow> rows = AlmanacRowsOf(state, 2024);
    const int current = window->EventList->indexOfTopLevelItem(window->EventList->currentItem());
    ASSERT_GE(current, 0);
    const AlmanacRow& perigee = rows[static_cast<std::size_t>(current)];
    ASSERT_EQ(perigee.text, "Perigee: 356894 km");
    window->EventList->setFocus();
    QTest::keyClick(window->EventList, Qt::Key_Down);
    QTest::keyClick(window->EventList, Qt::Key_Up);
    EXPECT_EQ(window->MoonLine->text(), Q(MoonSizeText(state, perigee.instant)));
    EXPECT_TRUE(
        window->MoonLine->text().startsWith(QStringLiteral("Moon at 10/03/2024 01:03: 356894 km ")))
        << window->MoonLine->text().toStdString();
    EXPECT_EQ(window->MoonLine->accessibleDescription(), window->MoonLine->text());

    // Another year goes back to the shown date's moon.
    window->YearBox->setValue(2025);
    EXPECT_EQ(window->MoonLine->text(),
              Q(MoonSizeTextOfDate(state, DayNumber::FromYmd(2024, 3, 1))));
    window->hide();
}

TEST_F(AlmanacWindowTest, CaptionsAndAccessibleNamesInTheAppliedLanguage) {
    window->ShowYearOfShownDate();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Almanac"));
    EXPECT_EQ(window->KindGroup->title(), QStringLiteral("Show"));
    EXPECT_EQ(window->YearBox->accessibleName(), QStringLiteral("Year"));
    EXPECT_EQ(window->EventList->headerItem()->text(1), QStringLiteral("Event"));
    state.Settings.LanguageIndex = 2;  // Fra
    state.ApplyLanguage();
    window->ShowYearOfShownDate();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Almanach"));
    EXPECT_EQ(window->KindBoxes[static_cast<std::size_t>(AlmanacKind::SolarEclipse)]->text(),
              QStringLiteral("Éclipse de soleil"));
    EXPECT_EQ(window->EventList->headerItem()->text(0), QStringLiteral("Heure"));
    EXPECT_EQ(window->MoonLine->accessibleName(), QStringLiteral("Distance et taille de la Lune"));
    EXPECT_TRUE(window->MoonLine->text().startsWith(QStringLiteral("Lune le 01/03/2024 00:00 : ")));
    window->hide();
}

TEST_F(AlmanacWindowTest, SmallScreenTakesTheWindow) {
    const QSize room = window->screen()->availableGeometry().size() - QSize(16, 48);
    window->ShowYearOfShownDate();
    EXPECT_LE(window->width(), room.width());
    EXPECT_LE(window->height(), room.height());
    window->hide();
}

}  // namespace
}  // namespace dawn
