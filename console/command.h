// Running a command line: one program, started directly, waited for.
#pragma once

#include <string>
#include <string_view>

namespace korvante {

enum class RunOutcome {
  ran,           // the program ran to its end; its exit status is its own
  not_found,     // no program of that name in the programs folder or along PATH
  cannot_start,  // found, but it could not be started
  signalled,     // ended by a signal
  crashed,       // ended abnormally, by an exception code (Windows)
};

struct CommandResult {
  RunOutcome outcome = RunOutcome::ran;
  // ran: the exit status; signalled: the signal; crashed: the exception code.
  unsigned status = 0;
  // cannot_start: why, in Spanish. For "cd": why the folder is unusable.
  std::string reason;

  friend bool operator==(const CommandResult&, const CommandResult&) = default;
};

// Splits `command_line` into words at runs of blanks and starts the program
// named by the first word, with the others as its arguments, in the same
// terminal, process group and environment; waits for it to end. The program
// starts with every signal at its default action and none blocked, and the
// terminal's settings are put back after it.
// While it runs, the interrupt keys are the program's: when it ends by
// SIGINT or SIGQUIT the launcher ends at once by the same signal; when it
// catches them and goes on, so does the launcher.
// A first word "cd" only checks that its directory is one: it changes
// nothing in the launcher, and a folder that is not usable gives status 1
// and the reason. Output pending is written out first.
CommandResult run_command(std::string_view command_line);

}  // namespace korvante
