#include "ui/export/commandlinestate.h"

#include <QFileInfo>

#include "core/textfile.h"
#include "ui/main/appstate.h"

namespace dawn {

std::optional<std::string> LoadCommandLineState(AppState& state, const CommandLineFiles& files,
                                                const QLocale& locale, DayNumber today,
                                                DayNumber shownDate,
                                                std::vector<std::string>* warnings) {
    auto warn = [warnings](const std::string& text) {
        if (warnings && !text.empty()) warnings->push_back(text);
    };
    const QFileInfo settingsFile(QString::fromStdString(files.settingsPath));
    state.AppDir = settingsFile.absolutePath().toStdString();
    state.Locale = MakeLocaleTexts(locale);
    state.Today = today;
    state.ReferenceYear = today.Year();

    const TextFileResult settings = ReadTextFile(files.settingsPath);
    if (settings.status == TextFileStatus::Missing) {
        state.Settings = DefaultSettings(state.AppDir, state.ReferenceYear);
    } else if (!settings.ok()) {
        return settings.error;
    } else {
        SettingsLoadResult loaded = SettingsFromLines(settings.lines, state.AppDir,
                                                      state.ReferenceYear, files.settingsPath);
        state.Settings = std::move(loaded.settings);
        for (const std::string& m : loaded.messages) warn(m);
    }

    if (files.labelsPath.empty()) {
        state.Labels = ParseLabelLines(SplitLines(BuiltInLabelFile())).table;
    } else {
        const TextFileResult labels = ReadTextFile(files.labelsPath);
        if (!labels.ok()) {
            return labels.status == TextFileStatus::Missing
                       ? "Label file not found: " + files.labelsPath
                       : labels.error;
        }
        LabelLoad loaded = ParseLabelLines(labels.lines);
        state.Labels = std::move(loaded.table);
        warn(loaded.message);
    }
    state.ApplyLanguage();
    state.ComputeShownDay(shownDate);
    return std::nullopt;
}

}  // namespace dawn
