#include "places/citysearch.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "core/testsupport_tempdir.h"

namespace dawn {
namespace {

using ::testing::IsEmpty;
using ::testing::StartsWith;

const CityIndex& Installed() {
    static const CityIndexOpenResult opened = OpenCityIndex();
    if (!opened.index) {
        ADD_FAILURE() << opened.error;
        static const CityIndex kEmpty({});
        return kEmpty;
    }
    return *opened.index;
}

TEST(FoldForSearch, CaseMarksAndPunctuationDoNotCount) {
    const struct {
        const char* text;
        const char* folded;
    } cases[] = {
        {"São Paulo", "sao paulo"},
        {"ZÜRICH", "zurich"},
        {"Ørsta", "oersta"},  // as GLib writes it in ASCII
        {"Großenhain", "grossenhain"},
        {"Winston-Salem", "winston salem"},
        {"St. Louis", "st louis"},
        {"N’Djamena", "ndjamena"},
        {"  Den \t Haag  ", "den haag"},
        {"Москва", "москва"},  // no Latin letters to turn it into: lower case only
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(FoldForSearch(c.text), c.folded) << c.text;
    // Bytes that are not UTF-8 become a replacement character, never a crash.
    const std::string folded = FoldForSearch(
        "\xff\xfe"
        "Abc");
    EXPECT_THAT(folded, ::testing::EndsWith("abc"));
}

TEST(CityIndex, FindsByThePrefixOfTheNameBiggestFirst) {
    const CityIndex& index = Installed();
    EXPECT_GT(index.Size(), 20000U);

    const auto helsinki = index.Search("Helsinki", 10);
    ASSERT_EQ(helsinki.size(), 1U);
    EXPECT_EQ(helsinki[0].name, "Helsinki");
    EXPECT_EQ(helsinki[0].region, "Uusimaa");
    EXPECT_EQ(helsinki[0].country, "Finland");
    EXPECT_EQ(helsinki[0].zone, "Europe/Helsinki");
    EXPECT_EQ(ToArcMinutes(helsinki[0].latitude), 3610);   // 60°10' N
    EXPECT_EQ(ToArcMinutes(helsinki[0].longitude), 1496);  // 24°56' E

    const auto saoPaulo = index.Search("sao paulo", 10);
    ASSERT_FALSE(saoPaulo.empty());
    EXPECT_EQ(saoPaulo[0].name, "São Paulo");
    EXPECT_EQ(saoPaulo[0].zone, "America/Sao_Paulo");
    EXPECT_EQ(ToArcMinutes(saoPaulo[0].latitude), -1413);   // 23°33' S
    EXPECT_EQ(ToArcMinutes(saoPaulo[0].longitude), -2798);  // 46°38' W

    // A two-letter prefix matches hundreds: the cap holds, every match starts
    // with it, and populations only go down.
    const auto he = index.Search("He", 1000);
    ASSERT_EQ(he.size(), kMaxCityMatches);
    for (std::size_t i = 0; i < he.size(); ++i) {
        EXPECT_THAT(FoldForSearch(he[i].name), StartsWith("he")) << he[i].name;
        if (i > 0) {
            EXPECT_GE(he[i - 1].population, he[i].population) << he[i].name;
        }
    }
    EXPECT_EQ(index.Search("he", 3).size(), 3U);
    EXPECT_EQ(index.Search("he", 0).size(), 0U);

    EXPECT_THAT(index.Search("Xqzwv", 10), IsEmpty());
    EXPECT_THAT(index.Search("   ", 10), IsEmpty());
    EXPECT_THAT(index.Search(std::string(10000, 'a'), 10), IsEmpty());
    EXPECT_THAT(index.Search("Helsinki" + std::string(10000, 'x'), 10), IsEmpty());
}

TEST(CityIndex, TiesInPopulationGoByName) {
    const CityIndex index({{"Bree", "", "", "Etc/UTC", 10, 0, 0},
                           {"Brest", "Brittany", "France", "Europe/Paris", 140000, 48.4, -4.5},
                           {"Breda", "", "", "Europe/Amsterdam", 10, 0, 0},
                           {"Bremen", "Bremen", "Germany", "Europe/Berlin", 560000, 53.1, 8.8}});
    std::vector<std::string> names;
    for (const City& c : index.Search("bre", 10)) names.push_back(c.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Bremen", "Brest", "Breda", "Bree"}));
}

TEST(OpenCityIndex, AMissingLibraryIsAnErrorValue) {
    const testing::TempDir empty;
    const CityIndexOpenResult r = OpenCityIndex(empty.str());
    EXPECT_EQ(r.index, nullptr);
    EXPECT_THAT(r.error, StartsWith("the city database is not available ("));
    EXPECT_THAT(r.error, ::testing::HasSubstr(empty.str()));
}

}  // namespace
}  // namespace dawn
