// The stand-in on Windows: its words as CommandLineToArgvW splits its
// command line, as a program's C runtime would; its files and its trace by
// CreateFileW; its messages and AEDAT's question through the console
// services, so that they meet the console as the launcher's do. The build
// lays the suite out as copies, so the tool only tells its version.
#include <windows.h>
#include <shellapi.h>

#include "console/output.h"
#include "console/services.h"
#include "console/win32/platform.h"
#include "suite/program_word.h"
#include "suite/stand_in.h"

namespace korvante::stand_in {

namespace {

constexpr DWORD share_all = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool write_whole(HANDLE file, const std::string& content) {
  const bool written = platform::write_all(file, content.data(), content.size());
  return CloseHandle(file) != 0 && written;
}

void usage() {
  say("Uso: korvante-suite --version   muestra la versión\n"
      "Bajo el nombre de un programa de la suite (ABACO.EXE, AEDAT.EXE, ...) hace sus veces.\n");
}

std::vector<std::string> arguments() {
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 0; argv != nullptr && i < count; ++i) args.push_back(platform::narrow(argv[i]));
  if (argv != nullptr) LocalFree(argv);
  if (args.empty()) args.emplace_back();
  args[0] = windows_program_word(args[0]);
  return args;
}

}  // namespace

void say(const std::string& line) { print(line); }

bool write_file(const std::string& path, const std::string& content) {
  const HANDLE file = CreateFileW(platform::wide(path).c_str(), GENERIC_WRITE, share_all, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  // A device in a file's place (CON, NUL...) is not written to.
  if (GetFileType(file) != FILE_TYPE_DISK) {
    CloseHandle(file);
    return false;
  }
  return write_whole(file, content);
}

void append_trace(const std::string& record) {
  const std::optional<std::string> trace = platform::environment_value(L"KORVANTE_TRACE");
  if (!trace || trace->empty()) return;
  // FILE_APPEND_DATA alone: every write goes to the end, whoever else appends.
  const HANDLE file = CreateFileW(platform::wide(*trace).c_str(), FILE_APPEND_DATA, share_all, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) write_whole(file, record);
}

int run_as_tool(const std::vector<std::string>& args) {
  if (args.size() == 2 && (args[1] == "--version" || args[1] == "-V")) {
    say(std::string(own_name) + " " + KORVANTE_VERSION + "\n");
    return 0;
  }
  usage();
  return args.size() == 2 && (args[1] == "--help" || args[1] == "-h") ? 0 : 2;
}

}  // namespace korvante::stand_in

int main() {
  korvante::start_services("");
  korvante::exit_program(korvante::stand_in::run(korvante::stand_in::arguments()));
}
