#include "pty_terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <vterm.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace e2e {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// How long a write may stay blocked on a full queue before we call it a hang.
constexpr milliseconds kWriteTimeout = std::chrono::seconds(10);

[[noreturn]] void throw_errno(const std::string& call, int err = errno) {
  throw std::runtime_error("PtyTerminal: " + call + ": " + std::strerror(err));
}

class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~UniqueFd() { reset(); }
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }
  void reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

 private:
  int fd_ = -1;
};

// Moves an fd to 3 or above, so that dup2() onto 0/1/2 in the child can never
// find source and target equal (which would leave close-on-exec set).
UniqueFd above_stdio(int fd, const char* what) {
  if (fd < 0) throw_errno(what);
  if (fd > 2) return UniqueFd(fd);
  int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, 3);
  int err = errno;
  ::close(fd);
  if (moved < 0) throw_errno("fcntl(F_DUPFD_CLOEXEC)", err);
  return UniqueFd(moved);
}

void set_nonblocking(int fd) {
  int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) < 0) throw_errno("fcntl(O_NONBLOCK)");
}

int remaining_ms(Clock::time_point deadline, milliseconds cap) {
  auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
  return static_cast<int>(std::clamp(left, milliseconds(0), cap).count());
}

// write() that reports EPIPE instead of letting SIGPIPE kill the test process,
// without touching the process-wide disposition other code may rely on.
ssize_t write_without_sigpipe(int fd, const char* data, size_t len) {
  sigset_t pipe_set, old_mask, pending;
  sigemptyset(&pipe_set);
  sigaddset(&pipe_set, SIGPIPE);
  sigpending(&pending);
  bool was_pending = sigismember(&pending, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &pipe_set, &old_mask);
  ssize_t n = ::write(fd, data, len);
  int err = errno;
  if (n < 0 && err == EPIPE && !was_pending) {
    const timespec zero{0, 0};
    while (sigtimedwait(&pipe_set, nullptr, &zero) < 0 && errno == EINTR) {
    }
  }
  pthread_sigmask(SIG_SETMASK, &old_mask, nullptr);
  errno = err;
  return n;
}

void append_utf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp <= 0x10FFFF) {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += "\xEF\xBF\xBD";  // U+FFFD: keep the row readable rather than emit invalid UTF-8
  }
}

// What the child reports through the exec pipe when it cannot reach execve.
struct ChildFailure {
  int step;
  int err;
};

enum ChildStep : int {
  kSetsid,
  kTiocsctty,
  kDup2Stdin,
  kDup2Stdout,
  kDup2Stderr,
  kChdir,
  kExecve,
};

const char* step_name(int step) {
  switch (step) {
    case kSetsid: return "setsid()";
    case kTiocsctty: return "ioctl(TIOCSCTTY)";
    case kDup2Stdin: return "dup2(stdin)";
    case kDup2Stdout: return "dup2(stdout)";
    case kDup2Stderr: return "dup2(stderr)";
    case kChdir: return "chdir";
    case kExecve: return "execve";
  }
  return "child setup";
}

