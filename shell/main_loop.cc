#include "shell/main_loop.h"

#include <string>

#include "console/command.h"
#include "console/screen.h"
#include "launcher/launch_tag.h"
#include "launcher/method_runner.h"
#include "shell/main_menu.h"

namespace korvante {

namespace {
// A selection found in this list is a method; "DOC " is not in it (the
// list ends without a blank), so the documentation runs as a command.
constexpr std::string_view keyword_list = "ABACO AE SMIC ACOB IGO DELFI DOC";
}  // namespace

int run_launcher(std::string_view root) {
  clear_screen();
  run_command("cd " + (root.empty() ? std::string("/") : std::string(root)));
  for (;;) {
    const std::optional<std::string> selection = show_main_menu();
    if (!selection || selection->empty()) return 0;
    if (keyword_list.find(*selection) != std::string_view::npos) {
      if (run_method(*selection, launch_tag, root) == Flow::input_ended) return 0;
    } else {
      run_command(*selection);
    }
  }
}

}  // namespace korvante
