// The few files the launcher reads: never written, never blocking.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace korvante {

struct TextFile {
  int handle = -1;
};

// Opens an existing regular file for reading. Nothing when it is missing,
// unreadable, or not a regular file (a FIFO or device in its place counts
// as missing, and opening it never waits).
std::optional<TextFile> open_for_reading(const std::string& path);

// The first line of `file`, without its line end, cut to `max_chars`
// characters; carriage returns dropped, 0x1A ends the file. Reads no more
// of the file than the line needs. Nothing when the file is empty or
// cannot be read.
std::optional<std::string> read_first_line(TextFile& file, std::size_t max_chars);

void close_file(TextFile& file);

// What lies at a path, told without opening anything but a regular file.
enum class PathKind {
  nothing,        // no entry of that name: free for a new file
  readable_file,  // a regular file that opens for reading
  unreadable,     // a regular file that does not open for reading
  folder,
  not_a_file,     // a FIFO, a device, a socket
  broken_link,    // a symbolic link to nothing
  unknown,        // it cannot be examined (no permission on the folder, ...)
};
PathKind examine_path(const std::string& path);

// The path of the entry of `folder` (ending in the separator) whose name
// equals `name` without regard to case: `name` itself when it stands
// there as given, else the first such entry in byte order. `folder` +
// `name` when none matches.
std::string find_ignoring_case(const std::string& folder, const std::string& name);

}  // namespace korvante
