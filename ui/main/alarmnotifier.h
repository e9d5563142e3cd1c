// How an alarm reaches the user when it is not only the picture window: a
// desktop notification through the freedesktop notification service on the
// session bus, else the notification-area icon's message, else a small
// window with the notification's words (never the full-screen picture, which
// says nothing of an offset).
//
// Nothing here blocks the clock tick. The service is asked asynchronously
// with a short timeout; a call that fails or stays unanswered hands the
// notice to the next way in the event loop, after the tick has long ended.
// A notification never takes the focus: the service shows it beside the
// user's work. The windows are reached only through the callbacks given.
#pragma once

#include <QDBusConnection>
#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>
#include <chrono>
#include <functional>
#include <optional>

#include "core/alarm.h"

class QDBusMessage;
class QSystemTrayIcon;
class QWidget;

namespace dawn {

struct AlarmNotice {
    QString title;  // "Sunset in 15 minutes"
    QString body;   // "Sunset at 21:40, azimuth 305°"; plain text
};

// The ways a notice can reach the user.
enum class AlarmRoute { Notification, TrayMessage, Picture, NoticeWindow };

struct AlarmFallbacks {
    // Shows the notice as the notification-area icon's message; false when
    // no icon is shown to carry it.
    std::function<bool(const AlarmNotice&)> trayMessage;
    // Opens the picture window of the alarm.
    std::function<void()> picture;
    // Shows the notice in a small window of its own.
    std::function<void(const AlarmNotice&)> noticeWindow;
};

// The notification-area fallback through `icon`: its message while the icon
// is shown, false otherwise (or once the icon is gone).
std::function<bool(const AlarmNotice&)> TrayMessageVia(QSystemTrayIcon* icon);

// The small window's fallback: a message window over `parent` with the
// notice's title and body as plain text, which neither waits for an answer
// nor takes the focus from the user's work.
inline constexpr const char* kNoticeWindowName = "AlarmNoticeWindow";
std::function<void(const AlarmNotice&)> NoticeWindowOver(QWidget* parent);

class AlarmNotifier : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kDefaultTimeout{2000};

    // `bus` is the session bus in the program, a private bus in tests;
    // `icon` is the program's icon, sent along as the notification's image.
    AlarmNotifier(QDBusConnection bus, QIcon icon, QObject* parent = nullptr);

    // How long one call to the service may take before the next way is used.
    void SetTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }

    // Shows `notice` the way `channel` says and returns at once. Picture:
    // the picture window. Notification: a desktop notification, else the
    // icon's message, else the notice window (the picture window when there
    // is none). Both: the picture window and a desktop notification, else
    // the icon's message.
    void Deliver(AlarmChannel channel, const AlarmNotice& notice, AlarmFallbacks fallbacks);

signals:
    // Once for every way the notice was shown.
    void delivered(dawn::AlarmRoute route);

private:
    void AskCapabilities(const AlarmNotice& notice, const AlarmFallbacks& fallbacks, bool picture);
    void Notify(const AlarmNotice& notice, const AlarmFallbacks& fallbacks, bool picture);
    // The notification failed: the icon's message, else (unless the channel
    // shows the picture anyway) the picture window.
    void FallBack(const AlarmNotice& notice, const AlarmFallbacks& fallbacks, bool pictureTaken);
    void Call(const QDBusMessage& message, std::function<void(const QDBusMessage&)> answered,
              std::function<void()> failed);

    QDBusConnection bus_;
    QIcon icon_;
    std::chrono::milliseconds timeout_ = kDefaultTimeout;
    // Whether the service reads markup in the body; unknown until it is asked.
    std::optional<bool> bodyMarkup_;
};

}  // namespace dawn
