// A program for the tests of the Win32 services to start: it ends as it is
// told, crashes, takes or sends the interrupt keys, or uses the console
// services with whatever standard streams it was given. Its mode is its
// first argument, or, started by the launcher (whose first argument is the
// launch tag), the value of KORVANTE_PROBE.
#include <windows.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "console/input.h"
#include "console/output.h"
#include "console/screen.h"
#include "console/services.h"
#include "console/win32/platform.h"
#include "console/windows_exit_code.h"

namespace {

using namespace korvante;

volatile LONG interrupted = 0;

// What Windows does to a program that takes no care of the interrupt keys
// (Wine's own default ends it with status 0 instead).
BOOL WINAPI end_as_windows_does(DWORD event) {
  if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) ExitProcess(status_control_c_exit);
  return FALSE;
}

BOOL WINAPI keep_going(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  InterlockedExchange(&interrupted, 1);
  return TRUE;
}

LONG WINAPI no_debugger(EXCEPTION_POINTERS*) { return EXCEPTION_EXECUTE_HANDLER; }

// The rest of standard input, as a program after the launcher reads it,
// with its line ends written out as \r and \n.
std::string rest_of_input() {
  std::string rest;
  char chunk[256];
  DWORD got = 0;
  while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), chunk, sizeof chunk, &got, nullptr) && got > 0) {
    for (DWORD i = 0; i < got; ++i) {
      rest += chunk[i] == '\r' ? std::string("\\r") : chunk[i] == '\n' ? std::string("\\n") : std::string(1, chunk[i]);
    }
  }
  return rest;
}

// Starts this program again, in the same console, without waiting for it.
void start_again(const std::wstring& arguments) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring line = L"probe " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  // Its mode is the one given here, whatever the launcher's programs get.
  SetEnvironmentVariableW(L"KORVANTE_PROBE", nullptr);
  if (CreateProcessW(self, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
}

int run(const std::string& mode, const std::string& argument) {
  if (mode == "exit") ExitProcess(static_cast<UINT>(std::strtoul(argument.c_str(), nullptr, 0)));
  if (mode == "crash") {
    SetUnhandledExceptionFilter(no_debugger);
    *static_cast<volatile int*>(nullptr) = 1;
  }
  start_services("");
  std::string line;
  if (mode == "services") {
    clear_screen();
    move_cursor(1, 1);
    print("ñandú\n┌─┐\n");
    if (read_line(line, 19) != LineRead::ended) print("leído «" + line + "»\n");
    print("resto «" + rest_of_input() + "»\n");
    print_error("aviso\n");
    exit_program(3);
  }
  if (mode == "waits-for-interrupt") {
    SetConsoleCtrlHandler(end_as_windows_does, TRUE);
    print("esperando\n");
    Sleep(30000);
    return 9;
  }
  if (mode == "sends-interrupt") {
    SetConsoleCtrlHandler(end_as_windows_does, TRUE);
    print("enviando\n");
    GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
    Sleep(30000);
    return 9;
  }
  if (mode == "catches-interrupt") {
    SetConsoleCtrlHandler(keep_going, TRUE);
    print("listo\n");
    if (argument == "send") GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
    const LineRead read = read_line(line, 50);
    if (interrupted) print("atrapado\n");
    if (read != LineRead::ended) print("leido " + line + "\n");
    exit_program(0);
  }
  // Leaves the console's input with no line editing, no echo, no Ctrl-C.
  if (mode == "leaves-console-raw") {
    SetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), 0);
    print("crudo\n");
    return 0;
  }
  // Sends the interrupt keys to the console a while after it has ended.
  if (mode == "interrupt-later") {
    start_again(L"interrupt-after");
    return 0;
  }
  if (mode == "interrupt-after") {
    SetConsoleCtrlHandler(keep_going, TRUE);
    Sleep(1500);
    GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
    Sleep(500);
    return 0;
  }
  print("probe: modo desconocido «" + mode + "»\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string mode = argc > 1 ? argv[1] : "";
  std::string argument = argc > 2 ? argv[2] : "";
  if (const std::optional<std::string> given = platform::environment_value(L"KORVANTE_PROBE"); given && !given->empty()) {
    const std::size_t blank = given->find(' ');
    mode = given->substr(0, blank);
    argument = blank == std::string::npos ? "" : given->substr(blank + 1);
  }
  exit_program(run(mode, argument));
}
