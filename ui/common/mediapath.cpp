#include "ui/common/mediapath.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <map>

#include "core/textfile.h"

namespace dawn {

QString MediaFileForQt(const std::string& path) {
    if (IsValidUtf8(path) || path.find('\0') != std::string::npos)
        return QString::fromStdString(path);
    // One link per path for the whole run: an alarm rings twice a day.
    static QTemporaryDir links(QDir::tempPath() + QStringLiteral("/dawnhelm-media-XXXXXX"));
    static std::map<std::string, QString> made;
    if (const auto it = made.find(path); it != made.end()) return it->second;
    if (!links.isValid()) return QString::fromStdString(path);

    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    if (ec) return QString::fromStdString(path);
    const QString ending = QString::fromStdString(DecodeLine(absolute.extension().string()));
    const QString link =
        links.filePath(QStringLiteral("media-%1%2").arg(made.size() + 1).arg(ending));
    if (::symlink(absolute.c_str(), QFile::encodeName(link).constData()) != 0)
        return QString::fromStdString(path);
    made.emplace(path, link);
    return link;
}

}  // namespace dawn
