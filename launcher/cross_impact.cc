#include "launcher/cross_impact.h"

#include <string>

#include "console/input.h"
#include "console/output.h"
#include "console/screen.h"
#include "console/text.h"
#include "launcher/command_line.h"
#include "launcher/name_rules.h"
#include "launcher/sequence.h"

namespace korvante {

namespace {

constexpr std::size_t choice_chars = 51;
constexpr std::size_t expert_code_chars = 19;
// The choice that only draws the submenu again.
constexpr int redraw = 9;

// Each piece starts with its line end, so the cursor stays behind the
// last one, where the choice is typed.
constexpr std::string_view submenu =
    "\n\t\t\t┌────────────────────────────────┐"
    "\n\t\t\t│                                │"
    "\n\t\t\t│    0.   Pasa al menú principal │"
    "\n\t\t\t│                                │"
    "\n\t\t\t│    1.   DATOS para un experto  │"
    "\n\t\t\t│                                │"
    "\n\t\t\t│    2.   SMIC para un experto   │"
    "\n\t\t\t│                                │"
    "\n\t\t\t│    3.   SMIC para el promedio  │"
    "\n\t\t\t│                                │"
    "\n\t\t\t└────────────────────────────────┘"
    "\n\t\t\t          ";

// The failures of this visit's programs stand above the submenu, in the
// rows its title leaves free, so that they stay on the screen until the
// main menu's pause is answered.
void draw_submenu(const Failures& failures) {
  clear_screen();
  for (const std::string& failure : failures) print(failure + "\n");
  move_cursor(1, 7);
  print("\t\t  SISTEMA DE MATRICES DE IMPACTO CRUZADO - SMIC\n\n");
  print(submenu);
}

// The expert's code is taken as typed (it may be empty or hold a "."), but
// one longer than its room, or one that would split into two words, leave
// the data folder or reach the terminal raw, is asked for again.
Flow ask_expert_code(std::string& code, NameRules names) {
  for (;;) {
    print("\t\t\tClave del experto : ");
    const LineRead read = read_line(code, expert_code_chars);
    if (read == LineRead::ended) return Flow::input_ended;
    if (read == LineRead::whole && (code.empty() || !name_fault(code, names))) return Flow::go_on;
  }
}

// Runs one program of the submenu. Its failure, if any, replaces an older
// one of the same program: what is shown is how each of the three
// programs last went, one line at most for each.
void run_choice(Failures& failures, const std::string& line) {
  const std::string named = line.substr(0, line.find(' ')) + ":";
  std::erase_if(failures, [&](const std::string& failure) { return failure.starts_with(named); });
  run_step(failures, line);
}

}  // namespace

int next_cross_impact_choice(std::string_view typed, int previous) {
  if (typed.empty()) return redraw;
  return parse_decimal(typed).value_or(previous);
}

Flow run_cross_impact(const MethodContext& method) {
  const std::string& data = method.folders.data;
  // Text without a number repeats the previous choice of this visit; before
  // any choice there is none to repeat, and it only redraws.
  int choice = redraw;
  Failures failures;
  for (;;) {
    draw_submenu(failures);
    std::string typed;
    if (read_line(typed, choice_chars) == LineRead::ended) return Flow::input_ended;
    choice = next_cross_impact_choice(typed, choice);
    switch (choice) {
      case 0:
        return Flow::go_on;
      case 1:
        run_choice(failures, command_line("SMICDAT ", method.tag, {data, "SMICINFO.EST", "DTS"}));
        break;
      case 2: {
        std::string code;
        if (ask_expert_code(code, method.names) == Flow::input_ended) return Flow::input_ended;
        run_choice(failures, command_line("SMICEXP ", method.tag,
                                          {data, "SMICINFO.EST", code + ".DTS", code + ".RSS", code + ".RSP"}));
        break;
      }
      case 3:
        run_choice(failures, command_line("SMICPRO ", method.tag, {data, "SMICINFO.EST", "DTS", "RSP", "PRO"}));
        break;
      default:
        break;
    }
  }
}

}  // namespace korvante
