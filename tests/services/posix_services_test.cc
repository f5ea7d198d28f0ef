// The console services on the real system: processes, files, folders.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "console/command.h"
#include "console/files.h"
#include "console/posix/platform.h"

namespace korvante {

void PrintTo(const CommandResult& r, std::ostream* os) {
  *os << "{outcome " << static_cast<int>(r.outcome) << ", status " << r.status << ", \"" << r.reason << "\"}";
}

namespace {

namespace fs = std::filesystem;

class PosixServices : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/korvante-services-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
    fs::create_directories(dir / "programs");
    platform::start_commands((dir / "programs").string() + "/");
  }
  void TearDown() override { fs::remove_all(dir); }

  // A shell script installed as program `word`, which appends its
  // arguments, one per line, to "log".
  void program(const std::string& word, const std::string& body, const fs::path& folder = {}) {
    const fs::path path = (folder.empty() ? dir / "programs" : folder) / word;
    std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
    fs::permissions(path, fs::perms::owner_all);
  }
  std::string slurp(const fs::path& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  void write(const fs::path& path, const std::string& content) { std::ofstream(path) << content; }

  fs::path dir;
};

TEST_F(PosixServices, WordsReachTheProgramUnchanged) {
  program("ECO", "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > " + (dir / "log").string());
  EXPECT_EQ(run_command(R"(  ECO  a;b  "q u"  C:\X\  $(x)  *  )"), CommandResult{});
  EXPECT_EQ(slurp(dir / "log"), "a;b\n\"q\nu\"\nC:\\X\\\n$(x)\n*\n");
}

TEST_F(PosixServices, HowAProgramEnded) {
  const std::string programs = (dir / "programs").string() + "/";
  program("SALE", "exit 7");
  program("MUERE", "kill -SEGV $$");
  std::ofstream(dir / "programs" / "NOEXEC") << "#!/bin/sh\nexit 0\n";
  std::ofstream(dir / "programs" / "SIN_INTERPRETE") << "#!/no/existe/sh\nexit 0\n";
  std::ofstream(dir / "programs" / "BASURA") << "\x01\x02 no es un programa";
  for (const char* word : {"SIN_INTERPRETE", "BASURA"}) fs::permissions(dir / "programs" / word, fs::perms::owner_all);
  fs::create_directories(dir / "programs" / "CARPETA");
  const struct {
    std::string line;
    CommandResult result;
  } cases[] = {
      {"SALE", {RunOutcome::ran, 7, ""}},
      {"MUERE", {RunOutcome::signalled, SIGSEGV, ""}},
      {"NADA_QUE_VER_AQUI", {RunOutcome::not_found, 0, ""}},
      {"NOEXEC", {RunOutcome::cannot_start, 0, programs + "NOEXEC no tiene permiso de ejecución"}},
      {"CARPETA", {RunOutcome::cannot_start, 0, programs + "CARPETA es una carpeta"}},
      {"SIN_INTERPRETE", {RunOutcome::cannot_start, 0, "falta el intérprete o el cargador que pide"}},
      {"BASURA", {RunOutcome::cannot_start, 0, "no es un ejecutable que el sistema reconozca"}},
      {"", {}},
      {"   ", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(run_command(c.line), c.result) << c.line;
}

// The signals a process ignores and blocks, from its status in /proc as a
// program writes it: bit n - 1 stands for signal n. The C library's own
// signals between 31 and SIGRTMIN are left out: posix_spawn leaves them
// ignored in every child, and no program may use them as its own.
struct SignalMasks {
  unsigned long long ignored = ~0ull, blocked = ~0ull;
};
SignalMasks signal_masks(const std::string& status) {
  SignalMasks masks;
  unsigned long long library_own = 0;
  for (int signal_number = 32; signal_number < SIGRTMIN; ++signal_number) library_own |= 1ull << (signal_number - 1);
  std::istringstream in(status);
  for (std::string key, hex; in >> key >> hex;) {
    const unsigned long long value = std::stoull(hex, nullptr, 16) & ~library_own;
    if (key == "SigIgn:") masks.ignored = value;
    if (key == "SigBlk:") masks.blocked = value;
  }
  return masks;
}

TEST_F(PosixServices, ProgramsStartWithDefaultSignalsAndNoneBlocked) {
  program("SENALES", "exec grep -E '^Sig(Blk|Ign)' /proc/self/status > " + (dir / "log").string());
  // Whatever the launcher inherited or set up for itself.
  struct sigaction ignore {}, old_pipe {}, old_hup {};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGPIPE, &ignore, &old_pipe);
  sigaction(SIGHUP, &ignore, &old_hup);
  sigset_t blocked, old_mask;
  sigemptyset(&blocked);
  sigaddset(&blocked, SIGUSR1);
  sigaddset(&blocked, SIGTERM);
  sigprocmask(SIG_BLOCK, &blocked, &old_mask);
  EXPECT_EQ(run_command("SENALES"), CommandResult{});
  sigprocmask(SIG_SETMASK, &old_mask, nullptr);
  sigaction(SIGPIPE, &old_pipe, nullptr);
  sigaction(SIGHUP, &old_hup, nullptr);
  const SignalMasks masks = signal_masks(slurp(dir / "log"));
  EXPECT_EQ(masks.ignored, 0u) << slurp(dir / "log");
  EXPECT_EQ(masks.blocked, 0u) << slurp(dir / "log");
}

TEST_F(PosixServices, AnInterruptWhileAProgramRunsIsTheProgramsToDecide) {
  // The program ends of something else after the launcher got SIGINT and
  // SIGQUIT: the launcher is still there, and hears of the program's end.
  program("AGUANTA", "kill -INT $PPID; kill -QUIT $PPID; sleep 0.1; exit 4");
  EXPECT_EQ(run_command("AGUANTA"), (CommandResult{RunOutcome::ran, 4, ""}));
  // A program that catches the interrupt and goes on.
  program("ATRAPA", "trap 'echo atrapado > " + (dir / "log").string() + "' INT; kill -INT $$; exit 5");
  EXPECT_EQ(run_command("ATRAPA"), (CommandResult{RunOutcome::ran, 5, ""}));
  EXPECT_EQ(slurp(dir / "log"), "atrapado\n");
}

TEST_F(PosixServices, AProgramEndedByTheInterruptEndsTheLauncherBySignal) {
  program("INT", "kill -INT $$");
  program("QUIT", "kill -QUIT $$");
  EXPECT_EXIT(run_command("INT"), ::testing::KilledBySignal(SIGINT), "");
  EXPECT_EXIT(run_command("QUIT"), ::testing::KilledBySignal(SIGQUIT), "");
}

TEST_F(PosixServices, ProgramsFolderBeforePathAndNeverTheCurrentDirectory) {
  fs::create_directories(dir / "bin");
  fs::create_directories(dir / "cwd");
  program("QUIEN", "echo suite > " + (dir / "log").string());
  program("QUIEN", "echo path > " + (dir / "log").string(), dir / "bin");
  program("SOLO", "echo path > " + (dir / "log").string(), dir / "bin");
  program("AQUI", "echo cwd > " + (dir / "log").string(), dir / "cwd");
  const std::string old_path = std::getenv("PATH");
  const fs::path old_cwd = fs::current_path();
  setenv("PATH", ((dir / "bin").string() + ":/usr/bin:/bin").c_str(), 1);
  fs::current_path(dir / "cwd");
  EXPECT_EQ(run_command("QUIEN"), CommandResult{});
  EXPECT_EQ(slurp(dir / "log"), "suite\n");
  EXPECT_EQ(run_command("SOLO"), CommandResult{});
  EXPECT_EQ(slurp(dir / "log"), "path\n");
  EXPECT_EQ(run_command("AQUI").outcome, RunOutcome::not_found);
  EXPECT_EQ(run_command("./AQUI"), CommandResult{});
  EXPECT_EQ(slurp(dir / "log"), "cwd\n");
  fs::current_path(old_cwd);
  setenv("PATH", old_path.c_str(), 1);
}

TEST_F(PosixServices, ChangeOfDirectoryChangesNothingHere) {
  const fs::path before = fs::current_path();
  write(dir / "archivo", "x");
  EXPECT_EQ(run_command("cd " + dir.string()), CommandResult{});
  EXPECT_EQ(fs::current_path(), before);
  EXPECT_EQ(run_command("cd " + (dir / "no-existe").string()), (CommandResult{RunOutcome::ran, 1, "no existe"}));
  EXPECT_EQ(run_command("cd " + (dir / "archivo").string()), (CommandResult{RunOutcome::ran, 1, "no es una carpeta"}));
  EXPECT_EQ(fs::current_path(), before);
}

TEST_F(PosixServices, OnlyReadableRegularFilesOpen) {
  write(dir / "f.ddf", "x");
  ASSERT_EQ(mkfifo((dir / "fifo.ddf").c_str(), 0644), 0);
  fs::create_directories(dir / "carpeta.ddf");
  auto opened = open_for_reading((dir / "f.ddf").string());
  ASSERT_TRUE(opened);
  EXPECT_NE(fcntl(opened->handle, F_GETFD) & FD_CLOEXEC, 0) << "children must not inherit it";
  close_file(*opened);
  EXPECT_FALSE(open_for_reading((dir / "fifo.ddf").string())) << "a FIFO counts as missing, at once";
  EXPECT_FALSE(open_for_reading((dir / "carpeta.ddf").string()));
  EXPECT_FALSE(open_for_reading((dir / "no.ddf").string()));
}

// `examine` run by a process that holds no privilege: as root, every file
// reads. What it found, or nothing when the check could not be made.
std::optional<PathKind> unprivileged(const std::function<PathKind()>& examine) {
  const pid_t child = fork();
  if (child == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(100);
    _exit(static_cast<int>(examine()));
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 100) {
    return std::nullopt;
  }
  return static_cast<PathKind>(WEXITSTATUS(status));
}

TEST_F(PosixServices, WhatLiesAtAPath) {
  write(dir / "f.ddf", "x");
  ASSERT_EQ(mkfifo((dir / "fifo.ddf").c_str(), 0644), 0);
  fs::create_directories(dir / "carpeta.ddf");
  fs::create_symlink(dir / "no-existe", dir / "roto.ddf");
  fs::create_symlink(dir / "f.ddf", dir / "enlace.ddf");
  const struct {
    std::string path;
    PathKind kind;
  } cases[] = {
      {(dir / "no.ddf").string(), PathKind::nothing},
      {(dir / "f.ddf").string(), PathKind::readable_file},
      {(dir / "enlace.ddf").string(), PathKind::readable_file},
      {(dir / "carpeta.ddf").string(), PathKind::folder},
      {(dir / "fifo.ddf").string(), PathKind::not_a_file},
      {"/dev/null", PathKind::not_a_file},
      {(dir / "roto.ddf").string(), PathKind::broken_link},
      {(dir / "f.ddf" / "x.ddf").string(), PathKind::unknown},
  };
  for (const auto& c : cases) EXPECT_EQ(examine_path(c.path), c.kind) << c.path;

  // Without the right to read the file, or to look into its folder.
  write(dir / "secreto.ddf", "x");
  fs::permissions(dir / "secreto.ddf", fs::perms::owner_write);
  fs::create_directories(dir / "cerrada");
  write(dir / "cerrada" / "d.ddf", "x");
  fs::permissions(dir, fs::perms::owner_all | fs::perms::others_exec);
  fs::permissions(dir / "cerrada", fs::perms::owner_all);
  EXPECT_EQ(unprivileged([&] { return examine_path((dir / "secreto.ddf").string()); }), PathKind::unreadable);
  EXPECT_EQ(unprivileged([&] { return examine_path((dir / "cerrada" / "d.ddf").string()); }), PathKind::unknown);
}

TEST_F(PosixServices, FirstLineOfAFile) {
  const struct {
    std::string content;
    std::size_t max_chars;
    std::optional<std::string> line;
  } cases[] = {
      {"ABCDEFGHIJKL\n", 9, "ABCDEFGHI"},
      {"AB\r\nCD\n", 9, "AB"},
      {"AB", 9, "AB"},
      {"", 9, std::nullopt},
      {"\x1a" "AB\n", 9, std::nullopt},
      {"A\x1a" "B\n", 9, "A"},
      {"\n", 9, ""},
      {"ñoño ñoño ñoño\n", 9, "ñoño ñoño"},
  };
  for (const auto& c : cases) {
    write(dir / "info", c.content);
    auto file = open_for_reading((dir / "info").string());
    ASSERT_TRUE(file);
    EXPECT_EQ(read_first_line(*file, c.max_chars), c.line) << testing::PrintToString(c.content);
    close_file(*file);
  }
}

TEST_F(PosixServices, FirstLineReadingIsBoundedOnAHugeFile) {
  // Letters without a line end, and NUL bytes (a sparse file), which keep
  // nothing of the line yet must not be read to the end either.
  for (const char fill : {'z', '\0'}) {
    {
      std::ofstream out(dir / "huge");
      const std::string block(1 << 20, fill);
      for (int i = 0; i < 16; ++i) out << block;
    }
    auto file = open_for_reading((dir / "huge").string());
    ASSERT_TRUE(file);
    EXPECT_EQ(read_first_line(*file, 49), fill == 'z' ? std::string(49, 'z') : "");
    EXPECT_LT(lseek(file->handle, 0, SEEK_CUR), 4096) << "read no more than the line needs";
    close_file(*file);
  }
}

TEST_F(PosixServices, InformationFileFoundWithoutRegardToCase) {
  const std::string data = dir.string() + "/";
  EXPECT_EQ(find_ignoring_case(data, "AEINFO.TMP"), data + "AEINFO.TMP") << "none there";
  write(dir / "aeinfo.tmp", "x");
  EXPECT_EQ(find_ignoring_case(data, "AEINFO.TMP"), data + "aeinfo.tmp");
  write(dir / "AeInfo.tmp", "x");
  EXPECT_EQ(find_ignoring_case(data, "AEINFO.TMP"), data + "AeInfo.tmp") << "first in byte order";
  write(dir / "AEINFO.TMP", "x");
  EXPECT_EQ(find_ignoring_case(data, "AEINFO.TMP"), data + "AEINFO.TMP") << "the exact name first";
  EXPECT_EQ(find_ignoring_case(data + "missing/", "AEINFO.TMP"), data + "missing/AEINFO.TMP");
}

}  // namespace
}  // namespace korvante
