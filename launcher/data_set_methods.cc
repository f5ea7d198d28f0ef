#include "launcher/data_set_methods.h"

#include <optional>
#include <string>

#include "console/files.h"
#include "console/input.h"
#include "console/output.h"
#include "console/screen.h"
#include "launcher/command_line.h"
#include "launcher/failure_text.h"
#include "launcher/name_rules.h"
#include "launcher/sequence.h"

namespace korvante {

namespace {

// A data-set root holds at most this many characters.
constexpr std::size_t root_chars = 19;

bool usable_root(const std::string& line, NameRules names) {
  return line.find('.') == std::string::npos && !name_fault(line, names);
}

// Asks for the data-set root on a cleared screen until the line is a
// usable root: not empty, not longer than its room, no "." (the
// extensions are the method's), and nothing that would split it into two
// words, take it out of the data folder or reach the terminal raw.
// Nothing when the input ends.
std::optional<std::string> ask_root(std::string_view prompt, NameRules names) {
  for (;;) {
    clear_screen();
    print(prompt);
    std::string line;
    const LineRead read = read_line(line, root_chars);
    if (read == LineRead::ended) return std::nullopt;
    if (read == LineRead::whole && usable_root(line, names)) return line;
  }
}

}  // namespace

Flow run_actors_objectives(const MethodContext& method) {
  const auto typed = ask_root("\n\n\n\tArchivo de datos (digite solo la raíz) : ", method.names);
  if (!typed) return Flow::input_ended;
  const std::string& root = *typed;
  const std::string& data = method.folders.data;
  Failures failures;
  run_step(failures, command_line("ACOBDAT ", method.tag, {data, root}));
  run_step(failures, command_line("ACOBMAT ", method.tag, {data, root + ".dta", root + ".rsa"}));
  // Over the last program's screen: it is not cleared. The messages name
  // the result files as they lie in the data folder, in whatever case the
  // programs wrote them; as the programs were told when there are none.
  if (!failures.empty()) {
    show_failures_in_place_of_result(failures);
    return Flow::go_on;
  }
  move_cursor(12, 12);
  print("Archivo de resultados : " + find_ignoring_case(data, root + ".rsa") + "\n");
  return Flow::go_on;
}

Flow run_importance_governability(const MethodContext& method) {
  const auto typed = ask_root("\n\n\n\tArchivo de datos (digite solo la raiz) : ", method.names);
  if (!typed) return Flow::input_ended;
  const std::string& root = *typed;
  const std::string& data = method.folders.data;
  Failures failures;
  run_step(failures, command_line("IGODAT ", method.tag, {data, root}));
  run_step(failures, command_line("IGOCAL ", method.tag, {data, root + ".dti", root + ".rsi", root + ".tmp"}));
  run_step(failures, command_line("IGOGRA ", method.tag, {data, root + ".tmp", root + ".rgi"}));
  clear_screen();
  if (!failures.empty()) {
    show_failures_in_place_of_result(failures);
    return Flow::go_on;
  }
  move_cursor(12, 12);
  print("Archivo de resultados : " + find_ignoring_case(data, root + ".rsi") + "\n");
  move_cursor(12, 14);
  print("Archivo de graficos   : " + find_ignoring_case(data, root + ".rgi") + "\n");
  return Flow::go_on;
}

Flow run_delphi(const MethodContext& method) {
  const auto typed = ask_root("\n\n\n  Nombre del archivo para los datos (digite solo la raiz) : ", method.names);
  if (!typed) return Flow::input_ended;
  const std::string& root = *typed;
  const std::string data_file = method.folders.data + root + ".ddf";
  const std::string result_file = method.folders.data + root + ".rdf";
  // Only where nothing lies is the data set new: DELFIDAT would overwrite
  // whatever it found there, and DELFICV cannot use what cannot be read.
  const PathKind found = examine_path(data_file);
  if (found != PathKind::nothing && found != PathKind::readable_file) {
    clear_screen();
    move_cursor(12, 12);
    print("No puedo usar el archivo de datos <" + data_file + ">: " + std::string(path_kind_reason(found)) + "\n");
    return Flow::go_on;
  }
  Failures failures;
  if (found == PathKind::nothing) run_step(failures, command_line("DELFIDAT ", method.tag, {data_file}));
  run_step(failures, command_line("DELFICV ", method.tag, {data_file, result_file}));
  clear_screen();
  if (!failures.empty()) {
    show_failures_in_place_of_result(failures);
    return Flow::go_on;
  }
  move_cursor(12, 12);
  print("Archivo de datos     : " + data_file + "\n");
  move_cursor(12, 14);
  print("Archivo de reultados : " + result_file + "\n");
  return Flow::go_on;
}

}  // namespace korvante
