// Where the program named by a command word is found.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace korvante {

// Finds the file to start for `word`: a word holding a "/" is a path used
// as it stands; otherwise the programs folder (ending in "/") is tried
// first, then each entry of `search_path` from left to right, an empty
// entry meaning the current directory. The current directory is not
// tried otherwise, so a stray program there never stands in for the
// suite's. `is_program` says whether a path names a file that can be run.
std::optional<std::string> find_program(
    std::string_view word, std::string_view programs_folder,
    std::optional<std::string_view> search_path,
    const std::function<bool(const std::string&)>& is_program);

}  // namespace korvante
