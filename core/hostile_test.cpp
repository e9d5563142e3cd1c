// Settings files as they turn up on real disks: huge, binary, in another
// encoding, cut short by a crash; folders that refuse a save. None of them
// may crash the program, flood the user with a message of megabytes, or lose
// a file that was saved before.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/types.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
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
    EXPECT_EQ(again.settings.Alarms, s.Alarms);
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
    // Every file with a problem gets one more message: it will be kept as
    // Dawncode.txt.bak.
    const Case cases[] = {
        // Eight of them are the alarms' lines, one the observer's height, one
        // the graph's light switch.
        {"10 MB of extra lines after good ones", Join(GoodLines()) + junkLines, 12, 4000, 1},
        {"10 MB without a line end", tenMegabytes, 2, 3047, 0},
        {"a 1 MB number", Join(megaNumber), 2, 3047, 1},
        {"a 1 MB path", Join(megaPath), 0, 4000, 1},
        {"NUL bytes", Join(nulBytes), 2, 4000, 0},
        {"invalid UTF-8", Join(notUtf8), 2, 4000, 1},
        {"every line non-numeric", Join(allText), 16, 3047, 0},
        {"only line ends", std::string(100000, '\n'), 16, 3047, 0},
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
        // What the program could not take over is kept, byte for byte.
        if (c.messages > 0) {
            EXPECT_THAT(loaded.messages.back(), HasSubstr("Dawncode.txt.bak"));
            EXPECT_TRUE(dir.Read("Dawncode.txt.bak") == c.bytes);
        } else {
            EXPECT_FALSE(fs::exists(dir.file("Dawncode.txt.bak")));
        }
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
    // A megabyte on the zone's line is kept as it is (no zone has such a name).
    EXPECT_EQ(loaded.settings.ZoneName.size(), 1024u * 1024u);
    EXPECT_TRUE(loaded.settings.ExtraLines.empty());
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
    auto bytesOf = [](const SiteSettings& s) { return Join(SettingsFileLines(s)); };
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

// ---------------------------------------------------------------------------
// Files, folders and links that are not what they seem. Everything is made in
// a private temporary folder; the system's own devices are never touched.
// CI runs as root, whom no permission stops and who owns every file it makes:
// ownership is checked by asking as another user (the user id is a
// parameter), and the one fixture only root can make (a device node) is left
// out when the tests run as another user.

const UserId kMe = CurrentUser();
const UserId kSomeoneElse = kMe + 1;

// The kind of thing at `path`, without following a link.
std::string KindOf(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return "nothing";
    if (S_ISREG(st.st_mode)) return "file";
    if (S_ISLNK(st.st_mode)) return "link";
    if (S_ISDIR(st.st_mode)) return "folder";
    if (S_ISFIFO(st.st_mode)) return "fifo";
    if (S_ISSOCK(st.st_mode)) return "socket";
    if (S_ISCHR(st.st_mode)) return "device";
    return "other";
}

void MakeSocket(const std::string& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, path.c_str());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
}

