// The main window driven through its real widgets, offscreen, in a fresh
// working folder.
#include "ui/main/mainwindow.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <map>
#include <memory>
#include <string>

#include "core/textfile.h"
#include "present/dayview.h"
#include "present/lightpanel.h"
#include "ui/common/testsupport/recording_messages.h"
#include "ui/main/clock.h"

namespace dawn {
namespace {

std::chrono::year_month_day Ymd(int y, unsigned m, unsigned d) {
    return std::chrono::year_month_day(std::chrono::year(y), std::chrono::month(m),
                                       std::chrono::day(d));
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    // Starts the window on `today` (English labels, day/month/year dates).
    MainWindow& Start(std::chrono::year_month_day today = Ymd(2024, 6, 21),
                      const QLocale& locale = QLocale(QStringLiteral("en_GB"))) {
        // The clock stands at noon of that day, so the tick agrees with it.
        clock_.Set(
            QDateTime(QDate(int(today.year()), unsigned(today.month()), unsigned(today.day())),
                      QTime(12, 0, 30)));
        form_ = std::make_unique<MainWindow>(
            state_, StartupInputs{dir_.path(), locale, today, false, &clock_, &messages_});
        state_.Settings.LanguageIndex = 4;
        state_.ApplyLanguage();
        form_->MonthCalendarChange();
        return *form_;
    }
    void Show(const QDate& date) { form_->JumpToDate(date); }
    QDate Shown() const { return form_->MonthCalendar->selectedDate(); }
    std::vector<std::string> SettingsFileAfterClose() {
        form_.reset();
        return ReadTextFile((dir_.path() + QStringLiteral("/Dawncode.txt")).toStdString()).lines;
    }

    QTemporaryDir dir_;
    test::RecordingMessages messages_;
    ManualClock clock_;
    AppState state_;
    std::unique_ptr<MainWindow> form_;
};

TEST_F(MainWindowTest, StartsOnTodayInAnEmptyFolderAndSavesNineteenLinesOnClose) {
    MainWindow& form = Start(Ymd(2024, 6, 21));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Dawnhelm 1.1.0.0"));
    EXPECT_FALSE(form.windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_EQ(Shown(), QDate(2024, 6, 21));
    EXPECT_EQ(form.YearSpin->value(), 2024);
    EXPECT_EQ(form.MonthSpin->value(), 6);
    EXPECT_EQ(form.MonthEdit->text(), QStringLiteral(" Jun"));
    EXPECT_EQ(form.MonthEdit->toolTip(), QStringLiteral("June"));
    EXPECT_EQ(state_.ReferenceYear, 2024);
    EXPECT_EQ(state_.AppDir, dir_.path().toStdString());
    EXPECT_EQ(state_.Shown, DayNumber::FromYmd(2024, 6, 21));
    EXPECT_TRUE(form.PnMoon->isHidden());
    EXPECT_FALSE(form.PnSun->isHidden());
    EXPECT_EQ(form.PnMoon->geometry(), form.PnSun->geometry());
    EXPECT_EQ(state_.Day.Date, DayNumber::FromYmd(2024, 6, 21));
    EXPECT_EQ(form.lbLatitude->text(), QStringLiteral("50N47"));
    EXPECT_EQ(form.lbLongitude->text(), QStringLiteral("05E28"));
    EXPECT_TRUE(form.ClockTimer->isSingleShot() == false && form.ClockTimer->interval() == 1000);
    EXPECT_EQ(form.ClockTimer->timerType(), Qt::PreciseTimer);

    const auto lines = SettingsFileAfterClose();
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[12], "328");
    EXPECT_EQ(lines[13], "3047");
    EXPECT_EQ(lines[18], "1");
}

TEST_F(MainWindowTest, LoaderMessagesAreShownOnceAfterTheWindowIsUp) {
    QFile file(dir_.path() + QStringLiteral("/Dawncode.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("0\r\n204\r\nnorth\r\n");
    file.close();
    Start();
    EXPECT_TRUE(messages_.shown.isEmpty());
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    ASSERT_EQ(messages_.shown.size(), 1);
    EXPECT_TRUE(messages_.shown[0].contains(QStringLiteral("north")));
}

// The control that shows a text of the day view: most keys of the view
// (which `dawnhelm-cli view` prints, and so keep their old spelling) are
// the controls' object names; these four are named for what they are.
std::string ControlOfKey(const std::string& key) {
    static const std::map<std::string, std::string> renamed = {
        {"SpinEdit2", "MonthSpin"},
        {"lbStartZomerUur", "lbSummerStartHour"},
        {"lbStartWinterUur", "lbWinterStartHour"},
        {"lbZomerduur", "lbSummerDuration"}};
    const auto it = renamed.find(key);
    return it == renamed.end() ? key : it->second;
}

// Every text of the day view reaches its control: captions and values,
// hints, the colours of the summer-time rows and the captions' font size.
// The rules behind the texts are tested without a window (present/).
TEST_F(MainWindowTest, TheDayViewReachesEveryControl) {
    MainWindow& form = Start(Ymd(2024, 3, 31));
    auto check = [&](const std::string& at) {
        const DayView view = BuildDayView(state_);
        for (const auto& [name, text] : view.Texts()) {
            const std::string control = name.substr(0, name.find('.'));
            const std::string what =
                name.find('.') == std::string::npos ? "" : name.substr(control.size() + 1);
            if (control == "CaptionFontSize" || control == "TrayHint") continue;
            auto* widget = form.findChild<QWidget*>(QString::fromStdString(ControlOfKey(control)));
            ASSERT_NE(widget, nullptr) << control;
            QString shown;
            if (what == "hint") {
                shown = widget->toolTip();
            } else if (what == "colour") {
                const QColor c = widget->palette().color(QPalette::WindowText);
                shown = c == QColor(0, 0, 0) ? QStringLiteral("black") : QStringLiteral("gray");
            } else if (control == "MoonDisc") {
                // A picture, described: its last line names the lit side.
                shown = widget->accessibleDescription().section(QLatin1Char('\n'), -1);
            } else if (auto* label = qobject_cast<QLabel*>(widget)) {
                shown = label->text();
            } else {
                shown = qobject_cast<QLineEdit*>(widget)->text();
            }
            EXPECT_EQ(shown.toStdString(), text) << at << ' ' << name;
        }
        for (QLabel* caption : {form.lbSunrise, form.lbSunset, form.lbdaylight, form.lbCoordinates,
                                form.lbMoonrise, form.lbMoonSet, form.lbMoonLight}) {
            EXPECT_EQ(caption->font().pointSize(), view.captionPointSize)
                << at << ' ' << caption->objectName().toStdString();
        }
        EXPECT_EQ(form.TrayHint.toStdString(), view.trayHint) << at;
    };
    check("first day of summer time");
    Show(QDate(2024, 1, 15));
    check("winter");
    // Polar night, with a status message long enough to shrink the captions.
    state_.Settings.LatitudeMinutes = 78 * 60;
    state_.Settings.LongitudeMinutes = 15 * 60;
    state_.Labels.SetCell(5, 50, std::string(25, 'x'));
    Show(QDate(2023, 12, 15));
    EXPECT_EQ(form.lbdaylight->text(), QString(25, QLatin1Char('x')));
    check("polar night");
    form.lbdaylightClick();
    check("moon panel");
}

// The week numbers stand beside the rows the calendar draws.
TEST_F(MainWindowTest, WeekNumbersStandBesideTheRowsTheCalendarDraws) {
    MainWindow& form = Start(Ymd(2021, 1, 14));
    const auto& labels = form.WeekNumberLabels;
    const QAbstractItemModel* grid = form.MonthCalendar->findChild<QAbstractItemView*>()->model();
    struct Case {
        QDate shown;
        Qt::DayOfWeek firstWeekday;
        int weekOfFirst;  // the number beside the row that holds the first of the month
    };
    const Case cases[] = {
        {QDate(2021, 1, 14), Qt::Monday, 53},
        // The first in the first column: the calendar draws the last week
        // of January above it.
        {QDate(2021, 2, 10), Qt::Monday, 5},
        {QDate(2021, 2, 10), Qt::Sunday, 5},
        {QDate(2024, 1, 10), Qt::Monday, 1},
        // The row of Sunday 1 September holds ISO week 36's Thursday.
        {QDate(2024, 9, 10), Qt::Sunday, 36},
        // The numbers wrap at the turn of the year.
        {QDate(2026, 12, 10), Qt::Monday, 49},
        {QDate(2028, 1, 10), Qt::Monday, 52},
    };
    for (const Case& c : cases) {
        Show(c.shown);
        // The week header turns the first weekday; the numbers follow at once.
        while (form.MonthCalendar->firstDayOfWeek() != c.firstWeekday)
            QTest::mouseClick(form.lbWeek, Qt::LeftButton);
        // Grid row 0 holds the weekday names; the first is in row 1 or 2.
        const int firstRow = grid->data(grid->index(1, 6)).toInt() < 7 ? 1 : 2;
        EXPECT_EQ(labels[firstRow - 1]->text().toInt(), c.weekOfFirst)
            << c.shown.toString(Qt::ISODate).toStdString();
    }
}

TEST_F(MainWindowTest, MonthAndYearArrowsKeepTheDayInsideTheMonth) {
    MainWindow& form = Start();
    struct Case {
        QDate from;
        int yearSteps, monthSteps;
        QDate to;
    };
    const Case cases[] = {
        {QDate(2023, 1, 31), 0, 1, QDate(2023, 2, 28)},
        {QDate(2024, 1, 31), 0, 1, QDate(2024, 2, 29)},
        {QDate(2024, 2, 29), 1, 0, QDate(2025, 2, 28)},
        {QDate(2024, 12, 15), 0, 1, QDate(2025, 1, 15)},
        {QDate(2025, 1, 31), 0, -1, QDate(2024, 12, 31)},
        {QDate(2500, 12, 31), 0, 1, QDate(2500, 12, 31)},
        {QDate(1900, 1, 1), 0, -1, QDate(1900, 1, 1)},
        {QDate(2024, 3, 31), 0, -1, QDate(2024, 2, 29)},
    };
    for (const Case& c : cases) {
        Show(c.from);
        form.YearSpin->stepBy(c.yearSteps);
        form.MonthSpin->stepBy(c.monthSteps);
        const std::string at = c.from.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(Shown(), c.to) << at;
        EXPECT_EQ(form.YearSpin->value(), c.to.year()) << at;
        EXPECT_EQ(form.MonthSpin->value(), c.to.month()) << at;
        EXPECT_EQ(form.MonthEdit->text(),
                  QLatin1Char(' ') + QLocale(QStringLiteral("en_GB"))
                                         .standaloneMonthName(c.to.month(), QLocale::ShortFormat))
            << at;
        EXPECT_EQ(state_.Day.Date,
                  DayNumber::FromYmd(c.to.year(), unsigned(c.to.month()), unsigned(c.to.day())))
            << at;
    }
}

TEST_F(MainWindowTest, PagingTheCalendarKeepsTheDayAndTheSpinEditsFollow) {
    MainWindow& form = Start();
    Show(QDate(2024, 1, 31));
    form.MonthCalendar->showNextMonth();  // the mouse wheel or Page Down
    EXPECT_EQ(Shown(), QDate(2024, 2, 29));
    EXPECT_EQ(form.MonthSpin->value(), 2);
    EXPECT_EQ(form.MonthEdit->text(), QStringLiteral(" Feb"));
    EXPECT_EQ(form.WeekNumberLabels[0]->text(), QStringLiteral("5"));
    form.MonthCalendar->setSelectedDate(
        QDate(2023, 12, 30));  // a grey day of another month clicked
    EXPECT_EQ(form.YearSpin->value(), 2023);
    EXPECT_EQ(form.MonthSpin->value(), 12);
    EXPECT_EQ(state_.Day.Date, DayNumber::FromYmd(2023, 12, 30));
}

TEST_F(MainWindowTest, CaptionClicksJumpToTheShownChangesAndToToday) {
    MainWindow& form = Start(Ymd(2024, 6, 21));
    Show(QDate(2024, 2, 10));
    QTest::mouseClick(form.lbSummerTime, Qt::LeftButton);
    EXPECT_EQ(Shown(), QDate(2023, 10, 29));
    EXPECT_EQ(form.YearSpin->value(), 2023);
    EXPECT_EQ(form.MonthSpin->value(), 10);
    QTest::mouseClick(form.lbWinterTime, Qt::LeftButton);  // from 29 Oct 2023: next summer time
    EXPECT_EQ(Shown(), QDate(2024, 3, 31));
    QTest::mouseClick(form.lbDaysSummerTime, Qt::LeftButton);
    EXPECT_EQ(Shown(), QDate(2024, 6, 21));
    EXPECT_EQ(state_.Day.Date, DayNumber::FromYmd(2024, 6, 21));
}

TEST_F(MainWindowTest, PanelSwitchesShowExactlyOnePanel) {
    MainWindow& form = Start();
    int moonGraphs = 0, sunGraphs = 0;
    QObject::connect(&form, &MainWindow::moonGraphRequested, [&] { ++moonGraphs; });
    QObject::connect(&form, &MainWindow::sunGraphRequested, [&] { ++sunGraphs; });
    for (QLabel* toMoon : {form.lbdaylight, form.lbDayLightHour, form.lbDayLightSymbol}) {
        QTest::mouseClick(toMoon, Qt::LeftButton);
        EXPECT_FALSE(form.PnMoon->isHidden());
        EXPECT_TRUE(form.PnSun->isHidden());
        QTest::mouseClick(form.SunGraphThumbnail, Qt::LeftButton);
        QTest::mouseClick(toMoon == form.lbdaylight ? form.lbMoonLight : form.lbMoonLightSymbol,
                          Qt::LeftButton);
        EXPECT_TRUE(form.PnMoon->isHidden());
        EXPECT_FALSE(form.PnSun->isHidden());
    }
    QTest::mouseClick(form.SunGraphThumbnail, Qt::LeftButton);
    EXPECT_EQ(moonGraphs, 3);
    EXPECT_EQ(sunGraphs, 1);
}

// The twilight panel takes the sun panel's place from the sunrise caption and
// gives it back from any of its captions; the phase shows with the moon panel
// only. Every text comes from the day view.
TEST_F(MainWindowTest, TwilightPanelAndThePhase) {
    MainWindow& form = Start();
    EXPECT_TRUE(form.PnTwilight->isHidden());
    EXPECT_EQ(form.PnTwilight->geometry(), form.PnSun->geometry());
    EXPECT_TRUE(form.lbMoonPhase->isHidden());
    const DayView view = BuildDayView(state_);
    for (std::size_t r = 0; r < form.TwilightRows.size(); ++r) {
        QTest::mouseClick(form.lbSunrise, Qt::LeftButton);
        EXPECT_FALSE(form.PnTwilight->isHidden());
        EXPECT_TRUE(form.PnSun->isHidden());
        EXPECT_EQ(form.TwilightRows[r][0]->text().toStdString(), view.twilight.rows[r].caption);
        EXPECT_EQ(form.TwilightRows[r][1]->text().toStdString(), view.twilight.rows[r].first);
        EXPECT_EQ(form.TwilightRows[r][2]->text().toStdString(), view.twilight.rows[r].second);
        QTest::mouseClick(form.TwilightRows[r][0], Qt::LeftButton);
        EXPECT_TRUE(form.PnTwilight->isHidden());
        EXPECT_FALSE(form.PnSun->isHidden());
    }
    QTest::mouseClick(form.lbdaylight, Qt::LeftButton);
    for (QLabel* phase : {form.MoonDisc, form.lbMoonPhase, form.lbMoonIlluminated})
        EXPECT_FALSE(phase->isHidden());
    EXPECT_EQ(form.lbMoonPhase->text().toStdString(), view.phase.name);
    EXPECT_EQ(form.lbMoonIlluminated->text().toStdString(), view.phase.illuminated);
    EXPECT_EQ(form.lbMoonPhase->toolTip().toStdString(), view.phase.hint);
    EXPECT_FALSE(form.MoonDisc->pixmap().isNull());
    QTest::mouseClick(form.lbMoonLight, Qt::LeftButton);
    EXPECT_TRUE(form.lbMoonPhase->isHidden());
}

// Every text of the twilight panel and of the phase fits its box in each
// language, on a date with the longest phase names.
TEST_F(MainWindowTest, TwilightAndPhaseTextsFitInEveryLanguage) {
    MainWindow& form = Start(Ymd(2024, 3, 28));  // waning gibbous: "Gibbeuse décroissante"
    QTest::mouseClick(form.lbdaylight, Qt::LeftButton);
    for (int language = 0; language < kLanguageCount; ++language) {
        state_.Settings.LanguageIndex = static_cast<std::uint8_t>(language);
        state_.ApplyLanguage();
        form.ShowDay();
        std::vector<QLabel*> labels = {form.lbMoonPhase, form.lbMoonIlluminated};
        for (const auto& row : form.TwilightRows)
            labels.insert(labels.end(), row.begin(), row.end());
        for (QLabel* label : labels) {
            EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width())
                << language << " " << label->objectName().toStdString() << " '"
                << label->text().toStdString() << "'";
            EXPECT_LE(QFontMetrics(label->font()).height(), label->height() + 2)
                << language << " " << label->objectName().toStdString();
        }
    }
}

// The light panel takes the sun panel's place from the sunset caption, the
// menu or Ctrl+4: the four periods, the visible rise and set behind the
// profile and the user's events from the folder's file, each row named for a
// screen reader; a caption click gives the sun panel back. Nothing is cut in
// any language.
TEST_F(MainWindowTest, LightPanelWithAProfileAndOwnEvents) {
    {
        QFile events(dir_.filePath(QStringLiteral("Dawnevents.txt")));
        ASSERT_TRUE(events.open(QIODevice::WriteOnly));
        events.write("Photo;elevation;10;both\nBefore sunset;offset;-30;sunset\n");
    }
    MainWindow& form = Start();
    ASSERT_EQ(state_.OwnEvents.size(), 2u);
    state_.HorizonProfile = {{0, 3}};
    EXPECT_TRUE(form.PnLight->isHidden());
    EXPECT_EQ(form.PnLight->geometry(), form.PnSun->geometry());
    QTest::mouseClick(form.lbSunset, Qt::LeftButton);
    EXPECT_FALSE(form.PnLight->isHidden());
    EXPECT_TRUE(form.PnSun->isHidden());
    const LightPanelView view = ShownLightPanel(state_);
    ASSERT_EQ(view.more.size(), 4u);
    ASSERT_EQ(form.LightRows.size(), 8u);
    std::vector<const LightRowView*> rows;
    for (const LightRowView& row : view.rows) rows.push_back(&row);
    for (const LightRowView& row : view.more) rows.push_back(&row);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(form.LightRows[r][0]->text().toStdString(), rows[r]->caption);
        EXPECT_EQ(form.LightRows[r][1]->text().toStdString(), rows[r]->start);
        EXPECT_EQ(form.LightRows[r][2]->text().toStdString(), rows[r]->end);
        EXPECT_EQ(form.LightRows[r][0]->accessibleName().toStdString(), rows[r]->spoken);
    }
    EXPECT_EQ(form.LightRows[7][0]->accessibleName().toStdString(),
              "Before sunset, Dusk " + view.more[3].end);
    QTest::mouseClick(form.LightRows[6][0], Qt::LeftButton);
    EXPECT_TRUE(form.PnLight->isHidden());
    EXPECT_FALSE(form.PnSun->isHidden());

    form.LightPanelAction->trigger();
    EXPECT_FALSE(form.PnLight->isHidden());
    for (int language = 0; language < kLanguageCount; ++language) {
        state_.Settings.LanguageIndex = static_cast<std::uint8_t>(language);
        state_.ApplyLanguage();
        form.ShowDay();
        for (const auto& row : form.LightRows) {
            for (QLabel* label : row) {
                EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()),
                          label->width())
                    << language << " '" << label->text().toStdString() << "'";
                EXPECT_LE(label->x() + label->width(), form.LightArea->width());
            }
        }
    }
    form.SunPanelAction->trigger();
    EXPECT_TRUE(form.PnLight->isHidden());
}

