// The program entry: the application title, then the six windows, created
// once each and in this order, wired together, and the message loop.
#include <unistd.h>

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <cstdlib>
#include <memory>
#include <string>

#include "core/folderlock.h"
#include "present/appstate.h"
#include "ui/config/taboutbox.h"
#include "ui/export/tdawnhelmdate.h"
#include "ui/graph/yeargraph.h"
#include "ui/main/helpwindow.h"
#include "ui/main/messages.h"
#include "ui/main/plaintext.h"
#include "ui/main/singleinstance.h"
#include "ui/main/soundplayer.h"
#include "ui/main/startup.h"
#include "ui/main/tform1.h"
#include "ui/main/tform2.h"
#include "ui/main/tform3.h"
#include "ui/main/tpassworddlg.h"

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

}  // namespace

int main(int argc, char** argv) {
    // The alarm sounds play through the media backend chosen here.
    dawn::ChooseMediaBackend();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(dawn::kApplicationTitle));
    QApplication::setApplicationVersion(QString::fromLatin1(dawn::kVersionText));
    // Hints are on for the whole program (Qt shows tooltips by default); the
    // manual is compiled in.
    dawn::LoadHelpResources();
    QApplication::setWindowIcon(dawn::ProgramIcon());
    // Texts from files and labels never show as rich text in a tooltip.
    dawn::InstallPlainToolTips(app);

    // One copy per folder: a second start brings the running copy's window
    // to the front, or says that a copy runs there, and ends. A folder that
    // cannot be locked is worked in without a lock.
    const std::string folder = WorkingFolder();
    const dawn::FolderLock lock(folder);
    if (lock.state() == dawn::FolderLock::State::Taken) {
        if (!dawn::AskRunningCopyToShow(folder)) {
            dawn::RealMessageBoxes().showMessage(
                nullptr, QStringLiteral("dawnhelm is already running in this folder:\n%1")
                             .arg(QFile::decodeName(QByteArray::fromStdString(folder))));
        }
        return 0;
    }

    auto help = std::make_unique<dawn::HelpWindow>();
    dawn::InstallHelpKey(help.get());

    // The records every window shares; they outlive the windows.
    dawn::AppState state;
    const dawn::StartupInputs inputs{folder, QLocale::system(), TodayFromSystem()};

    // The windows, in their order. The main window owns the others; it saves
    // the settings when it is destroyed.
    auto form1 = std::make_unique<dawn::TForm1>(state, inputs);
    auto* aboutBox = new dawn::TAboutBox(state, form1.get());
    auto* form2 = new dawn::TForm2(state, form1.get(), form1.get());
    auto* passwordDlg = new dawn::TPasswordDlg(form1.get());
    auto* form3 = new dawn::TForm3(form1.get());
    auto* dawnhelmDate = new dawn::TDawnhelmDate(state, form1.get());

    dawn::TForm1* main = form1.get();
    // The year graph draws into the picture window.
    // (It is destroyed before the windows, while the picture window exists.)
    auto graph = std::make_unique<dawn::YearGraph>(state, form2);
    QObject::connect(main, &dawn::TForm1::sunGraphRequested, graph.get(),
                     &dawn::YearGraph::DrawSunGraph);
    QObject::connect(main, &dawn::TForm1::moonGraphRequested, graph.get(),
                     &dawn::YearGraph::DrawMoonGraph);
    // An alarm's picture opens modally inside the tick that raised it.
    QObject::connect(main, &dawn::TForm1::imageRequested, form2,
                     [form2](const QString& file, bool stretch, const QString& caption,
                             std::chrono::minutes time, dawn::DayNumber date) {
                         form2->ShowImage(file, stretch, caption, time, date);
                     });
    // The configuration dialog is modal: the main window redraws the day
    // when the signal returns, and after every change the dialog makes.
    QObject::connect(main, &dawn::TForm1::configurationRequested, aboutBox,
                     [aboutBox] { aboutBox->exec(); });
    QObject::connect(aboutBox, &dawn::TAboutBox::dayChanged, main, &dawn::TForm1::ShowDay);
    // A sound preview plays through the main window's player, so that a
    // preview and an alarm never play at once; a picture preview opens in the
    // picture window like an alarm's picture.
    QObject::connect(aboutBox, &dawn::TAboutBox::soundPreviewRequested, main,
                     [main](const QString& file) { main->PlaySound(file); });
    QObject::connect(aboutBox, &dawn::TAboutBox::imagePreviewRequested, form2,
                     [form2](const QString& file, bool stretch, const QString& caption,
                             std::chrono::minutes time, dawn::DayNumber date) {
                         form2->ShowImage(file, stretch, caption, time, date);
                     });
    QObject::connect(main, &dawn::TForm1::exportRequested, dawnhelmDate,
                     [dawnhelmDate] { dawnhelmDate->exec(); });
    QObject::connect(main, &dawn::TForm1::aboutRequested, form3, [form3] { form3->exec(); });
    QObject::connect(main, &dawn::TForm1::translationGridRequested, passwordDlg, [passwordDlg] {
        passwordDlg->show();
        passwordDlg->raise();
        passwordDlg->activateWindow();
    });
    QObject::connect(main, &dawn::TForm1::helpRequested, help.get(),
                     &dawn::HelpWindow::ShowContext);
    QObject::connect(passwordDlg, &dawn::TPasswordDlg::gridRequested, main,
                     &dawn::TForm1::ShowTranslationGrid);
    QObject::connect(form3, &dawn::TForm3::mailLinkRequested, main, &dawn::TForm1::OpenMailLink);
    // The home page and the mail link are wired by the window itself.
    // The program lives on while its window hides in the notification area
    // (a dialog closed from the tray menu is then the last window); it ends
    // when the main window accepts a close.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(main, &dawn::TForm1::programEnds, &app, &QApplication::quit);

    // A second start in this folder asks for the window: it comes back as
    // from a click on the tray icon.
    dawn::InstanceServer instances(folder);
    QObject::connect(&instances, &dawn::InstanceServer::showRequested, main,
                     [main] { main->CoolTrayIcon1MouseDown(Qt::LeftButton); });

    // Left in tray mode, the program starts hidden with its icon.
    if (main->CoolTrayIcon1Startup()) main->show();
    return app.exec();
}
