#include "ui/common/savefolder.h"

#include <QDir>
#include <QFileInfo>

namespace dawn {

QString SaveFolder::PathFor(const QString& fileName) const {
    return folder_.isEmpty() ? fileName : QDir(folder_).filePath(fileName);
}

void SaveFolder::Written(const QString& path) {
    folder_ = QFileInfo(path).absolutePath();
}

}  // namespace dawn
