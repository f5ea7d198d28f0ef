// Where the program named by a command word is found, on Windows.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvante {

// What lies at a path, as far as a program lookup cares (files.h has
// the finer PathKind of the files the launcher reads).
enum class LookupKind { nothing, file, folder };

// Where a program word is looked for: the suite's programs folder (ending
// in "\"), and the values of PATH and PATHEXT when they are set.
struct WindowsSearchPlaces {
  std::string_view programs_folder;
  std::optional<std::string_view> path;
  std::optional<std::string_view> path_extensions;
};

struct WindowsProgram {
  std::string path;
  bool batch = false;  // a .BAT or .CMD file: it runs only through cmd.exe
};

struct WindowsProgramSearch {
  std::optional<WindowsProgram> found;
  // When nothing was found: the first folder that stood where a program
  // was looked for, so that the user can be told why it does not run.
  std::optional<std::string> folder_in_the_way;
};

// The extensions tried after a bare program word, in order: those of
// PATHEXT that are .COM, .EXE, .BAT or .CMD (in any case; the others mean
// nothing to CreateProcess and are ignored), or all four in that order
// when PATHEXT is unset or names none of them.
std::vector<std::string> program_extensions(std::optional<std::string_view> path_extensions);

// Finds the file to start for `word`. A word holding "\", "/" or ":" is a
// path used as it stands; any other word is looked for in the programs
// folder, then in each entry of PATH from left to right (entries split at
// ";", double quotes in them dropped, empty ones skipped). Nowhere else:
// neither the current directory nor the launcher's own folder is searched
// unless PATH names it, so a stray program there never stands in for the
// suite's. A name that ends in one of the four extensions is tried as it
// is; any other is tried with each extension added in turn. `kind_of` says
// what lies at a path; the first file wins.
WindowsProgramSearch find_windows_program(std::string_view word, const WindowsSearchPlaces& places,
                                          const std::function<LookupKind(const std::string&)>& kind_of);

}  // namespace korvante
