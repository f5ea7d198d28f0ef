#include "launcher/name_rules.h"

#include <array>
#include <cstdio>

#include "console/text.h"

namespace korvante {

namespace {

// Length of the control character at the start of `text`, or 0: a C0 byte,
// DEL, or U+0080..U+009F, which UTF-8 writes as C2 80..C2 9F.
std::size_t control_length(std::string_view text) {
  const auto byte = static_cast<unsigned char>(text[0]);
  if (byte < 0x20 || byte == 0x7F) return 1;
  if (byte == 0xC2 && text.size() > 1) {
    const auto next = static_cast<unsigned char>(text[1]);
    if (next >= 0x80 && next <= 0x9F) return 2;
  }
  return 0;
}

bool is_windows_character(char c) {
  constexpr std::string_view refused = "\\:*?\"<>|";
  return refused.find(c) != std::string_view::npos;
}

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Windows opens a device, not a file, for these names whatever extension
// follows them: \KORVANTE\DATOS\CON.ddf is the console.
bool is_windows_device(std::string_view name) {
  std::string stem(name.substr(0, name.find('.')));
  for (char& c : stem) c = upper(c);
  static constexpr std::array<std::string_view, 6> bare = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  for (std::string_view device : bare) {
    if (stem == device) return true;
  }
  if (stem.size() < 4 || (stem.compare(0, 3, "COM") != 0 && stem.compare(0, 3, "LPT") != 0)) return false;
  const std::string_view number = std::string_view(stem).substr(3);
  // COM1-COM9, and the superscript digits ¹ ² ³ that Windows also takes.
  return (number.size() == 1 && number[0] >= '1' && number[0] <= '9') || number == "¹" || number == "²" ||
         number == "³";
}

}  // namespace

std::optional<NameFault> name_fault(std::string_view name, NameRules rules) {
  if (name.empty()) return NameFault::empty;
  for (std::size_t at = 0; at < name.size(); ++at) {
    if (control_length(name.substr(at)) > 0) return NameFault::control;
    if (name[at] == ' ') return NameFault::blank;
    if (name[at] == '/') return NameFault::slash;
    if (rules == NameRules::windows && is_windows_character(name[at])) return NameFault::windows_character;
  }
  if (rules == NameRules::windows) {
    // A Windows file name is UTF-16: bytes that are not UTF-8 cannot reach
    // a program, nor the disk, as they were typed.
    if (!is_valid_utf8(name)) return NameFault::windows_character;
    if (is_windows_device(name)) return NameFault::windows_device;
  }
  return std::nullopt;
}

bool has_control_character(std::string_view text) {
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (control_length(text.substr(at)) > 0) return true;
  }
  return false;
}

std::string printable(std::string_view text) {
  std::string shown;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = control_length(text.substr(at));
    if (length == 0) {
      shown += text[at++];
      continue;
    }
    for (std::size_t i = 0; i < length; ++i, ++at) {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned char>(text[at]));
      shown += escape;
    }
  }
  return shown;
}

}  // namespace korvante
