#include "ui/main/startup.h"

#include <QDir>
#include <QFile>

#include "present/lightpanel.h"
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
    // The user's own events and the horizon profile, for the light panel and
    // the alarms.
    for (std::vector<std::string> messages : {LoadOwnEvents(state), LoadHorizonProfile(state)})
        for (std::string& m : messages) state.PendingMessages.push_back(std::move(m));
}

}  // namespace dawn
