#include "console/screen.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "console/posix/platform.h"

namespace korvante {

namespace {
// The controlling terminal, opened once, so that clearing and cursor moves
// reach the screen even when standard output is a file.
int terminal_fd = -1;
int screen_columns = 0;
int screen_rows = 0;

void send(std::string_view sequence) {
  if (terminal_fd < 0) return;
  platform::write_all(terminal_fd, sequence.data(), sequence.size());
}
}  // namespace

void platform::start_screen() {
  const char* term = std::getenv("TERM");
  if (term != nullptr && std::strcmp(term, "dumb") == 0) return;
  terminal_fd = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (terminal_fd < 0) return;
  winsize size{};
  if (ioctl(terminal_fd, TIOCGWINSZ, &size) == 0) {
    screen_columns = size.ws_col;
    screen_rows = size.ws_row;
  }
}

void platform::stop_screen() {
  if (terminal_fd >= 0) close(terminal_fd);
  terminal_fd = -1;
}

void clear_screen() { send("\x1b[H\x1b[2J"); }

void move_cursor(int column, int row) {
  if (column < 1 || column > screen_columns || row < 1 || row > screen_rows) return;
  send("\x1b[" + std::to_string(row) + ";" + std::to_string(column) + "H");
}

}  // namespace korvante
