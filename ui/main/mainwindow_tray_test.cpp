// Tray mode across restarts: every test window remembers its choice in a
// temporary settings file, and the notification area is present or absent
// as the test says (plain X servers and offscreen have none).
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "ui/common/testsupport/recording_messages.h"
#include "ui/main/mainwindow.h"

namespace dawn {
namespace {

class TrayTest : public ::testing::Test {
protected:
    // The user's own settings are never touched, whatever a test forgets.
    TrayTest() { QStandardPaths::setTestModeEnabled(true); }
    ~TrayTest() override { QStandardPaths::setTestModeEnabled(false); }

    // One start of the program: the window is created, the tray decides,
    // and the window is shown when the tray says so.
    std::unique_ptr<MainWindow> Start(bool trayAvailable = true) {
        auto form = std::make_unique<MainWindow>(
            state_, StartupInputs{dir_.path(), QLocale(QStringLiteral("en_GB")),
                                  std::chrono::year{2024} / 6 / 21, false, nullptr, &messages_});
        form->TrayStore = TrayPreference(iniFile_);
        form->TrayAvailable = [trayAvailable] { return trayAvailable; };
        if (form->TrayIconStartup()) form->show();
        return form;
    }

    QString Stored() const {
        return QSettings(iniFile_, QSettings::IniFormat)
            .value(QStringLiteral("Software/dawnhelm/systray/StartHidden"))
            .toString();
    }

    struct Seen {
        bool window, icon, ticked;
        QString stored;
    };
    void ExpectState(const MainWindow& form, Seen want, const char* step) {
        EXPECT_EQ(form.isVisible(), want.window) << step;
        EXPECT_EQ(form.TrayIcon->isVisible(), want.icon) << step;
        EXPECT_EQ(form.SystrayMenu->isChecked(), want.ticked) << step;
        EXPECT_EQ(Stored(), want.stored) << step;
    }

