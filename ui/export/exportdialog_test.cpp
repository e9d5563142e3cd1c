#include "ui/export/exportdialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include "present/appstate.h"
#include "present/export.h"
#include "present/placechoice.h"
#include "present/texts.h"
#include "ui/common/qtlocale.h"
#include "ui/common/testsupport/recording_messages.h"
#include "ui/export/testsupport/fake_chooser.h"

namespace dawn {
namespace {

using test::FakeChooser;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ExportDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        state.AppDir = folder.path().toStdString();
        state.Locale = MakeLocaleFormats(QLocale(QStringLiteral("en_GB")));
        state.Today = DayNumber::FromYmd(2024, 6, 21);
        state.ReferenceYear = 2024;
        state.Settings = DefaultSettings(state.AppDir, 2024);
        state.Labels = LoadLabelTable(state.AppDir).table;
        state.ApplyLanguage();
        state.ShowDate(state.Today);
        dialog = std::make_unique<ExportDialog>(state, nullptr, messages);
        dialog->setFileChooser(&chooser);
        chooser.answer = folder.filePath(QStringLiteral("out.txt"));
    }

    void SetRange(QDate from, QDate to) {
        dialog->DateTimePickerStart->setDate(from);
        dialog->DateTimePickerStop->setDate(to);
    }

    QByteArray Written() const {
        QFile f(folder.filePath(QStringLiteral("out.txt")));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir folder;
    test::RecordingMessages messages;
    AppState state;
    FakeChooser chooser;
    std::unique_ptr<ExportDialog> dialog;
};

TEST_F(ExportDialogTest, PickersStartOnTodayWithinTheAllowedYears) {
    // Titled after its menu item, and the button says what it writes.
    EXPECT_EQ(dialog->windowTitle(), "Export Data");
    EXPECT_EQ(dialog->btnExport->text(), "Export to text file with semicolons");

    for (QDateEdit* picker : {dialog->DateTimePickerStart, dialog->DateTimePickerStop}) {
        EXPECT_EQ(picker->date(), QDate(2024, 6, 21));
        EXPECT_EQ(picker->minimumDate(), QDate(1900, 1, 1));
        EXPECT_EQ(picker->maximumDate(), QDate(2500, 1, 1));
        EXPECT_EQ(picker->displayFormat(), "dd/MM/yyyy");
    }
}

// Small enough for the screen it opens on: ctest runs this on a 1920 x 1080
// screen at double scale (960 x 540) and on a 1366 x 768 one.
TEST_F(ExportDialogTest, SmallScreenTakesTheDialog) {
    const QSize room = dialog->screen()->availableGeometry().size() - QSize(16, 48);
    dialog->show();
    EXPECT_LE(dialog->width(), room.width());
    EXPECT_LE(dialog->height(), room.height());
    dialog->hide();
}

TEST_F(ExportDialogTest, CalendarCaptionsFollowTheLanguageAtEachOpening) {
    // The local language carries the English texts.
    EXPECT_EQ(dialog->btnCalendar->text(), "Calendar file (.ics)");
    EXPECT_EQ(dialog->CalendarMoon->text(), "Moonrise and moonset");
    EXPECT_EQ(dialog->CalendarTwilight->text(), "Civil dawn and dusk");
    EXPECT_EQ(dialog->CalendarAlmanac->text(), "Almanac");
    EXPECT_EQ(dialog->ExportLight->text(), "Light");
    state.Settings.LanguageIndex = 3;
    state.ApplyLanguage();
    dialog->show();
    EXPECT_EQ(dialog->btnCalendar->text(), "Kalenderdatei (.ics)");
    EXPECT_EQ(dialog->CalendarMoon->text(), "Mondauf- und -untergang");
    EXPECT_EQ(dialog->CalendarTwilight->text(), "Bürgerliche Dämmerung");
    EXPECT_EQ(dialog->CalendarAlmanac->text(), "Almanach");
    EXPECT_EQ(dialog->ExportLight->text(), "Licht");
    EXPECT_GE(dialog->btnCalendar->width(), dialog->btnCalendar->sizeHint().width());
    EXPECT_EQ(dialog->windowTitle(), "Daten exportieren");
    EXPECT_EQ(dialog->btnExport->text(), "Als Textdatei mit Semikolons exportieren");
}

TEST_F(ExportDialogTest, OneDateWritesFiveLinesEndedByCrLf) {
    dialog->show();
    dialog->btnExport->click();

    EXPECT_THAT(chooser.offered, ElementsAre("dawnhelm_data.txt"));
    EXPECT_THAT(messages.shown, IsEmpty());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);

