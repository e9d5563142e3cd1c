#pragma once
// Who may edit which cell of the translation grid. The local language
// column is open to everyone; the other language columns open only after the
// access code was typed in the password dialog. The header row (language
// names) and the header column (what each label is for) are never editable.
#include <string_view>

namespace dawn {

// The translator's access code: compared exactly, case and blanks included.
inline constexpr std::string_view AccessCode = "vantorel";

// The label table column of the local language ("Loc").
inline constexpr int LocalLanguageColumn = 1;

// True when `typed` is the access code, character for character.
bool IsAccessCode(std::string_view typed);

// True when the grid may select (and so edit) cell (column, row) of the label
// table; `gridUnlocked` is the outcome of the last password confirmation.
bool GridCellSelectable(bool gridUnlocked, int column, int row);

}  // namespace dawn
