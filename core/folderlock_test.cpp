#include "core/folderlock.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "core/testsupport_tempdir.h"

namespace dawn {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

// flock locks belong to an open file, so two locks of one process conflict
// as two programs would.
TEST(FolderLock, OneHolderPerFolderUntilItEnds) {
    testing::TempDir dir;
    auto first = std::make_unique<FolderLock>(dir.str());
    ASSERT_EQ(first->state(), FolderLock::State::Held);
    const FolderLock second(dir.str());
    EXPECT_EQ(second.state(), FolderLock::State::Taken);
    EXPECT_EQ(second.holder(), ::getpid());

    testing::TempDir other;
    EXPECT_EQ(FolderLock(other.str()).state(), FolderLock::State::Held);

    first.reset();  // the program ends: the folder is free again
    EXPECT_EQ(FolderLock(dir.str()).state(), FolderLock::State::Held);
}

TEST(FolderLock, AnythingButARegularFileInItsPlaceMakesNoLock) {
    struct Case {
        const char* name;
        void (*plant)(const testing::TempDir&);
        const char* reason;
    };
    const Case cases[] = {
        {"a link planted to another file",
         [](const testing::TempDir& d) {
             d.Write("victim.txt", "victim");
             fs::create_symlink(d.file("victim.txt"), d.file(kFolderLockFileName));
         },
         "it is a symbolic link"},
        {"a pipe", [](const testing::TempDir& d) { ::mkfifo(d.file(kFolderLockFileName).c_str(), 0600); },
         "it is not a regular file"},
        {"a folder", [](const testing::TempDir& d) { fs::create_directory(d.file(kFolderLockFileName)); },
         "Is a directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::TempDir dir;
        c.plant(dir);
        const FolderLock lock(dir.str());
        EXPECT_EQ(lock.state(), FolderLock::State::Unavailable);
        EXPECT_THAT(lock.error(), HasSubstr(kFolderLockFileName));
        EXPECT_THAT(lock.error(), HasSubstr(c.reason));
    }
    testing::TempDir dir;
    dir.Write("victim.txt", "victim");
    fs::create_symlink(dir.file("victim.txt"), dir.file(kFolderLockFileName));
    { const FolderLock lock(dir.str()); }
    EXPECT_EQ(dir.Read("victim.txt"), "victim");
}

}  // namespace
}  // namespace dawn
