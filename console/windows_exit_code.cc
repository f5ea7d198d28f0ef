#include "console/windows_exit_code.h"

namespace korvante {

namespace {
// NTSTATUS: severity in the top two bits, then the customer bit, which
// marks a code of a program's own rather than the system's.
constexpr std::uint32_t severity_mask = 0xC0000000;
constexpr std::uint32_t severity_error = 0xC0000000;
constexpr std::uint32_t customer_bit = 0x20000000;

constexpr std::uint32_t status_datatype_misalignment = 0x80000002;
constexpr std::uint32_t status_breakpoint = 0x80000003;
constexpr std::uint32_t status_single_step = 0x80000004;
// The loader's: the program never ran a line of its own.
constexpr std::uint32_t status_dll_not_found = 0xC0000135;
constexpr std::uint32_t status_entry_point_not_found = 0xC0000139;
constexpr std::uint32_t status_ordinal_not_found = 0xC0000138;
constexpr std::uint32_t status_dll_init_failed = 0xC0000142;

bool is_system_exception(std::uint32_t code) {
  if (code == status_datatype_misalignment || code == status_breakpoint || code == status_single_step) return true;
  return (code & severity_mask) == severity_error && (code & customer_bit) == 0;
}
}  // namespace

CommandResult windows_exit_result(std::uint32_t exit_code) {
  switch (exit_code) {
    case status_dll_not_found:
      return {RunOutcome::cannot_start, 0, "falta una biblioteca (DLL) que pide"};
    case status_entry_point_not_found:
    case status_ordinal_not_found:
      return {RunOutcome::cannot_start, 0, "una biblioteca (DLL) que pide no es la que espera"};
    case status_dll_init_failed:
      return {RunOutcome::cannot_start, 0, "una biblioteca (DLL) que pide no pudo iniciarse"};
    default:
      break;
  }
  if (is_system_exception(exit_code)) return {RunOutcome::crashed, exit_code, {}};
  return {RunOutcome::ran, exit_code, {}};
}

bool ended_by_interrupt(std::uint32_t exit_code) { return exit_code == status_control_c_exit; }

}  // namespace korvante
