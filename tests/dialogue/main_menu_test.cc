#include <gtest/gtest.h>

#include "tests/dialogue/dialogue_test_support.h"

namespace korvante {
namespace {

using namespace testing_support;
using Lines = std::vector<std::string>;

TEST(MainLoop, StartsWithClearCdAndThePausePrompt) {
  const LauncherRun run = run_launcher_on("");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.console.transcript, "{clear}{run cd /K}" + pause_prompt);
}

TEST(MainLoop, AbacoRunsOneLineAndComesBackToThePause) {
  const LauncherRun run = run_launcher_on("\n1\n");
  EXPECT_EQ(run.method_commands(), Lines{"ABACO ¤§ /K/ /K/DATOS/"});
  const std::string& t = run.console.transcript;
  const std::size_t abaco = t.find("{run ABACO");
  ASSERT_NE(abaco, std::string::npos);
  EXPECT_EQ(t.substr(t.find('}', abaco) + 1), pause_prompt) << "nothing shown after ABACO but the pause";
}

TEST(MainLoop, EachSelectionRunsItsFirstProgram) {
  const struct {
    std::string typed;
    std::string first_line;
  } cases[] = {
      {"1", "ABACO ¤§ /K/ /K/DATOS/"},
      {"abaco", "ABACO ¤§ /K/ /K/DATOS/"},
      {"0ABACO", "ABACO ¤§ /K/ /K/DATOS/"},
      {"2", "AEDAT ¤§ /K/DATOS/ aeinfo.tmp dte"},
      {"SMICAE", "AEDAT ¤§ /K/DATOS/ aeinfo.tmp dte"},
      {"3\n1", "SMICDAT ¤§ /K/DATOS/ SMICINFO.EST DTS"},
      {"Smic\n1", "SMICDAT ¤§ /K/DATOS/ SMICINFO.EST DTS"},
      {"4\nR", "ACOBDAT ¤§ /K/DATOS/ R"},
      {"IGOACOB\nR", "ACOBDAT ¤§ /K/DATOS/ R"},
      {"5\nR", "IGODAT ¤§ /K/DATOS/ R"},
      {"6\nR", "DELFIDAT ¤§ /K/DATOS/R.ddf"},
      {"10", "DOC "},
      {"doc", "DOC "},
  };
  for (const auto& c : cases) {
    const LauncherRun run = run_launcher_on("\n" + c.typed + "\n");
    ASSERT_GE(run.console.commands.size(), 2u) << c.typed;
    EXPECT_EQ(run.console.commands[1], c.first_line) << c.typed;
  }
}

TEST(MainLoop, ZeroAndLinesBeginningWithZeroEnd) {
  for (std::string typed : {"0", "01", "00", "0 lo que sea"}) {
    const LauncherRun run = run_launcher_on("\n" + typed + "\n1\n1\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.method_commands().empty()) << typed;
    EXPECT_EQ(run.console.input_at, typed.size() + 2) << "nothing read after " << typed;
  }
}

TEST(MainLoop, UnmatchedInputRedrawsWithoutThePause) {
  const LauncherRun run = run_launcher_on("\n\n 1\n1 \nxyz\n1\n");
  EXPECT_EQ(run.method_commands(), Lines{"ABACO ¤§ /K/ /K/DATOS/"});
  const std::string& t = run.console.transcript;
  const std::string before_abaco = t.substr(0, t.find("{run ABACO"));
  EXPECT_EQ(count(before_abaco, "Para continuar"), 1u);
  EXPECT_EQ(count(before_abaco, menu_prompt), 5u);
  EXPECT_EQ(count(before_abaco, "{clear}"), 6u);  // start-up, then one per drawing
}

TEST(MainLoop, ActorsObjectivesIsAnnouncedUnderThePrompt) {
  for (std::string typed : {"4", "acob", "IGOACOB"}) {
    const LauncherRun run = run_launcher_on("\n" + typed + "\n");
    EXPECT_NE(run.console.transcript.find(menu_prompt + " en 4\n{clear}"), std::string::npos) << typed;
  }
  const LauncherRun abaco = run_launcher_on("\n1\n");
  EXPECT_EQ(abaco.console.transcript.find(" en 4"), std::string::npos);
}

TEST(MainLoop, EndOfInputAtAnyMainPromptEndsAtOnce) {
  for (std::string typed : {"", "\n", "\n\n", "\n1\n", "\nxyz\n", "\n1"}) {
    const LauncherRun run = run_launcher_on(typed);
    EXPECT_EQ(run.status, 0) << testing::PrintToString(typed);
    EXPECT_EQ(run.console.input_at, typed.size());
  }
}

TEST(MainLoop, AnOverlongSelectionIsCutAndItsRestDropped) {
  // 300 characters: the first 199 hold no module word, the rest would.
  const LauncherRun run = run_launcher_on("\n" + std::string(199, 'x') + "ABACO" + std::string(96, 'y') + "\n1\n");
  EXPECT_EQ(run.method_commands(), Lines{"ABACO ¤§ /K/ /K/DATOS/"});
  EXPECT_EQ(count(run.console.transcript, menu_prompt), 2u);
}

TEST(MainMenu, ScreenIsDrawnAsItsLinesGiveIt) {
  const LauncherRun run = run_launcher_on("\n");
  const std::string expected =
      "{clear}\n\n" + std::string(18, ' ') +
      "        KORVANTE - PROSPECTIVA ESTRATEGICA        \n\n"
      "\t\t┌════════════════════════════════════════════════════┐\n"
      "\t\t│                                                    │\n"
      "\t\t│               METODOS DE KORVANTERIA               │\n"
      "\t\t│                                                    │\n"
      "\t\t└════════════════════════════════════════════════════┘\n"
      "\n\n"
      "\t\t┌────────────────────────────────────────────────────┐\n"
      "\t\t│  1. ABACO : Abaco de Regnier                       │\n"
      "\t\t│  2. AE    : Análisis estructural                   │\n"
      "\t\t│  3. SMIC  : Sistema de matrices de impacto cruzado │\n"
      "\t\t│  4. ACOB  : Actores - Objetivos                    │\n"
      "\t\t│  5. IGO   : Importancia - Gobernabilidad           │\n"
      "\t\t│  6. DELFI : Delphi                                 │\n"
      "\t\t│                                                    │\n"
      "\t\t│ 10. DOC   : Documentación sobre los programas      │\n"
      "\t\t│                                                    │\n"
      "\t\t│  0.       : Termina                                │\n"
      "\t\t└────────────────────────────────────────────────────┘\n" +
      menu_prompt;
  EXPECT_EQ(run.console.transcript, "{clear}{run cd /K}" + pause_prompt + expected);
}

}  // namespace
}  // namespace korvante