    const QByteArray bytes = Written();
    const QList<QByteArray> lines = bytes.split('\n');
    ASSERT_EQ(lines.size(), 6);  // five lines and nothing after the last CR LF
    EXPECT_TRUE(lines.last().isEmpty());
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(lines[i].endsWith('\r')) << i;
    EXPECT_TRUE(lines[0].startsWith("Dawnhelm 1.1.0.0 ")) << lines[0].constData();
    EXPECT_TRUE(lines[0].contains(": 50N47 05E28   ")) << lines[0].constData();
    EXPECT_EQ(lines[3], "Date;Sun Rise;Sun Set;Azimuth Sun Rise;Azimuth Sun Set\r");
    const EventEntry& rise = state.Day.Event(Body::Sun, EventKind::Rise);
    const EventEntry& set = state.Day.Event(Body::Sun, EventKind::Set);
    EXPECT_EQ(lines[4].toStdString(),
              "21/06/2024;" + FormatClock(rise.Clock, ":") + ";" + FormatClock(set.Clock, ":") +
                  ";" + FormatAzimuth(rise.Azimuth) + ";" + FormatAzimuth(set.Azimuth) + "\r");
    // The export computes other dates without touching the shown day.
    EXPECT_EQ(state.Day.Date, state.Today);
}

TEST_F(ExportDialogTest, StartAfterStopOnlyShowsTheMessage) {
    dialog->show();
    SetRange(QDate(2024, 6, 22), QDate(2024, 6, 21));
    dialog->btnExport->click();
    EXPECT_THAT(messages.shown, ElementsAre("Stop date must be greater then start date"));
    EXPECT_THAT(chooser.offered, IsEmpty());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(QFile::exists(chooser.answer));
}

TEST_F(ExportDialogTest, TheNameFollowsThePanelAfreshEveryTime) {
    state.Panel = Body::Moon;
    dialog->btnExport->click();
    EXPECT_TRUE(
        Written().contains("\r\nDate;Moon Rise;Moon Set;Azimuth Moon Rise;Azimuth Moon Set\r\n"));
    state.Panel = Body::Sun;
    dialog->btnExport->click();
    EXPECT_TRUE(
        Written().contains("\r\nDate;Sun Rise;Sun Set;Azimuth Sun Rise;Azimuth Sun Set\r\n"));
    EXPECT_THAT(chooser.offered, ElementsAre("moonhelm_data.txt", "dawnhelm_data.txt"));
}

// The kind box: the shown panel's rise and set first, then twilight and the
// moon's phase, each with its own header and file name.
TEST_F(ExportDialogTest, TheKindBoxChoosesTwilightOrThePhase) {
    ASSERT_EQ(dialog->ExportKindBox->count(), 3);
    EXPECT_EQ(dialog->ExportKindBox->currentIndex(), 0);
    EXPECT_EQ(dialog->ExportKindBox->itemText(0), "Sunrise / Sunset");
    EXPECT_EQ(dialog->ExportKindBox->itemText(1), "Twilight");
    EXPECT_EQ(dialog->ExportKindBox->itemText(2), "Moon phase");
    dialog->ExportKindBox->setCurrentIndex(1);
    dialog->btnExport->click();
    EXPECT_TRUE(Written().contains("\r\nDate;Civil Dawn;Nautical Dawn;Astronomical Dawn;"));
    dialog->ExportKindBox->setCurrentIndex(2);
    dialog->btnExport->click();
    EXPECT_TRUE(Written().contains("\r\nDate;Moon Phase;Illuminated;Age\r\n21/06/2024;"));
    EXPECT_THAT(chooser.offered, ElementsAre("dawnhelm_twilight.txt", "moonhelm_phase.txt"));
}

