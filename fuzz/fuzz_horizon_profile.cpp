// Fuzzes the horizon profile reader with arbitrary file contents: the points
// it keeps are in range and sorted, its messages stay few, and the skyline
// drawn through the points stays within their altitudes at every azimuth.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "astro/horizon.h"
#include "core/horizonprofile.h"
#include "core/textfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = dawn::SplitLines(dawn::DecodeText(bytes));
    const dawn::HorizonProfileRead read = dawn::HorizonProfileFromLines(lines, "horizon.txt");
    if (read.points.size() > dawn::kMaxHorizonPoints || read.messages.size() > 13) std::abort();
    if (read.points.empty() && read.messages.empty()) std::abort();
    double lowest = 90.0;
    double highest = -90.0;
    for (std::size_t i = 0; i < read.points.size(); ++i) {
        const dawn::HorizonPoint& p = read.points[i];
        if (!(p.azimuthDegrees >= 0.0 && p.azimuthDegrees <= 360.0)) std::abort();
        if (!(p.altitudeDegrees >= -90.0 && p.altitudeDegrees <= 90.0)) std::abort();
        if (i > 0 && p.azimuthDegrees < read.points[i - 1].azimuthDegrees) std::abort();
        lowest = std::min(lowest, p.altitudeDegrees);
        highest = std::max(highest, p.altitudeDegrees);
    }
    if (read.points.empty()) return 0;
    for (double azimuth = -90.0; azimuth <= 450.0; azimuth += 7.3) {
        const double h = dawn::ProfileAltitudeAt(read.points, azimuth);
        if (!(h >= lowest - 1e-9 && h <= highest + 1e-9)) std::abort();
    }
    return 0;
}
