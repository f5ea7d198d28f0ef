#include "launcher/data_set_methods.h"

#include <optional>
#include <string>

#include "console/command.h"
#include "console/files.h"
#include "console/input.h"
#include "console/output.h"
#include "console/screen.h"
#include "launcher/command_line.h"

namespace korvante {

namespace {

// A data-set root holds at most this many characters.
constexpr std::size_t root_chars = 19;

// Asks for the data-set root on a cleared screen until the line is a
// usable root: not empty, no ".", not longer than the root's room. Blanks
// are allowed, a root of blanks only included. Nothing when the input ends.
std::optional<std::string> ask_root(std::string_view prompt) {
  for (;;) {
    clear_screen();
    print(prompt);
    std::string line;
    const LineRead read = read_line(line, root_chars);
    if (read == LineRead::ended) return std::nullopt;
    if (read == LineRead::whole && !line.empty() && line.find('.') == std::string::npos) {
      return line;
    }
  }
}

}  // namespace

Flow run_actors_objectives(const MethodContext& method) {
  const auto typed = ask_root("\n\n\n\tArchivo de datos (digite solo la raíz) : ");
  if (!typed) return Flow::input_ended;
  const std::string& root = *typed;
  const std::string& data = method.folders.data;
  run_command(command_line("ACOBDAT ", method.tag, {data, root}));
  run_command(command_line("ACOBMAT ", method.tag, {data, root + ".dta", root + ".rsa"}));
  // Over the last program's screen: it is not cleared.
  move_cursor(12, 12);
  print("Archivo de resultados : " + data + root + ".RSA\n");
  return Flow::go_on;
}

Flow run_importance_governability(const MethodContext& method) {
  const auto typed = ask_root("\n\n\n\tArchivo de datos (digite solo la raiz) : ");
  if (!typed) return Flow::input_ended;
  const std::string& root = *typed;
  const std::string& data = method.folders.data;
  run_command(command_line("IGODAT ", method.tag, {data, root}));
  run_command(command_line("IGOCAL ", method.tag,
                           {data, root + ".dti", root + ".rsi", root + ".tmp"}));
  run_command(command_line("IGOGRA ", method.tag, {data, root + ".tmp", root + ".rgi"}));
  clear_screen();
  move_cursor(12, 12);
  print("Archivo de resultados : " + data + root + ".RSI\n");
  move_cursor(12, 14);
  print("Archivo de graficos   : " + data + root + ".RGI\n");
  return Flow::go_on;
}

Flow run_delphi(const MethodContext& method) {
  const auto typed = ask_root("\n\n\n  Nombre del archivo para los datos (digite solo la raiz) : ");
  if (!typed) return Flow::input_ended;
  const std::string& root = *typed;
  const std::string data_file = method.folders.data + root + ".ddf";
  // A data set is new exactly when its data file cannot be read.
  if (std::optional<TextFile> existing = open_for_reading(data_file)) {
    close_file(*existing);
  } else {
    run_command(command_line("DELFIDAT ", method.tag, {data_file}));
  }
  const std::string result_file = method.folders.data + root + ".rdf";
  run_command(command_line("DELFICV ", method.tag, {data_file, result_file}));
  clear_screen();
  move_cursor(12, 12);
  print("Archivo de datos     : " + data_file + "\n");
  move_cursor(12, 14);
  print("Archivo de reultados : " + result_file + "\n");
  return Flow::go_on;
}

}  // namespace korvante
