#include "places/citysearch.h"

#include <dlfcn.h>
#include <geonames.h>
#include <glib.h>

#include <algorithm>
#include <cmath>
#include <exception>
#include <new>

namespace dawn {

namespace {

constexpr const char* kGeonamesLibrary = "libgeonames.so.0";

// Appends the lower-case ASCII form of one character, or its lower-case
// self when it has none (a character of a script without Latin letters).
void AppendFolded(std::string& out, gunichar c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(g_ascii_tolower(static_cast<gchar>(c))));
        return;
    }
    gchar utf8[8] = {};
    g_unichar_to_utf8(c, utf8);
    gchar* ascii = g_str_to_ascii(utf8, "C");
    const bool transliterated =
        ascii != nullptr && ascii[0] != '\0' && std::string_view(ascii) != "?";
    if (transliterated) {
        for (const gchar* p = ascii; *p != '\0'; ++p) out.push_back(g_ascii_tolower(*p));
    } else {
        gchar lower[8] = {};
        const gint n = g_unichar_to_utf8(g_unichar_tolower(c), lower);
        out.append(lower, static_cast<std::size_t>(n));
    }
    g_free(ascii);
}

struct GeonamesApi {
    decltype(&geonames_get_n_cities) count = nullptr;
    decltype(&geonames_get_city) city = nullptr;
    decltype(&geonames_city_free) free = nullptr;
    decltype(&geonames_city_get_name) name = nullptr;
    decltype(&geonames_city_get_state) state = nullptr;
    decltype(&geonames_city_get_country) country = nullptr;
    decltype(&geonames_city_get_timezone) timezone = nullptr;
    decltype(&geonames_city_get_latitude) latitude = nullptr;
    decltype(&geonames_city_get_longitude) longitude = nullptr;
    decltype(&geonames_city_get_population) population = nullptr;
};

template <typename F>
bool Bind(void* library, const char* symbol, F& out) {
    out = reinterpret_cast<F>(dlsym(library, symbol));
    return out != nullptr;
}

std::string TextOf(const gchar* text) {
    return text == nullptr ? std::string{} : std::string(text);
}

CityIndexOpenResult Open(const std::string& libraryFolder) {
    const std::string path =
        libraryFolder.empty() ? kGeonamesLibrary : libraryFolder + "/" + kGeonamesLibrary;
    // The library stays loaded: its data registers itself with GLib.
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        const char* why = dlerror();
        return {nullptr, std::string("the city database is not available (") +
                             (why != nullptr ? why : path.c_str()) +
                             "); install the libgeonames0 package"};
    }
    GeonamesApi api;
    const bool bound = Bind(library, "geonames_get_n_cities", api.count) &&
                       Bind(library, "geonames_get_city", api.city) &&
                       Bind(library, "geonames_city_free", api.free) &&
                       Bind(library, "geonames_city_get_name", api.name) &&
                       Bind(library, "geonames_city_get_state", api.state) &&
                       Bind(library, "geonames_city_get_country", api.country) &&
                       Bind(library, "geonames_city_get_timezone", api.timezone) &&
                       Bind(library, "geonames_city_get_latitude", api.latitude) &&
                       Bind(library, "geonames_city_get_longitude", api.longitude) &&
                       Bind(library, "geonames_city_get_population", api.population);
    if (!bound) return {nullptr, "the city database " + path + " lacks a function it should have"};

    const gint count = api.count();
    std::vector<City> cities;
    cities.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (gint i = 0; i < count; ++i) {
        GeonamesCity* c = api.city(i);
        if (c == nullptr) continue;
        cities.push_back({TextOf(api.name(c)), TextOf(api.state(c)), TextOf(api.country(c)),
                          TextOf(api.timezone(c)), api.population(c), api.latitude(c),
                          api.longitude(c)});
        api.free(c);
    }
    if (cities.empty()) return {nullptr, "the city database " + path + " holds no cities"};
    return {std::make_shared<const CityIndex>(std::move(cities)), {}};
}

}  // namespace

std::int32_t ToArcMinutes(double degrees) {
    return static_cast<std::int32_t>(std::lround(degrees * 60.0));
}

std::string FoldForSearch(std::string_view text) {
    gchar* valid = g_utf8_make_valid(text.data(), static_cast<gssize>(text.size()));
    const gchar* end = valid + std::char_traits<char>::length(valid);
    std::string out;
    out.reserve(text.size());
    bool pendingSpace = false;
    for (const gchar* p = valid; p < end; p = g_utf8_next_char(p)) {
        const gunichar c = g_utf8_get_char(p);
        if (c == '.' || c == '\'' || c == 0x2019) continue;  // U+2019: the typographic apostrophe
        if (c == '-' || g_unichar_isspace(c)) {
            pendingSpace = !out.empty();
            continue;
        }
        if (pendingSpace) out.push_back(' ');
        pendingSpace = false;
        AppendFolded(out, c);
    }
    g_free(valid);
    return out;
}

CityIndex::CityIndex(std::vector<City> cities) : cities_(std::move(cities)) {
    std::stable_sort(cities_.begin(), cities_.end(), [](const City& a, const City& b) {
        if (a.population != b.population) return a.population > b.population;
        if (a.name != b.name) return a.name < b.name;
        return a.region < b.region;
    });
    keys_.reserve(cities_.size());
    for (std::size_t i = 0; i < cities_.size(); ++i)
        keys_.push_back({FoldForSearch(cities_[i].name), static_cast<std::uint32_t>(i)});
    std::sort(keys_.begin(), keys_.end(), [](const Key& a, const Key& b) {
        return a.folded != b.folded ? a.folded < b.folded : a.city < b.city;
    });
}

std::vector<City> CityIndex::Search(std::string_view query, std::size_t limit) const {
    limit = std::min(limit, kMaxCityMatches);
    const std::string folded = FoldForSearch(query);
    if (folded.empty() || limit == 0) return {};
    auto it = std::lower_bound(keys_.begin(), keys_.end(), folded,
                               [](const Key& k, const std::string& q) { return k.folded < q; });
    std::vector<std::uint32_t> found;
    for (; it != keys_.end() && it->folded.compare(0, folded.size(), folded) == 0; ++it)
        found.push_back(it->city);
    // Cities are kept biggest first, so the smallest indices are the best.
    const std::size_t n = std::min(limit, found.size());
    std::partial_sort(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(n), found.end());
    std::vector<City> result;
    result.reserve(n);
    for (std::size_t i = 0; i < n; ++i) result.push_back(cities_[found[i]]);
    return result;
}

CityIndexOpenResult OpenCityIndex(const std::string& libraryFolder) {
    try {
        return Open(libraryFolder);
    } catch (const std::bad_alloc&) {
        return {nullptr, "out of memory while reading the city database"};
    } catch (const std::exception& e) {
        return {nullptr, std::string("the city database cannot be read: ") + e.what()};
    }
}

}  // namespace dawn
