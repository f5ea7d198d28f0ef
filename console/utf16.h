// UTF-16 at the Win32 boundary, UTF-8 everywhere inside: the one place
// where text changes form, each way.
#pragma once

#include <string>
#include <string_view>

namespace korvante {

// The UTF-16 form of `text`. Each byte that begins no well-formed UTF-8
// sequence becomes one U+FFFD, so the result has as many characters as
// utf8_length counts.
std::u16string utf16_from_utf8(std::string_view text);

// The UTF-8 form of `text`. A surrogate that is not part of a pair (a high
// one not followed by a low one, or a low one alone) becomes U+FFFD.
std::string utf8_from_utf16(std::u16string_view text);

}  // namespace korvante
