#include "core/settings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "core/testsupport_tempdir.h"
#include "core/textfile.h"

namespace dawn {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using Lines = std::vector<std::string>;

// The file written after a first start in `dir` in 2024 (March 2024 has five
// Sundays, October four).
Lines DefaultLines(const std::string& dir) {
    return {"0",
            "204",
            "903",
            "0",
            "1",
            dir + "/sunrise.wav",
            dir + "/sunset.wav",
            "1",
            dir + "/sunrise.jpg",
            "1",
            dir + "/sunset.jpg",
            "1",
            "328",
            "3047",
            "60",
            "1",
            "1",
            "1",
            "1"};
}

TEST(Line3, PacksHoursAndTwoFlags) {
    struct Case {
        std::int32_t hours;
        bool newYear, clock;
        std::int32_t packed;
    };
    const Case cases[] = {
        {1, true, false, 101},    {-5, true, true, -503}, {0, false, true, 2},
        {0, true, true, 3},       {0, false, false, 0},   {-1, false, true, -102},
        {12, false, false, 1200},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PackLine3(c.hours, c.newYear, c.clock), c.packed);
        const Line3 back = UnpackLine3(c.packed);
        EXPECT_EQ(back.hours, c.hours) << c.packed;
        EXPECT_EQ(back.firstWeekNewYear, c.newYear) << c.packed;
        EXPECT_EQ(back.showClock, c.clock) << c.packed;
    }
    // No overflow for hours that no zone has.
    EXPECT_EQ(PackLine3(INT32_MAX, true, true), INT32_MAX);
    EXPECT_EQ(PackLine3(INT32_MIN, true, false), INT32_MIN);
    EXPECT_EQ(UnpackLine3(INT32_MIN).hours, INT32_MIN / 100);
}

TEST(ParseSettingsInteger, AcceptsDecimalIntegersOnly) {
    struct Case {
        std::string text;
        bool ok;
        std::int32_t value;
    };
    const Case cases[] = {
        {"0", true, 0},
        {"-503", true, -503},
        {"+60", true, 60},
        {" 3047 ", true, 3047},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, -2147483647 - 1},
        {"2147483648", false, 0},
        {"", false, 0},
        {"  ", false, 0},
        {"12a", false, 0},
        {"1.5", false, 0},
        {"0x10", false, 0},
        {"--1", false, 0},
        {"+-1", false, 0},
        {std::string("1\0", 2), false, 0},
    };
    for (const auto& c : cases) {
        std::int32_t v = 0;
        EXPECT_EQ(ParseSettingsInteger(c.text, v), c.ok) << "'" << c.text << "'";
        if (c.ok) {
            EXPECT_EQ(v, c.value);
        }
    }
}

TEST(Settings, FirstStartInAnEmptyFolderWritesTheDefaultPlace) {
    testing::TempDir dir;
    auto loaded = LoadSettings(dir.str(), 2024);
    EXPECT_THAT(loaded.messages, IsEmpty());
    const SiteSettings& s = loaded.settings;
    EXPECT_EQ(s.LatitudeMinutes, 3047);
    EXPECT_EQ(s.LongitudeMinutes, 328);
    EXPECT_EQ(s.TimeZoneMinutes, 60);
    EXPECT_EQ(s.SummerRule, 204);  // March 2024 has five Sundays
    EXPECT_EQ(s.WinterRule, 903);
    EXPECT_EQ(ComputeDstWindow(s, DayNumber::FromYmd(2024, 6, 1)),
              (DstWindow{DayNumber::FromYmd(2024, 3, 31), DayNumber::FromYmd(2024, 10, 27)}));
    EXPECT_EQ(s.WeekStartDay, 1);

    ASSERT_TRUE(SaveSettings(loaded.settings, dir.str()).ok);
    std::string expected;
    for (const auto& l : DefaultLines(dir.str())) expected += l + "\r\n";
    EXPECT_EQ(dir.Read("Dawncode.txt"), expected);
}

