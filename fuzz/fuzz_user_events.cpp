// Fuzzes the reader of the user's own events with arbitrary file contents:
// what it keeps is written back and read again as the same events, without
// a message, and each kept event has its times on a few dates.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/textfile.h"
#include "core/userevents.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = dawn::SplitLines(dawn::DecodeText(bytes));
    const dawn::UserEventsRead read = dawn::UserEventsFromLines(lines, "Dawnevents.txt");
    if (read.events.size() > dawn::kMaxUserEvents || read.messages.size() > 13) std::abort();
    const dawn::UserEventsRead again =
        dawn::UserEventsFromLines(dawn::UserEventLines(read.events), "Dawnevents.txt");
    if (!again.messages.empty() || again.events != read.events) std::abort();
    // The times of the first few events, which run the offsets' chains.
    const dawn::Place place{3047, 328, 60};
    for (std::size_t i = 0; i < read.events.size() && i < 4; ++i) {
        const dawn::Twilight t =
            dawn::ComputeUserEvent(read.events, i, std::chrono::year{2024} / 6 / 21, place);
        if (t.dawn.minute.count() < 0 || t.dawn.minute.count() > 1439) std::abort();
        if (t.dusk.minute.count() < 0 || t.dusk.minute.count() > 1439) std::abort();
    }
    return 0;
}
