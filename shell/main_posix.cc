#include <unistd.h>

#include <cstdlib>
#include <string>

#include "console/services.h"
#include "launcher/folders.h"
#include "shell/main_loop.h"
#include "shell/suite_root.h"

namespace {
std::string current_directory() {
  std::string path(4096, '\0');
  if (getcwd(path.data(), path.size()) == nullptr) return "";
  path.resize(path.find('\0'));
  return path;
}
}  // namespace

int main() {
  const std::string root = korvante::suite_root(std::getenv("KORVANTE_HOME"), current_directory());
  const korvante::Suite suite = korvante::posix_suite(root);
  korvante::start_services(suite.folders.programs);
  korvante::exit_program(korvante::run_launcher(suite));
}
