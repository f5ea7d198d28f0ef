#include "launcher/structural_analysis.h"

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

// AEDAT is told to write the information file under this name.
constexpr std::string_view told_name = "aeinfo.tmp";
constexpr std::size_t study_name_chars = 49;
constexpr std::size_t discarded_line_chars = 199;

// The information file as it lies in the data folder: the name AEDAT was
// told when it is there, so that an old file in another case never stands
// in for the fresh one; else that name in any case.
std::string information_file(const std::string& data) { return find_ignoring_case(data, std::string(told_name)); }

// The study name on the first line of the information file. Nothing when
// the file is missing, unreadable or empty.
std::optional<std::string> read_study_name(const std::string& path) {
  std::optional<TextFile> file = open_for_reading(path);
  if (!file) return std::nullopt;
  std::optional<std::string> name = read_first_line(*file, study_name_chars);
  close_file(*file);
  return name;
}

// Shows what stopped the method and waits for the user's Enter. The
// programs' failures come first: they are what the user must mend.
Flow stop_with(const Failures& failures, const std::string& message) {
  print_failures_here(failures);
  print(message);
  std::string discarded;
  if (read_line(discarded, discarded_line_chars) == LineRead::ended) return Flow::input_ended;
  return Flow::go_on;
}

}  // namespace

Flow run_structural_analysis(const MethodContext& method) {
  const std::string& data = method.folders.data;
  Failures failures;
  run_step(failures, command_line("AEDAT ", method.tag, {data, told_name, "dte"}));

  const std::string info = information_file(data);
  const std::optional<std::string> name = read_study_name(info);
  // Without a study name the analysis programs have nothing to work on.
  if (!name) return stop_with(failures, "\nNo encuentro <" + data + "AEINFO.TMP>\n");
  // The name becomes a word of every command line and a file name in the
  // data folder: one that would split, leave the folder or reach the
  // terminal raw runs nothing.
  if (const std::optional<NameFault> fault = name_fault(*name, method.names)) {
    return stop_with(failures, "\nNombre de estudio no válido en <" + info + ">: " + name_fault_reason(*name, *fault) + "\n");
  }

  const std::string results = *name + ".rse";
  run_step(failures, command_line("aemat ", method.tag, {data, *name + ".dte", results}));
  run_step(failures, command_line("aegraf ", method.tag, {data, "ae.mdd", results}));
  run_step(failures, command_line("aeproy ", method.tag, {data, "ae.mdd", results}));
  run_step(failures, command_line("aegraf ", method.tag, {data, "ae.mdi", results}));
  run_step(failures, command_line("aeproy ", method.tag, {data, "ae.mdi", results}));
  run_step(failures, command_line("aegraf ", method.tag, {data, "ae.mm", results}));

  // Over the last program's screen: it is not cleared.
  if (!failures.empty()) {
    show_failures_in_place_of_result(failures);
    return Flow::go_on;
  }
  // Read afresh: a program of the sequence may have renamed the study. A
  // name that cannot be shown, or no name, leaves the one the programs got.
  const std::optional<std::string> renamed = read_study_name(information_file(data));
  const std::string& shown = renamed && !name_fault(*renamed, method.names) ? *renamed : *name;
  move_cursor(12, 12);
  print("Archivo de resultados : " + find_ignoring_case(data, shown + ".rse") + "\n");
  return Flow::go_on;
}

}  // namespace korvante
