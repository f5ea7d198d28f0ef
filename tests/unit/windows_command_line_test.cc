#include "console/windows_command_line.h"

#include <gtest/gtest.h>

#include "tests/unit/hostile_words.h"

namespace korvante {
namespace {

using Words = std::vector<std::string>;

// The C runtime's reading of a command line into argv, written from
// Microsoft's documented rules ("Parsing C command-line arguments") alone,
// to check the quoting against.
bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::vector<std::string> parse_like_the_c_runtime(std::string_view line) {
  std::vector<std::string> argv;
  std::size_t i = 0;
  // The program name: quotes group, backslashes are plain.
  std::string name;
  for (bool quoted = false; i < line.size() && (quoted || !is_blank(line[i])); ++i) {
    if (line[i] == '"') {
      quoted = !quoted;
    } else {
      name += line[i];
    }
  }
  argv.push_back(name);
  for (;;) {
    while (i < line.size() && is_blank(line[i])) ++i;
    if (i == line.size()) break;
    std::string argument;
    bool quoted = false;
    while (i < line.size() && (quoted || !is_blank(line[i]))) {
      if (line[i] == '\\') {
        std::size_t run = 0;
        while (i + run < line.size() && line[i + run] == '\\') ++run;
        const bool before_quote = i + run < line.size() && line[i + run] == '"';
        // Before a quote a pair is one backslash, and an odd one out makes the quote literal.
        argument.append(before_quote ? run / 2 : run, '\\');
        i += run;
        if (before_quote && run % 2 == 1) {
          argument += '"';
          ++i;
        }
      } else if (line[i] == '"') {
        if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
          argument += '"';  // "" inside quotes is one literal quote
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
      } else {
        argument += line[i++];
      }
    }
    argv.push_back(argument);
  }
  return argv;
}


WindowsLaunch launch_of(const Words& words) {
  const WindowsLaunchPlan plan = plan_windows_launch({"C:\\suite\\ECHO.EXE", false}, "C:\\cmd.exe", words);
  EXPECT_TRUE(plan.launch) << plan.refusal;
  return plan.launch.value_or(WindowsLaunch{});
}

TEST(QuoteWindowsArgument, QuotesOnlyWhatTheRuntimeWouldSplitOrEat) {
  const struct {
    std::string word, quoted;
  } cases[] = {
      {"abc", "abc"},
      {"", "\"\""},
      {"a b", "\"a b\""},
      {"a\tb", "\"a\tb\""},
      {"a\"b", "\"a\\\"b\""},
      {"a\\b", "a\\b"},
      {"a\\", "a\\"},
      {"\\KORVANTE\\DATOS\\", "\\KORVANTE\\DATOS\\"},
      {"a b\\", "\"a b\\\\\""},
      {"a\\\"b", "\"a\\\\\\\"b\""},
      {"&|<>^%!", "&|<>^%!"},
      {"Año", "Año"},
  };
  for (const auto& c : cases) EXPECT_EQ(quote_windows_argument(c.word), c.quoted) << c.word;
}

TEST(PlanWindowsLaunch, AProgramGetsItsPathAndEveryWordBack) {
  const WindowsLaunch launch = launch_of({"ECHO", "a b", "a\"b\\"});
  EXPECT_EQ(launch.application, "C:\\suite\\ECHO.EXE");
  EXPECT_EQ(launch.command_line, "\"ECHO\" \"a b\" \"a\\\"b\\\\\"");
}

TEST(PlanWindowsLaunch, HostileWordsComeBackExactly) {
  Words words = {"ECHO"};
  words.insert(words.end(), hostile_words.begin(), hostile_words.end());
  EXPECT_EQ(parse_like_the_c_runtime(launch_of(words).command_line), words);
}

TEST(PlanWindowsLaunch, EveryShortWordOfBlanksQuotesAndBackslashesComesBackExactly) {
  // Each word twice, then a plain one, so that a word that leaks into its
  // neighbour shows.
  for (const std::string& word : every_word("a \t\"\\", 5)) {
    const Words words = {"C:\\Program Files\\x\\ECHO", word, word, "z"};
    ASSERT_EQ(parse_like_the_c_runtime(launch_of(words).command_line), words) << testing::PrintToString(word);
  }
}

TEST(PlanWindowsLaunch, WordsThatCannotReachAProgramAreRefused) {
  using namespace std::string_literals;
  const struct {
    Words words;
    std::string refusal;
  } cases[] = {
      {{"ECHO", "ok", "a\0b"s}, "el argumento 2 contiene un carácter nulo y no puede pasarse a un programa"},
      {{"ECHO", "\xff"}, "el argumento 1 no es texto UTF-8 válido y no puede pasarse a un programa"},
      {{"EC\"HO"}, "el nombre del programa contiene «\"» y no puede pasarse a un programa"},
      {{}, "no hay programa que ejecutar"},
  };
  for (const auto& c : cases) {
    const WindowsLaunchPlan plan = plan_windows_launch({"C:\\x.EXE", false}, "C:\\cmd.exe", c.words);
    EXPECT_FALSE(plan.launch) << c.refusal;
    EXPECT_EQ(plan.refusal, c.refusal);
  }
}

// How cmd.exe reads a batch file's command line, from its documented
// rules: after "/c" it drops the first and the last double quote; then,
// outside double quotes, `& | < > ^ ( )` would end or redirect the command,
// and the batch file's arguments (%0 the batch file, %1, %2 ...) are split
// at blanks, tabs, "," ";" and "=", each keeping its quotes. Nothing when
// the line would not run the batch file alone.
std::optional<Words> batch_arguments_as_cmd_reads_them(const std::string& line) {
  constexpr std::string_view switches = " /d /e:ON /v:OFF /c ";
  const std::size_t at = line.find(switches);
  if (at == std::string::npos) return std::nullopt;
  std::string command = line.substr(at + switches.size());
  if (command.size() < 2 || command.front() != '"' || command.back() != '"') return std::nullopt;
  command = command.substr(1, command.size() - 2);
  if (command.find('%') != std::string::npos) return std::nullopt;
  Words arguments;
  bool quoted = false, in_word = false;
  for (char c : command) {
    if (c == '"') quoted = !quoted;
    if (!quoted && std::string_view("&|<>^()").find(c) != std::string_view::npos) return std::nullopt;
    if (!quoted && std::string_view(" \t,;=").find(c) != std::string_view::npos) {
      in_word = false;
      continue;
    }
    if (!in_word) arguments.emplace_back();
    in_word = true;
    arguments.back() += c;
  }
  if (quoted) return std::nullopt;
  return arguments;
}

// %~N: the argument without its surrounding quotes.
std::string without_quotes(const std::string& argument) {
  if (argument.size() >= 2 && argument.front() == '"' && argument.back() == '"') {
    return argument.substr(1, argument.size() - 2);
  }
  return argument;
}

TEST(PlanWindowsLaunch, ABatchFileRunsThroughTheSystemsCmd) {
  const WindowsLaunchPlan plan = plan_windows_launch(
      {"\\KORVANTE\\DOC.BAT", true}, "C:\\Windows\\System32\\cmd.exe",
      {"DOC", "¤§", "\\KORVANTE\\DATOS\\", "a&b", "", "C:\\Mis estudios\\"});
  ASSERT_TRUE(plan.launch) << plan.refusal;
  EXPECT_EQ(plan.launch->application, "C:\\Windows\\System32\\cmd.exe");
  EXPECT_EQ(plan.launch->command_line,
            "\"C:\\Windows\\System32\\cmd.exe\" /d /e:ON /v:OFF /c "
            "\"\"\\KORVANTE\\DOC.BAT\" \"¤§\" \\KORVANTE\\DATOS\\ \"a&b\" \"\" \"C:\\Mis estudios\\\\\"\"");
}

TEST(PlanWindowsLaunch, ABatchFileGetsEveryPassableWordAsItsOwn) {
  Words words = {"DOC"};
  for (const std::string& word : hostile_words) {
    if (word.find_first_of("\"%\r\n") == std::string::npos) words.push_back(word);
  }
  const WindowsLaunchPlan plan =
      plan_windows_launch({"C:\\Mis cosas\\A&B\\DOC.CMD", true}, "C:\\Windows\\System32\\cmd.exe", words);
  ASSERT_TRUE(plan.launch) << plan.refusal;
  const std::optional<Words> arguments = batch_arguments_as_cmd_reads_them(plan.launch->command_line);
  ASSERT_TRUE(arguments) << plan.launch->command_line;
  ASSERT_EQ(arguments->size(), words.size()) << plan.launch->command_line;
  EXPECT_EQ(without_quotes(arguments->front()), "C:\\Mis cosas\\A&B\\DOC.CMD");
  std::string handed_on = "PROGRAM";
  for (std::size_t i = 1; i < words.size(); ++i) {
    const std::string& word = words[i];
    // %~N is the word, but for the doubled trailing backslashes of a quoted one.
    const std::string plain = without_quotes((*arguments)[i]);
    EXPECT_EQ(plain.substr(0, word.size()), word);
    EXPECT_EQ(plain.find_first_not_of('\\', word.size()), std::string::npos) << plain;
    handed_on += " " + (*arguments)[i];
  }
  // A batch file that hands its arguments on to a program ("PROGRAM %*").
  Words expected = words;
  expected[0] = "PROGRAM";
  EXPECT_EQ(parse_like_the_c_runtime(handed_on), expected) << handed_on;
}

TEST(PlanWindowsLaunch, WordsThatCmdWouldReadAsItsOwnAreRefused) {
  const struct {
    std::string argument, refusal;
  } cases[] = {
      {"\"&calc.exe", "el argumento 2 contiene «\"» y no puede pasarse a un archivo de órdenes"},
      {"%CMDCMDLINE:~-1%&calc.exe", "el argumento 2 contiene «%» y no puede pasarse a un archivo de órdenes"},
      {"100%", "el argumento 2 contiene «%» y no puede pasarse a un archivo de órdenes"},
      {"a\r\nb", "el argumento 2 contiene un fin de línea y no puede pasarse a un archivo de órdenes"},
      {"a\nb", "el argumento 2 contiene un fin de línea y no puede pasarse a un archivo de órdenes"},
      {"a\rb", "el argumento 2 contiene un fin de línea y no puede pasarse a un archivo de órdenes"},
      {"\xc3", "el argumento 2 no es texto UTF-8 válido y no puede pasarse a un archivo de órdenes"},
  };
  for (const auto& c : cases) {
    const WindowsLaunchPlan plan =
        plan_windows_launch({"\\KORVANTE\\DOC.BAT", true}, "C:\\cmd.exe", {"DOC", "ok", c.argument});
    EXPECT_FALSE(plan.launch) << testing::PrintToString(c.argument);
    EXPECT_EQ(plan.refusal, c.refusal);
  }
  const WindowsLaunchPlan in_path = plan_windows_launch({"C:\\100%\\DOC.BAT", true}, "C:\\cmd.exe", {"DOC"});
  EXPECT_FALSE(in_path.launch);
  EXPECT_EQ(in_path.refusal, "el nombre del programa contiene «%» y no puede pasarse a un archivo de órdenes");
  const WindowsLaunchPlan no_cmd = plan_windows_launch({"C:\\DOC.BAT", true}, "", {"DOC"});
  EXPECT_FALSE(no_cmd.launch);
  EXPECT_EQ(no_cmd.refusal, "no se encuentra cmd.exe, que ejecuta los archivos de órdenes");
}

}  // namespace
}  // namespace korvante
