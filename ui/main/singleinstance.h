#pragma once
// A second start in a folder where the program already runs: the running
// copy brings its window to the front, and the second one ends. The folder
// lock (core/folderlock.h) says that a copy runs; this is how the two talk:
// the running copy listens on a local socket named after the folder, in the
// user's private folder (UserPrivateFolder, which nobody else may enter), and
// a second start asks it to show its window. Each side also checks that the
// other end of the connection is a process of the same user, and drops it
// otherwise.
#include <QObject>
#include <QString>
#include <string>

#include "core/folderlock.h"

class QLocalServer;

namespace dawn {

// The socket's name for `folder` (bytes, as the system names it): in the
// user's private folder `own`, "dawnhelm-<user id>-<digest of the folder's
// device and inode>", so two paths of one folder meet at one name. Empty
// without a private folder.
QString InstanceSocketName(const std::string& folder, const PrivateFolder& own);

// Whether the process at the other end of a connected local socket runs as
// this process's user.
bool PeerIsSameUser(qintptr socketDescriptor);

// The running copy's side. Listening starts at construction; a copy that
// cannot listen still runs, it is only not found by a second start.
class InstanceServer : public QObject {
    Q_OBJECT
public:
    InstanceServer(const std::string& folder, const PrivateFolder& own, QObject* parent = nullptr);
    bool listening() const;

signals:
    // A second start asked for the window.
    void showRequested();

private:
    QLocalServer* server_;
};

// The second start's side: asks the copy running in `folder` to show its
// window. True when it answered within `timeoutMs`; false also when the one
// listening is not a process of this user (it is asked nothing).
bool AskRunningCopyToShow(const std::string& folder, const PrivateFolder& own,
                          int timeoutMs = 3000);

}  // namespace dawn
