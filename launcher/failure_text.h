// The launcher's own words for what went wrong: a program that did not do
// its work, a name that cannot be used, a file that cannot be used.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "console/command.h"
#include "console/files.h"
#include "launcher/name_rules.h"

namespace korvante {

// The line that names the program of `command_line` and why it did not do
// its work; nothing when it ran to its end, whatever its exit status.
std::optional<std::string> failure_line(std::string_view command_line, const CommandResult& result);

// Why `name` cannot be used, `name` shown with its control characters
// escaped: "«a b» contiene un blanco".
std::string name_fault_reason(std::string_view name, NameFault fault);

// Why what lies at a path is not a readable regular file: "es una carpeta".
std::string_view path_kind_reason(PathKind kind);

}  // namespace korvante
