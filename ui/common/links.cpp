#include "ui/common/links.h"

#include <QDesktopServices>

namespace dawn {

QUrl MailLink(const QString& subject) {
    // Everything that is legal inside a query value stays as it is; '&', '#',
    // '+', '%', blanks and non-ASCII characters are encoded.
    const QByteArray encoded =
        QUrl::toPercentEncoding(subject, QByteArrayLiteral(":/?@!$'()*,;=[]"));
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(QString::fromLatin1(kMailAddress));
    url.setQuery(QStringLiteral("Subject=") + QString::fromLatin1(encoded), QUrl::StrictMode);
    return url;
}

void OpenHomePage() {
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kHomePageAddress)));
}

void OpenMailLink(const QString& subject) {
    QDesktopServices::openUrl(MailLink(subject));
}

}  // namespace dawn
