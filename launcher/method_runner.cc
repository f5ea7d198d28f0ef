#include "launcher/method_runner.h"

#include "console/command.h"
#include "launcher/command_line.h"
#include "launcher/folders.h"

namespace korvante {

namespace {

// Régnier's abacus needs no dialogue: one line, nothing shown around it.
Flow run_abaco(const Folders& folders, std::string_view tag) {
  run_command(command_line("ABACO ", tag, {folders.programs, folders.data}));
  return Flow::go_on;
}

}  // namespace

Flow run_method(std::string_view selection, std::string_view tag, std::string_view root) {
  const Folders folders = folders_of(root);
  if (selection == "ABACO ") return run_abaco(folders, tag);
  return Flow::go_on;
}

}  // namespace korvante
