#include "present/export.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/horizonprofile.h"
#include "core/textfile.h"
#include "present/dayview.h"
#include "present/testsupport_state.h"
#include "present/texts.h"

namespace dawn {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::SizeIs;

ExportHeader HeaderOf(std::int32_t timeZoneMinutes) {
    return ExportHeader{"1.1.0.0", " Coordinates", "50N47", "05E28", "TimeZone", timeZoneMinutes};
}

SiteSettings SettingsAt(std::int32_t latitude, std::int32_t longitude, std::int32_t zone) {
    SiteSettings s = DefaultSettings("/nowhere", 2024);
    s.LatitudeMinutes = latitude;
    s.LongitudeMinutes = longitude;
    s.TimeZoneMinutes = zone;
    return s;
}

// Keeps what it is given; refuses from the `failAt`-th write on.
class StringSink final : public TextSink {
public:
    bool Write(std::string_view bytes) override {
        if (++writes >= failAt) return false;
        text.append(bytes);
        return true;
    }
    std::string text;
    int writes = 0;
    int failAt = 1 << 30;
};

std::vector<std::string> Lines(const std::string& text) {
    EXPECT_TRUE(text.empty() || text.ends_with("\r\n"));
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

std::vector<std::string> Build(const SiteSettings& s, DayNumber from, DayNumber to, Body body,
                               std::string_view separator = ":") {
    ExportJob job{HeaderOf(s.TimeZoneMinutes), body, s, from, to, {}};
    job.locale.TimeSeparator = separator;
    StringSink sink;
    EXPECT_EQ(WriteExport(job, sink), ExportEnd::Done);
    return Lines(sink.text);
}

std::string Line(const std::string& date, const DayEphemeris& day, Body body) {
    const EventEntry& rise = day.Event(body, EventKind::Rise);
    const EventEntry& set = day.Event(body, EventKind::Set);
    auto clock = [](const EventValues& e) {
        return e.CrossingClock ? FormatClock(*e.CrossingClock, ":") : std::string();
    };
    return date + ";" + clock(rise) + ";" + clock(set) + ";" + FormatAzimuth(rise.Azimuth) + ";" +
           FormatAzimuth(set.Azimuth);
}

TEST(Export, OneDateGivesTheHeaderAndOneLine) {
    const SiteSettings s = SettingsAt(3047, 328, 60);
    const DayNumber d = DayNumber::FromYmd(2024, 6, 21);
    const DayEphemeris day = ComputeDay(s, d);
    EXPECT_THAT(Build(s, d, d, Body::Sun),
                ElementsAre("Dawnhelm 1.1.0.0  Coordinates: 50N47 05E28   TimeZone 1 0",
                            "Dawnhelm by the Dawnhelm developers", std::string(68, '-'),
                            "Date;Sun Rise;Sun Set;Azimuth Sun Rise;Azimuth Sun Set",
                            Line("21/06/2024", day, Body::Sun)));
    const std::vector<std::string> moon = Build(s, d, d, Body::Moon);
    ASSERT_THAT(moon, SizeIs(5));
    EXPECT_EQ(moon[3], "Date;Moon Rise;Moon Set;Azimuth Moon Rise;Azimuth Moon Set");
    EXPECT_EQ(moon[4], Line("21/06/2024", day, Body::Moon));
    EXPECT_EQ(ExportFileName(Body::Moon), "moonhelm_data.txt");
    EXPECT_EQ(ExportFileName(Body::Sun), "dawnhelm_data.txt");
}

TEST(Export, CaptionColonIsNotDoubled) {
    for (const char* caption : {"Coordinates:", "   Coordonn\u00e9es       :"}) {
        ExportHeader h = HeaderOf(60);
        h.coordinatesCaption = caption;
        EXPECT_EQ(ExportHeaderLines(h, Body::Sun)[0],
                  std::string("Dawnhelm 1.1.0.0 ") + caption + " 50N47 05E28   TimeZone 1 0");
    }
}

TEST(Export, TimeZoneIsWrittenAsTheTwoSpinEditsShowIt) {
    struct Case {
        std::int32_t minutes;
        const char* tail;
    };
    for (const Case& c : {Case{60, "TimeZone 1 0"}, Case{0, "TimeZone 0 0"},
                          Case{-210, "TimeZone -3 -30"}, Case{-30, "TimeZone 0 -30"},
                          Case{345, "TimeZone 5 45"}, Case{-1439, "TimeZone -23 -59"}}) {
        const std::string first = ExportHeaderLines(HeaderOf(c.minutes), Body::Sun)[0];
        EXPECT_TRUE(first.ends_with(std::string("   ") + c.tail)) << first;
    }
}

// Every line of a range equals the line of the full day record of its date.
TEST(Export, LinesAreTheDayRecordsAcrossTheStartOfSummerTime) {
    const SiteSettings s = SettingsAt(3047, 328, 60);
    const DayNumber from = DayNumber::FromYmd(2024, 3, 29);
    const std::vector<std::string> lines = Build(s, from, from + 3, Body::Sun);
    ASSERT_THAT(lines, SizeIs(8));
    const char* dates[] = {"29/03/2024", "30/03/2024", "31/03/2024", "01/04/2024"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(lines[4 + i], Line(dates[i], ComputeDay(s, from + i), Body::Sun));
    // On the 31st sunrise jumps about an hour on the clock.
    EXPECT_EQ(lines[5].substr(11, 5), "06:18");
    EXPECT_EQ(lines[6].substr(11, 5), "07:15");
}

// No made-up time: an event that did not happen leaves its clock and azimuth
// fields empty, and the one that did keeps its time, summer time applied.
TEST(Export, DaysWithoutAnEventWriteOnlyWhatHappened) {
    // Longyearbyen, 78°13' N 15°38' E: polar night in December, midnight sun in
    // June (inside summer time); the default place's moon on 9 July 2027
    // rises at 12:44 summer time and does not set (its set at 23:13 standard
    // time is 00:13 of the 10th), and on 27 July it sets without rising.
    const SiteSettings longyearbyen = SettingsAt(4693, 938, 60);
    const SiteSettings velmoren = SettingsAt(3047, 328, 60);
    const struct {
        const SiteSettings& settings;
        DayNumber date;
        Body body;
        const char* separator;
        const char* line;
    } cases[] = {
        {longyearbyen, DayNumber::FromYmd(2024, 12, 21), Body::Sun, ":", "21/12/2024;;;;"},
        {longyearbyen, DayNumber::FromYmd(2024, 6, 21), Body::Sun, ":", "21/06/2024;;;;"},
        {velmoren, DayNumber::FromYmd(2027, 7, 9), Body::Moon, ":",
         "09/07/2027;12:44;;95\xC2\xB0"
         "58';"},
        {velmoren, DayNumber::FromYmd(2027, 7, 27), Body::Moon, ".",
         "27/07/2027;;15.56;;305\xC2\xB0"
         "02'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Build(c.settings, c.date, c.date, c.body, c.separator)[4], c.line);
}

std::string ReadGolden(const std::string& name) {
    const TextFileResult file =
        ReadTextFile(std::string(DAWN_SOURCE_DIR) + "/present/testdata/" + name);
    EXPECT_TRUE(file.ok()) << name;
    std::string text;
    for (const std::string& line : file.lines) text += line + "\r\n";
    return text;
}

// The twilight and phase files byte for byte, in a locale with "." between
// hours and minutes and a decimal comma: Longyearbyen going into the polar
// night, where the days lose their civil twilight, and Velmoren across the start of summer
// time and a full moon, with the phases named in French.
TEST(Export, TwilightAndPhaseFiles) {
    const struct {
        std::int32_t latitude, longitude;
        DayNumber from, to;
        ExportKind kind;
        const char* golden;
    } cases[] = {
        {4693, 938, DayNumber::FromYmd(2024, 11, 6), DayNumber::FromYmd(2024, 11, 16),
         ExportKind::Twilight, "export_twilight_78N_2024-11.txt"},
        {3047, 328, DayNumber::FromYmd(2024, 3, 22), DayNumber::FromYmd(2024, 4, 1),
         ExportKind::Twilight, "export_twilight_velmoren_2024-03.txt"},
        {3047, 328, DayNumber::FromYmd(2024, 3, 22), DayNumber::FromYmd(2024, 4, 1),
         ExportKind::MoonPhase, "export_phase_velmoren_2024-03.txt"},
    };
    AppState french = test::EnglishState();
    french.Settings.LanguageIndex = 2;
    french.ApplyLanguage();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.golden);
        const SiteSettings s = SettingsAt(c.latitude, c.longitude, 60);
        ExportJob job{HeaderOf(60), Body::Moon, s, c.from, c.to, {}, c.kind, PhaseNamesOf(french)};
        job.locale.TimeSeparator = ".";
        job.locale.DecimalPoint = ",";
        StringSink sink;
        ASSERT_EQ(WriteExport(job, sink), ExportEnd::Done);
        EXPECT_EQ(sink.text, ReadGolden(c.golden));
    }
    EXPECT_EQ(ExportFileName(ExportKind::Twilight, Body::Sun), "dawnhelm_twilight.txt");
    EXPECT_EQ(ExportFileName(ExportKind::MoonPhase, Body::Sun), "moonhelm_phase.txt");
    EXPECT_EQ(ExportFileName(ExportKind::RiseSet, Body::Moon), "moonhelm_data.txt");
}

TEST(Export, ProgressCancelsAndAFailedSinkStops) {
    const SiteSettings s = SettingsAt(3047, 328, 60);
    ExportJob job{HeaderOf(60),
                  Body::Sun,
                  s,
                  DayNumber::FromYmd(2000, 1, 1),
                  DayNumber::FromYmd(2019, 12, 31),
                  {}};
    std::vector<std::int64_t> seen;
    StringSink sink;
    EXPECT_EQ(WriteExport(job, sink,
                          [&](std::int64_t done, std::int64_t total) {
                              EXPECT_EQ(total, 7305);
                              seen.push_back(done);
                              return done < 4096;
                          }),
              ExportEnd::Cancelled);
    EXPECT_THAT(seen, ElementsAre(2048, 4096));

    // Written in pieces as it goes: the first piece is out long before the end.
    StringSink failing;
    failing.failAt = 2;
    EXPECT_EQ(WriteExport(job, failing), ExportEnd::SinkFailed);
    EXPECT_GT(failing.text.size(), 30000u);
    EXPECT_LT(failing.text.size(), 100000u);

    seen.clear();
    job.to = DayNumber::FromYmd(2000, 1, 10);
    StringSink all;
    EXPECT_EQ(WriteExport(job, all,
                          [&](std::int64_t done, std::int64_t) {
                              seen.push_back(done);
                              return true;
                          }),
              ExportEnd::Done);
    EXPECT_THAT(Lines(all.text), SizeIs(14));
    EXPECT_THAT(seen, ElementsAre(10));
}

// The header names the place as the main window shows it for the shown date
// and panel; the mail subject names it the same way with the zone and date.
TEST(Export, HeaderAndMailSubjectFollowTheMainWindow) {
    AppState state = test::EnglishState();
    state.ShowDate(DayNumber::FromYmd(2024, 6, 21));
    const ExportHeader sun = ExportHeaderFor(state);
    EXPECT_EQ(sun.coordinatesCaption, BuildDayView(state).coordinatesCaption);
    EXPECT_EQ(ExportHeaderLines(sun, Body::Sun)[0],
              "Dawnhelm 1.1.0.0         Coordinates: 50N47 05E28   Time zone 1 0");
    // One coordinates text for both: the caption's own colon is not doubled.
    EXPECT_EQ(MailSubject(state),
              "Dawnhelm 1.1.0.0         Coordinates: 50N47 05E28   Time zone 1 0  [21/06/2024]");
    // The zone as the configuration dialog's two spin edits show it.
    for (const auto& [zone, words] : {std::pair{-210, " -3 -30  ["}, std::pair{-45, " 0 -45  ["},
                                      std::pair{1439, " 23 59  ["}}) {
        state.Settings.TimeZoneMinutes = zone;
        EXPECT_NE(MailSubject(state).find(std::string("Time zone") + words), std::string::npos);
    }
}

// The light columns come after every designed one, in every kind of file:
// a year at Velmoren (summer time, and the walk's blocks of dates handed
// over mid-range) from 100 m, behind the jagged skyline, with one event of
// the user's that has only its setting side.
TEST(Export, LightColumnsFollowTheDesignedOnes) {
    const SiteSettings s = DefaultSettings("/nowhere", 2024);
    LightOptions light;
    light.heightMetres = 100;
    light.horizon =
        ReadHorizonProfile(std::string(DAWN_SOURCE_DIR) + "/astro/testdata/jagged_horizon.txt")
            .points;
    light.ownEvents = UserEventsFromLines({"Photo, west;elevation;10;setting"}, "test").events;
    ASSERT_THAT(light.ownEvents, SizeIs(1));
    const DayNumber from = DayNumber::FromYmd(2024, 1, 1), to = DayNumber::FromYmd(2025, 12, 31);
    auto build = [&](ExportKind kind, DayNumber a, DayNumber b, bool withLight) {
        ExportJob job{HeaderOf(60), Body::Sun, s, a, b, {}, kind};
        job.locale.TimeSeparator = ":";
        if (withLight) job.light = light;
        StringSink sink;
        EXPECT_EQ(WriteExport(job, sink), ExportEnd::Done);
        return Lines(sink.text);
    };
    const std::string names =
        ";Morning Blue Hour Start;Morning Blue Hour End;Morning Golden Hour Start;"
        "Morning Golden Hour End;Evening Golden Hour Start;Evening Golden Hour End;"
        "Evening Blue Hour Start;Evening Blue Hour End;Sun Rise From Height;Sun Set From Height;"
        "Visible Sun Rise;Visible Sun Set;Photo, west Setting";
    for (ExportKind kind : {ExportKind::RiseSet, ExportKind::Twilight}) {
        const std::vector<std::string> plain = build(kind, from, to, false);
        const std::vector<std::string> lit = build(kind, from, to, true);
        ASSERT_EQ(lit.size(), plain.size());
        EXPECT_EQ(lit[3], plain[3] + names);
        for (std::size_t i = 4; i < lit.size(); ++i) {
            ASSERT_TRUE(lit[i].starts_with(plain[i] + ";")) << lit[i];
            EXPECT_EQ(std::count(lit[i].begin(), lit[i].end(), ';'),
                      std::count(plain[i].begin(), plain[i].end(), ';') + 13);
        }
    }
    // Midsummer: the seen rise and set of the day verb; each blue hour ends
    // where its golden hour begins, and the event sets before the evening
    // golden hour, which begins at +6 degrees.
    const std::vector<std::string> years = build(ExportKind::RiseSet, from, to, true);
    const std::string& midsummer =
        years[4 + static_cast<std::size_t>(DayNumber::FromYmd(2024, 6, 21) - from)];
    EXPECT_THAT(midsummer, HasSubstr(";05:22;21:58;05:42;21:07;"));
    std::vector<std::string> f;
    for (std::size_t a = 0, b; (b = midsummer.find(';', a)) != std::string::npos; a = b + 1)
        f.push_back(midsummer.substr(a, b - a));
    f.push_back(midsummer.substr(midsummer.rfind(';') + 1));
    ASSERT_THAT(f, SizeIs(18));
    EXPECT_EQ(f[6], f[7]);
    EXPECT_EQ(f[10], f[11]);
    EXPECT_LT(f[17], f[9]);
    // Each date's fields are those of an export of that date alone, also
    // where one block of the walk ends and the next begins.
    for (std::int32_t day : {0, 200, 511, 512, 513, 730}) {
        const DayNumber d = from + day;
        EXPECT_EQ(build(ExportKind::RiseSet, d, d, true)[4],
                  years[4 + static_cast<std::size_t>(day)])
            << day;
    }
}

}  // namespace
}  // namespace dawn
