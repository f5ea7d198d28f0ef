#include "console/utf16_input.h"

#include <utility>

#include "console/utf16.h"

namespace korvante {

Utf16Input::Utf16Input(Reader read, std::size_t chunk_units)
    : read_(std::move(read)), chunk_units_(chunk_units < 2 ? 2 : chunk_units) {}

bool Utf16Input::refill() {
  std::u16string units = std::move(held_);
  held_.clear();
  const std::size_t kept = units.size();
  units.resize(kept + chunk_units_);
  const long got = read_(units.data() + kept, chunk_units_);
  if (got <= 0) {
    // The end: a high surrogate held back has nothing left to pair with.
    if (kept == 0) return false;
    units.resize(kept);
  } else {
    units.resize(kept + static_cast<std::size_t>(got));
    if (const char16_t last = units.back(); last >= 0xD800 && last <= 0xDBFF) {
      held_ = last;
      units.pop_back();
    }
  }
  bytes_ = utf8_from_utf16(units);
  at_ = 0;
  return true;
}

int Utf16Input::next_byte() {
  while (at_ == bytes_.size()) {
    if (!refill()) return -1;
  }
  return static_cast<unsigned char>(bytes_[at_++]);
}

}  // namespace korvante