TEST(Settings, RuleDefaultsFollowTodaysYear) {
    // March 2023 has four Sundays, March 2024 five; both mean the last one.
    EXPECT_EQ(DefaultSettings("/x", 2023).SummerRule, 203);
    EXPECT_EQ(DefaultSettings("/x", 2024).SummerRule, 204);
    EXPECT_EQ(DefaultSettings("/x", 2023).WinterRule, 904);  // October 2023 has five Sundays
    EXPECT_EQ(DefaultSettings("/x", 2024).WinterRule, 903);
    EXPECT_EQ(DefaultSettings("/x/", 2024).SunRiseSoundFile, "/x/sunrise.wav");
}

TEST(Settings, ShortFilesKeepTheirLinesAndTakeDefaultsForTheRest) {
    testing::TempDir dir;
    const Lines defaults = DefaultLines(dir.str());
    struct Case {
        std::string name;
        std::string bytes;
        Lines expectedFile;
    };
    Lines twelve = {"4",     "201", "901",   "-503", "0",     "a.wav",
                    "b.wav", "0",   "c.jpg", "0",    "d.jpg", "0"};
    Lines twelveThenDefaults = twelve;
    twelveThenDefaults.insert(twelveThenDefaults.end(), defaults.begin() + 12, defaults.end());
    std::string twelveBytes;
    for (const auto& l : twelve) twelveBytes += l + "\r\n";
    const Case cases[] = {
        {"empty", "", defaults},
        {"one blank line", "\r\n", defaults},
        {"twelve lines", twelveBytes, twelveThenDefaults},
    };
    for (const auto& c : cases) {
        dir.Write("Dawncode.txt", c.bytes);
        auto loaded = LoadSettings(dir.str(), 2024);
        ASSERT_TRUE(SaveSettings(loaded.settings, dir.str()).ok);
        EXPECT_EQ(ReadTextFile(dir.file("Dawncode.txt")).lines, c.expectedFile) << c.name;
    }
}

TEST(Settings, TwelveLinesGiveTheirValues) {
    const auto loaded = SettingsFromLines(
        {"4", "201", "901", "-503", "0", "a.wav", "b.wav", "0", "c.jpg", "0", "d.jpg", "0"}, "/app",
        2024, "f");
    const SiteSettings& s = loaded.settings;
    EXPECT_EQ(s.LanguageIndex, 4);
    EXPECT_EQ(s.SummerRule, 201);
    EXPECT_EQ(s.WinterRule, 901);
    EXPECT_EQ(s.TimeZoneHours, -5);
    EXPECT_TRUE(s.FirstWeekNewYear);
    EXPECT_TRUE(s.ShowClock);
    EXPECT_FALSE(s.AlarmSoundEnabled);
    EXPECT_EQ(s.SunRiseSoundFile, "a.wav");
    EXPECT_EQ(s.SunSetImageFile, "d.jpg");
    EXPECT_FALSE(s.SunSetImageStretch);
    EXPECT_EQ(s.LongitudeMinutes, 328);
    EXPECT_EQ(s.LatitudeMinutes, 3047);
    EXPECT_EQ(s.TimeZoneMinutes, 60);
    EXPECT_TRUE(s.SummerTimeEnabled);
    EXPECT_EQ(DstParamsOf(s).summer, (DstChange{3, 1, 1}));  // second Sunday of March
    EXPECT_EQ(DstParamsOf(s).winter, (DstChange{10, 1, 1}));
}

TEST(Settings, LinesBeyondTheNineteenthAreWrittenBack) {
    testing::TempDir dir;
    Lines file = DefaultLines(dir.str());
    // The place's two lines, the alarms' eight lines, the observer's height
    // and horizon profile, the graph's light switch, then lines of a later
    // version of the program.
    for (const char* line : {"Europe/Brussels", "", "-15", "1", "30", "2", "0", "3", "-180", "0",
                             "", "", "", "extra 32", "", "extra 34"})
        file.push_back(line);
    ASSERT_TRUE(WriteTextFileAtomic(dir.file("Dawncode.txt"), file).ok());
    auto loaded = LoadSettings(dir.str(), 2024);
    EXPECT_THAT(loaded.messages, IsEmpty());
    EXPECT_EQ(loaded.settings.ZoneName, "Europe/Brussels");
    EXPECT_EQ(loaded.settings.PlaceName, "");
    EXPECT_THAT(loaded.settings.ExtraLines, ElementsAre("extra 32", "", "extra 34"));
    loaded.settings.LatitudeMinutes = -2032;
    ASSERT_TRUE(SaveSettings(loaded.settings, dir.str()).ok);
    file[13] = "-2032";
    EXPECT_EQ(ReadTextFile(dir.file("Dawncode.txt")).lines, file);
}

