#include "ui/main/appstate.h"

#include <QDir>
#include <QFile>

namespace dawn {

void AppState::ApplyLanguage() {
    Current = dawn::ApplyLanguage(Labels, Settings.LanguageIndex, Locale.LongWeekdayNames);
}

void AppState::ComputeShownDay(DayNumber date) {
    Day = ComputeDay(Settings, date, Locale.TimeSeparatorUtf8());
}

FolderName::FolderName(const QString& name)
    : bytes(QFile::encodeName(QDir::cleanPath(name)).toStdString()) {}

void LoadAppState(AppState& state, const StartupInputs& inputs) {
    // The folder is kept as the system names it, without a trailing
    // separator ("/" stays "/").
    state.AppDir = inputs.AppDir.bytes;
    while (state.AppDir.size() > 1 && state.AppDir.back() == '/') state.AppDir.pop_back();
    state.Locale = MakeLocaleTexts(inputs.Locale);
    state.Today = DayNumber::FromDate(inputs.Today);
    state.ReferenceYear = state.Today.Year();

    SettingsLoadResult loaded = LoadSettings(state.AppDir, state.ReferenceYear);
    state.Settings = std::move(loaded.settings);
    for (const std::string& m : loaded.messages) state.PendingMessages << QString::fromStdString(m);

    LabelLoad labels = LoadLabelTable(state.AppDir);
    state.Labels = std::move(labels.table);
    state.KeepLabelFileBeforeSave = labels.keepCopyBeforeSave;
    if (!labels.message.empty()) state.PendingMessages << QString::fromStdString(labels.message);
    state.ApplyLanguage();
}

}  // namespace dawn
