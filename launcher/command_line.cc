#include "launcher/command_line.h"

namespace korvante {

std::string command_line(std::string_view program_word, std::string_view tag,
                         std::initializer_list<std::string_view> arguments) {
  std::string line(program_word);
  line += tag;
  for (std::string_view argument : arguments) {
    line += ' ';
    line += argument;
  }
  return line;
}

}  // namespace korvante
