// The horizon profile: the skyline around the user's place, as a text file
// of "azimuth altitude" pairs in degrees, one pair a line, the azimuth from
// north through east (0..360) and the altitude of the skyline there
// (-90..90), as landscape horizon lists are written:
//
//     # the hills to the east
//     0    1.5
//     90   4.25
//     180  0.5
//     270  2
//
// The two numbers are parted by spaces, tabs or a comma. Empty lines and
// lines starting with '#' are skipped. The points may come in any order and
// are sorted by azimuth; the skyline runs straight between them and past
// north from the last to the first (astro/horizon.h).
//
// A line that is not two numbers, or whose numbers lie outside their ranges,
// is left out with a message naming it; the other points are kept. A file
// that cannot be read (missing, too large, not a regular file) or has no
// point at all gives the flat horizon, with a message.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "astro/horizon.h"

namespace dawn {

// No profile file comes near these: a point every hundredth of a degree is
// 36,000 lines, about half a megabyte.
inline constexpr std::size_t kMaxHorizonProfileBytes = 4u * 1024u * 1024u;
inline constexpr std::size_t kMaxHorizonPoints = 100000;

struct HorizonProfileRead {
    std::vector<HorizonPoint> points;   // sorted by azimuth; empty for the flat horizon
    std::vector<std::string> messages;  // English sentences for the user, at most a few
};

// The profile in `lines` (decoded text lines, as ReadTextFile gives them).
// `name` names the file in the messages.
HorizonProfileRead HorizonProfileFromLines(const std::vector<std::string>& lines,
                                           const std::string& name);

// Reads the profile file at `path`.
HorizonProfileRead ReadHorizonProfile(const std::string& path);

}  // namespace dawn
