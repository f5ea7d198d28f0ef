#include "launcher/failure_text.h"

#include <cstdio>

namespace korvante {

std::optional<std::string> failure_line(std::string_view command_line, const CommandResult& result) {
  const std::size_t start = std::min(command_line.find_first_not_of(' '), command_line.size());
  const std::string_view rest = command_line.substr(start);
  const std::string word(rest.substr(0, rest.find(' ')));
  switch (result.outcome) {
    case RunOutcome::ran:
      return std::nullopt;
    case RunOutcome::not_found:
      return word + ": no se encuentra el programa";
    case RunOutcome::cannot_start:
      return word + ": no se puede iniciar: " + result.reason;
    case RunOutcome::signalled:
      return word + ": terminó por la señal " + std::to_string(result.status);
    case RunOutcome::crashed: {
      char code[16];
      std::snprintf(code, sizeof code, "0x%08X", result.status);
      return word + ": terminó de forma anormal (" + code + ")";
    }
  }
  return std::nullopt;
}

std::string name_fault_reason(std::string_view name, NameFault fault) {
  const std::string quoted = "«" + printable(name) + "»";
  switch (fault) {
    case NameFault::empty:
      return "el nombre está vacío";
    case NameFault::blank:
      return quoted + " contiene un blanco";
    case NameFault::slash:
      return quoted + " contiene una barra (/)";
    case NameFault::control:
      return quoted + " contiene un carácter de control";
    case NameFault::windows_character:
      return quoted + " contiene un carácter que Windows no admite en un nombre de archivo";
    case NameFault::windows_device:
      return quoted + " es el nombre de un dispositivo de Windows";
  }
  return quoted;
}

std::string_view path_kind_reason(PathKind kind) {
  switch (kind) {
    case PathKind::nothing:
      return "no existe";
    case PathKind::readable_file:
      return "se puede leer";
    case PathKind::unreadable:
      return "no se puede leer";
    case PathKind::folder:
      return "es una carpeta";
    case PathKind::not_a_file:
      return "no es un archivo normal (es una FIFO, un dispositivo o un socket)";
    case PathKind::broken_link:
      return "es un enlace simbólico a nada";
    case PathKind::unknown:
      return "no se puede examinar";
  }
  return "no se puede examinar";
}

}  // namespace korvante
