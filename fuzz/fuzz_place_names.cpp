// Fuzzes what a user or a settings file can give the places library: the
// input is a search query and, after its first NUL byte, a zone name. A query
// must fold to valid UTF-8 and search without harm; a zone name must open a
// zone or be refused with a reason, and never reach outside the database.
#include <glib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "places/citysearch.h"
#include "places/zone.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = input.find('\0');
    const std::string query = input.substr(0, nul);
    const std::string zone = nul == std::string::npos ? input : input.substr(nul + 1);

    const std::string folded = dawn::FoldForSearch(query);
    if (!g_utf8_validate(folded.data(), static_cast<gssize>(folded.size()), nullptr)) std::abort();
    static const dawn::CityIndex index({{"São Paulo", "", "", "America/Sao_Paulo", 1, 0, 0},
                                        {"Ørsta", "", "", "Europe/Oslo", 2, 0, 0},
                                        {"Москва", "", "", "Europe/Moscow", 3, 0, 0}});
    if (index.Search(query, 1000).size() > 3) std::abort();

    const dawn::ZoneOpenResult opened = dawn::OpenZone(zone);
    if ((opened.zone == nullptr) == opened.message.empty()) std::abort();
    if (opened.zone != nullptr && zone.find("..") != std::string::npos) std::abort();
    return 0;
}