// A copy of /dev/null made in the private folder (only root may make one).
bool MakeDevice(const std::string& path) {
    return ::mknod(path.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0;
}

TEST(HostileTargets, OnlyARegularFileOrALinkToTheUsersOwnFileIsReplaced) {
    struct Case {
        const char* name;
        std::function<void(const testing::TempDir&)> plant;  // makes "out.txt"
        UserId user;
        const char* refusal;  // empty: the write goes through
        const char* kindAfter;
    };
    const auto link = [](const char* to) {
        return
            [to](const testing::TempDir& d) { fs::create_symlink(d.file(to), d.file("out.txt")); };
    };
    const Case cases[] = {
        {"a pipe", [](const testing::TempDir& d) { ::mkfifo(d.file("out.txt").c_str(), 0600); },
         kMe, "it is not a regular file", "fifo"},
        {"a socket", [](const testing::TempDir& d) { MakeSocket(d.file("out.txt")); }, kMe,
         "it is not a regular file", "socket"},
        {"a device node", [](const testing::TempDir& d) { MakeDevice(d.file("out.txt")); }, kMe,
         "it is not a regular file", "device"},
        {"a folder", [](const testing::TempDir& d) { fs::create_directory(d.file("out.txt")); },
         kMe, "Is a directory", "folder"},
        {"a link to a pipe (as /dev/stdout is)", link("pipe"), kMe,
         "symbolic link to something that is not a regular file", "link"},
        {"a link to nothing", link("gone.txt"), kMe, "symbolic link that leads to no file", "link"},
        {"a link to another user's file", link("real.txt"), kSomeoneElse,
         "symbolic link to a file of another user", "link"},
        {"a link to the user's file", link("real.txt"), kMe, "", "link"},
        // /dev/stdout redirected to a file: the link leads through /proc to
        // a file the test has open; replacing it would lose what is written
        // to the descriptor afterwards.
        {"a link through /proc to an open file (as /dev/stdout is)",
         [](const testing::TempDir& d) {
             const int fd = ::open(d.file("real.txt").c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
             fs::create_symlink("/proc/" + std::to_string(::getpid()) + "/fd/" + std::to_string(fd),
                                d.file("out.txt"));
         },
         kMe, "a file a process has open", "link"},
        {"the user's file", [](const testing::TempDir& d) { d.Write("out.txt", "old"); }, kMe, "",
         "file"},
        // Outside a shared folder another user's file may be replaced (root
        // keeping a user's settings, a file given to the program on purpose).
        {"another user's file in a private folder",
         [](const testing::TempDir& d) { d.Write("out.txt", "old"); }, kSomeoneElse, "", "file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::TempDir dir;
        ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
        dir.Write("real.txt", "real");
        c.plant(dir);
        if (KindOf(dir.file("out.txt")) == "nothing") {
            ASSERT_NE(::geteuid(), 0u) << "only a device node fails to be made, and only by a user";
            continue;  // only root may make a device node
        }

        const TextFileResult r = WriteTextFileAtomic(dir.file("out.txt"), {"new"}, "\n", c.user);
        EXPECT_EQ(KindOf(dir.file("out.txt")), c.kindAfter);
        EXPECT_EQ(KindOf(dir.file("pipe")), "fifo");
        EXPECT_FALSE(fs::exists(fs::symlink_status(dir.file("gone.txt"))));
        if (*c.refusal == '\0') {
            EXPECT_TRUE(r.ok()) << r.error;
            EXPECT_EQ(dir.Read("out.txt"), "new\n");
        } else {
            EXPECT_EQ(r.status, TextFileStatus::WriteFailed);
            EXPECT_THAT(r.error, HasSubstr("out.txt"));
            EXPECT_THAT(r.error, HasSubstr(c.refusal));
            EXPECT_EQ(dir.Read("real.txt"), "real");
        }
    }
}

// In a folder others can write to, another user can plant the settings file,
// or a link under its name, for the program to read or to overwrite. Both are
// refused; the user's own files are used as anywhere else.
TEST(HostileSharedFolder, PlantedFilesAndLinksAreRefusedTheUsersOwnAreUsed) {
    struct Case {
        const char* name;
        mode_t folderMode;
        bool link;            // Dawncode.txt is a link to "victim.txt" (else a file)
        UserId user;          // who runs the program; every fixture belongs to kMe
        const char* refusal;  // empty: read and written as usual
    };
    const Case cases[] = {
        {"a file planted in a sticky folder", 01777, false, kSomeoneElse,
         "it belongs to another user, in a folder others can write to"},
        {"a file planted in a group folder", 0775, false, kSomeoneElse,
         "it belongs to another user, in a folder others can write to"},
        {"a link planted in a sticky folder", 01777, true, kSomeoneElse,
         "it is a symbolic link of another user, in a folder others can write to"},
        {"the user's own file in a sticky folder", 01777, false, kMe, ""},
        {"the user's own link in a group folder", 0775, true, kMe, ""},
        {"another user's file in a private folder", 0755, false, kSomeoneElse, ""},
    };
    Lines good = GoodLines();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::TempDir dir;
        const std::string folder = dir.file("shared");
        fs::create_directory(folder);
        dir.Write("victim.txt", Join(good));
        if (c.link) {
            fs::create_symlink(dir.file("victim.txt"), folder + "/Dawncode.txt");
        } else {
            dir.Write("shared/Dawncode.txt", Join(good));
        }
        ASSERT_EQ(::chmod(folder.c_str(), c.folderMode), 0);
        const std::string plantedBytes =
            c.link ? dir.Read("victim.txt") : dir.Read("shared/Dawncode.txt");

        SettingsLoadResult loaded = LoadSettings(folder, 2024, c.user);
        loaded.settings.LatitudeMinutes = -100;
        const SettingsSaveResult saved = SaveSettings(loaded.settings, folder, c.user);
        const std::string after = c.link ? dir.Read("victim.txt") : dir.Read("shared/Dawncode.txt");
        if (*c.refusal == '\0') {
            EXPECT_TRUE(loaded.messages.empty());
            EXPECT_EQ(loaded.settings.LanguageIndex, 1);  // read from the file
            EXPECT_TRUE(saved.ok) << saved.error;
            EXPECT_THAT(after, HasSubstr("\r\n-100\r\n"));
        } else {
            ASSERT_FALSE(loaded.messages.empty());
            EXPECT_THAT(loaded.messages[0], HasSubstr(c.refusal));
            EXPECT_EQ(loaded.settings.LanguageIndex, 0);  // the defaults, not the planted values
            EXPECT_FALSE(saved.ok);
            EXPECT_THAT(saved.error, HasSubstr(c.refusal));
            EXPECT_EQ(after, plantedBytes);
            EXPECT_EQ(KindOf(folder + "/Dawncode.txt"), c.link ? "link" : "file");
        }
        ::chmod(folder.c_str(), 0755);
    }
}

// A copy kept before a save never goes through a link planted under its
// name, and the files written beside a target are always new ones.
TEST(HostileSharedFolder, BackupsAndTemporaryFilesNeverFollowAPlantedLink) {
    testing::TempDir dir;
    ASSERT_EQ(::chmod(dir.str().c_str(), 01777), 0);
    dir.Write("victim.txt", "the victim's own text");
    Lines bad = GoodLines();
    bad[13] = "40 42";  // a latitude typed with a blank
    dir.Write(kSettingsFileName, Join(bad));
    fs::create_symlink(dir.file("victim.txt"), dir.file("Dawncode.txt.bak"));
    // Links under the names of the next files written beside the target.
    for (unsigned n = 0; n < 400; n += 2) {
        fs::create_symlink(
            dir.file("victim.txt"),
            dir.file(".Dawncode.txt.tmp-" + std::to_string(::getpid()) + "-" + std::to_string(n)));
    }

    SettingsLoadResult loaded = LoadSettings(dir.str(), 2024);
    ASSERT_TRUE(loaded.settings.KeepCopyBeforeSave);
    SettingsSaveResult saved = SaveSettings(loaded.settings, dir.str());
    EXPECT_FALSE(saved.ok);
    EXPECT_THAT(saved.error, HasSubstr("Cannot keep a copy"));
    EXPECT_THAT(saved.error, HasSubstr("it is a symbolic link"));
    EXPECT_EQ(dir.Read(kSettingsFileName), Join(bad));  // not replaced without its copy

    // Once the planted link is gone, the copy and the save go through.
    fs::remove(dir.file("Dawncode.txt.bak"));
    saved = SaveSettings(loaded.settings, dir.str());
    EXPECT_TRUE(saved.ok) << saved.error;
    EXPECT_EQ(dir.Read("Dawncode.txt.bak"), Join(bad));
    EXPECT_EQ(dir.Read("victim.txt"), "the victim's own text");
    EXPECT_EQ(KindOf(dir.file("Dawncode.txt.bak")), "file");
    ::chmod(dir.str().c_str(), 0755);
}

// Every kind of problem in a loaded file leaves the file as it was, kept as
// Dawncode.txt.bak, before the first save, and the message says so.
TEST(HostileSettingsFile, AFileWithAProblemIsKeptBeforeTheFirstSave) {
    Lines latitudeWithABlank = GoodLines();
    latitudeWithABlank[13] = "40 42";
    const std::string binary("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x01\0", 21);
    Lines latitudeBeyondThePole = GoodLines();
    latitudeBeyondThePole[13] = "6000";
    Lines mixed = GoodLines();
    mixed[5] = "/home/jos\xc3\xa9/fr\xc3\xbch.wav";  // UTF-8
    mixed.push_back("Notiz: sp\xe4t");               // one stray Windows-1252 byte
    struct Case {
        const char* name;
        std::string bytes;
        const char* inMessage;
    };
    const Case cases[] = {
        {"a latitude typed as 40 42", Join(latitudeWithABlank), "line 14: '40 42'"},
        {"a latitude beyond the pole", Join(latitudeBeyondThePole),
         "line 14: '6000' is outside -5400..5400; 5400 is used instead."},
        {"a picture saved under the name", binary, "is not a valid integer"},
        {"one line in Windows-1252", Join(mixed), "1 line was not UTF-8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::TempDir dir;
        dir.Write(kSettingsFileName, c.bytes);
        SettingsLoadResult loaded = LoadSettings(dir.str(), 2024);
        EXPECT_THAT(loaded.messages.front(), HasSubstr(c.inMessage));
        EXPECT_THAT(loaded.messages.back(), HasSubstr("will be kept as"));
        ASSERT_TRUE(SaveSettings(loaded.settings, dir.str()).ok);
        EXPECT_TRUE(dir.Read("Dawncode.txt.bak") == c.bytes);
        // Only the first save keeps a copy: a later one leaves it alone.
        fs::remove(dir.file("Dawncode.txt.bak"));
        ASSERT_TRUE(SaveSettings(loaded.settings, dir.str()).ok);
        EXPECT_FALSE(fs::exists(dir.file("Dawncode.txt.bak")));
    }
    // Decoded line by line: the UTF-8 path stays UTF-8 beside the stray byte.
    testing::TempDir dir;
    dir.Write(kSettingsFileName, Join(mixed));
    const SettingsLoadResult loaded = LoadSettings(dir.str(), 2024);
    EXPECT_EQ(loaded.settings.SunRiseSoundFile, "/home/jos\xc3\xa9/fr\xc3\xbch.wav");
    EXPECT_EQ(loaded.settings.ZoneName, "Notiz: sp\xc3\xa4t");
}

// A folder whose name is not UTF-8 (here Latin-1 "café"): its files are
// found, read and saved under the bytes of its name, and the media paths
// that name files in it keep their bytes.
TEST(HostileSettingsFolder, AFolderNamedInAnotherEncodingKeepsItsBytes) {
    testing::TempDir dir;
    const std::string folder = dir.file("caf\xe9");
    fs::create_directory(folder);
    std::ofstream(folder + "/sunrise.wav") << "RIFF";
    Lines lines = GoodLines();
    lines[5] = folder + "/sunrise.wav";   // an existing file: kept as bytes
    lines[6] = "/nowhere/d\xe9part.wav";  // no such file: an old Windows-1252 text
    dir.Write("caf\xe9/Dawncode.txt", Join(lines));

    SettingsLoadResult loaded = LoadSettings(folder, 2024);
    EXPECT_EQ(loaded.settings.LanguageIndex, 1);
    EXPECT_EQ(loaded.settings.SunRiseSoundFile, folder + "/sunrise.wav");
    EXPECT_EQ(loaded.settings.SunSetSoundFile, "/nowhere/d\xc3\xa9part.wav");
    ASSERT_TRUE(SaveSettings(loaded.settings, folder).ok);
    EXPECT_THAT(dir.Read("caf\xe9/Dawncode.txt"), HasSubstr("\r\n" + folder + "/sunrise.wav\r\n"));
    EXPECT_EQ(DefaultSettings(folder, 2024).SunSetImageFile, folder + "/sunset.jpg");
}

// A path with a line break would shift every later line of the file; the
// save is refused and the file stays as it was.
TEST(HostileSettingsFile, APathWithALineBreakIsNotWritten) {
    for (const char* path : {"/media/two\nlines.wav", "/media/cr\r.jpg"}) {
        SCOPED_TRACE(path);
        testing::TempDir dir;
        dir.Write(kSettingsFileName, Join(GoodLines()));
        SettingsLoadResult loaded = LoadSettings(dir.str(), 2024);
        loaded.settings.SunSetImageFile = path;
        const SettingsSaveResult saved = SaveSettings(loaded.settings, dir.str());
        EXPECT_FALSE(saved.ok);
        EXPECT_THAT(saved.error, HasSubstr("line 11"));
        EXPECT_THAT(saved.error, HasSubstr("holds a line break"));
        EXPECT_EQ(dir.Read(kSettingsFileName), Join(GoodLines()));
    }
}

}  // namespace
}  // namespace dawn
