// Settings files as they turn up on real disks: huge, binary, in another
// encoding, cut short by a crash; folders that refuse a save. None of them
// may crash the program, flood the user with a message of megabytes, or lose
// a file that was saved before.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "core/settings.h"
#include "core/testsupport_tempdir.h"
#include "core/textfile.h"

namespace dawn {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using Lines = std::vector<std::string>;

// A good file: Dutch, a place in the far north-west, UTC-2.
Lines GoodLines() {
    return {"1",
            "204",
            "903",
            "-200",
            "1",
            "/media/rise.wav",
            "/media/set.wav",
            "1",
            "/media/rise.jpg",
            "0",
            "/media/set.jpg",
            "1",
            "-1234",
            "4000",
            "-120",
            "1",
            "1",
            "1",
            "1"};
}

std::string Join(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// What every hostile file must give: messages short enough for a message
// box, fields inside their ranges, and a save that writes a file which a
// later start reads without a single complaint and to the same values.
void ExpectSoundLoadAndSave(const testing::TempDir& dir, const SettingsLoadResult& loaded) {
    for (const std::string& m : loaded.messages) EXPECT_LE(m.size(), 500u) << m.substr(0, 200);
    const SiteSettings& s = loaded.settings;
    EXPECT_LE(s.LanguageIndex, kMaxLanguageIndex);
    EXPECT_LE(std::abs(s.LatitudeMinutes), kMaxLatitudeMinutes);
    EXPECT_LE(std::abs(s.LongitudeMinutes), kMaxLongitudeMinutes);
    EXPECT_LE(std::abs(s.TimeZoneMinutes), kMaxTimeZoneMinutes);
    EXPECT_TRUE(s.SummerWeekday >= 1 && s.SummerWeekday <= 7);
    EXPECT_TRUE(s.WinterWeekday >= 1 && s.WinterWeekday <= 7);
    EXPECT_LE(s.WeekStartDay, 6);

    SiteSettings saved = s;
    ASSERT_TRUE(SaveSettings(saved, dir.str()).ok);
    const SettingsLoadResult again = LoadSettings(dir.str(), 2024);
    EXPECT_TRUE(again.messages.empty()) << again.messages.front().substr(0, 200);
    EXPECT_EQ(SettingsToLines(again.settings), SettingsToLines(s));
    EXPECT_EQ(again.settings.ExtraLines, s.ExtraLines);
}

TEST(HostileSettingsFile, LoadsWithDefaultsShortMessagesAndSavesSoundly) {
    const std::string tenMegabytes(10u * 1024u * 1024u, 'x');
    const std::string oneMegabyte(1024u * 1024u, '7');
    std::string junkLines;  // about 10 MB of short binary lines
    while (junkLines.size() < 10u * 1024u * 1024u) junkLines += "\x01\xfe junk \x7f\xc3\n";

    Lines megaNumber = GoodLines();
    megaNumber[13] = oneMegabyte;  // latitude: digits beyond any integer
    Lines megaPath = GoodLines();
    megaPath[5] = std::string(1024u * 1024u, 'p');
    Lines nulBytes = GoodLines();
    nulBytes[0] = std::string("3\0", 2);
    nulBytes[6] = std::string("set\0.wav", 8);
    Lines notUtf8 = GoodLines();
    notUtf8[5] = "/media/d\xe9part\xff.wav";  // Windows-1252: é and ÿ
    const Lines allText(19, "not a number");

    struct Case {
        const char* name;
        std::string bytes;
        std::size_t messages;
        std::int32_t latitude;
        std::uint8_t language;
    };
    const Case cases[] = {
        {"10 MB of extra lines after good ones", Join(GoodLines()) + junkLines, 0, 4000, 1},
        {"10 MB without a line end", tenMegabytes, 1, 3047, 0},
        {"a 1 MB number", Join(megaNumber), 1, 3047, 1},
        {"a 1 MB path", Join(megaPath), 0, 4000, 1},
        {"NUL bytes", Join(nulBytes), 1, 4000, 0},
        {"invalid UTF-8", Join(notUtf8), 0, 4000, 1},
        {"every line non-numeric", Join(allText), 15, 3047, 0},
        {"only line ends", std::string(100000, '\n'), 15, 3047, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::TempDir dir;
        dir.Write(kSettingsFileName, c.bytes);
        const SettingsLoadResult loaded = LoadSettings(dir.str(), 2024);
        EXPECT_EQ(loaded.messages.size(), c.messages);
        EXPECT_EQ(loaded.settings.LatitudeMinutes, c.latitude);
        EXPECT_EQ(loaded.settings.LanguageIndex, c.language);
        ExpectSoundLoadAndSave(dir, loaded);
    }
}

TEST(HostileSettingsFile, KeepsWhatItCannotParseAsText) {
    testing::TempDir dir;
    Lines lines = GoodLines();
    lines[5] = "/media/d\xe9part.wav";
    lines[6] = std::string("a\0b.wav", 7);
    lines.push_back(std::string(1024u * 1024u, 'e'));
    dir.Write(kSettingsFileName, Join(lines));
    const SettingsLoadResult loaded = LoadSettings(dir.str(), 2024);
    EXPECT_EQ(loaded.settings.SunRiseSoundFile, "/media/d\xc3\xa9part.wav");
    EXPECT_EQ(loaded.settings.SunSetSoundFile, std::string("a\0b.wav", 7));
    ASSERT_EQ(loaded.settings.ExtraLines.size(), 1u);
    EXPECT_EQ(loaded.settings.ExtraLines[0].size(), 1024u * 1024u);
}

TEST(HostileSettingsFolder, AFailedSaveNamesTheFileAndTheReasonAndKeepsEverything) {
    // CI runs as root, which no permission bit stops: these folders refuse a
    // save whoever the user is.
    struct Case {
        const char* name;
        void (*prepare)(const testing::TempDir&);
        const char* folder;  // inside the temporary folder
        const char* reason;  // the system's words
    };
    const Case cases[] = {
        {"the folder's parent is a file",
         [](const testing::TempDir& d) { d.Write("blocker", "x"); }, "blocker/dawnhelm",
         "Not a directory"},
        // Read as unusable, so the save would keep it aside first; a folder
        // is no file to copy, and the message gives the real reason.
        {"a folder stands where the file goes",
         [](const testing::TempDir& d) {
             fs::create_directories(d.file("app/Dawncode.txt/inside"));
         },
         "app", "Is a directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::TempDir dir;
        c.prepare(dir);
        const std::string appDir = dir.file(c.folder);
        SettingsLoadResult loaded = LoadSettings(appDir, 2024);
        loaded.settings.LatitudeMinutes = 1000;
        const Lines before = SettingsToLines(loaded.settings);

        const SettingsSaveResult saved = SaveSettings(loaded.settings, appDir);
        EXPECT_FALSE(saved.ok);
        EXPECT_THAT(saved.error, HasSubstr("Dawncode.txt"));
        EXPECT_THAT(saved.error, HasSubstr(c.reason));
        EXPECT_EQ(SettingsToLines(loaded.settings), before);
        // A second try fails the same way: nothing was left half done.
        EXPECT_FALSE(SaveSettings(loaded.settings, appDir).ok);
    }
    testing::TempDir dir;
    fs::create_directories(dir.file("app/Dawncode.txt/inside"));
    SettingsLoadResult loaded = LoadSettings(dir.file("app"), 2024);
    (void)SaveSettings(loaded.settings, dir.file("app"));
    EXPECT_TRUE(fs::is_directory(dir.file("app/Dawncode.txt/inside")));
}

// A save killed at any moment leaves the old file or the new one, whole. The
// child saves two different records in turn as fast as it can; the parent
// kills it at random moments and reads what is on disk.
TEST(HostileSettingsFolder, AKillDuringASaveLeavesTheOldOrTheNewFileWhole) {
    testing::TempDir dir;
    SiteSettings first = DefaultSettings(dir.str(), 2024);
    SiteSettings second = first;
    second.LatitudeMinutes = -2040;
    second.LanguageIndex = 5;
    // Long enough that many kills land in the middle of writing.
    first.ExtraLines.assign(2000, std::string(100, 'a'));
    second.ExtraLines.assign(1500, std::string(150, 'b'));
    auto bytesOf = [](const SiteSettings& s) {
        Lines lines = SettingsToLines(s);
        lines.insert(lines.end(), s.ExtraLines.begin(), s.ExtraLines.end());
        return Join(lines);
    };
    const std::string firstBytes = bytesOf(first);
    const std::string secondBytes = bytesOf(second);
    ASSERT_TRUE(SaveSettings(first, dir.str()).ok);

    std::mt19937 random(20241210);
    std::uniform_int_distribution<int> delayMicroseconds(0, 20000);
    int sawFirst = 0;
    int sawSecond = 0;
    for (int round = 0; round < 40; ++round) {
        const pid_t child = ::fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            for (unsigned i = 0;; ++i) SaveSettings(i % 2 == 0 ? second : first, dir.str());
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);

        const std::string onDisk = dir.Read(kSettingsFileName);
        const bool whole = onDisk == firstBytes || onDisk == secondBytes;
        ASSERT_TRUE(whole) << "round " << round << ": a file of " << onDisk.size() << " bytes";
        (onDisk == firstBytes ? sawFirst : sawSecond)++;
    }
    EXPECT_GT(sawFirst + sawSecond, 0);
    // Stray temporary files of a killed save do not disturb the next start.
    const SettingsLoadResult loaded = LoadSettings(dir.str(), 2024);
    EXPECT_TRUE(loaded.messages.empty());
}

}  // namespace
}  // namespace dawn
