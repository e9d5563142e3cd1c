// Places by name: the cities of libgeonames (about 24,000, each with its
// region, country, population, coordinates and IANA time-zone name), searched
// by the start of their name.
//
// The library is opened when the index is built, not when the program starts,
// so that a system without it still runs with manual settings. The whole list
// is then copied into the index, which answers a search from memory: folding
// the query and one binary search over the folded names, well within a
// keystroke. Case and accents do not matter: "sao paulo" finds São Paulo and
// "ZURICH" Zürich; hyphens count as spaces and full stops and apostrophes are
// left out ("winston salem", "st louis", "ndjamena").
//
// Names come in the language of the process's message locale, as the library
// translates them (English unless the program has set a locale).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dawn {

struct City {
    std::string name;
    std::string region;   // state, province or similar; may be empty
    std::string country;  // its name
    std::string zone;     // IANA time-zone name, e.g. "Europe/Helsinki"
    std::uint32_t population = 0;
    double latitude = 0;   // degrees, north positive
    double longitude = 0;  // degrees, east positive
};

// Degrees to the nearest whole arc minute, the unit of the settings:
// 60.1695 (Helsinki) -> 3610, that is 60°10'; -46.6361 -> -2798.
std::int32_t ToArcMinutes(double degrees);

// No search returns more matches than this.
inline constexpr std::size_t kMaxCityMatches = 100;

class CityIndex {
public:
    explicit CityIndex(std::vector<City> cities);

    // The cities whose name starts with `query` (folded as above; blanks around
    // it do not count), biggest population first, at most min(limit,
    // kMaxCityMatches). An empty query matches nothing.
    std::vector<City> Search(std::string_view query, std::size_t limit) const;

    std::size_t Size() const { return cities_.size(); }

private:
    struct Key {
        std::string folded;
        std::uint32_t city;  // index into cities_
    };
    std::vector<City> cities_;  // biggest population first
    std::vector<Key> keys_;     // by folded name
};

// The folded form that search compares: lower case, accents and other marks
// turned into plain letters where there are some ("Ü" -> "u", "ß" -> "ss"),
// hyphens and runs of blanks one space, full stops and apostrophes left out.
// Text that is not valid UTF-8 has its bad bytes replaced first. Without
// GLib, which folds it, the folded form is empty and matches nothing.
std::string FoldForSearch(std::string_view text);

struct CityIndexOpenResult {
    std::shared_ptr<const CityIndex> index;  // null when `error` is set
    std::string error;                       // one line for the user, in English
};

// Builds the index from libgeonames. With an empty `libraryFolder` the
// library is looked for where the system keeps libraries; otherwise only in
// that folder (tests point it at an empty one). Never throws.
CityIndexOpenResult OpenCityIndex(const std::string& libraryFolder = {});

}  // namespace dawn
