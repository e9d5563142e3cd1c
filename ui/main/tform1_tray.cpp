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
#include "ui/locale/qtlocale.h"
#include "ui/main/tform1.h"

namespace dawn {
namespace {

const QString kNoNotificationArea = QStringLiteral(
    "This desktop has no notification area, so Dawnhelm cannot live there.\n"
    "The window stays open.");

}  // namespace

void TForm1::BuildTray() {
    TrayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    auto add = [this](const char* name, const QString& caption) {
        QAction* action = PopupMenu1->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    configuartion2 = add("configuartion2", QStringLiteral("&Configuration"));
    About2 = add("About2", QStringLiteral("&About"));
    N5 = PopupMenu1->addSeparator();
    N5->setObjectName(QStringLiteral("N5"));
    Systray2 = add("Systray2", QStringLiteral("Sys&tray Out"));
    Shutdown = add("Shutdown", QStringLiteral("Shu&tdown Dawnhelm"));

    CoolTrayIcon1 = new QSystemTrayIcon(ProgramIcon(), this);
    CoolTrayIcon1->setObjectName(QStringLiteral("CoolTrayIcon1"));
    CoolTrayIcon1->setContextMenu(PopupMenu1);  // opens by itself on a right click
    CoolTrayIcon1->setToolTip(PlainToolTip(TrayHint));
    setWindowIcon(ProgramIcon());

    connect(configuartion2, &QAction::triggered, this, &TForm1::Configuration1Click);
    connect(About2, &QAction::triggered, this, &TForm1::aboutRequested);
    connect(Systray2, &QAction::triggered, this, &TForm1::SystrayMenuClick);
    connect(Shutdown, &QAction::triggered, this, &TForm1::ShutdownClick);
    // A checkable action has flipped its tick before `triggered`; the handler
    // does the flip itself, as for Systray2 and a close in tray mode.
    connect(SystrayMenu, &QAction::triggered, this, [this](bool checked) {
        SystrayMenu->setChecked(!checked);
        SystrayMenuClick();
    });
    // The menu items that leave the program (the about box connects its
    // mail label to OpenMailLink too).
    connect(this, &TForm1::mailRequested, this, &TForm1::OpenMailLink);
    connect(this, &TForm1::homePageRequested, this, [] { OpenHomePage(); });
    connect(this, &TForm1::trayHintChanged, CoolTrayIcon1,
            [this](const QString& hint) { CoolTrayIcon1->setToolTip(PlainToolTip(hint)); });
    connect(CoolTrayIcon1, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                switch (reason) {
                    case QSystemTrayIcon::Trigger:
                    case QSystemTrayIcon::DoubleClick:
                        CoolTrayIcon1MouseDown(Qt::LeftButton);
                        break;
                    case QSystemTrayIcon::MiddleClick:
                        CoolTrayIcon1MouseDown(Qt::MiddleButton);
                        break;
                    default:
                        CoolTrayIcon1MouseDown(Qt::RightButton);
                        break;
                }
            });
}

bool TForm1::CoolTrayIcon1Startup() {
    bool hidden = TrayStore.startHidden();
    // A hidden start on a desktop without a notification area would leave no
    // way back to the program: the window is shown and tray mode stays off
    // for this run (the stored choice is kept for a desktop that has one).
    if (hidden && !TrayAvailable()) hidden = false;
    SystrayMenu->setChecked(hidden);
    CoolTrayIcon1->setVisible(hidden);
    return !hidden;
}

void TForm1::SystrayMenuClick() {
    const bool on = !SystrayMenu->isChecked();
    if (!on) {
        TrayStore.clear();
        SystrayMenu->setChecked(false);
        ShowMainWindow();
        CoolTrayIcon1->hide();
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
    CoolTrayIcon1->show();  // the icon first, so the program stays reachable
    HideMainWindow();
}

void TForm1::CoolTrayIcon1MouseDown(Qt::MouseButton button) {
    if (button == Qt::LeftButton || button == Qt::MiddleButton) ShowMainWindow();
}

void TForm1::ShutdownClick() {
    SystrayMenu->setChecked(false);
    TrayStore.clear();
    close();
}

void TForm1::closeEvent(QCloseEvent* event) {
    // When the desktop session ends the program closes even in tray mode,
    // which stays stored for the next start.
    if (SystrayMenu->isChecked() && !qGuiApp->isSavingSession()) {
        event->ignore();
        SystrayMenu->setChecked(false);
        SystrayMenuClick();  // ticks again, stores again, hides in the tray
        return;
    }
    event->accept();
    CoolTrayIcon1->hide();
    emit programEnds();
}

void TForm1::ShowMainWindow() {
    if (isMinimized()) {
        showNormal();
    } else {
        show();
    }
    raise();
    activateWindow();
}

void TForm1::HideMainWindow() {
    hide();
}

void TForm1::OpenMailLink() {
    dawn::OpenMailLink(Q(MailSubject(state_)));
}

}  // namespace dawn
