// Label files and folders as they turn up on real disks: far too many cells,
// cells twice, only a header, binary bytes, a folder in place of the file.
// Each gives a complete table the windows can use, one short message at
// most, and a save that either writes a sound file or names why it could not.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/testsupport_tempdir.h"
#include "core/textfile.h"
#include "i18n/labels.h"

namespace dawn {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

const WeekdayNames kWeekdays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                "Thursday", "Friday", "Saturday"};

std::string TwoDigits(int n) {
    return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10);
}

std::vector<std::string> ShippedLines() {
    return ReadTextFile(std::string(DAWN_SOURCE_DIR) + "/data/Dawnlabel.txt").lines;
}

TEST(HostileLabelFile, LoadsACompleteTableThatSavesAndReadsBack) {
    std::string everyCell;  // 10,000 lines: every cell of a 100 by 100 table
    for (int column = 0; column < 100; ++column) {
        for (int row = 0; row < 100; ++row) {
            everyCell += TwoDigits(column) + "-" + TwoDigits(row) + "-c" + TwoDigits(column) + "r" +
                         TwoDigits(row) + "\r\n";
        }
    }
    std::string headerOnly;
    int column = 0;
    for (const char* name : {"Label", "Loc", "Ned", "Fra", "Deu", "Eng", "Ita", "Esp"}) {
        headerOnly += TwoDigits(column++) + "-00-" + name + "\n";
    }
    const std::vector<std::string> shippedLines = ShippedLines();
    const LabelTable shipped = ParseLabelLines(shippedLines).table;
    std::string shippedPlusCorner;
    for (const std::string& line : shippedLines) shippedPlusCorner += line + "\r\n";
    shippedPlusCorner += "99-99-corner\r\n";
    const char binary[] = "05-09-Sun\0rise\n05-00-Engl\xe9sh\xff\n";
    // A caption of 22 KB (11,000 two-byte characters) is cut to a caption.
    std::string longCaption;
    for (int i = 0; i < 11000; ++i) longCaption += "\xc3\xa9";
    const std::string cutCaption = longCaption.substr(0, 2 * kMaxLabelChars);

    struct Case {
        const char* name;
        std::string bytes;
        std::string cell5x9;    // the English sunrise caption
        std::string cell5x0;    // the English column's header
        const char* inMessage;  // empty: no message at all
        std::string cell99x99 = "";
    };
    const Case cases[] = {
        {"10,000 lines up to column and row 99", everyCell, "c05r09", "c05r00", "", "c99r99"},
        {"column and row 99 after the shipped file", shippedPlusCorner, shipped.Cell(5, 9),
         shipped.Cell(5, 0), "", "corner"},
        {"the same cell twice", "05-09-first\n05-00-English\n05-09-second\n", "second", "English",
         "line 3: \"05-09-second\""},
        {"a header and nothing else", headerOnly, "", "Eng", ""},
        {"a caption of 22 KB", "05-00-English\n05-09-" + longCaption + "\n", cutCaption, "English",
         "longer than 300 characters and were cut"},
        {"NUL bytes and bytes that are not UTF-8", std::string(binary, sizeof binary - 1),
         std::string("Sun\0rise", 8), "Engl\xc3\xa9sh\xc3\xbf", "1 line was not UTF-8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::TempDir dir;
        dir.Write("Dawnlabel.txt", c.bytes);
        const LabelLoad load = LoadLabelTable(dir.str());
        EXPECT_FALSE(load.builtIn);
        // Cells beyond the program's table are kept: the table grows, within
        // what the file's two digits can name.
        EXPECT_GE(load.table.Columns(), kLabelColumns);
        EXPECT_GE(load.table.Rows(), kLabelCount);
        EXPECT_LE(load.table.Columns(), kMaxLabelTableSide);
        EXPECT_EQ(load.table.Cell(99, 99), c.cell99x99);
        EXPECT_EQ(load.table.Cell(5, 9), c.cell5x9);
        EXPECT_EQ(load.table.Cell(5, 0), c.cell5x0);
        if (*c.inMessage == '\0') {
            EXPECT_THAT(load.message, IsEmpty());
        } else {
            EXPECT_THAT(load.message, HasSubstr(c.inMessage));
            EXPECT_LT(load.message.size(), 3000u);
        }
        for (int language = 0; language < kLanguageCount; ++language) {
            const CurrentLabels labels = ApplyLanguage(load.table, language, kWeekdays);
            EXPECT_EQ(labels[label::kFirstWeekday],
                      language == 0 ? "Sunday" : load.table.Cell(language + 1, 1));
        }

        // A file the program could not take over whole is kept before the save.
        EXPECT_EQ(load.keepCopyBeforeSave, *c.inMessage != '\0');
        bool keepCopy = load.keepCopyBeforeSave;
        ASSERT_EQ(SaveLabelTable(load.table, dir.str(), &keepCopy), std::nullopt);
        EXPECT_FALSE(keepCopy);
        if (load.keepCopyBeforeSave) {
            EXPECT_THAT(load.message, HasSubstr("Dawnlabel.txt.bak"));
            EXPECT_TRUE(dir.Read("Dawnlabel.txt.bak") == c.bytes);
        } else {
            EXPECT_FALSE(fs::exists(dir.file("Dawnlabel.txt.bak")));
        }
        const LabelLoad again = LoadLabelTable(dir.str());
        EXPECT_THAT(again.message, IsEmpty());
        EXPECT_EQ(again.table, load.table);
    }
}

TEST(HostileLabelFolder, FailuresNameTheFileAndKeepWhatIsOnDisk) {
    testing::TempDir dir;
    // A folder where the label file should be: the program's own labels
    // serve, and the message says which file and why.
    fs::create_directories(dir.file("Dawnlabel.txt/inside"));
    const LabelLoad load = LoadLabelTable(dir.str());
    EXPECT_TRUE(load.builtIn);
    EXPECT_EQ(load.table.Cell(5, 0), "English");
    EXPECT_THAT(load.message, HasSubstr(dir.file("Dawnlabel.txt")));
    EXPECT_THAT(load.message, HasSubstr("own labels"));

    // Saves that cannot succeed, also for root: the folder is really a file,
    // or a folder stands where the file goes.
    dir.Write("blocker", "x");
    struct Case {
        std::string folder;
        const char* reason;
    };
    const Case cases[] = {{dir.file("blocker"), "Not a directory"}, {dir.str(), "Is a directory"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        const std::optional<std::string> error = SaveLabelTable(load.table, c.folder);
        ASSERT_TRUE(error.has_value());
        EXPECT_THAT(*error, HasSubstr("Dawnlabel.txt"));
        EXPECT_THAT(*error, HasSubstr(c.reason));
    }
    EXPECT_TRUE(fs::is_directory(dir.file("Dawnlabel.txt/inside")));
    EXPECT_EQ(dir.Read("blocker"), "x");
}

}  // namespace
}  // namespace dawn
