#include "present/dayview.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "present/placechoice.h"
#include "present/texts.h"

namespace dawn {
namespace {

using std::chrono::minutes;

constexpr std::array<std::string_view, kLanguageCount> kLanguageNames = {"Local",
                                                                         "Nederlands",
                                                                         "Fran\xC3\xA7"
                                                                         "ais",
                                                                         "Deutsch",
                                                                         "English",
                                                                         "Italiano",
                                                                         "Espa\xC3\xB1ol"};

constexpr std::string_view kSymbol = "\xC2\xA4";  // ¤

// The control names of a panel's rows, as the window names them.
struct RowNames {
    const char* caption;
    const char* value;
    const char* sign;
    const char* delta;
    const char* symbol;
};
constexpr RowNames kRowNames[kBodyCount][kRowCount] = {
    {{"lbSunrise", "lbSunRiseHour", "lbSunRiseSign", "lbSunRiseDelta", "lbSunRiseSymbol"},
     {"lbSunset", "lbSunSetHour", "lbSunSetSign", "lbSunSetDelta", "lbSunSetSymbol"},
     {"lbdaylight", "lbDayLightHour", "lbDayLightSign", "lbDayLightDelta", "lbDayLightSymbol"}},
    {{"lbMoonrise", "lbMoonriseHour", "lbMoonRiseSign", "lbMoonRiseDelta", "lbMoonRiseSymbol"},
     {"lbMoonSet", "lbMoonSetHour", "lbMoonSetSign", "lbMoonSetDelta", "lbMoonSetSymbol"},
     {"lbMoonLight", "lbMoonLightHour", "lbMoonLightSign", "lbMoonLightDelta",
      "lbMoonLightSymbol"}}};

// The labels of each body's rows and the first of its status messages.
struct BodyLabels {
    int captions[kRowCount];
    int firstMessage;
    const char* riseHint;  // where the method of the calculation comes from
};
constexpr BodyLabels kBodyLabels[kBodyCount] = {
    {{label::kSunrise, label::kSunset, label::kDaylight},
     label::kSunMessages,
     "Sunrise and sunset: Sky and Telescope, August 1994"},
    {{label::kMoonrise, label::kMoonset, label::kMoonlight},
     label::kMoonMessages,
     "Moonrise and moonset: Sky and Telescope, July 1989"}};

bool IsNormal(EventStatus s) {
    return s == EventStatus::Normal;
}

// The captions of a panel before alignment: the labels without their leading
// spaces, the length row's replaced by the message of an event that does not
// happen (the set's when neither does).
std::array<std::string, kRowCount> PanelCaptions(Body body, const BodyEntry& entry,
                                                 const AppState& state) {
    const BodyLabels& labels = kBodyLabels[IndexOf(body)];
    std::array<std::string, kRowCount> captions;
    for (std::size_t r = 0; r < kRowCount; ++r)
        captions[r] = WithoutLeadingSpaces(state.Label(labels.captions[r]));
    for (EventKind kind : kEventKinds) {
        const EventStatus status = entry[kind].Status;
        if (IsNormal(status)) continue;
        captions[static_cast<std::size_t>(Row::Length)] =
            WithoutLeadingSpaces(state.TableLabel(labels.firstMessage + static_cast<int>(status)));
    }
    return captions;
}

PanelView BuildPanel(Body body, const BodyEntry& entry, std::array<std::string, kRowCount> captions,
                     const AppState& state, const std::string& shownText,
                     const std::string& julianHint) {
    const LocaleFormats& loc = state.Locale;
    const std::string empty = loc.EmptyClockText();
    PanelView panel;
    panel.deltaHint = loc.DateText(state.Day.PrevDate);
    for (EventKind kind : kEventKinds) {
        const EventEntry& e = entry[kind];
        RowView& row = panel.rows[IndexOf(kind)];
        row.value = EventClockText(e, loc);
        row.delta =
            IsNormal(e.Status) && IsNormal(e.Before.Status) ? loc.ClockText(e.Delta) : empty;
    }
    RowView& length = panel.rows[static_cast<std::size_t>(Row::Length)];
    length.value = LengthText(body, entry, loc);
    length.valueHint = shownText;
    length.delta = entry.NormalBothDays() ? loc.ClockText(entry.LengthDelta) : empty;
    panel.rows[0].valueHint = kBodyLabels[IndexOf(body)].riseHint;
    panel.rows[1].valueHint = julianHint;
    for (std::size_t r = 0; r < kRowCount; ++r) {
        panel.rows[r].caption = std::move(captions[r]);
        panel.rows[r].sign = LightSign(static_cast<Row>(r), entry);
    }
    return panel;
}

std::string TrayHintOf(const DayView& v, const std::string& shownText,
                       const std::string& placeName) {
    const PanelView& sun = v[Body::Sun];
    // The captions without the padding and colon that line them up.
    std::string hint(CaptionWithoutColon(sun[Row::Rise].caption));
    hint += " = ";
    hint += Trimmed(sun[Row::Rise].value);
    hint += " ";
    hint += CaptionWithoutColon(sun[Row::Set].caption);
    hint += " = ";
    hint += Trimmed(sun[Row::Set].value);
    hint += "\n";
    hint += Trimmed(v.coordinatesCaption);
    hint += " " + v.latitude + "-" + v.longitude;
    if (!placeName.empty()) hint += " " + placeName;
    hint += " " + shownText;
    return hint;
}

// The clock time of a crossing that happened, else the empty clock text.
std::string CrossingText(const EventValues& e, const LocaleFormats& loc) {
    return e.CrossingClock ? loc.ClockText(*e.CrossingClock) : loc.EmptyClockText();
}

std::string OneDecimal(double value, const std::string& decimalPoint) {
    char digits[32];
    std::string text(
        digits,
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 1).ptr);
    const auto point = text.find('.');
    if (point != std::string::npos) text.replace(point, 1, decimalPoint);
    return text;
}

}  // namespace

