// Words that a careless quoting for Windows would split, join, expand or
// lose a character of.
#pragma once

#include <string>
#include <vector>

namespace korvante {

inline const std::vector<std::string> hostile_words = {
    "", " ", "\t", "a b", "a\tb", "  lead", "trail  ", "\"", "\"\"", "a\"b", "\"a b\"",
    "\\", "\\\\", "a\\", "a\\\\", "a b\\", "a b\\\\", "a\\\"b", "a\\\\\"b", "\\\"", "\\\\\"",
    "\\KORVANTE\\DATOS\\", "C:\\Mis estudios\\KORVANTE\\DATOS\\", "\\\\server\\share\\",
    "&", "|", "<", ">", "^", "%", "!", "a&b|c<d>e^f%g!h", "%PATH%", "!PATH!", "(x)", "a,b;c=d",
    "Año", "¤§", "┌─┐", "\xf0\x9f\x98\x80", "\"&calc.exe", "%CMDCMDLINE:~-1%&calc.exe",
    "a&echo x>pwned",
};

}  // namespace korvante
