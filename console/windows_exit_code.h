// What a Windows program's exit code says of how it ended. Windows has no
// signals: a program killed by an exception (an access violation, a stack
// overflow, a failed check of its runtime) ends with the exception's
// NTSTATUS code as its exit code, and one ended by Ctrl-C or Ctrl-Break
// with STATUS_CONTROL_C_EXIT.
#pragma once

#include <cstdint>

#include "console/command.h"

namespace korvante {

inline constexpr std::uint32_t status_control_c_exit = 0xC000013A;

// The result of a program that was started and ended with `exit_code`:
// ran, with the code, when it is the program's own; crashed, with the
// code, when it is an error of the system's (the NTSTATUS error codes
// 0xC0000000 and above that are not a program's own, with the customer
// bit clear, and the breakpoint and alignment exceptions); cannot_start
// when the system could not load a DLL the program needs.
CommandResult windows_exit_result(std::uint32_t exit_code);

// Whether the program ended by the interrupt keys, so that the user meant
// them for the whole session.
bool ended_by_interrupt(std::uint32_t exit_code);

}  // namespace korvante
