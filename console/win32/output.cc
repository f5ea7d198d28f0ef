#include "console/output.h"

#include <algorithm>
#include <string>

#include "console/text.h"
#include "console/win32/platform.h"

namespace korvante {

namespace {

// A standard stream: a console takes UTF-16, so that what it shows does
// not depend on its code page; anything else takes UTF-8 bytes, each line
// feed written as CR LF as a Windows text-mode stream writes it.
struct Stream {
  HANDLE handle = nullptr;
  bool console = false;
};

Stream output, errors;
std::string pending;  // UTF-8 for a standard output that is not a console
constexpr std::size_t buffer_size = 4096;
// WriteConsoleW of older Windows takes no more than a few kilobytes at once.
constexpr std::size_t console_chunk = 4096;

Stream stream_of(DWORD which) {
  const HANDLE handle = platform::standard_handle(which);
  return {handle, platform::is_console(handle)};
}

void write_to_console(HANDLE console, std::string_view text) {
  const std::wstring units = platform::wide(text);
  for (std::size_t at = 0; at < units.size();) {
    std::size_t count = std::min(console_chunk, units.size() - at);
    // Never half a surrogate pair at the end of a piece.
    if (count < units.size() - at && units[at + count - 1] >= 0xD800 && units[at + count - 1] <= 0xDBFF) --count;
    DWORD written = 0;
    if (!WriteConsoleW(console, units.data() + at, static_cast<DWORD>(count), &written, nullptr) || written == 0) {
      return;
    }
    at += written;
  }
}

void write_to(const Stream& stream, std::string_view text) {
  if (stream.handle == nullptr) return;
  if (stream.console) {
    write_to_console(stream.handle, text);
  } else {
    const std::string bytes = with_crlf_line_ends(text);
    platform::write_all(stream.handle, bytes.data(), bytes.size());
  }
}

}  // namespace

bool platform::write_all(HANDLE handle, const char* data, std::size_t size) {
  while (size > 0) {
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(size, 1 << 20));
    DWORD written = 0;
    // A closed pipe or a full disk: what is printed is then lost, but the
    // dialogue and its programs go on to the end of the input.
    if (!WriteFile(handle, data, piece, &written, nullptr) || written == 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

void platform::start_output() {
  output = stream_of(STD_OUTPUT_HANDLE);
  errors = stream_of(STD_ERROR_HANDLE);
}

void print(std::string_view text) {
  if (output.console || output.handle == nullptr) {
    write_to(output, text);
    return;
  }
  pending += with_crlf_line_ends(text);
  if (pending.size() >= buffer_size) flush_output();
}

void print_error(std::string_view text) {
  flush_output();
  write_to(errors, text);
}

void flush_output() {
  if (pending.empty()) return;
  if (output.handle != nullptr) platform::write_all(output.handle, pending.data(), pending.size());
  pending.clear();
}

}  // namespace korvante
