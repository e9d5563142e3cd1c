#include "core/folderlock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace dawn {

FolderLock::FolderLock(const std::string& folder) {
    auto unavailable = [&](int err) {
        error_ = "Cannot lock the folder \"" + folder +
                 "\": " + std::error_code(err, std::generic_category()).message() + ".";
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
        state_ = State::Unavailable;
    };
    fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) {
        unavailable(errno);
        return;
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK) {
            unavailable(errno);
            return;
        }
        ::close(fd_);
        fd_ = -1;
        state_ = State::Taken;
        return;
    }
    state_ = State::Held;
}

FolderLock::~FolderLock() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace dawn