    QTemporaryDir dir_;
    QString iniFile_ = dir_.filePath(QStringLiteral("config/dawnhelm.ini"));
    AppState state_;
    test::RecordingMessages messages_;
};

TEST_F(TrayTest, TrayModeLivesAcrossRestartsAndClosesOnlyHide) {
    const Seen normal{true, false, false, QString()};
    const Seen trayHidden{false, true, true, QStringLiteral("1")};
    const Seen trayShown{true, true, true, QStringLiteral("1")};

    auto form = Start();
    ExpectState(*form, normal, "first start");
    form->SystrayMenu->trigger();
    ExpectState(*form, trayHidden, "Systray ticked");
    form.reset();

    form = Start();
    ExpectState(*form, trayHidden, "restart in tray mode");
    form->TrayIconMouseDown(Qt::RightButton);
    ExpectState(*form, trayHidden, "right button");
    form->TrayIconMouseDown(Qt::LeftButton);
    ExpectState(*form, trayShown, "left button");

    QSignalSpy ends(form.get(), &MainWindow::programEnds);
    EXPECT_FALSE(form->close());
    ExpectState(*form, trayHidden, "close box in tray mode");
    form->TrayIconMouseDown(Qt::MiddleButton);
    ExpectState(*form, trayShown, "middle button");
    form->ExitAction->trigger();
    ExpectState(*form, trayHidden, "Exit in tray mode");
    EXPECT_EQ(ends.size(), 0);

    form->TraySystrayOut->trigger();
    ExpectState(*form, normal, "Systray Out");
    EXPECT_FALSE(QSettings(iniFile_, QSettings::IniFormat)
                     .childGroups()
                     .contains(QStringLiteral("Software")));
    EXPECT_TRUE(form->close());
    EXPECT_EQ(ends.size(), 1);
    EXPECT_TRUE(messages_.shown.isEmpty()) << messages_.shown.join(u'|').toStdString();
}

TEST_F(TrayTest, ShutdownEndsTheProgramAndTheNextStartShowsTheWindow) {
    auto form = Start();
    form->SystrayMenu->trigger();
    ASSERT_FALSE(form->isVisible());
    QSignalSpy ends(form.get(), &MainWindow::programEnds);
    form->Shutdown->trigger();
    EXPECT_EQ(ends.size(), 1);
    EXPECT_FALSE(form->SystrayMenu->isChecked());
    EXPECT_FALSE(form->TrayIcon->isVisible());
    form.reset();
    form = Start();
    ExpectState(*form, {true, false, false, QString()}, "start after Shutdown");
}

TEST_F(TrayTest, MenusHaveTheirItemsInOrder) {
    auto form = Start();
    QStringList main;
    for (QAction* a : form->SetUp->actions())
        main << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(main, QStringList({"&Configuration",
                                 "&Graphics",
                                 "Export &Data",
                                 "&Places",
                                 "&Almanac",
                                 "Dawnhelm &helpfile",
                                 "&Dawnhelm Homepage",
                                 "&E-mail Dawnhelm",
                                 "-",
                                 "&Sun panel",
                                 "T&wilight panel",
                                 "&Moon panel",
                                 "&Light panel",
                                 "-",
                                 "Sky view",
                                 "Find alignments",
                                 "-",
                                 "Sys&tray",
                                 "-",
                                 "&About",
                                 "-",
                                 "E&xit"}));
    EXPECT_TRUE(form->SystrayMenu->isCheckable());
    QStringList tray;
    for (QAction* a : form->TrayMenu->actions())
        tray << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(tray, QStringList({"&Configuration", "&About", "Sky view", "&Places", "&Almanac", "-",
                                 "Sys&tray Out", "Shu&tdown Dawnhelm"}));
    EXPECT_EQ(form->TrayIcon->contextMenu(), form->TrayMenu);
    EXPECT_FALSE(form->TrayIcon->icon().isNull());
    EXPECT_EQ(form->TrayIcon->toolTip(), form->TrayHint);
    QSignalSpy about(form.get(), &MainWindow::aboutRequested);
    form->TrayAbout->trigger();
    EXPECT_EQ(about.size(), 1);
    // The almanac window, from either menu.
    QSignalSpy almanac(form.get(), &MainWindow::almanacRequested);
    form->AlmanacAction->trigger();
    form->TrayAlmanac->trigger();
    EXPECT_EQ(almanac.size(), 2);
}

TEST_F(TrayTest, LeftClickRestoresAMinimisedWindow) {
    auto form = Start();
    form->SystrayMenu->trigger();
    form->TrayIconMouseDown(Qt::LeftButton);
    form->showMinimized();
    form->TrayIconMouseDown(Qt::LeftButton);
    EXPECT_FALSE(form->isMinimized());
    EXPECT_TRUE(form->isVisible());
}

TEST_F(TrayTest, WithoutANotificationAreaTheWindowStaysReachable) {
    auto form = Start(false);
    form->SystrayMenu->trigger();
    ExpectState(*form, {true, false, false, QString()}, "refused");
    ASSERT_EQ(messages_.shown.size(), 1) << messages_.shown.join(u'|').toStdString();
    EXPECT_TRUE(messages_.shown[0].contains(QStringLiteral("no notification area")));
    form.reset();

    // Left in tray mode on a desktop that had one, started on one without.
    TrayPreference(iniFile_).setStartHidden();
    form = Start(false);
    ExpectState(*form, {true, false, false, QStringLiteral("1")}, "hidden start refused");
    QSignalSpy ends(form.get(), &MainWindow::programEnds);
    EXPECT_TRUE(form->close());
    EXPECT_EQ(ends.size(), 1);
}

TEST_F(TrayTest, AFailedWriteIsReportedAndTheTickFollowsWhatIsStored) {
    QFile blocker(dir_.filePath(QStringLiteral("config")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));  // a file where the folder should be
    blocker.close();
    auto form = Start();
    form->SystrayMenu->trigger();
    ASSERT_EQ(messages_.shown.size(), 1) << messages_.shown.join(u'|').toStdString();
    EXPECT_TRUE(messages_.shown[0].contains(iniFile_)) << messages_.shown[0].toStdString();
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->SystrayMenu->isChecked());
    EXPECT_FALSE(form->TrayIcon->isVisible());
}

}  // namespace
}  // namespace dawn
