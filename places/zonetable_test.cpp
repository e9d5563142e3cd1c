#include "places/zonetable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/testsupport_tempdir.h"

namespace dawn {
namespace {

TEST(ZoneTable, CoordinatesAsTheTableWritesThem) {
    const struct {
        const char* text;
        bool ok;
        double latitude;
        double longitude;
    } cases[] = {
        {"-3133+15905", true, -(31 + 33 / 60.0), 159 + 5 / 60.0},                    // Lord Howe
        {"+6010+02458", true, 60 + 10 / 60.0, 24 + 58 / 60.0},                       // Helsinki
        {"-720041+0023206", true, -(72 + 41 / 3600.0), 2 + 32 / 60.0 + 6 / 3600.0},  // Troll
        {"+744144-0944945", true, 74 + 41 / 60.0 + 44 / 3600.0, -(94 + 49 / 60.0 + 45 / 3600.0)},
        {"+6010+2458", false, 0, 0},   // a longitude of two digits
        {"+6060+02458", false, 0, 0},  // 60 minutes
        {"+9100+00000", false, 0, 0},  // beyond the pole
        {"6010+02458", false, 0, 0},   // no sign
        {"+60a0+02458", false, 0, 0},
        {"", false, 0, 0},
    };
    for (const auto& c : cases) {
        double lat = 99, lon = 99;
        EXPECT_EQ(ParseZoneTableCoordinates(c.text, lat, lon), c.ok) << c.text;
        if (!c.ok) continue;
        EXPECT_NEAR(lat, c.latitude, 1e-9) << c.text;
        EXPECT_NEAR(lon, c.longitude, 1e-9) << c.text;
    }
}

// The system's table finds Lord Howe by its zone's name and by the table's
// comment; a folder with an older table (zone.tab) and broken lines serves
// what it can, and one without any table says so.
TEST(ZoneTable, SearchesTheZonesOwnPlaces) {
    const ZoneTableResult system = ReadZoneTable();
    ASSERT_EQ(system.error, "");
    ASSERT_GT(system.places.size(), 300u);
    for (const char* query : {"Lord Howe", "lord_howe", " LORD HOWE ISL"}) {
        const std::vector<City> found = SearchZonePlaces(system.places, query, 5);
        ASSERT_EQ(found.size(), 1u) << query;
        EXPECT_EQ(found[0].zone, "Australia/Lord_Howe");
        EXPECT_EQ(found[0].name, "Lord Howe");
        EXPECT_EQ(found[0].region, "Lord Howe Island");
        EXPECT_EQ(found[0].country, "Australia");
        EXPECT_EQ(ToArcMinutes(found[0].latitude), -1893);
    }
    EXPECT_TRUE(SearchZonePlaces(system.places, "", 5).empty());
    EXPECT_EQ(SearchZonePlaces(system.places, "a", 3).size(), 3u);

    testing::TempDir dir;
    dir.Write("zone.tab",
              "# comment\n"
              "XX\t+0100+00200\tEtc/Nowhere_Land\n"
              "XX\tnot a place\tEtc/Broken\n"
              "too few fields\n"
              "\n");
    const ZoneTableResult older = ReadZoneTable(dir.str());
    EXPECT_EQ(older.error, "");
    ASSERT_EQ(older.places.size(), 1u);
    EXPECT_EQ(older.places[0].name, "Nowhere Land");
    EXPECT_EQ(older.places[0].country, "XX");  // no iso3166.tab: the code

    testing::TempDir empty;
    EXPECT_NE(ReadZoneTable(empty.str()).error, "");
}

}  // namespace
}  // namespace dawn
