#include "core/horizonprofile.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "core/textfile.h"

namespace dawn {

namespace {

// Messages about single lines stop after this many; one more sentence
// counts the rest.
constexpr std::size_t kMaxLineMessages = 10;
// A bad line is quoted up to this many bytes.
constexpr std::size_t kMaxQuotedBytes = 40;

bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == ',';
}

// The fields of a line, parted by runs of separators.
std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t i = 0;
    while (i < line.size() && fields.size() < 3) {
        while (i < line.size() && IsSeparator(line[i])) ++i;
        const std::size_t start = i;
        while (i < line.size() && !IsSeparator(line[i])) ++i;
        if (i > start) fields.push_back(line.substr(start, i - start));
    }
    return fields;
}

}  // namespace

HorizonProfileRead HorizonProfileFromLines(const std::vector<std::string>& lines,
                                           const std::string& name) {
    HorizonProfileRead read;
    std::size_t badLines = 0;
    bool cut = false;
    auto bad = [&](std::size_t index, const std::string& why) {
        if (++badLines <= kMaxLineMessages)
            read.messages.push_back(name + ", line " + std::to_string(index + 1) + ": " + why);
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
        std::size_t lead = 0;
        while (lead < line.size() && (line[lead] == ' ' || line[lead] == '\t')) ++lead;
        line.remove_prefix(lead);
        if (line.empty() || line.front() == '#') continue;
        const std::vector<std::string_view> fields = Fields(line);
        if (fields.size() != 2) {
            bad(i, QuotedExcerpt(line, kMaxQuotedBytes) +
                       " is not an azimuth and an altitude; the line is left out.");
            continue;
        }
        HorizonPoint point{};
        if (!ParseNumberInRange(fields[0], 0.0, 360.0, point.azimuthDegrees)) {
            bad(i, QuotedExcerpt(fields[0], kMaxQuotedBytes) +
                       " is not an azimuth from 0 to 360 degrees; the line is "
                       "left out.");
            continue;
        }
        if (!ParseNumberInRange(fields[1], -90.0, 90.0, point.altitudeDegrees)) {
            bad(i, QuotedExcerpt(fields[1], kMaxQuotedBytes) +
                       " is not an altitude from -90 to 90 degrees; the line is "
                       "left out.");
            continue;
        }
        if (read.points.size() == kMaxHorizonPoints) {
            cut = true;
            break;
        }
        read.points.push_back(point);
    }
    if (badLines > kMaxLineMessages)
        read.messages.push_back(name + ": " + std::to_string(badLines - kMaxLineMessages) +
                                " more lines were left out.");
    if (cut)
        read.messages.push_back(name + " has more than " + std::to_string(kMaxHorizonPoints) +
                                " points; the rest of the file is left out.");
    if (read.points.empty()) {
        read.messages.push_back(name +
                                " has no point of the horizon; the horizon is taken as "
                                "flat.");
        return read;
    }
    std::stable_sort(read.points.begin(), read.points.end(),
                     [](const HorizonPoint& a, const HorizonPoint& b) {
                         return a.azimuthDegrees < b.azimuthDegrees;
                     });
    return read;
}

HorizonProfileRead ReadHorizonProfile(const std::string& path) {
    const TextFileResult file = ReadTextFile(path, kMaxHorizonProfileBytes);
    if (file.status == TextFileStatus::Missing) {
        HorizonProfileRead read;
        read.messages.push_back("The horizon profile " + path +
                                " was not found; the horizon is taken as flat.");
        return read;
    }
    if (file.status == TextFileStatus::TooLarge) {
        HorizonProfileRead read;
        read.messages.push_back("The horizon profile " + path + " is larger than " +
                                std::to_string(kMaxHorizonProfileBytes / (1024 * 1024)) +
                                " MB and was not read; the horizon is taken as flat.");
        return read;
    }
    if (!file.ok()) {
        HorizonProfileRead read;
        read.messages.push_back(file.error + " The horizon is taken as flat.");
        return read;
    }
    return HorizonProfileFromLines(file.lines, path);
}

}  // namespace dawn
