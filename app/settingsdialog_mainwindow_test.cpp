// The dialog over the real main window: every edit shows at once behind it,
// and what was edited survives a restart through the settings file.
#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDate>
#include <QLabel>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "present/appstate.h"
#include "present/texts.h"
#include "ui/common/testsupport/recording_messages.h"
#include "ui/config/radiogroup.h"
#include "ui/config/settingsdialog.h"
#include "ui/main/mainwindow.h"

namespace dawn {
namespace {

class DialogOverMainWindowTest : public ::testing::Test {
protected:
    void Start() {
        box.reset();
        form.reset();
        state = std::make_unique<AppState>();
        form = std::make_unique<MainWindow>(
            *state, StartupInputs{dir.path(), QLocale(QStringLiteral("en_GB")),
                                  std::chrono::year(2024) / std::chrono::June / 21, false, nullptr,
                                  &messages});
        box = std::make_unique<SettingsDialog>(*state, form.get(), messages);
        // As the program entry connects them.
        QObject::connect(box.get(), &SettingsDialog::dayChanged, form.get(), &MainWindow::ShowDay);
        QObject::connect(box.get(), &SettingsDialog::soundPreviewRequested, form.get(),
                         [this](const QString& file) { form->PlaySound(file); });
    }

    QTemporaryDir dir;
    test::RecordingMessages messages;
    std::unique_ptr<AppState> state;
    std::unique_ptr<MainWindow> form;
    std::unique_ptr<SettingsDialog> box;
};

TEST_F(DialogOverMainWindowTest, EditsShowBehindTheDialogAndSurviveARestart) {
    Start();
    box->show();
    const QString before = form->lbLatitude->text();
    box->LatitudeDegreesSpin->setValue(-33);
    box->LatitudeMinutesSpin->setValue(-52);
    EXPECT_NE(form->lbLatitude->text(), before);
    EXPECT_TRUE(form->lbLatitude->text().startsWith(QStringLiteral("33")))
        << form->lbLatitude->text().toStdString();

    box->TimeZoneHoursSpin->setValue(-3);
    box->TimeZoneMinutesSpin->setValue(-30);
    EXPECT_EQ(form->lbCoordinates->toolTip(), QStringLiteral("TimeZone = - 03:30"));

    // January 2021: ISO week 53 above the first, week 1 counted from New Year.
    form->MonthCalendar->setSelectedDate(QDate(2021, 1, 14));
    const QString week1 = form->WeekNumberLabels[0]->text();
    box->CheckNewYear->click();
    EXPECT_NE(form->WeekNumberLabels[0]->text(), week1);

    box->LanguageBox->setItemIndex(5);
    EXPECT_EQ(form->lbSunSetSymbol->toolTip(),
              QStringLiteral("Italiano\ndouble clic to translator"));
    EXPECT_EQ(form->lbSunrise->text().trimmed(),
              QString::fromStdString(state->Labels.Label(5, 9)).trimmed());

    box->SummerWeekends->setItemIndex(0);  // first Sunday of March
    box->OKButtonClick();                  // hiding saves

    Start();
    EXPECT_EQ(state->Settings.LatitudeMinutes, -(33 * 60 + 52));
    EXPECT_EQ(state->Settings.TimeZoneMinutes, -210);
    EXPECT_TRUE(state->Settings.FirstWeekNewYear);
    EXPECT_EQ(state->Settings.LanguageIndex, 5);
    EXPECT_EQ(state->Settings.SummerRule, 200);
    EXPECT_EQ(box->LatitudeDegreesSpin->value(), -33);
    EXPECT_EQ(box->TimeZoneMinutesSpin->value(), -30);
    EXPECT_EQ(box->LanguageBox->itemIndex(), 5);
    EXPECT_EQ(box->SummerWeekends->itemIndex(), 0);
    EXPECT_TRUE(box->CheckNewYear->isChecked());
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join('|').toStdString();
}

TEST_F(DialogOverMainWindowTest, PreviewsNameWhatTheMainWindowShows) {
    Start();
    state->Settings.SunSetSoundFile = dir.filePath("gone.wav").toStdString();
    box->SunSetSoundButtonClick();
    EXPECT_EQ(messages.shown, QStringList{"Missing SoundFile"});

    QString file, caption;
    std::chrono::minutes when{-1};
    QObject::connect(
        box.get(), &SettingsDialog::imagePreviewRequested, box.get(),
        [&](const QString& f, bool, const QString& c, std::chrono::minutes t, DayNumber) {
            file = f;
            caption = c;
            when = t;
        });
    box->ShowSunSetImageClick();
    EXPECT_EQ(file, QString::fromStdString(state->Settings.SunSetImageFile));
    EXPECT_EQ(caption, form->lbSunset->text().trimmed() + "\n" + file);
    EXPECT_EQ(when, state->Day.Event(Body::Sun, EventKind::Set).Clock);
}

}  // namespace
}  // namespace dawn
