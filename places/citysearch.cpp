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

// GLib folds the names. Like the city list it is opened on first use, so
// that a program that never searches a place does not load it: the command
// line's astronomy verbs start without it. (The city list needs it all the
// same, and the windows' toolkit loads it anyway.)
constexpr const char* kGlibLibrary = "libglib-2.0.so.0";

struct GlibText {
    decltype(&g_utf8_make_valid) makeValid = nullptr;
    decltype(&g_utf8_get_char) getChar = nullptr;
    const gchar* const* skip = nullptr;  // g_utf8_skip, which g_utf8_next_char reads
    decltype(&g_unichar_isspace) isSpace = nullptr;
    decltype(&g_unichar_to_utf8) toUtf8 = nullptr;
    decltype(&g_unichar_tolower) toLower = nullptr;
    decltype(&g_str_to_ascii) toAscii = nullptr;
    decltype(&g_ascii_tolower) asciiToLower = nullptr;
    decltype(&g_free) free = nullptr;
};

template <typename F>
bool Bind(void* library, const char* symbol, F& out) {
    out = reinterpret_cast<F>(dlsym(library, symbol));
    return out != nullptr;
}

// GLib's text functions, or null when the library cannot be opened. The
// library stays loaded.
const GlibText* Glib() {
    static const GlibText* const glib = []() -> const GlibText* {
        void* library = dlopen(kGlibLibrary, RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) return nullptr;
        static GlibText api;
        const bool bound = Bind(library, "g_utf8_make_valid", api.makeValid) &&
                           Bind(library, "g_utf8_get_char", api.getChar) &&
                           Bind(library, "g_utf8_skip", api.skip) &&
                           Bind(library, "g_unichar_isspace", api.isSpace) &&
                           Bind(library, "g_unichar_to_utf8", api.toUtf8) &&
                           Bind(library, "g_unichar_tolower", api.toLower) &&
                           Bind(library, "g_str_to_ascii", api.toAscii) &&
                           Bind(library, "g_ascii_tolower", api.asciiToLower) &&
                           Bind(library, "g_free", api.free);
        return bound ? &api : nullptr;
    }();
    return glib;
}

// Appends the lower-case ASCII form of one character, or its lower-case
// self when it has none (a character of a script without Latin letters).
void AppendFolded(const GlibText& glib, std::string& out, gunichar c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(glib.asciiToLower(static_cast<gchar>(c))));
        return;
    }
    gchar utf8[8] = {};
    glib.toUtf8(c, utf8);
    gchar* ascii = glib.toAscii(utf8, "C");
    const bool transliterated =
        ascii != nullptr && ascii[0] != '\0' && std::string_view(ascii) != "?";
    if (transliterated) {
        for (const gchar* p = ascii; *p != '\0'; ++p) out.push_back(glib.asciiToLower(*p));
    } else {
        gchar lower[8] = {};
        const gint n = glib.toUtf8(glib.toLower(c), lower);
        out.append(lower, static_cast<std::size_t>(n));
    }
    glib.free(ascii);
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

std::string TextOf(const gchar* text) {
    return text == nullptr ? std::string{} : std::string(text);
}

CityIndexOpenResult Open(const std::string& libraryFolder) {
    if (Glib() == nullptr) {
        return {nullptr, std::string("the city database cannot be searched without ") +
                             kGlibLibrary + "; install the libglib2.0-0 package"};
    }
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
    const GlibText* glib = Glib();
    if (glib == nullptr) return {};
    gchar* valid = glib->makeValid(text.data(), static_cast<gssize>(text.size()));
    const gchar* end = valid + std::char_traits<char>::length(valid);
    std::string out;
    out.reserve(text.size());
    bool pendingSpace = false;
    const gchar* const skip = *glib->skip;
    for (const gchar* p = valid; p < end; p += skip[static_cast<guchar>(*p)]) {
        const gunichar c = glib->getChar(p);
        if (c == '.' || c == '\'' || c == 0x2019) continue;  // U+2019: the typographic apostrophe
        if (c == '-' || glib->isSpace(c)) {
            pendingSpace = !out.empty();
            continue;
        }
        if (pendingSpace) out.push_back(' ');
        pendingSpace = false;
        AppendFolded(*glib, out, c);
    }
    glib->free(valid);
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
