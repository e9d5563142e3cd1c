// The light panel: the blue and golden hours of the shown date on the user's
// clock, each row a caption, the period's start and its end.
#pragma once

#include <array>
#include <string>

#include "core/light.h"
#include "present/appstate.h"

namespace dawn {

struct LightRowView {
    std::string caption;  // aligned among the panel's captions
    std::string start;    // the clock time, or the empty clock text
    std::string end;
};

struct LightPanelView {
    std::array<LightRowView, kLightPeriodCount> rows;  // by LightPeriodKind
    std::string hint;                                  // the panel's name: "Light"
};

// The panel of one date's light. A bound the sun did not cross on the date
// shows the empty clock text, as a twilight that did not happen does.
LightPanelView LightPanelOf(const LightDay& light, const AppState& state);

}  // namespace dawn
