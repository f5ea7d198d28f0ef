// Running the whole launcher in process on the recording console.
#pragma once

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

// Prepares the console (files, hooks) with `setup`, then runs the launcher
// on the `typed` input to its end.
template <typename Setup>
LauncherRun run_launcher_on(std::string typed, Setup setup) {
  fake::Console& console = fake::reset(std::move(typed));
  setup(console);
  const int status = run_launcher(root);
  return LauncherRun{status, console};
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