TwilightPanelView TwilightPanelOf(const SkyDay& sky, const AppState& state) {
    const LocaleFormats& loc = state.Locale;
    TwilightPanelView panel;
    panel.hint = state.Label(label::kTwilight);
    std::array<std::string, kTwilightRowCount> captions = {
        std::string(WithoutLeadingSpaces(state.Label(label::kCivilTwilight))),
        std::string(WithoutLeadingSpaces(state.Label(label::kNauticalTwilight))),
        std::string(WithoutLeadingSpaces(state.Label(label::kAstronomicalTwilight))),
        std::string(WithoutLeadingSpaces(state.Label(label::kSolarNoon)))};
    std::size_t longest = 0;
    for (const std::string& c : captions) longest = std::max(longest, Utf16Length(c));
    const std::string padding(longest >= 20 ? 0 : 20 - longest, ' ');
    for (std::size_t r = 0; r < kTwilightRowCount; ++r)
        panel.rows[r].caption = padding + captions[r];

    const std::string& dawn = state.Label(label::kDawn);
    const std::string& dusk = state.Label(label::kDusk);
    for (TwilightKind kind : kTwilightKinds) {
        TwilightRowView& row = panel.rows[IndexOf(kind)];
        row.first = CrossingText(sky[kind][EventKind::Rise], loc);
        row.second = CrossingText(sky[kind][EventKind::Set], loc);
        row.firstHint = dawn;
        row.secondHint = dusk;
    }
    TwilightRowView& noon = panel.rows[kTwilightRowCount - 1];
    noon.first = sky.Noon ? loc.ClockText(sky.Noon->Clock) : loc.EmptyClockText();
    noon.second = sky.Noon ? FormatAltitude(sky.Noon->AltitudeDegrees) : "";
    return panel;
}

PhaseView PhaseViewOf(const SkyDay& sky, const NextMoons& next, const AppState& state) {
    const LocaleFormats& loc = state.Locale;
    const DatePhase& p = sky.Phase;
    PhaseView v;
    v.name = state.Label(label::kPhaseNames + static_cast<int>(p.name));
    const double percent = std::clamp(p.atNoon.illuminatedFraction * 100.0, 0.0, 100.0);
    v.illuminated = std::to_string(static_cast<int>(std::lround(percent))) + "%";
    v.illuminatedFraction = p.atNoon.illuminatedFraction;
    v.litSide = p.litSide;
    v.litSideText = p.litSide == LitSide::Right ? "lit right" : "lit left";
    v.hint = state.Label(label::kMoonAge) + " = " + OneDecimal(p.atNoon.ageDays, loc.DecimalPoint) +
             "\n" + state.Label(label::kNextFullMoon) + " = " + loc.DateText(next.FullMoon) + "\n" +
             state.Label(label::kNextNewMoon) + " = " + loc.DateText(next.NewMoon);
    return v;
}

