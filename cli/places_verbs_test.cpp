// The saved places on the command line: --site and the places verb.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/testsupport_verbs.h"
#include "core/testsupport_tempdir.h"

namespace dawn::cli {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::SizeIs;
using ::testing::StartsWith;

// A folder with the default settings and the saved places given, the
// first of them Helsinki as --place finds it.
struct PlacesFolder {
    testing::TempDir dir;
    std::string settings = dir.file("Dawncode.txt");
    std::vector<std::string> helsinki;  // NAME;REGION;COUNTRY;ZONE;LAT;LON

    explicit PlacesFolder(const std::string& more = "") {
        const CliRun found = RunCli({"place", "Helsinki"});
        helsinki = SplitFields(Lines(found.out).at(0));
        dir.Write("Dawnplaces.txt", "Home; the flat;" + helsinki[4] + ";" + helsinki[5] + ";" +
                                        helsinki[3] + "\r\n" + more);
    }
    static std::vector<std::string> SplitFields(const std::string& line) {
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (std::size_t at; (at = line.find(';', start)) != std::string::npos; start = at + 1)
            fields.push_back(line.substr(start, at - start));
        fields.push_back(line.substr(start));
        return fields;
    }
};

TEST(SavedPlacesOnTheCommandLine, SiteGivesWhatPlaceGivesForTheSameCity) {
    PlacesFolder folder;
    // Across the change to summer time.
    const CliRun site = RunCli({"table", "--settings", folder.settings, "--site", "Home; the flat",
                                "--from", "2024-03-25", "--to", "2024-04-05"});
    const CliRun place =
        RunCli({"table", "--place", "Helsinki", "--from", "2024-03-25", "--to", "2024-04-05"});
    ASSERT_EQ(site.code, 0) << site.err;
    EXPECT_EQ(site.out, place.out);
    const CliRun day = RunCli(
        {"day", "--settings", folder.settings, "--site", "Home; the flat", "--date", "2024-06-21"});
    const CliRun dayPlace = RunCli({"day", "--place", "Helsinki", "--date", "2024-06-21"});
    ASSERT_EQ(day.code, 0) << day.err;
    EXPECT_EQ(day.out, dayPlace.out);
}

TEST(SavedPlacesOnTheCommandLine, SiteErrors) {
    PlacesFolder folder("broken\r\n");
    const CliRun unknown = RunCli({"table", "--settings", folder.settings, "--site", "Cabin",
                                   "--from", "2024-01-01", "--to", "2024-01-01"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_THAT(unknown.err, HasSubstr("Line 2 of Dawnplaces.txt"));  // a warning, then
    EXPECT_THAT(unknown.err, HasSubstr("no saved place is named 'Cabin'"));
    const CliRun alone =
        RunCli({"table", "--site", "Home", "--from", "2024-01-01", "--to", "2024-01-01"});
    EXPECT_EQ(alone.code, 2);
    EXPECT_THAT(alone.err, HasSubstr("--site needs --settings"));
}

TEST(SavedPlacesOnTheCommandLine, PlacesListsEveryPlaceOnItsOwnClockAsTableDoes) {
    PlacesFolder folder(
        "Longyearbyen;4693;931;Arctic/Longyearbyen\r\nNo zone;3100;-520;\r\nBad "
        "zone;0;0;Mars/Olympus\r\n");
    const CliRun r = RunCli({"places", "--settings", folder.settings, "--date", "2024-06-21"});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_THAT(lines, SizeIs(4));
    // Sunrise and sunset as table gives them for the same place.
    const CliRun table = RunCli({"table", "--settings", folder.settings, "--site", "Home; the flat",
                                 "--from", "2024-06-21", "--to", "2024-06-21"});
    const auto row = PlacesFolder::SplitFields(Lines(table.out).at(0));
    const auto home = PlacesFolder::SplitFields(lines[0]);
    EXPECT_THAT(home,
                ElementsAre("Home", " the flat", folder.helsinki[3], row[1], row[2], ::testing::_));
    EXPECT_EQ(home[5], "18:56");  // 03:54 to 22:50
    // Midnight sun: no rise, no set, no day length.
    EXPECT_EQ(lines[1], "Longyearbyen;Arctic/Longyearbyen;;;");
    EXPECT_THAT(lines[2], StartsWith("No zone;;"));
    EXPECT_EQ(lines[3], "Bad zone;Mars/Olympus;;;");
    EXPECT_THAT(r.err, HasSubstr("Bad zone"));
}

}  // namespace
}  // namespace dawn::cli
