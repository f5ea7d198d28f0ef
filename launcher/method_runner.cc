#include "launcher/method_runner.h"

#include "launcher/command_line.h"
#include "launcher/cross_impact.h"
#include "launcher/data_set_methods.h"
#include "launcher/sequence.h"
#include "launcher/structural_analysis.h"

namespace korvante {

namespace {

// Régnier's abacus needs no dialogue: one line, nothing shown around it
// but a failure of its program.
Flow run_abaco(const MethodContext& method) {
  Failures failures;
  run_step(failures, command_line("ABACO ", method.tag, {method.folders.programs, method.folders.data}));
  print_failures_here(failures);
  return Flow::go_on;
}

}  // namespace

Flow run_method(std::string_view selection, std::string_view tag, const Suite& suite) {
  const MethodContext method{suite.folders, tag, suite.names};
  struct Branch {
    std::string_view selection;
    Flow (*run)(const MethodContext&);
  };
  // Matched in this order, each against the whole selection.
  static constexpr Branch branches[] = {
      {"ABACO ", run_abaco},
      {"AE ", run_structural_analysis},
      {"SMIC ", run_cross_impact},
      {"ACOB ", run_actors_objectives},
      {"IGO ", run_importance_governability},
      {"DELFI ", run_delphi},
  };
  for (const Branch& branch : branches) {
    if (selection == branch.selection) return branch.run(method);
  }
  return Flow::go_on;
}

}  // namespace korvante