// Runs in the forked child: only async-signal-safe calls, no allocation.
[[noreturn]] void child_main(int slave, int stdin_fd, int stdout_fd, int report_fd,
                             const char* cwd, char* const* argv, char* const* envp, int max_fd) {
  auto fail = [report_fd](int step) {
    ChildFailure f{step, errno};
    ssize_t ignored = ::write(report_fd, &f, sizeof f);
    (void)ignored;
    ::_exit(127);
  };

  // Ignored signals survive exec (a test run from a background job ignores
  // SIGINT), and the program must see Ctrl-C like it would at a real terminal.
  struct sigaction dfl;
  std::memset(&dfl, 0, sizeof dfl);
  dfl.sa_handler = SIG_DFL;
  for (int sig = 1; sig < NSIG; ++sig) ::sigaction(sig, &dfl, nullptr);
  sigset_t none;
  sigemptyset(&none);
  ::sigprocmask(SIG_SETMASK, &none, nullptr);

  // New session whose controlling terminal is the pty; our process group is
  // then the terminal's foreground group, so ^C delivers SIGINT to it.
  if (::setsid() < 0) fail(kSetsid);
  if (::ioctl(slave, TIOCSCTTY, 0) < 0) fail(kTiocsctty);

  if (::dup2(stdin_fd, 0) < 0) fail(kDup2Stdin);
  if (::dup2(stdout_fd, 1) < 0) fail(kDup2Stdout);
  if (::dup2(slave, 2) < 0) fail(kDup2Stderr);

  // The test process may hold descriptors without close-on-exec (inherited
  // from whoever started it); the program must see only 0, 1 and 2.
  if (::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC) < 0) {
    for (int fd = 3; fd < max_fd; ++fd) ::fcntl(fd, F_SETFD, FD_CLOEXEC);
  }

  if (cwd != nullptr && ::chdir(cwd) < 0) fail(kChdir);
  ::execve(argv[0], argv, envp);
  fail(kExecve);
  ::_exit(127);  // not reached; keeps [[noreturn]] obvious to the compiler
}

}  // namespace

std::vector<std::string> basic_env() {
  const char* home = std::getenv("HOME");
  return {
      "PATH=/usr/local/bin:/usr/bin:/bin",
      "TERM=xterm",
      "LANG=C.UTF-8",
      std::string("HOME=") + (home != nullptr && *home != '\0' ? home : "/"),
  };
}

