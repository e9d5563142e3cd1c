// The places window's golden hours: whole where the sun crosses both bounds,
// one side only where it does not (the midnight sun, the polar night).
#include "present/placelist.h"

#include <gtest/gtest.h>

#include <regex>

#include "core/testsupport_tempdir.h"

namespace dawn {
namespace {

TEST(PlaceRows, GoldenHoursWholeOrOneSided) {
    const SiteSettings settings = DefaultSettings("/nowhere", 2024);
    const std::vector<SavedPlace> places = {{"Helsinki", 3610, 1498, "Europe/Helsinki"},
                                            {"Tromso", 4179, 1137, "Europe/Oslo"}};
    const std::regex time("[0-9]{2}:[0-9]{2}");
    const std::string dash = "\u2013";
    const auto parts = [&](const std::string& span) {
        const auto at = span.find(dash);
        EXPECT_NE(at, std::string::npos) << span;
        return std::pair{span.substr(0, at), span.substr(at + dash.size())};
    };
    struct Case {
        int month, day;
        std::size_t place;
        bool morningStart, morningEnd, eveningStart, eveningEnd;
    };
    // Tromsø at midsummer: the sun stays above -4°, so the morning's golden
    // hour has no start and the evening's no end; at midwinter it stays
    // below +6°, so the morning's has no end and the evening's no start.
    const Case cases[] = {{6, 21, 0, true, true, true, true},
                          {12, 21, 0, true, true, true, true},
                          {6, 21, 1, false, true, true, false},
                          {12, 21, 1, true, false, false, true}};
    for (const Case& c : cases) {
        const DayNumber date = DayNumber::FromYmd(2024, c.month, c.day);
        const PlaceRow row = PlaceRowsOf(settings, places, date, date)[c.place];
        SCOPED_TRACE(row.name + " " + std::to_string(c.month));
        const auto [ms, me] = parts(row.morningGolden);
        const auto [es, ee] = parts(row.eveningGolden);
        EXPECT_EQ(std::regex_match(ms, time), c.morningStart) << ms;
        EXPECT_EQ(std::regex_match(me, time), c.morningEnd) << me;
        EXPECT_EQ(std::regex_match(es, time), c.eveningStart) << es;
        EXPECT_EQ(std::regex_match(ee, time), c.eveningEnd) << ee;
        EXPECT_EQ(ms.empty(), !c.morningStart);
        EXPECT_EQ(ee.empty(), !c.eveningEnd);
    }
}

// A name is refused, and nothing written, when the file could not keep it or
// another place has it; the trimmed name is kept otherwise.
TEST(PlaceListEdits, RenamesOnlyToANameTheFileCanKeep) {
    testing::TempDir dir;
    PlaceList list{
        dir.file(kPlacesFileName), {{"Home", 3047, 328, ""}, {"Oslo", 3595, 645, ""}}, {}, false};
    const struct {
        const char* asked;
        bool refused;
    } cases[] = {{"", true},       {"   ", true},     {"Two\nlines", true},
                 {" Oslo ", true}, {" Home ", false}, {" Velmoren; old ", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.asked);
        const PlaceListEdit e = RenamePlace(list, 0, c.asked);
        EXPECT_EQ(e.message.has_value(), c.refused);
        EXPECT_EQ(e.written, !c.refused);
    }
    EXPECT_EQ(list.places[0].name, "Velmoren; old");
    EXPECT_EQ(dir.Read(kPlacesFileName).find("Velmoren; old;3047;328;"), 0u);
}

// A save that fails says why and reads the list again from the file, so the
// list shown is the list kept: here none, in a folder that is not there.
TEST(PlaceListEdits, AFailedSaveReadsTheListAgain) {
    testing::TempDir dir;
    PlaceList list{dir.file("gone/Dawnplaces.txt"),
                   {{"Home", 3047, 328, ""}, {"Oslo", 3595, 645, ""}},
                   {},
                   false};
    const PlaceListEdit e = MovePlace(list, 0, 1);
    EXPECT_TRUE(e.saveFailed);
    EXPECT_TRUE(e.message.has_value());
    EXPECT_FALSE(e.written);
    EXPECT_TRUE(list.places.empty());

    // The ends of the list stay put.
    list.places = {{"Home", 3047, 328, ""}, {"Oslo", 3595, 645, ""}};
    EXPECT_FALSE(MovePlace(list, 0, -1).written);
    EXPECT_FALSE(MovePlace(list, 1, 1).written);
    EXPECT_FALSE(RemovePlace(list, 2).written);
}

}  // namespace
}  // namespace dawn
