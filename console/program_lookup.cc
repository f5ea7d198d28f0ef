#include "console/program_lookup.h"

namespace korvante {

namespace {
// Used when PATH is not set at all, as the C library's own exec functions do.
constexpr std::string_view default_search_path = "/usr/local/bin:/usr/bin:/bin";

// True when `candidate` is the program; otherwise notes the first near miss.
bool try_candidate(const std::string& candidate, const std::function<Candidate(const std::string&)>& examine,
                   ProgramLookup& lookup) {
  const Candidate found = examine(candidate);
  if (found == Candidate::program) {
    lookup.path = candidate;
    return true;
  }
  if (found != Candidate::nothing && lookup.near_miss == Candidate::nothing) {
    lookup.near_miss = found;
    lookup.near_miss_path = candidate;
  }
  return false;
}
}  // namespace

ProgramLookup find_program(std::string_view word, std::string_view programs_folder,
                           std::optional<std::string_view> search_path,
                           const std::function<Candidate(const std::string&)>& examine) {
  ProgramLookup lookup;
  if (word.empty()) return lookup;
  if (word.find('/') != std::string_view::npos) {
    try_candidate(std::string(word), examine, lookup);
    return lookup;
  }
  if (!programs_folder.empty()) {
    std::string candidate(programs_folder);
    if (candidate.back() != '/') candidate += '/';
    candidate += word;
    if (try_candidate(candidate, examine, lookup)) return lookup;
  }
  const std::string_view path = search_path.value_or(default_search_path);
  std::size_t at = 0;
  for (;;) {
    std::size_t end = path.find(':', at);
    if (end == std::string_view::npos) end = path.size();
    std::string candidate(end > at ? path.substr(at, end - at) : std::string_view("."));
    if (candidate.back() != '/') candidate += '/';
    candidate += word;
    if (try_candidate(candidate, examine, lookup)) return lookup;
    if (end == path.size()) break;
    at = end + 1;
  }
  return lookup;
}

}  // namespace korvante
