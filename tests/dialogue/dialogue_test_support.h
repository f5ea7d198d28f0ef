// Running the whole launcher in process on the recording console.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "shell/main_loop.h"
#include "tests/fakes/fake_console.h"

namespace korvante::testing_support {

inline constexpr std::string_view root = "/K";
inline const std::string data = "/K/DATOS/";
inline const std::string pause_prompt = "{move 47,25}Para continuar apoye <Enter> ... ";
inline const std::string menu_prompt = "\n\n\t\t    Módulo : ";

struct LauncherRun {
  int status;
  fake::Console& console;
  // The command lines after the start-up "cd".
  std::vector<std::string> method_commands() const {
    return {console.commands.begin() + 1, console.commands.end()};
  }
};

// Prepares the console (files, hooks, programs' results) with `setup`,
// then runs the launcher on the `typed` input to its end, on `suite`.
template <typename Setup>
LauncherRun run_launcher_on(std::string typed, Setup setup, const Suite& suite = posix_suite(root)) {
  fake::Console& console = fake::reset(std::move(typed));
  setup(console);
  const int status = run_launcher(suite);
  return LauncherRun{status, console};
}

// A program word's runs all end as `result`.
inline auto programs_end(std::map<std::string, CommandResult> results) {
  return [results](fake::Console& c) { c.results = results; };
}

inline const CommandResult not_found{RunOutcome::not_found, 0, ""};
inline CommandResult killed_by(unsigned signal) { return {RunOutcome::signalled, signal, ""}; }
inline CommandResult cannot_start(std::string why) { return {RunOutcome::cannot_start, 0, std::move(why)}; }
inline CommandResult exits_with(unsigned status) { return {RunOutcome::ran, status, ""}; }

// The transcript after the last command run.
inline std::string after_last_command(const LauncherRun& run) {
  const std::string& t = run.console.transcript;
  const std::size_t last = t.rfind("{run ");
  return t.substr(t.find('}', last) + 1);
}

// The input ended at a prompt and nothing more was asked or shown: the
// transcript ends with `prompt`.
inline ::testing::AssertionResult ended_at(const LauncherRun& run, const std::string& prompt) {
  const fake::Console& c = run.console;
  if (!c.input_end_reported) return ::testing::AssertionFailure() << "the end of the input was never reached";
  if (c.reads_after_end != 0) return ::testing::AssertionFailure() << c.reads_after_end << " reads after the end";
  if (!c.transcript.ends_with(prompt)) {
    return ::testing::AssertionFailure() << "the transcript does not end with the prompt: "
                                         << ::testing::PrintToString(c.transcript.substr(
                                                c.transcript.size() - std::min<std::size_t>(c.transcript.size(), 120)));
  }
  return ::testing::AssertionSuccess();
}

inline LauncherRun run_launcher_on(std::string typed) {
  return run_launcher_on(std::move(typed), [](fake::Console&) {});
}

inline std::size_t count(const std::string& text, const std::string& needle) {
  std::size_t n = 0;
  for (std::size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) ++n;
  return n;
}

}  // namespace korvante::testing_support
