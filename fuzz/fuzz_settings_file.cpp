// Fuzzes the settings file reader with arbitrary file contents: decoding,
// line splitting, parsing with defaults and clamping, and the lines written
// back. What is written and read again must give the same record.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings.h"
#include "core/textfile.h"

namespace {

bool SameStored(const dawn::SiteSettings& a, const dawn::SiteSettings& b) {
    return a.LanguageIndex == b.LanguageIndex && a.SummerRule == b.SummerRule &&
           a.WinterRule == b.WinterRule && a.TimeZoneHours == b.TimeZoneHours &&
           a.FirstWeekNewYear == b.FirstWeekNewYear && a.ShowClock == b.ShowClock &&
           a.AlarmSoundEnabled == b.AlarmSoundEnabled && a.SunRiseSoundFile == b.SunRiseSoundFile &&
           a.SunSetSoundFile == b.SunSetSoundFile && a.AlarmImageEnabled == b.AlarmImageEnabled &&
           a.SunRiseImageFile == b.SunRiseImageFile &&
           a.SunRiseImageStretch == b.SunRiseImageStretch &&
           a.SunSetImageFile == b.SunSetImageFile && a.SunSetImageStretch == b.SunSetImageStretch &&
           a.LongitudeMinutes == b.LongitudeMinutes && a.LatitudeMinutes == b.LatitudeMinutes &&
           a.TimeZoneMinutes == b.TimeZoneMinutes && a.SummerTimeEnabled == b.SummerTimeEnabled &&
           a.SummerWeekday == b.SummerWeekday && a.WinterWeekday == b.WinterWeekday &&
           a.WeekStartDay == b.WeekStartDay && a.ZoneName == b.ZoneName &&
           a.PlaceName == b.PlaceName && a.Alarms == b.Alarms &&
           a.ObserverHeightMetres == b.ObserverHeightMetres &&
           a.HorizonProfilePath == b.HorizonProfilePath && a.ExtraLines == b.ExtraLines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = dawn::SplitLines(dawn::DecodeText(bytes));
    const dawn::SettingsLoadResult loaded =
        dawn::SettingsFromLines(lines, "/nonexistent/dawnhelm", 2024, "Dawncode.txt");

    // The file as a save writes it, then read as a later start reads it.
    const std::vector<std::string> written = dawn::SettingsFileLines(loaded.settings);
    if (written.size() < static_cast<std::size_t>(dawn::kSettingsLineCount)) std::abort();
    const dawn::SettingsLoadResult again =
        dawn::SettingsFromLines(written, "/nonexistent/dawnhelm", 2024, "Dawncode.txt");
    if (!again.messages.empty()) std::abort();
    if (!SameStored(loaded.settings, again.settings)) std::abort();

    // The summer-time window of a few dates from the read rules.
    for (const dawn::DayNumber day :
         {dawn::DayNumber{45292}, dawn::DayNumber{45500}, dawn::DayNumber{45656}}) {
        const dawn::DstWindow w = dawn::ComputeDstWindow(loaded.settings, day);
        // Summer time never lasts more than a year and the week by which a
        // weekday rule moves from one year to the next (rules a day apart in
        // the same month give a summer of a year less a day, or a few more).
        if (loaded.settings.SummerTimeEnabled && w.WinterStart - w.SummerStart > 366 + 7)
            std::abort();
    }
    return 0;
}
