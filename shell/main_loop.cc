#include "shell/main_loop.h"

#include <string>

#include "console/command.h"
#include "console/output.h"
#include "console/screen.h"
#include "launcher/launch_tag.h"
#include "launcher/method_runner.h"
#include "launcher/sequence.h"
#include "shell/main_menu.h"
#include "shell/suite_root.h"

namespace korvante {

namespace {
// A selection found in this list is a method; "DOC " is not in it (the
// list ends without a blank), so the documentation runs as a command.
constexpr std::string_view keyword_list = "ABACO AE SMIC ACOB IGO DELFI DOC";

// The suite's programs are started from their folder's name; one that is
// missing or not a folder is said at once, on the first screen, with what
// chooses it.
void check_suite_folder(const std::string& root) {
  const CommandResult cd = run_command("cd " + root);
  if (cd.outcome != RunOutcome::ran || cd.status != 0) {
    print("La carpeta de la suite <" + root + "> " + cd.reason + "; la elige KORVANTE_HOME.\n");
  }
}
}  // namespace

int run_launcher(const Suite& suite) {
  if (const std::optional<std::string> refusal = suite_root_refusal(suite.root)) {
    print_error(*refusal);
    return refused_suite_root_status;
  }
  clear_screen();
  check_suite_folder(suite.root);
  for (;;) {
    const std::optional<std::string> selection = show_main_menu();
    if (!selection || selection->empty()) return 0;
    if (keyword_list.find(*selection) != std::string_view::npos) {
      if (run_method(*selection, launch_tag, suite) == Flow::input_ended) return 0;
    } else {
      Failures failures;
      run_step(failures, *selection);
      print_failures_here(failures);
    }
  }
}

}  // namespace korvante
