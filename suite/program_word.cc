#include "suite/program_word.h"

#include <algorithm>

namespace korvante {

namespace {
bool ends_in_ignoring_case(std::string_view name, std::string_view extension) {
  if (name.size() <= extension.size()) return false;
  const std::string_view end = name.substr(name.size() - extension.size());
  return std::equal(end.begin(), end.end(), extension.begin(), [](char a, char b) {
    return (a >= 'a' && a <= 'z' ? static_cast<char>(a - 'a' + 'A') : a) == b;
  });
}
}  // namespace

std::string posix_program_word(std::string_view argv0) {
  const std::size_t slash = argv0.rfind('/');
  return std::string(slash == std::string_view::npos ? argv0 : argv0.substr(slash + 1));
}

std::string windows_program_word(std::string_view argv0) {
  const std::size_t separator = argv0.find_last_of("\\/:");
  std::string_view name = separator == std::string_view::npos ? argv0 : argv0.substr(separator + 1);
  for (std::string_view extension : {".EXE", ".COM"}) {
    if (ends_in_ignoring_case(name, extension)) {
      name.remove_suffix(extension.size());
      break;
    }
  }
  return std::string(name);
}

}  // namespace korvante
