#include "ui/main/links.h"

#include <QDesktopServices>

namespace dawn {

QString MailSubject(const MailSubjectParts& p) {
    return QStringLiteral("Dawnhelm ") + p.version + u' ' + p.coordinatesCaption +
           QStringLiteral(": ") + p.latitude + u' ' + p.longitude + QStringLiteral("   ") +
           p.timeZoneWord + u' ' + QString::number(p.timeZoneHours) + u' ' +
           QString::number(p.timeZoneMinutes) + QStringLiteral("  [") + p.shownDate + u']';
}

QUrl MailLink(const MailSubjectParts& parts) {
    // Everything that is legal inside a query value stays as it is; '&', '#',
    // '+', '%', blanks and non-ASCII characters are encoded.
    const QByteArray subject =
        QUrl::toPercentEncoding(MailSubject(parts), QByteArrayLiteral(":/?@!$'()*,;=[]"));
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(QString::fromLatin1(kMailAddress));
    url.setQuery(QStringLiteral("Subject=") + QString::fromLatin1(subject), QUrl::StrictMode);
    return url;
}

int ZoneHoursOf(int timeZoneMinutes) {
    return timeZoneMinutes / 60;
}
int ZoneMinutesOf(int timeZoneMinutes) {
    return timeZoneMinutes % 60;
}

void OpenHomePage() {
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kHomePageAddress)));
}

void OpenMailLink(const MailSubjectParts& parts) {
    QDesktopServices::openUrl(MailLink(parts));
}

}  // namespace dawn
