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

// The values the mail subject is made of, as the main window shows them.
struct MailSubjectParts {
    QString version;             // "1.1.0.0"
    QString coordinatesCaption;  // lbCoordinates, alignment blanks included
    QString latitude;            // lbLatitude, e.g. 50N47
    QString longitude;           // lbLongitude, e.g. 05E28
    QString timeZoneWord;        // label 26 of the applied language
    int timeZoneHours = 0;       // the zone as the configuration dialog shows
    int timeZoneMinutes = 0;     // it: -210 minutes are -3 and -30
    QString shownDate;           // the shown date written with DateFormat
};

// "Dawnhelm 1.1.0.0 Coordinates: 50N47 05E28   TimeZone 1 0  [21/06/2024]"
QString MailSubject(const MailSubjectParts& parts);
// "mailto:<address>?Subject=<subject>", the subject percent-encoded only where
// a URL needs it (blanks, '%', '&', '#', '+', non-ASCII), so that the mail
// program shows MailSubject() unchanged.
QUrl MailLink(const MailSubjectParts& parts);

// The two parts of the configuration dialog's time-zone editor for an offset
// in minutes: whole hours and the remaining minutes, both with the offset's
// sign (-210 gives -3 and -30).
int ZoneHoursOf(int timeZoneMinutes);
int ZoneMinutesOf(int timeZoneMinutes);

// Hand the home page or the mail link to the desktop.
void OpenHomePage();
void OpenMailLink(const MailSubjectParts& parts);

}  // namespace dawn
