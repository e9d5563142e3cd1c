#include "ui/main/appstate.h"

#include <QDir>

namespace dawn {

void AppState::ApplyLanguage() {
    Current = dawn::ApplyLanguage(Labels, Settings.LanguageIndex, Locale.LongWeekdayNames);
}

void AppState::ComputeShownDay(DayNumber date) {
    Day = ComputeDay(Settings, date, Locale.TimeSeparatorUtf8());
}

void LoadAppState(AppState& state, const StartupInputs& inputs) {
    // The folder is kept without a trailing separator ("/" stays "/").
    QString dir = QDir::cleanPath(inputs.AppDir);
    state.AppDir = dir.toStdString();
    state.Locale = MakeLocaleTexts(inputs.Locale);
    state.Today = DayNumber::FromDate(inputs.Today);
    state.ReferenceYear = state.Today.Year();

    SettingsLoadResult loaded = LoadSettings(state.AppDir, state.ReferenceYear);
    state.Settings = std::move(loaded.settings);
    for (const std::string& m : loaded.messages) state.PendingMessages << QString::fromStdString(m);

    LabelLoad labels = LoadLabelTable(state.AppDir);
    state.Labels = std::move(labels.table);
    if (!labels.message.empty()) state.PendingMessages << QString::fromStdString(labels.message);
    state.ApplyLanguage();
}

}  // namespace dawn
