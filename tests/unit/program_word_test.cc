#include "suite/program_word.h"

#include <gtest/gtest.h>

namespace korvante {
namespace {

TEST(ProgramWord, ThePosixNameAfterTheLastSlash) {
  EXPECT_EQ(posix_program_word("/K/ABACO"), "ABACO");
  EXPECT_EQ(posix_program_word("aemat"), "aemat");
  EXPECT_EQ(posix_program_word("/K/ABACO.EXE"), "ABACO.EXE");
  EXPECT_EQ(posix_program_word("C:\\K\\ABACO"), "C:\\K\\ABACO");
}

TEST(ProgramWord, TheWindowsNameWithoutItsProgramExtension) {
  const struct {
    std::string argv0, word;
  } cases[] = {
      {"ABACO", "ABACO"},
      {"ABACO.EXE", "ABACO"},
      {"C:\\KORVANTE\\aemat.exe", "aemat"},
      {"\\KORVANTE\\DOC.Com", "DOC"},
      {"D:/suite/IGOCAL.eXe", "IGOCAL"},
      {"C:ABACO.EXE", "ABACO"},
      {"korvante-suite.exe", "korvante-suite"},
      {"ABACO.BAT", "ABACO.BAT"},
      {"ABACO.EXE.EXE", "ABACO.EXE"},
      {".EXE", ".EXE"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(windows_program_word(c.argv0), c.word) << c.argv0;
}

}  // namespace
}  // namespace korvante
