// The stand-in for the suite's method programs, apart from its platform:
// what it does under each program word. Each platform gives it the few
// things below and its entry.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvante::stand_in {

inline constexpr std::string_view own_name = "korvante-suite";

// Runs as the program word args[0], with its arguments; the exit status.
int run(const std::vector<std::string>& args);

// Of the platform: one line to standard output; a file written whole (never
// waiting on what lies in its place); a record appended to the file that
// KORVANTE_TRACE names, when it names one; the suite's tool, under the
// stand-in's own name.
void say(const std::string& line);
bool write_file(const std::string& path, const std::string& content);
void append_trace(const std::string& record);
int run_as_tool(const std::vector<std::string>& args);

}  // namespace korvante::stand_in
