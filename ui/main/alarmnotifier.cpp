#include "ui/main/alarmnotifier.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QImage>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <QVariantMap>

namespace dawn {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
// The icon's name in the icon theme and the desktop entry, as installed.
const QString kIconName = QStringLiteral("dawnhelm");
const QString kDesktopEntry = QStringLiteral("org.example.dawnhelm");
constexpr int kImageSize = 64;
// The icon's message stays this long where the desktop lets it choose.
constexpr int kTrayMessageMs = 10000;

// The icon as the notification's own image (raw RGBA rows), so that it shows
// also where the icon theme does not know the program.
QVariant ImageData(const QIcon& icon) {
    const QImage image =
        icon.pixmap(kImageSize, kImageSize).toImage().convertToFormat(QImage::Format_RGBA8888);
    if (image.isNull()) return {};
    QDBusArgument data;
    data.beginStructure();
    data << image.width() << image.height() << static_cast<int>(image.bytesPerLine()) << true << 8
         << 4
         << QByteArray(reinterpret_cast<const char*>(image.constBits()),
                       static_cast<int>(image.sizeInBytes()));
    data.endStructure();
    return QVariant::fromValue(data);
}

}  // namespace

std::function<bool(const AlarmNotice&)> TrayMessageVia(QSystemTrayIcon* icon) {
    return [tray = QPointer<QSystemTrayIcon>(icon)](const AlarmNotice& notice) {
        if (tray.isNull() || !tray->isVisible() || !QSystemTrayIcon::supportsMessages())
            return false;
        tray->showMessage(notice.title, notice.body, tray->icon(), kTrayMessageMs);
        return true;
    };
}

std::function<void(const AlarmNotice&)> NoticeWindowOver(QWidget* parent) {
    return [owner = QPointer<QWidget>(parent)](const AlarmNotice& notice) {
        auto* box = new QMessageBox(QMessageBox::Information, notice.title,
                                    notice.title + QStringLiteral("\n\n") + notice.body,
                                    QMessageBox::Ok, owner.data());
        box->setObjectName(QLatin1String(kNoticeWindowName));
        box->setTextFormat(Qt::PlainText);
        box->setWindowModality(Qt::NonModal);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setAttribute(Qt::WA_ShowWithoutActivating);
        box->show();
    };
}

AlarmNotifier::AlarmNotifier(QDBusConnection bus, QIcon icon, QObject* parent)
    : QObject(parent), bus_(std::move(bus)), icon_(std::move(icon)) {}

void AlarmNotifier::Deliver(AlarmChannel channel, const AlarmNotice& notice,
                            AlarmFallbacks fallbacks) {
    const bool picture = channel != AlarmChannel::Notification;
    if (channel != AlarmChannel::Picture) {
        // Asked before the picture opens: its window may hold the tick.
        if (!bus_.isConnected())
            FallBack(notice, fallbacks, picture);
        else if (bodyMarkup_)
            Notify(notice, fallbacks, picture);
        else
            AskCapabilities(notice, fallbacks, picture);
    }
    if (picture) {
        if (fallbacks.picture) fallbacks.picture();
        emit delivered(AlarmRoute::Picture);
    }
}

void AlarmNotifier::Call(const QDBusMessage& message,
                         std::function<void(const QDBusMessage&)> answered,
                         std::function<void()> failed) {
    const QDBusPendingCall call = bus_.asyncCall(message, static_cast<int>(timeout_.count()));
    auto* watcher = new QDBusPendingCallWatcher(call, this);
    connect(
        watcher, &QDBusPendingCallWatcher::finished, this,
        [answered = std::move(answered), failed = std::move(failed)](QDBusPendingCallWatcher* w) {
            w->deleteLater();
            if (w->isError())
                failed();
            else
                answered(w->reply());
        });
}

void AlarmNotifier::AskCapabilities(const AlarmNotice& notice, const AlarmFallbacks& fallbacks,
                                    bool picture) {
    const QDBusMessage ask = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                            QStringLiteral("GetCapabilities"));
    Call(
        ask,
        [this, notice, fallbacks, picture](const QDBusMessage& reply) {
            const QStringList capabilities = reply.arguments().isEmpty()
                                                 ? QStringList()
                                                 : reply.arguments().first().toStringList();
            bodyMarkup_ = capabilities.contains(QStringLiteral("body-markup"));
            Notify(notice, fallbacks, picture);
        },
        [this, notice, fallbacks, picture] { FallBack(notice, fallbacks, picture); });
}

void AlarmNotifier::Notify(const AlarmNotice& notice, const AlarmFallbacks& fallbacks,
                           bool picture) {
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), kDesktopEntry);
    if (const QVariant image = ImageData(icon_); image.isValid())
        hints.insert(QStringLiteral("image-data"), image);
    // A service that reads markup would take a "<" of a label for a tag.
    const QString body = bodyMarkup_.value_or(true) ? notice.body.toHtmlEscaped() : notice.body;
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    call << QStringLiteral("Dawnhelm") << 0u << kIconName << notice.title << body << QStringList()
         << hints << -1;
    Call(
        call, [this](const QDBusMessage&) { emit delivered(AlarmRoute::Notification); },
        [this, notice, fallbacks, picture] { FallBack(notice, fallbacks, picture); });
}

void AlarmNotifier::FallBack(const AlarmNotice& notice, const AlarmFallbacks& fallbacks,
                             bool pictureTaken) {
    if (fallbacks.trayMessage && fallbacks.trayMessage(notice)) {
        emit delivered(AlarmRoute::TrayMessage);
        return;
    }
    if (pictureTaken) return;
    if (fallbacks.noticeWindow) {
        fallbacks.noticeWindow(notice);
        emit delivered(AlarmRoute::NoticeWindow);
        return;
    }
    if (fallbacks.picture) fallbacks.picture();
    emit delivered(AlarmRoute::Picture);
}

}  // namespace dawn
