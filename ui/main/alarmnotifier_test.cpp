#include "ui/main/alarmnotifier.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>

#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "core/alarmevents.h"
#include "ui/common/helpwindow.h"
#include "ui/common/testsupport/recording_messages.h"
#include "ui/main/clock.h"
#include "ui/main/mainwindow.h"

namespace dawn {
namespace {

using std::chrono::milliseconds;

// A session bus of the test's own: no desktop's services, nothing started
// on demand, gone with the test.
class PrivateBus {
public:
    PrivateBus() {
        QFile config(dir_.filePath(QStringLiteral("bus.conf")));
        if (!config.open(QIODevice::WriteOnly)) return;
        config.write(
            QStringLiteral(
                "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration "
                "1.0//EN\"\n"
                " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                "<busconfig><type>session</type><listen>unix:dir=%1</listen>\n"
                "<auth>EXTERNAL</auth><policy context=\"default\">\n"
                "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>\n"
                "<allow own=\"*\"/></policy></busconfig>\n")
                .arg(dir_.path())
                .toUtf8());
        config.close();
        // The bus ends with the test program, also when it crashes.
        daemon_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--config-file=") + config.fileName(),
                       QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        if (!daemon_.waitForStarted(5000)) return;
        while (!daemon_.canReadLine() && daemon_.waitForReadyRead(5000)) {
        }
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    ~PrivateBus() {
        for (const QString& name : names_) QDBusConnection::disconnectFromBus(name);
        daemon_.kill();
        daemon_.waitForFinished(5000);
    }
    bool Running() const { return !address_.isEmpty(); }
    // A new connection to the bus.
    QDBusConnection Connect(const QString& name) {
        names_ << name;
        return QDBusConnection::connectToBus(address_, name);
    }

private:
    QTemporaryDir dir_;
    QProcess daemon_;
    QString address_;
    QStringList names_;
};

// The notification service as the test needs it: it answers, refuses, or
// stays silent, and keeps what it was sent.
class FakeNotifications : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    enum class Mode { Answer, Refuse, Silent };
    struct Received {
        QString app, icon, title, body, desktopEntry;
        QSize imageSize;
        int imageBytes = 0;
    };
    Mode mode = Mode::Answer;
    QStringList capabilities{QStringLiteral("body")};
    std::vector<Received> received;

public slots:
    QStringList GetCapabilities() {
        if (Answered()) return capabilities;
        return {};
    }
    uint Notify(const QString& app, uint, const QString& icon, const QString& title,
                const QString& body, const QStringList&, const QVariantMap& hints, int) {
        Received r;
        r.app = app;
        r.icon = icon;
        r.title = title;
        r.body = body;
        r.desktopEntry = hints.value(QStringLiteral("desktop-entry")).toString();
        if (hints.contains(QStringLiteral("image-data"))) {
            const QDBusArgument image =
                hints.value(QStringLiteral("image-data")).value<QDBusArgument>();
            int width = 0, height = 0, stride = 0, bits = 0, channels = 0;
            bool alpha = false;
            QByteArray data;
            image.beginStructure();
            image >> width >> height >> stride >> alpha >> bits >> channels >> data;
            image.endStructure();
            r.imageSize = QSize(width, height);
            r.imageBytes = static_cast<int>(data.size());
        }
        received.push_back(r);
        return Answered() ? static_cast<uint>(received.size()) : 0u;
    }

private:
    bool Answered() {
        if (mode == Mode::Answer) return true;
        setDelayedReply(true);
        if (mode == Mode::Refuse)
            connection().send(
                message().createErrorReply(QDBusError::AccessDenied, QStringLiteral("no")));
        return false;
    }
};

class AlarmNotifierTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(bus_.Running()) << "dbus-daemon did not start";
        client_ = std::make_unique<QDBusConnection>(bus_.Connect(QStringLiteral("client")));
        ASSERT_TRUE(client_->isConnected());
    }
    // Puts the fake service on the bus.
    void StartService() {
        service_ = std::make_unique<QDBusConnection>(bus_.Connect(QStringLiteral("service")));
        ASSERT_TRUE(service_->registerObject(QStringLiteral("/org/freedesktop/Notifications"),
                                             &fake_, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(service_->registerService(QStringLiteral("org.freedesktop.Notifications")));
    }
    void SetServicePresent(bool present) {
        const QString name = QStringLiteral("org.freedesktop.Notifications");
        if (!service_) StartService();
        if (present)
            ASSERT_TRUE(service_->registerService(name));
        else
            service_->unregisterService(name);
        ASSERT_EQ(client_->interface()->isServiceRegistered(name).value(), present);
    }
    // The fallbacks, counting their use; `tray` says whether an icon is shown.
    AlarmFallbacks Fallbacks(bool tray) {
        return {[this, tray](const AlarmNotice& n) {
                    if (tray) trayTexts_ << n.title + QStringLiteral("|") + n.body;
                    return tray;
                },
                [this] { ++pictures_; },
                [this](const AlarmNotice& n) {
                    windowTexts_ << n.title + QStringLiteral("|") + n.body;
                }};
    }
    // Every route taken, once the routes stop coming (or `expected` arrived).
    std::vector<AlarmRoute> Routes(QSignalSpy& spy, int expected) {
        for (int i = 0; i < 50 && spy.count() < expected; ++i) spy.wait(100);
        QTest::qWait(50);
        std::vector<AlarmRoute> routes;
        for (const QList<QVariant>& args : spy) routes.push_back(args.at(0).value<AlarmRoute>());
        return routes;
    }

    PrivateBus bus_;
    std::unique_ptr<QDBusConnection> client_;
    std::unique_ptr<QDBusConnection> service_;
    FakeNotifications fake_;
    QStringList trayTexts_;
    QStringList windowTexts_;
    int pictures_ = 0;
    const AlarmNotice notice_{QStringLiteral("Sunset in 15 minutes"),
                              QStringLiteral("Sunset at 21:40, azimuth 305°")};
};

TEST_F(AlarmNotifierTest, ANotificationArrivesWithTitleBodyAndIcon) {
    StartService();
    AlarmNotifier notifier(*client_, ProgramIcon());
    QSignalSpy spy(&notifier, &AlarmNotifier::delivered);
    notifier.Deliver(AlarmChannel::Notification, notice_, Fallbacks(true));
    // The tick goes on at once: nothing has reached the service yet.
    EXPECT_TRUE(fake_.received.empty());
    EXPECT_EQ(Routes(spy, 1), std::vector<AlarmRoute>{AlarmRoute::Notification});
    ASSERT_EQ(fake_.received.size(), 1u);
    const FakeNotifications::Received& r = fake_.received[0];
    EXPECT_EQ(r.app, QStringLiteral("Dawnhelm"));
    EXPECT_EQ(r.icon, QStringLiteral("dawnhelm"));
    EXPECT_EQ(r.desktopEntry, QStringLiteral("org.example.dawnhelm"));
    EXPECT_EQ(r.title, notice_.title);
    EXPECT_EQ(r.body, notice_.body);
    EXPECT_EQ(r.imageSize, QSize(64, 64));
    EXPECT_EQ(r.imageBytes, 64 * 64 * 4);
    EXPECT_TRUE(trayTexts_.isEmpty());
    EXPECT_EQ(pictures_, 0);
}

TEST_F(AlarmNotifierTest, TheBodyStaysPlainTextWhereTheServiceReadsMarkup) {
    const AlarmNotice odd{QStringLiteral("<b>Sunset</b> in 15 minutes"),
                          QStringLiteral("<b>Sun & set</b> at 21:40")};
    const struct {
        QStringList capabilities;
        QString body;
    } cases[] = {
        {{QStringLiteral("body")}, QStringLiteral("<b>Sun & set</b> at 21:40")},
        {{QStringLiteral("body"), QStringLiteral("body-markup")},
         QStringLiteral("&lt;b&gt;Sun &amp; set&lt;/b&gt; at 21:40")},
    };
    StartService();
    for (const auto& c : cases) {
        fake_.capabilities = c.capabilities;
        fake_.received.clear();
        AlarmNotifier notifier(*client_, QIcon());
        QSignalSpy spy(&notifier, &AlarmNotifier::delivered);
        notifier.Deliver(AlarmChannel::Notification, odd, Fallbacks(false));
        Routes(spy, 1);
        ASSERT_EQ(fake_.received.size(), 1u);
        EXPECT_EQ(fake_.received[0].title, odd.title);  // the title is never markup
        EXPECT_EQ(fake_.received[0].body, c.body);
        EXPECT_TRUE(fake_.received[0].imageSize.isEmpty());  // no icon, no image
    }
}

TEST_F(AlarmNotifierTest, WithoutTheServiceTheNextWayIsUsed) {
    enum class Service { Absent, Refuses, Silent };
    const struct {
        const char* what;
        Service service;
        AlarmChannel channel;
        bool tray;
        std::vector<AlarmRoute> routes;
        int pictures;
    } cases[] = {
        {"no service, icon shown",
         Service::Absent,
         AlarmChannel::Notification,
         true,
         {AlarmRoute::TrayMessage},
         0},
        {"no service, no icon: the notice's own window, not the picture",
         Service::Absent,
         AlarmChannel::Notification,
         false,
         {AlarmRoute::NoticeWindow},
         0},
        {"refused, icon shown",
         Service::Refuses,
         AlarmChannel::Notification,
         true,
         {AlarmRoute::TrayMessage},
         0},
        {"unanswered, no icon",
         Service::Silent,
         AlarmChannel::Notification,
         false,
         {AlarmRoute::NoticeWindow},
         0},
        {"both, no service: the picture once and the icon's message",
         Service::Absent,
         AlarmChannel::Both,
         true,
         {AlarmRoute::Picture, AlarmRoute::TrayMessage},
         1},
        {"both, no service, no icon: the picture once",
         Service::Absent,
         AlarmChannel::Both,
         false,
         {AlarmRoute::Picture},
         1},
        {"the picture alone asks nobody",
         Service::Absent,
         AlarmChannel::Picture,
         true,
         {AlarmRoute::Picture},
         1},
    };
    for (const auto& c : cases) {
        SetServicePresent(c.service != Service::Absent);
        fake_.mode = c.service == Service::Refuses ? FakeNotifications::Mode::Refuse
                                                   : FakeNotifications::Mode::Silent;
        fake_.capabilities = {QStringLiteral("body")};
        trayTexts_.clear();
        windowTexts_.clear();
        pictures_ = 0;
        AlarmNotifier notifier(*client_, QIcon());
        notifier.SetTimeout(milliseconds(300));
        QSignalSpy spy(&notifier, &AlarmNotifier::delivered);
        QElapsedTimer clock;
        clock.start();
        notifier.Deliver(c.channel, notice_, Fallbacks(c.tray));
        EXPECT_LT(clock.elapsed(), 200) << c.what << ": the call blocked";
        EXPECT_EQ(Routes(spy, static_cast<int>(c.routes.size())), c.routes) << c.what;
        EXPECT_EQ(pictures_, c.pictures) << c.what;
        const QStringList words{notice_.title + QStringLiteral("|") + notice_.body};
        EXPECT_EQ(trayTexts_, c.routes.back() == AlarmRoute::TrayMessage ? words : QStringList())
            << c.what;
        EXPECT_EQ(windowTexts_, c.routes.back() == AlarmRoute::NoticeWindow ? words : QStringList())
            << c.what;
    }
}

TEST(AlarmNotifier, NoBusAtAllFallsBackAtOnce) {
    const QDBusConnection none(QStringLiteral("dawnhelm-no-such-bus"));
    ASSERT_FALSE(none.isConnected());
    AlarmNotifier notifier(none, QIcon());
    QSignalSpy spy(&notifier, &AlarmNotifier::delivered);
    int pictures = 0;
    notifier.Deliver(AlarmChannel::Notification, {QStringLiteral("t"), QStringLiteral("b")},
                     {[](const AlarmNotice&) { return false; }, [&] { ++pictures; }, {}});
    EXPECT_EQ(pictures, 1);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).value<AlarmRoute>(), AlarmRoute::Picture);
}

