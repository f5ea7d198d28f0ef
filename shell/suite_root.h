// Where the suite lives.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvante {

// The suite root from the value of KORVANTE_HOME (null when unset) and the
// current directory: "/KORVANTE" when unset or empty, a relative value
// made absolute, trailing slashes dropped ("" stands for "/").
std::string suite_root(const char* home, const std::string& current_directory);

// The launcher's exit status when it refuses its suite root.
inline constexpr int refused_suite_root_status = 2;

// Why the launcher cannot work with `root`: its folders are words of every
// command line, which is split at blanks, and they are shown on the
// screen, so a blank or a control character in them would split or reach
// the terminal raw. Nothing when the root is usable.
std::optional<std::string> suite_root_refusal(std::string_view root);

}  // namespace korvante
