// End-to-end test harness: runs a real program on a pseudo-terminal and
// renders everything it writes through a libvterm terminal emulator, so a test
// can type keys and read the screen exactly as a user would see it.
//
// Not thread-safe: one PtyTerminal is driven by one test thread.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct VTerm;
struct VTermScreen;
struct VTermState;

namespace e2e {

struct LaunchOptions {
  std::vector<std::string> argv;  // argv[0] is the path of the program (no PATH lookup)
  std::vector<std::string> env;   // full environment "NAME=value" (not merged with ours)
  std::string cwd;                // empty = inherit
  int rows = 25, cols = 80;
  // Where the child's standard input / output come from. The pty is ALWAYS the
  // child's controlling terminal (setsid + TIOCSCTTY), so a program that opens
  // /dev/tty reaches the emulated screen even when its stdin/stdout are elsewhere.
  enum class Stdin { pty, pipe } stdin_from = Stdin::pty;  // pipe: test writes via write_stdin()/close_stdin()
  std::string stdout_file;  // empty = pty; otherwise stdout (only) goes to this file (created/truncated)
  // Stdout is a pipe whose reading end is already closed: every write fails
  // (EPIPE, and SIGPIPE unless the program handles it). Overrides stdout_file.
  bool stdout_closed_pipe = false;
  // A real xterm switches to a separate buffer on "\x1b[?1049h"; keep that by default.
  bool altscreen = true;
};

// A small, predictable environment for launching programs under test.
// TERM=xterm matches what libvterm emulates; LANG=C.UTF-8 makes programs emit UTF-8.
std::vector<std::string> basic_env();

struct Exit {
  bool exited;  // true: exited normally with `code`; false: killed by `signal`
  int code;
  int signal;
};

class PtyTerminal {
 public:
  // Forks and execs; throws std::runtime_error naming the failing call.
  explicit PtyTerminal(const LaunchOptions& options);
  // Kills (SIGKILL, whole process group) and reaps the child if not yet reaped; frees vterm.
  ~PtyTerminal();

  PtyTerminal(const PtyTerminal&) = delete;
  PtyTerminal& operator=(const PtyTerminal&) = delete;

  // Writes to the pty master as if typed ("\r" is Enter, "\x03" Ctrl-C, "\x04" Ctrl-D).
  // Keeps pumping output while the input queue is full; throws if it stays full.
  void type(std::string_view bytes);
  // Only with Stdin::pipe. Throws if the child closed its end.
  void write_stdin(std::string_view bytes);
  void close_stdin();

  // Changes the window size of both the pty (the child gets SIGWINCH) and the emulator.
  void resize(int rows, int cols);

  // Pumps output into the emulator until pred() holds or the timeout passes; returns pred().
  bool wait_until(const std::function<bool()>& pred,
                  std::chrono::milliseconds timeout = std::chrono::seconds(10));
  // True once `needle` appears anywhere in screen_text() (so it may span rows via '\n').
  bool wait_for_text(std::string_view needle,
                     std::chrono::milliseconds timeout = std::chrono::seconds(10));
  // Pumps until no output arrived for `quiet` (bounded by `timeout`).
  void settle(std::chrono::milliseconds quiet = std::chrono::milliseconds(150),
              std::chrono::milliseconds timeout = std::chrono::seconds(5));

  int rows() const { return rows_; }
  int cols() const { return cols_; }
  std::string row_text(int row) const;  // 1-based row, UTF-8, trailing blanks removed
  std::string screen_text() const;      // every row trimmed, each followed by '\n'
  std::pair<int, int> cursor() const;   // {column, row}, 1-based

  // Waits for the child to end, pumping output meanwhile (so a child blocked on
  // a full pty can finish). Once reaped, later calls return the same result.
  std::optional<Exit> wait_exit(std::chrono::milliseconds timeout = std::chrono::seconds(10));

  pid_t pid() const { return pid_; }
  std::string raw_output() const { return raw_; }  // every byte read from the pty master so far

 private:
  // Reads whatever the master has within `wait`; returns the number of bytes read.
  size_t pump(std::chrono::milliseconds wait);
  void feed(const char* data, size_t len);
  void flush_replies();
  void write_all(int fd, std::string_view bytes, const char* what);
  static void on_vterm_output(const char* s, size_t len, void* user);

  int rows_ = 0, cols_ = 0;
  int master_ = -1;
  int stdin_pipe_ = -1;  // write end, only with Stdin::pipe
  pid_t pid_ = -1;
  bool eof_ = false;     // the master reported EIO: no slave is open any more
  std::optional<Exit> exit_;
  std::string raw_;
  std::string replies_;  // terminal answers (e.g. cursor reports) not yet written back
  VTerm* vt_ = nullptr;
  VTermScreen* screen_ = nullptr;
  VTermState* state_ = nullptr;
};

// Compares a screen with a golden text file. Returns "" on match, otherwise a
// readable diff naming the differing rows (1-based). When the environment
// variable KORVANTE_UPDATE_GOLDEN=1 is set, a mismatching (or missing) file is
// rewritten with `actual` instead and "" is returned.
std::string compare_with_golden(const std::string& golden_path, const std::string& actual);

}  // namespace e2e
