#include "launcher/command_line.h"

#include <gtest/gtest.h>

#include "console/words.h"
#include "launcher/folders.h"
#include "launcher/suite.h"
#include "shell/suite_root.h"

namespace korvante {
namespace {

TEST(CommandLine, WordTagThenOneBlankBeforeEachArgument) {
  const Folders folders = folders_of("/KORVANTE");
  EXPECT_EQ(command_line("ABACO ", "¤§", {folders.programs, folders.data}),
            "ABACO ¤§ /KORVANTE/ /KORVANTE/DATOS/");
  EXPECT_EQ(command_line("ACOBMAT ", "¤§", {folders.data, "ENC1.dta", "ENC1.rsa"}),
            "ACOBMAT ¤§ /KORVANTE/DATOS/ ENC1.dta ENC1.rsa");
  EXPECT_EQ(command_line("X ", "T", {}), "X T");
}

TEST(CommandLine, ARootWithBlanksReachesTheChildAsSeveralWords) {
  const std::string line = command_line("ACOBDAT ", "¤§", {"/K/DATOS/", "mi  raiz"});
  EXPECT_EQ(split_words(line), (std::vector<std::string>{"ACOBDAT", "¤§", "/K/DATOS/", "mi", "raiz"}));
  const std::string blanks = command_line("ACOBDAT ", "¤§", {"/K/DATOS/", "   "});
  EXPECT_EQ(split_words(blanks), (std::vector<std::string>{"ACOBDAT", "¤§", "/K/DATOS/"}));
}

TEST(SuiteRoot, FromTheEnvironment) {
  const struct {
    const char* home;
    std::string cwd, root;
  } cases[] = {
      {nullptr, "/home/u", "/KORVANTE"},
      {"", "/home/u", "/KORVANTE"},
      {"/opt/suite", "/home/u", "/opt/suite"},
      {"/opt/suite/", "/home/u", "/opt/suite"},
      {"/opt/suite//", "/home/u", "/opt/suite"},
      {"suite", "/home/u", "/home/u/suite"},
      {"suite/", "/", "/suite"},
      {"/", "/home/u", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(suite_root(c.home, c.cwd), c.root) << (c.home ? c.home : "(unset)");
}

TEST(Folders, AlwaysEndInOneSlash) {
  EXPECT_EQ(folders_of("/opt/s").programs, "/opt/s/");
  EXPECT_EQ(folders_of("/opt/s").data, "/opt/s/DATOS/");
  EXPECT_EQ(folders_of("").programs, "/");
  EXPECT_EQ(folders_of("").data, "/DATOS/");
}

TEST(Suite, TheRootTheStartUpNamesAndTheFolders) {
  const struct {
    Suite suite;
    std::string root, programs, data;
    NameRules names;
  } cases[] = {
      {posix_suite("/KORVANTE"), "/KORVANTE", "/KORVANTE/", "/KORVANTE/DATOS/", NameRules::posix},
      {posix_suite(""), "/", "/", "/DATOS/", NameRules::posix},
      {windows_suite("\\KORVANTE"), "\\KORVANTE", "\\KORVANTE\\", "\\KORVANTE\\DATOS\\", NameRules::windows},
      {windows_suite(""), "\\", "\\", "\\DATOS\\", NameRules::windows},
      {windows_suite("C:"), "C:\\", "C:\\", "C:\\DATOS\\", NameRules::windows},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.suite.root, c.root);
    EXPECT_EQ(c.suite.folders.programs, c.programs);
    EXPECT_EQ(c.suite.folders.data, c.data);
    EXPECT_EQ(c.suite.names, c.names);
  }
}

}  // namespace
}  // namespace korvante
