#include "i18n/labels.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/textfile.h"

namespace dawn {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

const std::string kShippedPath = std::string(DAWN_SOURCE_DIR) + "/data/Dawnlabel.txt";

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::size_t CodePoints(const std::string& text) {
    std::size_t count = 0;
    for (char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// A fresh folder per test, removed afterwards.
class TempDir {
public:
    TempDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = fs::temp_directory_path() / ("dawn_labels_" + std::to_string(::getpid()) + "_" +
                                             info->test_suite_name() + "_" + info->name());
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempDir() { fs::remove_all(path_); }
    std::string str() const { return path_.string(); }
    fs::path operator/(const std::string& name) const { return path_ / name; }

private:
    fs::path path_;
};

const WeekdayNames kFrenchLocale = {"dimanche", "lundi",    "mardi", "mercredi",
                                    "jeudi",    "vendredi", "samedi"};

TEST(LabelTableTest, CellsOutsideReadEmptyAndCannotBeWritten) {
    LabelTable table(8, 56);
    EXPECT_TRUE(table.SetCell(7, 55, "last"));
    EXPECT_EQ(table.Cell(7, 55), "last");
    for (auto [column, row] : {std::pair{-1, 0}, {0, -1}, {8, 0}, {0, 56}, {1000, 1000}}) {
        EXPECT_FALSE(table.SetCell(column, row, "x")) << column << "," << row;
        EXPECT_EQ(table.Cell(column, row), "") << column << "," << row;
    }
    EXPECT_EQ(LabelTable(500, -3).Columns(), kMaxLabelTableSide);
    EXPECT_EQ(LabelTable(500, -3).Rows(), 0);
    EXPECT_EQ(LabelTable(3, 5000).Rows(), kMaxLabelRows);
}

TEST(LabelFileTest, ShippedFileLoadsWholeAndSavesBackIdentically) {
    const TextFileResult file = ReadTextFile(kShippedPath);
    ASSERT_TRUE(file.ok()) << file.error;
    ASSERT_EQ(file.lines.size(), static_cast<std::size_t>(kLabelColumns * kLabelCount));

    const LabelLoad load = ParseLabelLines(file.lines);
    EXPECT_EQ(load.message, "");
    EXPECT_FALSE(load.builtIn);
    EXPECT_EQ(load.table.Columns(), 8);
    EXPECT_EQ(load.table.Rows(), kLabelCount);
    EXPECT_EQ(LabelTableLines(load.table), file.lines);

    TempDir dir;
    ASSERT_EQ(SaveLabelTable(load.table, dir.str()), std::nullopt);
    EXPECT_EQ(ReadBytes(LabelFilePath(dir.str())), ReadBytes(kShippedPath));
}

TEST(LabelFileTest, CompiledInCopyEqualsTheShippedFile) {
    EXPECT_EQ(std::string(BuiltInLabelFile()), ReadBytes(kShippedPath));
}

TEST(LabelFileTest, OnlyTheFirstSixCharactersAreStructure) {
    const LabelLoad load = ParseLabelLines({
        "05-40-Day - length -- ",  // hyphens and trailing spaces are text
        "01-09-  Zon Op     :",    // so are leading spaces
        "03-12-",                  // an empty cell
    });
    EXPECT_EQ(load.message, "");
    EXPECT_EQ(load.table.Cell(5, 40), "Day - length -- ");
    EXPECT_EQ(load.table.Cell(1, 9), "  Zon Op     :");
    EXPECT_EQ(load.table.Cell(3, 12), "");

    const std::vector<std::string> lines = LabelTableLines(load.table);
    EXPECT_EQ(lines[5 * kLabelCount + 40], "05-40-Day - length -- ");
    EXPECT_EQ(lines[1 * kLabelCount + 9], "01-09-  Zon Op     :");
    EXPECT_EQ(lines.front(), "00-00-");
    EXPECT_EQ(lines[7 * kLabelCount + 55], "07-55-");
}

// Rows from 100 on have three digits; a two-digit row is followed by its
// hyphen, so a text that starts with digits stays text, and a row has one
// spelling only.
TEST(LabelFileTest, RowsFromHundredOnHaveThreeDigits) {
    const LabelLoad load = ParseLabelLines({
        "05-100-Set &up",
        "05-10-0-Sunset",  // row 10, text "0-Sunset"
        "05-099-x",        // line 3: a row of three digits below 100
        "05-1000-x",       // line 4: four digits
        "05-124-",
    });
    EXPECT_EQ(load.table.Cell(5, 100), "Set &up");
    EXPECT_EQ(load.table.Cell(5, 10), "0-Sunset");
    EXPECT_EQ(load.table.Cell(5, 124), "");
    EXPECT_THAT(load.message, HasSubstr("line 3: \"05-099-x\""));
    EXPECT_THAT(load.message, HasSubstr("line 4: \"05-1000-x\""));
    const std::vector<std::string> lines = LabelTableLines(load.table);
    EXPECT_EQ(lines[5 * kLabelCount + 100], "05-100-Set &up");
    EXPECT_EQ(lines[5 * kLabelCount + 99], "05-99-");
    EXPECT_EQ(ParseLabelLines(lines).table, load.table);
}

TEST(LabelFileTest, BadLinesAreSkippedAndNamedInOneMessage) {
    const LabelLoad load = ParseLabelLines({
        "05-09-Sunrise",
        "5-10-Sunset",   // line 2: one-digit column
        "05-1x-Sunset",  // line 3: row not a number
        "05-10",         // line 4: shorter than six characters
        "",              // blank: skipped without a word
        "05/10/Sunset",  // line 6: no hyphens
        "05-10-Sunset",
        "99-99-far away",  // line 8: beyond the built-in table, kept
        "05-09-Sunrise:",  // line 9: the later line wins
    });
    EXPECT_FALSE(load.builtIn);
    EXPECT_EQ(load.table.Cell(5, 10), "Sunset");
    EXPECT_EQ(load.table.Cell(5, 9), "Sunrise:");
    EXPECT_EQ(load.table.Cell(99, 99), "far away");
    for (const char* part :
         {"line 2: \"5-10-Sunset\"", "line 3: \"05-1x-Sunset\"", "line 4: \"05-10\"",
          "line 6: \"05/10/Sunset\"", "line 9: \"05-09-Sunrise:\""}) {
        EXPECT_THAT(load.message, HasSubstr(part));
    }
    EXPECT_THAT(load.message, ::testing::Not(HasSubstr("line 5")));
    EXPECT_THAT(load.message, ::testing::Not(HasSubstr("line 8")));
    EXPECT_THAT(load.message, ::testing::Not(HasSubstr("line 1:")));
}

TEST(LabelFileTest, HostileFilesGiveABoundedTableAndAShortMessage) {
    std::vector<std::string> lines;
    for (int i = 0; i < 10000; ++i) lines.push_back("99-" + std::to_string(10 + i % 90) + "-x");
    lines.push_back("07-55-kept");
    const LabelLoad load = ParseLabelLines(lines);
    EXPECT_EQ(load.table.Columns(), kMaxLabelTableSide);
    EXPECT_EQ(load.table.Rows(), kLabelCount);
    EXPECT_EQ(load.table.Cell(7, 55), "kept");
    EXPECT_EQ(load.table.Cell(99, 99), "x");
    EXPECT_THAT(load.message, HasSubstr("9900 more"));  // the repeats
    EXPECT_LT(load.message.size(), 2000u);
    EXPECT_EQ(LabelTableLines(load.table).size(),
              static_cast<std::size_t>(kMaxLabelTableSide * kLabelCount));
}

// An older file without the later rows, with the user's own edits and a
// ninth column: the edits and the column stay, the later rows come from the
// program's table, and a save writes the whole merged table.
TEST(LabelFileTest, OlderFilesAndExtraColumnsMergeWithTheProgramsTable) {
    const LabelTable builtIn = ParseLabelLines(SplitLines(DecodeText(BuiltInLabelFile()))).table;
    std::vector<std::string> older;  // the 448 lines of the first label files
    for (int column = 0; column < kLabelColumns; ++column) {
        for (int row = 0; row < kFirstAddedLabel; ++row) {
            std::string text = builtIn.Cell(column, row);
            if (column == 2 && row == label::kSunrise) text = "Zon komt op :";
            older.push_back((column < 10 ? "0" : "") + std::to_string(column) + "-" +
                            (row < 10 ? "0" : "") + std::to_string(row) + "-" + text);
        }
    }
    ASSERT_EQ(older.size(), 448u);
    std::vector<std::string> ninth = older;
    ninth.push_back("08-00-Nordsk");
    ninth.push_back("08-09-Soloppgang");
    ninth.push_back("04-60-Mein Zwielicht");  // a user's own text of a later row

    struct Case {
        const char* name;
        std::vector<std::string> lines;
        int columns;
    };
    for (const Case& c : {Case{"older", older, 8}, Case{"ninth column", ninth, 9}}) {
        SCOPED_TRACE(c.name);
        const LabelLoad load = ParseLabelLines(c.lines);
        EXPECT_EQ(load.message, "");
        EXPECT_FALSE(load.keepCopyBeforeSave);
        EXPECT_EQ(load.table.Columns(), c.columns);
        EXPECT_EQ(load.table.Rows(), kLabelCount);
        EXPECT_EQ(load.table.Cell(2, label::kSunrise), "Zon komt op :");
        EXPECT_EQ(load.table.Cell(5, label::kSolarNoon), builtIn.Cell(5, label::kSolarNoon));
        EXPECT_EQ(load.table.Cell(0, label::kDusk), builtIn.Cell(0, label::kDusk));
        EXPECT_EQ(load.table.Cell(3, label::kMenuMoonPanel),
                  builtIn.Cell(3, label::kMenuMoonPanel));
        EXPECT_EQ(load.table.Cell(4, label::kTwilight),
                  c.columns == 9 ? "Mein Zwielicht" : builtIn.Cell(4, label::kTwilight));
        EXPECT_EQ(load.table.Cell(8, 9), c.columns == 9 ? "Soloppgang" : "");

        TempDir dir;
        WriteBytes(LabelFilePath(dir.str()), "");
        ASSERT_EQ(SaveLabelTable(load.table, dir.str()), std::nullopt);
        const LabelLoad again = LoadLabelTable(dir.str());
        EXPECT_EQ(again.table, load.table);
        EXPECT_EQ(ReadTextFile(LabelFilePath(dir.str())).lines.size(),
                  static_cast<std::size_t>(c.columns * kLabelCount));
    }
}

TEST(LabelFileTest, NothingUsableGivesTheProgramsOwnLabels) {
    const LabelLoad empty = ParseLabelLines({});
    EXPECT_TRUE(empty.builtIn);
    EXPECT_EQ(empty.message, "");
    EXPECT_EQ(empty.table.Cell(5, 0), "English");

    const LabelLoad garbage = ParseLabelLines({"not a label line", "\x01\x02"});
    EXPECT_TRUE(garbage.builtIn);
    EXPECT_EQ(garbage.table.Cell(5, 0), "English");
    EXPECT_THAT(garbage.message, HasSubstr("line 1: \"not a label line\""));
}

TEST(ApplyLanguageTest, LocTakesWeekdaysFromTheLocaleOtherLanguagesFromTheirColumn) {
    LabelTable table(8, kLabelCount);
    for (int column = 1; column < 8; ++column) {
        for (int row = 0; row < kLabelCount; ++row) {
            table.SetCell(column, row, std::to_string(column) + "/" + std::to_string(row));
        }
    }
    const CurrentLabels loc = ApplyLanguage(table, 0, kFrenchLocale);
    EXPECT_EQ(loc.languageIndex, 0);
    EXPECT_EQ(loc[0], "1/0");
    EXPECT_EQ(loc[1], "dimanche");
    EXPECT_EQ(loc[5], "jeudi");
    EXPECT_EQ(loc[7], "samedi");
    EXPECT_EQ(loc[8], "1/8");
    EXPECT_EQ(loc[55], "1/55");

    const CurrentLabels eng = ApplyLanguage(table, 4, kFrenchLocale);
    EXPECT_EQ(eng.languageIndex, 4);
    for (int n = 0; n < kLabelCount; ++n) EXPECT_EQ(eng[n], "5/" + std::to_string(n));
    EXPECT_EQ(eng[-1], "");
    EXPECT_EQ(eng[kLabelCount], "");
}

TEST(ApplyLanguageTest, AMissingColumnGivesEmptyLabels) {
    // A file that stops after the English column, and indexes no column holds.
    // (The rows an older file lacks come from the program's table.)
    const LabelLoad load = ParseLabelLines({"05-00-English", "05-09-Sunrise", "05-16-North"});
    for (int language : {5, 6, 7, 99, -1}) {
        const CurrentLabels labels = ApplyLanguage(load.table, language, kFrenchLocale);
        EXPECT_EQ(labels.languageIndex, language);
        for (int n = 0; n < kFirstAddedLabel; ++n) EXPECT_EQ(labels[n], "") << language << ":" << n;
        EXPECT_EQ(labels.hemisphere, HemisphereLetters{});
    }
    EXPECT_EQ(ApplyLanguage(load.table, 4, kFrenchLocale)[9], "Sunrise");
}

TEST(ApplyLanguageTest, HemisphereLettersAreWholeFirstCharacters) {
    LabelTable table(8, 56);
    table.SetCell(4, label::kNorth, "Nord");
    table.SetCell(4, label::kEast, "Östlich");  // two bytes in UTF-8
    table.SetCell(4, label::kWest, "W");
    // label 18 stays empty: no south letter
    const CurrentLabels labels = ApplyLanguage(table, 3, kFrenchLocale);
    EXPECT_EQ(labels.hemisphere, (HemisphereLetters{"N", "Ö", "", "W"}));
}

TEST(LabelFileTest, LoadsFromTheFolderOrFallsBackToTheBuiltInCopy) {
    TempDir dir;
    const std::string path = LabelFilePath(dir.str());
    EXPECT_EQ(path, dir.str() + "/Dawnlabel.txt");

    LabelLoad missing = LoadLabelTable(dir.str());
    EXPECT_TRUE(missing.builtIn);
    EXPECT_EQ(missing.message, "");
    EXPECT_EQ(missing.table.Cell(3, 0), "Français");
    EXPECT_FALSE(fs::exists(path)) << "the built-in copy is not written unasked";

    WriteBytes(path, "");
    EXPECT_TRUE(LoadLabelTable(dir.str()).builtIn);

    // Windows-1252 bytes, old-style CR line ends, no line end at the close.
    WriteBytes(path,
               "03-00-Fran\xe7"
               "ais\r03-09-Lever\r05-09-Sunrise");
    const LabelLoad legacy = LoadLabelTable(dir.str());
    EXPECT_FALSE(legacy.builtIn);
    EXPECT_THAT(legacy.message, HasSubstr("1 line was not UTF-8 and was read as Windows-1252"));
    EXPECT_TRUE(legacy.keepCopyBeforeSave);
    EXPECT_EQ(legacy.table.Cell(3, 0), "Français");
    EXPECT_EQ(legacy.table.Cell(5, 9), "Sunrise");

    WriteBytes(path, "05-09-Sunrise\n5-10-Sunset\n");
    EXPECT_THAT(LoadLabelTable(dir.str()).message, HasSubstr(path));

    fs::remove(path);
    fs::create_directory(path);  // a folder where the file should be
    const LabelLoad unreadable = LoadLabelTable(dir.str());
    EXPECT_TRUE(unreadable.builtIn);
    EXPECT_THAT(unreadable.message, HasSubstr("Dawnlabel.txt"));
}

TEST(LabelFileTest, SaveWritesOneLinePerCellAndReportsFailure) {
    TempDir dir;
    LabelTable table(8, 56);
    table.SetCell(1, 9, "two\r\nlines");
    ASSERT_EQ(SaveLabelTable(table, dir.str()), std::nullopt);
    const TextFileResult written = ReadTextFile(LabelFilePath(dir.str()));
    ASSERT_EQ(written.lines.size(), 448u);
    EXPECT_EQ(written.lines[0], "00-00-");
    EXPECT_EQ(written.lines[1 * 56 + 9], "01-09-two  lines");
    EXPECT_EQ(written.lines[447], "07-55-");
    const std::string before = ReadBytes(LabelFilePath(dir.str()));

    // A folder that cannot exist: its parent is a regular file.
    WriteBytes(dir / "plain", "x");
    const auto error = SaveLabelTable(table, (dir / "plain").string());
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(*error, "Cannot create file " + LabelFilePath((dir / "plain").string()) +
                          ": Not a directory");

    // A folder in place of the file: the write fails and nothing else changes.
    const std::string blocked = (dir / "blocked").string();
    fs::create_directories(LabelFilePath(blocked));
    EXPECT_TRUE(SaveLabelTable(table, blocked).has_value());
    EXPECT_TRUE(SaveLabelTable(LabelTable(), dir.str()).has_value());
    EXPECT_EQ(ReadBytes(LabelFilePath(dir.str())), before);
}

TEST(ShippedLabelsTest, EveryLanguageIsComplete) {
    const LabelLoad load = ParseLabelLines(SplitLines(DecodeText(BuiltInLabelFile())));
    ASSERT_EQ(load.message, "");
    const WeekdayNames locale = {"Su", "Mo", "Tu", "We", "Th", "Fr", "Sa"};
    for (int language = 0; language < kLanguageCount; ++language) {
        const CurrentLabels labels = ApplyLanguage(load.table, language, locale);
        SCOPED_TRACE(labels[0]);
        for (int n = 0; n < kLabelCount; ++n) {
            if (n == 11 || n == 12 || n == 46) continue;  // shown nowhere
            if (load.table.Cell(0, n) == "(not used)") continue;
            EXPECT_NE(labels[n], "") << "label " << n;
        }
        for (const std::string& letter : {labels.hemisphere.north, labels.hemisphere.east,
                                          labels.hemisphere.south, labels.hemisphere.west}) {
            EXPECT_EQ(letter.size(), 1u);
        }
        // The main window's captions end in a colon in one column, and the
        // messages that replace them keep the captions from shrinking.
        const std::size_t width = CodePoints(labels[label::kSunrise]);
        for (int n : {label::kSunrise, label::kSunset, label::kDaylight, label::kMoonrise,
                      label::kMoonset, label::kMoonlight, label::kCoordinates}) {
            EXPECT_EQ(labels[n].back(), ':') << "label " << n;
            EXPECT_EQ(CodePoints(labels[n]), width) << "label " << n;
        }
        EXPECT_LE(width, 20u);
        const std::size_t twilightWidth = CodePoints(labels[label::kCivilTwilight]);
        for (int n = label::kCivilTwilight; n <= label::kSolarNoon; ++n) {
            EXPECT_EQ(labels[n].back(), ':') << "label " << n;
            EXPECT_EQ(CodePoints(labels[n]), twilightWidth) << "label " << n;
        }
        EXPECT_LE(twilightWidth, 20u);
        for (int n = label::kSunMessages; n < label::kMoonMessages + 4; ++n) {
            EXPECT_LE(CodePoints(labels[n]), 20u) << "label " << n;
        }
    }
}

}  // namespace
}  // namespace dawn
