#include "ui/main/startup.h"

#include <QDir>
#include <QFile>

#include "ui/common/qtlocale.h"

namespace dawn {

FolderName::FolderName(const QString& name)
    : bytes(QFile::encodeName(QDir::cleanPath(name)).toStdString()) {}

void LoadAppState(AppState& state, const StartupInputs& inputs) {
    // The folder is kept as the system names it, without a trailing
    // separator ("/" stays "/").
    std::string folder = inputs.AppDir.bytes;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    LoadAppState(state, folder, MakeLocaleFormats(inputs.Locale),
                 DayNumber::FromDate(inputs.Today));
}

}  // namespace dawn
