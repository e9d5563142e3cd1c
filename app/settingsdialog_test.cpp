#include "ui/config/settingsdialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <random>

#include "core/calendar.h"
#include "core/textfile.h"
#include "core/userevents.h"
#include "present/appstate.h"
#include "present/eclipsealarm.h"
#include "present/settingsform.h"
#include "ui/common/testsupport/recording_messages.h"
#include "ui/config/filechooser.h"
#include "ui/config/radiogroup.h"
#include "ui/config/widgets.h"
#include "ui/main/startup.h"

namespace dawn {
namespace {

// Answers the file choosers as told and records what they were asked.
class RecordingChoosers final : public FileChoosers {
public:
    std::optional<QString> openFile(QWidget*, const FileRequest& request) override {
        asked.push_back(request);
        return answer;
    }
    std::vector<FileRequest> asked;
    std::optional<QString> answer;
};

class AboutBoxTest : public ::testing::Test {
protected:
    // Loads the program's state from an empty folder on 21 June 2024 (so the
    // defaults apply), lets `adjust` change the settings, then builds the
    // dialog as the start-up does.
    void Build(const std::function<void(SiteSettings&)>& adjust = {}, int year = 2024) {
        StartupInputs inputs{dir.path(), QLocale(QLocale::English, QLocale::UnitedKingdom),
                             std::chrono::year(year) / std::chrono::June / 21};
        LoadAppState(state, inputs);
        if (adjust) adjust(state.Settings);
        state.ShowDate(state.Today);
        box = std::make_unique<SettingsDialog>(state, nullptr, messages, choosers);
    }
    QString Label(int n) const { return QString::fromStdString(state.Label(n)); }
    int Latitude() const {
        return box->LatitudeDegreesSpin->value() * 60 + box->LatitudeMinutesSpin->value();
    }

