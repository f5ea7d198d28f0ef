// The real launcher on a pseudo-terminal, over a stand-in suite of its own
// in a temporary folder, with the stand-ins' trace at hand.
//
// Built with KORVANTE_E2E_WINDOWS, the launcher is korvante.exe under Wine
// on the same pseudo-terminal: the suite is a folder of copies named
// WORD.EXE, in a Unix folder that Wine's drive Z: shows, and the launcher
// is given it as a path rooted on its current drive (\tmp\kv-XXXXXX\K for
// /tmp/kv-XXXXXX/K), so that every path on the screen is as long as on
// Linux and the same golden screens hold once "\" is read as "/".
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "launcher/launch_tag.h"
#include "suite/layout.h"
#include "suite/trace.h"
#include "tests/e2e/pty_terminal.h"

namespace korvante::e2e_support {

namespace fs = std::filesystem;
using Records = std::vector<TraceRecord>;
using namespace std::chrono_literals;

inline const std::string tag(launch_tag);
inline const std::string pause_text = "Para continuar apoye <Enter> ... ";
inline const std::string menu_prompt = "    Módulo : ";

#ifdef KORVANTE_E2E_WINDOWS
inline constexpr bool on_windows = true;
#else
inline constexpr bool on_windows = false;
#endif
inline constexpr char separator = on_windows ? '\\' : '/';

// `path` as the launcher names it: on Windows rooted on the current drive.
inline std::string path_of(const fs::path& path) {
  if (!on_windows) return path.string();
  std::string windows = "\\" + path.relative_path().string();
  std::replace(windows.begin(), windows.end(), '/', '\\');
  return windows;
}


class LauncherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Short, so that no path on the screen wraps; masked for golden screens.
    char pattern[] = "/tmp/kv-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    base = pattern;
    root = base / "K";
    fs::create_directories(root / "DATOS");
    for (std::string_view word : program_words) {
      if (on_windows) {
        fs::copy_file(KORVANTE_SUITE_BIN, root / (std::string(word) + ".EXE"));
      } else {
        fs::create_symlink(KORVANTE_SUITE_BIN, root / word);
      }
    }
  }
  void TearDown() override {
    terminal.reset();
    fs::remove_all(base);
  }

  static bool under_valgrind() {
    const char* logs = std::getenv("KORVANTE_E2E_VALGRIND");
    return logs != nullptr && *logs != '\0';
  }

  std::string root_slash() const { return path_of(root) + separator; }
  std::string data() const { return path_of(root) + separator + "DATOS" + separator; }

  // Replaces the stand-in for `word` with a shell script.
  void replace_program(const std::string& word, const std::string& body) {
    fs::remove(root / word);
    std::ofstream(root / word) << "#!/bin/sh\n" << body << "\n";
    fs::permissions(root / word, fs::perms::owner_all);
  }

  ::e2e::LaunchOptions options(int rows = 25, int cols = 80) const {
    ::e2e::LaunchOptions o;
    o.argv = {KORVANTE_BIN};
    // Under valgrind each launcher writes its findings, if any, to a log of
    // its own in that folder; the test command fails on any log not empty.
    if (under_valgrind()) {
      // A launcher ended by a signal dies with its buffers still in hand:
      // that is no leak, so such a test checks the memory accesses only.
      o.argv = {"/usr/bin/valgrind", "-q",
                leaks_matter ? "--leak-check=full" : "--leak-check=no",
                "--show-leak-kinds=definite,indirect", "--errors-for-leak-kinds=definite,indirect",
                std::string("--log-file=") + std::getenv("KORVANTE_E2E_VALGRIND") + "/%p.log",
                KORVANTE_BIN};
    }
#ifdef KORVANTE_E2E_WINDOWS
    o.argv = {KORVANTE_WINE_RUN, KORVANTE_WINE_PREFIX, KORVANTE_BIN};
    o.cwd = base.string();
#endif
    o.env = ::e2e::basic_env();
    o.env.push_back("KORVANTE_HOME=" + path_of(root));
    o.env.push_back("KORVANTE_TRACE=" + path_of(base / "trace"));
    for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS"}) {
      if (const char* value = std::getenv(name)) o.env.push_back(std::string(name) + "=" + value);
    }
    o.rows = rows;
    o.cols = cols;
    return o;
  }

  // The options with the suite root given by `home` instead.
  ::e2e::LaunchOptions options_with_home(const std::string& home) const {
    ::e2e::LaunchOptions o = options();
    std::erase_if(o.env, [](const std::string& v) { return v.starts_with("KORVANTE_HOME="); });
    o.env.push_back("KORVANTE_HOME=" + home);
    return o;
  }

  ::e2e::PtyTerminal& start(const ::e2e::LaunchOptions& o) {
    terminal = std::make_unique<::e2e::PtyTerminal>(o);
    return *terminal;
  }
  ::e2e::PtyTerminal& start(int rows = 25, int cols = 80) { return start(options(rows, cols)); }

  // Waits for `text` on the screen, then for the output to go quiet.
  void expect_screen_with(const std::string& text) {
    ASSERT_TRUE(terminal->wait_for_text(text)) << "waiting for \"" << text << "\" on\n"
                                               << terminal->screen_text();
    terminal->settle();
  }

  // The screen's rows one after another, so that a text the terminal
  // wrapped at the right margin reads whole.
  std::string unwrapped_screen() const {
    std::string flat;
    for (int row = 1; row <= terminal->rows(); ++row) flat += terminal->row_text(row);
    return flat;
  }
  bool on_screen(const std::string& text) const { return unwrapped_screen().find(text) != std::string::npos; }

  // Waits until the launcher sits at the pause prompt (the cursor behind it).
  void expect_pause() {
    ASSERT_TRUE(terminal->wait_until([&] {
      return terminal->row_text(25).ends_with(pause_text.substr(0, pause_text.size() - 1)) &&
             terminal->cursor() == std::make_pair(80, 25);
    })) << terminal->screen_text();
    terminal->settle();
  }

  // Waits until the menu's prompt stands on the bottom row, cursor behind it.
  void expect_menu() {
    ASSERT_TRUE(terminal->wait_until([&] {
      return terminal->row_text(25) == std::string(16, ' ') + "    Módulo :" &&
             terminal->cursor() == std::make_pair(30, 25);
    })) << terminal->screen_text();
    terminal->settle();
  }

  void expect_exit_status(int code) {
    const auto exit = terminal->wait_exit();
    ASSERT_TRUE(exit) << "the launcher did not end:\n" << terminal->screen_text();
    EXPECT_TRUE(exit->exited) << "signal " << exit->signal;
    EXPECT_EQ(exit->code, code);
  }

  Records records() const {
    std::ifstream in(base / "trace", std::ios::binary);
    const std::string trace((std::istreambuf_iterator<char>(in)), {});
    return decode_trace(trace);
  }

  // The screen with this run's temporary folder written as /tmp/kv-XXXXXX,
  // and on Windows every "\" as "/".
  std::string masked_screen() const {
    std::string screen = terminal->screen_text();
    const std::string path = path_of(base);
    for (std::size_t at = screen.find(path); at != std::string::npos; at = screen.find(path, at)) {
      screen.replace(at, path.size(), "/tmp/kv-XXXXXX");
    }
    if (on_windows) std::replace(screen.begin(), screen.end(), '\\', '/');
    return screen;
  }

  void expect_golden(const std::string& name) {
    const std::string diff =
        ::e2e::compare_with_golden(std::string(KORVANTE_GOLDEN_DIR) + "/" + name, masked_screen());
    EXPECT_EQ(diff, "") << name;
  }

  // `text` with "{tag}", "{data}", "{root}" and "{base}" standing for this
  // run's values.
  std::string expand(std::string text) const {
    const std::pair<std::string, std::string> names[] = {
        {"{tag}", tag}, {"{data}", data()}, {"{root}", root_slash()}, {"{base}", path_of(base)}};
    for (const auto& [name, value] : names) {
      for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + value.size())) {
        text.replace(at, name.size(), value);
      }
    }
    return text;
  }

  // A piped session has ended with status 0, having recorded `expected`,
  // with each of `shown` on the final screen and none of `not_shown`
  // (all with expand's stand-ins).
  void expect_session_end(const Records& expected, const std::vector<std::string>& shown,
                          const std::vector<std::string>& not_shown) {
    const auto exit = terminal->wait_exit(std::chrono::seconds(20));
    ASSERT_TRUE(exit) << "still running:\n" << terminal->screen_text();
    EXPECT_TRUE(exit->exited) << "ended by signal " << exit->signal;
    EXPECT_EQ(exit->code, 0) << terminal->screen_text();
    Records records_expected;
    for (const TraceRecord& record : expected) {
      TraceRecord words;
      for (const std::string& word : record) words.push_back(expand(word));
      records_expected.push_back(words);
    }
    EXPECT_EQ(records(), records_expected);
    for (const std::string& text : shown) {
      EXPECT_TRUE(on_screen(expand(text))) << "\"" << expand(text) << "\" not on\n" << terminal->screen_text();
    }
    for (const std::string& text : not_shown) {
      EXPECT_FALSE(on_screen(expand(text))) << "\"" << expand(text) << "\" on\n" << terminal->screen_text();
    }
  }

  fs::path base;
  fs::path root;
  bool leaks_matter = true;  // false where the launcher is to end by a signal
  std::unique_ptr<::e2e::PtyTerminal> terminal;
};

}  // namespace korvante::e2e_support
