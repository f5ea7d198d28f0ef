// Typed lines, from standard input.
#pragma once

#include <cstddef>
#include <string>

#include "console/line_reader.h"

namespace korvante {

// Reads the next typed line into `line`, without its line end, keeping at
// most `max_chars` characters and dropping the rest of a longer line.
// At the end of the input (or a 0x1A byte) the result is LineRead::ended,
// `line` is left as it was, and every later call answers the same at once.
LineRead read_line(std::string& line, std::size_t max_chars);

}  // namespace korvante