TEST_F(MainWindowTest, WeekHeaderTurnsTheFirstWeekdayAndTheFileKeepsIt) {
    MainWindow& form = Start();
    state_.Settings.WeekStartDay = 0;
    form.MonthCalendar->setFirstDayOfWeek(Qt::Sunday);
    QTest::mouseClick(form.lbWeek, Qt::RightButton);
    EXPECT_EQ(form.MonthCalendar->firstDayOfWeek(), Qt::Saturday);
    EXPECT_EQ(state_.Settings.WeekStartDay, 6);
    QTest::mouseClick(form.lbWeek, Qt::LeftButton);
    QTest::mouseClick(form.lbWeek, Qt::LeftButton);
    EXPECT_EQ(form.MonthCalendar->firstDayOfWeek(), Qt::Monday);
    QTest::mouseClick(form.lbWeek, Qt::RightButton);
    QTest::mouseClick(form.lbWeek, Qt::RightButton);
    EXPECT_EQ(state_.Settings.WeekStartDay, 6);
    const auto lines = SettingsFileAfterClose();
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[18], "6");
}

TEST_F(MainWindowTest, RightButtonOpensTheConfigurationFromTheListedControlsOnly) {
    MainWindow& form = Start();
    int opened = 0;
    QObject::connect(&form, &MainWindow::configurationRequested, [&] { ++opened; });
    QList<QWidget*> opening = {form.WeekNumberLabels[0],
                               form.WeekNumberLabels[5],
                               form.lbSummerTime,
                               form.lbWinterTime,
                               form.lbDaysSummerTime,
                               form.lbSummerStartHour,
                               form.lbWinterStartHour,
                               form.lbSummerDuration,
                               form.PnSun,
                               form.lbSunRiseHour,
                               form.lbdaylight,
                               form.lbSunSetSymbol,
                               form.YearSpin,
                               form.MonthSpin,
                               form.ClockPanel,
                               form.lbCoordinates,
                               form.lbLatitude,
                               form.lbLongitude,
                               form.lbSetupHelp,
                               form.ClientArea,
                               form.YearSpin->findChild<QLineEdit*>()};
    QList<QWidget*> moonOpening = {form.PnMoon, form.lbMoonriseHour, form.lbMoonLightSymbol,
                                   form.lbMoonSetDelta};
    QList<QWidget*> silent = {form.MonthCalendar, form.MonthEdit, form.lbWeek,
                              form.SunGraphThumbnail, form.lbMoonLight};
    for (QWidget* w : opening) {
        const int before = opened;
        QTest::mouseClick(w, Qt::RightButton);
        EXPECT_EQ(opened, before + 1) << w->objectName().toStdString();
        QTest::mouseClick(w, Qt::MiddleButton);
        EXPECT_EQ(opened, before + 1) << "middle button on " << w->objectName().toStdString();
    }
    form.lbSetupHelp->setEnabled(false);
    QTest::mouseClick(form.lbSetupHelp, Qt::RightButton);
    EXPECT_EQ(opened, opening.size() + 1) << "a greyed help line still opens it";
    form.lbSetupHelp->setEnabled(true);

    form.lbdaylightClick();
    for (QWidget* w : moonOpening) {
        const int before = opened;
        QTest::mouseClick(w, Qt::RightButton);
        EXPECT_EQ(opened, before + 1) << w->objectName().toStdString();
    }
    const int total = opened;
    for (QWidget* w : silent) {
        QTest::mouseClick(w, Qt::RightButton);
        EXPECT_EQ(opened, total) << w->objectName().toStdString();
    }
    QTest::mouseClick(form.MonthCalendar->findChild<QAbstractItemView*>()->viewport(),
                      Qt::RightButton);
    EXPECT_EQ(opened, total) << "calendar grid";
}