// Line 29 holds the observer's height and line 30 the horizon profile's
// path; each is written only when it, or a later line, holds something, so
// the files without them keep their lines. A height that is no number or out
// of range is reported and 0 is used.
TEST(Settings, HeightAndHorizonProfileLines) {
    const Lines base = DefaultLines("/app");
    const Lines alarms = {"", "", "0", "0", "0", "0", "0", "3", "0", "3"};
    struct Case {
        Lines after29;
        double metres;
        std::string profile;
        std::size_t extras;
        bool reported;
    };
    const Case cases[] = {
        {{"120.5"}, 120.5, "", 0, false},
        {{"", "/home/me/hills.txt"}, 0, "/home/me/hills.txt", 0, false},
        {{"2000", "hills.txt", "", "later"}, 2000, "hills.txt", 1, false},
        {{"", "", "", "later"}, 0, "", 1, false},
        {{"high"}, 0, "", 0, true},
        {{"-3"}, 0, "", 0, true},
        {{"10000.5"}, 0, "", 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.after29.front());
        Lines lines = base;
        lines.insert(lines.end(), alarms.begin(), alarms.end());
        lines.insert(lines.end(), c.after29.begin(), c.after29.end());
        const SettingsLoadResult loaded = SettingsFromLines(lines, "/app", 2024, "f");
        const SiteSettings& s = loaded.settings;
        EXPECT_EQ(s.ObserverHeightMetres, c.metres);
        EXPECT_EQ(s.HorizonProfilePath, c.profile);
        EXPECT_EQ(s.ExtraLines.size(), c.extras);
        if (c.reported) {
            ASSERT_EQ(loaded.messages.size(), 1u);
            EXPECT_THAT(loaded.messages[0], HasSubstr("line 30: '" + c.after29.front() +
                                                      "' is not a height in metres"));
        } else {
            EXPECT_THAT(loaded.messages, IsEmpty());
            EXPECT_EQ(SettingsFileLines(s), lines);
        }
    }
    // Set in a file of 19 lines: the alarms' lines come before them.
    SiteSettings s = DefaultSettings("/app", 2024);
    s.ObserverHeightMetres = 35;
    Lines expected = base;
    expected.insert(expected.end(), alarms.begin(), alarms.end());
    expected.push_back("35");
    EXPECT_EQ(SettingsFileLines(s), expected);
    s.ObserverHeightMetres = 0;
    EXPECT_EQ(SettingsFileLines(s), base);
}

// Line 31 remembers the year graph's light switch: "1" is on, empty (or a
// missing line) off; it is written only when on, before later lines, or when
// the file held it, so every file keeps its lines. Any other text is
// reported.
TEST(Settings, GraphLightLine) {
    const Lines base = DefaultLines("/app");
    const Lines alarms = {"", "", "0", "0", "0", "0", "0", "3", "0", "3"};
    const struct {
        Lines after29;
        bool on;
        bool reported;
    } cases[] = {
        {{"", "", "1"}, true, false},
        {{"", "", "", "later"}, false, false},
        {{"", "", "0"}, false, false},
        {{"", "", "yes"}, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.after29[2]);
        Lines lines = base;
        lines.insert(lines.end(), alarms.begin(), alarms.end());
        lines.insert(lines.end(), c.after29.begin(), c.after29.end());
        const SettingsLoadResult loaded = SettingsFromLines(lines, "/app", 2024, "f");
        EXPECT_EQ(loaded.settings.GraphLightShown, c.on);
        if (c.reported) {
            ASSERT_EQ(loaded.messages.size(), 1u);
            EXPECT_THAT(loaded.messages[0], HasSubstr("line 32: 'yes' is not 0 or 1"));
        } else {
            EXPECT_THAT(loaded.messages, IsEmpty());
            if (c.after29[2] != "0") {
                EXPECT_EQ(SettingsFileLines(loaded.settings), lines);
            }
        }
        EXPECT_EQ(SettingsFileLines(loaded.settings).size(), lines.size());
    }
    // Switched on and off again in a file of 19 lines.
    SiteSettings s = DefaultSettings("/app", 2024);
    s.GraphLightShown = true;
    Lines expected = base;
    expected.insert(expected.end(), alarms.begin(), alarms.end());
    expected.insert(expected.end(), {"", "", "1"});
    EXPECT_EQ(SettingsFileLines(s), expected);
    s.GraphLightShown = false;
    EXPECT_EQ(SettingsFileLines(s), base);
}

