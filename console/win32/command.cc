#include "console/command.h"

#include <optional>
#include <string>
#include <vector>

#include "console/output.h"
#include "console/win32/platform.h"
#include "console/win32/system_error_text.h"
#include "console/windows_command_line.h"
#include "console/windows_exit_code.h"
#include "console/windows_program_lookup.h"
#include "console/words.h"

namespace korvante {

namespace {

std::string programs_folder;

LookupKind kind_of(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(platform::wide(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return LookupKind::nothing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? LookupKind::folder : LookupKind::file;
}

// The system's own cmd.exe, never one found along PATH or in the current
// directory; empty when there is none.
std::string system_cmd_exe() {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return "";
  const std::string path = platform::narrow(std::wstring_view(folder, length)) + "\\cmd.exe";
  return kind_of(path) == LookupKind::file ? path : "";
}

// The suite's start-up "cd" ran in an interpreter of its own on the
// original console, so it changes nothing here; it only shows whether the
// suite's folder is usable.
CommandResult check_directory(const std::vector<std::string>& words) {
  if (words.size() < 2) return {};
  const DWORD attributes = GetFileAttributesW(platform::wide(words[1]).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return {RunOutcome::ran, 1,
            error == ERROR_PATH_NOT_FOUND ? "no existe" : platform::spanish_error_text(error)};
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return {RunOutcome::ran, 1, "no es una carpeta"};
  return {};
}

// Starts the launch in this console, with this environment and this
// directory, inheriting the standard handles, and waits for its end.
CommandResult start_and_wait(const WindowsLaunch& launch) {
  const std::wstring application = platform::wide(launch.application);
  std::wstring command_line = platform::wide(launch.command_line);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  platform::program_starts();
  // The path is resolved already: CreateProcessW's own search would look
  // in the launcher's folder and the current directory first.
  if (!CreateProcessW(application.c_str(), command_line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                      &startup, &process)) {
    const DWORD error = GetLastError();
    platform::program_ended();
    return {RunOutcome::cannot_start, 0, platform::spanish_error_text(error)};
  }
  CloseHandle(process.hThread);
  DWORD exit_code = 0;
  const bool waited = WaitForSingleObject(process.hProcess, INFINITE) == WAIT_OBJECT_0 &&
                      GetExitCodeProcess(process.hProcess, &exit_code);
  const DWORD error = GetLastError();
  CloseHandle(process.hProcess);
  platform::program_ended();
  if (!waited) return {RunOutcome::cannot_start, 0, "no se pudo esperar su fin: " + platform::spanish_error_text(error)};
  // The program ended by the interrupt keys, so the user meant them for
  // the whole session: the launcher ends at once, as it does on POSIX.
  if (ended_by_interrupt(exit_code)) platform::end_by_interrupt();
  return windows_exit_result(exit_code);
}

}  // namespace

void platform::start_commands(const std::string& folder) { programs_folder = folder; }

CommandResult run_command(std::string_view command_line) {
  flush_output();
  const std::vector<std::string> words = split_words(command_line);
  if (words.empty()) return {};
  if (words[0] == "cd") return check_directory(words);

  const std::optional<std::string> path = platform::environment_value(L"PATH");
  const std::optional<std::string> extensions = platform::environment_value(L"PATHEXT");
  const WindowsSearchPlaces places{programs_folder, path, extensions};
  const WindowsProgramSearch search = find_windows_program(words[0], places, kind_of);
  if (!search.found) {
    if (search.folder_in_the_way) return {RunOutcome::cannot_start, 0, *search.folder_in_the_way + " es una carpeta"};
    return {RunOutcome::not_found, 0, {}};
  }
  const WindowsLaunchPlan plan =
      plan_windows_launch(*search.found, search.found->batch ? system_cmd_exe() : std::string(), words);
  if (!plan.launch) return {RunOutcome::cannot_start, 0, plan.refusal};
  return start_and_wait(*plan.launch);
}

}  // namespace korvante
