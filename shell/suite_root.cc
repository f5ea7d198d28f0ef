#include "shell/suite_root.h"

#include "launcher/name_rules.h"

namespace korvante {

std::string suite_root(const char* home, const std::string& current_directory) {
  std::string root = home == nullptr || *home == '\0' ? "/KORVANTE" : home;
  if (root.front() != '/') {
    std::string base = current_directory;
    while (!base.empty() && base.back() == '/') base.pop_back();
    root = base + "/" + root;
  }
  while (!root.empty() && root.back() == '/') root.pop_back();
  return root;
}

std::optional<std::string> suite_root_refusal(std::string_view root) {
  // Only what would split or reach the terminal matters here: separators
  // and the other characters of a path are the root's own.
  const bool control = has_control_character(root);
  if (!control && root.find(' ') == std::string_view::npos) return std::nullopt;
  return "korvante: KORVANTE_HOME da la carpeta de la suite «" + printable(root) + "», que contiene " +
         (control ? "un carácter de control" : "un blanco") +
         ": no llegaría a los programas como una sola palabra. Elija otra carpeta.\n";
}

}  // namespace korvante
