#include "console/services.h"

#include <cstdlib>

#include "console/output.h"
#include "console/platform.h"

namespace korvante {

void start_services(const std::string& programs_folder) {
  platform::start_output();
  platform::start_screen();
  platform::start_commands(programs_folder);
}

void exit_program(int status) {
  flush_output();
  platform::stop_screen();
  std::exit(status);
}

}  // namespace korvante
