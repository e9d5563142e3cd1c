// alarms: every alarm of the settings that rings on one date, from the rules
// the main window's tick follows.
#include <algorithm>
#include <chrono>
#include <iostream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_line.h"
#include "cli/settings_option.h"
#include "cli/sight_options.h"
#include "cli/values.h"
#include "cli/zone_options.h"
#include "core/alarmevents.h"
#include "present/texts.h"

namespace dawn::cli {
namespace {

constexpr Option kOptions[] = {
    kSettingsOrPlaceOption,
    kSiteOption,
    {"date", "YYYY-MM-DD", true, "the date the alarms ring on"},
    kZoneOption,
    kPlaceOption,
    {"events-file", "FILE", false,
     "also the alarms of your own events kept in FILE (Dawnevents.txt)"},
    {kHeightOption.name, kHeightOption.valueName, false,
     "the height your own events' visible sunrise and sunset are seen from (default: the "
     "settings')"},
    {kHorizonOption.name, kHorizonOption.valueName, false,
     "the horizon profile your own events' visible sunrise and sunset are seen behind "
     "(default: the settings')"},
    {"event", "NAME", false,
     "only the alarms of your own event NAME (from --events-file, by default Dawnevents.txt "
     "beside the settings file)"},
};

std::string_view KindName(AlarmEvent kind) {
    switch (kind) {
        case AlarmEvent::SunRise:
            return "Sunrise";
        case AlarmEvent::SunSet:
            return "Sunset";
        case AlarmEvent::CivilDawn:
            return "CivilDawn";
        default:
            return "CivilDusk";
    }
}

std::string_view ChannelName(AlarmChannel channel) {
    switch (channel) {
        case AlarmChannel::Picture:
            return "Picture";
        case AlarmChannel::Notification:
            return "Notification";
        default:
            return "Both";
    }
}

void AppendSecondOfDay(std::string& out, int second) {
    AppendClock(out, std::chrono::minutes{second / 60}, ":");
    const int s = second % 60;
    out += ':';
    out += static_cast<char>('0' + s / 10);
    out += static_cast<char>('0' + s % 10);
}

VerbOutcome Run(const Command& command, std::ostream& out) {
    std::chrono::year_month_day date{};
    if (auto e = ReadDate(command, "date", date); !e.empty()) return VerbOutcome::Usage(e);
    SiteSettings settings;
    if (auto e = ReadSettingsWithPlace(command, settings)) return *e;
    const std::string* only = command.Value("event");
    std::string eventsPath;
    if (const std::string* file = command.Value("events-file")) {
        if (file->empty()) return VerbOutcome::Usage("--events-file: the file name is empty");
        eventsPath = *file;
    } else if (only != nullptr) {
        eventsPath = BesideSettings(command, kUserEventsFileName);
        if (eventsPath.empty())
            return VerbOutcome::Usage("--event needs --events-file or --settings");
    }
    std::vector<UserEvent> events;
    if (!eventsPath.empty()) {
        UserEventsRead read = ReadUserEvents(eventsPath);
        for (const std::string& m : read.messages) std::cerr << WarningLines(m);
        events = std::move(read.events);
    }
    if (only != nullptr && std::none_of(events.begin(), events.end(),
                                        [&](const UserEvent& e) { return e.name == *only; }))
        return VerbOutcome::Usage("--event: " + QuotedArgument(*only) + " is not an event of " +
                                  eventsPath);
    Sight sight;
    if (std::string e = ReadSight(command, sight); !e.empty()) return VerbOutcome::Usage(e);
    // The settings' profile is read only for events that may need it.
    if (!events.empty()) AddSettingsSight(command, settings, sight);

    std::string text;
    for (const DueAlarm& a :
         SettingsAlarmsOn(settings, DayNumber::FromDate(date), events, EventSightOf(sight))) {
        if (only != nullptr && a.own != *only) continue;
        AppendSecondOfDay(text, a.secondOfDay);
        text += ';';
        // An own event by its name and side.
        if (!a.own.empty())
            text += a.own + (a.kind == AlarmEvent::SunRise ? " (rising)" : " (setting)");
        else
            text += KindName(a.kind);
        text += ';';
        const auto offset = a.offset.count();
        if (offset > 0) text += '+';
        text += std::to_string(offset);
        text += ';';
        text += ChannelName(a.channel);
        text += ';';
        text += FormatIsoDate(a.event.date.ToDate());
        text += ';';
        AppendSecondOfDay(text, a.event.secondOfDay);
        text += '\n';
    }
    out << text;
    return {};
}

}  // namespace

const Verb& AlarmsVerb() {
    static const Verb verb{
        "alarms",
        "the alarms that ring on a date",
        "Lists every alarm of the settings file that rings on the date, in the order they ring, "
        "one line\n"
        "each: \"time;kind;offset;channel;event date;event time\". The time is the local clock "
        "time the\n"
        "alarm rings (event time plus offset); kind is Sunrise, Sunset, CivilDawn or CivilDusk; "
        "the offset\n"
        "is in minutes (-180..+180); channel is Picture, Notification or Both. An alarm moved "
        "across\n"
        "midnight is listed on the date it rings, with its event's own date. A day without the "
        "event\n"
        "(midnight sun, polar night) has no alarm for it. With --events-file the alarms of "
        "your own\n"
        "events are listed too, their kind being the event's name and its side, such as "
        "\"Dawn prayer (rising)\".\n"
        "An event counting from the visible sunrise or sunset sees it from the settings' "
        "height and behind\n"
        "their horizon profile, or from --height METRES and behind --horizon FILE. --event "
        "NAME lists the\n"
        "alarms of that one event only (from --events-file, else Dawnevents.txt beside "
        "--settings).",
        kOptions,
        Run,
    };
    return verb;
}

}  // namespace dawn::cli
