// The main window's life in the notification area: the tray icon and its
// menu, tray mode on and off, what a close does, the two ending items, and
// the menu items that leave the program (home page, mail).
//
// Tray mode is the tick of SystrayMenu; the stored preference only decides
// the next start. The window can never become unreachable: without a
// notification area tray mode cannot be turned on, and a hidden start shows
// the window instead.
#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QSystemTrayIcon>

#include "present/export.h"
#include "ui/common/helpwindow.h"
#include "ui/common/links.h"
#include "ui/common/messages.h"
#include "ui/common/plaintext.h"
#include "ui/common/qtlocale.h"
#include "ui/main/mainwindow.h"

namespace dawn {
namespace {

const QString kNoNotificationArea = QStringLiteral(
    "This desktop has no notification area, so Dawnhelm cannot live there.\n"
    "The window stays open.");

}  // namespace

void MainWindow::BuildTray() {
    TrayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };

    TrayMenu = new QMenu(this);
    TrayMenu->setObjectName(QStringLiteral("TrayMenu"));
    auto add = [this](const char* name, const QString& caption) {
        QAction* action = TrayMenu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    TrayConfiguration = add("TrayConfiguration", QStringLiteral("&Configuration"));
    TrayAbout = add("TrayAbout", QStringLiteral("&About"));
    TraySkyView = add("TraySkyView", QStringLiteral("Sky view"));
    TrayPlaces = add("TrayPlaces", QStringLiteral("&Places"));
    TrayAlmanac = add("TrayAlmanac", QStringLiteral("&Almanac"));
    TraySeparator = TrayMenu->addSeparator();
    TraySeparator->setObjectName(QStringLiteral("TraySeparator"));
    TraySystrayOut = add("TraySystrayOut", QStringLiteral("Sys&tray Out"));
    Shutdown = add("Shutdown", QStringLiteral("Shu&tdown Dawnhelm"));

    TrayIcon = new QSystemTrayIcon(ProgramIcon(), this);
    TrayIcon->setObjectName(QStringLiteral("TrayIcon"));
    TrayIcon->setContextMenu(TrayMenu);  // opens by itself on a right click
    TrayIcon->setToolTip(PlainToolTip(TrayHint));
    setWindowIcon(ProgramIcon());

    connect(TrayConfiguration, &QAction::triggered, this, &MainWindow::ConfigurationActionClick);
    connect(TrayAbout, &QAction::triggered, this, &MainWindow::aboutRequested);
    connect(TraySkyView, &QAction::triggered, this, &MainWindow::skyViewRequested);
    connect(TrayPlaces, &QAction::triggered, this, &MainWindow::placesRequested);
    connect(TrayAlmanac, &QAction::triggered, this, &MainWindow::almanacRequested);
    connect(TraySystrayOut, &QAction::triggered, this, &MainWindow::SystrayMenuClick);
    connect(Shutdown, &QAction::triggered, this, &MainWindow::ShutdownClick);
    // A checkable action has flipped its tick before `triggered`; the handler
    // does the flip itself, as for TraySystrayOut and a close in tray mode.
    connect(SystrayMenu, &QAction::triggered, this, [this](bool checked) {
        SystrayMenu->setChecked(!checked);
        SystrayMenuClick();
    });
    // The menu items that leave the program (the about box connects its
    // mail label to OpenMailLink too).
    connect(this, &MainWindow::mailRequested, this, &MainWindow::OpenMailLink);
    connect(this, &MainWindow::homePageRequested, this, [] { OpenHomePage(); });
    connect(this, &MainWindow::trayHintChanged, TrayIcon,
            [this](const QString& hint) { TrayIcon->setToolTip(PlainToolTip(hint)); });
    connect(TrayIcon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                switch (reason) {
                    case QSystemTrayIcon::Trigger:
                    case QSystemTrayIcon::DoubleClick:
                        TrayIconMouseDown(Qt::LeftButton);
                        break;
                    case QSystemTrayIcon::MiddleClick:
                        TrayIconMouseDown(Qt::MiddleButton);
                        break;
                    default:
                        TrayIconMouseDown(Qt::RightButton);
                        break;
                }
            });
}

bool MainWindow::TrayIconStartup() {
    bool hidden = TrayStore.startHidden();
    // A hidden start on a desktop without a notification area would leave no
    // way back to the program: the window is shown and tray mode stays off
    // for this run (the stored choice is kept for a desktop that has one).
    if (hidden && !TrayAvailable()) hidden = false;
    SystrayMenu->setChecked(hidden);
    TrayIcon->setVisible(hidden);
    return !hidden;
}

void MainWindow::SystrayMenuClick() {
    const bool on = !SystrayMenu->isChecked();
    if (!on) {
        TrayStore.clear();
        SystrayMenu->setChecked(false);
        ShowMainWindow();
        TrayIcon->hide();
        return;
    }
    if (!TrayAvailable()) {
        SystrayMenu->setChecked(false);
        messages_.showMessage(this, kNoNotificationArea);
        return;
    }
    if (const std::optional<QString> error = TrayStore.setStartHidden()) {
        messages_.showMessage(this, *error);
        // The tick shows what is stored; when the file still says "hidden"
        // (an earlier write), tray mode goes on as asked.
        if (!TrayStore.startHidden()) {
            SystrayMenu->setChecked(false);
            return;
        }
    }
    SystrayMenu->setChecked(true);
    TrayIcon->show();  // the icon first, so the program stays reachable
    HideMainWindow();
}

void MainWindow::TrayIconMouseDown(Qt::MouseButton button) {
    if (button == Qt::LeftButton || button == Qt::MiddleButton) ShowMainWindow();
}

void MainWindow::ShutdownClick() {
    SystrayMenu->setChecked(false);
    TrayStore.clear();
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // When the desktop session ends the program closes even in tray mode,
    // which stays stored for the next start.
    if (SystrayMenu->isChecked() && !qGuiApp->isSavingSession()) {
        event->ignore();
        SystrayMenu->setChecked(false);
        SystrayMenuClick();  // ticks again, stores again, hides in the tray
        return;
    }
    event->accept();
    TrayIcon->hide();
    emit programEnds();
}

void MainWindow::ShowMainWindow() {
    if (isMinimized()) {
        showNormal();
    } else {
        show();
    }
    raise();
    activateWindow();
}

void MainWindow::HideMainWindow() {
    hide();
}

void MainWindow::OpenMailLink() {
    dawn::OpenMailLink(Q(MailSubject(state_)));
}

}  // namespace dawn
