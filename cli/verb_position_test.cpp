// position: the moment on the zone's clock or in standard time, the figures'
// form, and its errors.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "cli/testsupport_verbs.h"

namespace dawn::cli {
namespace {

std::vector<std::string> Position(const std::vector<std::string>& place, const std::string& at) {
    std::vector<std::string> args = {"position", "--at", at};
    args.insert(args.end(), place.begin(), place.end());
    const CliRun r = RunCli(args);
    EXPECT_EQ(r.code, 0) << r.err;
    return Lines(r.out);
}

const std::vector<std::string> kVelmorenTz = {"--lat", "3047", "--lon", "328", "--tz", "60"};
const std::vector<std::string> kVelmorenZone = {"--lat", "3047",   "--lon",
                                                "328",   "--zone", "Europe/Brussels"};

// The figures of the reference's row for 2000-01-01 12:00 UT at Velmoren
// (astro/precise/testdata/position_reference.txt): sun 16.0679° at
// 184.4484°, moon 6.6148° at 242.3998°, 23.046 % lit, 401658.1 km.
TEST(PositionVerb, PrintsTheSunAndTheMoonAsTheReferenceHasThem) {
    const std::vector<std::string> lines = Position(kVelmorenTz, "2000-01-01 13:00");
    ASSERT_EQ(lines.size(), 2u);
    const std::regex sun(R"(sun;(-?\d+\.\d{3});(\d+\.\d{3}))");
    const std::regex moon(R"(moon;(-?\d+\.\d{3});(\d+\.\d{3});(\d+\.\d);(\d+))");
    std::smatch s, m;
    ASSERT_TRUE(std::regex_match(lines[0], s, sun)) << lines[0];
    ASSERT_TRUE(std::regex_match(lines[1], m, moon)) << lines[1];
    EXPECT_NEAR(std::stod(s[1]), 16.0679, 0.05);
    EXPECT_NEAR(std::stod(s[2]), 184.4484, 0.05);
    EXPECT_NEAR(std::stod(m[1]), 6.6148, 0.2);
    EXPECT_NEAR(std::stod(m[2]), 242.3998, 0.2);
    EXPECT_NEAR(std::stod(m[3]), 23.046, 1.0);
    EXPECT_NEAR(std::stod(m[4]), 401658, 20);
}

// With a zone the moment is read on its clock: summer time is an hour
// ahead, the first 02:30 of the night the clocks go back is the summer one,
// and a night the clocks go forward has no 02:30.
TEST(PositionVerb, ReadsTheMomentOnTheZonesClock) {
    const struct {
        const char* clock;
        const char* standard;
    } cases[] = {
        {"2024-06-21 13:00", "2024-06-21 12:00"}, {"2024-01-15 08:10", "2024-01-15 08:10"},
        {"2024-10-27 02:30", "2024-10-27 01:30"}, {"2024-10-27 03:30", "2024-10-27 03:30"},
        {"2024-03-31 03:00", "2024-03-31 02:00"}, {"2024-06-22 00:30", "2024-06-21 23:30"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Position(kVelmorenZone, c.clock), Position(kVelmorenTz, c.standard)) << c.clock;
    const CliRun skipped = RunCli({"position", "--lat", "3047", "--lon", "328", "--zone",
                                   "Europe/Brussels", "--at", "2024-03-31 02:30"});
    EXPECT_EQ(skipped.code, 2);
    EXPECT_THAT(skipped.err, testing::HasSubstr("summer time skips it"));
    EXPECT_TRUE(skipped.out.empty());
}

TEST(PositionVerb, BadMomentsLeaveStdoutEmpty) {
    for (const char* at :
         {"2024-06-21", "2024-06-21 24:00", "2024-06-21T12:00", "2024-02-30 12:00",
          "2024-06-21 12:60", "1582-12-31 12:00", "2024-06-21 12:00 ", "", "2024-06-21 1a:00"}) {
        std::vector<std::string> args = {"position", "--at", at};
        args.insert(args.end(), kVelmorenTz.begin(), kVelmorenTz.end());
        const CliRun r = RunCli(args);
        EXPECT_EQ(r.code, 2) << at;
        EXPECT_THAT(r.err, testing::HasSubstr("--at:")) << at;
        EXPECT_TRUE(r.out.empty()) << at;
    }
    const CliRun missing = RunCli({"position", "--lat", "0", "--lon", "0", "--tz", "0"});
    EXPECT_EQ(missing.code, 2);
    EXPECT_THAT(missing.err, testing::HasSubstr("--at"));
}

}  // namespace
}  // namespace dawn::cli
