#pragma once
// A second start in a folder where the program already runs: the running
// copy brings its window to the front, and the second one ends. The folder
// lock (core/folderlock.h) says that a copy runs; this is how the two talk:
// the running copy listens on a local socket named after the folder and the
// user, reachable by that user only, and a second start asks it to show its
// window.
#include <QObject>
#include <QString>
#include <string>

class QLocalServer;

namespace dawn {

// The socket's name for `folder` (bytes, as the system names it): in the
// user's runtime folder (XDG_RUNTIME_DIR) or else in the temporary folder,
// "dawnhelm-<user id>-<digest of the folder's device and inode>", so two paths
// of one folder meet at one name.
QString InstanceSocketName(const std::string& folder);

// The running copy's side. Listening starts at construction; a copy that
// cannot listen still runs, it is only not found by a second start.
class InstanceServer : public QObject {
    Q_OBJECT
public:
    explicit InstanceServer(const std::string& folder, QObject* parent = nullptr);
    bool listening() const;

signals:
    // A second start asked for the window.
    void showRequested();

private:
    QLocalServer* server_;
};

// The second start's side: asks the copy running in `folder` to show its
// window. True when it answered within `timeoutMs`.
bool AskRunningCopyToShow(const std::string& folder, int timeoutMs = 3000);

}  // namespace dawn
