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
      {"2\n" + std::string(19, 'e') + "\n", smicexp(std::string(19, 'e'))},
      {"2\nñandúñandúñandúñand\n", smicexp("ñandúñandúñandúñand")},
      {"2\n$(x);`y`&\n", smicexp("$(x);`y`&")},
  };
  for (const auto& c : cases) {
    const LauncherRun run = in_submenu(c.typed);
    EXPECT_EQ(run.method_commands(), Lines{c.line}) << testing::PrintToString(c.typed);
  }
}

TEST(CrossImpact, RefusedExpertCodesAreAskedForAgain) {
  const std::string refused[] = {
      std::string(20, 'e'),
      "a b",      // would be two words: expert b's files
      " ",
      "../../x",  // would leave the data folder
      "a/b",
      "a\x1b[2J",
      "\x7f",
      "x\xc2\x9b",
  };
  for (const std::string& code : refused) {
    const LauncherRun run = in_submenu("2\n" + code + "\nE\n");
    EXPECT_EQ(run.method_commands(), Lines{smicexp("E")}) << testing::PrintToString(code);
    const std::string& t = run.console.transcript;
    EXPECT_EQ(count(t, "\t\t\tClave del experto : "), 2u) << testing::PrintToString(code);
  }
}

TEST(CrossImpact, FailuresStayAboveTheSubmenuUntilTheProgramRunsAgain) {
  const LauncherRun run = run_launcher_on("\n3\n1\n3\n1\n0\n", [](fake::Console& c) {
    // SMICDAT is missing the first time only; SMICPRO is always killed.
    c.results = {{"SMICDAT", not_found}, {"SMICPRO", killed_by(9)}};
    c.on_command = [&c](const std::string& line) {
      if (line.starts_with("SMICDAT ") && count(c.transcript, "{run SMICDAT") == 2) c.results.erase("SMICDAT");
    };
  });
  EXPECT_EQ(run.method_commands(), (Lines{smicdat, smicpro, smicdat}));
  const std::string& t = run.console.transcript;
  const std::string missing = "SMICDAT: no se encuentra el programa\n";
  const std::string killed = "SMICPRO: terminó por la señal 9\n";
  const std::string drawn = submenu.substr(std::string("{clear}").size());
  EXPECT_EQ(t.substr(t.find("{run " + smicdat)),
            "{run " + smicdat + "}{clear}" + missing + drawn +  //
                "{run " + smicpro + "}{clear}" + missing + killed + drawn +  //
                "{run " + smicdat + "}{clear}" + killed + drawn +  //
                pause_prompt);
}

TEST(CrossImpact, ScreenAndNoPauseBetweenRuns) {
  const LauncherRun run = in_submenu("1\n2\nE\n");
  const std::string& t = run.console.transcript;
  EXPECT_EQ(t.substr(t.find(menu_prompt) + menu_prompt.size()),
            submenu + "{run " + smicdat + "}" + submenu + "\t\t\tClave del experto : {run " + smicexp("E") + "}" +
                submenu + pause_prompt);
}

TEST(CrossImpact, EndOfInputInTheSubmenuEndsTheProgram) {
  const struct {
    std::string typed;
    Lines runs;
    std::string prompt;  // where the end is met
  } cases[] = {
      {"", {}, "\n\t\t\t          "},
      {"1\n", {smicdat}, "\n\t\t\t          "},
      {"2\n", {}, "\t\t\tClave del experto : "},
      {"2\na b\n", {}, "\t\t\tClave del experto : "},
      {"1\nx", {smicdat, smicdat}, "\n\t\t\t          "},
      {"2\nE\n", {smicexp("E")}, "\n\t\t\t          "},
  };
  for (const auto& c : cases) {
    const LauncherRun run = run_launcher_on("\n3\n" + c.typed);
    EXPECT_EQ(run.method_commands(), c.runs) << testing::PrintToString(c.typed);
    EXPECT_TRUE(ended_at(run, c.prompt)) << testing::PrintToString(c.typed);
  }
}

}  // namespace
}  // namespace korvante
