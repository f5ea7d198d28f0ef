// Splitting a command line into the words that reach a program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvante {

// Splits at runs of blanks: leading, trailing and repeated blanks give no
// empty words, and every other byte (backslashes, quotes, tabs, shell
// metacharacters) stays in its word unchanged. Nothing is quoted.
std::vector<std::string> split_words(std::string_view command_line);

}  // namespace korvante
