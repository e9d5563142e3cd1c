#include "ui/main/localetexts.h"

#include <QDate>
#include <QTime>
#include <cstdlib>

namespace dawn {
namespace {

bool IsTimeField(QChar c) {
    return c == u'h' || c == u'H' || c == u'm' || c == u's' || c == u'z' || c == u'a' ||
           c == u'A' || c == u't';
}

// A literal for a QTime/QDate format: letters are quoted so that they are not
// read as fields.
QString QuotedLiteral(const QString& text) {
    for (QChar c : text) {
        if (c.isLetter() || c == u'\'') {
            QString inner = text;
            inner.replace(u'\'', QStringLiteral("''"));
            return u'\'' + inner + u'\'';
        }
    }
    return text;
}

}  // namespace

QString TimeSeparatorOf(const QString& timeFormat) {
    const qsizetype n = timeFormat.size();
    qsizetype i = 0;
    // Skip to the hour field, stepping over quoted text.
    while (i < n && timeFormat[i] != u'h' && timeFormat[i] != u'H') {
        if (timeFormat[i] == u'\'') {
            ++i;
            while (i < n && timeFormat[i] != u'\'') ++i;
        }
        ++i;
    }
    while (i < n && (timeFormat[i] == u'h' || timeFormat[i] == u'H')) ++i;
    // Everything up to the next field is the separator, quotes removed.
    QString between;
    while (i < n && !IsTimeField(timeFormat[i])) {
        if (timeFormat[i] == u'\'') {
            ++i;
            while (i < n && timeFormat[i] != u'\'') between += timeFormat[i++];
            ++i;
            continue;
        }
        between += timeFormat[i++];
    }
    between = between.trimmed();
    if (between.isEmpty()) return QStringLiteral(":");
    return between.left(1);
}

QString WithFourDigitYear(const QString& dateFormat) {
    QString out;
    const qsizetype n = dateFormat.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = dateFormat[i];
        if (c == u'\'') {
            const qsizetype end = dateFormat.indexOf(u'\'', i + 1);
            const qsizetype stop = end < 0 ? n : end + 1;
            out += dateFormat.mid(i, stop - i);
            i = stop;
        } else if (c == u'y') {
            while (i < n && dateFormat[i] == u'y') ++i;
            out += QStringLiteral("yyyy");
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

LocaleTexts MakeLocaleTexts(const QLocale& locale) {
    LocaleTexts t;
    t.Locale = locale;
    t.TimeSeparator = TimeSeparatorOf(locale.timeFormat(QLocale::ShortFormat));
    t.TimeFormat = QStringLiteral("HH") + QuotedLiteral(t.TimeSeparator) + QStringLiteral("mm");
    t.DateFormat = WithFourDigitYear(locale.dateFormat(QLocale::ShortFormat));
    t.DecimalPoint = locale.decimalPoint();
    for (int m = 1; m <= 12; ++m) {
        t.ShortMonthNames[m - 1] = locale.standaloneMonthName(m, QLocale::ShortFormat);
        t.LongMonthNames[m - 1] = locale.standaloneMonthName(m, QLocale::LongFormat);
    }
    // Qt counts weekdays from Monday = 1 to Sunday = 7.
    for (int d = 0; d < 7; ++d) {
        const int qtDay = d == 0 ? 7 : d;
        t.LongWeekdayNames[d] = locale.standaloneDayName(qtDay, QLocale::LongFormat).toStdString();
    }
    return t;
}

QString LocaleTexts::ClockText(int minutes) const {
    const int m = std::abs(minutes);
    return QStringLiteral("%1%2%3")
        .arg(m / 60, 2, 10, QLatin1Char('0'))
        .arg(TimeSeparator)
        .arg(m % 60, 2, 10, QLatin1Char('0'));
}

QString LocaleTexts::EmptyClockText() const {
    return QStringLiteral("--") + TimeSeparator + QStringLiteral("--");
}

QString LocaleTexts::DateText(const QDate& date) const {
    return Locale.toString(date, DateFormat);
}

QTime LocaleTexts::ParseClockText(const QString& text) const {
    return QTime::fromString(text.trimmed(), TimeFormat);
}

}  // namespace dawn
