// The day view: every text of the shown date, rewritten from the labels and
// the day record on each Calendar1Change.
#include <QCalendarWidget>
#include <QFrame>
#include <QLabel>

#include "core/calendar.h"
#include "ui/main/dayview_text.h"
#include "ui/main/tform1.h"

namespace dawn {
namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QString WithoutLeadingSpaces(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace()) ++i;
    return text.mid(i);
}

QDate ToQDate(DayNumber d) {
    const auto ymd = d.ToDate();
    return QDate(int(ymd.year()), unsigned(ymd.month()), unsigned(ymd.day()));
}

bool IsNormal(EventStatus s) {
    return s == EventStatus::Normal;
}

const QColor kCurrentDateColour(0, 0, 0);
const QColor kOtherDateColour(128, 128, 128);

// A caption longer than its box ("Settimana" over the week column) is drawn
// smaller, down to 7 points, rather than cut.
void FitCaption(QLabel* label, const QFont& normal) {
    QFont font = normal;
    const int room = label->width() - 2;
    while (font.pointSize() > 7 && QFontMetrics(font).horizontalAdvance(label->text()) > room) {
        font.setPointSize(font.pointSize() - 1);
    }
    label->setFont(font);
}

void SetTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

}  // namespace

QDate TForm1::ShownDate() const {
    return Calendar1->selectedDate();
}

DayNumber TForm1::ShownDay() const {
    const QDate d = ShownDate();
    return DayNumber::FromYmd(d.year(), unsigned(d.month()), unsigned(d.day()));
}

bool TForm1::MoonPanelShown() const {
    return !PnMoon->isHidden();
}

QString TForm1::LatitudeText() const {
    return Q(dawn::LatitudeText(state_.Settings.LatitudeMinutes, state_.Current.hemisphere));
}

QString TForm1::LongitudeText() const {
    return Q(dawn::LongitudeText(state_.Settings.LongitudeMinutes, state_.Current.hemisphere));
}

QString TForm1::TimeZoneText() const {
    return Q(
        dawn::TimeZoneText(state_.Settings.TimeZoneMinutes, state_.Locale.TimeSeparatorUtf8()));
}

