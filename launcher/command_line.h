// Assembling a child's command line.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace korvante {

// The program word (which carries its own trailing blank), the launch tag
// right after it, then one blank before each argument. Nothing is quoted:
// an argument holding blanks reaches the child as several words.
std::string command_line(std::string_view program_word, std::string_view tag,
                         std::initializer_list<std::string_view> arguments);

}  // namespace korvante
