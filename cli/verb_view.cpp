// view: every text the main window shows for one date, as Name=value lines.
#include <chrono>
#include <iostream>
#include <ostream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/program_state.h"
#include "cli/settings_option.h"
#include "cli/values.h"
#include "cli/zone_options.h"
#include "present/dayview.h"

namespace dawn::cli {
namespace {

constexpr Option kDateOption{"date", "YYYY-MM-DD", true,
                             "the shown date (1900-01-01 .. 2500-12-31)"};
constexpr Option kLanguageOption{"lang", "N", false,
                                 "the language instead of the settings' (0 local, 1 Dutch, "
                                 "2 French, 3 German, 4 English, 5 Italian, 6 Spanish)"};
constexpr Option kLabelsOption{"labels", "FILE", false,
                               "label file (Dawnlabel.txt); the program's own labels when not "
                               "given"};
constexpr Option kPanelOption{"moon", "", false, "as with the moon panel shown"};
constexpr Option kOptions[] = {kSettingsOrPlaceOption, kSiteOption,  kDateOption, kLanguageOption,
                               kLabelsOption,          kPanelOption, kZoneOption, kPlaceOption};

// One line per text; a line break or a backslash inside a text is written as
// \n or \\ so that every text stays on its line.
void AppendLine(std::string& out, const std::string& name, const std::string& text) {
    out += name;
    out += '=';
    for (char c : text) {
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\\') {
            out += "\\\\";
        } else {
            out += c;
        }
    }
    out += '\n';
}

VerbOutcome Run(const Command& command, std::ostream& out) {
    std::chrono::year_month_day date{};
    if (auto e = ReadDate(command, kDateOption.name, date); !e.empty())
        return VerbOutcome::Usage(e);
    const DayNumber shown = DayNumber::FromDate(date);
    if (shown < DayNumber::FromYmd(1900, 1, 1) || shown > DayNumber::FromYmd(2500, 12, 31))
        return VerbOutcome::Usage("--date must lie between 1900-01-01 and 2500-12-31");
    std::int32_t language = -1;
    if (command.Value(kLanguageOption.name) != nullptr) {
        if (auto e = ReadInteger(command, kLanguageOption.name, 0, kMaxLanguageIndex, language);
            !e.empty())
            return VerbOutcome::Usage(e);
    }
    AppState state;
    const Body panel = command.Flag(kPanelOption.name) ? Body::Moon : Body::Sun;
    if (auto failed = LoadProgramState(command, shown, panel, state)) return *failed;
    if (language >= 0) {
        state.Settings.LanguageIndex = static_cast<std::uint8_t>(language);
        state.ApplyLanguage();
    }
    // The configuration dialog applies a language other than the local one
    // as the program starts, and that names it in the sunset sign's hint.
    state.LanguageChosen = state.Settings.LanguageIndex != 0;

    std::string text;
    for (const auto& [name, value] : BuildDayView(state).Texts()) AppendLine(text, name, value);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!out) return VerbOutcome::Failure("cannot write the output");
    return {};
}

}  // namespace

const Verb& ViewVerb() {
    static const Verb verb{
        "view",
        "every text the main window shows for one date, as Name=value lines",
        "Reads the settings file as the program does and prints what the main window shows\n"
        "for the date: one Name=value line per text, named after the window's controls, from\n"
        "the top: the week numbers beside the calendar, the month, the summer-time rows,\n"
        "the sun panel and the moon panel (captions, times, signs and changes, and the status\n"
        "messages that stand in the length captions), the place and the hint of the\n"
        "notification-area icon. Name.hint lines are hints, Name.colour lines the colour of\n"
        "a summer-time row (black for the shown date, else gray), CaptionFontSize the point\n"
        "size of the aligned captions. After them come the twilight panel (the dawn and dusk\n"
        "of each twilight, solar noon and the sun's altitude then) and the moon's phase (its\n"
        "name, the lit part, the age and the next full and new moon in the hint, and the side\n"
        "of the disc that is lit). A line break inside a text is written \\n and a\n"
        "backslash \\\\. Dates and times use the locale's formats.",
        kOptions,
        &Run,
    };
    return verb;
}

}  // namespace dawn::cli
