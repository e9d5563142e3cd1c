#include "core/folderlock.h"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <memory>

#include "core/testsupport_tempdir.h"

namespace dawn {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

const std::string kOwnName = "dawnhelm-" + std::to_string(::geteuid());

// flock locks belong to an open file, so two locks of one process conflict
// as two programs would.
TEST(FolderLock, OneHolderPerFolderUntilItEndsWhateverPathNamesIt) {
    testing::TempDir dir;
    fs::create_directory(dir.file("place"));
    fs::create_directory(dir.file("tmp"));
    fs::create_directory_symlink(dir.file("place"), dir.file("link"));
    const PrivateFolder own = UserPrivateFolder("", dir.file("tmp"));
    ASSERT_EQ(own.path, dir.file("tmp/" + kOwnName)) << own.error;
    auto first = std::make_unique<FolderLock>(dir.file("place"), own);
    ASSERT_EQ(first->state(), FolderLock::State::Held) << first->error();
    for (const std::string& other : {dir.file("place"), dir.file("place/."), dir.file("link")}) {
        SCOPED_TRACE(other);
        EXPECT_EQ(FolderLock(other, own).state(), FolderLock::State::Taken);
    }
    EXPECT_EQ(FolderLock(dir.str(), own).state(), FolderLock::State::Held);  // another folder
    EXPECT_TRUE(fs::is_empty(dir.file("place")));                            // nothing left in it

    first.reset();  // the program ends: the folder is free again
    EXPECT_EQ(FolderLock(dir.file("place"), own).state(), FolderLock::State::Held);

    const FolderLock gone(dir.file("gone"), own);
    EXPECT_EQ(gone.state(), FolderLock::State::Unavailable);
    EXPECT_THAT(gone.error(), HasSubstr("No such file or directory"));
}

// The runtime folder when it is the user's alone; else a folder of the
// user's own in the temporary folder, and nothing when the one there cannot
// be trusted: the lock then says why.
TEST(UserPrivateFolder, TheRuntimeFolderOrOneOfTheUsersOwn) {
    testing::TempDir dir;
    fs::create_directory(dir.file("runtime"));
    fs::permissions(dir.file("runtime"), fs::perms::owner_all);
    fs::create_directory(dir.file("open"));
    fs::permissions(dir.file("open"), fs::perms::all);
    fs::create_directory(dir.file("tmp"));
    fs::create_directory(dir.file("place"));

    EXPECT_EQ(UserPrivateFolder(dir.file("runtime"), dir.file("tmp")).path, dir.file("runtime"));
    for (const std::string& runtime :
         {std::string(), dir.file("open"), dir.file("missing"), std::string("relative/runtime")}) {
        SCOPED_TRACE(runtime);
        const PrivateFolder own = UserPrivateFolder(runtime, dir.file("tmp"));
        EXPECT_EQ(own.path, dir.file("tmp/" + kOwnName)) << own.error;
        EXPECT_EQ(fs::status(own.path).permissions(), fs::perms::owner_all);
    }

    const struct {
        const char* what;
        void (*plant)(const std::string& at, const std::string& elsewhere);
        const char* reason;
    } planted[] = {
        {"a link",
         [](const std::string& at, const std::string& elsewhere) {
             fs::create_directory_symlink(elsewhere, at);
         },
         "is a link"},
        {"a file", [](const std::string& at, const std::string&) { std::ofstream(at) << "x"; },
         "is not a folder"},
        {"an open folder",
         [](const std::string& at, const std::string&) {
             fs::create_directory(at);
             fs::permissions(at, fs::perms::all);
         },
         "other users may enter"},
    };
    for (const auto& p : planted) {
        SCOPED_TRACE(p.what);
        testing::TempDir temp;
        p.plant(temp.file(kOwnName), dir.file("runtime"));
        const PrivateFolder own = UserPrivateFolder("", temp.str());
        EXPECT_EQ(own.path, "");
        EXPECT_THAT(own.error, HasSubstr(p.reason));
        const FolderLock lock(dir.file("place"), own);
        EXPECT_EQ(lock.state(), FolderLock::State::Unavailable);
        EXPECT_THAT(lock.error(), HasSubstr(p.reason));
    }
}

// What another user of the machine can do: lock the folder itself (which
// anybody who can read it can), open the owner's lock file, or make the
// owner's folder in the temporary folder first. None of it takes the lock.
TEST(FolderLock, AnotherUserCannotTakeTheLock) {
    if (::geteuid() != 0) GTEST_SKIP() << "acting as a second user needs the tests to run as root";
    constexpr uid_t kOther = 65534;  // nobody
    testing::TempDir dir;
    fs::permissions(dir.str(), fs::perms::owner_all | fs::perms::group_read |
                                   fs::perms::group_exec | fs::perms::others_read |
                                   fs::perms::others_exec);
    fs::create_directory(dir.file("home"));  // readable by everyone, as by default
    fs::create_directory(dir.file("tmp"));
    fs::permissions(dir.file("tmp"), fs::perms::all | fs::perms::sticky_bit);
    const PrivateFolder own = UserPrivateFolder("", dir.file("tmp"));
    ASSERT_FALSE(own.path.empty()) << own.error;
    struct stat home {};
    ASSERT_EQ(::stat(dir.file("home").c_str(), &home), 0);
    const std::string lockFile = own.path + "/dawnhelm-" + std::to_string(home.st_dev) + "-" +
                                 std::to_string(home.st_ino) + ".lock";
    const std::string homePath = dir.file("home");
    const std::string plantedTemp = dir.file("tmp2");
    fs::create_directory(plantedTemp);
    fs::permissions(plantedTemp, fs::perms::all | fs::perms::sticky_bit);
    const std::string planted = plantedTemp + "/" + kOwnName;
    // The owner's lock file exists already, as after an earlier run.
    { const FolderLock earlier(homePath, own); }

    int toParent[2], toChild[2];
    ASSERT_EQ(::pipe(toParent), 0);
    ASSERT_EQ(::pipe(toChild), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The other user: only calls that are safe after fork.
        char result[3] = {'0', '0', '0'};
        if (::setgid(kOther) != 0 || ::setuid(kOther) != 0) ::_exit(2);
        const int folder = ::open(homePath.c_str(), O_RDONLY | O_DIRECTORY);
        result[0] = folder >= 0 && ::flock(folder, LOCK_EX | LOCK_NB) == 0 ? '1' : '0';
        result[1] = ::open(lockFile.c_str(), O_RDONLY) < 0 && errno == EACCES ? '1' : '0';
        result[2] = ::mkdir(planted.c_str(), 0700) == 0 ? '1' : '0';
        if (::write(toParent[1], result, 3) != 3) ::_exit(3);
        char done = 0;
        if (::read(toChild[0], &done, 1) != 1) ::_exit(4);
        ::_exit(0);
    }
    char result[3] = {};
    ASSERT_EQ(::read(toParent[0], result, 3), 3);
    EXPECT_EQ(result[0], '1') << "the other user holds a lock on the folder itself";
    EXPECT_EQ(result[1], '1') << "the other user cannot open the owner's lock file";
    EXPECT_EQ(result[2], '1') << "the other user made the owner's folder in tmp2";

    // The owner starts: the folder is the owner's to lock.
    const FolderLock lock(homePath, own);
    EXPECT_EQ(lock.state(), FolderLock::State::Held) << lock.error();
    // A folder of the owner's name that the other user made is not used.
    const PrivateFolder notOwn = UserPrivateFolder("", plantedTemp);
    EXPECT_EQ(notOwn.path, "");
    EXPECT_THAT(notOwn.error, HasSubstr("belongs to another user"));

    ASSERT_EQ(::write(toChild[1], "x", 1), 1);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    for (int fd : {toParent[0], toParent[1], toChild[0], toChild[1]}) ::close(fd);
}

}  // namespace
}  // namespace dawn
