#include "launcher/failure_text.h"

#include <gtest/gtest.h>

namespace korvante {
namespace {

TEST(FailureText, NamesTheProgramAndWhy) {
  const struct {
    std::string line;
    CommandResult result;
    std::optional<std::string> text;
  } cases[] = {
      {"ACOBMAT ¤§ /K/DATOS/ R.dta R.rsa", {RunOutcome::not_found, 0, ""}, "ACOBMAT: no se encuentra el programa"},
      {"DOC ", {RunOutcome::cannot_start, 0, "permiso denegado"}, "DOC: no se puede iniciar: permiso denegado"},
      {"aegraf ¤§ /K/DATOS/ ae.mm E.rse", {RunOutcome::signalled, 11, ""}, "aegraf: terminó por la señal 11"},
      {"IGOCAL x", {RunOutcome::crashed, 0xC0000005u, ""}, "IGOCAL: terminó de forma anormal (0xC0000005)"},
      {"IGOCAL x", {RunOutcome::crashed, 0xC000013Au, ""}, "IGOCAL: terminó de forma anormal (0xC000013A)"},
      // A program that ran is its own business, whatever its status.
      {"ABACO ¤§ /K/ /K/DATOS/", {RunOutcome::ran, 0, ""}, std::nullopt},
      {"ABACO ¤§ /K/ /K/DATOS/", {RunOutcome::ran, 127, ""}, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(failure_line(c.line, c.result), c.text) << c.line;
}

TEST(FailureText, ReasonsShowNamesWithoutTheirControlBytes) {
  EXPECT_EQ(name_fault_reason("a b", NameFault::blank), "«a b» contiene un blanco");
  EXPECT_EQ(name_fault_reason("a\x1b[2J", NameFault::control), "«a\\x1B[2J» contiene un carácter de control");
  EXPECT_EQ(name_fault_reason("", NameFault::empty), "el nombre está vacío");
  EXPECT_EQ(name_fault_reason("CON", NameFault::windows_device), "«CON» es el nombre de un dispositivo de Windows");
}

}  // namespace
}  // namespace korvante
