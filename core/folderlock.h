#pragma once
// One running program per folder. Two copies working in one folder would
// each save their own settings at the end and undo the other's changes; the
// first copy holds a lock on the folder for as long as it runs, and a second
// one finds it taken.
//
// The lock is an advisory lock (flock) on the folder itself: the kernel drops
// it when the process ends, however it ends, so a crash never leaves a stale
// lock behind, no lock file is left in the folder, and there is no file name
// under which someone could plant a link. Every path of the folder (through a
// link, with "/." at the end) meets the same lock.
#include <string>

namespace dawn {

class FolderLock {
public:
    enum class State {
        Held,         // this process holds the folder
        Taken,        // another process holds it
        Unavailable,  // the folder cannot be locked (it cannot be opened)
    };

    // Tries to take the lock of `folder` at once, without waiting.
    explicit FolderLock(const std::string& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    State state() const { return state_; }
    // Unavailable: the reason, naming the folder.
    const std::string& error() const { return error_; }

private:
    int fd_ = -1;
    State state_ = State::Unavailable;
    std::string error_;
};

}  // namespace dawn