void TForm1::Calendar1Change() {
    const LocaleTexts& loc = state_.Locale;
    auto label = [this](int n) { return WithoutLeadingSpaces(state_.Label(n)); };
    auto clock = [&loc](std::chrono::minutes t) { return loc.ClockText(int(t.count())); };
    const QString empty = loc.EmptyClockText();

    // Captions from the labels, without leading spaces.
    lbSunrise->setText(label(label::kSunrise));
    lbSunset->setText(label(label::kSunset));
    lbdaylight->setText(label(label::kDaylight));
    lbMoonrise->setText(label(label::kMoonrise));
    lbMoonSet->setText(label(label::kMoonset));
    lbMoonLight->setText(label(label::kMoonlight));
    lbWeek->setText(label(label::kWeek));
    FitCaption(lbWeek, font());
    lbCoordinates->setText(label(label::kCoordinates));

    // The day record of the shown date.
    const DayNumber shown = ShownDay();
    state_.ComputeShownDay(shown);
    const DayEphemeris& day = state_.Day;

    // Event times; a day without the event shows the empty clock text and its
    // message replaces the length caption (the sunset's wins when both fail).
    auto showEvent = [&](QLabel* hour, EventStatus status, const std::string& clockText,
                         QLabel* caption, int firstMessage) {
        if (IsNormal(status)) {
            hour->setText(Q(clockText));
        } else {
            hour->setText(empty);
            caption->setText(WithoutLeadingSpaces(state_.TableLabel(firstMessage + int(status))));
        }
    };
    showEvent(lbSunRiseHour, day.SunRiseStatus, day.SunRiseClock, lbdaylight, label::kSunMessages);
    showEvent(lbSunSetHour, day.SunSetStatus, day.SunSetClock, lbdaylight, label::kSunMessages);
    showEvent(lbMoonriseHour, day.MoonRiseStatus, day.MoonRiseClock, lbMoonLight,
              label::kMoonMessages);
    showEvent(lbMoonSetHour, day.MoonSetStatus, day.MoonSetClock, lbMoonLight,
              label::kMoonMessages);

    // Changes against the day before, only where both days have the event.
    const bool sunRise = IsNormal(day.SunRiseStatus) && IsNormal(day.PrevSunRiseStatus);
    const bool sunSet = IsNormal(day.SunSetStatus) && IsNormal(day.PrevSunSetStatus);
    const bool moonRise = IsNormal(day.MoonRiseStatus) && IsNormal(day.PrevMoonRiseStatus);
    const bool moonSet = IsNormal(day.MoonSetStatus) && IsNormal(day.PrevMoonSetStatus);
    lbSunRiseDelta->setText(sunRise ? clock(day.SunRiseDelta) : empty);
    lbSunSetDelta->setText(sunSet ? clock(day.SunSetDelta) : empty);
    lbDayLightDelta->setText(sunRise && sunSet ? clock(day.DayLengthDelta) : empty);
    lbMoonRiseDelta->setText(moonRise ? clock(day.MoonRiseDelta) : empty);
    lbMoonSetDelta->setText(moonSet ? clock(day.MoonSetDelta) : empty);
    lbMoonLightDelta->setText(moonRise && moonSet ? clock(day.MoonLightDelta) : empty);

    // Lengths: a day without sunrise or sunset reads 24 hours.
    const bool sunDay = IsNormal(day.SunRiseStatus) && IsNormal(day.SunSetStatus);
    const bool moonDay = IsNormal(day.MoonRiseStatus) && IsNormal(day.MoonSetStatus);
    lbDayLightHour->setText(sunDay
                                ? clock(day.DayLength)
                                : QStringLiteral("24") + loc.TimeSeparator + QStringLiteral("00"));
    lbMoonLightHour->setText(moonDay ? clock(day.MoonLightLength) : empty);

    // Hints.
    const QString shownText = loc.DateText(ToQDate(shown));
    const QString prevText = loc.DateText(ToQDate(day.PrevDate));
    lbSunRiseHour->setToolTip(QStringLiteral("Sunrise and sunset: Sky and Telescope, August 1994"));
    lbMoonriseHour->setToolTip(
        QStringLiteral("Moonrise and moonset: Sky and Telescope, July 1989"));
    QString julian = QString::number(day.JulianDay, 'g', 15);
    julian.replace(QLatin1Char('.'), loc.DecimalPoint);
    lbSunSetHour->setToolTip(QStringLiteral("Julian day = ") + julian);
    lbMoonSetHour->setToolTip(QStringLiteral("Julian day = ") + julian);
    lbCoordinates->setToolTip(
        Q(TimeZoneHint(state_.Settings.TimeZoneMinutes, loc.TimeSeparatorUtf8())));
    lbDayLightHour->setToolTip(shownText);
    lbMoonLightHour->setToolTip(shownText);
    for (QLabel* delta : {lbSunRiseDelta, lbSunSetDelta, lbDayLightDelta, lbMoonRiseDelta,
                          lbMoonSetDelta, lbMoonLightDelta}) {
        delta->setToolTip(prevText);
    }

    // Signs: "+" always means more light than the day before.
    lbSunRiseSign->setText(day.PrevSunRiseTime >= day.SunRiseTime ? QStringLiteral("+")
                                                                  : QStringLiteral("-"));
    lbSunSetSign->setText(day.PrevSunSetTime > day.SunSetTime ? QStringLiteral("-")
                                                              : QStringLiteral("+"));
    lbDayLightSign->setText(day.PrevDayLength > day.DayLength ? QStringLiteral("-")
                                                              : QStringLiteral("+"));
    lbMoonRiseSign->setText(day.PrevMoonRiseTime >= day.MoonRiseTime ? QStringLiteral("+")
                                                                     : QStringLiteral("-"));
    lbMoonSetSign->setText(day.PrevMoonSetTime > day.MoonSetTime ? QStringLiteral("-")
                                                                 : QStringLiteral("+"));
    lbMoonLightSign->setText(day.PrevMoonLightLength > day.MoonLightLength ? QStringLiteral("-")
                                                                           : QStringLiteral("+"));

    ShowWeekNumbers();

    // The place.
    lbLatitude->setText(LatitudeText());
    lbLongitude->setText(LongitudeText());

    for (QLabel* symbol : {lbSunRiseSymbol, lbSunSetSymbol, lbDayLightSymbol}) {
        symbol->setText(QStringLiteral("\u00a4"));
    }

    state_.ReferenceYear = shown.Year();
    DrawSummerRows();

    // The hint of the notification-area icon.
    TrayHint = lbSunrise->text().trimmed() + QStringLiteral(" = ") +
               lbSunRiseHour->text().trimmed() + QStringLiteral(" ") + lbSunset->text().trimmed() +
               QStringLiteral(" = ") + lbSunSetHour->text().trimmed() + QStringLiteral("\n") +
               lbCoordinates->text().trimmed() + QStringLiteral(" ") + LatitudeText() +
               QStringLiteral("-") + LongitudeText() + QStringLiteral(" ") + shownText;
    emit trayHintChanged(TrayHint);

    // The captions end in one column; long texts shrink the font.
    const bool moon = MoonPanelShown();
    const CaptionAlignment align =
        moon ? AlignCaptions({int(lbCoordinates->text().size()), int(lbMoonrise->text().size()),
                              int(lbMoonSet->text().size()), int(lbMoonLight->text().size())})
             : AlignCaptions({int(lbCoordinates->text().size()), int(lbSunrise->text().size()),
                              int(lbSunset->text().size()), int(lbdaylight->text().size())});
    const QString padding(align.padding, QLatin1Char(' '));
    QFont captionFont = font();
    captionFont.setPointSize(align.smallFont ? 9 : 10);
    for (QLabel* caption :
         {lbSunrise, lbSunset, lbdaylight, lbCoordinates, lbMoonrise, lbMoonSet, lbMoonLight}) {
        caption->setText(padding + caption->text());
        caption->setFont(captionFont);
    }
}