TEST(Settings, AlarmLinesFollowThePlaceLines) {
    // Line 21 on: offset and way of sunrise, sunset, civil dawn, civil dusk.
    Lines lines = DefaultLines("/app");
    for (const char* line :
         {"Europe/Brussels", "Brussels", "-15", "1", "30", "2", "0", "3", "-200", "0"})
        lines.push_back(line);
    const auto loaded = SettingsFromLines(lines, "/app", 2024, "f");
    // The offset out of range is brought into it, and said.
    ASSERT_EQ(loaded.messages.size(), 1u);
    EXPECT_THAT(loaded.messages[0],
                HasSubstr("line 28: '-200' is outside -180..180; -180 is used"));
    using std::chrono::minutes;
    const AlarmChoices expected{AlarmChoice{true, minutes{-15}, AlarmChannel::Notification},
                                AlarmChoice{true, minutes{30}, AlarmChannel::Both},
                                AlarmChoice{false, minutes{0}, AlarmChannel::Picture},
                                AlarmChoice{true, minutes{-180}, AlarmChannel::Picture}};
    EXPECT_EQ(loaded.settings.Alarms, expected);
    EXPECT_EQ(loaded.settings.ZoneName, "Europe/Brussels");
    EXPECT_EQ(loaded.settings.PlaceName, "Brussels");
    EXPECT_TRUE(loaded.settings.ExtraLines.empty());
    EXPECT_EQ(SettingsFileLines(loaded.settings)[27], "-180");  // clamped

    // The alarms set in a file of 19 lines: empty lines hold the place's.
    SiteSettings s = DefaultSettings("/app", 2024);
    EXPECT_EQ(SettingsFileLines(s).size(), 19u);  // all at their defaults
    s.Alarms[1].Offset = minutes{-15};
    const Lines written = SettingsFileLines(s);
    ASSERT_EQ(written.size(), 29u);
    EXPECT_EQ(written[19], "");
    EXPECT_EQ(written[20], "");
    EXPECT_EQ(Lines(written.begin() + 21, written.end()),
              (Lines{"0", "0", "-15", "0", "0", "3", "0", "3"}));
    EXPECT_EQ(SettingsFromLines(written, "/app", 2024, "f").settings.Alarms, s.Alarms);
}

TEST(Settings, ABadAlarmLineTakesItsDefaultAndIsReported) {
    Lines lines = DefaultLines("/app");
    for (const char* line : {"", "", "soon", "1", "10", "4", "", "", "5", "-1"})
        lines.push_back(line);
    const auto loaded = SettingsFromLines(lines, "/app", 2024, "f");
    ASSERT_EQ(loaded.messages.size(), 3u);
    EXPECT_THAT(loaded.messages[0],
                HasSubstr("line 22: 'soon' is not a valid alarm value; the default 0"));
    EXPECT_THAT(loaded.messages[1], HasSubstr("line 25: '4'"));
    EXPECT_THAT(loaded.messages[2],
                HasSubstr("line 29: '-1' is not a valid alarm value; the default 3"));
    const AlarmChoices& a = loaded.settings.Alarms;
    EXPECT_EQ(a[0].Offset.count(), 0);                    // the bad offset
    EXPECT_EQ(a[0].Channel, AlarmChannel::Notification);  // its good way
    EXPECT_EQ(a[1].Offset.count(), 10);
    EXPECT_EQ(a[1].Channel, AlarmChannel::Picture);  // the bad way
    EXPECT_FALSE(a[2].On);                           // empty lines
    EXPECT_EQ(a[3].Offset.count(), 5);
    EXPECT_FALSE(a[3].On);
}

