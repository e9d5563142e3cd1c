#include "core/horizonprofile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "core/testsupport_tempdir.h"

namespace dawn {
namespace {

using testing::TempDir;

// Unsorted points come out sorted; comments, blank lines, tabs, commas and
// Windows line ends are taken as the lists are written.
TEST(HorizonProfile, ReadsAndSortsThePoints) {
    TempDir dir;
    dir.Write("h.txt",
              "# the hills\r\n"
              "270\t2.5\r\n"
              "\r\n"
              "  90 , 4\r\n"
              "0 -0.5\r\n"
              "360 1\r\n"
              "+180 +0.25\r\n");
    const HorizonProfileRead read = ReadHorizonProfile(dir.file("h.txt"));
    EXPECT_TRUE(read.messages.empty());
    const std::vector<HorizonPoint> expected = {
        {0, -0.5}, {90, 4}, {180, 0.25}, {270, 2.5}, {360, 1}};
    EXPECT_EQ(read.points, expected);
}

// Every bad line is left out with a message naming its number; the good
// points around it are kept.
TEST(HorizonProfile, NamesTheBadLinesAndKeepsTheRest) {
    const std::vector<std::string> lines = {
        "10 1",    "ten 1",  "20",   "30 1 2",   "361 1",   "-1 1",
        "40 90.5", "50 nan", "60 2", "70 1e999", "80 0x10",
    };
    const HorizonProfileRead read = HorizonProfileFromLines(lines, "h.txt");
    const std::vector<HorizonPoint> expected = {{10, 1}, {60, 2}};
    EXPECT_EQ(read.points, expected);
    const std::vector<int> badLines = {2, 3, 4, 5, 6, 7, 8, 10, 11};
    ASSERT_EQ(read.messages.size(), badLines.size());
    for (std::size_t i = 0; i < badLines.size(); ++i)
        EXPECT_EQ(read.messages[i].rfind("h.txt, line " + std::to_string(badLines[i]) + ": ", 0),
                  0u)
            << read.messages[i];
    EXPECT_NE(read.messages[1].find("is not an azimuth and an altitude"), std::string::npos);
    EXPECT_NE(read.messages[3].find("\"361\" is not an azimuth"), std::string::npos);
    EXPECT_NE(read.messages[5].find("\"90.5\" is not an altitude"), std::string::npos);
}

// Whatever is wrong with the file, the horizon falls back to flat with one
// message and nothing else: a missing file, a folder, a FIFO (read without
// waiting for a writer), a file over the size bound, and a file of nothing
// but bad lines, whose messages stay few.
TEST(HorizonProfile, FallsBackToTheFlatHorizon) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    dir.Write("huge.txt", std::string(kMaxHorizonProfileBytes + 1, '1'));
    std::string junk;
    for (int i = 0; i < 1000; ++i) junk += "x y\n";
    dir.Write("junk.txt", junk);
    const struct {
        std::string name;
        std::string says;
    } kCases[] = {
        {"missing.txt", "was not found"},
        {"", "The horizon is taken as flat."},
        {"fifo", "The horizon is taken as flat."},
        {"huge.txt", "is larger than 4 MB"},
        {"junk.txt", "has no point of the horizon"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        const HorizonProfileRead read = ReadHorizonProfile(dir.file(c.name));
        EXPECT_TRUE(read.points.empty());
        ASSERT_FALSE(read.messages.empty());
        EXPECT_LE(read.messages.size(), 12u);
        EXPECT_NE(read.messages.back().find(c.says), std::string::npos) << read.messages.back();
    }
}

TEST(HorizonProfile, BoundsThePoints) {
    std::vector<std::string> lines(kMaxHorizonPoints + 5, "12.5 3");
    const HorizonProfileRead read = HorizonProfileFromLines(lines, "h.txt");
    EXPECT_EQ(read.points.size(), kMaxHorizonPoints);
    ASSERT_EQ(read.messages.size(), 1u);
    EXPECT_NE(read.messages[0].find("the rest of the file is left out"), std::string::npos);
}

}  // namespace
}  // namespace dawn
