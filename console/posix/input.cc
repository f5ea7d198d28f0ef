#include "console/input.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace korvante {

namespace {

// One byte at a time: the suite's programs read the same standard input
// after the launcher, so it must not take any byte beyond the line's end.
int next_input_byte() {
  for (;;) {
    unsigned char byte = 0;
    const ssize_t got = read(STDIN_FILENO, &byte, 1);
    if (got == 1) return byte;
    if (got == 0) return -1;
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) {
      pollfd wait_for{STDIN_FILENO, POLLIN, 0};
      if (poll(&wait_for, 1, -1) >= 0 || errno == EINTR) continue;
    }
    return -1;
  }
}

ByteStream standard_input{next_input_byte};

}  // namespace

LineRead read_line(std::string& line, std::size_t max_chars) {
  return read_text_line(standard_input, line, max_chars);
}

}  // namespace korvante
