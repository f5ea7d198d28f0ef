// A method's programs, run one after another. A program that could not
// start or was ended by a signal does not stop the sequence (a later one
// may still be of use), but it is named to the user, and no result is
// claimed for the method.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvante {

using Failures = std::vector<std::string>;  // one line per program that did not do its work

// Runs `line`; when its program did not do its work, adds why to `failures`.
void run_step(Failures& failures, std::string_view line);

// The failure lines where the method's result message would stand:
// column 12, from row 12 on, one row each.
void show_failures_in_place_of_result(const Failures& failures);

// The failure lines where the cursor stands, each on a line of its own.
void print_failures_here(const Failures& failures);

}  // namespace korvante
