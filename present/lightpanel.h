// The light panel: the blue and golden hours of the shown date on the user's
// clock, each row a caption, the period's start and its end.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/light.h"
#include "core/seenday.h"
#include "core/userevents.h"
#include "present/appstate.h"

namespace dawn {

struct LightRowView {
    std::string caption;  // aligned among the panel's captions
    std::string start;    // the clock time, or the empty clock text
    std::string end;
    std::string spoken{};  // the row as a screen reader reads it, without padding
};

struct LightPanelView {
    std::array<LightRowView, kLightPeriodCount> rows;  // by LightPeriodKind
    // After them: the visible sunrise and sunset (the time in `start`) when a
    // horizon profile is in use, then one row per event of the user's, its
    // name as the caption (plain text), its rising side in `start` and its
    // setting side in `end` (empty for a side the event does not have).
    std::vector<LightRowView> more;
    std::string hint;  // the panel's name: "Light"
};

// One of the user's events on the shown date.
struct OwnEventOfDay {
    std::string name;
    UserEventSide sides = UserEventSide::Both;
    SeenDay day;
};

// The panel of one date's light. A bound the sun did not cross on the date
// shows the empty clock text, as a twilight that did not happen does; so
// does a visible rise or set, or a side of an event, that did not happen.
LightPanelView LightPanelOf(const LightDay& light, const AppState& state,
                            const std::optional<SeenDay>& visible = std::nullopt,
                            std::span<const OwnEventOfDay> own = {});

// The panel of the shown date of `state`: its light, the visible rise and set
// behind the horizon profile (or, without one, from the observer's height
// when that is above 0), and the state's own events.
LightPanelView ShownLightPanel(const AppState& state);

// The file of the user's own events in `state`'s folder.
std::string OwnEventsPath(const AppState& state);

// Reads the user's own events into `state` (OwnEvents and
// KeepOwnEventsBeforeSave); the reader's messages.
std::vector<std::string> LoadOwnEvents(AppState& state);

// The settings' horizon profile path, a relative one taken from `state`'s
// folder; empty for none.
std::string HorizonProfileFile(const AppState& state);

// Reads the settings' horizon profile into `state` (HorizonProfile, empty for
// none or for a file that has no usable point); the reader's messages.
std::vector<std::string> LoadHorizonProfile(AppState& state);

}  // namespace dawn