PtyTerminal::PtyTerminal(const LaunchOptions& options) : rows_(options.rows), cols_(options.cols) {
  if (options.argv.empty() || options.argv[0].empty())
    throw std::invalid_argument("PtyTerminal: argv must name a program");
  if (rows_ <= 0 || cols_ <= 0 || rows_ > USHRT_MAX || cols_ > USHRT_MAX)
    throw std::invalid_argument("PtyTerminal: bad terminal size");

  // The emulator is set up before forking so that a failure here leaves no child behind.
  vt_ = vterm_new(rows_, cols_);
  if (vt_ == nullptr) throw std::runtime_error("PtyTerminal: vterm_new failed");
  try {
    vterm_set_utf8(vt_, 1);
    // Answers to queries (cursor position, device attributes) go back to the
    // program, as from a real terminal.
    vterm_output_set_callback(vt_, &PtyTerminal::on_vterm_output, this);
    screen_ = vterm_obtain_screen(vt_);
    vterm_screen_enable_altscreen(screen_, options.altscreen ? 1 : 0);
    vterm_screen_reset(screen_, 1);
    state_ = vterm_obtain_state(vt_);

    UniqueFd master = above_stdio(::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC), "posix_openpt");
    if (::grantpt(master.get()) < 0) throw_errno("grantpt");
    if (::unlockpt(master.get()) < 0) throw_errno("unlockpt");
    char slave_name[128];
    if (int err = ::ptsname_r(master.get(), slave_name, sizeof slave_name); err != 0)
      throw_errno("ptsname_r", err);
    UniqueFd slave = above_stdio(::open(slave_name, O_RDWR | O_NOCTTY | O_CLOEXEC),
                                 (std::string("open(") + slave_name + ")").c_str());

    // A fresh pty already behaves like this; stating it keeps tests independent of that.
    termios tio;
    if (::tcgetattr(slave.get(), &tio) < 0) throw_errno("tcgetattr");
    tio.c_iflag |= ICRNL;
    tio.c_oflag |= OPOST | ONLCR;
    tio.c_lflag |= ICANON | ECHO | ISIG;
    tio.c_cc[VINTR] = 0x03;
    tio.c_cc[VEOF] = 0x04;
    if (::tcsetattr(slave.get(), TCSANOW, &tio) < 0) throw_errno("tcsetattr");

    winsize ws{};
    ws.ws_row = static_cast<unsigned short>(rows_);
    ws.ws_col = static_cast<unsigned short>(cols_);
    if (::ioctl(slave.get(), TIOCSWINSZ, &ws) < 0) throw_errno("ioctl(TIOCSWINSZ)");

    UniqueFd stdin_read, stdin_write;
    if (options.stdin_from == LaunchOptions::Stdin::pipe) {
      int p[2];
      if (::pipe2(p, O_CLOEXEC) < 0) throw_errno("pipe2(stdin)");
      UniqueFd r(p[0]), w(p[1]);
      stdin_read = above_stdio(r.release(), "pipe2(stdin)");
      stdin_write = above_stdio(w.release(), "pipe2(stdin)");
    }

    UniqueFd stdout_file;
    if (options.stdout_closed_pipe) {
      int p[2];
      if (::pipe2(p, O_CLOEXEC) < 0) throw_errno("pipe2(stdout)");
      ::close(p[0]);
      stdout_file = above_stdio(p[1], "pipe2(stdout)");
    } else if (!options.stdout_file.empty()) {
      stdout_file = above_stdio(
          ::open(options.stdout_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644),
          ("open(" + options.stdout_file + ")").c_str());
    }

    int rp[2];
    if (::pipe2(rp, O_CLOEXEC) < 0) throw_errno("pipe2(exec report)");
    UniqueFd report_r(rp[0]), report_w(rp[1]);
    report_r = above_stdio(report_r.release(), "pipe2(exec report)");
    report_w = above_stdio(report_w.release(), "pipe2(exec report)");

    // Everything the child needs is laid out now: it must not allocate after fork.
    std::vector<std::string> argv_copy = options.argv, env_copy = options.env;
    std::vector<char*> argv_ptrs, env_ptrs;
    for (auto& a : argv_copy) argv_ptrs.push_back(a.data());
    argv_ptrs.push_back(nullptr);
    for (auto& e : env_copy) env_ptrs.push_back(e.data());
    env_ptrs.push_back(nullptr);
    const char* cwd = options.cwd.empty() ? nullptr : options.cwd.c_str();
    long open_max = ::sysconf(_SC_OPEN_MAX);
    int max_fd = static_cast<int>(std::clamp(open_max, 256L, 65536L));
    int child_stdin = stdin_read.get() >= 0 ? stdin_read.get() : slave.get();
    int child_stdout = stdout_file.get() >= 0 ? stdout_file.get() : slave.get();

    // Only our ends become non-blocking: these descriptions are not shared with the child.
    set_nonblocking(master.get());
    if (stdin_write.get() >= 0) set_nonblocking(stdin_write.get());

    pid_t pid = ::fork();
    if (pid < 0) throw_errno("fork");
    if (pid == 0) {
      child_main(slave.get(), child_stdin, child_stdout, report_w.get(), cwd, argv_ptrs.data(),
                 env_ptrs.data(), max_fd);
    }

    // The child holds its own copies; keeping ours would hide the end of
    // output (no EIO) and the end of its stdin.
    slave.reset();
    stdin_read.reset();
    stdout_file.reset();
    report_w.reset();

    // The report pipe closes on a successful exec; bytes on it mean failure.
    ChildFailure failure{};
    size_t got = 0;
    auto deadline = Clock::now() + std::chrono::seconds(10);
    bool timed_out = false;
    while (got < sizeof failure) {
      pollfd pfd{report_r.get(), POLLIN, 0};
      int pr = ::poll(&pfd, 1, remaining_ms(deadline, std::chrono::seconds(10)));
      if (pr < 0 && errno == EINTR) continue;
      if (pr == 0) {
        timed_out = true;
        break;
      }
      ssize_t n = ::read(report_r.get(), reinterpret_cast<char*>(&failure) + got,
                         sizeof failure - got);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      got += static_cast<size_t>(n);
    }
    if (timed_out || got > 0) {
      if (timed_out) ::kill(pid, SIGKILL);
      int status;
      while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
      }
      if (timed_out) throw std::runtime_error("PtyTerminal: child did not reach execve in time");
      if (got < sizeof failure) throw std::runtime_error("PtyTerminal: child failed before execve");
      std::string call = step_name(failure.step);
      if (failure.step == kExecve) call += "(" + options.argv[0] + ")";
      if (failure.step == kChdir) call += "(" + options.cwd + ")";
      throw_errno(call, failure.err);
    }

    pid_ = pid;
    master_ = master.release();
    stdin_pipe_ = stdin_write.release();
  } catch (...) {
    vterm_free(vt_);
    vt_ = nullptr;
    throw;
  }
}

