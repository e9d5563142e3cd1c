// The user's locale as the windows' toolkit reads it from the environment,
// without the toolkit: its formats come from a table made from the toolkit's
// own locale data when the program is built, so the command line writes
// dates and times exactly as the windows do.
#pragma once

#include <functional>
#include <string_view>

#include "present/locale.h"

namespace dawn::cli {

// The formats of one locale name as the environment gives it ("en_GB.UTF-8",
// "de_DE@euro", "fi", "C"): the codeset and the modifier do not count, a name
// the table does not know falls back to its language, and a language it does
// not know to "C".
LocaleFormats LocaleFormatsNamed(std::string_view name);

// The formats of the user's locale: dates, times and names from LC_ALL, else
// LC_TIME, else LANG; the decimal point and the digits from LC_ALL, else
// LC_NUMERIC, else LANG; "C" where none is set. `getenv` reads a variable
// (nullptr or empty for one that is not set).
using EnvironmentReader = std::function<const char*(const char*)>;
LocaleFormats SystemLocaleFormats(const EnvironmentReader& getenv);
LocaleFormats SystemLocaleFormats();

}  // namespace dawn::cli
