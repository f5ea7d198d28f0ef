// Typed text that comes as UTF-16 (a Windows console's lines), handed on
// as the UTF-8 bytes the line reader takes.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace korvante {

class Utf16Input {
 public:
  // `read` stores up to `room` UTF-16 units at `units` and says how many;
  // 0 or less at the end of the input or on an error.
  using Reader = std::function<long(char16_t* units, std::size_t room)>;

  explicit Utf16Input(Reader read, std::size_t chunk_units = 256);

  // The next byte of the text in UTF-8 (0..255), or -1 once `read` has
  // reported the end. A surrogate pair split between two reads is joined
  // again; one that stays alone becomes U+FFFD.
  int next_byte();

 private:
  bool refill();

  Reader read_;
  std::size_t chunk_units_;
  std::u16string held_;  // a high surrogate that may pair with the next read
  std::string bytes_;
  std::size_t at_ = 0;
};

}  // namespace korvante
