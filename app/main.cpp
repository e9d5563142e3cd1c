// The program entry: the application title, then the six windows, created
// once each and in this order, wired together, and the message loop.
#include <unistd.h>

#include <QApplication>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/folderlock.h"
#include "core/horizonprofile.h"
#include "present/appstate.h"
#include "ui/alignment/alignmentdialog.h"
#include "ui/almanac/almanacwindow.h"
#include "ui/common/helpwindow.h"
#include "ui/common/messages.h"
#include "ui/common/plaintext.h"
#include "ui/common/qtlocale.h"
#include "ui/config/settingsdialog.h"
#include "ui/export/exportdialog.h"
#include "ui/graph/yearchartview.h"
#include "ui/graph/yeargraph.h"
#include "ui/locale/qttranslations.h"
#include "ui/main/aboutdialog.h"
#include "ui/main/deferredicons.h"
#include "ui/main/mainwindow.h"
#include "ui/main/passworddialog.h"
#include "ui/main/singleinstance.h"
#include "ui/main/soundplayer.h"
#include "ui/main/startup.h"
#include "ui/picture/picturewindow.h"
#include "ui/places/placeswindow.h"
#include "ui/skyview/skyviewwindow.h"

namespace {

// The working folder as the system names it: bytes, whatever their
// encoding, so that a folder whose name is not UTF-8 is found again.
std::string WorkingFolder() {
    std::string folder;
    if (char* cwd = ::getcwd(nullptr, 0)) {
        folder = cwd;
        std::free(cwd);
    } else {
        folder = QFile::encodeName(QDir::currentPath()).toStdString();
    }
    return folder;
}

std::chrono::year_month_day TodayFromSystem() {
    const QDate today = QDate::currentDate();
    return std::chrono::year_month_day(std::chrono::year(today.year()),
                                       std::chrono::month(unsigned(today.month())),
                                       std::chrono::day(unsigned(today.day())));
}

// A window made, and wired, the first time it is asked for.
template <typename Window>
class OnFirstUse {
public:
    explicit OnFirstUse(std::function<Window*()> make) : make_(std::move(make)) {}
    Window& operator()() {
        if (window_ == nullptr) window_ = make_();
        return *window_;
    }
    // The window once made, else none.
    Window* Made() const { return window_; }

private:
    std::function<Window*()> make_;
    Window* window_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    // The alarm sounds play through the media backend chosen here.
    dawn::ChooseMediaBackend();
    QApplication app(argc, argv);
    QApplication::setStyle(new dawn::DeferredIconStyle);
    QApplication::setApplicationName(QString::fromLatin1(dawn::kApplicationTitle));
    QApplication::setApplicationVersion(QString::fromLatin1(dawn::kVersionText));
    // Hints are on for the whole program (Qt shows tooltips by default); the
    // manual is compiled in.
    dawn::LoadHelpResources();
    QApplication::setWindowIcon(dawn::ProgramIcon());
    // Texts from files and labels never show as rich text in a tooltip.
    dawn::InstallPlainToolTips(app);

    // One copy per folder: a second start brings the running copy's window
    // to the front, or says that a copy runs there, and ends. The lock and
    // the socket live in a folder of the user's own. A folder that cannot be
    // locked (no such folder of the user's can be had) is worked in without
    // a lock, and standard error says why.
    const std::string folder = WorkingFolder();
    const dawn::PrivateFolder own =
        dawn::UserPrivateFolder(qEnvironmentVariable("XDG_RUNTIME_DIR").toStdString(),
                                QFile::encodeName(QDir::tempPath()).toStdString());
    const dawn::FolderLock lock(folder, own);
    if (lock.state() == dawn::FolderLock::State::Unavailable)
        std::fprintf(stderr, "dawnhelm: %s The folder is worked in without a lock.\n",
                     lock.error().c_str());
    if (lock.state() == dawn::FolderLock::State::Taken) {
        if (!dawn::AskRunningCopyToShow(folder, own)) {
            dawn::RealMessageBoxes().showMessage(
                nullptr, QStringLiteral("dawnhelm is already running in this folder:\n%1")
                             .arg(QFile::decodeName(QByteArray::fromStdString(folder))));
        }
        return 0;
    }

    // The records every window shares; they outlive the windows.
    dawn::AppState state;
    const dawn::StartupInputs inputs{folder, QLocale::system(), TodayFromSystem()};

