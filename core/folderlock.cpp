#include "core/folderlock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace dawn {
namespace {

std::string Reason(int err) {
    return std::error_code(err, std::generic_category()).message();
}

// Why `path` is no private folder of this user; empty when it is one.
std::string NotPrivate(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return "\"" + path + "\": " + Reason(errno);
    if (S_ISLNK(st.st_mode)) return "\"" + path + "\" is a link";
    if (!S_ISDIR(st.st_mode)) return "\"" + path + "\" is not a folder";
    if (st.st_uid != ::geteuid()) return "\"" + path + "\" belongs to another user";
    if ((st.st_mode & (S_IRWXG | S_IRWXO)) != 0) return "other users may enter \"" + path + "\"";
    return {};
}

}  // namespace

PrivateFolder UserPrivateFolder(const std::string& runtime, const std::string& temp) {
    if (!runtime.empty() && runtime.front() == '/' && NotPrivate(runtime).empty())
        return {runtime, {}};
    const std::string own =
        (temp.empty() ? std::string("/tmp") : temp) + "/dawnhelm-" + std::to_string(::geteuid());
    if (::mkdir(own.c_str(), 0700) != 0 && errno != EEXIST)
        return {{}, "cannot make \"" + own + "\": " + Reason(errno)};
    if (std::string why = NotPrivate(own); !why.empty()) return {{}, why};
    return {own, {}};
}

FolderLock::FolderLock(const std::string& folder, const PrivateFolder& own) {
    auto unavailable = [&](const std::string& reason) {
        error_ = "Cannot lock the folder \"" + folder + "\": " + reason + ".";
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
        state_ = State::Unavailable;
    };
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0) {
        unavailable(Reason(errno));
        return;
    }
    if (!S_ISDIR(st.st_mode)) {
        unavailable(Reason(ENOTDIR));
        return;
    }
    if (own.path.empty()) {
        unavailable(own.error);
        return;
    }
    const std::string file = own.path + "/dawnhelm-" + std::to_string(st.st_dev) + "-" +
                             std::to_string(st.st_ino) + ".lock";
    fd_ = ::open(file.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        unavailable(Reason(errno));
        return;
    }
    struct stat lock {};
    if (::fstat(fd_, &lock) != 0 || !S_ISREG(lock.st_mode) || lock.st_uid != ::geteuid()) {
        unavailable("its lock file \"" + file + "\" is not the user's own");
        return;
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK) {
            unavailable(Reason(errno));
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
