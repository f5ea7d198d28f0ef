// Reading one line of text-mode input from a byte stream: carriage returns
// dropped, 0x1A ends the stream, the end stays sticky.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace korvante {

// A stream of bytes. `next_byte` gives the next byte (0..255), or a
// negative value at the end of the input or on a read error.
struct ByteStream {
  std::function<int()> next_byte;
  bool ended = false;  // once set, every read reports the end at once
};

enum class LineRead {
  whole,  // the line fitted
  cut,    // the line held more characters than were kept
  ended,  // the input ended before a single byte; the line is untouched
};

enum class LineRest {
  drop,   // read on to the line end and drop it: one typed line, one answer
  leave,  // stop reading as soon as the line is full
};

// Reads up to the next line feed (not stored) into `line`, keeping at most
// `max_chars` characters (UTF-8, never split). Every carriage return is
// dropped; 0x1A ends the stream; the text stops at a NUL byte, as a C
// string would. At the end of the input `line` is left as it was.
LineRead read_text_line(ByteStream& in, std::string& line, std::size_t max_chars,
                        LineRest rest = LineRest::drop);

}  // namespace korvante
