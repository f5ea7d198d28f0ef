#include "console/command.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "console/output.h"
#include "console/posix/platform.h"
#include "console/posix/system_error_text.h"
#include "console/program_lookup.h"
#include "console/words.h"

extern char** environ;

namespace korvante {

namespace {

std::string programs_folder;

// The terminal's settings at start-up, put back after every program, as a
// shell does: a program that dies in raw mode or with echo off must not
// leave the next prompt unusable.
std::optional<termios> terminal_settings;

// The status flags of the standard streams at start-up, put back after
// every program: one that leaves the terminal non-blocking would otherwise
// turn the launcher's next read into an error, and shells clear it too.
int stream_flags[3] = {-1, -1, -1};

void restore_terminal() {
  // Only from the foreground: from the background the change would stop
  // the launcher, and the terminal is not ours to set then.
  if (terminal_settings && tcgetpgrp(STDIN_FILENO) == getpgrp()) {
    tcsetattr(STDIN_FILENO, TCSADRAIN, &*terminal_settings);
  }
  for (int fd = 0; fd < 3; ++fd) {
    if (stream_flags[fd] >= 0 && fcntl(fd, F_GETFL) != stream_flags[fd]) fcntl(fd, F_SETFL, stream_flags[fd]);
  }
}

Candidate examine(const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return Candidate::nothing;
  if (S_ISDIR(status.st_mode)) return Candidate::folder;
  if (!S_ISREG(status.st_mode)) return Candidate::nothing;
  return access(path.c_str(), X_OK) == 0 ? Candidate::program : Candidate::not_executable;
}

// The suite's start-up "cd" ran in an interpreter of its own on the
// original console, so it changes nothing here; it only shows whether the
// suite's folder is usable.
CommandResult check_directory(const std::vector<std::string>& words) {
  if (words.size() < 2) return {};
  struct stat status {};
  if (stat(words[1].c_str(), &status) != 0) {
    return {RunOutcome::ran, 1, platform::spanish_error_text(errno)};
  }
  if (!S_ISDIR(status.st_mode)) return {RunOutcome::ran, 1, "no es una carpeta"};
  return {};
}

// While a program runs, the interrupt keys are its own: it may catch them
// to confirm or to save its work, and the launcher must still be there
// when it goes on.
struct sigaction interrupt_action, quit_action;

void hold_interrupts() {
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  sigaction(SIGINT, &ignore, &interrupt_action);
  sigaction(SIGQUIT, &ignore, &quit_action);
}

void release_interrupts() {
  sigaction(SIGINT, &interrupt_action, nullptr);
  sigaction(SIGQUIT, &quit_action, nullptr);
}

// The program ended by the interrupt key, so the user meant it for the
// whole session: the launcher ends by the same signal, as a shell does.
[[noreturn]] void end_by(int signal_number) {
  struct sigaction default_action {};
  default_action.sa_handler = SIG_DFL;
  sigemptyset(&default_action.sa_mask);
  sigaction(signal_number, &default_action, nullptr);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal_number);
  sigprocmask(SIG_UNBLOCK, &only, nullptr);
  raise(signal_number);
  _exit(128 + signal_number);
}

// Starts `program` with every signal at its default action and none
// blocked, whatever the launcher itself holds. The error number, or 0.
int spawn(pid_t& child, const std::string& program, std::vector<char*>& argv) {
  posix_spawnattr_t attributes;
  if (const int error = posix_spawnattr_init(&attributes); error != 0) return error;
  sigset_t every, none;
  sigfillset(&every);
  sigemptyset(&none);
  posix_spawnattr_setsigdefault(&attributes, &every);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
  const int error = posix_spawn(&child, program.c_str(), nullptr, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  return error;
}

CommandResult wait_for(pid_t child) {
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return {RunOutcome::cannot_start, 0, "no se pudo esperar su fin: " + platform::spanish_error_text(errno)};
  }
  if (WIFSIGNALED(status)) return {RunOutcome::signalled, static_cast<unsigned>(WTERMSIG(status)), {}};
  return {RunOutcome::ran, static_cast<unsigned>(WEXITSTATUS(status)), {}};
}

CommandResult not_started(const ProgramLookup& lookup) {
  switch (lookup.near_miss) {
    case Candidate::not_executable:
      return {RunOutcome::cannot_start, 0, lookup.near_miss_path + " no tiene permiso de ejecución"};
    case Candidate::folder:
      return {RunOutcome::cannot_start, 0, lookup.near_miss_path + " es una carpeta"};
    default:
      return {RunOutcome::not_found, 0, {}};
  }
}

}  // namespace

void platform::start_commands(const std::string& folder) {
  programs_folder = folder;
  termios settings{};
  if (isatty(STDIN_FILENO) == 1 && tcgetattr(STDIN_FILENO, &settings) == 0) {
    terminal_settings = settings;
  }
  for (int fd = 0; fd < 3; ++fd) stream_flags[fd] = fcntl(fd, F_GETFL);
}

CommandResult run_command(std::string_view command_line) {
  flush_output();
  const std::vector<std::string> words = split_words(command_line);
  if (words.empty()) return {};
  if (words[0] == "cd") return check_directory(words);

  const char* search_path = std::getenv("PATH");
  const ProgramLookup lookup =
      find_program(words[0], programs_folder,
                   search_path ? std::optional<std::string_view>(search_path) : std::nullopt, examine);
  if (!lookup.path) return not_started(lookup);
  std::vector<char*> argv;
  for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);

  hold_interrupts();
  pid_t child = 0;
  const int error = spawn(child, *lookup.path, argv);
  if (error != 0) {
    release_interrupts();
    // The file is there, so a missing file now is the interpreter or the
    // loader that it names.
    return {RunOutcome::cannot_start, 0,
            error == ENOENT ? "falta el intérprete o el cargador que pide" : platform::spanish_error_text(error)};
  }
  const CommandResult result = wait_for(child);
  restore_terminal();
  release_interrupts();
  if (result.outcome == RunOutcome::signalled && (result.status == SIGINT || result.status == SIGQUIT)) {
    end_by(static_cast<int>(result.status));
  }
  return result;
}

}  // namespace korvante
