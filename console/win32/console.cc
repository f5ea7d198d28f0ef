#include <atomic>
#include <optional>

#include "console/utf16.h"
#include "console/win32/platform.h"
#include "console/windows_exit_code.h"

namespace korvante {

namespace {

// The console's modes at start-up, put back after every program, as the
// terminal's settings are on POSIX: a program that leaves echo or line
// input off must not leave the next prompt unusable.
std::optional<DWORD> input_mode, output_mode;

std::atomic<bool> program_running{false};
// When the last program ended. The console hands each of its processes the
// interrupt on a thread of its own, so the launcher may hear of a Ctrl-C
// after the program that took it has already ended.
std::atomic<ULONGLONG> program_ended_at{0};
constexpr ULONGLONG late_interrupt_ms = 500;

// While a program runs the interrupt keys are its own: it may catch them
// to confirm or to save its work, and the launcher waits for its end. At
// the launcher's own prompts they end it at once, with the code Windows
// gives a program the keys end. A handler routine, and never the ignoring
// of Ctrl-C (SetConsoleCtrlHandler(NULL, TRUE)), which programs inherit.
BOOL WINAPI on_console_event(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  if (program_running.load()) return TRUE;
  if (GetTickCount64() - program_ended_at.load() < late_interrupt_ms) return TRUE;
  platform::end_by_interrupt();
}

std::optional<DWORD> mode_of(HANDLE handle) {
  DWORD mode = 0;
  if (handle == nullptr || !GetConsoleMode(handle, &mode)) return std::nullopt;
  return mode;
}

}  // namespace

std::wstring platform::wide(std::string_view text) {
  const std::u16string utf16 = utf16_from_utf8(text);
  return std::wstring(utf16.begin(), utf16.end());
}

std::string platform::narrow(std::wstring_view text) {
  return utf8_from_utf16(std::u16string(text.begin(), text.end()));
}

std::optional<std::string> platform::environment_value(const wchar_t* name) {
  SetLastError(ERROR_SUCCESS);
  const DWORD length = GetEnvironmentVariableW(name, nullptr, 0);
  if (length == 0) {
    if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
    return std::string();
  }
  std::wstring value(length, L'\0');
  value.resize(GetEnvironmentVariableW(name, value.data(), length));
  return narrow(value);
}

HANDLE platform::standard_handle(DWORD which) {
  const HANDLE handle = GetStdHandle(which);
  return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

bool platform::is_console(HANDLE handle) { return mode_of(handle).has_value(); }

void platform::start_console() {
  input_mode = mode_of(standard_handle(STD_INPUT_HANDLE));
  output_mode = mode_of(standard_handle(STD_OUTPUT_HANDLE));
  // Started with Ctrl-C ignored, the launcher would hand that on to every
  // program: they start with the keys' default action, as on POSIX.
  SetConsoleCtrlHandler(nullptr, FALSE);
  SetConsoleCtrlHandler(on_console_event, TRUE);
}

void platform::program_starts() { program_running.store(true); }

void platform::program_ended() {
  program_ended_at.store(GetTickCount64());
  program_running.store(false);
  // The screen's first: Wine's console takes a screen mode set after the
  // input's as a change of the echo too, and the typing would not show.
  if (output_mode) SetConsoleMode(standard_handle(STD_OUTPUT_HANDLE), *output_mode);
  if (input_mode) SetConsoleMode(standard_handle(STD_INPUT_HANDLE), *input_mode);
}

void platform::end_by_interrupt() { ExitProcess(status_control_c_exit); }

}  // namespace korvante
