// Running a command line: one program, started directly, waited for.
#pragma once

#include <string_view>

namespace korvante {

// Splits `command_line` into words at runs of blanks and starts the program
// named by the first word, with the others as its arguments, in the same
// terminal, process group and environment; waits for it to end.
// A first word "cd" only checks that its directory exists: it changes
// nothing in the launcher. Output pending is written out first.
// Result: the exit status; 127 when the program is not found, 126 when it
// cannot be started, 128 + the signal when a signal ended it.
int run_command(std::string_view command_line);

}  // namespace korvante