// The calendar draws a whole week of the previous month above the first of
// the month when the first falls in its first column; the numbers follow
// the rows as drawn.
void TForm1::ShowWeekNumbers() {
    const QDate shown = ShownDate();
    const QDate first(shown.year(), shown.month(), 1);
    const bool leadingRow = first.dayOfWeek() == Calendar1->firstDayOfWeek();
    const std::array<int, 6> weeks =
        WeekColumn(DayNumber::FromYmd(first.year(), unsigned(first.month()), 1),
                   state_.Settings.FirstWeekNewYear, leadingRow);
    QLabel* rows[] = {lbWeek1, lbWeek2, lbWeek3, lbWeek4, lbWeek5, lbWeek6};
    for (int i = 0; i < 6; ++i) rows[i]->setText(QString::number(weeks[i]));
}

// The upper row holds the last change of regime and the lower row the next
// one, each with its own caption; the date that is the shown date is black.
void TForm1::DrawSummerRows() {
    const LocaleTexts& loc = state_.Locale;
    const DayNumber shown = ShownDay();
    const DstWindow& window = state_.Day.Window;
    const bool outside = window.SummerStart >= window.WinterStart;
    const DayNumber upper = outside ? window.WinterStart : window.SummerStart;
    const DayNumber lower = outside ? window.SummerStart : window.WinterStart;
    lbSummerTime->setText(state_.Label(outside ? label::kWinterTime : label::kSummerTime));
    lbWinterTime->setText(state_.Label(outside ? label::kSummerTime : label::kWinterTime));
    lbDaysSummerTime->setText(
        state_.Label(outside ? label::kDaysWinterTime : label::kDaysSummerTime));
    for (QLabel* caption : {lbSummerTime, lbWinterTime, lbDaysSummerTime})
        FitCaption(caption, font());
    upperRowDate_ = ToQDate(upper);
    lowerRowDate_ = ToQDate(lower);
    lbStartZomerUur->setText(loc.DateText(upperRowDate_));
    lbStartWinterUur->setText(loc.DateText(lowerRowDate_));
    lbZomerduur->setText(QString::number(lower - shown));

    const QColor& upperColour = upper == shown ? kCurrentDateColour : kOtherDateColour;
    const QColor& lowerColour = lower == shown ? kCurrentDateColour : kOtherDateColour;
    SetTextColour(lbStartZomerUur, upperColour);
    SetTextColour(lbSummerTime, upperColour);
    SetTextColour(lbStartWinterUur, lowerColour);
    SetTextColour(lbWinterTime, lowerColour);

    const DayNumber next = shown >= window.SummerStart ? window.WinterStart : window.SummerStart;
    lbZomerduur->setToolTip(loc.DateText(ToQDate(shown)) + QStringLiteral(" -> ") +
                            loc.DateText(ToQDate(next)));
}

}  // namespace dawn
