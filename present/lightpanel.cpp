#include "present/lightpanel.h"

#include <algorithm>

#include "core/horizonprofile.h"
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
    const std::string dawn(Trimmed(state.Label(label::kDawn)));
    const std::string dusk(Trimmed(state.Label(label::kDusk)));
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
    // A screen reader hears each row without its padding: the period from
    // start to end, the visible rise and set at their time, and an event of
    // the user's with its sides named as the twilights' are.
    for (LightRowView& row : panel.rows)
        row.spoken =
            std::string(WithoutLeadingSpaces(row.caption)) + " " + row.start + " - " + row.end;
    const std::size_t visibleRows = visible ? 2 : 0;
    for (std::size_t i = 0; i < panel.more.size(); ++i) {
        LightRowView& row = panel.more[i];
        row.spoken = std::string(WithoutLeadingSpaces(row.caption));
        if (i < visibleRows) {
            row.spoken += " " + row.start;
            continue;
        }
        if (!row.start.empty()) row.spoken += ", " + dawn + " " + row.start;
        if (!row.end.empty()) row.spoken += ", " + dusk + " " + row.end;
    }
    return panel;
}

LightPanelView ShownLightPanel(const AppState& state) {
    const SiteSettings& s = state.Settings;
    LightDay light{};
    ForEachLightDay(s, state.Shown, state.Shown, [&light](const LightDay& d) {
        light = d;
        return false;
    });
    std::optional<SeenDay> visible;
    auto keep = [&visible](const SeenDay& d) {
        visible = d;
        return false;
    };
    if (!state.HorizonProfile.empty())
        ForEachVisibleDay(s, state.HorizonProfile, state.Shown, state.Shown, keep);
    else if (s.ObserverHeightMetres > 0)
        ForEachDayFromHeight(s, state.Shown, state.Shown, keep);
    std::vector<OwnEventOfDay> own;
    const std::vector<UserEvent>& events = state.OwnEvents;
    for (std::size_t i = 0; i < events.size(); ++i) {
        ForEachOwnEventDay(
            s, events, i, state.Shown, state.Shown,
            [&](const SeenDay& d) {
                own.push_back({events[i].name,
                               SidesOf(events, events[i].name).value_or(UserEventSide::Both), d});
                return false;
            },
            EventSight{s.ObserverHeightMetres, state.HorizonProfile});
    }
    return LightPanelOf(light, state, visible, own);
}

std::string OwnEventsPath(const AppState& state) {
    return state.AppDir + "/" + kUserEventsFileName;
}

std::vector<std::string> LoadOwnEvents(AppState& state) {
    UserEventsRead read = ReadUserEvents(OwnEventsPath(state));
    state.OwnEvents = std::move(read.events);
    state.KeepOwnEventsBeforeSave = read.keepCopyBeforeSave;
    return std::move(read.messages);
}

std::string HorizonProfileFile(const AppState& state) {
    const std::string& path = state.Settings.HorizonProfilePath;
    if (path.empty() || path.front() == '/') return path;
    return state.AppDir + "/" + path;
}

std::vector<std::string> LoadHorizonProfile(AppState& state) {
    const std::string path = HorizonProfileFile(state);
    if (path.empty()) {
        state.HorizonProfile.clear();
        return {};
    }
    HorizonProfileRead read = ReadHorizonProfile(path);
    state.HorizonProfile = std::move(read.points);
    return std::move(read.messages);
}

}  // namespace dawn