// Lines 20 and 21 hold the zone and the place; a file without them is written
// back with its 19 lines, and an empty line 20 or 21 keeps its place when a
// later line follows.
TEST(Settings, ZoneAndPlaceLines) {
    const Lines base = DefaultLines("/app");
    struct Case {
        Lines after19;  // the lines after the 19th in the file
        std::string zone, place;
        std::size_t extras;
    };
    const Case cases[] = {
        {{}, "", "", 0},
        {{"Europe/Helsinki"}, "Europe/Helsinki", "", 0},
        {{"Europe/Helsinki", "Helsinki"}, "Europe/Helsinki", "Helsinki", 0},
        {{"", "Helsinki"}, "", "Helsinki", 0},
        {{"", "", "0", "0", "0", "0", "0", "3", "0", "3", "", "", "", "later"}, "", "", 1},
        {{"Nowhere/Atlantis", "", "0", "0", "0", "0", "0", "3", "0", "3", "", "", "", "later", ""},
         "Nowhere/Atlantis",
         "",
         2},
    };
    for (const auto& c : cases) {
        Lines lines = base;
        lines.insert(lines.end(), c.after19.begin(), c.after19.end());
        const SiteSettings s = SettingsFromLines(lines, "/app", 2024, "f").settings;
        EXPECT_EQ(s.ZoneName, c.zone);
        EXPECT_EQ(s.PlaceName, c.place);
        EXPECT_EQ(s.ExtraLines.size(), c.extras);
        EXPECT_EQ(s.Zone, nullptr);  // opening it is the caller's part
        EXPECT_EQ(SettingsFileLines(s), lines) << lines.size();
    }
    SiteSettings s = SettingsFromLines(base, "/app", 2024, "f").settings;
    s.PlaceName = "Helsinki";
    EXPECT_EQ(SettingsFileLines(s).size(), 21u);
    EXPECT_EQ(SettingsFileLines(s)[19], "");
}

TEST(Settings, ReadsCrOnlyAndWindows1252AndWritesUtf8) {
    testing::TempDir dir;
    Lines lines = DefaultLines(dir.str());
    lines[5] =
        "/m\xE9"
        "dia/lever.wav";  // Windows-1252 é
    lines[14] = "-300";
    std::string bytes;
    for (const auto& l : lines) bytes += l + "\r";
    dir.Write("Dawncode.txt", bytes);
    auto loaded = LoadSettings(dir.str(), 2024);
    // The conversion is reported, and the file kept as it was before the save.
    ASSERT_EQ(loaded.messages.size(), 2u);
    EXPECT_THAT(loaded.messages[0], HasSubstr("1 line was not UTF-8"));
    EXPECT_THAT(loaded.messages[1], HasSubstr("Dawncode.txt.bak"));
    EXPECT_EQ(loaded.settings.SunRiseSoundFile,
              "/m\xC3\xA9"
              "dia/lever.wav");
    EXPECT_EQ(loaded.settings.TimeZoneMinutes, -300);
    EXPECT_TRUE(loaded.settings.ExtraLines.empty());
    ASSERT_TRUE(SaveSettings(loaded.settings, dir.str()).ok);
    EXPECT_THAT(dir.Read("Dawncode.txt"), HasSubstr("\r\n/m\xC3\xA9"
                                                    "dia/lever.wav\r\n"));
    EXPECT_EQ(dir.Read("Dawncode.txt.bak"), bytes);
}

TEST(Settings, ANonIntegerLineTakesItsDefaultAndIsReported) {
    Lines lines = DefaultLines("/app");
    lines[13] = "fifty";
    lines[16] = "2";
    lines[3] = "1x";
    const auto loaded = SettingsFromLines(lines, "/app", 2024, "/app/Dawncode.txt");
    EXPECT_EQ(loaded.settings.LatitudeMinutes, 3047);
    EXPECT_EQ(loaded.settings.TimeZoneHours, 0);
    EXPECT_EQ(loaded.settings.SummerWeekday, 2);  // the other lines are used
    ASSERT_EQ(loaded.messages.size(), 2u);
    EXPECT_THAT(loaded.messages[0],
                HasSubstr("\"/app/Dawncode.txt\", line 4: '1x' is not a valid integer value"));
    EXPECT_THAT(loaded.messages[1], HasSubstr("line 14: 'fifty' is not a valid integer value"));
    EXPECT_THAT(loaded.messages[1], HasSubstr("3047"));
}