std::string_view LanguageName(int languageIndex) {
    return kLanguageNames[static_cast<std::size_t>(
        std::clamp(languageIndex, 0, kLanguageCount - 1))];
}

std::string_view LightSign(Row row, const BodyEntry& body) {
    switch (row) {
        case Row::Rise: {
            const EventEntry& e = body[EventKind::Rise];
            return e.Before.Standard >= e.Standard ? "+" : "-";
        }
        case Row::Set: {
            const EventEntry& e = body[EventKind::Set];
            return e.Before.Standard > e.Standard ? "-" : "+";
        }
        case Row::Length:
            break;
    }
    return body.LengthBefore > body.Length ? "-" : "+";
}

std::string LengthText(Body body, const BodyEntry& entry, const LocaleFormats& locale) {
    if (entry.Normal()) return locale.ClockText(entry.Length);
    if (body == Body::Moon) return locale.EmptyClockText();
    const std::string wholeDay = "24" + locale.TimeSeparator + "00";
    const EventEntry& rise = entry[EventKind::Rise];
    const EventEntry& set = entry[EventKind::Set];
    switch (rise.Status) {
        case EventStatus::DownAllDay:
            return locale.ClockText(minutes{0});
        case EventStatus::NoSet:
            // Up from the rise to the end of the day.
            if (rise.CrossingClock && *rise.CrossingClock > minutes{0})
                return locale.ClockText(minutes{24 * 60} - *rise.CrossingClock);
            return wholeDay;
        case EventStatus::NoRise:
            // Up from the start of the day to the set.
            return set.CrossingClock ? locale.ClockText(*set.CrossingClock)
                                     : locale.ClockText(minutes{0});
        case EventStatus::UpAllDay:
        case EventStatus::Normal:
            break;
    }
    return wholeDay;
}

std::string EventClockText(const EventValues& event, const LocaleFormats& locale) {
    return event.CrossingClock ? locale.ClockText(*event.CrossingClock) : locale.EmptyClockText();
}

SummerRows SummerRowsOf(const DstWindow& window, DayNumber shown, const AppState& state) {
    // Outside summer time the next start of summer time lies after the last
    // start of winter time.
    const bool outside = window.SummerStart >= window.WinterStart;
    SummerRows rows;
    rows.upper.date = outside ? window.WinterStart : window.SummerStart;
    rows.lower.date = outside ? window.SummerStart : window.WinterStart;
    rows.upper.caption = state.Label(outside ? label::kWinterTime : label::kSummerTime);
    rows.lower.caption = state.Label(outside ? label::kSummerTime : label::kWinterTime);
    for (SummerRowView* row : {&rows.upper, &rows.lower}) {
        row->dateText = state.Locale.DateText(row->date);
        row->role = row->date == shown ? DateRole::ShownDate : DateRole::OtherDate;
    }
    rows.daysCaption = state.Label(outside ? label::kDaysWinterTime : label::kDaysSummerTime);
    rows.dayCount = std::to_string(rows.lower.date - shown);
    const DayNumber next = shown >= window.SummerStart ? window.WinterStart : window.SummerStart;
    rows.dayCountHint = state.Locale.DateText(shown) + " -> " + state.Locale.DateText(next);
    return rows;
}

SummerRows SummerRowsOf(const ClockRules& clocks, DayNumber shown, const AppState& state) {
    if (clocks.summerTimeEnabled) return SummerRowsOf(clocks.window, shown, state);
    // No summer time around the shown date: the rows say so, and a click on
    // them stays on the shown date.
    SummerRows rows;
    rows.upper = {state.Label(label::kSummerTime), shown, state.Label(label::kNoSummerTime),
                  DateRole::OtherDate};
    rows.lower = {state.Label(label::kWinterTime), shown, state.Label(label::kStandardTimeAllYear),
                  DateRole::OtherDate};
    rows.daysCaption = state.Label(label::kNoClockChanges);
    return rows;
}

