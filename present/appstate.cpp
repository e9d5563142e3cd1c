#include "present/appstate.h"

#include "present/placechoice.h"

namespace dawn {

void AppState::ApplyLanguage() {
    Current = dawn::ApplyLanguage(Labels, Settings.LanguageIndex, Locale.StandaloneDayNames);
}

void AppState::ShowDate(DayNumber date) {
    Shown = date;
    Day = ComputeDay(Settings, date);
    Sky = ComputeSkyDay(Settings, date);
    ReferenceYear = date.Year();
}

std::int32_t ShownStandardOffset(const AppState& state) {
    return static_cast<std::int32_t>(
        ClockRulesOf(state.Settings, state.Shown).standardOffset.count());
}

void LoadAppState(AppState& state, const std::string& appDir, const LocaleFormats& locale,
                  DayNumber today) {
    state.AppDir = appDir;
    state.Locale = locale;
    state.Today = today;
    state.Shown = today;
    state.ReferenceYear = today.Year();

    SettingsLoadResult loaded = LoadSettings(state.AppDir, state.ReferenceYear);
    state.Settings = std::move(loaded.settings);
    for (std::string& m : loaded.messages) state.PendingMessages.push_back(std::move(m));
    if (auto m = OpenSettingsZone(state.Settings, today)) state.PendingMessages.push_back(*m);

    EclipseAlarmLoad eclipse = LoadEclipseAlarm(state.AppDir);
    state.EclipseAlarm = state.EclipseAlarmOnDisk = eclipse.choice;
    if (!eclipse.message.empty()) state.PendingMessages.push_back(std::move(eclipse.message));

    LabelLoad labels = LoadLabelTable(state.AppDir);
    state.Labels = std::move(labels.table);
    state.KeepLabelFileBeforeSave = labels.keepCopyBeforeSave;
    if (!labels.message.empty()) state.PendingMessages.push_back(std::move(labels.message));
    state.ApplyLanguage();
}

std::optional<std::string> SaveEclipseAlarmIfChanged(AppState& state) {
    if (state.EclipseAlarm == state.EclipseAlarmOnDisk) return std::nullopt;
    if (auto failed = SaveEclipseAlarm(state.EclipseAlarm, state.AppDir)) return failed;
    state.EclipseAlarmOnDisk = state.EclipseAlarm;
    return std::nullopt;
}

}  // namespace dawn