    QTemporaryDir dir;
    AppState state;
    test::RecordingMessages messages;
    RecordingChoosers choosers;
    std::unique_ptr<SettingsDialog> box;
};

TEST_F(AboutBoxTest, CreationShowsTheStoredPlaceAndTimeZone) {
    struct Case {
        int latitude, longitude, zone;
        int latG, latM, lonG, lonM, zoneH, zoneM;
    };
    const Case cases[] = {
        {3047, 328, 60, 50, 47, 5, 28, 1, 0},
        {-3047, -7345, -210, -50, -47, -122, -25, -3, -30},
        {-30, 59, -1, 0, -30, 0, 59, 0, -1},
        // A hand-edited file beyond the limits is brought within them.
        {100000, -20000, 5000, 90, 0, -180, 0, 23, 59},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.latitude);
        Build([&](SiteSettings& s) {
            s.LatitudeMinutes = c.latitude;
            s.LongitudeMinutes = c.longitude;
            s.TimeZoneMinutes = c.zone;
        });
        EXPECT_EQ(box->LatitudeDegreesSpin->value(), c.latG);
        EXPECT_EQ(box->LatitudeMinutesSpin->value(), c.latM);
        EXPECT_EQ(box->LongitudeDegreesSpin->value(), c.lonG);
        EXPECT_EQ(box->LongitudeMinutesSpin->value(), c.lonM);
        EXPECT_EQ(box->TimeZoneHoursSpin->value(), c.zoneH);
        EXPECT_EQ(box->TimeZoneMinutesSpin->value(), c.zoneM);
        EXPECT_EQ(state.Settings.LatitudeMinutes, c.latG * 60 + c.latM);
        EXPECT_EQ(state.Settings.TimeZoneMinutes, c.zoneH * 60 + c.zoneM);
        EXPECT_EQ(state.Settings.TimeZoneHours, c.zoneH);
    }
}

TEST_F(AboutBoxTest, LatitudeStepsAtTheNorthPoleAndAcrossTheEquator) {
    Build([](SiteSettings& s) { s.LatitudeMinutes = 89 * 60 + 59; });
    box->LatitudeMinutesSpin->stepUp();
    EXPECT_EQ(box->LatitudeDegreesSpin->value(), 90);
    EXPECT_EQ(box->LatitudeMinutesSpin->value(), 0);
    box->LatitudeMinutesSpin->stepUp();
    box->LatitudeDegreesSpin->stepUp();
    EXPECT_EQ(Latitude(), 5400);
    box->LatitudeDegreesSpin->stepDown();
    EXPECT_EQ(Latitude(), 89 * 60);
    EXPECT_EQ(state.Settings.LatitudeMinutes, 89 * 60);

    // Down to the equator and one minute beyond it.
    box->LatitudeDegreesSpin->setValue(0);
    EXPECT_EQ(Latitude(), 0);
    EXPECT_EQ(box->lbLatitudeSeparator->text(),
              QString::fromStdString(state.Current.hemisphere.north));
    box->LatitudeMinutesSpin->stepDown();
    EXPECT_EQ(box->LatitudeDegreesSpin->value(), 0);
    EXPECT_EQ(box->LatitudeMinutesSpin->value(), -1);
    EXPECT_EQ(state.Settings.LatitudeMinutes, -1);
    EXPECT_EQ(PairTotal(box->Form().Pair(PairKind::Latitude).pair), -1);
    EXPECT_EQ(box->lbLatitudeSeparator->text(),
              QString::fromStdString(state.Current.hemisphere.south));
    EXPECT_EQ(box->lbLatitudeSeparator->toolTip(), Label(18));
    EXPECT_EQ(box->LatitudeBox->title(), Label(20));
}

// A pair shows one sign: the hemisphere letter alone for a place, the sign
// of the hours (or of the minutes beside 0 hours) for a zone. A number typed
// without a sign stays on the shown side.
TEST_F(AboutBoxTest, EachPairShowsOneSignOrOneLetter) {
    struct Case {
        const char* name;
        int latitude, longitude, zone;
        const char* shown;  // latitude, longitude, zone: whole, separator, minutes
    };
    const Case cases[] = {
        {"Sydney", -(33 * 60 + 52), 151 * 60 + 12, 600, "33 S 52|151 E 12|10 : 0"},
        {"Quito", -13, -(78 * 60 + 30), -300, "0 S 13|78 W 30|-5 : 0"},
        {"St. John's", 47 * 60 + 34, -(52 * 60 + 43), -(3 * 60 + 30), "47 N 34|52 W 43|-3 : 30"},
        {"half an hour west", 0, 0, -30, "0 N 0|0 E 0|0 : -30"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Build([&](SiteSettings& s) {
            s.LatitudeMinutes = c.latitude;
            s.LongitudeMinutes = c.longitude;
            s.TimeZoneMinutes = c.zone;
            s.TimeZoneHours = c.zone / 60;
        });
        QStringList shown;
        for (auto [whole, separator, minutes] :
             {std::tuple{box->LatitudeDegreesSpin, box->lbLatitudeSeparator,
                         box->LatitudeMinutesSpin},
              std::tuple{box->LongitudeDegreesSpin, box->lbLongitudeSeparator,
                         box->LongitudeMinutesSpin},
              std::tuple{box->TimeZoneHoursSpin, box->lbTimeZoneSeparator,
                         box->TimeZoneMinutesSpin}}) {
            shown << whole->text() + QLatin1Char(' ') + separator->text() + QLatin1Char(' ') +
                         minutes->text();
        }
        EXPECT_EQ(shown.join(QLatin1Char('|')).toStdString(), c.shown);
    }

    // 30 degrees typed over 33 S stay south; "+30" crosses to the north.
    Build([](SiteSettings& s) { s.LatitudeMinutes = -(33 * 60 + 52); });
    for (auto [typed, expected] :
         {std::pair{"30", -(30 * 60 + 52)}, std::pair{"+30", 30 * 60 + 52}}) {
        box->LatitudeDegreesSpin->setFocus();
        box->LatitudeDegreesSpin->findChild<QLineEdit*>()->selectAll();
        QTest::keyClicks(box->LatitudeDegreesSpin, QString::fromLatin1(typed));
        QTest::keyClick(box->LatitudeDegreesSpin, Qt::Key_Return);
        EXPECT_EQ(state.Settings.LatitudeMinutes, expected) << typed;
    }
}

TEST_F(AboutBoxTest, TimeZoneStepsBelowZeroAndStopsAt2359) {
    Build([](SiteSettings& s) { s.TimeZoneMinutes = 0; });
    box->TimeZoneMinutesSpin->stepDown();
    EXPECT_EQ(box->TimeZoneHoursSpin->value(), 0);
    EXPECT_EQ(box->TimeZoneMinutesSpin->value(), -1);
    EXPECT_EQ(box->lbTimeZoneSeparator->text(), QStringLiteral(":"));
    EXPECT_EQ(box->TimeZoneMinutesSpin->text(), QStringLiteral("-1"));
    EXPECT_EQ(box->lbTimeZoneSeparator->toolTip(), Label(42));
    EXPECT_EQ(state.Settings.TimeZoneMinutes, -1);

    box->TimeZoneHoursSpin->setValue(23);
    box->TimeZoneMinutesSpin->setValue(59);
    box->TimeZoneMinutesSpin->stepUp();
    box->TimeZoneHoursSpin->stepUp();
    EXPECT_EQ(state.Settings.TimeZoneMinutes, 23 * 60 + 59);
    EXPECT_EQ(state.Settings.TimeZoneHours, 23);
    EXPECT_EQ(box->lbTimeZoneSeparator->toolTip(), Label(41));
}

TEST_F(AboutBoxTest, SpinEditsTakeArrowsAndTypedValuesWithTheirCarries) {
    Build();
    box->show();
    QTest::keyClick(box->LatitudeDegreesSpin, Qt::Key_Up);
    EXPECT_EQ(state.Settings.LatitudeMinutes, 51 * 60 + 47);
    // A page step is ten single steps, each with its carry.
    box->LatitudeMinutesSpin->setValue(55);
    QTest::keyClick(box->LatitudeMinutesSpin, Qt::Key_PageUp);
    EXPECT_EQ(state.Settings.LatitudeMinutes, 52 * 60 + 5);

    auto type = [](QSpinBox* spin, const char* text) {
        spin->selectAll();
        QTest::keyClicks(spin, QString::fromLatin1(text));
    };
    // Typed minutes count once committed with Enter, carried into degrees;
    // the dialog stays open to show them.
    type(box->LatitudeMinutesSpin, "75");
    EXPECT_EQ(state.Settings.LatitudeMinutes, 52 * 60 + 5);
    QTest::keyClick(box->LatitudeMinutesSpin, Qt::Key_Return);
    EXPECT_EQ(box->LatitudeDegreesSpin->value(), 53);
    EXPECT_EQ(box->LatitudeMinutesSpin->value(), 15);
    EXPECT_EQ(state.Settings.LatitudeMinutes, 53 * 60 + 15);
    EXPECT_TRUE(box->isVisible());

    // Leaving the edit commits too: western degrees keep the minutes, on
    // their side.
    type(box->LongitudeDegreesSpin, "-122");
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(box->LongitudeDegreesSpin, &leave);
    EXPECT_EQ(box->LongitudeDegreesSpin->value(), -122);
    EXPECT_EQ(box->LongitudeMinutesSpin->value(), -28);
    EXPECT_EQ(state.Settings.LongitudeMinutes, -(122 * 60 + 28));

    // Letters are not taken, a value beyond the limit stops at it, and an
    // arrow step after typing first commits what was typed.
    type(box->TimeZoneMinutesSpin, "x90");
    QTest::keyClick(box->TimeZoneMinutesSpin, Qt::Key_Return);
    EXPECT_EQ(state.Settings.TimeZoneMinutes, 2 * 60 + 30);
    type(box->LatitudeDegreesSpin, "95");
    QTest::keyClick(box->LatitudeDegreesSpin, Qt::Key_Down);
    EXPECT_EQ(state.Settings.LatitudeMinutes, 89 * 60);
}

TEST_F(AboutBoxTest, PlaceDefaultsAskFirst) {
    Build([](SiteSettings& s) {
        s.LatitudeMinutes = -(33 * 60 + 52);
        s.TimeZoneMinutes = -210;
    });
    messages.reply = false;
    box->LatitudeBoxDblClick();
    EXPECT_EQ(state.Settings.LatitudeMinutes, -(33 * 60 + 52));
    ASSERT_EQ(messages.asked, QStringList{QStringLiteral("50n47 (Velmoren)")});

    messages.reply = true;
    QTest::mouseDClick(box->LatitudeBox, Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_EQ(box->LatitudeDegreesSpin->value(), 50);
    EXPECT_EQ(box->LatitudeMinutesSpin->value(), 47);
    EXPECT_EQ(state.Settings.LatitudeMinutes, 3047);
    box->TimezoneBoxDblClick();
    box->LongitudeBoxDblClick();
    EXPECT_EQ(state.Settings.TimeZoneMinutes, 60);
    EXPECT_EQ(state.Settings.LongitudeMinutes, 328);
    EXPECT_EQ(messages.asked.mid(1),
              (QStringList{QStringLiteral("50n47 (Velmoren)"), QStringLiteral("+1h00 (Velmoren)"),
                           QStringLiteral("5e28 (Velmoren)")}));
}

TEST_F(AboutBoxTest, SouthernLatitudeSwapsTheRuleGroups) {
    Build();
    EXPECT_TRUE(box->SummerGroupOnTop());
    EXPECT_EQ(box->SummerTime->toolTip(), QStringLiteral("SummerTime Northern Hemisphere"));
    EXPECT_EQ(box->SummerTime->title(), Label(32) + QStringLiteral(" 31/03/2024"));

    box->LatitudeDegreesSpin->setValue(-34);
    EXPECT_FALSE(box->SummerGroupOnTop());
    EXPECT_EQ(box->SummerTime->toolTip(), QStringLiteral("SummerTime Southern Hemisphere"));
    EXPECT_EQ(box->WinterTime->toolTip(), QStringLiteral("WinterTime Southern Hemisphere"));
    // The rules' months, not the latitude, decide when summer time runs:
    // European rules keep their summer from March to October, never one that
    // lasts two years.
    EXPECT_EQ(box->SummerTime->title(), Label(32) + QStringLiteral(" 31/03/2024"));
    EXPECT_EQ(box->WinterTime->title(), Label(33) + QStringLiteral(" 27/10/2024"));

    box->LatitudeDegreesSpin->setValue(10);
    EXPECT_TRUE(box->SummerGroupOnTop());
}

TEST_F(AboutBoxTest, FifthSundayFollowsTheReferenceYear) {
    ASSERT_EQ(CountWeekdayInMonth(3, 2023, 1), 4);
    ASSERT_EQ(CountWeekdayInMonth(3, 2024, 1), 5);

    // Created in a year whose March has four Sundays: "5" goes and "4",
    // the last Sunday, shows; the stored rule is left as it is.
    Build([](SiteSettings& s) { s.SummerRule = 204; }, 2023);
    EXPECT_EQ(box->SummerWeekends->count(), 4);
    EXPECT_EQ(box->SummerWeekends->itemIndex(), 3);
    EXPECT_EQ(state.Settings.SummerRule, 204);
    EXPECT_EQ(state.Day.Clocks.window.SummerStart, DayNumber::FromYmd(2023, 3, 26));

    // Created in 2024 with the fifth Sunday; the user browses to 2023 and
    // opens the dialog: "4" shows, the rule keeps its fifth Sunday, which
    // is the last one.
    Build([](SiteSettings& s) { s.SummerRule = 204; }, 2024);
    EXPECT_EQ(box->SummerWeekends->count(), 5);
    EXPECT_EQ(box->SummerWeekends->itemIndex(), 4);
    state.ReferenceYear = 2023;
    box->FormActivate();
    EXPECT_EQ(box->SummerWeekends->count(), 4);
    EXPECT_EQ(box->SummerWeekends->itemIndex(), 3);
    EXPECT_EQ(state.Settings.SummerRule, 204);
    // And back in a year with five: "5" returns, selected.
    state.ReferenceYear = 2024;
    box->FormActivate();
    EXPECT_EQ(box->SummerWeekends->count(), 5);
    EXPECT_EQ(box->SummerWeekends->itemIndex(), 4);
    EXPECT_EQ(state.Settings.SummerRule, 204);
}

TEST_F(AboutBoxTest, OddStoredRulesAreBroughtWithinTheItems) {
    struct Case {
        std::int32_t rule;
        int month, weekend;
        std::int32_t stored;
    };
    // October 2024 has four Sundays: a stored fifth shows as "4", both the last.
    const Case cases[] = {{1599, 11, 4, 1104}, {-5, 0, 0, 0}, {999, 9, 3, 904}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        Build([&](SiteSettings& s) { s.WinterRule = c.rule; });
        EXPECT_EQ(box->WinterMonth->itemIndex(), c.month);
        EXPECT_EQ(box->WinterWeekends->itemIndex(), c.weekend);
        EXPECT_EQ(state.Settings.WinterRule, c.stored);
    }
}

TEST_F(AboutBoxTest, RuleClicksStoreTheRule) {
    Build();
    // First Sunday of April.
    box->SummerMonth->button(3)->click();
    box->SummerWeekends->button(0)->click();
    EXPECT_EQ(state.Settings.SummerRule, 300);
    EXPECT_EQ(box->SummerTime->title(), Label(32) + QStringLiteral(" 07/04/2024"));
    EXPECT_EQ(box->SummerMonth->toolTip(), Label(22) + QLatin1Char(' ') + Label(32));
    EXPECT_EQ(box->SummerWeekends->toolTip(), Label(8) + QLatin1Char(' ') + Label(32));
    // Winter: second Sunday of November.
    box->WinterMonth->setItemIndex(10);
    box->WinterWeekends->setItemIndex(1);
    EXPECT_EQ(state.Settings.WinterRule, 1001);
    EXPECT_EQ(box->WinterTime->title(), Label(33) + QStringLiteral(" 10/11/2024"));
}

TEST_F(AboutBoxTest, SummerTimeOffDisablesTheRules) {
    Build();
    box->SaisonCheckBox->click();
    EXPECT_FALSE(state.Settings.SummerTimeEnabled);
    for (RadioGroup* g :
         {box->SummerMonth, box->SummerWeekends, box->WinterMonth, box->WinterWeekends})
        EXPECT_FALSE(g->isEnabled());
    EXPECT_EQ(box->SummerTime->title(), Label(32) + QStringLiteral(" 01/01/2024"));
    EXPECT_EQ(box->WinterTime->title(), Label(33) + QStringLiteral(" 31/12/2024"));
    EXPECT_TRUE(box->btnSummerStartDay->isEnabled());
    box->btnSummerStartDayMouseDown(Qt::LeftButton);
    EXPECT_EQ(state.Settings.SummerWeekday, 2);
    box->SaisonCheckBox->click();
    EXPECT_TRUE(box->SummerMonth->isEnabled());
}

TEST_F(AboutBoxTest, WeekdayButtonsCycleWithBothMouseButtons) {
    Build();
    ASSERT_EQ(box->btnSummerStartDay->text(), Label(1));
    QTest::mousePress(box->btnSummerStartDay, Qt::RightButton);
    EXPECT_EQ(box->btnSummerStartDay->text(), Label(7));
    EXPECT_EQ(state.Settings.SummerWeekday, 7);
    // The last Saturday of March 2024 is the 30th.
    EXPECT_EQ(box->SummerTime->title(), Label(32) + QStringLiteral(" 30/03/2024"));
    QTest::mousePress(box->btnSummerStartDay, Qt::LeftButton);
    EXPECT_EQ(box->btnSummerStartDay->text(), Label(1));
    EXPECT_EQ(state.Settings.SummerWeekday, 1);
    QTest::mousePress(box->btnWinterStartDay, Qt::LeftButton);
    EXPECT_EQ(state.Settings.WinterWeekday, 2);
    EXPECT_EQ(box->btnWinterStartDay->text(), Label(2));
    QTest::mousePress(box->btnWinterStartDay, Qt::MiddleButton);
    EXPECT_EQ(state.Settings.WinterWeekday, 2);
}

TEST_F(AboutBoxTest, ChoosingALanguageLabelsTheDialog) {
    Build();
    EXPECT_EQ(
        box->LanguageBox->toolTip(),
        QStringLiteral("Weekdays and Monthnames\nare fetched from\nthe windows local setting"));
    box->LanguageBox->button(5)->click();
    EXPECT_EQ(state.Settings.LanguageIndex, 5);
    EXPECT_EQ(state.Current.languageIndex, 5);
    EXPECT_EQ(
        box->LanguageBox->toolTip(),
        QStringLiteral("Language = Italiano\ndouble clic to translator\nWeekdays and Monthnames\n"
                       "are fetched from\nthe windows local setting"));
    const QString italianZone = QString::fromStdString(state.Labels.Label(5, 26));
    ASSERT_FALSE(italianZone.isEmpty());
    EXPECT_EQ(box->TimezoneBox->title(), italianZone);
    EXPECT_EQ(box->btnSummerStartDay->text(), QString::fromStdString(state.Labels.Label(5, 1)));
    EXPECT_EQ(box->SoundCheckFileName->text(), QString::fromStdString(state.Labels.Label(5, 30)));
    EXPECT_EQ(box->lbVersion->text(), QStringLiteral("1.1.0.0"));
}

// The texts beside the designed captions follow the language too: in French
// nothing of the dialog stays English.
TEST_F(AboutBoxTest, FrenchLabelsTheWholeDialog) {
    Build();
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Configuration"));
    EXPECT_EQ(box->FileGroupBox->title(), QStringLiteral("Media"));
    box->LanguageBox->button(2)->click();
    const struct {
        QString shown;
        const char* expected;
    } texts[] = {
        {box->windowTitle(), "Configuration"},
        {box->LanguageBox->title(), "Langue"},
        {box->PlaceBox->title(), "Lieu"},
        {box->PlaceSearchEdit->placeholderText(), "Tapez le nom d'une ville"},
        {box->gbEphemeride->title(), "Éphéméride"},
        {box->SaisonCheckBox->text(), "Heure d'été"},
        {box->lbMakers->text(), "Les auteurs de Dawnhelm"},
        {box->lbHomePage->text(), "site web : https://dawnhelm.example.org/"},
        {box->FileGroupBox->title(), "Médias"},
    };
    for (const auto& t : texts) EXPECT_EQ(t.shown.toStdString(), t.expected);
}

// At double scale a 1920 x 1080 screen gives the dialog 960 x 540 of its own
// pixels: it fits, OK and the media button stay in view, and the panels
// scroll.
TEST_F(AboutBoxTest, SmallScreenTakesTheDialogAndItsPanelsScroll) {
    Build();
    box->show();
    const QSize room = box->screen()->availableGeometry().size();
    EXPECT_LE(box->width(), room.width());
    EXPECT_LE(box->height(), room.height());
    EXPECT_LE(box->minimumSizeHint().width(), 960 - 16);
    EXPECT_LE(box->minimumSizeHint().height(), 540 - 48);
    box->resize(box->minimumSizeHint().expandedTo(QSize(600, 400)));
    QApplication::processEvents();
    for (QWidget* w : std::initializer_list<QWidget*>{box->OKButton, box->MediaFiles}) {
        const QRect at(w->mapTo(box.get(), QPoint(0, 0)), w->size());
        EXPECT_TRUE(box->rect().contains(at)) << w->objectName().toStdString();
    }
    EXPECT_GT(box->PanelScroll->verticalScrollBar()->maximum(), 0);
    box->hide();
}

TEST_F(AboutBoxTest, ChecksStoreTheirFlags) {
    Build();
    box->ClockCheckBox->click();
    box->CheckNewYear->click();
    box->SoundCheckFileName->click();
    box->ImageSunSetStretch->click();
    EXPECT_TRUE(state.Settings.ShowClock);
    EXPECT_TRUE(state.Settings.FirstWeekNewYear);
    EXPECT_FALSE(state.Settings.AlarmSoundEnabled);
    EXPECT_FALSE(state.Settings.SunSetImageStretch);
    EXPECT_TRUE(state.Settings.SunRiseImageStretch);
    EXPECT_EQ(box->CheckNewYear->text(), Label(25));
    EXPECT_EQ(box->GroupTime->title(), Label(35));
}

TEST_F(AboutBoxTest, MediaButtonSwitchesPanels) {
    Build();
    EXPECT_FALSE(box->PanelConfig->isHidden());
    EXPECT_TRUE(box->PanelFiles->isHidden());
    box->MediaFilesClick();
    EXPECT_TRUE(box->PanelConfig->isHidden());
    EXPECT_FALSE(box->PanelFiles->isHidden());
    EXPECT_EQ(box->MediaFiles->text(), Label(38));
    box->MediaFiles->click();
    EXPECT_FALSE(box->PanelConfig->isHidden());
    EXPECT_EQ(box->MediaFiles->text(), Label(36));
    // OK always returns to the settings panel.
    box->MediaFilesClick();
    box->OKButtonClick();
    EXPECT_FALSE(box->PanelConfig->isHidden());
    EXPECT_TRUE(box->PanelFiles->isHidden());
}

TEST_F(AboutBoxTest, FileEditsShowNamesOfFilesThatExist) {
    const QString other = dir.filePath(QStringLiteral("pictures"));
    QDir().mkpath(other);
    QFile(other + QStringLiteral("/dawn.JPG")).open(QIODevice::WriteOnly);
    Build([&](SiteSettings& s) {
        s.SunRiseImageFile = (other + QStringLiteral("/dawn.JPG")).toStdString();
    });
    box->MediaFilesClick();
    EXPECT_EQ(box->SunRiseImageEdit->text(), QStringLiteral("dawn.JPG"));
    EXPECT_EQ(box->SunSetImageEdit->text(), QStringLiteral("*.bmp *.jpg"));
    EXPECT_EQ(box->SunRiseSoundEdit->text(), QStringLiteral("*.wav"));
}

TEST_F(AboutBoxTest, ChoosersStartWhereTheFileIsAndKeepThePathOnCancel) {
    const QString other = dir.filePath(QStringLiteral("sounds"));
    QDir().mkpath(other);
    const QString chosen = other + QStringLiteral("/lark.WAV");
    QFile(chosen).open(QIODevice::WriteOnly);
    Build([](SiteSettings& s) { s.SunRiseSoundFile = "/gone/sunrise.wav"; });

    box->SunRiseSoundEditClick();  // cancelled
    ASSERT_EQ(choosers.asked.size(), 1u);
    EXPECT_EQ(choosers.asked[0].startFolder, QString::fromStdString(state.AppDir));
    EXPECT_EQ(choosers.asked[0].presetPath, QStringLiteral("/gone/sunrise.wav"));
    EXPECT_EQ(choosers.asked[0].title, QStringLiteral("Select SunRiseSound"));
    EXPECT_EQ(choosers.asked[0].filter, QStringLiteral("Sound files (*.wav)|*.WAV"));
    EXPECT_FALSE(choosers.asked[0].picturePreview);
    EXPECT_EQ(state.Settings.SunRiseSoundFile, "/gone/sunrise.wav");
    EXPECT_EQ(box->SunRiseSoundEdit->text(), QStringLiteral("sunrise.wav"));

    choosers.answer = chosen;
    box->SunRiseSoundEditClick();
    EXPECT_EQ(state.Settings.SunRiseSoundFile, chosen.toStdString());
    EXPECT_EQ(box->SunRiseSoundEdit->text(), QStringLiteral("lark.WAV"));
    choosers.answer.reset();
    box->SunRiseSoundBrowse->click();
    EXPECT_EQ(choosers.asked.back().startFolder, other);

    box->SunRiseImageEditClick();
    box->SunSetImageEditClick();
    EXPECT_EQ(choosers.asked[3].filter, QStringLiteral("Image files (*.bmp,*.jpg,)|*.BMP;*.JPG"));
    EXPECT_EQ(choosers.asked[3].title, QStringLiteral("Select SunRiseImage"));
    EXPECT_TRUE(choosers.asked[3].picturePreview);
    EXPECT_EQ(choosers.asked[4].filter, QStringLiteral("Image files (*.bmp,*.jpg)|*.BMP;*.JPG"));
    EXPECT_EQ(choosers.asked[4].title, QStringLiteral("Select SunSetImage"));
}

// A file name with a line break (the chooser accepts one) would split its
// line of the settings file and shift the place and zone after it.
TEST_F(AboutBoxTest, AFileNameWithALineBreakIsRefusedWhenChosen) {
    const QString odd = dir.filePath(QStringLiteral("sun\nset.jpg"));
    ASSERT_TRUE(QFile(odd).open(QIODevice::WriteOnly));
    Build();
    const std::string before = state.Settings.SunSetImageFile;
    choosers.answer = odd;
    box->SunSetImageEditClick();
    EXPECT_EQ(state.Settings.SunSetImageFile, before);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].contains(QStringLiteral("line break")));
    EXPECT_TRUE(messages.shown[0].contains(odd));
    ASSERT_TRUE(SaveSettings(state.Settings, state.AppDir).ok);
    EXPECT_EQ(ReadTextFile(SettingsFilePath(state.AppDir)).lines.size(), 19u);
}

TEST_F(AboutBoxTest, PreviewsPassTheFileAndCaption) {
    Build();
    QStringList played;
    QString shownFile, shownCaption;
    bool shownStretch = false;
    QObject::connect(box.get(), &SettingsDialog::soundPreviewRequested,
                     [&](const QString& f) { played << f; });
    QObject::connect(box.get(), &SettingsDialog::imagePreviewRequested,
                     [&](const QString& f, bool stretch, const QString& caption,
                         std::chrono::minutes time, DayNumber date) {
                         shownFile = f;
                         shownStretch = stretch;
                         shownCaption = caption;
                         EXPECT_EQ(time, state.Day.Event(Body::Sun, EventKind::Rise).Clock);
                         EXPECT_EQ(date, state.Shown);
                     });
    box->SunSetSoundButton->click();
    EXPECT_EQ(played, QStringList{QString::fromStdString(state.Settings.SunSetSoundFile)});
    box->ShowSunRiseImage->click();
    EXPECT_EQ(shownFile, QString::fromStdString(state.Settings.SunRiseImageFile));
    EXPECT_TRUE(shownStretch);
    EXPECT_EQ(shownCaption, Label(9).trimmed() + QLatin1Char('\n') + shownFile);
}

TEST_F(AboutBoxTest, HidingSavesTheSettings) {
    Build();
    box->show();
    box->LatitudeMinutesSpin->stepDown();
    box->OKButton->click();
    QFile file(dir.filePath(QStringLiteral("Dawncode.txt")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_GE(lines.size(), 19);
    EXPECT_EQ(lines[13].trimmed(), QByteArray("3046"));
    EXPECT_TRUE(messages.shown.isEmpty());

    // A folder that cannot take the file: the reason is shown.
    state.AppDir = dir.filePath(QStringLiteral("missing/folder")).toStdString();
    box->show();
    box->hide();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].contains(QStringLiteral("Dawncode.txt")))
        << messages.shown[0].toStdString();
}

TEST_F(AboutBoxTest, AlarmsBlockShowsEditsAndSavesTheAlarms) {
    using std::chrono::minutes;
    Build([](SiteSettings& s) {
        s.Alarms[1] = {true, minutes{-15}, AlarmChannel::Notification};
        s.Alarms[2] = {true, minutes{30}, AlarmChannel::Both};
    });
    const struct {
        const char* name;
        int offset;
        int way;
        bool offsetEnabled;
    } shown[] = {{"Sunrise", 0, 0, true},
                 {"Sunset", -15, 1, true},
                 {"Civil dawn", 30, 2, true},
                 {"Civil dusk", 0, 3, false}};
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(box->AlarmNames[i]->text(), QLatin1String(shown[i].name));
        EXPECT_EQ(box->AlarmOffsets[i]->value(), shown[i].offset);
        EXPECT_EQ(box->AlarmOffsets[i]->minimum(), -180);
        EXPECT_EQ(box->AlarmOffsets[i]->maximum(), 180);
        EXPECT_EQ(box->AlarmWays[i]->currentIndex(), shown[i].way);
        EXPECT_EQ(box->AlarmOffsets[i]->isEnabled(), shown[i].offsetEnabled);
    }
    EXPECT_EQ(box->AlarmWays[0]->itemText(1), QStringLiteral("Notification"));

