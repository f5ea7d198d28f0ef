#include <optional>
#include <string>

#include "console/services.h"
#include "console/win32/platform.h"
#include "launcher/suite.h"
#include "shell/main_loop.h"
#include "shell/windows_suite_root.h"

namespace {
std::string current_directory() {
  const DWORD length = GetCurrentDirectoryW(0, nullptr);
  if (length == 0) return "";
  std::wstring path(length, L'\0');
  path.resize(GetCurrentDirectoryW(length, path.data()));
  return korvante::platform::narrow(path);
}
}  // namespace

// The launcher's arguments are ignored, as they always were.
int main() {
  const std::optional<std::string> home = korvante::platform::environment_value(L"KORVANTE_HOME");
  const std::string root = korvante::windows_suite_root(home ? home->c_str() : nullptr, current_directory());
  const korvante::Suite suite = korvante::windows_suite(root);
  korvante::start_services(suite.folders.programs);
  korvante::exit_program(korvante::run_launcher(suite));
}