// The main window's tick with an alarm 15 minutes before sunset as a
// notification: it reaches the service at that second, once, with the
// event's time and azimuth, and no picture opens. Without the service (and
// without the icon) a small window says the same words.
TEST_F(AlarmNotifierTest, TheWindowNotifiesFifteenMinutesBeforeSunset) {
    QTemporaryDir dir;
    test::RecordingMessages messages;
    AppState state;
    ManualClock clock;
    const QDate day(2024, 6, 21);
    clock.Set(QDateTime(day, QTime(10, 0, 0)));
    MainWindow form(state,
                    StartupInputs{dir.path(), QLocale(QStringLiteral("en_GB")),
                                  std::chrono::year{2024} / 6 / 21, false, &clock, &messages});
    state.Settings.LanguageIndex = 4;  // English
    state.ApplyLanguage();
    form.MonthCalendarChange();
    state.Settings.AlarmSoundEnabled = false;
    state.Settings.Alarms[static_cast<std::size_t>(AlarmEvent::SunSet)] = {
        true, std::chrono::minutes(-15), AlarmChannel::Notification};
    form.Notifier1 = new AlarmNotifier(*client_, ProgramIcon(), &form);
    int pictures = 0;
    QObject::connect(&form, &MainWindow::imageRequested, &form, [&pictures] { ++pictures; });

    const DayNumber date = DayNumber::FromYmd(2024, 6, 21);
    const AlarmEventDetail sunset = AlarmEventAt(state.Settings, AlarmEvent::SunSet, date);
    const QTime ring = QTime(0, 0).addSecs(sunset.time.secondOfDay - 15 * 60);
    auto tickAt = [&](QTime t) {
        clock.Set(QDateTime(day, t));
        form.ClockTick();
    };

    StartService();
    QSignalSpy spy(form.Notifier1, &AlarmNotifier::delivered);
    tickAt(ring.addSecs(-1));
    tickAt(ring);
    tickAt(ring.addSecs(1));
    EXPECT_EQ(Routes(spy, 1), std::vector<AlarmRoute>{AlarmRoute::Notification});
    ASSERT_EQ(fake_.received.size(), 1u);
    EXPECT_EQ(fake_.received[0].title, QStringLiteral("Sunset in 15 minutes"));
    const int m = sunset.time.secondOfDay / 60;
    const QString time = QStringLiteral("%1:%2")
                             .arg(m / 60, 2, 10, QLatin1Char('0'))
                             .arg(m % 60, 2, 10, QLatin1Char('0'));
    EXPECT_TRUE(fake_.received[0].body.contains(time)) << fake_.received[0].body.toStdString();
    EXPECT_TRUE(fake_.received[0].body.contains(QStringLiteral("°")));
    EXPECT_EQ(pictures, 0);
    tickAt(QTime(0, 0).addSecs(sunset.time.secondOfDay));  // the event itself rings nothing
    EXPECT_EQ(fake_.received.size(), 1u);

    // The next day without a service: a small window says what the
    // notification would have said, and the picture stays closed.
    SetServicePresent(false);
    const QDate next = day.addDays(1);
    const AlarmEventDetail nextSunset = AlarmEventAt(state.Settings, AlarmEvent::SunSet, date + 1);
    const QTime nextRing = QTime(0, 0).addSecs(nextSunset.time.secondOfDay - 15 * 60);
    spy.clear();
    clock.Set(QDateTime(next, nextRing.addSecs(-1)));
    form.ClockTick();
    clock.Set(QDateTime(next, nextRing));
    form.ClockTick();
    EXPECT_EQ(Routes(spy, 1), std::vector<AlarmRoute>{AlarmRoute::NoticeWindow});
    EXPECT_EQ(pictures, 0);
    QMessageBox* window = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String(kNoticeWindowName) && w->isVisible())
            window = qobject_cast<QMessageBox*>(w);
    }
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->text().startsWith(QStringLiteral("Sunset in 15 minutes\n\nSunset at ")))
        << window->text().toStdString();
    EXPECT_EQ(window->textFormat(), Qt::PlainText);
    EXPECT_FALSE(window->isModal());
    window->close();
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join('|').toStdString();
}

}  // namespace
}  // namespace dawn

#include "alarmnotifier_test.moc"
