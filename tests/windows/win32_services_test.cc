// The Win32 console services on Windows itself (Wine, in the cross build):
// processes, batch files, files, folders, and a program with its standard
// streams redirected.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "console/command.h"
#include "console/files.h"
#include "console/win32/platform.h"
#include "suite/trace.h"

namespace korvante {

void PrintTo(const CommandResult& r, std::ostream* os) {
  *os << "{outcome " << static_cast<int>(r.outcome) << ", status " << std::hex << r.status << std::dec << ", \""
      << r.reason << "\"}";
}

namespace {

namespace fs = std::filesystem;
using platform::narrow;
using platform::wide;
using Records = std::vector<TraceRecord>;

fs::path own_folder() {
  wchar_t self[MAX_PATH];
  return fs::path(std::wstring(self, GetModuleFileNameW(nullptr, self, MAX_PATH))).parent_path();
}

// Sets an environment variable for one test, and puts the old value back.
class ScopedVariable {
 public:
  ScopedVariable(const wchar_t* name, const std::wstring& value) : name_(name) {
    if (const std::optional<std::string> old = platform::environment_value(name)) old_ = wide(*old);
    SetEnvironmentVariableW(name, value.c_str());
  }
  ~ScopedVariable() { SetEnvironmentVariableW(name_, old_ ? old_->c_str() : nullptr); }

 private:
  const wchar_t* name_;
  std::optional<std::wstring> old_;
};

class Win32Services : public ::testing::Test {
 protected:
  void SetUp() override {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    dir = fs::temp_directory_path() / (std::string("korvante-services-") + test->name());
    fs::remove_all(dir);
    fs::create_directories(programs());
    platform::start_commands(path_of(programs()) + "\\");
    trace = std::make_unique<ScopedVariable>(L"KORVANTE_TRACE", (dir / "trace").wstring());
  }
  void TearDown() override {
    trace.reset();
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }

