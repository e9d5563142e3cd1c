// Fuzzes the reader of the saved places (Dawnplaces.txt). The input is the
// file's lines. Every line must come out either as a place or as a kept line
// with its message, and the places read must write and read back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/savedplaces.h"
#include "core/textfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines;
    for (const std::string& line : dawn::SplitLines(bytes)) lines.push_back(dawn::DecodeLine(line));
    const dawn::SavedPlacesReadResult read = dawn::ParseSavedPlaces(lines);
    if (read.kept.size() != read.messages.size()) std::abort();
    if (read.places.size() > dawn::kMaxSavedPlaces) std::abort();
    std::vector<std::string> written;
    for (const dawn::SavedPlace& place : read.places) {
        const auto line = dawn::SavedPlaceLine(place);
        if (!line) std::abort();
        written.push_back(*line);
    }
    const dawn::SavedPlacesReadResult again = dawn::ParseSavedPlaces(written);
    if (!again.kept.empty() || again.places != read.places) std::abort();
    return 0;
}
