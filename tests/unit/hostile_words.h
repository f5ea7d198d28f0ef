// Words that a careless quoting for Windows would split, join, expand or
// lose a character of, for the tests of command lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvante {

inline const std::vector<std::string> hostile_words = {
    "", " ", "\t", "a b", "a\tb", "  lead", "trail  ", "\"", "\"\"", "a\"b", "\"a b\"",
    "\\", "\\\\", "a\\", "a\\\\", "a b\\", "a b\\\\", "a\\\"b", "a\\\\\"b", "\\\"", "\\\\\"",
    "\\KORVANTE\\DATOS\\", "C:\\Mis estudios\\KORVANTE\\DATOS\\", "\\\\server\\share\\",
    "&", "|", "<", ">", "^", "%", "!", "a&b|c<d>e^f%g!h", "%PATH%", "!PATH!", "(x)", "a,b;c=d",
    "Año", "¤§", "┌─┐", "\xf0\x9f\x98\x80", "\"&calc.exe", "%CMDCMDLINE:~-1%&calc.exe",
    "a&echo x>pwned", "*", "?.*",
};

// Every word of up to `max_length` characters from `alphabet`.
inline std::vector<std::string> every_word(std::string_view alphabet, std::size_t max_length) {
  std::vector<std::string> words = {""};
  for (std::size_t at = 0; at < words.size(); ++at) {
    if (words[at].size() == max_length) continue;
    for (char c : alphabet) words.push_back(words[at] + c);
  }
  return words;
}

}  // namespace korvante
