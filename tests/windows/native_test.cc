// The command lines against Windows itself (Wine, in the cross build): the
// real CommandLineToArgvW, the C runtime of a child started with
// CreateProcessW, and cmd.exe running a batch file.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "console/utf16.h"
#include "console/windows_command_line.h"
#include "suite/trace.h"
#include "tests/unit/hostile_words.h"

namespace korvante {
namespace {

using Words = std::vector<std::string>;
namespace fs = std::filesystem;

std::wstring wide(std::string_view text) {
  const std::u16string utf16 = utf16_from_utf8(text);
  return std::wstring(utf16.begin(), utf16.end());
}

std::string narrow(std::wstring_view text) { return utf8_from_utf16(std::u16string(text.begin(), text.end())); }

Words command_line_to_argv(const std::string& line) {
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(wide(line).c_str(), &count);
  if (argv == nullptr) return {"CommandLineToArgvW failed"};
  Words words;
  for (int i = 0; i < count; ++i) words.push_back(narrow(argv[i]));
  LocalFree(argv);
  return words;
}

std::string launch_line(const Words& words) {
  const WindowsLaunchPlan plan = plan_windows_launch({"C:\\suite\\ECHO.EXE", false}, "", words);
  EXPECT_TRUE(plan.launch) << plan.refusal;
  return plan.launch ? plan.launch->command_line : "";
}

TEST(CommandLineToArgvW, GivesHostileWordsBackExactly) {
  Words words = {"ECHO"};
  words.insert(words.end(), hostile_words.begin(), hostile_words.end());
  EXPECT_EQ(command_line_to_argv(launch_line(words)), words);
}

TEST(CommandLineToArgvW, GivesEveryShortWordBackExactly) {
  for (const std::string& word : every_word("a \t\"\\", 5)) {
    const Words words = {"C:\\Program Files\\x\\ECHO", word, word, "z"};
    ASSERT_EQ(command_line_to_argv(launch_line(words)), words) << testing::PrintToString(word);
  }
}

// A folder of its own for each test, with argv_echo.exe's records.
class StartedProgram : public testing::Test {
 protected:
  void SetUp() override {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::temp_directory_path() / (std::string("korvante-") + test->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    trace_ = folder_ / "trace";
    // Something for "*" to match, were a runtime to expand wildcards.
    std::ofstream(folder_ / "present.txt") << "x";
    ASSERT_TRUE(SetEnvironmentVariableW(L"KORVANTE_TRACE", trace_.wstring().c_str()));
  }
  void TearDown() override {
    SetEnvironmentVariableW(L"KORVANTE_TRACE", nullptr);
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  // Starts the launch in the test's folder and waits for it; its exit code.
  DWORD run(const WindowsLaunch& launch) {
    std::wstring application = wide(launch.application), line = wide(launch.command_line);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(application.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder_.wstring().c_str(), &startup, &process)) {
      ADD_FAILURE() << "CreateProcessW: error " << GetLastError() << " for " << launch.command_line;
      return ~DWORD{0};
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return status;
  }

  std::vector<TraceRecord> records() const {
    std::ifstream in(trace_, std::ios::binary);
    return decode_trace(std::string(std::istreambuf_iterator<char>(in), {}));
  }

  static fs::path argv_echo() {
    std::wstring self(MAX_PATH, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    return fs::path(self).parent_path() / "argv_echo.exe";
  }

  fs::path folder_, trace_;
};

TEST_F(StartedProgram, ItsRuntimeGivesEveryWordBack) {
  Words words = {"ECHO"};
  words.insert(words.end(), hostile_words.begin(), hostile_words.end());
  const WindowsLaunchPlan plan = plan_windows_launch({narrow(argv_echo().wstring()), false}, "", words);
  ASSERT_TRUE(plan.launch) << plan.refusal;
  EXPECT_EQ(run(*plan.launch), 0u);
  EXPECT_EQ(records(), std::vector<TraceRecord>{words});
}

TEST_F(StartedProgram, ABatchFileHandsEveryPassableWordOnAndRunsNothingElse) {
  const std::string echo = narrow(argv_echo().wstring());
  const fs::path batch = folder_ / "FORWARD.BAT";
  std::ofstream(batch) << "@\"" << echo << "\" %*\r\n";
  Words words = {"FORWARD"};
  for (const std::string& word : hostile_words) {
    if (word.find_first_of("\"%\r\n") == std::string::npos) words.push_back(word);
  }
  // Were an "&" read as cmd.exe's, the echo would run a second time.
  words.push_back("x&" + echo + " injected");
  words.push_back("x|" + echo + " injected");

  std::wstring system(MAX_PATH, L'\0');
  system.resize(GetSystemDirectoryW(system.data(), static_cast<UINT>(system.size())));
  const WindowsLaunchPlan plan =
      plan_windows_launch({narrow(batch.wstring()), true}, narrow(system) + "\\cmd.exe", words);
  ASSERT_TRUE(plan.launch) << plan.refusal;
  EXPECT_EQ(run(*plan.launch), 0u) << plan.launch->command_line;
  const std::vector<TraceRecord> seen = records();
  ASSERT_EQ(seen.size(), 1u) << plan.launch->command_line;
  Words expected = words;
  expected[0] = echo;
  EXPECT_EQ(seen[0], expected) << plan.launch->command_line;
  EXPECT_FALSE(fs::exists(folder_ / "pwned"));
}

}  // namespace
}  // namespace korvante
