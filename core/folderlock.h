#pragma once
// One running program per folder. Two copies working in one folder would
// each save their own settings at the end and undo the other's changes; the
// first copy holds a lock on a file in the folder for as long as it runs, and
// a second one finds it taken.
//
// The lock is an advisory lock (flock) on ".dawnhelm.lock" in the folder: the
// kernel drops it when the process ends, however it ends, so a crash never
// leaves a stale lock behind. The file is opened without following a link
// and only when it is a regular file; it holds the process id of the holder,
// for the message of a second start.
#include <string>

namespace dawn {

inline constexpr const char* kFolderLockFileName = ".dawnhelm.lock";

class FolderLock {
public:
    enum class State {
        Held,         // this process holds the folder
        Taken,        // another process holds it
        Unavailable,  // no lock can be made there (a read-only folder, a planted link)
    };

    // Tries to take the lock of `folder` at once, without waiting.
    explicit FolderLock(const std::string& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    State state() const { return state_; }
    // Taken: the holder's process id as written in the file (0 when unknown).
    long holder() const { return holder_; }
    // Unavailable: the reason, naming the lock file.
    const std::string& error() const { return error_; }

private:
    int fd_ = -1;
    State state_ = State::Unavailable;
    long holder_ = 0;
    std::string error_;
};

}  // namespace dawn