PtyTerminal::~PtyTerminal() {
  if (pid_ > 0 && !exit_) {
    // The child leads its own process group; take its helpers down with it.
    ::kill(-pid_, SIGKILL);
    ::kill(pid_, SIGKILL);
    int status;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
  }
  if (stdin_pipe_ >= 0) ::close(stdin_pipe_);
  if (master_ >= 0) ::close(master_);
  if (vt_ != nullptr) vterm_free(vt_);
}

void PtyTerminal::on_vterm_output(const char* s, size_t len, void* user) {
  static_cast<PtyTerminal*>(user)->replies_.append(s, len);
}

void PtyTerminal::feed(const char* data, size_t len) {
  raw_.append(data, len);
  vterm_input_write(vt_, data, len);
  flush_replies();
}

void PtyTerminal::flush_replies() {
  while (!replies_.empty() && !eof_) {
    ssize_t n = ::write(master_, replies_.data(), replies_.size());
    if (n > 0) {
      replies_.erase(0, static_cast<size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else if (n < 0 && errno == EAGAIN) {
      return;  // retried on the next pump
    } else {
      replies_.clear();  // nobody is left to read the answer
      return;
    }
  }
}

size_t PtyTerminal::pump(milliseconds wait) {
  if (eof_) {
    // Nothing more can arrive; still let time pass so callers' waits are honest.
    if (wait.count() > 0) {
      pollfd none{-1, 0, 0};
      ::poll(&none, 0, static_cast<int>(wait.count()));
    }
    return 0;
  }
  flush_replies();
  pollfd pfd{master_, POLLIN, 0};
  int pr = ::poll(&pfd, 1, static_cast<int>(wait.count()));
  if (pr < 0 && errno != EINTR) throw_errno("poll(pty master)");
  if (pr <= 0) return 0;

  size_t total = 0;
  char buf[16384];
  for (;;) {
    ssize_t n = ::read(master_, buf, sizeof buf);
    if (n > 0) {
      feed(buf, static_cast<size_t>(n));
      total += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno == EAGAIN) break;
    // EIO (or a 0 read): every slave descriptor is closed, so the output is complete.
    if (n == 0 || errno == EIO) {
      eof_ = true;
      break;
    }
    throw_errno("read(pty master)");
  }
  return total;
}

void PtyTerminal::write_all(int fd, std::string_view bytes, const char* what) {
  auto deadline = Clock::now() + kWriteTimeout;
  size_t off = 0;
  while (off < bytes.size()) {
    ssize_t n = write_without_sigpipe(fd, bytes.data() + off, bytes.size() - off);
    if (n > 0) {
      off += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (!(n < 0 && errno == EAGAIN)) throw_errno(what);
    if (Clock::now() >= deadline) throw std::runtime_error(std::string("PtyTerminal: ") + what +
                                                           ": input not consumed in time");
    // The program may be blocked writing its output; draining it lets it read our input.
    pollfd pfds[2] = {{fd, POLLOUT, 0}, {master_, POLLIN, 0}};
    nfds_t count = (fd == master_ || eof_) ? 1 : 2;
    if (fd == master_ && !eof_) pfds[0].events |= POLLIN;
    int pr = ::poll(pfds, count, remaining_ms(deadline, milliseconds(50)));
    if (pr < 0 && errno != EINTR) throw_errno("poll");
    pump(milliseconds(0));
  }
}

void PtyTerminal::type(std::string_view bytes) { write_all(master_, bytes, "write(pty master)"); }

void PtyTerminal::write_stdin(std::string_view bytes) {
  if (stdin_pipe_ < 0) throw std::logic_error("PtyTerminal: write_stdin needs an open Stdin::pipe");
  write_all(stdin_pipe_, bytes, "write(stdin pipe)");
}

void PtyTerminal::close_stdin() {
  if (stdin_pipe_ < 0) throw std::logic_error("PtyTerminal: close_stdin needs an open Stdin::pipe");
  ::close(stdin_pipe_);
  stdin_pipe_ = -1;
}

void PtyTerminal::resize(int rows, int cols) {
  if (rows <= 0 || cols <= 0 || rows > USHRT_MAX || cols > USHRT_MAX)
    throw std::invalid_argument("PtyTerminal: bad terminal size");
  // Output already queued was laid out for the old size; render it first.
  pump(milliseconds(0));
  vterm_set_size(vt_, rows, cols);
  rows_ = rows;
  cols_ = cols;
  winsize ws{};
  ws.ws_row = static_cast<unsigned short>(rows);
  ws.ws_col = static_cast<unsigned short>(cols);
  // On the master, this also sends SIGWINCH to the terminal's foreground group.
  if (::ioctl(master_, TIOCSWINSZ, &ws) < 0) throw_errno("ioctl(TIOCSWINSZ)");
}

bool PtyTerminal::wait_until(const std::function<bool()>& pred, milliseconds timeout) {
  auto deadline = Clock::now() + timeout;
  for (;;) {
    if (pred()) return true;
    if (Clock::now() >= deadline) return false;
    pump(milliseconds(remaining_ms(deadline, milliseconds(50))));
  }
}

bool PtyTerminal::wait_for_text(std::string_view needle, milliseconds timeout) {
  return wait_until([&] { return screen_text().find(needle) != std::string::npos; }, timeout);
}

void PtyTerminal::settle(milliseconds quiet, milliseconds timeout) {
  auto deadline = Clock::now() + timeout;
  auto last_output = Clock::now();
  while (!eof_) {
    auto now = Clock::now();
    if (now >= deadline) return;
    auto quiet_end = last_output + quiet;
    if (now >= quiet_end) return;
    auto wait = std::min(std::chrono::duration_cast<milliseconds>(quiet_end - now) + milliseconds(1),
                         std::chrono::duration_cast<milliseconds>(deadline - now) + milliseconds(1));
    if (pump(wait) > 0) last_output = Clock::now();
  }
}

std::string PtyTerminal::row_text(int row) const {
  if (row < 1 || row > rows_) throw std::out_of_range("PtyTerminal: row " + std::to_string(row));
  std::string out;
  for (int col = 0; col < cols_;) {
    VTermScreenCell cell;
    vterm_screen_get_cell(screen_, VTermPos{row - 1, col}, &cell);
    if (cell.chars[0] == 0) {
      out += ' ';
    } else if (cell.chars[0] != UINT32_MAX) {  // UINT32_MAX: right half of a wide character
      for (int i = 0; i < VTERM_MAX_CHARS_PER_CELL && cell.chars[i] != 0; ++i)
        append_utf8(out, cell.chars[i]);
    }
    col += cell.width > 1 ? cell.width : 1;
  }
  out.erase(out.find_last_not_of(' ') + 1);
  return out;
}

std::string PtyTerminal::screen_text() const {
  std::string out;
  for (int row = 1; row <= rows_; ++row) {
    out += row_text(row);
    out += '\n';
  }
  return out;
}

std::pair<int, int> PtyTerminal::cursor() const {
  VTermPos pos;
  vterm_state_get_cursorpos(state_, &pos);
  return {pos.col + 1, pos.row + 1};
}

std::optional<Exit> PtyTerminal::wait_exit(milliseconds timeout) {
  if (exit_) return exit_;
  auto deadline = Clock::now() + timeout;
  for (;;) {
    int status = 0;
    pid_t r = ::waitpid(pid_, &status, WNOHANG);
    if (r == pid_) {
      exit_ = WIFEXITED(status) ? Exit{true, WEXITSTATUS(status), 0}
                                : Exit{false, 0, WIFSIGNALED(status) ? WTERMSIG(status) : 0};
      // Collect what the child wrote just before it ended; stops at EIO, or
      // soon when a leftover process still holds the terminal open.
      settle(milliseconds(100), std::chrono::seconds(2));
      return exit_;
    }
    if (r < 0 && errno != EINTR) throw_errno("waitpid");
    if (Clock::now() >= deadline) return std::nullopt;
    pump(milliseconds(remaining_ms(deadline, milliseconds(20))));
  }
}

std::string compare_with_golden(const std::string& golden_path, const std::string& actual) {
  std::string expected;
  bool exists = false;
  {
    std::ifstream in(golden_path, std::ios::binary);
    if (in) {
      exists = true;
      std::ostringstream ss;
      ss << in.rdbuf();
      expected = ss.str();
    }
  }
  if (exists && expected == actual) return "";

  const char* update = std::getenv("KORVANTE_UPDATE_GOLDEN");
  if (update != nullptr && std::string_view(update) == "1") {
    std::error_code ec;
    auto parent = std::filesystem::path(golden_path).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent, ec);
    std::ofstream out(golden_path, std::ios::binary | std::ios::trunc);
    out << actual;
    out.close();
    if (!out) return "could not write golden file " + golden_path;
    return "";
  }

  std::ostringstream diff;
  if (!exists) {
    diff << "golden file " << golden_path
         << " is missing (run with KORVANTE_UPDATE_GOLDEN=1 to create it); actual screen:\n"
         << actual;
    return diff.str();
  }

  auto split = [](const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
      size_t nl = text.find('\n', start);
      if (nl == std::string::npos) {
        lines.push_back(text.substr(start));
        break;
      }
      lines.push_back(text.substr(start, nl - start));
      start = nl + 1;
    }
    return lines;
  };
  // Columns are counted in characters so they match what the screen shows.
  auto column_of = [](const std::string& s, size_t byte) {
    size_t col = 1;
    for (size_t i = 0; i < byte && i < s.size(); ++i)
      if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) ++col;
    return col;
  };

  auto exp_lines = split(expected), act_lines = split(actual);
  diff << "screen differs from golden file " << golden_path
       << " (run with KORVANTE_UPDATE_GOLDEN=1 to accept the actual screen)\n";
  if (exp_lines.size() != act_lines.size())
    diff << "expected " << exp_lines.size() << " rows, actual " << act_lines.size() << " rows\n";
  size_t n = std::max(exp_lines.size(), act_lines.size());
  for (size_t i = 0; i < n; ++i) {
    const std::string* e = i < exp_lines.size() ? &exp_lines[i] : nullptr;
    const std::string* a = i < act_lines.size() ? &act_lines[i] : nullptr;
    if (e != nullptr && a != nullptr && *e == *a) continue;
    diff << "row " << (i + 1) << ":\n";
    diff << "  expected: " << (e != nullptr ? "|" + *e + "|" : "(no row)") << "\n";
    diff << "  actual:   " << (a != nullptr ? "|" + *a + "|" : "(no row)") << "\n";
    if (e != nullptr && a != nullptr) {
      size_t k = 0;
      while (k < e->size() && k < a->size() && (*e)[k] == (*a)[k]) ++k;
      diff << "  first difference at column " << column_of(*a, k) << "\n";
    }
  }
  bool exp_nl = !expected.empty() && expected.back() == '\n';
  bool act_nl = !actual.empty() && actual.back() == '\n';
  if (exp_nl != act_nl)
    diff << (act_nl ? "actual" : "expected") << " ends with a newline, the other does not\n";
  return diff.str();
}

}  // namespace e2e
