#include "core/textfile.h"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <set>

#include "core/testsupport_tempdir.h"

namespace dawn {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Lines = std::vector<std::string>;

TEST(SplitLines, AcceptsEveryLineEnd) {
    struct Case {
        std::string text;
        Lines lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"\n", {""}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\rc\r", {"a", "b", "c"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},  // LF then CR is two line ends
        {"a\r\r\nb", {"a", "", "b"}},
        {std::string("x\0y\nz", 5), {std::string("x\0y", 3), "z"}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitLines(c.text), c.lines) << "text: " << c.text;
}

TEST(DecodeText, KeepsUtf8AndConvertsWindows1252) {
    struct Case {
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {"caf\xC3\xA9", "caf\xC3\xA9"},  // UTF-8 stays
        {"\xEF\xBB\xBF"
         "abc",
         "abc"},                                               // byte-order mark dropped
        {"caf\xE9", "caf\xC3\xA9"},                            // Windows-1252 é
        {"\x80 \x9F \xFF", "\xE2\x82\xAC \xC5\xB8 \xC3\xBF"},  // € Ÿ ÿ
        {"\xC0\xAF", "\xC3\x80\xC2\xAF"},                      // overlong UTF-8 is not UTF-8
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},      // a surrogate is not UTF-8
        {"\xE2\x82", "\xC3\xA2\xE2\x80\x9A"},                  // cut-off sequence
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto& c : cases) EXPECT_EQ(DecodeText(c.bytes), c.text) << "bytes: " << c.bytes;
}

TEST(ReadTextFile, ReadsMixedEndsAndEncodings) {
    testing::TempDir dir;
    dir.Write("t.txt", "Li\xE8ge\r\nline two\rthree\n");
    const auto r = ReadTextFile(dir.file("t.txt"));
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_THAT(r.lines, ElementsAre("Li\xC3\xA8ge", "line two", "three"));
}

TEST(ReadTextFile, ReportsWhatWentWrong) {
    testing::TempDir dir;
    const auto missing = ReadTextFile(dir.file("none.txt"));
    EXPECT_EQ(missing.status, TextFileStatus::Missing);
    EXPECT_THAT(missing.error, HasSubstr("none.txt"));

    std::filesystem::create_directory(dir.file("folder"));
    const auto folder = ReadTextFile(dir.file("folder"));
    EXPECT_EQ(folder.status, TextFileStatus::Unreadable);
    EXPECT_THAT(folder.error, HasSubstr("Is a directory"));

    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    const auto pipe = ReadTextFile(dir.file("pipe"));  // refused, and without waiting for a writer
    EXPECT_EQ(pipe.status, TextFileStatus::Unreadable);
    EXPECT_THAT(pipe.error, HasSubstr("not a regular file"));

    dir.Write("big.txt", std::string(2000, 'x'));
    const auto big = ReadTextFile(dir.file("big.txt"), 1000);
    EXPECT_EQ(big.status, TextFileStatus::TooLarge);
    EXPECT_TRUE(big.lines.empty());
    EXPECT_TRUE(ReadTextFile(dir.file("big.txt"), 2000).ok());
}

TEST(WriteTextFileAtomic, WritesLinesWithTheChosenEnd) {
    testing::TempDir dir;
    const std::string path = dir.file("out.txt");
    ASSERT_TRUE(WriteTextFileAtomic(path, {"one", "", "tw\xC3\xB6"}).ok());
    EXPECT_EQ(dir.Read("out.txt"), "one\r\n\r\ntw\xC3\xB6\r\n");
    ASSERT_TRUE(WriteTextFileAtomic(path, {"a", "b"}, "\n").ok());
    EXPECT_EQ(dir.Read("out.txt"), "a\nb\n");
    ASSERT_TRUE(WriteTextFileAtomic(path, {}).ok());
    EXPECT_EQ(dir.Read("out.txt"), "");
    // Nothing is left beside the file.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.str()), {}), 1);
}

TEST(WriteTextFileAtomic, KeepsPermissionsAndLinks) {
    testing::TempDir dir;
    dir.Write("real.txt", "old\n");
    ::chmod(dir.file("real.txt").c_str(), 0640);
    std::filesystem::create_symlink(dir.file("real.txt"), dir.file("link.txt"));
    ASSERT_TRUE(WriteTextFileAtomic(dir.file("link.txt"), {"new"}).ok());
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.txt")));
    EXPECT_EQ(dir.Read("real.txt"), "new\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(dir.file("real.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(WriteTextFileAtomic, FailureCarriesTheReasonAndLeavesNoFile) {
    testing::TempDir dir;
    const auto r = WriteTextFileAtomic(dir.file("no/such/folder/out.txt"), {"x"});
    EXPECT_EQ(r.status, TextFileStatus::WriteFailed);
    EXPECT_EQ(r.error, "Cannot write \"" + dir.file("no/such/folder/out.txt") +
                           "\": No such file or directory.");
    EXPECT_EQ(r.reason, "No such file or directory");

    std::filesystem::create_directory(dir.file("taken"));
    const auto onFolder = WriteTextFileAtomic(dir.file("taken"), {"x"});
    EXPECT_EQ(onFolder.status, TextFileStatus::WriteFailed);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("taken")));
}

// A write cut short (here by a file-size limit) leaves the old file whole.
TEST(WriteTextFileAtomic, FailedWriteKeepsTheOldFile) {
    testing::TempDir dir;
    dir.Write("keep.txt", "old contents\r\n");
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 16;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto r = WriteTextFileAtomic(dir.file("keep.txt"), {std::string(100, 'n')});
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(r.status, TextFileStatus::WriteFailed);
    EXPECT_THAT(r.error, HasSubstr("File too large"));
    EXPECT_EQ(dir.Read("keep.txt"), "old contents\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.str()), {}), 1);
}

// Streamed contents: written piece by piece, renamed only when the writer
// finished; a writer that gives up leaves the old file and no temporary one.
TEST(WriteTextFileStreamed, ReplacesOnlyWhenTheWriterFinished) {
    testing::TempDir dir;
    dir.Write("out.txt", "old\r\n");
    const auto pieces = [](bool finish) {
        return [finish](TextSink& sink) {
            for (int i = 0; i < 3; ++i) {
                if (!sink.Write("line " + std::to_string(i) + "\r\n")) return false;
            }
            return finish;
        };
    };
    const TextFileResult cancelled = WriteTextFileStreamed(dir.file("out.txt"), pieces(false));
    EXPECT_EQ(cancelled.status, TextFileStatus::Cancelled);
    EXPECT_EQ(dir.Read("out.txt"), "old\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.str()), {}), 1);

    ASSERT_TRUE(WriteTextFileStreamed(dir.file("out.txt"), pieces(true)).ok());
    EXPECT_EQ(dir.Read("out.txt"), "line 0\r\nline 1\r\nline 2\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.str()), {}), 1);
}

// The id of a process that has ended.
pid_t EndedProcess() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

std::set<std::string> FilesIn(const testing::TempDir& dir) {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.str()))
        names.insert(e.path().filename().string());
    return names;
}

// Saves killed midway leave ".<name>.tmp-<pid>-<n>" files; the next save of
// that target removes those nobody is writing, and nothing else.
TEST(WriteTextFileAtomic, RemovesTheLeftoversOfCutShortSavesOfItsTarget) {
    testing::TempDir dir;
    const std::string gone = std::to_string(EndedProcess());
    const std::string self = std::to_string(::getpid());
    const std::string leftovers[] = {
        ".out.txt.tmp-" + gone + "-0",
        ".out.txt.tmp-" + self + "-999999",  // an earlier run that had this process id
    };
    const std::string kept[] = {
        ".out.txt.tmp-1-0",  // a process that is still running
        ".other.txt.tmp-" + gone + "-0",
        ".out.txt.tmp-" + gone + "-0x",
        ".out.txt.tmp-" + gone + "-",
        "out.txt.tmp-" + gone + "-0",
        ".out.txt.tmp-" + gone + "-0.bak",
        ".out.txt.tmp-" + self + "-888888",  // being written right now
    };
    for (const auto& name : leftovers) dir.Write(name, "half");
    for (const auto& name : kept) dir.Write(name, "keep");
    const int writing = ::open(dir.file(kept[6]).c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(writing, 0);
    ASSERT_EQ(::flock(writing, LOCK_EX), 0);
    std::filesystem::create_directory(dir.file(".out.txt.tmp-" + gone + "-7"));

    ASSERT_TRUE(WriteTextFileAtomic(dir.file("out.txt"), {"new"}).ok());
    ::close(writing);
    std::set<std::string> expected(std::begin(kept), std::end(kept));
    expected.insert({"out.txt", ".out.txt.tmp-" + gone + "-7"});
    EXPECT_EQ(FilesIn(dir), expected);

    // A failed save removes nothing.
    std::filesystem::create_directory(dir.file("taken"));
    dir.Write(".taken.tmp-" + gone + "-0", "half");
    EXPECT_FALSE(WriteTextFileAtomic(dir.file("taken"), {"x"}).ok());
    EXPECT_TRUE(FilesIn(dir).count(".taken.tmp-" + gone + "-0"));
}

}  // namespace
}  // namespace dawn