    // The windows. The main window and the picture window are made at once;
    // every other window is made (and wired) when it is first asked for, so
    // that the main window comes up sooner. The main window owns the others
    // and saves the settings when it is destroyed, at the end, while the
    // holders below still stand, so that a window asked for while it closes
    // is still there.
    // Qt's own texts (standard buttons, the file and print dialogs) follow
    // the chosen language; it outlives every window.
    dawn::QtTranslations qtTexts;
    std::unique_ptr<dawn::MainWindow> form1;
    dawn::PictureWindow* form2 = nullptr;
    // The manual has no owner window; it is closed with the program.
    std::unique_ptr<dawn::HelpWindow> help;
    OnFirstUse<dawn::HelpWindow> helpWindow([&help] {
        help = std::make_unique<dawn::HelpWindow>();
        return help.get();
    });
    // The places window: a place shown from it redraws the main window.
    OnFirstUse<dawn::PlacesWindow> placesWindow([&state, &form1] {
        auto* window = new dawn::PlacesWindow(state, form1.get());
        QObject::connect(window, &dawn::PlacesWindow::placeChanged, form1.get(),
                         &dawn::MainWindow::ShowDay);
        return window;
    });
    // The configuration dialog is modal: the main window redraws the day
    // when the signal returns, and after every change the dialog makes. The
    // places window, when it is open, lists the places the dialog saves.
    OnFirstUse<dawn::SettingsDialog> aboutBox([&state, &form1, &form2, &placesWindow] {
        dawn::MainWindow* main = form1.get();
        dawn::PictureWindow* pictures = form2;
        auto* box = new dawn::SettingsDialog(state, main);
        QObject::connect(box, &dawn::SettingsDialog::dayChanged, main, &dawn::MainWindow::ShowDay);
        QObject::connect(box, &dawn::SettingsDialog::savedPlacesChanged, main, [&placesWindow] {
            if (dawn::PlacesWindow* places = placesWindow.Made(); places && places->isVisible())
                places->Refresh();
        });
        // A sound preview plays through the main window's player, so that a
        // preview and an alarm never play at once; a picture preview opens
        // in the picture window like an alarm's picture.
        QObject::connect(box, &dawn::SettingsDialog::soundPreviewRequested, main,
                         [main](const QString& file) { main->PlaySound(file); });
        QObject::connect(box, &dawn::SettingsDialog::imagePreviewRequested, pictures,
                         [pictures](const QString& file, bool stretch, const QString& caption,
                                    std::chrono::minutes time, dawn::DayNumber date) {
                             pictures->ShowImage(file, stretch, caption, time, date);
                         });
        return box;
    });
    OnFirstUse<dawn::TranslationGridPasswordDialog> passwordDlg([&form1] {
        auto* dialog = new dawn::TranslationGridPasswordDialog(form1.get());
        QObject::connect(dialog, &dawn::TranslationGridPasswordDialog::gridRequested, form1.get(),
                         &dawn::MainWindow::ShowTranslationGrid);
        return dialog;
    });
    OnFirstUse<dawn::AboutDialog> form3([&form1] {
        auto* box = new dawn::AboutDialog(form1.get());
        QObject::connect(box, &dawn::AboutDialog::mailLinkRequested, form1.get(),
                         &dawn::MainWindow::OpenMailLink);
        return box;
    });
    OnFirstUse<dawn::ExportDialog> dawnhelmDate(
        [&state, &form1] { return new dawn::ExportDialog(state, form1.get()); });
    // The almanac window: a click on an event moves the main window's
    // calendar to its date.
    OnFirstUse<dawn::AlmanacWindow> almanacWindow([&state, &form1] {
        dawn::MainWindow* main = form1.get();
        auto* window = new dawn::AlmanacWindow(state, main);
        QObject::connect(window, &dawn::AlmanacWindow::dateChosen, main,
                         [main](dawn::DayNumber date) { main->JumpToDate(dawn::ToQDate(date)); });
        return window;
    });
    // The year graph's chart lives in the picture window, hidden.
    std::unique_ptr<dawn::YearGraph> graph;
    OnFirstUse<dawn::YearGraph> yearGraph([&graph, &state, &form2] {
        graph = std::make_unique<dawn::YearGraph>(state, form2);
        form2->SetGraph(graph->Graph());
        return graph.get();
    });

    // The sky view shows the shown date, marked at this minute on today, with
    // the skyline of the settings' horizon profile (read again when its path
    // changes). Open, it follows the shown date and, on today, the clock.
    OnFirstUse<dawn::SkyViewWindow> skyView(
        [&form1] { return new dawn::SkyViewWindow(form1.get()); });
    std::string skyProfilePath;
    std::vector<dawn::HorizonPoint> skyProfile;
    const auto skyViewNow = [&state, &skyProfilePath, &skyProfile] {
        if (state.Settings.HorizonProfilePath != skyProfilePath) {
            skyProfilePath = state.Settings.HorizonProfilePath;
            skyProfile.clear();
            if (!skyProfilePath.empty())
                skyProfile = dawn::ReadHorizonProfile(skyProfilePath).points;
        }
        const dawn::UtInstant now{std::chrono::milliseconds{QDateTime::currentMSecsSinceEpoch()}};
        return dawn::BuildSkyView(state.Settings, state.Current, state.Shown,
                                  state.Locale.DateText(state.Shown), now, skyProfile);
    };
    const auto showSkyView = [&state, &skyView, skyViewNow] {
        skyView().Load(skyViewNow(), state.Current, state.Locale);
        skyView().show();
        skyView().raise();
        skyView().activateWindow();
    };
    long long skyMinute = -1;
    const auto followSkyView = [&skyView, &skyMinute, skyViewNow](bool everyMinute) {
        dawn::SkyViewWindow* window = skyView.Made();
        if (window == nullptr || !window->isVisible()) return;
        const long long minute = QDateTime::currentSecsSinceEpoch() / 60;
        if (everyMinute && minute == skyMinute) return;
        skyMinute = minute;
        window->Follow(skyViewNow());
    };
    // The alignment finder, made anew for each use so that it takes the
    // place and the language of that moment; a chosen date is shown in the
    // main window.
    const auto showAlignments = [&state, &form1] {
        auto* dialog = new dawn::AlignmentDialog(state.Settings, state.Current, state.Locale,
                                                 state.Shown, form1.get());
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(
            dialog, &dawn::AlignmentDialog::dateChosen, form1.get(),
            [&form1](dawn::DayNumber date) { form1->JumpToDate(dawn::ToQDate(date)); });
        dialog->show();
    };

