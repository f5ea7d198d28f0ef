#include "console/program_lookup.h"

namespace korvante {

namespace {
// Used when PATH is not set at all, as the C library's own exec functions do.
constexpr std::string_view default_search_path = "/usr/local/bin:/usr/bin:/bin";
}  // namespace

std::optional<std::string> find_program(
    std::string_view word, std::string_view programs_folder,
    std::optional<std::string_view> search_path,
    const std::function<bool(const std::string&)>& is_program) {
  if (word.empty()) return std::nullopt;
  if (word.find('/') != std::string_view::npos) return std::string(word);
  if (!programs_folder.empty()) {
    std::string candidate(programs_folder);
    if (candidate.back() != '/') candidate += '/';
    candidate += word;
    if (is_program(candidate)) return candidate;
  }
  const std::string_view path = search_path.value_or(default_search_path);
  std::size_t at = 0;
  for (;;) {
    std::size_t end = path.find(':', at);
    if (end == std::string_view::npos) end = path.size();
    std::string candidate(end > at ? path.substr(at, end - at) : std::string_view("."));
    if (candidate.back() != '/') candidate += '/';
    candidate += word;
    if (is_program(candidate)) return candidate;
    if (end == path.size()) break;
    at = end + 1;
  }
  return std::nullopt;
}

}  // namespace korvante
