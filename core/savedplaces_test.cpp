#include "core/savedplaces.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "core/testsupport_tempdir.h"

namespace dawn {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::SizeIs;

TEST(SavedPlaces, LinesReadOrRefusedWithTheirReason) {
    struct Case {
        const char* line;
        std::optional<SavedPlace> place;
        const char* why;
    };
    const Case cases[] = {
        {"Velmoren;3100;-520;Europe/Lisbon", SavedPlace{"Velmoren", 3100, -520, "Europe/Lisbon"},
         ""},
        // The name is everything before the last three separators.
        {"Bar; the old harbour;2538;1140;Europe/Paris",
         SavedPlace{"Bar; the old harbour", 2538, 1140, "Europe/Paris"}, ""},
        {"  Cabin ; +3700 ; 0 ;  ", SavedPlace{"Cabin", 3700, 0, ""}, ""},
        {"South Pole;-5400;0;Antarctica/McMurdo",
         SavedPlace{"South Pole", -5400, 0, "Antarctica/McMurdo"}, ""},
        {"Velmoren;3100;-520", std::nullopt, "not NAME;LATITUDE"},
        {";3100;-520;Europe/Lisbon", std::nullopt, "name is empty"},
        {"A;5401;0;UTC", std::nullopt, "latitude"},
        {"A;north;0;UTC", std::nullopt, "latitude"},
        {"A;0;-10801;UTC", std::nullopt, "longitude"},
        {"A;0;12.5;UTC", std::nullopt, "longitude"},
    };
    for (const Case& c : cases) {
        std::string why;
        EXPECT_EQ(ParseSavedPlaceLine(c.line, &why), c.place) << c.line;
        EXPECT_THAT(why, HasSubstr(c.why)) << c.line;
    }
}

TEST(SavedPlaces, WrittenAndReadBackTheSame) {
    testing::TempDir dir;
    const std::string path = dir.file(kPlacesFileName);
    const std::vector<SavedPlace> places = {{"Bar; the old harbour", 2538, 1140, "Europe/Paris"},
                                            {"Zürich", 2843, 513, "Europe/Zurich"},
                                            {"Manual rules", -2000, 3000, ""}};
    ASSERT_TRUE(WriteSavedPlaces(path, places).ok());
    EXPECT_EQ(dir.Read(kPlacesFileName),
              "Bar; the old harbour;2538;1140;Europe/Paris\r\nZürich;2843;513;Europe/Zurich\r\n"
              "Manual rules;-2000;3000;\r\n");
    const SavedPlacesReadResult read = ReadSavedPlaces(path);
    EXPECT_EQ(read.places, places);
    EXPECT_THAT(read.messages, IsEmpty());
    EXPECT_FALSE(read.backUpBeforeSaving);
    // A place that cannot be written leaves the file as it was.
    EXPECT_FALSE(WriteSavedPlaces(path, {{"Two\nlines", 0, 0, ""}}).ok());
    EXPECT_EQ(ReadSavedPlaces(path).places, places);
}

TEST(SavedPlaces, ADamagedFileLosesNothing) {
    testing::TempDir dir;
    const std::string path = dir.file(kPlacesFileName);
    const std::string damaged =
        "Home;3100;-520;Europe/Lisbon\r\nbroken "
        "line\r\n\r\nHome;0;0;UTC\r\nCaf\xe9;100;200;UTC\r\n";
    dir.Write(kPlacesFileName, damaged);
    SavedPlacesReadResult read = ReadSavedPlaces(path);
    ASSERT_THAT(read.places, SizeIs(2));
    EXPECT_EQ(read.places[1].name, "Café");  // an older file's Windows-1252
    ASSERT_THAT(read.messages, SizeIs(3));
    EXPECT_THAT(read.messages[0], HasSubstr("Line 2 of Dawnplaces.txt"));
    EXPECT_THAT(read.messages[1], HasSubstr("Line 4"));
    EXPECT_THAT(read.kept, ElementsAre("broken line", "Home;0;0;UTC"));
    ASSERT_TRUE(read.backUpBeforeSaving);

    read.places.push_back({"Trip", 0, 0, "UTC"});
    ASSERT_TRUE(WriteSavedPlaces(path, read.places, read.kept, read.backUpBeforeSaving).ok());
    EXPECT_EQ(dir.Read("Dawnplaces.txt.bak"), damaged);
    const SavedPlacesReadResult again = ReadSavedPlaces(path);
    EXPECT_THAT(again.places, SizeIs(3));
    EXPECT_EQ(again.kept, read.kept);
}

TEST(SavedPlaces, WhatIsNotAListOfPlaces) {
    testing::TempDir dir;
    EXPECT_THAT(ReadSavedPlaces(dir.file("none.txt")).places, IsEmpty());
    EXPECT_TRUE(ReadSavedPlaces(dir.file("none.txt")).error.empty());
    std::filesystem::create_directory(dir.file("folder"));
    EXPECT_FALSE(ReadSavedPlaces(dir.file("folder")).error.empty());
    dir.Write("big", std::string(2u * 1024u * 1024u, 'x'));
    EXPECT_FALSE(ReadSavedPlaces(dir.file("big")).error.empty());
    std::string many;
    for (std::size_t i = 0; i <= kMaxSavedPlaces; ++i) many += "P" + std::to_string(i) + ";0;0;\n";
    dir.Write("many", many);
    const SavedPlacesReadResult read = ReadSavedPlaces(dir.file("many"));
    EXPECT_THAT(read.places, SizeIs(kMaxSavedPlaces));
    EXPECT_THAT(read.kept, SizeIs(1));
}

}  // namespace
}  // namespace dawn
