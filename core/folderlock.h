#pragma once
// One running program per folder. Two copies working in one folder would
// each save their own settings at the end and undo the other's changes; the
// first copy holds a lock on the folder for as long as it runs, and a second
// one finds it taken.
//
// The lock belongs to the user: it is an advisory lock (flock) on a lock file
// named after the folder's identity (its device and inode, so every path of
// the folder, through a link or with "/." at the end, meets the same lock),
// kept in a folder of the user's own that nobody else may enter (see
// UserPrivateFolder). Another user can read the folder, but cannot open that
// file, so cannot take the lock and make the owner's next start believe a
// copy runs. The kernel drops the lock when the process ends, however it
// ends, so a crash never leaves a stale lock behind; nothing is written into
// the folder itself.
#include <string>

namespace dawn {

// A folder of the user's own for the lock files and the hand-over sockets.
struct PrivateFolder {
    std::string path;   // empty when there is none
    std::string error;  // then why, naming the folder
};

// `runtime` (the user's runtime folder, XDG_RUNTIME_DIR; may be empty) when
// it is a folder of this user that no other user may enter; else
// "<temp>/dawnhelm-<user id>", made (mode 0700) when it is missing. A folder
// found there that is not a folder, is a link, belongs to another user or
// lets others in is not used: the result is then empty, with the reason.
PrivateFolder UserPrivateFolder(const std::string& runtime, const std::string& temp);

class FolderLock {
public:
    enum class State {
        Held,         // this process holds the folder
        Taken,        // another process of the user holds it
        Unavailable,  // the folder cannot be locked (see error())
    };

    // Tries to take the lock of `folder` at once, without waiting, with its
    // lock file in `own` (UserPrivateFolder).
    FolderLock(const std::string& folder, const PrivateFolder& own);
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
