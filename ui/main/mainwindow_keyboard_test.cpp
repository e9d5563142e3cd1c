// The main window by keyboard: the Tab order, the focus ring, the keys of
// the captions and the panels' menu items; the menus in the chosen language.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "ui/common/testsupport/recording_messages.h"
#include "ui/main/clock.h"
#include "ui/main/mainwindow.h"

namespace dawn {
namespace {

class KeyboardTest : public ::testing::Test {
protected:
    MainWindow& Start() {
        clock_.Set(QDateTime(QDate(2024, 6, 21), QTime(12, 0, 30)));
        form_ = std::make_unique<MainWindow>(
            state_, StartupInputs{dir_.path(), QLocale(QStringLiteral("en_GB")),
                                  std::chrono::year{2024} / 6 / 21, false, &clock_, &messages_});
        state_.Settings.LanguageIndex = 4;
        state_.ApplyLanguage();
        form_->MonthCalendarChange();
        form_->show();
        form_->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form_.get()));
        return *form_;
    }
    // The control of the list that holds the focus (the calendar's table
    // counts as the calendar).
    QWidget* Focused(const QList<QWidget*>& controls) const {
        QWidget* f = QApplication::focusWidget();
        for (QWidget* c : controls)
            if (c == f || c->isAncestorOf(f)) return c;
        return f;
    }

    QTemporaryDir dir_;
    test::RecordingMessages messages_;
    ManualClock clock_;
    AppState state_;
    std::unique_ptr<MainWindow> form_;
};

TEST_F(KeyboardTest, TabVisitsEveryControlInTheWindowsOrder) {
    MainWindow& f = Start();
    const QList<QWidget*> order = {f.YearSpin,         f.MonthSpin,    f.MonthCalendar,
                                   f.lbWeek,           f.lbSummerTime, f.lbWinterTime,
                                   f.lbDaysSummerTime, f.ClockPanel,   f.lbSunrise,
                                   f.lbSunset,         f.lbdaylight,   f.SunGraphThumbnail};
    f.YearSpin->setFocus(Qt::TabFocusReason);
    QList<QWidget*> visited;
    for (int i = 0; i < order.size(); ++i) {
        visited << Focused(order);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(visited, order);
    // The focused calendar and captions carry a ring around them.
    for (QWidget* w :
         {static_cast<QWidget*>(f.MonthCalendar), static_cast<QWidget*>(f.lbSummerTime)}) {
        w->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(f.FocusRing->isVisible());
        const QRect around(w->mapTo(f.ClientArea, QPoint(0, 0)), w->size());
        EXPECT_EQ(f.FocusRing->geometry(), around.adjusted(-2, -2, 2, 2));
    }
    f.YearSpin->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(f.FocusRing->isVisible());
}

// Enter or Space on a panel's caption does what a click does and hands the
// focus to the caption that switches back.
TEST_F(KeyboardTest, CaptionsActOnEnterAndSpace) {
    MainWindow& f = Start();
    f.lbSunrise->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f.lbSunrise, Qt::Key_Return);
    EXPECT_TRUE(f.PnTwilight->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), f.TwilightRows[0][0]);
    QTest::keyClick(f.TwilightRows[0][0], Qt::Key_Space);
    EXPECT_TRUE(f.PnSun->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), f.lbSunrise);

    f.lbdaylight->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f.lbdaylight, Qt::Key_Enter);
    EXPECT_TRUE(f.PnMoon->isVisible());
    EXPECT_TRUE(f.MoonDisc->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), f.lbMoonLight);
    QTest::keyClick(f.lbMoonLight, Qt::Key_Return);
    EXPECT_TRUE(f.PnSun->isVisible());

    // The sunset caption opens the light panel, and its first caption back.
    f.lbSunset->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f.lbSunset, Qt::Key_Return);
    EXPECT_TRUE(f.PnLight->isVisible());
    ASSERT_FALSE(f.LightRows.empty());
    EXPECT_EQ(QApplication::focusWidget(), f.LightRows[0][0]);
    QTest::keyClick(f.LightRows[0][0], Qt::Key_Space);
    EXPECT_TRUE(f.PnSun->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), f.lbSunset);

    // The week column: Enter starts the weeks a day later, Backspace earlier.
    const Qt::DayOfWeek first = f.MonthCalendar->firstDayOfWeek();
    QTest::keyClick(f.lbWeek, Qt::Key_Return);
    EXPECT_NE(f.MonthCalendar->firstDayOfWeek(), first);
    QTest::keyClick(f.lbWeek, Qt::Key_Backspace);
    EXPECT_EQ(f.MonthCalendar->firstDayOfWeek(), first);
}

TEST_F(KeyboardTest, PanelsFromTheMenuAndItsKeys) {
    MainWindow& f = Start();
    EXPECT_EQ(f.SunPanelAction->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_1));
    EXPECT_EQ(f.TwilightPanelAction->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_2));
    EXPECT_EQ(f.LightPanelAction->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_4));
    EXPECT_EQ(f.MoonPanelAction->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_3));
    const struct {
        QAction* action;
        QFrame* panel;
        Body body;
    } steps[] = {{f.MoonPanelAction, f.PnMoon, Body::Moon},
                 {f.TwilightPanelAction, f.PnTwilight, Body::Sun},
                 {f.MoonPanelAction, f.PnMoon, Body::Moon},
                 {f.SunPanelAction, f.PnSun, Body::Sun}};
    for (const auto& s : steps) {
        s.action->trigger();
        for (QFrame* panel : {f.PnSun, f.PnTwilight, f.PnMoon})
            EXPECT_EQ(panel->isVisible(), panel == s.panel) << panel->objectName().toStdString();
        EXPECT_EQ(state_.Panel, s.body);
        EXPECT_EQ(state_.TwilightShown, s.panel == f.PnTwilight);
        EXPECT_EQ(f.MoonDisc->isVisible(), s.panel == f.PnMoon);
    }
    // The keys themselves reach the actions.
    QTest::keyClick(f.MonthCalendar, Qt::Key_3, Qt::ControlModifier);
    EXPECT_TRUE(f.PnMoon->isVisible());
}