    box->show();
    box->MediaFilesClick();
    box->AlarmOffsets[0]->setFocus();
    QTest::keyClick(box->AlarmOffsets[0], Qt::Key_Down);
    EXPECT_EQ(state.Settings.Alarms[0].Offset, minutes{-1});
    box->AlarmOffsets[0]->setValue(-15);
    box->AlarmWays[1]->setCurrentIndex(3);  // sunset: no alarm
    box->AlarmWays[3]->setCurrentIndex(1);  // civil dusk: a notification
    box->AlarmOffsets[3]->setValue(500);    // typed beyond the range
    EXPECT_FALSE(box->AlarmOffsets[1]->isEnabled());
    EXPECT_TRUE(box->AlarmOffsets[3]->isEnabled());

    AlarmChoices expected = DefaultAlarmChoices();
    expected[0] = {true, minutes{-15}, AlarmChannel::Picture};
    expected[1] = {false, minutes{-15}, AlarmChannel::Notification};
    expected[2] = {true, minutes{30}, AlarmChannel::Both};
    expected[3] = {true, minutes{180}, AlarmChannel::Notification};
    EXPECT_EQ(state.Settings.Alarms, expected);

    // Saved with the other settings when the dialog closes.
    box->OKButton->click();
    const SettingsLoadResult read = LoadSettings(state.AppDir, 2024);
    EXPECT_TRUE(read.messages.empty());
    EXPECT_EQ(read.settings.Alarms[0], expected[0]);
    EXPECT_FALSE(read.settings.Alarms[1].On);
    EXPECT_EQ(read.settings.Alarms[2], expected[2]);
    EXPECT_EQ(read.settings.Alarms[3], expected[3]);