std::array<int, 6> WeekColumn(DayNumber firstOfMonth, int weekStartDay, bool firstWeekNewYear) {
    const int start = ((weekStartDay % 7) + 7) % 7;
    // The first day of the row that holds the first, or of the whole week the
    // calendar draws above it.
    const int intoRow = (static_cast<int>(firstOfMonth.Weekday().c_encoding()) - start + 7) % 7;
    DayNumber row = firstOfMonth - intoRow;
    if (CalendarHasLeadingRow(firstOfMonth, weekStartDay)) row -= 7;
    const int toThursday = (4 - start + 7) % 7;
    std::array<int, 6> rows{};
    for (int& week : rows) {
        const DayNumber thursday = row + toThursday;
        week = firstWeekNewYear ? NewYearWeekNumber(thursday) : IsoWeekNumber(thursday);
        row += 7;
    }
    return rows;
}

bool CalendarHasLeadingRow(DayNumber firstOfMonth, int weekStartDay) {
    return static_cast<int>(firstOfMonth.Weekday().c_encoding()) == weekStartDay % 7;
}

CaptionAlignment AlignCaptions(std::initializer_list<std::size_t> lengths) {
    std::size_t m = 10;
    for (std::size_t n : lengths) m = std::max(m, n);
    return CaptionAlignment{m >= 20 ? 0 : static_cast<int>(20 - m), m > 20};
}

DayView BuildDayView(const AppState& state) {
    const LocaleFormats& loc = state.Locale;
    const DayEphemeris& day = state.Day;
    const SiteSettings& s = state.Settings;
    DayView v;
    v.date = state.Shown;
    const std::string shownText = loc.DateText(state.Shown);
    const std::string julianHint = "Julian day = " + JulianDayText(day.JulianDay, loc.DecimalPoint);

    std::array<std::array<std::string, kRowCount>, kBodyCount> captions;
    for (Body body : kBodies) captions[IndexOf(body)] = PanelCaptions(body, day[body], state);
    std::string coordinates(WithoutLeadingSpaces(state.Label(label::kCoordinates)));

    // The captions end in one column: the coordinates and the shown panel's
    // captions decide the indent, and long texts shrink the font.
    const auto& shownCaptions = captions[IndexOf(state.Panel)];
    const CaptionAlignment align =
        AlignCaptions({Utf16Length(coordinates), Utf16Length(shownCaptions[0]),
                       Utf16Length(shownCaptions[1]), Utf16Length(shownCaptions[2])});
    const std::string padding(static_cast<std::size_t>(align.padding), ' ');
    for (auto& panel : captions) {
        for (std::string& caption : panel) caption.insert(0, padding);
    }
    v.coordinatesCaption = padding + coordinates;
    v.captionPointSize = align.smallFont ? 9 : 10;
    for (Body body : kBodies) {
        v.panels[IndexOf(body)] = BuildPanel(body, day[body], std::move(captions[IndexOf(body)]),
                                             state, shownText, julianHint);
    }

    v.weekCaption = WithoutLeadingSpaces(state.Label(label::kWeek));
    const DayNumber first = DayNumber::FromYmd(state.Shown.Year(), state.Shown.Month(), 1);
    v.weeks = WeekColumn(first, s.WeekStartDay, s.FirstWeekNewYear);

    v.coordinatesHint = TimeZoneHint(ShownStandardOffset(state), loc.TimeSeparator);
    if (const std::string place = PlaceLabelOf(s); !place.empty())
        v.coordinatesHint += "\n" + place;
    v.latitude = LatitudeText(s.LatitudeMinutes, state.Current.hemisphere);
    v.longitude = LongitudeText(s.LongitudeMinutes, state.Current.hemisphere);
    v.summer = SummerRowsOf(day.Clocks, state.Shown, state);

    v.symbol = kSymbol;
    v.sunSetSymbolHint = "double clic to translator";
    if (state.LanguageChosen)
        v.sunSetSymbolHint.insert(0, std::string(LanguageName(s.LanguageIndex)) + "\n");
    const auto month = static_cast<std::size_t>(state.Shown.Month() - 1);
    v.monthText = " " + loc.StandaloneShortMonthNames[month];
    v.monthHint = loc.StandaloneMonthNames[month];
    v.monthNumberHint = std::to_string(state.Shown.Month());
    v.trayHint = TrayHintOf(v, shownText, s.PlaceName);
    v.twilight = TwilightPanelOf(state.Sky, state);
    v.phase = PhaseViewOf(state.Sky, NextFullAndNewMoon(s, state.Shown), state);
    return v;
}

