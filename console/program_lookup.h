// Where the program named by a command word is found.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace korvante {

// What a candidate path of a lookup names.
enum class Candidate {
  program,         // a file that can be run
  not_executable,  // a file without the permission to run it
  folder,
  nothing,         // no entry there, or something else
};

struct ProgramLookup {
  std::optional<std::string> path;  // the program to start
  // Without a program: the first candidate that bore the word's name but
  // could not be run, so that the user learns why rather than "not found".
  Candidate near_miss = Candidate::nothing;
  std::string near_miss_path;
};

// Finds the file to start for `word`: a word holding a "/" is a path used
// as it stands; otherwise the programs folder (ending in "/") is tried
// first, then each entry of `search_path` from left to right, an empty
// entry meaning the current directory. The current directory is not
// tried otherwise, so a stray program there never stands in for the
// suite's. `examine` says what a path names.
ProgramLookup find_program(std::string_view word, std::string_view programs_folder,
                           std::optional<std::string_view> search_path,
                           const std::function<Candidate(const std::string&)>& examine);

}  // namespace korvante