// The menus, the clock panel and the hint line take the chosen language's
// labels; the access keys stay marked.
TEST_F(KeyboardTest, MenusAndHintsFollowTheLanguage) {
    MainWindow& f = Start();
    EXPECT_EQ(f.SetUp->title(), QStringLiteral("Set &up"));
    EXPECT_EQ(f.ExitAction->text(), QStringLiteral("E&xit"));
    state_.Settings.LanguageIndex = 2;  // Français
    state_.ApplyLanguage();
    f.ShowDay();
    EXPECT_EQ(f.SetUp->title(), QStringLiteral("&Réglages"));
    EXPECT_EQ(f.ConfigurationAction->text(), QStringLiteral("&Configuration"));
    EXPECT_EQ(f.MoonPanelAction->text(), QStringLiteral("Panneau de la &lune"));
    EXPECT_EQ(f.Shutdown->text(), QStringLiteral("&Fermer Dawnhelm"));
    clock_.Set(QDateTime(QDate(2024, 6, 21), QTime(12, 1, 0)));
    f.ClockTick();
    EXPECT_EQ(f.lbSetupHelp->text(), QStringLiteral("Bouton droit de la souris = réglages"));
    EXPECT_EQ(f.ClockPanel->text(), QStringLiteral("Réglages"));
}

// What a screen reader finds: every control named from the labels, the
// captions without their padding, the times with what they are and their
// change in words, and the decorations out of the way.
TEST_F(KeyboardTest, AccessibleNamesAndDescriptions) {
    MainWindow& f = Start();
    auto name = [](QWidget* w) {
        return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).toStdString();
    };
    auto description = [](QWidget* w) {
        return QAccessible::queryAccessibleInterface(w)
            ->text(QAccessible::Description)
            .toStdString();
    };
    const std::string sunrise = f.lbSunRiseHour->text().trimmed().toStdString();
    const std::string sunset = f.lbSunSetHour->text().trimmed().toStdString();
    const struct {
        QWidget* control;
        std::string name;
        std::string description;  // "*": not checked
    } table[] = {
        {f.YearSpin, "Year", "*"},
        {f.MonthSpin, "Month", "June"},
        {f.lbSunrise, "Sunrise", "*"},
        {f.lbSunRiseHour, "Sunrise " + sunrise, "*"},
        {f.lbSunset, "Sunset", "*"},
        {f.lbSunSetHour, "Sunset " + sunset, "*"},
        {f.lbdaylight, "Daylight", "*"},
        {f.TwilightRows[0][0], "Civil", "*"},
        {f.TwilightRows[1][0], "Nautical", "*"},
        {f.TwilightRows[3][0], "Solar noon", "*"},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.control->objectName().toStdString());
        EXPECT_EQ(name(row.control), row.name);
        if (row.description != "*") {
            EXPECT_EQ(description(row.control), row.description);
        }
    }
    // The change in words, in the direction of the sign: in March the
    // sunrise comes earlier, the sunset later and the day grows longer.
    f.JumpToDate(QDate(2024, 3, 20));
    const struct {
        QLabel* value;
        QLabel* delta;
        const char* words;
    } changes[] = {{f.lbSunRiseHour, f.lbSunRiseDelta, " earlier than the day before"},
                   {f.lbSunSetHour, f.lbSunSetDelta, " later than the day before"},
                   {f.lbDayLightHour, f.lbDayLightDelta, " longer than the day before"}};
    for (const auto& c : changes) {
        EXPECT_EQ(description(c.value), c.delta->text().trimmed().toStdString() + c.words)
            << c.value->objectName().toStdString();
    }
    EXPECT_EQ(name(f.TwilightRows[0][1]).rfind("Civil Dawn ", 0), 0u) << name(f.TwilightRows[0][1]);
    // The moon's disc by its phase and lit part.
    f.MoonPanelAction->trigger();
    EXPECT_EQ(
        name(f.MoonDisc),
        (f.lbMoonPhase->text() + QLatin1Char(' ') + f.lbMoonIlluminated->text()).toStdString());
    EXPECT_NE(description(f.MoonDisc).find("Age"), std::string::npos) << description(f.MoonDisc);
    // Decorations: invisible to assistive technology and without text.
    for (QWidget* w : std::initializer_list<QWidget*>{f.lbSunRiseSign, f.lbSunRiseDelta,
                                                      f.lbSunRiseSymbol, f.lbMoonRiseSymbol}) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        EXPECT_TRUE(a->state().invisible) << w->objectName().toStdString();
        EXPECT_EQ(a->text(QAccessible::Name), QString()) << w->objectName().toStdString();
    }
}

}  // namespace
}  // namespace dawn
