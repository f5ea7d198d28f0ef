#include "console/command.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "console/output.h"
#include "console/posix/platform.h"
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

void restore_terminal() {
  // Only from the foreground: from the background the change would stop
  // the launcher, and the terminal is not ours to set then.
  if (terminal_settings && tcgetpgrp(STDIN_FILENO) == getpgrp()) {
    tcsetattr(STDIN_FILENO, TCSADRAIN, &*terminal_settings);
  }
}

void complain(const std::string& what) {
  const std::string line = what + "\n";
  platform::write_all(STDERR_FILENO, line.data(), line.size());
}

bool is_program(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
         access(path.c_str(), X_OK) == 0;
}

// The suite's start-up "cd" ran in an interpreter of its own on the
// original console, so it changes nothing here; it only shows that the
// suite's folder is missing, as a shell would.
int check_directory(const std::vector<std::string>& words) {
  if (words.size() < 2) return 0;
  struct stat status {};
  if (stat(words[1].c_str(), &status) != 0) {
    complain("cd: " + words[1] + ": " + std::strerror(errno));
    return 1;
  }
  if (!S_ISDIR(status.st_mode)) {
    complain("cd: " + words[1] + ": " + std::strerror(ENOTDIR));
    return 1;
  }
  return 0;
}

int wait_for(pid_t child) {
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return 126;
  }
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return WEXITSTATUS(status);
}

}  // namespace

void platform::start_commands(const std::string& folder) {
  programs_folder = folder;
  termios settings{};
  if (isatty(STDIN_FILENO) == 1 && tcgetattr(STDIN_FILENO, &settings) == 0) {
    terminal_settings = settings;
  }
}

int run_command(std::string_view command_line) {
  flush_output();
  const std::vector<std::string> words = split_words(command_line);
  if (words.empty()) return 0;
  if (words[0] == "cd") return check_directory(words);

  const char* search_path = std::getenv("PATH");
  const auto program =
      find_program(words[0], programs_folder,
                   search_path ? std::optional<std::string_view>(search_path) : std::nullopt,
                   is_program);
  if (!program) {
    complain(words[0] + ": command not found");
    return 127;
  }
  std::vector<char*> argv;
  for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  pid_t child = 0;
  const int error = posix_spawn(&child, program->c_str(), nullptr, nullptr, argv.data(), environ);
  if (error != 0) {
    complain(words[0] + ": " + std::strerror(error));
    return error == ENOENT ? 127 : 126;
  }
  const int status = wait_for(child);
  restore_terminal();
  return status;
}

}  // namespace korvante
