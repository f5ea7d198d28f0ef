/* The trivial method program: it does nothing, so that timing it times
 * starting and waiting for a program. When KORVANTE_BENCH_COUNT names a
 * file it adds one byte to it, so that a checking run can count how often
 * it was started. */
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

int main(void) {
  const char* count = getenv("KORVANTE_BENCH_COUNT");
  if (count == NULL || *count == '\0') return 0;
  const int fd = open(count, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0 || write(fd, "x", 1) != 1) return 1;
  return close(fd) == 0 ? 0 : 1;
}
