#include <gtest/gtest.h>

#include "launcher/cross_impact.h"
#include "tests/dialogue/dialogue_test_support.h"

namespace korvante {
namespace {

using namespace testing_support;
using Lines = std::vector<std::string>;

const std::string smicdat = "SMICDAT ¤§ /K/DATOS/ SMICINFO.EST DTS";
const std::string smicpro = "SMICPRO ¤§ /K/DATOS/ SMICINFO.EST DTS RSP PRO";
std::string smicexp(const std::string& code) {
  return "SMICEXP ¤§ /K/DATOS/ SMICINFO.EST " + code + ".DTS " + code + ".RSS " + code + ".RSP";
}

const std::string submenu =
    "{clear}{move 1,7}\t\t  SISTEMA DE MATRICES DE IMPACTO CRUZADO - SMIC\n\n"
    "\n\t\t\t┌────────────────────────────────┐"
    "\n\t\t\t│                                │"
    "\n\t\t\t│    0.   Pasa al menú principal │"
    "\n\t\t\t│                                │"
    "\n\t\t\t│    1.   DATOS para un experto  │"
    "\n\t\t\t│                                │"
    "\n\t\t\t│    2.   SMIC para un experto   │"
    "\n\t\t\t│                                │"
    "\n\t\t\t│    3.   SMIC para el promedio  │"
    "\n\t\t\t│                                │"
    "\n\t\t\t└────────────────────────────────┘"
    "\n\t\t\t          ";

// The submenu entered from the main menu, the lines typed there, then 0.
LauncherRun in_submenu(const std::string& typed) { return run_launcher_on("\n3\n" + typed + "0\n"); }

TEST(CrossImpact, TypedChoicesToRuns) {
  const struct {
    std::string typed;
    Lines runs;
  } cases[] = {
      {"1\n", {smicdat}},
      {"  2\nE1\n", {smicexp("E1")}},
      {"2x\nE1\n", {smicexp("E1")}},
      {"+3\n", {smicpro}},
      {"-1\n", {}},
      {"9\n", {}},
      {"4\n", {}},
      {"\n", {}},
      {"x\n", {}},
      {"x\n1\nx\n", {smicdat, smicdat}},
      {"1\n\nx\n", {smicdat}},
      {"3\n1\n2\nE\n", {smicpro, smicdat, smicexp("E")}},
      {"00\n1\n", {}},
      {" +0x\n1\n", {}},
  };
  for (const auto& c : cases) {
    const LauncherRun run = in_submenu(c.typed);
    EXPECT_EQ(run.method_commands(), c.runs) << testing::PrintToString(c.typed);
  }
}

TEST(CrossImpact, NextChoice) {
  EXPECT_EQ(next_cross_impact_choice("", 1), 9);
  EXPECT_EQ(next_cross_impact_choice("x", 1), 1);
  EXPECT_EQ(next_cross_impact_choice(" 2 y", 1), 2);
  EXPECT_EQ(next_cross_impact_choice("-", 3), 3);
}

TEST(CrossImpact, ExpertCodeIsTakenAsTyped) {
  const struct {
    std::string typed;
    std::string line;
  } cases[] = {
      {"2\n\n", smicexp("")},
      {"2\nexp.1\n", smicexp("exp.1")},
      {"2\n" + std::string(20, 'e') + "\n" + std::string(19, 'e') + "\n", smicexp(std::string(19, 'e'))},
  };
  for (const auto& c : cases) {
    const LauncherRun run = in_submenu(c.typed);
    EXPECT_EQ(run.method_commands(), Lines{c.line}) << testing::PrintToString(c.typed);
  }
  const LauncherRun refused = in_submenu("2\n" + std::string(20, 'e') + "\nE\n");
  EXPECT_EQ(count(refused.console.transcript, "\t\t\tClave del experto : "), 2u);
}

TEST(CrossImpact, ScreenAndNoPauseBetweenRuns) {
  const LauncherRun run = in_submenu("1\n2\nE\n");
  const std::string& t = run.console.transcript;
  EXPECT_EQ(t.substr(t.find(menu_prompt) + menu_prompt.size()),
            submenu + "{run " + smicdat + "}" + submenu + "\t\t\tClave del experto : {run " + smicexp("E") + "}" +
                submenu + pause_prompt);
}

TEST(CrossImpact, EndOfInputInTheSubmenuEndsTheProgram) {
  for (std::string typed : {"", "1\n", "2\n", "1\nx"}) {
    const LauncherRun run = run_launcher_on("\n3\n" + typed);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.console.input_at, run.console.input.size());
    EXPECT_LE(run.method_commands().size(), 2u) << testing::PrintToString(typed);
  }
}

}  // namespace
}  // namespace korvante
