#include "ui/main/traypreference.h"

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace dawn {
namespace {

const QString kGroup = QStringLiteral("Software/dawnhelm/systray");
const QString kValue = QStringLiteral("Software/dawnhelm/systray/StartHidden");

QString DefaultFile() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("dawnhelm"),
                     QStringLiteral("dawnhelm"))
        .fileName();
}

// QSettings says only that access failed; name the likely reason.
QString WhyNotWritable(const QString& file) {
    const QFileInfo info(file);
    if (info.exists() && info.isDir()) return QStringLiteral("a folder has the file's name");
    if (info.exists() && !info.isWritable()) return QStringLiteral("the file is read-only");
    QFileInfo dir(info.absolutePath());
    while (!dir.exists() && dir.absoluteFilePath() != dir.absolutePath())
        dir = QFileInfo(dir.absolutePath());
    if (dir.exists() && !dir.isDir())
        return QStringLiteral("%1 is not a folder").arg(dir.absoluteFilePath());
    if (dir.exists() && !dir.isWritable())
        return QStringLiteral("%1 cannot be written").arg(dir.absoluteFilePath());
    return QStringLiteral("access denied");
}

// The settings file is read whole by QSettings, which would wait forever on
// a pipe and read a device without end: only a regular file (or none yet) is
// used. Empty when the file may be used, else the reason.
QString WhyNotUsable(const QString& file) {
    constexpr qint64 kMaxBytes = 1024 * 1024;  // the file holds one value
    struct stat st {};
    if (::stat(QFile::encodeName(file).constData(), &st) != 0) return {};  // none yet
    if (S_ISDIR(st.st_mode)) return QStringLiteral("a folder has the file's name");
    if (!S_ISREG(st.st_mode)) return QStringLiteral("it is not a regular file");
    if (st.st_size > kMaxBytes) return QStringLiteral("the file is too large");
    return {};
}

}  // namespace

TrayPreference::TrayPreference() : file_(DefaultFile()) {}

TrayPreference::TrayPreference(QString iniFile) : file_(std::move(iniFile)) {}

bool TrayPreference::startHidden() const {
    if (!WhyNotUsable(file_).isEmpty()) return false;
    QSettings settings(file_, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError) return false;
    bool ok = false;
    const int value = settings.value(kValue).toString().trimmed().toInt(&ok);
    return ok && value != 0;
}

std::optional<QString> TrayPreference::setStartHidden() const {
    if (const QString why = WhyNotUsable(file_); !why.isEmpty())
        return QStringLiteral("Cannot save the tray setting in %1: %2").arg(file_, why);
    QSettings settings(file_, QSettings::IniFormat);
    settings.setValue(kValue, QStringLiteral("1"));
    settings.sync();
    if (settings.status() == QSettings::NoError) return std::nullopt;
    return QStringLiteral("Cannot save the tray setting in %1: %2")
        .arg(file_, WhyNotWritable(file_));
}

void TrayPreference::clear() const {
    if (!WhyNotUsable(file_).isEmpty()) return;
    QSettings settings(file_, QSettings::IniFormat);
    settings.remove(kGroup);
    settings.sync();
}

}  // namespace dawn
