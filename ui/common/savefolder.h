#pragma once
// The folder a save dialog opens in: the program's folder at first, then the
// folder of the last file written there successfully. A folder is remembered
// only after a write into it succeeded, so a folder that refused the file (a
// read-only one, /proc) is not offered again, where the next dialog could hang
// reading what it lists.
#include <QString>

namespace dawn {

class SaveFolder {
public:
    explicit SaveFolder(QString start) : folder_(std::move(start)) {}

    const QString& Folder() const { return folder_; }
    // `fileName` in the folder, for a dialog that opens with a name chosen.
    QString PathFor(const QString& fileName) const;
    // Call after `path` was written successfully.
    void Written(const QString& path);

private:
    QString folder_;
};

}  // namespace dawn
