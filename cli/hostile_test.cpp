// Hostile files and names on the command line: settings and label files that
// cannot be read, targets that are not files, names that are not UTF-8, and
// text from files on its way to the terminal.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/frame.h"
#include "cli/testsupport_verbs.h"
#include "core/settings.h"
#include "core/testsupport_tempdir.h"
#include "core/textfile.h"

namespace dawn::cli {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

// Every verb that reads a settings file, with the rest of its arguments.
std::vector<std::vector<std::string>> VerbsReading(const std::string& settings) {
    return {
        {"day", "--settings", settings, "--date", "2024-06-01"},
        {"table", "--settings", settings, "--from", "2024-06-01", "--to", "2024-06-02"},
        {"moon", "--settings", settings, "--from", "2024-06-01", "--to", "2024-06-02"},
        {"phases", "--settings", settings, "--from", "2024-06-01", "--to", "2024-06-30"},
        {"view", "--settings", settings, "--date", "2024-06-01"},
        {"export", "--settings", settings, "--from", "2024-06-01", "--to", "2024-06-02"},
        {"alarms", "--settings", settings, "--date", "2024-06-01"},
        {"ics", "--settings", settings, "--from", "2024-06-01", "--to", "2024-06-02"},
    };
}

TEST(HostileCliFiles, AnUnreadableSettingsFileFailsEveryVerbAlike) {
    struct Case {
        const char* name;
        std::function<bool(const testing::TempDir&, const std::string&)> make;
        const char* reason;
    };
    const Case cases[] = {
        {"a folder", [](auto&, const std::string& p) { return fs::create_directory(p); },
         "Is a directory"},
        {"a pipe", [](auto&, const std::string& p) { return ::mkfifo(p.c_str(), 0600) == 0; },
         "not a regular file"},
        {"a loop of links",
         [](auto&, const std::string& p) {
             fs::create_symlink(p, p);
             return true;
         },
         "Too many levels of symbolic links"},
        {"a copy of /dev/zero (made only by root)",
         [](auto&, const std::string& p) {
             return ::mknod(p.c_str(), S_IFCHR | 0666, ::makedev(1, 5)) == 0;
         },
         "not a regular file"},
        {"a file above the size limit",
         [](auto&, const std::string& p) {
             std::ofstream{p} << "3047\n";
             fs::resize_file(p, kMaxTextFileBytes + 1);  // sparse: no disk space taken
             return true;
         },
         "too large"},
        {"a file without permission (root reads it all the same)",
         [](auto& d, const std::string& p) {
             d.Write("Dawncode.txt", "3047\n");
             fs::permissions(p, fs::perms::none);
             return ::geteuid() != 0;
         },
         "Permission denied"},
    };
    for (const Case& c : cases) {
        testing::TempDir dir;
        const std::string settings = dir.file("Dawncode.txt");
        if (!c.make(dir, settings)) continue;
        for (const auto& args : VerbsReading(settings)) {
            SCOPED_TRACE(std::string(c.name) + ", " + args[0]);
            const CliRun r = RunCli(args);
            EXPECT_EQ(r.code, 1);
            EXPECT_EQ(r.out, "");  // nothing computed with another place's values
            EXPECT_THAT(r.err, StartsWith("dawnhelm-cli: " + args[0] + ": "));
            EXPECT_THAT(r.err, HasSubstr(c.reason));
            EXPECT_THAT(r.err, Not(HasSubstr(".bak")));  // the command line never saves
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        }
    }
}

TEST(HostileCliFiles, EmptyFileNamesAreRefusedByEveryVerb) {
    std::vector<std::vector<std::string>> cases = VerbsReading("");
    cases.push_back({"view", "--settings", "x", "--labels", "", "--date", "2024-06-01"});
    cases.push_back({"export", "--settings", "x", "--labels", "", "--from", "2024-06-01", "--to",
                     "2024-06-02"});
    cases.push_back(
        {"export", "--settings", "x", "--out", "", "--from", "2024-06-01", "--to", "2024-06-02"});
    cases.push_back(
        {"ics", "--settings", "x", "--out", "", "--from", "2024-06-01", "--to", "2024-06-02"});
    for (const auto& args : cases) {
        SCOPED_TRACE(args[0] + " " + args[1] + " " + args[3]);
        const CliRun r = RunCli(args);
        EXPECT_EQ(r.code, kExitUsage);
        EXPECT_EQ(r.out, "");
        EXPECT_THAT(r.err, HasSubstr("the file name is empty"));
    }
}

TEST(HostileCliFiles, AnUnreadableLabelFileFailsTheVerbsThatShowLabels) {
    testing::TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("Dawnlabel.txt").c_str(), 0600), 0);
    const std::vector<std::vector<std::string>> rests = {
        {"view", "--date", "2024-06-01"},
        {"export", "--from", "2024-06-01", "--to", "2024-06-01"},
    };
    for (const auto& rest : rests) {
        const std::string& verb = rest[0];
        std::vector<std::string> args = rest;
        args.insert(args.end(),
                    {"--settings", dir.file("none.txt"), "--labels", dir.file("Dawnlabel.txt")});
        const CliRun r = RunCli(args);
        EXPECT_EQ(r.code, 1) << verb;
        EXPECT_EQ(r.out, "");
        EXPECT_THAT(r.err, HasSubstr("not a regular file"));
    }
}

