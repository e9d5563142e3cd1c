#include "ui/common/links.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDesktopServices>
#include <QLabel>
#include <QObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrlQuery>

#include "ui/common/testsupport/recording_messages.h"
#include "ui/main/aboutdialog.h"
#include "ui/main/mainwindow.h"

namespace dawn {
namespace {

// Catches what the program hands to the desktop's URL handlers, for the
// schemes given, for the lifetime of the object.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    explicit UrlCatcher(QStringList schemes) : schemes_(std::move(schemes)) {
        for (const QString& s : schemes_) QDesktopServices::setUrlHandler(s, this, "open");
    }
    ~UrlCatcher() override {
        for (const QString& s : schemes_) QDesktopServices::unsetUrlHandler(s);
    }
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls << url; }

private:
    QStringList schemes_;
};

const QString kBrussels =
    QStringLiteral("Dawnhelm 1.1.0.0   Coordinates: 50N47 04E21   TimeZone 1 0  [21/06/2024]");

QString DecodedSubject(const QUrl& url) {
    return QUrlQuery(url).queryItemValue(QStringLiteral("Subject"), QUrl::FullyDecoded);
}

TEST(LinksTest, MailLinkCarriesTheSubjectUnchangedThroughUrlEncoding) {
    // Characters that would end the subject or change its meaning in a URL,
    // and letters outside ASCII, must reach the mail program as typed.
    const QString tricky = QStringLiteral(
        "Dawnhelm 1.1.0.0 Coordinates: 50N47 04E21   Fuseau & zone #1 +50% été -3 -30  "
        "[21/06/2024]");
    for (const QString& subject : {kBrussels, tricky}) {
        const QUrl url = MailLink(subject);
        EXPECT_TRUE(url.isValid()) << url.errorString().toStdString();
        EXPECT_EQ(url.scheme(), QStringLiteral("mailto"));
        EXPECT_EQ(url.path(), QStringLiteral("dawnhelm@example.org"));
        EXPECT_EQ(DecodedSubject(url), subject);
        EXPECT_TRUE(DecodedSubject(QUrl(url.toString(QUrl::FullyEncoded))).endsWith(u"]"));
    }
    const QString encoded = MailLink(kBrussels).toString(QUrl::FullyEncoded);
    EXPECT_FALSE(encoded.contains(u' '));
    EXPECT_TRUE(encoded.endsWith(QStringLiteral("[21/06/2024]")) ||
                encoded.endsWith(QStringLiteral("%5B21/06/2024%5D")))
        << encoded.toStdString();
}

TEST(LinksTest, OpenersHandTheirAddressToTheDesktop) {
    UrlCatcher catcher({QStringLiteral("https"), QStringLiteral("mailto")});
    OpenHomePage();
    OpenMailLink(kBrussels);
    ASSERT_EQ(catcher.urls.size(), 2);
    EXPECT_EQ(catcher.urls[0], QUrl(QStringLiteral("https://dawnhelm.example.org/")));
    EXPECT_EQ(DecodedSubject(catcher.urls[1]), kBrussels);
}

TEST(LinksTest, MainMenuMailLinkNamesTheShownPlaceZoneAndDate) {
    test::RecordingMessages messages;
    QTemporaryDir dir;
    AppState state;
    MainWindow form(state,
                    StartupInputs{dir.path(), QLocale(QStringLiteral("en_GB")),
                                  std::chrono::year{2024} / 6 / 21, false, nullptr, &messages});
    ASSERT_EQ(state.Locale.DateFormat, "dd/MM/yyyy");
    state.Settings.TimeZoneMinutes = -210;
    form.MonthCalendarChange();
    UrlCatcher catcher({QStringLiteral("mailto"), QStringLiteral("https")});
    form.EmailAction->trigger();
    form.HomePageAction->trigger();
    ASSERT_EQ(catcher.urls.size(), 2);
    const QString subject = DecodedSubject(catcher.urls[0]);
    EXPECT_TRUE(subject.endsWith(QStringLiteral("  [21/06/2024]"))) << subject.toStdString();
    // The place as the export's first line writes it: the caption's own colon
    // is not doubled.
    ASSERT_TRUE(form.lbCoordinates->text().endsWith(u':'));
    EXPECT_EQ(subject, QStringLiteral("Dawnhelm 1.1.0.0 ") + form.lbCoordinates->text() +
                           QStringLiteral(" ") + form.lbLatitude->text() + u' ' +
                           form.lbLongitude->text() + QStringLiteral("   ") +
                           QString::fromStdString(state.Label(label::kTimeZone)) +
                           QStringLiteral(" -3 -30  [21/06/2024]"));
    EXPECT_EQ(catcher.urls[1].toString(), QStringLiteral("https://dawnhelm.example.org/"));
}

TEST(LinksTest, AboutBoxLabelsOpenTheHomePageAndAskForTheMailLink) {
    AboutDialog box;
    box.show();
    UrlCatcher catcher({QStringLiteral("https")});
    QSignalSpy mail(&box, &AboutDialog::mailLinkRequested);
    QTest::mouseClick(box.lbHomePage, Qt::LeftButton);
    QTest::mouseClick(box.lbEmail, Qt::LeftButton);
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls[0].toString(), QStringLiteral("https://dawnhelm.example.org/"));
    EXPECT_EQ(mail.size(), 1);
    EXPECT_EQ(box.lbHomePage->text(), QStringLiteral("homepage: https://dawnhelm.example.org/"));
    EXPECT_EQ(box.lbEmail->text(), QStringLiteral("e-mail: dawnhelm@example.org"));
}

}  // namespace
}  // namespace dawn

#include "links_test.moc"
