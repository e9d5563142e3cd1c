#include "core/folderlock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <system_error>

#include "core/settings.h"

namespace dawn {

FolderLock::FolderLock(const std::string& folder) {
    const std::string path = JoinPath(folder, kFolderLockFileName);
    auto unavailable = [&](const std::string& reason) {
        error_ = "Cannot lock \"" + path + "\": " + reason + ".";
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
        state_ = State::Unavailable;
    };
    constexpr int kFlags = O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    fd_ = ::open(path.c_str(), O_RDWR | kFlags, 0644);
    // A lock file of another user sharing the folder can still be locked
    // through a descriptor opened for reading.
    if (fd_ < 0 && errno == EACCES) fd_ = ::open(path.c_str(), O_RDONLY | kFlags);
    if (fd_ < 0) {
        unavailable(errno == ELOOP ? "it is a symbolic link"
                                   : std::error_code(errno, std::generic_category()).message());
        return;
    }
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        unavailable("it is not a regular file");
        return;
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK) {
            unavailable(std::error_code(errno, std::generic_category()).message());
            return;
        }
        state_ = State::Taken;
        std::array<char, 32> text{};
        const ssize_t got = ::pread(fd_, text.data(), text.size() - 1, 0);
        if (got > 0) holder_ = std::strtol(text.data(), nullptr, 10);
        ::close(fd_);
        fd_ = -1;
        return;
    }
    state_ = State::Held;
    // The holder's id, for the message of a second start; not needed for the
    // lock itself, so a file that cannot be written is no failure.
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd_, 0) == 0) {
        [[maybe_unused]] const ssize_t put = ::pwrite(fd_, pid.data(), pid.size(), 0);
    }
}

FolderLock::~FolderLock() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace dawn
