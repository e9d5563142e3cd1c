#include "i18n/accesscode.h"

namespace dawn {

bool IsAccessCode(std::string_view typed) {
    return typed == AccessCode;
}

bool GridCellSelectable(bool gridUnlocked, int column, int row) {
    if (column < 1 || row < 1) return false;  // the fixed headers
    return gridUnlocked || column == LocalLanguageColumn;
}

}  // namespace dawn
