#include "console/words.h"

namespace korvante {

std::vector<std::string> split_words(std::string_view command_line) {
  std::vector<std::string> words;
  std::size_t at = 0;
  while (at < command_line.size()) {
    at = command_line.find_first_not_of(' ', at);
    if (at == std::string_view::npos) break;
    std::size_t end = command_line.find(' ', at);
    if (end == std::string_view::npos) end = command_line.size();
    words.emplace_back(command_line.substr(at, end - at));
    at = end;
  }
  return words;
}

}  // namespace korvante
