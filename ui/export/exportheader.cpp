#include "ui/export/exportheader.h"

#include <string>

#include "ui/main/appstate.h"
#include "ui/main/dayview_text.h"

namespace dawn {
namespace {

// Characters, not bytes: the captions are drawn in a fixed-pitch font.
int CharacterCount(const std::string& utf8) {
    int n = 0;
    for (unsigned char c : utf8) {
        if ((c & 0xC0) != 0x80) ++n;
    }
    return n;
}

}  // namespace

std::string AlignedCoordinatesCaption(const LabelTable& table, const CurrentLabels& labels,
                                      const DayEphemeris& shownDay, ExportBody panel) {
    const bool moon = panel == ExportBody::Moon;
    const std::string& rise = labels[moon ? label::kMoonrise : label::kSunrise];
    const std::string& set = labels[moon ? label::kMoonset : label::kSunset];
    // The length caption gives way to the message of an event that does not
    // happen; when both do not, the set's message stays.
    std::string length = labels[moon ? label::kMoonlight : label::kDaylight];
    const EventStatus riseStatus = moon ? shownDay.MoonRiseStatus : shownDay.SunRiseStatus;
    const EventStatus setStatus = moon ? shownDay.MoonSetStatus : shownDay.SunSetStatus;
    for (EventStatus status : {riseStatus, setStatus}) {
        if (status == EventStatus::Normal) continue;
        const int n = static_cast<int>(status);
        length = table.Label(labels.languageIndex, moon ? MoonMessageLabel(n) : SunMessageLabel(n));
    }
    const std::string& coordinates = labels[label::kCoordinates];
    const CaptionAlignment align = AlignCaptions({CharacterCount(coordinates), CharacterCount(rise),
                                                  CharacterCount(set), CharacterCount(length)});
    return std::string(static_cast<std::size_t>(align.padding), ' ') + coordinates;
}

ExportHeader ExportHeaderFor(const SiteSettings& settings, const LabelTable& table,
                             const CurrentLabels& labels, const DayEphemeris& shownDay,
                             ExportBody panel) {
    ExportHeader h;
    h.versionText = kVersionText;
    h.coordinatesCaption = AlignedCoordinatesCaption(table, labels, shownDay, panel);
    h.latitudeText = LatitudeText(settings.LatitudeMinutes, labels.hemisphere);
    h.longitudeText = LongitudeText(settings.LongitudeMinutes, labels.hemisphere);
    h.timeZoneLabel = labels[label::kTimeZone];
    h.timeZoneMinutes = settings.TimeZoneMinutes;
    return h;
}

}  // namespace dawn
