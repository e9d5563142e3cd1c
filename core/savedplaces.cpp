#include "core/savedplaces.h"

#include <charconv>

namespace dawn {
namespace {

constexpr std::int32_t kMaxLatitude = 5400;
constexpr std::int32_t kMaxLongitude = 10800;

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::optional<std::int32_t> Minutes(std::string_view text, std::int32_t limit) {
    text = Trimmed(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (value < -limit || value > limit) return std::nullopt;
    return value;
}

bool HoldsLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

std::optional<std::string> SavedPlaceLine(const SavedPlace& place) {
    const std::string_view name = Trimmed(place.name);
    if (name.empty() || HoldsLineBreak(name) || HoldsLineBreak(place.zone) ||
        place.zone.find(';') != std::string::npos)
        return std::nullopt;
    if (place.latitudeMinutes < -kMaxLatitude || place.latitudeMinutes > kMaxLatitude ||
        place.longitudeMinutes < -kMaxLongitude || place.longitudeMinutes > kMaxLongitude)
        return std::nullopt;
    return std::string(name) + ';' + std::to_string(place.latitudeMinutes) + ';' +
           std::to_string(place.longitudeMinutes) + ';' + place.zone;
}

std::optional<SavedPlace> ParseSavedPlaceLine(std::string_view line, std::string* why) {
    auto fail = [why](const char* reason) -> std::optional<SavedPlace> {
        if (why) *why = reason;
        return std::nullopt;
    };
    // The last three fields, from the right; the name keeps any semicolon.
    std::size_t cut[3];
    std::size_t end = line.size();
    for (std::size_t& c : cut) {
        const std::size_t at = end == 0 ? std::string_view::npos : line.rfind(';', end - 1);
        if (at == std::string_view::npos) return fail("it is not NAME;LATITUDE;LONGITUDE;ZONE");
        c = at;
        end = at;
    }
    SavedPlace place;
    place.name = std::string(Trimmed(line.substr(0, cut[2])));
    if (place.name.empty()) return fail("the name is empty");
    const auto lat = Minutes(line.substr(cut[2] + 1, cut[1] - cut[2] - 1), kMaxLatitude);
    if (!lat) return fail("the latitude is not a whole number of arc minutes from -5400 to 5400");
    const auto lon = Minutes(line.substr(cut[1] + 1, cut[0] - cut[1] - 1), kMaxLongitude);
    if (!lon)
        return fail("the longitude is not a whole number of arc minutes from -10800 to 10800");
    place.latitudeMinutes = *lat;
    place.longitudeMinutes = *lon;
    place.zone = std::string(Trimmed(line.substr(cut[0] + 1)));
    return place;
}

SavedPlacesReadResult ParseSavedPlaces(const std::vector<std::string>& lines) {
    SavedPlacesReadResult result;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (Trimmed(line).empty()) continue;
        const std::string number = "Line " + std::to_string(i + 1) + " of " + kPlacesFileName;
        std::string why;
        if (result.places.size() >= kMaxSavedPlaces) {
            why = "more than " + std::to_string(kMaxSavedPlaces) + " places are kept";
        } else if (auto place = ParseSavedPlaceLine(line, &why)) {
            if (FindSavedPlace(result.places, place->name) == nullptr) {
                result.places.push_back(std::move(*place));
                continue;
            }
            why = "a place of that name came before it";
        }
        result.messages.push_back(number + " was not read: " + why + ". It is kept in the file.");
        result.kept.push_back(line);
    }
    result.backUpBeforeSaving = !result.kept.empty();
    return result;
}

SavedPlacesReadResult ReadSavedPlaces(const std::string& path) {
    // A list of places is small: a megabyte is thousands of them.
    const TextFileResult file = ReadTextFile(path, 1024u * 1024u);
    if (file.status == TextFileStatus::Missing) return {};
    if (!file.ok()) {
        SavedPlacesReadResult result;
        result.error = file.error;
        return result;
    }
    SavedPlacesReadResult result = ParseSavedPlaces(file.lines);
    if (file.convertedLines > 0) {
        result.messages.push_back(ConvertedLinesNote(file.convertedLines));
        result.backUpBeforeSaving = true;
    }
    return result;
}

TextFileResult WriteSavedPlaces(const std::string& path, const std::vector<SavedPlace>& places,
                                const std::vector<std::string>& kept, bool backUp) {
    std::vector<std::string> lines;
    lines.reserve(places.size() + kept.size());
    for (const SavedPlace& place : places) {
        auto line = SavedPlaceLine(place);
        if (!line) {
            TextFileResult refused;
            refused.status = TextFileStatus::WriteFailed;
            refused.reason = "the place \"" + std::string(Utf8Prefix(place.name, 80)) +
                             "\" cannot be written (an empty name, a line break, or a "
                             "coordinate out of range)";
            refused.error =
                "The places could not be saved to " + path + ": " + refused.reason + ".";
            return refused;
        }
        lines.push_back(std::move(*line));
    }
    lines.insert(lines.end(), kept.begin(), kept.end());
    if (backUp) {
        TextFileResult copy = KeepBackupCopy(path);
        if (!copy.ok()) return copy;
    }
    return WriteTextFileAtomic(path, lines, "\r\n");
}

const SavedPlace* FindSavedPlace(const std::vector<SavedPlace>& places, std::string_view name) {
    name = Trimmed(name);
    for (const SavedPlace& place : places)
        if (place.name == name) return &place;
    return nullptr;
}

}  // namespace dawn
