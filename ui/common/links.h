#pragma once
// The program's outward links: its home page and a mail link whose subject
// names the version, the place, the time zone and the date being looked at.
// Both go to the desktop's default handlers; what they answer is not
// examined (without a handler nothing happens and nothing is reported).
#include <QString>
#include <QUrl>

namespace dawn {

inline constexpr const char* kHomePageAddress = "https://dawnhelm.example.org/";
inline constexpr const char* kMailAddress = "dawnhelm@example.org";

// "mailto:<address>?Subject=<subject>", the subject percent-encoded only where
// a URL needs it (blanks, '%', '&', '#', '+', non-ASCII), so that the mail
// program shows the subject (MailSubject of present/export.h) unchanged.
QUrl MailLink(const QString& subject);

// Hand the home page or the mail link to the desktop.
void OpenHomePage();
void OpenMailLink(const QString& subject);

}  // namespace dawn
