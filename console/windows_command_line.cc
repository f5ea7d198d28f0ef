#include "console/windows_command_line.h"

#include <algorithm>

#include "console/text.h"

namespace korvante {

namespace {

bool needs_argv_quotes(std::string_view word) {
  return word.empty() || word.find_first_of(" \t\n\v\r\"") != std::string_view::npos;
}

// What cmd.exe reads as plain text outside double quotes, in a batch file's
// arguments as in its own command line.
bool is_plain_for_cmd(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
         c == '\\' || c == '/' || c == ':' || c == '.' || c == '_' || c == '-';
}

// In double quotes unless plain. A quoted word's trailing backslashes are
// doubled, as for a program: a batch file mostly hands its arguments on to
// one (%* or %1), whose runtime would read "a\" as a quote.
std::string quote_batch_argument(std::string_view word) {
  if (!word.empty() && std::all_of(word.begin(), word.end(), is_plain_for_cmd)) return std::string(word);
  const std::size_t kept = word.find_last_not_of('\\') + 1;  // npos + 1 is 0
  return "\"" + std::string(word) + std::string(word.size() - kept, '\\') + "\"";
}

// Why `word` cannot reach a program exactly, or nothing.
std::optional<std::string> fault_of(std::string_view word, bool for_batch_file) {
  if (word.find('\0') != std::string_view::npos) return "contiene un carácter nulo";
  if (!is_valid_utf8(word)) return "no es texto UTF-8 válido";
  if (for_batch_file) {
    if (word.find('"') != std::string_view::npos) return "contiene «\"»";
    if (word.find('%') != std::string_view::npos) return "contiene «%»";
    if (word.find_first_of("\r\n") != std::string_view::npos) return "contiene un fin de línea";
  }
  return std::nullopt;
}

// Every word's fault, named by its place: "el nombre del programa" for the
// first, "el argumento N" for the others; empty when none has one.
std::string refusal_of(const std::vector<std::string>& words, bool for_batch_file) {
  const std::string_view why_not = for_batch_file ? " y no puede pasarse a un archivo de órdenes"
                                                  : " y no puede pasarse a un programa";
  for (std::size_t i = 0; i < words.size(); ++i) {
    std::optional<std::string> fault = fault_of(words[i], for_batch_file);
    if (i == 0 && !fault && words[i].find('"') != std::string::npos) fault = "contiene «\"»";
    if (fault) {
      const std::string who = i == 0 ? "el nombre del programa" : "el argumento " + std::to_string(i);
      return who + " " + *fault + std::string(why_not);
    }
  }
  return "";
}

WindowsLaunchPlan refused(std::string reason) { return {std::nullopt, std::move(reason)}; }

WindowsLaunchPlan program_launch(const WindowsProgram& program, const std::vector<std::string>& words) {
  if (std::string reason = refusal_of(words, false); !reason.empty()) return refused(std::move(reason));
  std::string line = "\"" + words[0] + "\"";
  for (std::size_t i = 1; i < words.size(); ++i) line += " " + quote_windows_argument(words[i]);
  return {WindowsLaunch{program.path, std::move(line)}, ""};
}

WindowsLaunchPlan batch_launch(const WindowsProgram& program, std::string_view cmd_exe,
                               const std::vector<std::string>& words) {
  if (cmd_exe.empty()) return refused("no se encuentra cmd.exe, que ejecuta los archivos de órdenes");
  if (cmd_exe.find('"') != std::string_view::npos) return refused("la ruta de cmd.exe contiene «\"»");
  // The batch file's path goes on cmd.exe's line too, and cmd.exe expands
  // "%" and ends the line at a line end inside quotes as well.
  std::vector<std::string> batch_words = words;
  batch_words[0] = program.path;
  if (std::string reason = refusal_of(batch_words, true); !reason.empty()) return refused(std::move(reason));
  // After /c, cmd.exe drops the first and the last double quote of the rest
  // of the line and reads what lies between as its command.
  std::string line = "\"" + std::string(cmd_exe) + "\" /d /e:ON /v:OFF /c \"\"" + program.path + "\"";
  for (std::size_t i = 1; i < words.size(); ++i) line += " " + quote_batch_argument(words[i]);
  line += "\"";
  return {WindowsLaunch{std::string(cmd_exe), std::move(line)}, ""};
}

}  // namespace

std::string quote_windows_argument(std::string_view word) {
  if (!needs_argv_quotes(word)) return std::string(word);
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (char c : word) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes count only before a double quote: there each stands for half a one.
    quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    quoted += c;
    backslashes = 0;
  }
  quoted.append(2 * backslashes, '\\');
  quoted += '"';
  return quoted;
}

WindowsLaunchPlan plan_windows_launch(const WindowsProgram& program, std::string_view cmd_exe,
                                      const std::vector<std::string>& words) {
  if (words.empty()) return refused("no hay programa que ejecutar");
  return program.batch ? batch_launch(program, cmd_exe, words) : program_launch(program, words);
}

}  // namespace korvante
