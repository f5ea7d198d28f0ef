// The console services on the real system: processes, files, folders.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "console/command.h"
#include "console/files.h"
#include "console/posix/platform.h"

namespace korvante {
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
  EXPECT_EQ(run_command(R"(  ECO  a;b  "q u"  C:\X\  $(x)  *  )"), 0);
  EXPECT_EQ(slurp(dir / "log"), "a;b\n\"q\nu\"\nC:\\X\\\n$(x)\n*\n");
}

TEST_F(PosixServices, ExitStatusesAndFailures) {
  program("SALE", "exit 7");
  program("MUERE", "kill -TERM $$");
  std::ofstream(dir / "programs" / "NOEXEC") << "x";  // not executable: not a program
  EXPECT_EQ(run_command("SALE"), 7);
  EXPECT_EQ(run_command("MUERE"), 128 + SIGTERM);
  EXPECT_EQ(run_command("NADA_QUE_VER_AQUI"), 127);
  EXPECT_EQ(run_command("NOEXEC"), 127);
  EXPECT_EQ(run_command(""), 0);
  EXPECT_EQ(run_command("   "), 0);
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
  EXPECT_EQ(run_command("QUIEN"), 0);
  EXPECT_EQ(slurp(dir / "log"), "suite\n");
  EXPECT_EQ(run_command("SOLO"), 0);
  EXPECT_EQ(slurp(dir / "log"), "path\n");
  EXPECT_EQ(run_command("AQUI"), 127);
  EXPECT_EQ(run_command("./AQUI"), 0);
  EXPECT_EQ(slurp(dir / "log"), "cwd\n");
  fs::current_path(old_cwd);
  setenv("PATH", old_path.c_str(), 1);
}

TEST_F(PosixServices, ChangeOfDirectoryChangesNothingHere) {
  const fs::path before = fs::current_path();
  EXPECT_EQ(run_command("cd " + dir.string()), 0);
  EXPECT_EQ(fs::current_path(), before);
  EXPECT_EQ(run_command("cd " + (dir / "no-existe").string()), 1);
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
