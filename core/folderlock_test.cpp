#include "core/folderlock.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "core/testsupport_tempdir.h"

namespace dawn {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

// flock locks belong to an open file, so two locks of one process conflict
// as two programs would.
TEST(FolderLock, OneHolderPerFolderUntilItEndsWhateverPathNamesIt) {
    testing::TempDir dir;
    fs::create_directory(dir.file("place"));
    fs::create_directory_symlink(dir.file("place"), dir.file("link"));
    auto first = std::make_unique<FolderLock>(dir.file("place"));
    ASSERT_EQ(first->state(), FolderLock::State::Held);
    for (const std::string& other : {dir.file("place"), dir.file("place/."), dir.file("link")}) {
        SCOPED_TRACE(other);
        EXPECT_EQ(FolderLock(other).state(), FolderLock::State::Taken);
    }
    EXPECT_EQ(FolderLock(dir.str()).state(), FolderLock::State::Held);  // another folder
    EXPECT_TRUE(fs::is_empty(dir.file("place")));                       // nothing left in it

    first.reset();  // the program ends: the folder is free again
    EXPECT_EQ(FolderLock(dir.file("place")).state(), FolderLock::State::Held);

    const FolderLock gone(dir.file("gone"));
    EXPECT_EQ(gone.state(), FolderLock::State::Unavailable);
    EXPECT_THAT(gone.error(), HasSubstr("No such file or directory"));
}

}  // namespace
}  // namespace dawn
