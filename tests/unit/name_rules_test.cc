#include "launcher/name_rules.h"

#include <gtest/gtest.h>

namespace korvante {
namespace {

TEST(NameRules, WhatSplitsLeavesTheFolderOrReachesTheTerminalIsRefused) {
  const struct {
    std::string name;
    std::optional<NameFault> posix, windows;
  } cases[] = {
      {"ENC1", std::nullopt, std::nullopt},
      {"ñandú", std::nullopt, std::nullopt},
      {"a.b", std::nullopt, std::nullopt},  // the "." is the root prompt's own rule
      {";$(x)'&`", std::nullopt, std::nullopt},
      {"a\xc2\xa0" "b", std::nullopt, std::nullopt},  // a no-break space
      {"", NameFault::empty, NameFault::empty},
      {"a b", NameFault::blank, NameFault::blank},
      {" ", NameFault::blank, NameFault::blank},
      {"../x", NameFault::slash, NameFault::slash},
      {"a\tb", NameFault::control, NameFault::control},
      {std::string("a\0b", 3), NameFault::control, NameFault::control},
      {"\x1b[2J", NameFault::control, NameFault::control},
      {"\x7f", NameFault::control, NameFault::control},
      {"a\xc2\x80", NameFault::control, NameFault::control},
      {"a\xc2\x9f", NameFault::control, NameFault::control},
      {"\xc2\xa0", std::nullopt, std::nullopt},
      // What only Windows refuses: its reserved characters and devices, and
      // bytes that no UTF-16 name can hold.
      {"a\\b", std::nullopt, NameFault::windows_character},
      {"C:x", std::nullopt, NameFault::windows_character},
      {"a*", std::nullopt, NameFault::windows_character},
      {"a?", std::nullopt, NameFault::windows_character},
      {"\"&calc.exe", std::nullopt, NameFault::windows_character},
      {"a<b>c|d", std::nullopt, NameFault::windows_character},
      {"\xff\xfe", std::nullopt, NameFault::windows_character},
      {"CON", std::nullopt, NameFault::windows_device},
      {"con", std::nullopt, NameFault::windows_device},
      {"Nul.txt", std::nullopt, NameFault::windows_device},
      {"COM1", std::nullopt, NameFault::windows_device},
      {"lpt9.x.y", std::nullopt, NameFault::windows_device},
      {"COM¹", std::nullopt, NameFault::windows_device},
      {"CONIN$", std::nullopt, NameFault::windows_device},
      {"COM0", std::nullopt, std::nullopt},
      {"COM10", std::nullopt, std::nullopt},
      {"CONSOLA", std::nullopt, std::nullopt},
      {"ACON", std::nullopt, std::nullopt},
      {"%CMDCMDLINE:~-1%", std::nullopt, NameFault::windows_character},
      {"%PATH%", std::nullopt, std::nullopt},  // the batch-file runner has its own rule for "%"
  };
  for (const auto& c : cases) {
    EXPECT_EQ(name_fault(c.name, NameRules::posix), c.posix) << testing::PrintToString(c.name);
    EXPECT_EQ(name_fault(c.name, NameRules::windows), c.windows) << testing::PrintToString(c.name);
  }
}

TEST(NameRules, ControlCharactersAreShownEscaped) {
  EXPECT_EQ(printable("ok ñ"), "ok ñ");
  EXPECT_EQ(printable("a\x1b[2Jb"), "a\\x1B[2Jb");
  EXPECT_EQ(printable("\x7f\t"), "\\x7F\\x09");
  EXPECT_EQ(printable("a\xc2\x9b" "1m"), "a\\xC2\\x9B1m");
  EXPECT_EQ(printable("\xc2\xa0\xff"), "\xc2\xa0\xff") << "no control, left as it is";
  EXPECT_TRUE(has_control_character("x\x01"));
  EXPECT_FALSE(has_control_character("/tmp/ñ/K"));
}

}  // namespace
}  // namespace korvante
