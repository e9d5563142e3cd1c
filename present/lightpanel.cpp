#include "present/lightpanel.h"

#include <algorithm>

#include "i18n/labels.h"
#include "present/texts.h"

namespace dawn {

LightPanelView LightPanelOf(const LightDay& light, const AppState& state) {
    constexpr std::array<int, kLightPeriodCount> kCaptions = {
        label::kMorningBlueHour, label::kMorningGoldenHour, label::kEveningGoldenHour,
        label::kEveningBlueHour};
    const LocaleFormats& loc = state.Locale;
    LightPanelView panel;
    panel.hint = state.Label(label::kLightPanel);
    // The captions end in one column, as the twilight panel's do.
    std::size_t longest = 0;
    for (int row : kCaptions)
        longest = std::max(longest, Utf16Length(WithoutLeadingSpaces(state.Label(row))));
    for (std::size_t r = 0; r < kLightPeriodCount; ++r) {
        const std::string caption(WithoutLeadingSpaces(state.Label(kCaptions[r])));
        const std::size_t width = std::max<std::size_t>(longest, 20);
        panel.rows[r].caption = std::string(width - Utf16Length(caption), ' ') + caption;
        const LightPeriod& period = light.periods[r];
        panel.rows[r].start = period.start ? loc.ClockText(*period.start) : loc.EmptyClockText();
        panel.rows[r].end = period.end ? loc.ClockText(*period.end) : loc.EmptyClockText();
    }
    return panel;
}

}  // namespace dawn
