// place: cities by the start of their name, with their zone and coordinates.
#include <ostream>
#include <string>

#include "cli/command_line.h"
#include "cli/values.h"
#include "cli/zone_options.h"
#include "places/citysearch.h"

namespace dawn::cli {

namespace {

constexpr std::int32_t kDefaultLimit = 10;
constexpr Option kLimitOption{"limit", "N", false,
                              "print at most N matches (1..100; 10 if not given)"};
constexpr Option kOptions[] = {kLimitOption};

// A field of the line: the separator and line breaks cannot occur in it.
void AppendField(std::string& line, const std::string& text) {
    for (const char c : text)
        line.push_back(c == ';' || static_cast<unsigned char>(c) < 0x20 ? ' ' : c);
    line.push_back(';');
}

VerbOutcome Run(const Command& command, std::ostream& out) {
    std::int32_t limit = kDefaultLimit;
    if (command.Value(kLimitOption.name) != nullptr) {
        if (auto e = ReadInteger(command, kLimitOption.name, 1,
                                 static_cast<std::int32_t>(kMaxCityMatches), limit);
            !e.empty())
            return VerbOutcome::Usage(e);
    }
    const std::string& query = *command.operand;
    const CityIndexOpenResult opened = OpenCityIndex();
    std::vector<City> matches;
    if (opened.index) matches = opened.index->Search(query, static_cast<std::size_t>(limit));
    AddZonePlaces(query, static_cast<std::size_t>(limit), matches);
    if (matches.empty()) {
        if (!opened.index) return VerbOutcome::Failure(opened.error);
        return VerbOutcome::Failure("no place matches " + QuotedArgument(query));
    }

    std::string text;
    for (const City& c : matches) {
        AppendField(text, c.name);
        AppendField(text, c.region);
        AppendField(text, c.country);
        AppendField(text, c.zone);
        text += std::to_string(ToArcMinutes(c.latitude));
        text += ';';
        text += std::to_string(ToArcMinutes(c.longitude));
        text += '\n';
    }
    out << text;
    return {};
}

}  // namespace

const Verb& PlaceVerb() {
    static const Verb verb{
        "place",
        "cities whose name starts with QUERY, with their time zone and coordinates",
        "Prints one line per city, the biggest first, in UTF-8:\n"
        "    NAME;REGION;COUNTRY;ZONE;LATITUDE;LONGITUDE\n"
        "ZONE is the IANA time-zone name; LATITUDE and LONGITUDE are in whole arc minutes,\n"
        "north and east positive, rounded to the nearest minute. Case and accents do not\n"
        "matter: 'sao paulo' finds São Paulo. The cities come from the system's libgeonames;\n"
        "after them come the places of the time zones themselves, from the tz database's\n"
        "zone table, that no city above stands for ('Lord Howe' is Australia/Lord_Howe, with\n"
        "the region the table names). Exits with 1 when nothing matches.",
        kOptions,
        &Run,
        "QUERY",
    };
    return verb;
}

}  // namespace dawn::cli
