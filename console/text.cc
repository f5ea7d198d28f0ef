#include "console/text.h"

#include <cstdint>

namespace korvante {

void upper_case_in_place(std::string& text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
}

std::optional<int> parse_decimal(std::string_view text) {
  std::size_t i = 0;
  auto is_space = [](char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
  };
  while (i < text.size() && is_space(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size() || text[i] < '0' || text[i] > '9') return std::nullopt;
  // Unsigned arithmetic, so that an overlong number wraps instead of
  // overflowing a signed value.
  std::uint32_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<int>(value);
}

std::size_t utf8_sequence_length(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  if (byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

bool is_valid_utf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = utf8_sequence_length(text.substr(at));
    if (length == 0) return false;
    at += length;
  }
  return true;
}

std::size_t utf8_prefix_bytes(std::string_view text, std::size_t max_chars) {
  std::size_t at = 0;
  for (std::size_t chars = 0; chars < max_chars && at < text.size(); ++chars) {
    const std::size_t length = utf8_sequence_length(text.substr(at));
    at += length == 0 ? 1 : length;
  }
  return at;
}

std::size_t utf8_length(std::string_view text) {
  std::size_t chars = 0;
  for (std::size_t at = 0; at < text.size(); ++chars) {
    const std::size_t length = utf8_sequence_length(text.substr(at));
    at += length == 0 ? 1 : length;
  }
  return chars;
}

std::string_view utf8_prefix(std::string_view text, std::size_t max_chars) {
  return text.substr(0, utf8_prefix_bytes(text, max_chars));
}

std::string with_crlf_line_ends(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace korvante