// The dialog writes the file of its range with the state's header, body and
// locale (the lines themselves are tested with the plain export).
TEST_F(ExportDialogTest, RangeAcrossSummerTimeIsThePlainExport) {
    SetRange(QDate(2024, 3, 29), QDate(2024, 4, 2));
    dialog->btnExport->click();
    struct Sink final : TextSink {
        bool Write(std::string_view bytes) override {
            text.append(bytes);
            return true;
        }
        std::string text;
    } plain;
    const ExportJob job{ExportHeaderFor(state),
                        Body::Sun,
                        state.Settings,
                        DayNumber::FromYmd(2024, 3, 29),
                        DayNumber::FromYmd(2024, 4, 2),
                        state.Locale};
    ASSERT_EQ(WriteExport(job, plain), ExportEnd::Done);
    EXPECT_EQ(Written().toStdString(), plain.text);
    EXPECT_TRUE(Written().contains("\r\n31/03/2024;"));
}

TEST_F(ExportDialogTest, CancelledSaveWritesNothingAndCloses) {
    chooser.answer.clear();
    dialog->show();
    dialog->btnExport->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_THAT(QDir(folder.path()).entryList(QDir::Files), IsEmpty());
}

TEST_F(ExportDialogTest, WriteErrorIsShownWithTheReasonAndTheDialogStays) {
    chooser.answer = folder.filePath(QStringLiteral("no/such/folder/out.txt"));
    dialog->show();
    dialog->btnExport->click();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].contains(QStringLiteral("No such file or directory")))
        << messages.shown[0].toStdString();
    EXPECT_TRUE(dialog->isVisible());
}

