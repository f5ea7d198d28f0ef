#include "console/output.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "console/posix/platform.h"

namespace korvante {

namespace {
bool unbuffered = true;
std::string pending;
constexpr std::size_t buffer_size = 4096;
}  // namespace

bool platform::write_all(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      // A descriptor left non-blocking by someone else: wait until it
      // takes more, rather than lose the text.
      if (errno == EAGAIN || errno == EWOULDBLOCK) {
        pollfd ready{fd, POLLOUT, 0};
        if (poll(&ready, 1, -1) >= 0 || errno == EINTR) continue;
      }
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

void platform::start_output() { unbuffered = isatty(STDOUT_FILENO) == 1; }

void print(std::string_view text) {
  if (unbuffered) {
    platform::write_all(STDOUT_FILENO, text.data(), text.size());
    return;
  }
  pending.append(text);
  if (pending.size() >= buffer_size) flush_output();
}

void print_error(std::string_view text) {
  flush_output();
  platform::write_all(STDERR_FILENO, text.data(), text.size());
}

void flush_output() {
  if (pending.empty()) return;
  platform::write_all(STDOUT_FILENO, pending.data(), pending.size());
  pending.clear();
}

}  // namespace korvante