TEST_F(MainWindowTest, ConfigurationRouteRedrawsTheDayWhenTheDialogCloses) {
    MainWindow& form = Start();
    bool loweredWhileOpen = false;
    QObject::connect(&form, &MainWindow::configurationRequested, [&] {
        loweredWhileOpen = form.ClockPanel->frameShadow() == QFrame::Sunken;
        state_.Settings.LatitudeMinutes = -2032;  // what the dialog would change
    });
    form.ConfigurationAction->trigger();
    EXPECT_TRUE(loweredWhileOpen);
    EXPECT_EQ(form.lbLatitude->text(), QStringLiteral("33S52"));
    QTest::mouseClick(form.ClockPanel, Qt::LeftButton);
    EXPECT_EQ(form.lbLatitude->text(), QStringLiteral("33S52"));
}

TEST_F(MainWindowTest, FullStopLocaleWritesClockTextsWithAFullStop) {
    MainWindow& form = Start(Ymd(2024, 6, 21), QLocale(QStringLiteral("fi_FI")));
    EXPECT_EQ(state_.Locale.TimeSeparator, ".");
    const QRegularExpression clock(QStringLiteral("^\\d\\d\\.\\d\\d$"));
    for (QLabel* l : {form.lbSunRiseHour, form.lbSunSetHour, form.lbDayLightHour,
                      form.lbSunRiseDelta, form.lbMoonLightHour}) {
        EXPECT_TRUE(clock.match(l->text()).hasMatch())
            << l->objectName().toStdString() << " " << l->text().toStdString();
    }
    EXPECT_EQ(form.lbCoordinates->toolTip(), QStringLiteral("TimeZone = + 01.00"));
}

}  // namespace
}  // namespace dawn
