#include "console/services.h"

#include <cstdlib>

#include "console/output.h"
#include "console/win32/platform.h"

namespace korvante {

void start_services(const std::string& programs_folder) {
  platform::start_console();
  platform::start_output();
  platform::start_screen();
  platform::start_input();
  platform::start_commands(programs_folder);
}

void exit_program(int status) {
  flush_output();
  std::exit(status);
}

}  // namespace korvante
