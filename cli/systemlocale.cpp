#include "cli/systemlocale.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

#include "present/localefields.h"

namespace dawn::cli {
namespace {

#include "locale_table.inc"

std::string_view Text(std::size_t index) {
    return std::string_view(kLocaleText + kLocaleTextAt[index],
                            kLocaleTextAt[index + 1] - kLocaleTextAt[index]);
}

std::size_t RowOf(std::string_view name) {
    const auto end = std::end(kLocaleKeys);
    const auto it =
        std::lower_bound(std::begin(kLocaleKeys), end, name,
                         [](const LocaleKey& k, std::string_view n) { return Text(k.name) < n; });
    if (it != end && Text(it->name) == name) return it->row;
    return std::size(kLocaleRows);  // none
}

LocaleFormats FormatsOfRow(std::size_t row) {
    return LocaleFromFields(
        [row](std::size_t i) { return std::string(Text(kLocaleRows[row][i])); });
}

std::string_view FirstSet(const EnvironmentReader& getenv,
                          std::initializer_list<const char*> vars) {
    for (const char* var : vars) {
        const char* value = getenv(var);
        if (value != nullptr && *value != '\0') return value;
    }
    return "C";
}

}  // namespace

LocaleFormats LocaleFormatsNamed(std::string_view name) {
    // "language_TERRITORY.codeset@modifier"; '-' may stand for '_'.
    std::string key(name.substr(0, name.find_first_of(".@")));
    std::replace(key.begin(), key.end(), '-', '_');
    std::size_t row = RowOf(key);
    if (row == std::size(kLocaleRows)) row = RowOf(key.substr(0, key.find('_')));
    if (row == std::size(kLocaleRows)) row = RowOf("C");
    return FormatsOfRow(row);
}

LocaleFormats SystemLocaleFormats(const EnvironmentReader& getenv) {
    LocaleFormats formats = LocaleFormatsNamed(FirstSet(getenv, {"LC_ALL", "LC_TIME", "LANG"}));
    const LocaleFormats numbers =
        LocaleFormatsNamed(FirstSet(getenv, {"LC_ALL", "LC_NUMERIC", "LANG"}));
    formats.DecimalPoint = numbers.DecimalPoint;
    formats.ZeroDigit = numbers.ZeroDigit;
    return formats;
}

LocaleFormats SystemLocaleFormats() {
    return SystemLocaleFormats([](const char* var) { return std::getenv(var); });
}

}  // namespace dawn::cli
