// The command line a Windows program is started with. Windows hands a
// program one string, which its C runtime (or CommandLineToArgvW) splits
// into words again: each word is quoted for those rules, so that the
// child's argv equals the words exactly. A batch file is read by cmd.exe
// instead, which has rules of its own and cannot take every word.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/windows_program_lookup.h"

namespace korvante {

// `word` as one argument after the first: unchanged when it is not empty
// and holds no blank, tab, line end, vertical tab or double quote;
// otherwise in double quotes, each double quote of its own escaped, and
// the backslashes before a double quote (its own or the closing one)
// doubled. Backslashes elsewhere, `& | < > ^ % !` and non-ASCII text need
// nothing.
std::string quote_windows_argument(std::string_view word);

// What CreateProcessW is handed to start a program.
struct WindowsLaunch {
  std::string application;   // lpApplicationName: the file to start
  std::string command_line;  // lpCommandLine
};

// A launch, or the reason (a Spanish phrase, such as "el argumento 2
// contiene «%» y no puede pasarse a un archivo de órdenes") why the words
// cannot reach the program exactly; then nothing may be started.
struct WindowsLaunchPlan {
  std::optional<WindowsLaunch> launch;
  std::string refusal;
};

// Starts `program` with `words` as its argv: words[0] (the program word)
// in double quotes, as the first word is read up to the next quote, then
// each argument quoted by quote_windows_argument. A batch file goes
// through `cmd_exe`, the system's own cmd.exe (the caller finds it under
// %SystemRoot%\System32, never along PATH; refused when there is none), as
//   "cmd_exe" /d /e:ON /v:OFF /c ""batch file" argument ..."
// with no AutoRun commands and no delayed "!" expansion; an argument that
// is empty or holds anything but letters, digits and `\ / : . _ -` goes in
// double quotes, so that cmd.exe reads `& | < > ^ ( ) , ; =` and blanks in
// it as text; the batch file gets each word as %~1, %~2 ... (a quoted one
// with its trailing backslashes doubled), and a program it hands %* or %N
// on to gets the words exactly. Refused: any word holding a NUL or not valid UTF-8 (it
// would be cut or changed on its way to UTF-16), a double quote in the
// first word, and for a batch file a double quote, "%" or a line end
// anywhere, which cmd.exe would read as its own syntax whatever the
// quoting.
WindowsLaunchPlan plan_windows_launch(const WindowsProgram& program, std::string_view cmd_exe,
                                      const std::vector<std::string>& words);

}  // namespace korvante