    // Another language captions the block anew and keeps the values.
    box->LanguageBox->button(3)->click();
    EXPECT_EQ(box->AlarmNames[0]->text(), QStringLiteral("Sonnenaufgang"));
    EXPECT_EQ(box->AlarmWays[3]->itemText(1), QStringLiteral("Benachrichtigung"));
    EXPECT_EQ(box->AlarmMinutes[3]->text(), QStringLiteral("Minuten"));
    EXPECT_EQ(box->AlarmWays[3]->currentIndex(), 1);
    EXPECT_EQ(box->AlarmOffsets[3]->value(), 180);
}

// The own events round trip: a file with a bad line is read, an event is
// added with its alarm, one changed and one removed, each save writing the
// file whole (the bad file kept first as .bak); a bad edit is refused with the
// reader's words and the file stays as it was.
TEST_F(AboutBoxTest, OwnEventsAreEditedAndSaved) {
    const QString file = dir.filePath(QStringLiteral("Dawnevents.txt"));
    const QByteArray bad = "Photo;elevation;10;both\nBad;elevation;500;both\n";
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bad);
    }
    Build();
    ASSERT_EQ(state.OwnEvents.size(), 1u);
    ASSERT_TRUE(state.KeepOwnEventsBeforeSave);
    ASSERT_EQ(box->OwnEventList->count(), 1);
    auto fileText = [&] {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };

    box->OwnEventName->setText(QStringLiteral("Prayer"));
    box->OwnEventKind->setCurrentIndex(1);  // shadow
    box->OwnEventValue->setText(QStringLiteral("2"));
    box->OwnEventWhich->setCurrentIndex(1);  // setting
    box->OwnEventBeyondNoon->setChecked(true);
    box->OwnEventAlarmOffset->setValue(-10);
    box->OwnEventAlarmWay->setCurrentIndex(2);  // both
    QTest::mouseClick(box->OwnEventAdd, Qt::LeftButton);
    EXPECT_EQ(box->OwnEventMessage->text(), QString());
    {
        QFile copy(file + QStringLiteral(".bak"));
        ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
        EXPECT_EQ(copy.readAll(), bad);
    }
    EXPECT_EQ(fileText(),
              "# Dawnhelm's own events: NAME;KIND;VALUE;WHICH\n"
              "Photo;elevation;10;both\n"
              "Prayer;shadow;2;setting;beyond-noon;alarm=-10,both\n");
    ASSERT_EQ(state.OwnEvents.size(), 2u);
    EXPECT_FALSE(state.KeepOwnEventsBeforeSave);

    // Bad edits: a value out of range, a name used twice, no number.
    const struct {
        const char* name;
        const char* value;
        const char* words;
    } refused[] = {{"High", "91", "is not an altitude"},
                   {"Prayer", "5", "repeats the name"},
                   {"Odd", "five", "is not a number"}};
    const QByteArray before = fileText();
    for (const auto& r : refused) {
        box->OwnEventList->setCurrentRow(0);
        box->OwnEventName->setText(QString::fromUtf8(r.name));
        box->OwnEventValue->setText(QString::fromUtf8(r.value));
        QTest::mouseClick(box->OwnEventAdd, Qt::LeftButton);
        EXPECT_TRUE(box->OwnEventMessage->text().contains(QLatin1String(r.words)))
            << box->OwnEventMessage->text().toStdString();
        EXPECT_EQ(box->OwnEventMessage->textFormat(), Qt::PlainText);
        EXPECT_EQ(fileText(), before);
        EXPECT_EQ(state.OwnEvents.size(), 2u);
    }

    // Change the first (the list fills the editor), then remove the second.
    box->OwnEventList->setCurrentRow(1);
    box->OwnEventList->setCurrentRow(0);
    EXPECT_EQ(box->OwnEventName->text(), QStringLiteral("Photo"));
    EXPECT_EQ(box->OwnEventValue->text(), QStringLiteral("10"));
    box->OwnEventValue->setText(QStringLiteral("6"));
    QTest::mouseClick(box->OwnEventChange, Qt::LeftButton);
    box->OwnEventList->setCurrentRow(1);
    QTest::mouseClick(box->OwnEventRemove, Qt::LeftButton);
    EXPECT_EQ(fileText(),
              "# Dawnhelm's own events: NAME;KIND;VALUE;WHICH\n"
              "Photo;elevation;6;both\n");
    EXPECT_EQ(ReadUserEvents(file.toStdString()).events, state.OwnEvents);
}

