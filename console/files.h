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

// The path of the entry of `folder` (ending in "/") whose name equals
// `name` without regard to case: `name` itself when it stands there as
// given, else the first such entry in byte order. `folder` + `name` when
// none matches, so that the caller's open fails as for a missing file.
std::string find_ignoring_case(const std::string& folder, const std::string& name);

}  // namespace korvante
