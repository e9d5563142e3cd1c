// Fuzzes the label file reader with arbitrary file contents. The table that
// comes out must be written and read back unchanged, and every language must
// apply without trouble.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/textfile.h"
#include "i18n/labels.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = dawn::SplitLines(dawn::DecodeText(bytes));
    const dawn::LabelLoad loaded = dawn::ParseLabelLines(lines);
    if (loaded.table.Columns() > dawn::kMaxLabelTableSide ||
        loaded.table.Rows() > dawn::kMaxLabelRows) {
        std::abort();
    }

    const std::vector<std::string> written = dawn::LabelTableLines(loaded.table);
    if (written.size() != static_cast<std::size_t>(loaded.table.Columns() * loaded.table.Rows()))
        std::abort();
    const dawn::LabelLoad again = dawn::ParseLabelLines(written);
    if (!written.empty() && !(again.table == loaded.table)) std::abort();

    const dawn::WeekdayNames weekdays{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                      "Thursday", "Friday", "Saturday"};
    for (int language = 0; language <= dawn::kLanguageCount; ++language) {
        const dawn::CurrentLabels labels = dawn::ApplyLanguage(loaded.table, language, weekdays);
        for (const std::string* letter : {&labels.hemisphere.north, &labels.hemisphere.east,
                                          &labels.hemisphere.south, &labels.hemisphere.west}) {
            if (letter->size() > 4) std::abort();  // one UTF-8 character at most
        }
    }
    return 0;
}