// The height and the profile: the settings take them at once; a profile the
// reader cannot take shows its message as plain text and the flat horizon.
TEST_F(AboutBoxTest, HeightAndHorizonProfile) {
    Build();
    box->HeightSpin->setValue(120.5);
    EXPECT_EQ(state.Settings.ObserverHeightMetres, 120.5);
    {
        QFile f(dir.filePath(QStringLiteral("hills.txt")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("0 2\n90 <b>x</b>\n180 1\n");
    }
    choosers.answer = dir.filePath(QStringLiteral("hills.txt"));
    QTest::mouseClick(box->ProfileBrowse, Qt::LeftButton);
    EXPECT_EQ(state.Settings.HorizonProfilePath, choosers.answer->toStdString());
    EXPECT_EQ(state.HorizonProfile.size(), 2u);
    EXPECT_TRUE(box->ProfileMessage->text().contains(QStringLiteral("line 2")))
        << box->ProfileMessage->text().toStdString();
    EXPECT_EQ(box->ProfileMessage->textFormat(), Qt::PlainText);
    box->ProfileEdit->setText(dir.filePath(QStringLiteral("missing.txt")));
    box->ProfileEditDone();
    EXPECT_TRUE(state.HorizonProfile.empty());
    EXPECT_FALSE(box->ProfileMessage->text().isEmpty());
}

TEST_F(AboutBoxTest, TheEclipseAlarmRowEditsAndSavesItsOwnFile) {
    using std::chrono::minutes;
    Build([](SiteSettings&) {});
    const std::size_t row = SettingsDialog::kEclipseAlarmRow;
    EXPECT_EQ(box->AlarmNames[row]->text(), QStringLiteral("Solar eclipse / Lunar eclipse"));
    EXPECT_EQ(box->AlarmWays[row]->currentIndex(), 3);  // off until chosen
    EXPECT_EQ(box->AlarmOffsets[row]->value(), -60);
    EXPECT_FALSE(box->AlarmOffsets[row]->isEnabled());
    box->show();
    box->MediaFilesClick();
    // Closed without a change: no file.
    box->OKButton->click();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(state.AppDir) + "/Dawneclipse.txt"));

    box->show();
    box->AlarmWays[row]->setCurrentIndex(1);
    box->AlarmOffsets[row]->setValue(-20);
    EXPECT_EQ(state.EclipseAlarm, (AlarmChoice{true, minutes{-20}, AlarmChannel::Notification}));
    EXPECT_EQ(state.Settings.Alarms, DefaultAlarmChoices());  // the four stay as they were
    box->OKButton->click();
    EXPECT_EQ(LoadEclipseAlarm(state.AppDir).choice,
              (AlarmChoice{true, minutes{-20}, AlarmChannel::Notification}));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(AboutBoxTest, ReturningFromAWindowOfTheProgramResolvesTheRulesAnew) {
    Build([](SiteSettings& s) { s.SummerRule = 204; }, 2024);
    box->show();
    QApplication::setActiveWindow(box.get());
    QWidget other;
    other.show();

    // Over to another window of the program and back: deactivated (the
    // flags are taken from the boxes) and activated (the rules resolved for
    // the year now shown).
    state.ReferenceYear = 2023;
    QApplication::setActiveWindow(&other);
    QApplication::setActiveWindow(box.get());
    EXPECT_EQ(box->SummerWeekends->count(), 4);

    // Over to another program and back: neither.
    state.ReferenceYear = 2024;
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(box.get());
    EXPECT_EQ(box->SummerWeekends->count(), 4);
    box->hide();
}

// Random arrow steps and place defaults over the three pairs: the carries
// always end, and the place, the offset and the settings agree with what the
// spin edits show.
TEST_F(AboutBoxTest, RandomStepsKeepThePairsConsistent) {
    Build();
    messages.reply = true;
    std::mt19937 random(20240621);
    QSpinBox* spins[] = {box->LatitudeDegreesSpin,  box->LatitudeMinutesSpin,
                         box->LongitudeDegreesSpin, box->LongitudeMinutesSpin,
                         box->TimeZoneHoursSpin,    box->TimeZoneMinutesSpin};
    const int limits[] = {5400, 10800, 23 * 60 + 59};
    auto check = [&](int step) {
        for (int p = 0; p < 3; ++p) {
            const int g = spins[2 * p]->value();
            const int m = spins[2 * p + 1]->value();
            ASSERT_LE(std::abs(g * 60 + m), limits[p]) << "step " << step << " pair " << p;
            ASSERT_LE(std::abs(m), 59) << "step " << step << " pair " << p;
            ASSERT_TRUE(g == 0 || m == 0 || (g > 0) == (m > 0)) << "step " << step << " pair " << p;
        }
        ASSERT_EQ(state.Settings.LatitudeMinutes, spins[0]->value() * 60 + spins[1]->value())
            << step;
        ASSERT_EQ(state.Settings.LongitudeMinutes, spins[2]->value() * 60 + spins[3]->value())
            << step;
        ASSERT_EQ(state.Settings.TimeZoneMinutes, spins[4]->value() * 60 + spins[5]->value())
            << step;
        ASSERT_EQ(state.Settings.TimeZoneHours, spins[4]->value()) << step;
    };
    int steps = 0;
    while (steps < 10000) {
        const int pick = static_cast<int>(random() % 100);
        if (pick < 3) {
            if (pick == 0) box->LatitudeBoxDblClick();
            if (pick == 1) box->LongitudeBoxDblClick();
            if (pick == 2) box->TimezoneBoxDblClick();
            ASSERT_NO_FATAL_FAILURE(check(steps));
            continue;
        }
        // Runs of steps on one edit, long enough to cross zero and to reach
        // the ends of the whole parts now and then.
        QSpinBox* spin = spins[random() % 6];
        const int direction = random() % 2 ? 1 : -1;
        const int run = 1 + static_cast<int>(random() % 40);
        for (int i = 0; i < run; ++i, ++steps) {
            spin->stepBy(direction);
            ASSERT_NO_FATAL_FAILURE(check(steps));
        }
    }
}

// The place search by keyboard: Down goes from the field to the
// suggestions, Enter chooses one and the dialog stays open; opened again, the
// dialog starts a new search.
TEST_F(AboutBoxTest, ChoosingAPlaceByKeyboard) {
    Build();
    box->show();
    ASSERT_TRUE(box->PlaceSearchEdit->isEnabled()) << box->PlaceSearchEdit->toolTip().toStdString();
    box->PlaceSearchEdit->setFocus();
    QTest::keyClicks(box->PlaceSearchEdit, QStringLiteral("tromso"));
    ASSERT_GE(box->PlaceMatchList->count(), 1);
    QTest::keyClick(box->PlaceSearchEdit, Qt::Key_Down);
    EXPECT_EQ(box->PlaceMatchList->currentRow(), 0);
    QTest::keyClick(box->PlaceMatchList, Qt::Key_Return);
    EXPECT_EQ(state.Settings.ZoneName, "Europe/Oslo");
    EXPECT_EQ(box->LatitudeDegreesSpin->value(), 69);
    EXPECT_TRUE(box->isVisible());
    box->hide();
    box->show();
    EXPECT_EQ(box->PlaceSearchEdit->text(), QString());
    EXPECT_EQ(box->PlaceMatchList->count(), 0);
    QTest::keyClicks(box->PlaceSearchEdit, QStringLiteral("tromso"));
    EXPECT_EQ(box->PlaceSearchEdit->text(), QStringLiteral("tromso"));
    box->hide();
}

// Choosing Helsinki in the place search: 60°10'N 24°56'E, +2:00, the last
// Sundays of March and October, the zone and the name, and a recomputed day.
// Editing the latitude keeps the zone; editing the time zone drops it.
TEST_F(AboutBoxTest, ChoosingAPlaceByName) {
    Build();
    box->FormActivate();
    ASSERT_TRUE(box->PlaceSearchEdit->isEnabled()) << box->PlaceSearchEdit->toolTip().toStdString();
    QTest::keyClicks(box->PlaceSearchEdit, QStringLiteral("helsin"));
    ASSERT_GE(box->PlaceMatchList->count(), 1);
    EXPECT_EQ(box->PlaceMatchList->item(0)->text(),
              QStringLiteral("Helsinki, Uusimaa, Finland (Europe/Helsinki)"));
    QSignalSpy redrawn(box.get(), &SettingsDialog::dayChanged);
    box->PlaceMatchChosen(0);
    EXPECT_GE(redrawn.count(), 1);
    EXPECT_EQ(box->LatitudeDegreesSpin->value(), 60);
    EXPECT_EQ(box->LatitudeMinutesSpin->value(), 10);
    EXPECT_EQ(box->LongitudeDegreesSpin->value(), 24);
    EXPECT_EQ(box->LongitudeMinutesSpin->value(), 56);
    EXPECT_EQ(box->TimeZoneHoursSpin->value(), 2);
    EXPECT_EQ(box->TimeZoneMinutesSpin->value(), 0);
    EXPECT_EQ(box->SummerMonth->itemIndex(), 2);
    EXPECT_EQ(box->SummerWeekends->itemIndex(), 3);
    EXPECT_EQ(box->WinterMonth->itemIndex(), 9);
    EXPECT_TRUE(box->SaisonCheckBox->isChecked());
    const SiteSettings& s = state.Settings;
    EXPECT_EQ(s.ZoneName, "Europe/Helsinki");
    EXPECT_EQ(s.PlaceName, "Helsinki");
    EXPECT_EQ(s.LatitudeMinutes, 3610);
    EXPECT_EQ(s.TimeZoneMinutes, 120);
    EXPECT_EQ(state.Day.Clocks.standardOffset, std::chrono::minutes(120));
    EXPECT_EQ(state.Day.Clocks.window,
              (DstWindow{DayNumber::FromYmd(2024, 3, 31), DayNumber::FromYmd(2024, 10, 27)}));

    box->LatitudeMinutesSpin->setValue(11);
    EXPECT_EQ(state.Settings.LatitudeMinutes, 3611);
    EXPECT_EQ(state.Settings.ZoneName, "Europe/Helsinki");
    box->TimeZoneHoursSpin->setValue(3);
    EXPECT_EQ(state.Settings.TimeZoneMinutes, 180);
    EXPECT_TRUE(state.Settings.ZoneName.empty());
    EXPECT_EQ(state.Settings.Zone, nullptr);
    EXPECT_EQ(state.Day.Clocks.standardOffset, std::chrono::minutes(180));
}

// A summer-time control edited by hand also goes back to the manual rules.
TEST_F(AboutBoxTest, ASummerTimeEditDropsTheZone) {
    Build();
    box->FormActivate();
    QTest::keyClicks(box->PlaceSearchEdit, QStringLiteral("Sydney"));
    ASSERT_GE(box->PlaceMatchList->count(), 1);
    box->PlaceMatchChosen(0);
    EXPECT_EQ(state.Settings.ZoneName, "Australia/Sydney");
    EXPECT_EQ(state.Settings.SummerRule, 900);  // first Sunday of October
    EXPECT_EQ(state.Settings.WinterRule, 300);  // first Sunday of April
    box->FormActivate();                        // opening again keeps the zone
    EXPECT_EQ(state.Settings.ZoneName, "Australia/Sydney");
    box->SummerWeekends->setItemIndex(1);
    EXPECT_TRUE(state.Settings.ZoneName.empty());
    EXPECT_EQ(state.Settings.SummerRule, 901);
}

// The saved places in the dialog: the list edits write the file as the
// places window does, each one announced so that the places window reads it
// again, and showing a place puts it on the controls and redraws the day.
TEST_F(AboutBoxTest, SavedPlacesAreEditedAndShown) {
    auto write = [this](const QByteArray& bytes) {
        QFile file(dir.filePath(QStringLiteral("Dawnplaces.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    auto read = [this](const char* name = "Dawnplaces.txt") {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    };
    auto names = [this] {
        QStringList shown;
        for (int r = 0; r < box->SavedPlacesList->count(); ++r)
            shown << box->SavedPlacesList->item(r)->text();
        return shown;
    };
    const QByteArray damaged = "Helsinki;3610;1498;Europe/Helsinki\r\n<b>not a place</b>\r\n";
    write(damaged);
    Build();
    QSignalSpy listed(box.get(), &SettingsDialog::savedPlacesChanged);
    box->show();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].contains(QStringLiteral("Line 2")));
    EXPECT_EQ(names(), QStringList{QStringLiteral("Helsinki")});
    EXPECT_EQ(box->SavedPlacesBox->title(), Label(label::kSavedPlaces));
    EXPECT_EQ(box->PlaceAddButton->text(), Label(label::kPlacesAdd));

    box->PlaceAddButton->click();  // the default place, by its coordinates
    box->PlaceAddButton->click();  // not twice
    EXPECT_EQ(names().size(), 2);
    EXPECT_EQ(read("Dawnplaces.txt.bak"), damaged);
    EXPECT_TRUE(read().contains("<b>not a place</b>"));  // kept, not lost
    box->AskPlaceName = [](const QString&) { return QStringLiteral(" Home "); };
    box->PlaceRenameButton->click();
    box->PlaceUpButton->click();
    EXPECT_EQ(names(), (QStringList{QStringLiteral("Home"), QStringLiteral("Helsinki")}));
    EXPECT_TRUE(read().startsWith("Home;"));
    box->AskPlaceName = [](const QString&) { return QStringLiteral("Helsinki"); };
    box->PlaceRenameButton->click();  // taken: refused, nothing written
    EXPECT_TRUE(messages.shown.back().contains(QStringLiteral("is taken")));
    EXPECT_EQ(names().first(), QStringLiteral("Home"));
    EXPECT_EQ(listed.count(), 3);  // add, rename, move: the file was written

    QSignalSpy redrawn(box.get(), &SettingsDialog::dayChanged);
    box->SavedPlacesList->setCurrentRow(1);
    box->PlaceShowButton->click();
    EXPECT_EQ(redrawn.count(), 1);
    EXPECT_EQ(state.Settings.ZoneName, "Europe/Helsinki");
    EXPECT_EQ(state.Settings.PlaceName, "Helsinki");
    EXPECT_EQ(box->LatitudeDegreesSpin->value(), 60);
    EXPECT_EQ(box->LatitudeMinutesSpin->value(), 10);
    EXPECT_EQ(box->TimeZoneHoursSpin->value(), 2);
    EXPECT_EQ(state.Day.Clocks.standardOffset, std::chrono::minutes(120));

    box->PlaceRemoveButton->click();
    EXPECT_EQ(names(), QStringList{QStringLiteral("Home")});
    box->PlaceRemoveButton->click();
    EXPECT_TRUE(names().isEmpty());
    EXPECT_FALSE(box->PlaceShowButton->isEnabled());
    EXPECT_TRUE(box->PlaceAddButton->isEnabled());
    box->hide();
}

// The saved places' captions are whole in every language.
TEST_F(AboutBoxTest, SavedPlacesCaptionsFitInEveryLanguage) {
    Build();
    box->show();
    for (int language = 0; language < kLanguageCount; ++language) {
        box->LanguageBox->button(language)->click();
        QApplication::processEvents();
        for (QPushButton* b : {box->PlaceAddButton, box->PlaceRenameButton, box->PlaceRemoveButton,
                               box->PlaceUpButton, box->PlaceDownButton, box->PlaceShowButton}) {
            SCOPED_TRACE(b->text().toStdString());
            EXPECT_FALSE(b->text().isEmpty());
            EXPECT_LE(b->sizeHint().width(), b->width());
        }
        EXPECT_LE(
            box->SavedPlacesBox->fontMetrics().horizontalAdvance(box->SavedPlacesBox->title()),
            box->SavedPlacesBox->width());
    }
    box->hide();
}

}  // namespace
}  // namespace dawn