std::vector<std::string> ExportArgs(const testing::TempDir& dir) {
    return {"export",     "--settings", dir.file("none.txt"), "--from",
            "2024-06-01", "--to",       "2024-06-03"};
}

TEST(HostileCliTargets, ExportWritesToStandardOutputAndReplacesOnlyRegularFiles) {
    testing::TempDir dir;
    const CliRun plain = RunCli(ExportArgs(dir));
    ASSERT_EQ(plain.code, 0) << plain.err;

    std::vector<std::string> args = ExportArgs(dir);
    args.insert(args.end(), {"--out", "-"});
    const CliRun dash = RunCli(args);
    EXPECT_EQ(dash.code, 0) << dash.err;
    EXPECT_EQ(dash.out, plain.out);
    EXPECT_FALSE(fs::exists(dir.file("-")));

    // A pipe, a folder and a link to a pipe stay what they are.
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    fs::create_directory(dir.file("folder"));
    fs::create_symlink(dir.file("pipe"), dir.file("link"));
    for (const char* name : {"pipe", "folder", "link"}) {
        SCOPED_TRACE(name);
        args = ExportArgs(dir);
        args.insert(args.end(), {"--out", dir.file(name)});
        const CliRun r = RunCli(args);
        EXPECT_EQ(r.code, 1);
        EXPECT_THAT(r.err, StartsWith("dawnhelm-cli: export: Cannot write"));
        EXPECT_FALSE(fs::is_regular_file(fs::symlink_status(dir.file(name))));
    }
    EXPECT_TRUE(fs::is_fifo(dir.file("pipe")));

    // A name that is not UTF-8 (Latin-1 "été.csv") is used as the bytes given.
    const std::string latin1 = dir.file("\xe9t\xe9.csv");
    args = ExportArgs(dir);
    args.insert(args.end(), {"--out", latin1});
    EXPECT_EQ(RunCli(args).code, 0);
    EXPECT_TRUE(ReadFileBytes(latin1).bytes == plain.out);
}

TEST(TerminalText, EscapesWhatCouldGarbleOrDisguiseALine) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"caf\xc3\xa9 \xe2\x80\x94 \xf0\x9f\x8c\x85", "caf\xc3\xa9 \xe2\x80\x94 \xf0\x9f\x8c\x85"},
        {"a\x1b[31mred\x07", "a\\x1b[31mred\\x07"},
        {"line\nbreak\r\t\x7f", "line\\x0abreak\\x0d\\x09\\x7f"},
        {"\xc2\x9b"
         "2J",
         "\\u009b2J"},                                      // C1 control sequence introducer
        {"txt.\xe2\x80\xaegnp.exe", "txt.\\u202egnp.exe"},  // right-to-left override
        {"\xe2\x81\xa6x\xe2\x81\xa9\xe2\x80\x8f", "\\u2066x\\u2069\\u200f"},  // isolates, marks
        {"d\xe9part\xff", "d\\xe9part\\xff"},                                 // not UTF-8
        {"\xe2\x82", "\\xe2\\x82"},           // a character cut short
        {"\xed\xa0\x80", "\\xed\\xa0\\x80"},  // a surrogate
    };
    for (const auto& c : cases) EXPECT_EQ(TerminalText(c.in), c.out) << c.out;
}

TEST(TerminalText, CutTextsEndOnACharacterAndMessagesFromFilesAreEscaped) {
    // 59 ASCII letters, then two-byte letters: the cut at 60 bytes falls
    // inside the first of them and backs up before it.
    const std::string quoted = QuotedArgument(std::string(59, 'a') + "\xc3\xa9\xc3\xa9");
    EXPECT_EQ(quoted, "'" + std::string(59, 'a') + "...'");
    EXPECT_TRUE(IsValidUtf8(QuotedArgument(std::string(200, 'x') + std::string(30, '\xe2'))));
    for (std::size_t n = 0; n < 12; ++n) {
        const std::string text = "\xe2\x82\xac\xf0\x9f\x8c\x85\xc3\xa9";
        EXPECT_TRUE(IsValidUtf8(Utf8Prefix(text, n))) << n;
    }

    // A settings line that holds escapes and a reordering character reaches
    // the terminal as visible escapes.
    testing::TempDir dir;
    std::vector<std::string> lines = SettingsToLines(DefaultSettings(dir.str(), 2024));
    lines[13] = "\x1b]0;owned\x07\xe2\x80\xae" + std::string(100, '\xc3');
    ASSERT_TRUE(WriteTextFileAtomic(dir.file("Dawncode.txt"), lines).ok());
    const CliRun r =
        RunCli({"day", "--settings", dir.file("Dawncode.txt"), "--date", "2024-06-01"});
    EXPECT_EQ(r.code, 0);
    EXPECT_THAT(r.err, HasSubstr("dawnhelm-cli: warning: "));
    EXPECT_THAT(r.err, HasSubstr("line 14"));
    EXPECT_EQ(r.err.find('\x1b'), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("\xe2\x80\xae"), std::string::npos) << r.err;
    EXPECT_THAT(r.err, Not(HasSubstr(".bak")));
    std::string withoutEnds = r.err;
    std::erase(withoutEnds, '\n');
    EXPECT_EQ(TerminalText(withoutEnds), withoutEnds);  // nothing left to escape
}

}  // namespace
}  // namespace dawn::cli
