#include "console/windows_program_lookup.h"

#include <algorithm>
#include <array>

namespace korvante {

namespace {

// The extensions CreateProcess can start, in the order Windows tries them.
constexpr std::array<std::string_view, 4> startable_extensions = {".COM", ".EXE", ".BAT", ".CMD"};

bool equal_ignoring_case(std::string_view a, std::string_view b) {
  const auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return fold(x) == fold(y); });
}

bool ends_in(std::string_view name, std::string_view extension) {
  return name.size() > extension.size() &&
         equal_ignoring_case(name.substr(name.size() - extension.size()), extension);
}

bool ends_in_startable_extension(std::string_view name) {
  return std::any_of(startable_extensions.begin(), startable_extensions.end(),
                     [&](std::string_view extension) { return ends_in(name, extension); });
}

bool is_batch_file(std::string_view path) { return ends_in(path, ".BAT") || ends_in(path, ".CMD"); }

std::string joined(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (path.back() != '\\' && path.back() != '/') path += '\\';
  path += name;
  return path;
}

// The folders a bare word is looked for in, in order.
std::vector<std::string> search_folders(const WindowsSearchPlaces& places) {
  std::vector<std::string> folders;
  if (!places.programs_folder.empty()) folders.emplace_back(places.programs_folder);
  const std::string_view path = places.path.value_or("");
  for (std::size_t at = 0; at <= path.size();) {
    const std::size_t end = std::min(path.find(';', at), path.size());
    std::string entry(path.substr(at, end - at));
    std::erase(entry, '"');
    if (!entry.empty()) folders.push_back(std::move(entry));
    at = end + 1;
  }
  return folders;
}

}  // namespace

std::vector<std::string> program_extensions(std::optional<std::string_view> path_extensions) {
  std::vector<std::string> extensions;
  const std::string_view list = path_extensions.value_or("");
  for (std::size_t at = 0; at <= list.size();) {
    const std::size_t end = std::min(list.find(';', at), list.size());
    const std::string_view entry = list.substr(at, end - at);
    const auto same = [&](std::string_view other) { return equal_ignoring_case(entry, other); };
    if (std::any_of(startable_extensions.begin(), startable_extensions.end(), same) &&
        std::none_of(extensions.begin(), extensions.end(), same)) {
      extensions.emplace_back(entry);
    }
    at = end + 1;
  }
  if (extensions.empty()) extensions.assign(startable_extensions.begin(), startable_extensions.end());
  return extensions;
}

WindowsProgramSearch find_windows_program(std::string_view word, const WindowsSearchPlaces& places,
                                          const std::function<LookupKind(const std::string&)>& kind_of) {
  WindowsProgramSearch search;
  if (word.empty()) return search;
  const std::vector<std::string> extensions = program_extensions(places.path_extensions);
  // Tries `name` as it is, or with each extension; true once a file is found.
  const auto try_name = [&](const std::string& name) {
    std::vector<std::string> candidates;
    if (ends_in_startable_extension(name)) {
      candidates.push_back(name);
    } else {
      for (const std::string& extension : extensions) candidates.push_back(name + extension);
    }
    for (std::string& candidate : candidates) {
      const LookupKind kind = kind_of(candidate);
      if (kind == LookupKind::file) {
        const bool batch = is_batch_file(candidate);
        search.found = WindowsProgram{std::move(candidate), batch};
        search.folder_in_the_way.reset();
        return true;
      }
      if (kind == LookupKind::folder && !search.folder_in_the_way) search.folder_in_the_way = candidate;
    }
    return false;
  };
  if (word.find_first_of("\\/:") != std::string_view::npos) {
    try_name(std::string(word));
    return search;
  }
  for (const std::string& folder : search_folders(places)) {
    if (try_name(joined(folder, word))) break;
  }
  return search;
}

}  // namespace korvante
