// The major annual meteor showers.
//
// Source: International Meteor Organization, Meteor Shower Calendar 2024
// (ed. J. Rendtel), Table 5, "Working list of visual meteor showers": the
// solar longitude (J2000.0) of each maximum and its zenithal hourly rate.
// The table holds the showers with a rate of 10 or more that return every
// year; the rates are those of an average return, and the peaks of most
// showers are known to a few hours at best.
#include "astro/precise/almanac.h"

namespace dawn {

namespace {

constexpr MeteorShower kShowers[] = {
    {"Quadrantids", 283.15, 80}, {"Lyrids", 32.32, 18},
    {"eta Aquariids", 45.5, 50}, {"Southern delta Aquariids", 127.0, 25},
    {"Perseids", 140.0, 100},    {"Orionids", 208.0, 20},
    {"Leonids", 235.27, 15},     {"Geminids", 262.2, 150},
    {"Ursids", 270.7, 10},
};

}  // namespace

std::span<const MeteorShower> MajorMeteorShowers() {
    return kShowers;
}

}  // namespace dawn