    form1 = std::make_unique<dawn::MainWindow>(state, inputs);
    dawn::MainWindow* main = form1.get();
    qtTexts.Apply(state.Current.languageIndex, inputs.Locale);
    // The main window redraws after every change of the language.
    QObject::connect(main, &dawn::MainWindow::trayHintChanged, main, [&qtTexts, &state, &inputs] {
        qtTexts.Apply(state.Current.languageIndex, inputs.Locale);
    });
    form2 = new dawn::PictureWindow(state, main, main);

    QObject::connect(main, &dawn::MainWindow::sunGraphRequested, main,
                     [&yearGraph] { yearGraph().DrawSunGraph(); });
    QObject::connect(main, &dawn::MainWindow::moonGraphRequested, main,
                     [&yearGraph] { yearGraph().DrawMoonGraph(); });
    // An alarm's picture opens modally inside the tick that raised it.
    QObject::connect(main, &dawn::MainWindow::imageRequested, form2,
                     [form2](const QString& file, bool stretch, const QString& caption,
                             std::chrono::minutes time, dawn::DayNumber date) {
                         form2->ShowImage(file, stretch, caption, time, date);
                     });
    QObject::connect(main, &dawn::MainWindow::configurationRequested, main,
                     [&aboutBox] { aboutBox().exec(); });
    QObject::connect(main, &dawn::MainWindow::exportRequested, main,
                     [&dawnhelmDate] { dawnhelmDate().exec(); });
    QObject::connect(main, &dawn::MainWindow::aboutRequested, main, [&form3] { form3().exec(); });
    QObject::connect(main, &dawn::MainWindow::skyViewRequested, main, showSkyView);
    // Each new day view (another date, place or language) redraws it.
    QObject::connect(main, &dawn::MainWindow::trayHintChanged, main,
                     [followSkyView] { followSkyView(false); });
    QObject::connect(main->ClockTimer, &QTimer::timeout, main, [followSkyView, &state] {
        if (state.Shown == state.Today) followSkyView(true);
    });
    QObject::connect(main, &dawn::MainWindow::alignmentsRequested, main, showAlignments);
    QObject::connect(main, &dawn::MainWindow::placesRequested, main, [&placesWindow] {
        placesWindow().show();
        placesWindow().raise();
        placesWindow().activateWindow();
    });
    QObject::connect(main, &dawn::MainWindow::almanacRequested, main,
                     [&almanacWindow] { almanacWindow().ShowYearOfShownDate(); });
    QObject::connect(main, &dawn::MainWindow::translationGridRequested, main, [&passwordDlg] {
        passwordDlg().show();
        passwordDlg().raise();
        passwordDlg().activateWindow();
    });
    dawn::InstallHelpKey(main, [&helpWindow]() -> dawn::HelpWindow& { return helpWindow(); });
    QObject::connect(main, &dawn::MainWindow::helpRequested, main,
                     [&helpWindow](int context) { helpWindow().ShowContext(context); });
    // The home page and the mail link are wired by the window itself.
    // The program lives on while its window hides in the notification area
    // (a dialog closed from the tray menu is then the last window); it ends
    // when the main window accepts a close.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(main, &dawn::MainWindow::programEnds, &app, &QApplication::quit);

    // A second start in this folder asks for the window: it comes back as
    // from a click on the tray icon.
    dawn::InstanceServer instances(folder, own);
    QObject::connect(&instances, &dawn::InstanceServer::showRequested, main,
                     [main] { main->TrayIconMouseDown(Qt::LeftButton); });

    // Left in tray mode, the program starts hidden with its icon.
    if (main->TrayIconStartup()) main->show();
    const int result = app.exec();
    // The graph goes before the picture window it draws into, and the main
    // window with the windows it owns before their holders.
    graph.reset();
    form1.reset();
    return result;
}
