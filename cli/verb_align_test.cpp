// align against events: the same dates, times and azimuths.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/testsupport_verbs.h"

namespace dawn::cli {
namespace {

// "126°58'" as degrees.
double AzimuthOf(const std::string& text) {
    const std::size_t degree = text.find("\xC2\xB0");
    return std::stoi(text.substr(0, degree)) + std::stoi(text.substr(degree + 2, 2)) / 60.0;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t semi; (semi = line.find(';', start)) != std::string::npos; start = semi + 1)
        fields.push_back(line.substr(start, semi - start));
    fields.push_back(line.substr(start));
    return fields;
}

// A year of events filtered by hand is what align finds: the sun and the
// moon, rise and set, with a zone (whose summer time neither shows) and
// with a fixed offset, a tolerance of 0 finding an azimuth shown as the
// target, and a target near north measured the short way round.
TEST(AlignVerb, FindsExactlyTheDatesEventsListsWithinTheTolerance) {
    const struct {
        std::vector<std::string> place;
        const char* body;
        const char* event;
        double azimuth, tolerance;
    } cases[] = {
        {{"--lat", "3047", "--lon", "328", "--zone", "Europe/Brussels"}, "moon", "rise", 100, 4},
        {{"--lat", "3047", "--lon", "328", "--zone", "Europe/Brussels"}, "sun", "set", 300, 2},
        {{"--lat", "-2032", "--lon", "9073", "--tz", "600"}, "moon", "set", 250, 0.5},
        {{"--lat", "4179", "--lon", "1138", "--tz", "60"}, "moon", "rise", 358, 10},
        {{"--lat", "4179", "--lon", "1138", "--tz", "60"}, "sun", "rise", 0, 0},
    };
    int found = 0;
    for (const auto& c : cases) {
        std::vector<std::string> events = {"events", "--from", "2024-01-01", "--to", "2024-12-31"};
        events.insert(events.end(), c.place.begin(), c.place.end());
        if (std::string(c.body) == "moon") events.push_back("--moon");
        const CliRun listed = RunCli(events);
        ASSERT_EQ(listed.code, 0) << listed.err;
        std::vector<std::string> expected;
        const std::string kind = std::string(c.event) == "rise" ? "Rise" : "Set";
        for (const std::string& line : Lines(listed.out)) {
            const std::vector<std::string> f = Fields(line);
            if (f[1] != kind || f[4].empty()) continue;
            double apart = std::fmod(std::fabs(AzimuthOf(f[4]) - c.azimuth), 360.0);
            if (apart > 180) apart = 360 - apart;
            if (apart <= c.tolerance + 1e-9) expected.push_back(f[0] + ";" + f[4]);
        }
        std::vector<std::string> align = {"align",
                                          "--body",
                                          c.body,
                                          "--event",
                                          c.event,
                                          "--azimuth",
                                          std::to_string(c.azimuth),
                                          "--tolerance",
                                          std::to_string(c.tolerance),
                                          "--from",
                                          "2024-01-01",
                                          "--to",
                                          "2024-12-31"};
        align.insert(align.end(), c.place.begin(), c.place.end());
        const CliRun r = RunCli(align);
        ASSERT_EQ(r.code, 0) << r.err;
        std::vector<std::string> got;
        for (const std::string& line : Lines(r.out)) {
            const std::vector<std::string> f = Fields(line);
            ASSERT_EQ(f.size(), 4u) << line;
            EXPECT_EQ(f[3].empty(), std::string(c.body) == "sun") << line;
            got.push_back(f[0] + ";" + f[2]);
        }
        EXPECT_EQ(got, expected) << c.body << " " << c.event << " " << c.azimuth;
        found += static_cast<int>(got.size());
    }
    EXPECT_GT(found, 30);
}

// On a Normal day the time is the one events lists, and the lit percentage
// is the one position gives at that minute; --min-illum keeps exactly the
// lines at or above it.
TEST(AlignVerb, TimesAndLitPercentagesAgreeWithEventsAndPosition) {
    const std::vector<std::string> place = {"--lat", "3047", "--lon", "328", "--tz", "60"};
    std::vector<std::string> args = {"align",      "--body", "moon",        "--event", "set",
                                     "--azimuth",  "270",    "--tolerance", "8",       "--from",
                                     "2024-01-01", "--to",   "2024-06-30"};
    args.insert(args.end(), place.begin(), place.end());
    const CliRun all = RunCli(args);
    ASSERT_EQ(all.code, 0) << all.err;
    const std::vector<std::string> lines = Lines(all.out);
    ASSERT_GE(lines.size(), 6u);
    std::vector<std::string> bright;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::vector<std::string> f = Fields(lines[i]);
        if (std::stod(f[3]) >= 50.0) bright.push_back(lines[i]);
        if (i % 3 != 0) continue;
        std::vector<std::string> events = {"events", "--moon", "--from", f[0], "--to", f[0]};
        events.insert(events.end(), place.begin(), place.end());
        for (const std::string& line : Lines(RunCli(events).out)) {
            const std::vector<std::string> e = Fields(line);
            if (e[1] != "Set") continue;
            EXPECT_EQ(e[4], f[2]) << line;
            if (e[2] == "4") {
                EXPECT_EQ(e[3], f[1]) << line;
            }
        }
        std::vector<std::string> position = {"position", "--at", f[0] + " " + f[1]};
        position.insert(position.end(), place.begin(), place.end());
        const std::vector<std::string> moon = Fields(Lines(RunCli(position).out).at(1));
        EXPECT_EQ(moon[3], f[3]) << lines[i];
    }
    args.insert(args.end(), {"--min-illum", "50"});
    const CliRun lit = RunCli(args);
    ASSERT_EQ(lit.code, 0) << lit.err;
    EXPECT_EQ(Lines(lit.out), bright);
    EXPECT_FALSE(bright.empty());
    EXPECT_LT(bright.size(), lines.size());
}

TEST(AlignVerb, BadArgumentsLeaveStdoutEmpty) {
    const std::vector<std::string> base = {"align",      "--lat", "0",         "--lon",
                                           "0",          "--tz",  "0",         "--from",
                                           "2024-01-01", "--to",  "2024-01-31"};
    const struct {
        std::vector<std::string> extra;
        const char* message;
    } cases[] = {
        {{"--body", "mars", "--event", "rise", "--azimuth", "90", "--tolerance", "1"}, "--body:"},
        {{"--body", "sun", "--event", "noon", "--azimuth", "90", "--tolerance", "1"}, "--event:"},
        {{"--body", "sun", "--event", "rise", "--azimuth", "361", "--tolerance", "1"},
         "--azimuth:"},
        {{"--body", "sun", "--event", "rise", "--azimuth", "90", "--tolerance", "-1"},
         "--tolerance:"},
        {{"--body", "sun", "--event", "rise", "--azimuth", "nan", "--tolerance", "1"},
         "--azimuth:"},
        {{"--body", "sun", "--event", "rise", "--azimuth", "90", "--tolerance", "1", "--min-illum",
          "50"},
         "--min-illum goes with --body moon"},
        {{"--body", "moon", "--event", "rise", "--azimuth", "90", "--tolerance", "1", "--min-illum",
          "101"},
         "--min-illum:"},
        {{"--body", "moon", "--event", "rise", "--azimuth", "90"}, "--tolerance"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = base;
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const CliRun r = RunCli(args);
        EXPECT_EQ(r.code, 2) << c.message;
        EXPECT_THAT(r.err, testing::HasSubstr(c.message));
        EXPECT_TRUE(r.out.empty()) << c.message;
    }
}

}  // namespace
}  // namespace dawn::cli
