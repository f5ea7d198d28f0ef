#include "console/line_reader.h"

#include "console/text.h"

namespace korvante {

namespace {
constexpr int end_of_file_byte = 0x1A;
// A UTF-8 character takes at most four bytes.
constexpr std::size_t max_bytes_per_char = 4;
}  // namespace

LineRead read_text_line(ByteStream& in, std::string& line, std::size_t max_chars,
                        LineRest rest) {
  if (in.ended) return LineRead::ended;
  const std::size_t keep_bytes = max_chars * max_bytes_per_char;
  std::string text;
  std::size_t line_bytes = 0;  // of the line, whether kept or not
  bool dropped = false;
  bool after_nul = false;
  for (;;) {
    const int c = in.next_byte();
    if (c < 0 || c == end_of_file_byte) {
      in.ended = true;
      break;
    }
    ++line_bytes;
    if (c == '\n') break;
    // Past the room of the line nothing more can be kept: a file of NULs
    // or carriage returns must not be read to its end either.
    if (rest == LineRest::leave && line_bytes > keep_bytes) {
      dropped = true;
      break;
    }
    if (c == '\r') continue;
    if (c == 0) after_nul = true;
    if (after_nul) continue;
    if (text.size() < keep_bytes) {
      text.push_back(static_cast<char>(c));
    } else {
      dropped = true;
    }
  }
  const bool read_any = line_bytes > 0;
  if (!read_any) return LineRead::ended;
  const std::size_t kept = utf8_prefix_bytes(text, max_chars);
  if (kept < text.size()) dropped = true;
  text.resize(kept);
  line = std::move(text);
  return dropped ? LineRead::cut : LineRead::whole;
}

}  // namespace korvante
