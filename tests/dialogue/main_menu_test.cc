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

TEST(MainLoop, AnUnusableSuiteFolderIsSaidOnTheFirstScreen) {
  const LauncherRun run = run_launcher_on("\n1\n", programs_end({{"cd", {RunOutcome::ran, 1, "no existe"}}}));
  EXPECT_EQ(run.console.transcript.substr(0, run.console.transcript.find(pause_prompt) + pause_prompt.size()),
            "{clear}{run cd /K}La carpeta de la suite </K> no existe; la elige KORVANTE_HOME.\n" + pause_prompt);
  EXPECT_EQ(run.method_commands(), Lines{"ABACO ¤§ /K/ /K/DATOS/"}) << "the menu still works";
}

TEST(MainLoop, ASuiteRootThatWouldSplitOrReachTheTerminalIsRefused) {
  const struct {
    std::string root;
    std::string refusal;  // on standard error; "" when accepted
  } cases[] = {
      {"/mi suite/K", "korvante: KORVANTE_HOME da la carpeta de la suite «/mi suite/K», que contiene un blanco: "
                      "no llegaría a los programas como una sola palabra. Elija otra carpeta.\n"},
      {"/K\x1b[2J", "korvante: KORVANTE_HOME da la carpeta de la suite «/K\\x1B[2J», que contiene un carácter de "
                    "control: no llegaría a los programas como una sola palabra. Elija otra carpeta.\n"},
      {"/K\xc2\x85", "korvante: KORVANTE_HOME da la carpeta de la suite «/K\\xC2\\x85», que contiene un carácter de "
                     "control: no llegaría a los programas como una sola palabra. Elija otra carpeta.\n"},
      {"/suite/ñandú;$(x)", ""},
      {"", ""},
  };
  for (const auto& c : cases) {
    const LauncherRun run = run_launcher_on("\n1\n", [](fake::Console&) {}, posix_suite(c.root));
    if (c.refusal.empty()) {
      EXPECT_EQ(run.status, 0) << c.root;
      EXPECT_EQ(run.console.commands.size(), 2u) << c.root;
    } else {
      EXPECT_EQ(run.status, 2) << c.root;
      EXPECT_EQ(run.console.transcript, "{error " + c.refusal + "}") << "nothing else shown, nothing run";
      EXPECT_TRUE(run.console.reads.empty());
    }
  }
}

TEST(MainLoop, AbacoAndTheDocumentationNameTheirFailure) {
  const struct {
    std::string typed;
    std::map<std::string, CommandResult> results;
    std::string shown;
  } cases[] = {
      {"1", {{"ABACO", not_found}}, "\nABACO: no se encuentra el programa\n"},
      {"1", {{"ABACO", killed_by(11)}}, "\nABACO: terminó por la señal 11\n"},
      {"1", {{"ABACO", exits_with(1)}}, ""},
      {"10", {{"DOC", cannot_start("permiso denegado")}}, "\nDOC: no se puede iniciar: permiso denegado\n"},
      {"10", {{"DOC", exits_with(2)}}, ""},
  };
  for (const auto& c : cases) {
    const LauncherRun run = run_launcher_on("\n" + c.typed + "\n", programs_end(c.results));
    EXPECT_EQ(after_last_command(run), c.shown + pause_prompt) << c.typed;
  }
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
  const struct {
    std::string typed;
    std::string prompt;
  } cases[] = {
      {"", pause_prompt},       {"\n", menu_prompt},        {"\n\n", menu_prompt},
      {"\n1\n", pause_prompt}, {"\nxyz\n", menu_prompt},   {"\n1", pause_prompt},
      {"\x1a\n1\n", pause_prompt}, {"\n1\x1a\n", pause_prompt},
  };
  for (const auto& c : cases) {
    const LauncherRun run = run_launcher_on(c.typed);
    EXPECT_EQ(run.status, 0) << testing::PrintToString(c.typed);
    EXPECT_TRUE(ended_at(run, c.prompt)) << testing::PrintToString(c.typed);
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