// The save dialog opens where the last export was written, never in a folder
// that refused the file (the next dialog opened in /proc and hung there).
TEST_F(ExportDialogTest, TheSaveDialogRemembersAFolderOnlyAfterASuccessfulWrite) {
    EXPECT_EQ(dialog->ExportFolder.Folder(), folder.path());
    QDir(folder.path()).mkdir(QStringLiteral("kept"));
    ::mkfifo(QFile::encodeName(folder.filePath(QStringLiteral("pipe.txt"))).constData(), 0600);
    struct Case {
        const char* answer;
        const char* folderAfter;  // relative to the temporary folder
    };
    const Case cases[] = {
        {"no/such/folder/out.txt", ""},
        {"kept/out.txt", "kept"},
        {"pipe.txt", "kept"},  // refused: a pipe is no file to replace
        {"no/such/folder/out.txt", "kept"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        chooser.answer = folder.filePath(QLatin1String(c.answer));
        dialog->show();
        dialog->btnExport->click();
        EXPECT_EQ(dialog->ExportFolder.Folder(),
                  QDir::cleanPath(folder.filePath(QLatin1String(c.folderAfter))));
    }
    ASSERT_EQ(messages.shown.size(), 3);
    EXPECT_TRUE(messages.shown[1].contains(QStringLiteral("not a regular file")));
}

#ifdef DAWN_CLI
TEST_F(ExportDialogTest, CommandLineWritesTheSameBytes) {
    // Place, zone and language of a settings file; labels from the program's
    // own copy; the same range, panel and locale.
    state.Settings.LatitudeMinutes = -2032;
    state.Settings.LongitudeMinutes = 9082;
    state.Settings.TimeZoneMinutes = 600;
    state.Settings.LanguageIndex = 4;
    ASSERT_TRUE(SaveSettings(state.Settings, state.AppDir).ok);
    state.ApplyLanguage();
    const struct {
        Body body;
        int kind;  // the entry of the kind box
        const char* option;
    } cases[] = {{Body::Sun, 0, ""},
                 {Body::Moon, 0, "--moon"},
                 {Body::Sun, 1, "--kind=twilight"},
                 {Body::Sun, 2, "--kind=phase"}};
    for (const auto& c : cases) {
        const Body body = c.body;
        // The command line indents the caption for the range's first date.
        state.Panel = body;
        state.ShowDate(DayNumber::FromYmd(2023, 12, 30));
        SetRange(QDate(2023, 12, 30), QDate(2024, 1, 3));
        dialog->ExportKindBox->setCurrentIndex(c.kind);
        dialog->btnExport->click();

        QProcess cli;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_GB.UTF-8"));
        cli.setProcessEnvironment(env);
        QStringList args{QStringLiteral("export"),
                         QStringLiteral("--settings"),
                         folder.filePath(QStringLiteral("Dawncode.txt")),
                         QStringLiteral("--from"),
                         QStringLiteral("2023-12-30"),
                         QStringLiteral("--to"),
                         QStringLiteral("2024-01-03")};
        if (*c.option) args << QString::fromLatin1(c.option);
        cli.start(QStringLiteral(DAWN_CLI), args);
        ASSERT_TRUE(cli.waitForFinished(30000));
        EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
        EXPECT_EQ(cli.readAllStandardOutput(), Written());
    }
}
// The calendar file of a month: the command line writes the same events;
// a century stopped with Cancel leaves the old file as it was.
TEST_F(ExportDialogTest, CalendarFileLikeTheCommandLineAndCancelKeepsTheOldFile) {
    state.Settings.ZoneName = "Europe/Brussels";
    state.Settings.PlaceName = "Velmoren";
    ASSERT_TRUE(SaveSettings(state.Settings, state.AppDir).ok);
    const QString ics = folder.filePath(QStringLiteral("sky.ics"));
    chooser.calendarAnswer = ics;
    SetRange(QDate(2024, 6, 1), QDate(2024, 6, 30));
    dialog->CalendarMoon->setChecked(true);
    dialog->btnCalendar->click();
    EXPECT_EQ(chooser.offered, QStringList{QStringLiteral("dawnhelm.ics")});
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    QFile written(ics);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray fromDialog = written.readAll();
    EXPECT_TRUE(fromDialog.contains("TZID:Europe/Brussels\r\n"));
    EXPECT_EQ(fromDialog.count("BEGIN:VEVENT"),
              60 + fromDialog.count("-moonrise-") + fromDialog.count("-moonset-"));
    EXPECT_GT(fromDialog.count("-moonrise-"), 25);
    EXPECT_FALSE(fromDialog.contains("civildawn"));

    QProcess cli;
    cli.start(QStringLiteral(DAWN_CLI),
              {QStringLiteral("ics"), QStringLiteral("--settings"),
               folder.filePath(QStringLiteral("Dawncode.txt")), QStringLiteral("--from"),
               QStringLiteral("2024-06-01"), QStringLiteral("--to"), QStringLiteral("2024-06-30"),
               QStringLiteral("--moon")});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    auto withoutStamps = [](QByteArray text) {
        for (qsizetype at = text.indexOf("DTSTAMP:"); at >= 0;
             at = text.indexOf("DTSTAMP:", at + 1))
            text.remove(at, text.indexOf("\r\n", at) - at);
        return text;
    };
    EXPECT_EQ(withoutStamps(cli.readAllStandardOutput()), withoutStamps(fromDialog));

    {
        QFile old(ics);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    dialog->setResult(0);
    SetRange(QDate(1900, 1, 1), QDate(2499, 12, 31));
    dialog->CalendarTwilight->setChecked(true);
    bool cancelled = false;
    QTimer cancel;
    cancel.setInterval(50);
    QObject::connect(&cancel, &QTimer::timeout, [&] {
        if (auto* progress = dialog->findChild<QProgressDialog*>()) {
            progress->cancel();
            cancelled = true;
        }
    });
    cancel.start();
    dialog->btnCalendar->click();
    cancel.stop();
    EXPECT_TRUE(cancelled);
    QFile kept(ics);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("old"));
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_THAT(messages.shown, IsEmpty());
    EXPECT_THAT(QDir(folder.path()).entryList(QDir::Files), ElementsAre("Dawncode.txt", "sky.ics"));
}

// The almanac's box adds what `ics --almanac` adds: the same file.
TEST_F(ExportDialogTest, AlmanacBoxWritesTheAlmanacLikeTheCommandLine) {
    state.Settings.ZoneName = "Europe/Brussels";
    ASSERT_FALSE(OpenSettingsZone(state.Settings, state.Today).has_value());
    state.Settings.PlaceName = "Velmoren";
    ASSERT_TRUE(SaveSettings(state.Settings, state.AppDir).ok);
    const QString ics = folder.filePath(QStringLiteral("sky.ics"));
    chooser.calendarAnswer = ics;
    SetRange(QDate(2024, 3, 20), QDate(2024, 3, 31));
    dialog->CalendarAlmanac->setChecked(true);
    dialog->btnCalendar->click();
    QFile written(ics);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray fromDialog = written.readAll();
    // The equinox, the apogee, the penumbral eclipse of the 25th and the
    // change to summer time.
    for (const char* uid : {"UID:20240320-marchequinox-", "-apogee-", "UID:20240325-lunareclipse-",
                            "UID:20240331-summertimestarts-"})
        EXPECT_TRUE(fromDialog.contains(uid)) << uid;

    QProcess cli;
    cli.start(QStringLiteral(DAWN_CLI),
              {QStringLiteral("ics"), QStringLiteral("--settings"),
               folder.filePath(QStringLiteral("Dawncode.txt")), QStringLiteral("--from"),
               QStringLiteral("2024-03-20"), QStringLiteral("--to"), QStringLiteral("2024-03-31"),
               QStringLiteral("--almanac")});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    auto withoutStamps = [](QByteArray text) {
        for (qsizetype at = text.indexOf("DTSTAMP:"); at >= 0;
             at = text.indexOf("DTSTAMP:", at + 1))
            text.remove(at, text.indexOf("\r\n", at) - at);
        return text;
    };
    EXPECT_EQ(withoutStamps(cli.readAllStandardOutput()), withoutStamps(fromDialog));
    EXPECT_THAT(messages.shown, IsEmpty());
}

// The Light box adds the light to both files as `--light` does, from the
// settings' height and skyline and the events file beside the settings; a
// bad line of that file is shown, and the rest is written.
TEST_F(ExportDialogTest, LightBoxWritesWhatTheCommandLineWrites) {
    state.Settings.ZoneName = "Europe/Brussels";
    state.Settings.ObserverHeightMetres = 100;
    state.Settings.HorizonProfilePath =
        std::string(DAWN_SOURCE_DIR) + "/astro/testdata/jagged_horizon.txt";
    ASSERT_TRUE(SaveSettings(state.Settings, state.AppDir).ok);
    {
        QFile events(folder.filePath(QStringLiteral("Dawnevents.txt")));
        ASSERT_TRUE(events.open(QIODevice::WriteOnly));
        events.write("Photo;elevation;10;both\nBroken;sideways;1;both\n");
    }
    SetRange(QDate(2024, 6, 20), QDate(2024, 6, 22));
    dialog->ExportLight->setChecked(true);
    dialog->btnExport->click();
    const QByteArray text = Written();
    EXPECT_TRUE(text.contains(";Visible Sun Rise;Visible Sun Set;Photo Rising;Photo Setting\r\n"));
    const QString ics = folder.filePath(QStringLiteral("sky.ics"));
    chooser.calendarAnswer = ics;
    dialog->btnCalendar->click();
    QFile written(ics);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray calendar = written.readAll();
    EXPECT_TRUE(calendar.contains("UID:20240621-ownsetting-Photo-3047N-328E@dawnhelm\r\n"));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_NE(messages.shown[0].indexOf(QStringLiteral("line 2")), -1)
        << messages.shown[0].toStdString();

    auto run = [&](const QString& verb) {
        QProcess cli;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_GB.UTF-8"));
        cli.setProcessEnvironment(env);
        cli.start(
            QStringLiteral(DAWN_CLI),
            {verb, QStringLiteral("--settings"), folder.filePath(QStringLiteral("Dawncode.txt")),
             QStringLiteral("--from"), QStringLiteral("2024-06-20"), QStringLiteral("--to"),
             QStringLiteral("2024-06-22"), QStringLiteral("--light")});
        EXPECT_TRUE(cli.waitForFinished(30000));
        EXPECT_EQ(cli.exitCode(), 0);
        return cli.readAllStandardOutput();
    };
    auto withoutStamps = [](QByteArray text) {
        for (qsizetype at = text.indexOf("DTSTAMP:"); at >= 0;
             at = text.indexOf("DTSTAMP:", at + 1))
            text.remove(at, text.indexOf("\r\n", at) - at);
        return text;
    };
    EXPECT_EQ(run(QStringLiteral("export")), text);
    EXPECT_EQ(withoutStamps(run(QStringLiteral("ics"))), withoutStamps(calendar));
}

TEST(CommandLine, RefusesBadArgumentsAndDrawsTheGraphWithoutAScreen) {
    QTemporaryDir folder;
    const QString settings = folder.filePath(QStringLiteral("Dawncode.txt"));
    struct Case {
        QStringList args;
        int exitCode;
    };
    const Case cases[] = {
        {{"export", "--settings", settings, "--from", "2024-01-02", "--to", "2024-01-01"}, 2},
        {{"export", "--settings", settings, "--from", "1899-12-31", "--to", "1900-01-01"}, 2},
        {{"export", "--settings", settings, "--from", "2024-01-01"}, 2},
        {{"export", "--settings", settings, "--from", "2024-01-01", "--to", "2024-01-01",
          "--labels", folder.filePath("none.txt")},
         1},
        {{"export", "--settings", settings, "--from", "2024-01-01", "--to", "2024-01-01", "--out",
          folder.filePath("no/such/out.txt")},
         1},
        {{"graph", "--settings", settings, "--date", "2024-07-01", "--out",
          folder.filePath("g.gif")},
         2},
        {{"graph", "--settings", settings, "--date", "2024-02-30", "--out",
          folder.filePath("g.png")},
         2},
        {{"graph", "--settings", settings, "--date", "2024-07-01", "--out",
          folder.filePath("g.png")},
         0},
        {{"graph", "--settings", settings, "--date", "2024-07-01", "--moon", "--out",
          folder.filePath("g.pdf")},
         0},
        {{"graph", "--settings", settings, "--date", "2024-07-01", "--moon", "--light", "--out",
          folder.filePath("m.png")},
         2},
        {{"graph", "--settings", settings, "--date", "2024-07-01", "--light", "--out",
          folder.filePath("light.png")},
         0},
    };
    for (const Case& c : cases) {
        QProcess cli;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"),
                   QStringLiteral("xcb"));  // the verb must not need it
        cli.setProcessEnvironment(env);
        cli.start(QStringLiteral(DAWN_CLI), c.args);
        ASSERT_TRUE(cli.waitForFinished(60000));
        const QByteArray err = cli.readAllStandardError();
        EXPECT_EQ(cli.exitCode(), c.exitCode) << c.args.join(' ').toStdString() << "\n"
                                              << err.toStdString();
        EXPECT_TRUE(cli.readAllStandardOutput().isEmpty()) << c.args.join(' ').toStdString();
    }
    EXPECT_GT(QFileInfo(folder.filePath("g.png")).size(), 10000);
    EXPECT_GT(QFileInfo(folder.filePath("g.pdf")).size(), 10000);
    EXPECT_FALSE(QFileInfo::exists(folder.filePath("m.png")));
    EXPECT_GT(QFileInfo(folder.filePath("light.png")).size(), 10000);
}

#endif

}  // namespace
}  // namespace dawn
