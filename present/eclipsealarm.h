// The eclipse alarm: it rings a chosen time before (or after) the first
// contact of an eclipse at the settings' place, through the alarms' ways
// (picture, notification or both; the sound follows the alarm sound switch):
// a solar eclipse seen from the place (C1), a lunar eclipse with the moon up
// there at some moment of it (P1, the moon entering the penumbra).
//
// Its choice is kept in a file of its own beside the settings,
// Dawneclipse.txt: line 0 the offset in minutes from the first contact
// (-180..180, negative before it), line 1 the way (0 picture, 1 notification,
// 2 both, 3 no alarm). Without the file there is no eclipse alarm, and the
// offset offered is an hour before.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "core/settings.h"
#include "present/almanac.h"

namespace dawn {

inline constexpr const char* kEclipseAlarmFileName = "Dawneclipse.txt";
inline constexpr std::chrono::minutes kDefaultEclipseAlarmOffset{-60};

AlarmChoice DefaultEclipseAlarm();

struct EclipseAlarmLoad {
    AlarmChoice choice = DefaultEclipseAlarm();
    // For the user, once: a line that was not understood (its default is
    // taken) or a file that could not be read. Empty otherwise, also without
    // a file.
    std::string message;
};

// The file of the folder, and its choice.
std::string EclipseAlarmFilePath(const std::string& appDir);
EclipseAlarmLoad ParseEclipseAlarmLines(const std::vector<std::string>& lines);
EclipseAlarmLoad LoadEclipseAlarm(const std::string& appDir, UserId user = CurrentUser());
// Written atomically; the message for the user when it could not be.
std::optional<std::string> SaveEclipseAlarm(const AlarmChoice& choice, const std::string& appDir,
                                            UserId user = CurrentUser());

// One ring of the eclipse alarm.
struct EclipseRing {
    UtInstant ring;                  // the first contact plus the offset
    AlmanacKind kind;                // LunarEclipse or SolarEclipse
    UtInstant firstContact;          // P1 or C1
    DayNumber date;                  // the place's clock date of the first contact
    std::chrono::minutes clockTime;  // and its clock time, 0..1439
    friend bool operator==(const EclipseRing&, const EclipseRing&) = default;
};

// The rings of the eclipses whose first contact falls on a date from
// `first` to `last` of the place's clocks, in the order they ring.
std::vector<EclipseRing> EclipseRingsBetween(const SiteSettings& settings,
                                             const AlarmChoice& choice, std::chrono::sys_days first,
                                             std::chrono::sys_days last);

// The alarm as the running program keeps it: each tick asks for the rings
// that fall after the previous tick and at or before this one, no more than
// a minute back, so that a late tick does not lose a ring and a clock set
// back does not repeat one. The eclipses of the coming weeks are found once
// and again when the place, the choice or the weeks change.
class EclipseAlarmClock {
public:
    std::vector<EclipseRing> Tick(const SiteSettings& settings, const AlarmChoice& choice,
                                  std::chrono::sys_seconds now);

private:
    struct Key {
        std::vector<std::string> settings;
        AlarmChoice choice;
        std::chrono::sys_days first;
        friend bool operator==(const Key&, const Key&) = default;
    };
    std::optional<Key> key_;
    std::vector<EclipseRing> rings_;
    std::vector<UtInstant> rung_;
    std::optional<std::chrono::sys_seconds> lastTick_;
};

}  // namespace dawn
