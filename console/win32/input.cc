#include "console/input.h"

#include <optional>

#include "console/utf16_input.h"
#include "console/win32/platform.h"

namespace korvante {

namespace {

HANDLE input = nullptr;

// One byte at a time: the suite's programs read the same standard input
// after the launcher, so it must not take any byte beyond the line's end.
int next_file_byte() {
  unsigned char byte = 0;
  DWORD got = 0;
  if (input == nullptr || !ReadFile(input, &byte, 1, &got, nullptr) || got == 0) return -1;
  return byte;
}

// A line of the console as it typed it, UTF-16 whatever its code page.
long read_console(char16_t* units, std::size_t room) {
  DWORD got = 0;
  if (!ReadConsoleW(input, units, static_cast<DWORD>(room), &got, nullptr)) return -1;
  // A line read that ends with nothing at all, not even its line end, was
  // cut short by the interrupt keys, whose handler is ending the launcher:
  // this is not the end of the input, and must not end it with status 0.
  if (got == 0) platform::end_by_interrupt();
  return static_cast<long>(got);
}

std::optional<Utf16Input> console_input;
ByteStream standard_input{[]() -> int { return console_input ? console_input->next_byte() : next_file_byte(); }};

}  // namespace

void platform::start_input() {
  input = standard_handle(STD_INPUT_HANDLE);
  if (is_console(input)) console_input.emplace(read_console);
}

LineRead read_line(std::string& line, std::size_t max_chars) {
  return read_text_line(standard_input, line, max_chars);
}

}  // namespace korvante
