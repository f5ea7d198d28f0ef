#include "console/services.h"

#include <signal.h>

#include <cstdlib>

#include "console/output.h"
#include "console/posix/platform.h"

namespace korvante {

namespace {
// A closed output must not end the launcher: what it prints is then lost,
// but the dialogue and the programs it runs go on to the end of the input.
// A handler rather than ignoring the signal, so that the programs started
// get the default action back on exec.
void on_broken_pipe(int) {}
}  // namespace

void start_services(const std::string& programs_folder) {
  struct sigaction action {};
  action.sa_handler = on_broken_pipe;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGPIPE, &action, nullptr);

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
