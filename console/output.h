// Printed text, on standard output; complaints, on standard error.
#pragma once

#include <string_view>

namespace korvante {

// Writes `text` unchanged. On a terminal it is on the screen when this
// returns; otherwise it is buffered until the next command, a full buffer
// or the end of the program, so a transcript keeps the order of output.
void print(std::string_view text);

// Writes `text` to standard error at once, after the pending output.
void print_error(std::string_view text);

// Writes out whatever output is pending.
void flush_output();

}  // namespace korvante
