#include "present/commandline.h"

#include <filesystem>
#include <system_error>

#include "core/settings.h"
#include "core/textfile.h"
#include "present/placechoice.h"

namespace dawn {

std::string FolderOf(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path absolute = fs::absolute(fs::path(path), ec);
    if (ec) absolute = fs::path(path);
    std::string folder = absolute.lexically_normal().parent_path().string();
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

std::optional<std::string> LoadCommandLineState(AppState& state, const CommandLineFiles& files,
                                                const LocaleFormats& locale, DayNumber today,
                                                DayNumber shownDate, Body panel,
                                                std::vector<std::string>* warnings) {
    auto warn = [warnings](const std::string& text) {
        if (warnings && !text.empty()) warnings->push_back(text);
    };
    state.AppDir = FolderOf(files.settingsPath.empty() ? kSettingsFileName : files.settingsPath);
    state.Locale = locale;
    state.Today = today;
    state.ReferenceYear = today.Year();

    // Read as the program reads its own file; one that is there but cannot be
    // used stops here rather than giving the default place's values. Without
    // a file (only --place or --zone) the defaults serve.
    if (files.settingsPath.empty()) {
        state.Settings = DefaultSettings(state.AppDir, state.ReferenceYear);
    } else {
        SettingsReadResult settings =
            ReadSettingsFile(files.settingsPath, state.AppDir, state.ReferenceYear);
        if (!settings.error.empty()) return settings.error;
        state.Settings = std::move(settings.settings);
        for (const std::string& m : settings.messages) warn(m);
    }
    if (auto m = OpenSettingsZone(state.Settings, today)) warn(*m);

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
        if (labels.convertedLines > 0)
            warn("\"" + files.labelsPath + "\": " + ConvertedLinesNote(labels.convertedLines));
    }
    state.ApplyLanguage();
    state.Panel = panel;
    // The record of the shown date; the reference year stays today's.
    state.Shown = shownDate;
    state.Day = ComputeDay(state.Settings, shownDate);
    state.Sky = ComputeSkyDay(state.Settings, shownDate);
    return std::nullopt;
}

}  // namespace dawn
