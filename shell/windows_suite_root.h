// Where the suite lives, on Windows.
#pragma once

#include <string>
#include <string_view>

namespace korvante {

// The suite root from the value of KORVANTE_HOME (null when unset) and the
// current directory (as GetCurrentDirectory gives it): "\KORVANTE", on the
// current drive, when unset or empty; otherwise the value made absolute
// against the current directory ("x", ".\x", "..\x"; "C:x" against the
// current directory when it is on drive C, else against "C:\"), "/" read
// as "\", "." and ".." segments and repeated separators folded away as
// Windows folds them, no trailing separator ("" stands for "\", "C:" for
// "C:\"). Rooted values ("\x", "C:\x", "\\server\share\x") keep their
// root.
std::string windows_suite_root(const char* home, std::string_view current_directory);

}  // namespace korvante
