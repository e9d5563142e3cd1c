#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "cli/frame.h"

namespace dawn::cli {
namespace {

struct PlaceRun {
    int code;
    std::string out;
    std::string err;
};

PlaceRun Place(std::vector<std::string> args) {
    args.insert(args.begin(), "place");
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunCommandLine(args, out, err);
    return {code, out.str(), err.str()};
}

TEST(PlaceVerb, OneLinePerCityBestFirst) {
    const PlaceRun helsinki = Place({"Helsinki"});
    EXPECT_EQ(helsinki.code, 0) << helsinki.err;
    EXPECT_EQ(helsinki.out, "Helsinki;Uusimaa;Finland;Europe/Helsinki;3610;1496\n");

    // South and west are negative; the accent is not needed.
    const PlaceRun saoPaulo = Place({"sao paulo", "--limit", "1"});
    EXPECT_EQ(saoPaulo.out, "São Paulo;São Paulo;Brazil;America/Sao_Paulo;-1413;-2798\n");

    const PlaceRun newCities = Place({"--limit=3", "New"});
    EXPECT_EQ(newCities.code, 0);
    EXPECT_THAT(newCities.out,
                ::testing::StartsWith("New York;New York;United States of America;America/New_York;"
                                      "2443;-4440\n"));
    EXPECT_EQ(std::count(newCities.out.begin(), newCities.out.end(), '\n'), 3);
}

// A zone's own place from the tz database's zone table, after the cities
// and only where no city stands for it already.
TEST(PlaceVerb, ZonesOwnPlacesFollowTheCities) {
    const PlaceRun lordHowe = Place({"Lord Howe"});
    EXPECT_EQ(lordHowe.code, 0) << lordHowe.err;
    EXPECT_EQ(lordHowe.out,
              "Lord Howe;Lord Howe Island;Australia;Australia/Lord_Howe;-1893;9545\n");
    const PlaceRun lower = Place({"  lord howe "});
    EXPECT_EQ(lower.out, lordHowe.out);
    // Helsinki's city is the zone's place: one line, as before.
    const std::string helsinki = Place({"Helsinki"}).out;
    EXPECT_EQ(std::count(helsinki.begin(), helsinki.end(), '\n'), 1) << helsinki;
}

TEST(PlaceVerb, NoMatchAndBadArguments) {
    const struct {
        std::vector<std::string> args;
        int code;
        std::string err;
    } cases[] = {
        {{"Xqzwv"}, 1, "dawnhelm-cli: place: no place matches 'Xqzwv'\n"},
        {{""}, 1, "dawnhelm-cli: place: no place matches ''\n"},
        {{std::string(10000, 'a')},
         1,
         "dawnhelm-cli: place: no place matches '" + std::string(60, 'a') + "...'\n"},
        {{}, 2, "dawnhelm-cli: place: missing QUERY (try 'dawnhelm-cli help place')\n"},
        {{"Oslo", "--limit", "101"},
         2,
         "dawnhelm-cli: place: --limit: '101' is out of range (a whole number from 1 to 100) "
         "(try 'dawnhelm-cli help place')\n"},
    };
    for (const auto& c : cases) {
        const PlaceRun r = Place(c.args);
        EXPECT_EQ(r.code, c.code) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, c.err);
    }
}

}  // namespace
}  // namespace dawn::cli
