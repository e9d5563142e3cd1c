// What the one-second clock tick shows on the main window: the clock panel
// (a running clock or "Set up", pressed once a minute) and the help line under
// the calendar, which rotates four help texts through the minute and shows the
// azimuths of rise and set in between. The tick reads the wall clock and the
// windows write the results; everything here is values in, values out.
#pragma once

#include <optional>
#include <string>

namespace dawn {

// A wall-clock time of day in whole seconds, 24-hour clock.
struct WallTime {
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59
    int second = 0;  // 0..59

    constexpr int SecondOfDay() const { return (hour * 60 + minute) * 60 + second; }
    static constexpr WallTime FromSecondOfDay(int s) {
        return WallTime{s / 3600, s / 60 % 60, s % 60};
    }
    friend constexpr bool operator==(const WallTime&, const WallTime&) = default;
};

// Two-digit hours, minutes and seconds joined by the locale's time separator:
// five past seven and nine seconds with ":" reads 07:05:09.
std::string ClockText(WallTime t, const std::string& separator);

// The calendar goes back to today once the program has been left alone for
// five minutes (no key pressed, no mouse moved, clicked or turned over any of
// its windows), so that a user reading another date keeps it. A calendar that
// showed today follows it at once when today moves on at midnight.
inline constexpr long long kSecondsUntilBackToToday = 300;
constexpr bool ReturnsToToday(long long secondsSinceUse, bool showedToday, bool todayMoved) {
    return secondsSinceUse >= kSecondsUntilBackToToday || (showedToday && todayMoved);
}

enum class Bevel { Raised, Lowered };

struct PanelLook {
    std::string caption;
    Bevel bevel = Bevel::Raised;  // both the inner and the outer bevel
    friend bool operator==(const PanelLook&, const PanelLook&) = default;
};

// The clock panel. In seconds 0 to 58 it stands raised and shows the clock
// (ShowClock on) or "Set up"; in second 59 it looks pressed and swaps: a
// running clock blinks to "About", a "Set up" panel shows the time.
// The panel's two words in the applied language.
struct PanelWords {
    std::string setUp = "Set up";
    std::string about = "About";
};
PanelLook PanelLookAt(WallTime t, bool showClock, const std::string& separator,
                      const PanelWords& words = {});

// The texts the help line draws on, in the applied language.
struct HelpTexts {
    std::string azimuthCaption;  // label 47, the word before the azimuths
    std::string languageWord;    // label 31
    std::string languageName;    // label 0, the name of the applied language
    std::string riseAzimuth;     // of the body whose panel is shown
    std::string setAzimuth;
    // The greyed hints of seconds 0-1, 15-16 and 30-31.
    std::string rightButtonHint = "Right mouse-button = setup";
    std::string coordinatesHint = "Set your local coordinates";
    std::string helpKeyHint = "Functionkey F1 = help";
};

struct HelpLine {
    std::string caption;
    bool enabled = true;  // a disabled line is drawn greyed
    friend bool operator==(const HelpLine&, const HelpLine&) = default;
};

// The help line in second `second` of the minute. Seconds 0-1, 15-16, 30-31
// and 45-46 show a greyed hint (setup, coordinates, help key, language); the
// other seconds show "<label 47>: <rise azimuth> <set azimuth>". Second 59
// leaves the line as second 58 left it: nullopt.
std::optional<HelpLine> HelpLineAt(int second, const HelpTexts& texts);

}  // namespace dawn
