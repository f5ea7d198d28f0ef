#include "shell/windows_suite_root.h"

#include <algorithm>
#include <vector>

namespace korvante {

namespace {

bool is_separator(char c) { return c == '\\' || c == '/'; }

bool is_drive_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool has_drive(std::string_view path) {
  return path.size() >= 2 && is_drive_letter(path[0]) && path[1] == ':';
}

bool same_drive(char a, char b) { return (a | 0x20) == (b | 0x20); }

// A path split as Windows reads it: the root it hangs from ("C:", "" for the
// current drive, "\\server\share" for a share) and the folder names below.
struct PathParts {
  std::string root;
  std::vector<std::string> names;
};

constexpr std::string_view separators = "\\/";

// The end of the name that begins at `at`.
std::size_t name_end(std::string_view path, std::size_t at) {
  return std::min(path.find_first_of(separators, at), path.size());
}

// Adds the names of `path` to `parts`, dropping "." and empty names and
// letting ".." climb one folder, never above the root.
void add_names(PathParts& parts, std::string_view path) {
  for (std::size_t at = 0; at <= path.size();) {
    const std::size_t end = name_end(path, at);
    const std::string_view name = path.substr(at, end - at);
    if (name == "..") {
      if (!parts.names.empty()) parts.names.pop_back();
    } else if (!name.empty() && name != ".") {
      parts.names.emplace_back(name);
    }
    at = end + 1;
  }
}

// Splits an absolute path: "\x", "C:\x", or "\\server\share\x".
PathParts split_absolute(std::string_view path) {
  PathParts parts;
  if (path.size() >= 2 && is_separator(path[0]) && is_separator(path[1])) {
    // The server and share names are the root: ".." never leaves the share.
    parts.root = "\\\\";
    std::size_t at = 2;
    for (int piece = 0; piece < 2 && at < path.size(); ++piece) {
      const std::size_t end = name_end(path, at);
      if (piece > 0) parts.root += '\\';
      parts.root += path.substr(at, end - at);
      at = end + 1;
    }
    if (at < path.size()) add_names(parts, path.substr(at));
    return parts;
  }
  if (has_drive(path)) {
    parts.root = std::string(path.substr(0, 2));
    path.remove_prefix(2);
  }
  add_names(parts, path);
  return parts;
}

std::string joined(const PathParts& parts) {
  std::string path = parts.root;
  for (const std::string& name : parts.names) path += "\\" + name;
  return path;
}

}  // namespace

std::string windows_suite_root(const char* home, std::string_view current_directory) {
  const std::string_view value = home == nullptr || *home == '\0' ? "\\KORVANTE" : home;
  if (!value.empty() && is_separator(value[0])) return joined(split_absolute(value));
  if (has_drive(value)) {
    if (value.size() > 2 && is_separator(value[2])) return joined(split_absolute(value));
    // "C:x" hangs from drive C's current directory; only the current one
    // of the current drive is known, so another drive's is taken as its root.
    PathParts parts;
    if (has_drive(current_directory) && same_drive(current_directory[0], value[0])) {
      parts = split_absolute(current_directory);
    } else {
      parts.root = std::string(value.substr(0, 2));
    }
    add_names(parts, value.substr(2));
    return joined(parts);
  }
  PathParts parts = split_absolute(current_directory);
  add_names(parts, value);
  return joined(parts);
}

}  // namespace korvante
