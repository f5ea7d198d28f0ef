#include "launcher/sequence.h"

#include "console/command.h"
#include "console/output.h"
#include "console/screen.h"
#include "launcher/failure_text.h"

namespace korvante {

void run_step(Failures& failures, std::string_view line) {
  if (std::optional<std::string> failure = failure_line(line, run_command(line))) {
    failures.push_back(std::move(*failure));
  }
}

void show_failures_in_place_of_result(const Failures& failures) {
  int row = 12;
  for (const std::string& failure : failures) {
    move_cursor(12, row++);
    print(failure + "\n");
  }
}

void print_failures_here(const Failures& failures) {
  for (const std::string& failure : failures) print("\n" + failure);
  if (!failures.empty()) print("\n");
}

}  // namespace korvante