TEST(Settings, HugeOrBinaryLinesAreQuotedShort) {
    Lines lines = DefaultLines("/app");
    lines[0] = std::string(1'000'000, '9') + "x";
    lines[12] = std::string(
        "1\0"
        "2",
        3);
    const auto loaded = SettingsFromLines(lines, "/app", 2024, "f");
    ASSERT_EQ(loaded.messages.size(), 2u);
    EXPECT_LT(loaded.messages[0].size(), 200u);
    EXPECT_THAT(loaded.messages[1], HasSubstr("'1?2'"));
    EXPECT_EQ(loaded.settings.LongitudeMinutes, 328);
}

TEST(Settings, OutOfRangeValuesAreClampedAndReported) {
    struct Case {
        int line;
        std::string text;
        std::function<std::int64_t(const SiteSettings&)> field;
        std::int64_t expected;
    };
    const Case cases[] = {
        {0, "7", [](const SiteSettings& s) { return s.LanguageIndex; }, 6},
        {0, "-1", [](const SiteSettings& s) { return s.LanguageIndex; }, 0},
        {0, "256", [](const SiteSettings& s) { return s.LanguageIndex; }, 6},
        {1, "1250", [](const SiteSettings& s) { return s.SummerRule; }, 1104},
        {1, "-5", [](const SiteSettings& s) { return s.SummerRule; }, 0},
        {2, "907", [](const SiteSettings& s) { return s.WinterRule; }, 904},
        {3, "9903", [](const SiteSettings& s) { return s.TimeZoneHours; }, 23},
        {12, "20000", [](const SiteSettings& s) { return s.LongitudeMinutes; }, 10800},
        {12, "-10801", [](const SiteSettings& s) { return s.LongitudeMinutes; }, -10800},
        {13, "5401", [](const SiteSettings& s) { return s.LatitudeMinutes; }, 5400},
        {13, "-9999", [](const SiteSettings& s) { return s.LatitudeMinutes; }, -5400},
        {14, "1440", [](const SiteSettings& s) { return s.TimeZoneMinutes; }, 1439},
        {14, "-2000", [](const SiteSettings& s) { return s.TimeZoneMinutes; }, -1439},
        {16, "0", [](const SiteSettings& s) { return s.SummerWeekday; }, 1},
        {16, "8", [](const SiteSettings& s) { return s.SummerWeekday; }, 7},
        {17, "-1", [](const SiteSettings& s) { return s.WinterWeekday; }, 1},
        {18, "7", [](const SiteSettings& s) { return s.WeekStartDay; }, 6},
        {18, "-3", [](const SiteSettings& s) { return s.WeekStartDay; }, 0},
        // The alarm offsets (line 22 on), however far out, at the nearest limit.
        {21, "181", [](const SiteSettings& s) { return s.Alarms[0].Offset.count(); }, 180},
        {23, "-181", [](const SiteSettings& s) { return s.Alarms[1].Offset.count(); }, -180},
        {25, "99999999999999999999",
         [](const SiteSettings& s) { return s.Alarms[2].Offset.count(); }, 180},
        {27, " -4294967296", [](const SiteSettings& s) { return s.Alarms[3].Offset.count(); },
         -180},
    };
    for (const auto& c : cases) {
        Lines lines = DefaultLines("/app");
        lines.resize(29);
        lines[c.line] = c.text;
        const auto loaded = SettingsFromLines(lines, "/app", 2024, "f");
        EXPECT_EQ(c.field(loaded.settings), c.expected)
            << "line " << c.line << " '" << c.text << "'";
        // One message names the line, what it held and the value used.
        ASSERT_EQ(loaded.messages.size(), 1u) << "line " << c.line;
        EXPECT_THAT(loaded.messages[0],
                    HasSubstr("line " + std::to_string(c.line + 1) + ": '" + c.text + "'"));
        EXPECT_THAT(loaded.messages[0], HasSubstr(" is used instead."));
        // Whatever was read, the rules stay inside a month.
        const DstRuleParams p = DstParamsOf(loaded.settings);
        EXPECT_GE(p.summer.month, 1);
        EXPECT_LE(p.summer.month, 12);
        EXPECT_LE(p.summer.occurrence, 4);
    }
}

