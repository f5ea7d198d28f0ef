// Where the suite lives.
#pragma once

#include <string>

namespace korvante {

// The suite root from the value of KORVANTE_HOME (null when unset) and the
// current directory: "/KORVANTE" when unset or empty, a relative value
// made absolute, trailing slashes dropped ("" stands for "/").
std::string suite_root(const char* home, const std::string& current_directory);

}  // namespace korvante
