// Recording stand-ins for the console and command services, so that the
// whole dialogue runs in process: typed input from a string, files from a
// map, every screen operation and command line written to a transcript.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "console/command.h"
#include "console/files.h"

namespace korvante::fake {

struct Console {
  std::string input;        // the bytes "typed", in order
  std::size_t input_at = 0;
  // The transcript: printed text as it stands, and "{clear}", "{move C,R}",
  // "{run LINE}", "{error TEXT}" for the other operations.
  std::string transcript;
  std::vector<std::string> commands;                // every command line run
  std::map<std::string, std::string> files;         // path -> content
  std::set<std::string> unreadable;                 // paths that exist but do not open (FIFOs, folders)
  // What lies at a path when it is not one of `files`: a folder, a FIFO...
  // (a path of `files` is a readable file, or unreadable as listed above).
  std::map<std::string, PathKind> kinds;
  // How each program word's runs end; a word not listed runs to its end
  // with status 0.
  std::map<std::string, CommandResult> results;
  // Called for every command line after it is recorded, so a test can play
  // a child program (AEDAT writing the information file, say).
  std::function<void(const std::string&)> on_command;
  int open_files = 0;                               // opened and not yet closed
  // How the dialogue asked for typed lines: which prompt each line answers,
  // and that it stops asking once the input has ended.
  std::vector<std::size_t> reads;                   // per read_line call: the transcript's length then
  bool input_end_reported = false;                  // some call answered that the input had ended
  std::size_t reads_after_end = 0;                  // calls made after that answer
};

// Starts a fresh console with `typed` as the whole input.
Console& reset(std::string typed);
Console& console();

}  // namespace korvante::fake
