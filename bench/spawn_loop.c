/* The floor: starts PROGRAM with its arguments N times, one after another,
 * each waited for, as directly as POSIX allows. With /bin/sh -c as the
 * program it is the cost of an interpreter per command instead.
 *
 *   spawn_loop N PROGRAM [ARGUMENT...]
 */
#include <errno.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>

extern char** environ;

int main(int argc, char** argv) {
  char* end = NULL;
  const long times = argc >= 3 ? strtol(argv[1], &end, 10) : -1;
  if (times < 0 || end == argv[1] || *end != '\0') {
    fprintf(stderr, "usage: spawn_loop N PROGRAM [ARGUMENT...]\n");
    return 2;
  }
  for (long i = 0; i < times; ++i) {
    pid_t child = 0;
    const int error = posix_spawn(&child, argv[2], NULL, NULL, argv + 2, environ);
    if (error != 0) {
      fprintf(stderr, "spawn_loop: posix_spawn %s: %s\n", argv[2], strerror(error));
      return 1;
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
      if (errno != EINTR) {
        fprintf(stderr, "spawn_loop: waitpid: %s\n", strerror(errno));
        return 1;
      }
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      fprintf(stderr, "spawn_loop: %s failed (wait status %d)\n", argv[2], status);
      return 1;
    }
  }
  return 0;
}
