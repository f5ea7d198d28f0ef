// Small text operations on typed lines and names: case, numbers, and
// character-exact cuts of UTF-8 text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace korvante {

// Turns a-z into A-Z; every other byte, accented letters included, stays.
void upper_case_in_place(std::string& text);

// Reads one whole number from the start of `text` the way "%d" does:
// leading white space, one optional sign, then digits up to the first
// non-digit. Nothing when no digit follows. Values beyond 32 bits wrap
// rather than fail, as the scanning conversion gives no error either.
std::optional<int> parse_decimal(std::string_view text);

// Length in bytes of the well-formed UTF-8 sequence at the start of a
// non-empty `text` (1 to 4), or 0 when its first byte begins none: a stray
// continuation byte, an overlong form, a surrogate, beyond U+10FFFF, or cut.
std::size_t utf8_sequence_length(std::string_view text);

// Whether all of `text` is well-formed UTF-8.
bool is_valid_utf8(std::string_view text);

// Number of bytes that the first `max_chars` characters of `text` take.
// A well-formed UTF-8 sequence is one character; any other byte is one
// character by itself, so a cut never splits a character.
std::size_t utf8_prefix_bytes(std::string_view text, std::size_t max_chars);

// Number of characters in `text`, counted as utf8_prefix_bytes does.
std::size_t utf8_length(std::string_view text);

// The first `max_chars` characters of `text`.
std::string_view utf8_prefix(std::string_view text, std::size_t max_chars);

// `text` with each line feed written as a carriage return and a line feed,
// as a Windows text-mode stream writes it to a file or a pipe.
std::string with_crlf_line_ends(std::string_view text);

}  // namespace korvante
