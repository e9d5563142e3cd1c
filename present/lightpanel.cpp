#include "present/lightpanel.h"

#include <algorithm>

#include "i18n/labels.h"
#include "present/texts.h"

namespace dawn {

LightPanelView LightPanelOf(const LightDay& light, const AppState& state,
                            const std::optional<SeenDay>& visible,
                            std::span<const OwnEventOfDay> own) {
    constexpr std::array<int, kLightPeriodCount> kCaptions = {
        label::kMorningBlueHour, label::kMorningGoldenHour, label::kEveningGoldenHour,
        label::kEveningBlueHour};
    constexpr std::array<int, 2> kVisibleCaptions = {label::kVisibleSunrise, label::kVisibleSunset};
    const LocaleFormats& loc = state.Locale;
    LightPanelView panel;
    panel.hint = state.Label(label::kLightPanel);
    // The captions of the label table end in one column, as the twilight
    // panel's do.
    std::size_t longest = 20;
    for (int row : kCaptions)
        longest = std::max(longest, Utf16Length(WithoutLeadingSpaces(state.Label(row))));
    if (visible)
        for (int row : kVisibleCaptions)
            longest = std::max(longest, Utf16Length(WithoutLeadingSpaces(state.Label(row))));
    auto caption = [&](int row) {
        const std::string text(WithoutLeadingSpaces(state.Label(row)));
        return std::string(longest - Utf16Length(text), ' ') + text;
    };
    auto time = [&](const std::optional<std::chrono::minutes>& clock) {
        return clock ? loc.ClockText(*clock) : loc.EmptyClockText();
    };
    for (std::size_t r = 0; r < kLightPeriodCount; ++r) {
        const LightPeriod& period = light.periods[r];
        panel.rows[r] = {caption(kCaptions[r]), time(period.start), time(period.end)};
    }
    if (visible) {
        panel.more.push_back(
            {caption(label::kVisibleSunrise), time((*visible)[EventKind::Rise].CrossingClock), ""});
        panel.more.push_back(
            {caption(label::kVisibleSunset), time((*visible)[EventKind::Set].CrossingClock), ""});
    }
    for (const OwnEventOfDay& e : own) {
        LightRowView row{e.name, "", ""};
        if (e.sides != UserEventSide::Setting)
            row.start = time(e.day[EventKind::Rise].CrossingClock);
        if (e.sides != UserEventSide::Rising) row.end = time(e.day[EventKind::Set].CrossingClock);
        panel.more.push_back(std::move(row));
    }
    return panel;
}

}  // namespace dawn