  fs::path programs() const { return dir / "programs"; }
  static std::string path_of(const fs::path& path) { return narrow(path.wstring()); }
  // A test program copied in as `name`.
  void install(const std::string& program, const fs::path& as) { fs::copy_file(own_folder() / program, as); }
  Records records() const {
    std::ifstream in(dir / "trace", std::ios::binary);
    return decode_trace(std::string(std::istreambuf_iterator<char>(in), {}));
  }
  static std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  fs::path dir;
  std::unique_ptr<ScopedVariable> trace;
};

TEST_F(Win32Services, WordsReachTheProgramUnchanged) {
  install("argv_echo.exe", programs() / "ECO.EXE");
  EXPECT_EQ(run_command(R"(  ECO  a;b  "q u"  C:\X\  %PATH%  !x!  ^  a&b  (x)  *  ñandú  )"), CommandResult{});
  EXPECT_EQ(records(), (Records{{"ECO", "a;b", "\"q", "u\"", "C:\\X\\", "%PATH%", "!x!", "^", "a&b", "(x)", "*", "ñandú"}}));
}

TEST_F(Win32Services, HowAProgramEnded) {
  const ScopedVariable extensions(L"PATHEXT", L".COM;.EXE;.BAT;.CMD");
  const std::string folder = path_of(programs()) + "\\";
  install("probe.exe", programs() / "PROBE.EXE");
  std::ofstream(programs() / "BASURA.EXE") << "\x01\x02 no es un programa";
  fs::create_directories(programs() / "CARPETA.EXE");
  const struct {
    std::string line;
    CommandResult result;
  } cases[] = {
      {"PROBE exit 7", {RunOutcome::ran, 7, ""}},
      {"PROBE exit 0xFFFFFFFF", {RunOutcome::ran, 0xFFFFFFFF, ""}},
      {"PROBE crash", {RunOutcome::crashed, 0xC0000005, ""}},
      {"PROBE exit 0xC0000135", {RunOutcome::cannot_start, 0, "falta una biblioteca (DLL) que pide"}},
      {"probe.exe exit 3", {RunOutcome::ran, 3, ""}},
      {"NADA_QUE_VER_AQUI", {RunOutcome::not_found, 0, ""}},
      {"BASURA", {RunOutcome::cannot_start, 0, "no es un ejecutable que el sistema reconozca"}},
      {"CARPETA", {RunOutcome::cannot_start, 0, folder + "CARPETA.EXE es una carpeta"}},
      {"", {}},
      {"   ", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(run_command(c.line), c.result) << c.line;
}

TEST_F(Win32Services, ABatchFileGetsItsWordsThroughCmdAndNothingElseRuns) {
  const std::string echo = path_of(own_folder() / "argv_echo.exe");
  std::ofstream(programs() / "ORDEN.BAT") << "@\"" << echo << "\" %*\r\n";
  // A CALC where cmd.exe would look for one, were an "&" read as its own.
  install("argv_echo.exe", dir / "CALC.EXE");
  const fs::path before = fs::current_path();
  fs::current_path(dir);
  EXPECT_EQ(run_command("ORDEN a&b (x) ;y ^z ñandú x&CALC x|CALC"), CommandResult{});
  fs::current_path(before);
  EXPECT_EQ(records(), (Records{{echo, "a&b", "(x)", ";y", "^z", "ñandú", "x&CALC", "x|CALC"}}));

  const struct {
    std::string line, reason;
  } refused[] = {
      {"ORDEN 100%", "el argumento 1 contiene «%» y no puede pasarse a un archivo de órdenes"},
      {"ORDEN a %CMDCMDLINE:~-1%&CALC", "el argumento 2 contiene «%» y no puede pasarse a un archivo de órdenes"},
      {"ORDEN \"&CALC", "el argumento 1 contiene «\"» y no puede pasarse a un archivo de órdenes"},
  };
  for (const auto& c : refused) EXPECT_EQ(run_command(c.line), (CommandResult{RunOutcome::cannot_start, 0, c.reason}));
  EXPECT_EQ(records().size(), 1u) << "nothing ran after the first";
}

TEST_F(Win32Services, ProgramsFolderThenPathAndNeverTheCurrentOrTheLaunchersFolder) {
  fs::create_directories(dir / "bin");
  fs::create_directories(dir / "cwd");
  install("argv_echo.exe", programs() / "QUIEN.EXE");
  install("argv_echo.exe", dir / "bin" / "QUIEN.EXE");
  install("argv_echo.exe", dir / "bin" / "SOLO.COM");
  install("argv_echo.exe", dir / "cwd" / "AQUI.EXE");
  const ScopedVariable path(L"PATH", (dir / "bin").wstring() + L";C:\\windows\\system32");
  const fs::path before = fs::current_path();
  fs::current_path(dir / "cwd");
  EXPECT_EQ(run_command("QUIEN suite"), CommandResult{});
  EXPECT_EQ(run_command("SOLO path"), CommandResult{});
  EXPECT_EQ(run_command("AQUI cwd").outcome, RunOutcome::not_found);
  EXPECT_EQ(run_command(".\\AQUI cwd"), CommandResult{}) << "a path is used as it stands";
  // This test's own folder holds probe.exe; only PATH could name it.
  EXPECT_EQ(run_command("probe exit 0").outcome, RunOutcome::not_found);
  fs::current_path(before);
  EXPECT_EQ(records(), (Records{{"QUIEN", "suite"}, {"SOLO", "path"}, {".\\AQUI", "cwd"}}));
}

TEST_F(Win32Services, ChangeOfDirectoryOnlyChecksTheFolder) {
  const fs::path before = fs::current_path();
  std::ofstream(dir / "archivo") << "x";
  EXPECT_EQ(run_command("cd " + path_of(dir)), CommandResult{});
  EXPECT_EQ(run_command("cd " + path_of(dir / "no-existe")), (CommandResult{RunOutcome::ran, 1, "no existe"}));
  EXPECT_EQ(run_command("cd " + path_of(dir / "no" / "existe")), (CommandResult{RunOutcome::ran, 1, "no existe"}));
  EXPECT_EQ(run_command("cd " + path_of(dir / "archivo")), (CommandResult{RunOutcome::ran, 1, "no es una carpeta"}));
  EXPECT_EQ(fs::current_path(), before);
}

TEST_F(Win32Services, WhatLiesAtAPath) {
  const std::string d = path_of(dir) + "\\";
  std::ofstream(dir / "f.ddf") << "x";
  std::ofstream(dir / "cerrado.ddf") << "x";
  fs::create_directories(dir / "carpeta.ddf");
  // Held open by another, sharing nothing: it cannot be read now.
  const HANDLE held = CreateFileW((dir / "cerrado.ddf").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const struct {
    std::string path;
    PathKind kind;
  } cases[] = {
      {d + "no.ddf", PathKind::nothing},
      {d + "f.ddf", PathKind::readable_file},
      {d + "F.DDF", PathKind::readable_file},
      {d + "carpeta.ddf", PathKind::folder},
      {d + "cerrado.ddf", PathKind::unreadable},
      // Devices, in any folder and with any extension: never opened.
      {d + "CON.ddf", PathKind::not_a_file},
      {d + "nul", PathKind::not_a_file},
      {d + "COM1.ddf", PathKind::not_a_file},
      {"\\\\.\\NUL", PathKind::not_a_file},
      {d + "no\\x.ddf", PathKind::nothing},
  };
  for (const auto& c : cases) EXPECT_EQ(examine_path(c.path), c.kind) << c.path;
  CloseHandle(held);
  for (const std::string& device : {d + "CON.ddf", d + "NUL", d + "carpeta.ddf", d + "no.ddf"}) {
    EXPECT_FALSE(open_for_reading(device)) << device;
  }
  // The launcher's files must not reach the programs it starts.
  std::optional<TextFile> file = open_for_reading(d + "f.ddf");
  ASSERT_TRUE(file);
  DWORD flags = 0;
  ASSERT_TRUE(GetHandleInformation(LongToHandle(file->handle), &flags));
  EXPECT_EQ(flags & HANDLE_FLAG_INHERIT, 0u);
  close_file(*file);
}

TEST_F(Win32Services, FirstLineOfAFile) {
  const struct {
    std::string content;
    std::size_t max_chars;
    std::optional<std::string> line;
  } cases[] = {
      {"ABCDEFGHIJKL\r\n", 9, "ABCDEFGHI"},
      {"AB\r\nCD\r\n", 9, "AB"},
      {"AB", 9, "AB"},
      {"", 9, std::nullopt},
      {"\x1a" "AB\r\n", 9, std::nullopt},
      {"A\x1a" "B\r\n", 9, "A"},
      {"\r\n", 9, ""},
      {"ñoño ñoño ñoño\r\n", 9, "ñoño ñoño"},
  };
  for (const auto& c : cases) {
    std::ofstream(dir / "info", std::ios::binary) << c.content;
    std::optional<TextFile> file = open_for_reading(path_of(dir / "info"));
    ASSERT_TRUE(file);
    EXPECT_EQ(read_first_line(*file, c.max_chars), c.line) << testing::PrintToString(c.content);
    close_file(*file);
  }
  std::ofstream(dir / "huge", std::ios::binary) << std::string(1 << 22, 'z');
  std::optional<TextFile> file = open_for_reading(path_of(dir / "huge"));
  ASSERT_TRUE(file);
  EXPECT_EQ(read_first_line(*file, 49), std::string(49, 'z'));
  LARGE_INTEGER at{};
  ASSERT_TRUE(SetFilePointerEx(LongToHandle(file->handle), LARGE_INTEGER{}, &at, FILE_CURRENT));
  EXPECT_LT(at.QuadPart, 4096) << "read no more than the line needs";
  close_file(*file);
}

TEST_F(Win32Services, NamesAsTheyLieOnTheDisk) {
  const std::string d = path_of(dir) + "\\";
  EXPECT_EQ(find_ignoring_case(d, "AEINFO.TMP"), d + "AEINFO.TMP") << "none there";
  std::ofstream(dir / "aeinfo.tmp") << "x";
  EXPECT_EQ(find_ignoring_case(d, "AEINFO.TMP"), d + "aeinfo.tmp");
  EXPECT_EQ(find_ignoring_case(d, "aeinfo.tmp"), d + "aeinfo.tmp");
  // Windows folds the case of accented letters too (Ñ and ñ); Wine, on a
  // Unix disk, only that of A-Z, so no such name is asked here.
  EXPECT_EQ(find_ignoring_case(d, "*.tmp"), d + "*.tmp") << "a name, never a pattern";
  EXPECT_EQ(find_ignoring_case(d + "falta\\", "AEINFO.TMP"), d + "falta\\AEINFO.TMP");
}

// Runs probe.exe in `mode` with its standard streams on files of the test
// folder, standard input holding `input`; its exit code.
DWORD run_redirected(const fs::path& dir, const std::string& mode, const std::string& input) {
  std::ofstream(dir / "in", std::ios::binary) << input;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const auto open = [&](const char* name, DWORD access, DWORD disposition) {
    return CreateFileW((dir / name).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition, 0,
                       nullptr);
  };
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = open("in", GENERIC_READ, OPEN_EXISTING);
  startup.hStdOutput = open("out", GENERIC_WRITE, CREATE_ALWAYS);
  startup.hStdError = open("err", GENERIC_WRITE, CREATE_ALWAYS);
  std::wstring line = L"probe " + wide(mode);
  PROCESS_INFORMATION process{};
  // No console of its own either: only the files.
  const BOOL started = CreateProcessW((own_folder() / "probe.exe").c_str(), line.data(), nullptr, nullptr, TRUE,
                                      DETACHED_PROCESS, nullptr, nullptr, &startup, &process);
  for (HANDLE h : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) CloseHandle(h);
  if (!started) return ~DWORD{0};
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

TEST_F(Win32Services, WithoutAConsoleTheTextGoesToTheFilesInUtf8WithCrLf) {
  ASSERT_EQ(run_redirected(dir, "services", "línea uno\r\nresto\r\n"), 3u);
  // Nothing of the screen's: clearing and moving the cursor did nothing.
  EXPECT_EQ(slurp(dir / "out"), "ñandú\r\n┌─┐\r\nleído «línea uno»\r\nresto «resto\\r\\n»\r\n");
  EXPECT_EQ(slurp(dir / "err"), "aviso\r\n");
}

TEST_F(Win32Services, RedirectedInputEndsAtItsEndOrAtControlZ) {
  ASSERT_EQ(run_redirected(dir, "services", "sin fin"), 3u);
  EXPECT_EQ(slurp(dir / "out"), "ñandú\r\n┌─┐\r\nleído «sin fin»\r\nresto «»\r\n");
  ASSERT_EQ(run_redirected(dir, "services", "ab\x1a" "cd\r\n"), 3u);
  // The line stops at 0x1A; the bytes after it were never taken from the file.
  EXPECT_EQ(slurp(dir / "out"), "ñandú\r\n┌─┐\r\nleído «ab»\r\nresto «cd\\r\\n»\r\n");
  ASSERT_EQ(run_redirected(dir, "services", ""), 3u);
  EXPECT_EQ(slurp(dir / "out"), "ñandú\r\n┌─┐\r\nresto «»\r\n");
}

}  // namespace
}  // namespace korvante