// A rule read from the file means the same weekday in every year, whatever
// the year it was written or read in: 204 and 203 both mean the last Sunday.
TEST(Settings, ARuleMeansTheSameWeekdayInEveryYear) {
    struct Case {
        std::int32_t rule;
        int year;
        DayNumber start;
    };
    const Case cases[] = {
        {300, 2028, DayNumber::FromYmd(2028, 4, 2)},  {201, 2026, DayNumber::FromYmd(2026, 3, 8)},
        {201, 2027, DayNumber::FromYmd(2027, 3, 14)}, {204, 2026, DayNumber::FromYmd(2026, 3, 29)},
        {204, 2027, DayNumber::FromYmd(2027, 3, 28)}, {203, 2026, DayNumber::FromYmd(2026, 3, 29)},
        {203, 2027, DayNumber::FromYmd(2027, 3, 28)},
    };
    for (const auto& c : cases) {
        for (int readIn : {2024, 2026, 2027}) {
            Lines lines = DefaultLines("/app");
            lines[1] = std::to_string(c.rule);
            const SiteSettings s = SettingsFromLines(lines, "/app", readIn, "f").settings;
            EXPECT_EQ(s.SummerRule, c.rule);  // never rewritten
            const DayNumber june = DayNumber::FromYmd(c.year, 6, 1);
            EXPECT_EQ(ComputeDstWindow(s, june).SummerStart, c.start)
                << c.rule << " in " << c.year << " read in " << readIn;
            EXPECT_EQ(ClockRulesOf(s, june).window.SummerStart, c.start);
        }
    }
}

TEST(Settings, SouthernWindowFromTheFile) {
    Lines lines = DefaultLines("/app");
    lines[1] = "900";     // first Sunday of October
    lines[2] = "300";     // first Sunday of April
    lines[13] = "-2032";  // 33°52' S
    lines[14] = "600";
    const SiteSettings s = SettingsFromLines(lines, "/app", 2024, "f").settings;
    const auto jan = DayNumber::FromYmd(2025, 1, 10), jun = DayNumber::FromYmd(2024, 6, 10);
    EXPECT_EQ(ComputeDstWindow(s, jan),
              (DstWindow{DayNumber::FromYmd(2024, 10, 6), DayNumber::FromYmd(2025, 4, 6)}));
    EXPECT_TRUE(ComputeDstWindow(s, jan).Contains(jan));
    EXPECT_FALSE(ComputeDstWindow(s, jun).Contains(jun));
}

TEST(Settings, AFailedSaveReportsTheReasonAndChangesNothing) {
    testing::TempDir dir;
    SiteSettings s = DefaultSettings(dir.str(), 2024);
    s.ExtraLines = {"kept"};
    const SiteSettings before = s;
    const auto r = SaveSettings(s, dir.file("missing-folder"));
    EXPECT_FALSE(r.ok);
    EXPECT_THAT(r.error, HasSubstr("Dawncode.txt"));
    EXPECT_THAT(r.error, HasSubstr("No such file or directory"));
    EXPECT_EQ(s.ExtraLines, before.ExtraLines);
    EXPECT_EQ(SettingsToLines(s), SettingsToLines(before));
}

TEST(Settings, AnUnreadableFileIsKeptAsideBeforeItIsReplaced) {
    testing::TempDir dir;
    const std::string path = dir.file("Dawncode.txt");
    dir.Write("Dawncode.txt", "5\r\n");
    std::filesystem::resize_file(path, kMaxTextFileBytes + 1);
    auto loaded = LoadSettings(dir.str(), 2024);
    ASSERT_EQ(loaded.messages.size(), 1u);
    EXPECT_THAT(loaded.messages[0], HasSubstr("too large"));
    EXPECT_EQ(loaded.settings.LanguageIndex, 0);
    ASSERT_TRUE(SaveSettings(loaded.settings, dir.str()).ok);
    EXPECT_EQ(std::filesystem::file_size(path + ".bak"), kMaxTextFileBytes + 1);
    EXPECT_EQ(ReadTextFile(path).lines.size(), 19u);
    // Later saves replace the file as usual and leave the copy alone.
    loaded.settings.LanguageIndex = 3;
    std::filesystem::remove(path + ".bak");
    ASSERT_TRUE(SaveSettings(loaded.settings, dir.str()).ok);
    EXPECT_FALSE(std::filesystem::exists(path + ".bak"));
}

}  // namespace
}  // namespace dawn
