// Which module a line typed at the main menu chooses.
#pragma once

#include <optional>
#include <string_view>

namespace korvante {

// `typed` is the line already upper-cased. The first rule that applies wins:
// a number equal to the entry's, or the entry's word anywhere in the line;
// a line beginning with "0" gives the empty selection, which ends the
// program. Nothing when no rule applies (the menu is drawn again).
std::optional<std::string_view> select_module(std::string_view typed);

}  // namespace korvante
