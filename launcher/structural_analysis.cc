#include "launcher/structural_analysis.h"

#include <optional>
#include <string>

#include "console/command.h"
#include "console/files.h"
#include "console/input.h"
#include "console/output.h"
#include "console/screen.h"
#include "console/text.h"
#include "launcher/command_line.h"

namespace korvante {

namespace {

constexpr std::string_view information_file = "AEINFO.TMP";
constexpr std::size_t study_name_chars = 49;
constexpr std::size_t short_name_chars = 9;
constexpr std::size_t discarded_line_chars = 199;

// The study name on the first line of the information file, which AEDAT
// may have written as "aeinfo.tmp": the name is matched without regard to
// case. Nothing when the file is missing, unreadable or empty.
std::optional<std::string> read_study_name(const std::string& data_folder, std::size_t max_chars) {
  std::optional<TextFile> file =
      open_for_reading(find_ignoring_case(data_folder, std::string(information_file)));
  if (!file) return std::nullopt;
  std::optional<std::string> name = read_first_line(*file, max_chars);
  close_file(*file);
  return name;
}

}  // namespace

Flow run_structural_analysis(const MethodContext& method) {
  const std::string& data = method.folders.data;
  run_command(command_line("AEDAT ", method.tag, {data, "aeinfo.tmp", "dte"}));

  const std::optional<std::string> name = read_study_name(data, study_name_chars);
  if (!name) {
    print("\nNo encuentro <" + data + std::string(information_file) + ">\n");
    std::string discarded;
    if (read_line(discarded, discarded_line_chars) == LineRead::ended) return Flow::input_ended;
    // Without a study name the analysis programs have nothing to work on.
    return Flow::go_on;
  }

  const std::string results = *name + ".rse";
  run_command(command_line("aemat ", method.tag, {data, *name + ".dte", results}));
  run_command(command_line("aegraf ", method.tag, {data, "ae.mdd", results}));
  run_command(command_line("aeproy ", method.tag, {data, "ae.mdd", results}));
  run_command(command_line("aegraf ", method.tag, {data, "ae.mdi", results}));
  run_command(command_line("aeproy ", method.tag, {data, "ae.mdi", results}));
  run_command(command_line("aegraf ", method.tag, {data, "ae.mm", results}));

  // Read afresh: a program of the sequence may have renamed the study.
  const std::string short_name = read_study_name(data, short_name_chars)
                                     .value_or(std::string(utf8_prefix(*name, short_name_chars)));
  move_cursor(12, 12);
  print("Archivo de resultados : " + data + short_name + ".RSE\n");
  return Flow::go_on;
}

}  // namespace korvante