std::vector<std::pair<std::string, std::string>> DayView::Texts() const {
    std::vector<std::pair<std::string, std::string>> t;
    auto add = [&t](std::string name, std::string text) {
        t.emplace_back(std::move(name), std::move(text));
    };
    auto colour = [](DateRole role) { return role == DateRole::ShownDate ? "black" : "gray"; };
    add("lbWeek", weekCaption);
    for (std::size_t i = 0; i < weeks.size(); ++i)
        add("lbWeek" + std::to_string(i + 1), std::to_string(weeks[i]));
    add("MonthEdit", monthText);
    add("MonthEdit.hint", monthHint);
    add("SpinEdit2.hint", monthNumberHint);
    add("lbSummerTime", summer.upper.caption);
    add("lbSummerTime.colour", colour(summer.upper.role));
    add("lbStartZomerUur", summer.upper.dateText);
    add("lbStartZomerUur.colour", colour(summer.upper.role));
    add("lbWinterTime", summer.lower.caption);
    add("lbWinterTime.colour", colour(summer.lower.role));
    add("lbStartWinterUur", summer.lower.dateText);
    add("lbStartWinterUur.colour", colour(summer.lower.role));
    add("lbDaysSummerTime", summer.daysCaption);
    add("lbZomerduur", summer.dayCount);
    add("lbZomerduur.hint", summer.dayCountHint);
    for (Body body : kBodies) {
        const PanelView& panel = (*this)[body];
        for (std::size_t r = 0; r < kRowCount; ++r) {
            const RowNames& n = kRowNames[IndexOf(body)][r];
            const RowView& row = panel.rows[r];
            add(n.caption, row.caption);
            add(n.value, row.value);
            add(std::string(n.value) + ".hint", row.valueHint);
            add(n.sign, row.sign);
            add(n.delta, row.delta);
            add(std::string(n.delta) + ".hint", panel.deltaHint);
            add(n.symbol, symbol);
            if (body == Body::Sun && r == static_cast<std::size_t>(Row::Set))
                add(std::string(n.symbol) + ".hint", sunSetSymbolHint);
        }
    }
    add("CaptionFontSize", std::to_string(captionPointSize));
    add("lbCoordinates", coordinatesCaption);
    add("lbCoordinates.hint", coordinatesHint);
    add("lbLatitude", latitude);
    add("lbLongitude", longitude);
    add("TrayHint", trayHint);
    constexpr const char* kTwilightRows[kTwilightRowCount] = {"Civil", "Nautical", "Astronomical",
                                                              "SolarNoon"};
    add("PnTwilight.hint", twilight.hint);
    for (std::size_t r = 0; r < kTwilightRowCount; ++r) {
        const std::string name = std::string("lb") + kTwilightRows[r];
        const TwilightRowView& row = twilight.rows[r];
        const bool noon = r + 1 == kTwilightRowCount;
        add(name, row.caption);
        add(name + (noon ? "Hour" : "Dawn"), row.first);
        if (!noon) add(name + "Dawn.hint", row.firstHint);
        add(name + (noon ? "Altitude" : "Dusk"), row.second);
        if (!noon) add(name + "Dusk.hint", row.secondHint);
    }
    add("lbMoonPhase", phase.name);
    add("lbMoonPhase.hint", phase.hint);
    add("lbMoonIlluminated", phase.illuminated);
    add("MoonDisc", phase.litSideText);
    return t;
}

}  // namespace dawn
