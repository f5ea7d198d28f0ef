#include "console/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

#include "console/line_reader.h"

namespace korvante {

std::optional<TextFile> open_for_reading(const std::string& path) {
  // O_NONBLOCK: opening a FIFO must not wait for a writer.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat status {};
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    close(fd);
    return std::nullopt;
  }
  return TextFile{fd};
}

std::optional<std::string> read_first_line(TextFile& file, std::size_t max_chars) {
  char chunk[512];
  ssize_t filled = 0;
  ssize_t at = 0;
  ByteStream in{[&]() -> int {
    if (at == filled) {
      do {
        filled = read(file.handle, chunk, sizeof chunk);
      } while (filled < 0 && errno == EINTR);
      at = 0;
      if (filled <= 0) {
        filled = 0;
        return -1;
      }
    }
    return static_cast<unsigned char>(chunk[at++]);
  }};
  std::string line;
  if (read_text_line(in, line, max_chars, LineRest::leave) == LineRead::ended) {
    return std::nullopt;
  }
  return line;
}

void close_file(TextFile& file) {
  if (file.handle >= 0) close(file.handle);
  file.handle = -1;
}

PathKind examine_path(const std::string& path) {
  struct stat entry {};
  if (lstat(path.c_str(), &entry) != 0) return errno == ENOENT ? PathKind::nothing : PathKind::unknown;
  struct stat target {};
  if (stat(path.c_str(), &target) != 0) return errno == ENOENT ? PathKind::broken_link : PathKind::unknown;
  if (S_ISDIR(target.st_mode)) return PathKind::folder;
  // Only a regular file is opened: opening a device can act on it.
  if (!S_ISREG(target.st_mode)) return PathKind::not_a_file;
  std::optional<TextFile> file = open_for_reading(path);
  if (!file) return PathKind::unreadable;
  close_file(*file);
  return PathKind::readable_file;
}

namespace {
bool same_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}
}  // namespace

std::string find_ignoring_case(const std::string& folder, const std::string& name) {
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return folder + name;
  std::string best;
  while (const dirent* entry = readdir(dir)) {
    const std::string_view candidate = entry->d_name;
    if (!same_ignoring_case(candidate, name)) continue;
    if (candidate == name) {
      best = name;
      break;
    }
    if (best.empty() || candidate < best) best = candidate;
  }
  closedir(dir);
  return folder + (best.empty() ? name : best);
}

}  // namespace korvante
