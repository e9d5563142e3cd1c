#include "present/accessibletext.h"

#include "present/texts.h"

namespace dawn {
namespace {

std::string Replaced(std::string pattern, const std::string& key, const std::string& value) {
    const std::size_t at = pattern.find(key);
    if (at != std::string::npos) pattern.replace(at, key.size(), value);
    return pattern;
}

}  // namespace

AccessibleText AccessibleRowText(const RowView& row, Row which, const CurrentLabels& labels,
                                 const std::string& emptyClock) {
    AccessibleText text;
    text.name = std::string(CaptionWithoutColon(row.caption));
    const std::string value(Trimmed(row.value));
    if (!value.empty() && value != Trimmed(emptyClock)) text.name += " " + value;
    const std::string change(Trimmed(row.delta));
    const bool more = row.sign == "+";
    const bool none = change.find_first_of("123456789") == std::string::npos;  // "00:00"
    if (none || change == Trimmed(emptyClock) || (!more && row.sign != "-")) return text;
    int pattern = 0;
    switch (which) {
        case Row::Rise:
            pattern = more ? label::kChangeEarlier : label::kChangeLater;
            break;
        case Row::Set:
            pattern = more ? label::kChangeLater : label::kChangeEarlier;
            break;
        case Row::Length:
            pattern = more ? label::kChangeLonger : label::kChangeShorter;
            break;
    }
    text.description = Replaced(labels[pattern], "{change}", change);
    return text;
}

}  // namespace dawn
