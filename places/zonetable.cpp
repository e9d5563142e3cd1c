#include "places/zonetable.h"

#include <algorithm>
#include <map>

#include "core/settings.h"
#include "core/textfile.h"

namespace dawn {
namespace {

// The zone table is a few hundred lines; anything far larger is not one.
constexpr std::size_t kMaxTableBytes = 1024 * 1024;

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

bool Digits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int Number(std::string_view digits) {
    int n = 0;
    for (const char c : digits) n = n * 10 + (c - '0');
    return n;
}

// One signed angle of `degreeDigits` digits of degrees, then minutes and,
// when the text is long enough for them, seconds.
bool ParseAngle(std::string_view text, std::size_t degreeDigits, double& out) {
    if (text.size() != degreeDigits + 3 && text.size() != degreeDigits + 5) return false;
    if (text[0] != '+' && text[0] != '-') return false;
    const std::string_view digits = text.substr(1);
    if (!Digits(digits)) return false;
    const int degrees = Number(digits.substr(0, degreeDigits));
    const int minutes = Number(digits.substr(degreeDigits, 2));
    const int seconds =
        digits.size() > degreeDigits + 2 ? Number(digits.substr(degreeDigits + 2)) : 0;
    if (minutes > 59 || seconds > 59) return false;
    const double value = degrees + minutes / 60.0 + seconds / 3600.0;
    out = text[0] == '-' ? -value : value;
    return true;
}

// The folded form of a name: as the city search folds it, or, without the
// library that folds, lower-case ASCII with hyphens as blanks.
std::string Folded(std::string_view text) {
    std::string folded = FoldForSearch(text);
    if (!folded.empty() || text.empty()) return folded;
    for (const char c : text) {
        if (c >= 'A' && c <= 'Z') {
            folded.push_back(static_cast<char>(c - 'A' + 'a'));
        } else {
            folded.push_back(c == '-' ? ' ' : c);
        }
    }
    return folded;
}

std::string_view WithoutBlanksAround(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

bool ParseZoneTableCoordinates(std::string_view text, double& latitude, double& longitude) {
    // The longitude starts at the second sign.
    const std::size_t split = text.find_first_of("+-", 1);
    if (split == std::string_view::npos) return false;
    double lat = 0, lon = 0;
    if (!ParseAngle(text.substr(0, split), 2, lat) || !ParseAngle(text.substr(split), 3, lon))
        return false;
    if (lat < -90 || lat > 90 || lon < -180 || lon > 180) return false;
    latitude = lat;
    longitude = lon;
    return true;
}

ZoneTableResult ReadZoneTable(const std::string& folder) {
    ZoneTableResult result;
    TextFileResult table = ReadTextFile(JoinPath(folder, "zone1970.tab"), kMaxTableBytes);
    if (!table.ok()) table = ReadTextFile(JoinPath(folder, "zone.tab"), kMaxTableBytes);
    if (!table.ok()) {
        result.error = "no zone table in " + folder + " (the tzdata package provides it)";
        return result;
    }
    // Country names are a nicety: without them the codes serve.
    std::map<std::string, std::string, std::less<>> countries;
    const TextFileResult names = ReadTextFile(JoinPath(folder, "iso3166.tab"), kMaxTableBytes);
    for (const std::string& line : names.lines) {
        if (line.empty() || line[0] == '#') continue;
        const std::vector<std::string_view> f = Fields(line);
        if (f.size() >= 2) countries.emplace(std::string(f[0]), std::string(f[1]));
    }
    for (const std::string& line : table.lines) {
        if (line.empty() || line[0] == '#') continue;
        const std::vector<std::string_view> f = Fields(line);
        if (f.size() < 3) continue;
        City place;
        if (!ParseZoneTableCoordinates(f[1], place.latitude, place.longitude)) continue;
        place.zone = std::string(f[2]);
        const std::size_t slash = place.zone.rfind('/');
        place.name = place.zone.substr(slash == std::string::npos ? 0 : slash + 1);
        std::replace(place.name.begin(), place.name.end(), '_', ' ');
        if (f.size() > 3) place.region = std::string(f[3]);
        const std::string_view code = f[0].substr(0, f[0].find(','));
        const auto country = countries.find(code);
        place.country = country != countries.end() ? country->second : std::string(code);
        result.places.push_back(std::move(place));
    }
    return result;
}

std::vector<City> SearchZonePlaces(const std::vector<City>& places, std::string_view query,
                                   std::size_t limit) {
    std::vector<City> matches;
    // A zone's name may be typed as it is written ("Lord_Howe").
    std::string typed(WithoutBlanksAround(query));
    std::replace(typed.begin(), typed.end(), '_', ' ');
    const std::string folded = Folded(typed);
    if (folded.empty()) return matches;
    for (const City& place : places) {
        if (matches.size() >= std::min(limit, kMaxCityMatches)) break;
        if (Folded(place.name).starts_with(folded) || Folded(place.region).starts_with(folded))
            matches.push_back(place);
    }
    return matches;
}

}  // namespace dawn
