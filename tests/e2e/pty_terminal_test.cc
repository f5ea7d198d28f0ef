// Self-test of the pty harness against ordinary system programs.
#include "pty_terminal.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>

namespace e2e {
namespace {

using namespace std::chrono_literals;

LaunchOptions shell(const std::string& script, int rows = 25, int cols = 80) {
  LaunchOptions o;
  o.argv = {"/bin/sh", "-c", script};
  o.env = basic_env();
  o.rows = rows;
  o.cols = cols;
  return o;
}

std::string read_file(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// A scratch directory removed at the end of the test.
class TempDir {
 public:
  TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "pty_terminal_test.XXXXXX").string();
    if (mkdtemp(tmpl.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = tmpl;
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

TEST(PtyTerminal, TabStopAndCursorAfterPrintf) {
  LaunchOptions o;
  o.argv = {"/usr/bin/printf", "ab\\tc"};
  o.env = basic_env();
  o.rows = 6;
  o.cols = 40;
  PtyTerminal t(o);
  auto exit = t.wait_exit();
  ASSERT_TRUE(exit.has_value());
  EXPECT_TRUE(exit->exited);
  EXPECT_EQ(exit->code, 0);
  EXPECT_EQ(t.raw_output(), "ab\tc");
  EXPECT_EQ(t.row_text(1), "ab      c");  // default tab stops every 8 columns: 'c' lands on column 9
  EXPECT_EQ(t.cursor(), std::make_pair(10, 1));
  EXPECT_EQ(t.screen_text(), "ab      c\n\n\n\n\n\n");
}

TEST(PtyTerminal, CursorAddressingEscape) {
  PtyTerminal t(shell("printf 'top\\033[5;10HX'", 8, 20));
  ASSERT_TRUE(t.wait_exit().has_value());
  EXPECT_EQ(t.row_text(1), "top");
  EXPECT_EQ(t.row_text(4), "");
  EXPECT_EQ(t.row_text(5), std::string(9, ' ') + "X");
  EXPECT_EQ(t.cursor(), std::make_pair(11, 5));
  EXPECT_THROW(t.row_text(9), std::out_of_range);
  EXPECT_THROW(t.row_text(0), std::out_of_range);
}

TEST(PtyTerminal, Utf8BoxDrawingAccentsAndWideCharacters) {
  // The first box character is split across two writes, so the emulator must
  // join a UTF-8 sequence that arrives in pieces.
  PtyTerminal t(shell(
      "printf '\\342'; sleep 0.2; printf '\\224\\214\\342\\224\\200\\342\\224\\220\\n'; "
      "printf '\\303\\263 ok\\n'; printf '\\346\\227\\245\\346\\234\\254x\\n'",
      6, 20));
  ASSERT_TRUE(t.wait_exit().has_value());
  EXPECT_EQ(t.row_text(1), "┌─┐");
  EXPECT_EQ(t.row_text(2), "ó ok");
  // A double-width character occupies two cells but is read back once.
  EXPECT_EQ(t.row_text(3), "日本x");
  EXPECT_EQ(t.cursor(), std::make_pair(1, 4));
}

TEST(PtyTerminal, SmallScreenScrollsAndWraps) {
  PtyTerminal t(shell(
      "stty size; i=1; while [ $i -le 14 ]; do echo \"line $i\"; i=$((i+1)); done; "
      "printf '%035d\\n' 7",
      10, 30));
  ASSERT_TRUE(t.wait_exit().has_value());
  // 1 size row + 14 lines + a 35-column line that wraps into two rows + the
  // empty row holding the cursor: 18 rows through a 10-row window.
  std::string expected;
  for (int i = 8; i <= 14; ++i) expected += "line " + std::to_string(i) + "\n";
  expected += std::string(30, '0') + "\n" + "00007\n" + "\n";
  EXPECT_EQ(t.screen_text(), expected);
  EXPECT_EQ(t.cursor(), std::make_pair(1, 10));
  EXPECT_NE(t.raw_output().find("10 30\r\n"), std::string::npos) << t.raw_output();
}

TEST(PtyTerminal, OutputQueuedWhenTheChildEndsIsStillCollected) {
  PtyTerminal t(shell("seq 1 1000", 10, 30));
  // The output fits in the pty's queue, so the child ends before we read any
  // of it; wait_exit must drain it after reaping.
  std::this_thread::sleep_for(500ms);
  auto exit = t.wait_exit();
  ASSERT_TRUE(exit.has_value());
  std::string expected;
  for (int i = 1; i <= 1000; ++i) expected += std::to_string(i) + "\r\n";
  EXPECT_EQ(t.raw_output(), expected);
  EXPECT_EQ(t.row_text(9), "1000");
  EXPECT_EQ(t.row_text(1), "992");
}

TEST(PtyTerminal, TypedLineReachesTheProgramAndIsEchoed) {
  PtyTerminal t(shell("read x; echo \"got:$x\""));
  t.type("hola mundo\r");
  ASSERT_TRUE(t.wait_for_text("got:hola mundo")) << t.screen_text();
  EXPECT_EQ(t.row_text(1), "hola mundo");  // echo from the line discipline
  EXPECT_EQ(t.row_text(2), "got:hola mundo");
  auto exit = t.wait_exit();
  ASSERT_TRUE(exit.has_value());
  EXPECT_TRUE(exit->exited);
  EXPECT_EQ(exit->code, 0);
}

TEST(PtyTerminal, CtrlDEndsInputOfCat) {
  LaunchOptions o;
  o.argv = {"/bin/cat"};
  o.env = basic_env();
  PtyTerminal t(o);
  t.type("abc\r");
  ASSERT_TRUE(t.wait_until([&] { return t.row_text(2) == "abc"; })) << t.screen_text();
  EXPECT_EQ(t.row_text(1), "abc");
  t.type("\x04");
  auto exit = t.wait_exit();
  ASSERT_TRUE(exit.has_value());
  EXPECT_TRUE(exit->exited);
  EXPECT_EQ(exit->code, 0);
}

TEST(PtyTerminal, CtrlCInterruptsForegroundProgram) {
  LaunchOptions o;
  o.argv = {"/bin/sleep", "30"};
  o.env = basic_env();
  PtyTerminal t(o);
  auto start = std::chrono::steady_clock::now();
  t.type("\x03");
  auto exit = t.wait_exit(10s);
  ASSERT_TRUE(exit.has_value()) << "sleep was not interrupted";
  EXPECT_FALSE(exit->exited);
  EXPECT_EQ(exit->signal, SIGINT);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
  EXPECT_NE(t.raw_output().find("^C"), std::string::npos);  // ECHOCTL, as on a real terminal
}

TEST(PtyTerminal, PipedStdinFileStdoutAndDevTty) {
  TempDir dir;
  auto out = dir.path() / "stdout.txt";
  LaunchOptions o = shell("read x; echo \"out:$x\"; echo \"tty:$x\" > /dev/tty");
  o.stdin_from = LaunchOptions::Stdin::pipe;
  o.stdout_file = out.string();
  o.cwd = dir.path().string();
  PtyTerminal t(o);
  t.write_stdin("piped\n");
  t.close_stdin();
  auto exit = t.wait_exit();
  ASSERT_TRUE(exit.has_value());
  EXPECT_EQ(exit->code, 0);
  EXPECT_EQ(read_file(out), "out:piped\n");
  EXPECT_EQ(t.row_text(1), "tty:piped");
  EXPECT_EQ(t.raw_output().find("out:"), std::string::npos) << t.raw_output();
  EXPECT_THROW(t.write_stdin("late"), std::logic_error);
}

TEST(PtyTerminal, WritingToStdinOfAnEndedProgramThrowsInsteadOfKilling) {
  LaunchOptions o = shell("exec 0<&-; sleep 5");
  o.stdin_from = LaunchOptions::Stdin::pipe;
  PtyTerminal t(o);
  // Once the program closed its stdin, a write gets EPIPE; SIGPIPE must not end the test.
  EXPECT_TRUE(t.wait_until(
      [&] {
        try {
          t.write_stdin("x");
          return false;
        } catch (const std::runtime_error& e) {
          return std::string(e.what()).find("Broken pipe") != std::string::npos;
        }
      },
      5s));
}

TEST(PtyTerminal, WorkingDirectoryAndEnvironmentAreExactlyWhatWasAsked) {
  TempDir dir;
  LaunchOptions o;
  o.argv = {"/bin/sh", "-c", "pwd; echo \"[$ONLY]\"; echo \"[$HOME]\""};
  o.env = {"ONLY=this", "PATH=/usr/bin:/bin"};
  o.cwd = dir.path().string();
  PtyTerminal t(o);
  ASSERT_TRUE(t.wait_exit().has_value());
  EXPECT_EQ(t.row_text(1), std::filesystem::canonical(dir.path()).string());
  EXPECT_EQ(t.row_text(2), "[this]");
  EXPECT_EQ(t.row_text(3), "[]");  // our HOME was not passed on
}

TEST(PtyTerminal, ExitCodeAndBoundedWait) {
  PtyTerminal quick(shell("exit 7"));
  auto exit = quick.wait_exit();
  ASSERT_TRUE(exit.has_value());
  EXPECT_TRUE(exit->exited);
  EXPECT_EQ(exit->code, 7);
  EXPECT_EQ(quick.wait_exit(0ms)->code, 7);  // remembered after reaping

  pid_t slow_pid;
  {
    LaunchOptions o;
    o.argv = {"/bin/sleep", "30"};
    o.env = basic_env();
    PtyTerminal slow(o);
    slow_pid = slow.pid();
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(slow.wait_exit(300ms).has_value());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
  }
  // The destructor killed and reaped it.
  EXPECT_EQ(kill(slow_pid, 0), -1);
  EXPECT_EQ(errno, ESRCH);
}

TEST(PtyTerminal, ChildSeesOnlyStandardDescriptors) {
  // A descriptor leaked into the test process without close-on-exec must not
  // reach the program either.
  int leaked = open("/dev/null", O_RDONLY);
  ASSERT_GE(leaked, 3);
  // "; exit 0" keeps the shell from exec'ing ls, so the listing is the shell's own.
  PtyTerminal t(shell("ls -1 /proc/$$/fd; exit 0"));
  auto exit = t.wait_exit();
  close(leaked);
  ASSERT_TRUE(exit.has_value());
  EXPECT_EQ(exit->code, 0);
  std::string expected = "0\n1\n2\n" + std::string(22, '\n');
  EXPECT_EQ(t.screen_text(), expected);
}

TEST(PtyTerminal, QueriesAreAnsweredLikeARealTerminal) {
  // Cursor position report: the program asks with ESC[6n and reads ESC[row;colR.
  PtyTerminal t(shell(
      "stty raw -echo; printf '\\033[3;7H\\033[6n'; r=$(dd bs=1 count=6 2>/dev/null); "
      "stty sane; printf '\\r\\nreply:%s\\r\\n' \"${r#?}\"",
      10, 40));
  ASSERT_TRUE(t.wait_for_text("reply:")) << t.raw_output();
  auto exit = t.wait_exit();
  ASSERT_TRUE(exit.has_value());
  EXPECT_EQ(t.row_text(4), "reply:[3;7R");
}

TEST(PtyTerminal, ResizeReachesProgramAndEmulator) {
  PtyTerminal t(shell("stty size; read x; stty size", 10, 30));
  ASSERT_TRUE(t.wait_for_text("10 30"));
  t.resize(12, 40);
  EXPECT_EQ(t.rows(), 12);
  EXPECT_EQ(t.cols(), 40);
  t.type("\r");
  ASSERT_TRUE(t.wait_for_text("12 40")) << t.screen_text();
  ASSERT_TRUE(t.wait_exit().has_value());
  EXPECT_EQ(t.row_text(3), "12 40");
  EXPECT_EQ(t.row_text(12), "");
}

TEST(PtyTerminal, AlternateScreenIsRestoredOnExit) {
  PtyTerminal t(shell("echo main; printf '\\033[?1049h\\033[H\\033[2Jalt'; read x; printf '\\033[?1049l'", 5, 20));
  ASSERT_TRUE(t.wait_for_text("alt"));
  EXPECT_EQ(t.row_text(1), "alt");
  t.type("\r");
  ASSERT_TRUE(t.wait_exit().has_value());
  EXPECT_EQ(t.row_text(1), "main");
}

TEST(PtyTerminal, SettleWaitsForOutputToStop) {
  PtyTerminal t(shell("echo one; sleep 0.3; echo two; sleep 30"));
  ASSERT_TRUE(t.wait_for_text("one"));
  // A quiet window longer than the pause must see the second line.
  t.settle(1500ms, 10s);
  EXPECT_EQ(t.row_text(2), "two");
  // Bounded even though the program never ends.
  auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(t.wait_for_text("three", 200ms));
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
}

TEST(PtyTerminal, FailingExecThrowsNamingTheCall) {
  LaunchOptions o;
  o.argv = {"/nonexistent/program"};
  o.env = basic_env();
  try {
    PtyTerminal t(o);
    FAIL() << "constructor did not throw";
  } catch (const std::runtime_error& e) {
    std::string what = e.what();
    EXPECT_NE(what.find("execve(/nonexistent/program)"), std::string::npos) << what;
    EXPECT_NE(what.find("No such file"), std::string::npos) << what;
  }
  o.argv = {"/bin/true"};
  o.cwd = "/nonexistent/dir";
  EXPECT_THROW(PtyTerminal{o}, std::runtime_error);
}

TEST(CompareWithGolden, ReportsDifferingRowsAndUpdatesOnRequest) {
  TempDir dir;
  auto golden = (dir.path() / "screen.txt").string();
  {
    std::ofstream(golden) << "Menú principal\nopción 1\nopción 2\n";
  }
  unsetenv("KORVANTE_UPDATE_GOLDEN");
  EXPECT_EQ(compare_with_golden(golden, "Menú principal\nopción 1\nopción 2\n"), "");

  std::string actual = "Menú principal\nopción 1\nopción 3\n";
  std::string diff = compare_with_golden(golden, actual);
  EXPECT_NE(diff.find("row 3"), std::string::npos) << diff;
  EXPECT_EQ(diff.find("row 1"), std::string::npos) << diff;
  EXPECT_EQ(diff.find("row 2"), std::string::npos) << diff;
  EXPECT_NE(diff.find("|opción 2|"), std::string::npos) << diff;
  EXPECT_NE(diff.find("|opción 3|"), std::string::npos) << diff;
  EXPECT_NE(diff.find("column 8"), std::string::npos) << diff;  // counted in characters, not bytes

  std::string longer = compare_with_golden(golden, actual + "extra\n");
  EXPECT_NE(longer.find("row 4"), std::string::npos) << longer;
  EXPECT_NE(longer.find("(no row)"), std::string::npos) << longer;

  EXPECT_NE(compare_with_golden((dir.path() / "missing.txt").string(), actual).find("missing"),
            std::string::npos);

  setenv("KORVANTE_UPDATE_GOLDEN", "1", 1);
  std::string updated = compare_with_golden(golden, actual);
  auto created_path = dir.path() / "new" / "created.txt";
  std::string created = compare_with_golden(created_path.string(), actual);
  unsetenv("KORVANTE_UPDATE_GOLDEN");
  EXPECT_EQ(updated, "");
  EXPECT_EQ(created, "");
  EXPECT_EQ(read_file(golden), actual);
  EXPECT_EQ(read_file(created_path), actual);
  EXPECT_EQ(compare_with_golden(golden, actual), "");
}

}  // namespace
}  // namespace e2e
