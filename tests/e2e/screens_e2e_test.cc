// The screens, the command lines and the end of a session, the same on
// every platform: built into the Linux end-to-end tests and into those of
// korvante.exe under Wine, which check the same golden screens.
#include "tests/e2e/launcher_fixture.h"

namespace korvante::e2e_support {
namespace {

TEST_F(LauncherTest, FirstPauseAndMenuScreens) {
  start();
  expect_pause();
  expect_golden("pause_80x25.txt");
  terminal->type("\r");
  expect_menu();
  expect_golden("menu_80x25.txt");
  EXPECT_EQ(terminal->cursor(), std::make_pair(30, 25)) << "cursor behind the prompt";
}

TEST_F(LauncherTest, AbacoRunsWithTagAndBothFolders) {
  start();
  expect_pause();
  terminal->type("\r1\r");
  // The first pause prompt stands until the menu is drawn.
  ASSERT_TRUE(terminal->wait_until([&] { return records().size() == 1; }));
  expect_pause();
  EXPECT_EQ(records(), (Records{{"ABACO", tag, root_slash(), data()}}));
  EXPECT_NE(terminal->screen_text().find("ABACO: ábaco de Régnier"), std::string::npos);
}

TEST_F(LauncherTest, DocumentationRunsWithNoArguments) {
  start();
  expect_pause();
  terminal->type("\r10\r");
  expect_pause();
  terminal->type("\rdoc\r");
  // The pause prompt of the first run stands until the second has run.
  ASSERT_TRUE(terminal->wait_until([&] { return records().size() == 2; }));
  expect_pause();
  EXPECT_EQ(records(), (Records{{"DOC"}, {"DOC"}}));
}

TEST_F(LauncherTest, ZeroEndsWithStatusZero) {
  for (std::string typed : {"0", "01", "00"}) {
    start();
    expect_pause();
    terminal->type("\r" + typed + "\r");
    expect_exit_status(0);
    EXPECT_TRUE(records().empty());
  }
}

TEST_F(LauncherTest, ActorsObjectivesRunsAndShowsItsResultOverTheLastScreen) {
  start();
  expect_pause();
  terminal->type("\r4\r");
  expect_screen_with("(digite solo la raíz) :");
  EXPECT_EQ(terminal->row_text(4), "        Archivo de datos (digite solo la raíz) :");
  EXPECT_EQ(terminal->cursor(), std::make_pair(50, 4));
  terminal->type("ENC1\r");
  expect_pause();
  expect_golden("acob_result_80x25.txt");
  EXPECT_EQ(records(), (Records{{"ACOBDAT", tag, data(), "ENC1"},
                                {"ACOBMAT", tag, data(), "ENC1.dta", "ENC1.rsa"}}));
  EXPECT_TRUE(fs::exists(root / "DATOS" / "ENC1.rsa"));
}

TEST_F(LauncherTest, RefusedRootIsAskedForAgainOnACleanScreen) {
  start();
  expect_pause();
  terminal->type("\r5\r");
  expect_screen_with("(digite solo la raiz) :");
  // Each refused in turn: a ".", too long, two words, out of the data folder.
  for (const std::string& refused : {std::string("ENC1.dta"), std::string(20, 'x'), std::string("mi estudio"), std::string("../x")}) {
    terminal->type(refused + "\r");
    terminal->settle();
  }
  expect_golden("igo_root_prompt_80x25.txt");
  terminal->type("ENC1\r");
  expect_pause();
  expect_golden("igo_result_80x25.txt");
  EXPECT_EQ(records(), (Records{{"IGODAT", tag, data(), "ENC1"},
                                {"IGOCAL", tag, data(), "ENC1.dti", "ENC1.rsi", "ENC1.tmp"},
                                {"IGOGRA", tag, data(), "ENC1.tmp", "ENC1.rgi"}}))
      << "no refused root reached a program";
}

TEST_F(LauncherTest, DelphiCreatesItsDataSetOnce) {
  const std::string data_file = data() + "D1.ddf";
  const std::string result_file = data() + "D1.rdf";
  start();
  for (int visit = 0; visit < 2; ++visit) {
    expect_pause();
    terminal->type("\r6\r");
    expect_screen_with("(digite solo la raiz) :");
    terminal->type("D1\r");
  }
  expect_pause();
  EXPECT_EQ(records(), (Records{{"DELFIDAT", tag, data_file},
                                {"DELFICV", tag, data_file, result_file},
                                {"DELFICV", tag, data_file, result_file}}));
  expect_golden("delfi_result_80x25.txt");
}

TEST_F(LauncherTest, StructuralAnalysisAsksTheStudyThroughAedat) {
  start();
  expect_pause();
  terminal->type("\r");
  expect_menu();
  terminal->type("2\r");
  expect_screen_with("Nombre del estudio :");
  terminal->type("ESTUDIOLARGO\r");
  expect_pause();
  expect_golden("ae_result_80x25.txt");
  const Records r = records();
  ASSERT_EQ(r.size(), 7u);
  EXPECT_EQ(r[0], (TraceRecord{"AEDAT", tag, data(), "aeinfo.tmp", "dte"}));
  EXPECT_EQ(r[1], (TraceRecord{"aemat", tag, data(), "ESTUDIOLARGO.dte", "ESTUDIOLARGO.rse"}));
  EXPECT_EQ(r[6], (TraceRecord{"aegraf", tag, data(), "ae.mm", "ESTUDIOLARGO.rse"}));
}

TEST_F(LauncherTest, AStudyNameWithABlankRunsNoAnalysis) {
  start();
  expect_pause();
  terminal->type("\r2\r");
  expect_screen_with("Nombre del estudio :");
  terminal->type("mi estudio\r");
  ASSERT_TRUE(terminal->wait_until([&] {
    return on_screen("Nombre de estudio no válido en <" + data() + "aeinfo.tmp>: «mi estudio» contiene un blanco");
  })) << terminal->screen_text();
  terminal->settle();
  terminal->type("\r");
  expect_pause();
  EXPECT_EQ(records(), (Records{{"AEDAT", tag, data(), "aeinfo.tmp", "dte"}}));
}

TEST_F(LauncherTest, CrossImpactSubmenu) {
  start();
  expect_pause();
  terminal->type("\r3\r");
  expect_screen_with("SMIC para el promedio");
  expect_golden("smic_submenu_80x25.txt");
  EXPECT_EQ(terminal->cursor(), std::make_pair(35, 21)) << "ten blanks right of the three tabs";
  terminal->type("1\r");
  ASSERT_TRUE(terminal->wait_until([&] { return records().size() == 1; }));
  expect_screen_with("SMIC para el promedio");
  terminal->type("2\r");
  expect_screen_with("Clave del experto :");
  // Two words, or a way out of the data folder: asked for again.
  terminal->type("a b\r");
  terminal->settle();
  terminal->type("../../x\r");
  terminal->settle();
  terminal->type("E1\r");
  ASSERT_TRUE(terminal->wait_until([&] { return records().size() == 2; }));
  expect_screen_with("SMIC para el promedio");
  terminal->type("3\r");
  ASSERT_TRUE(terminal->wait_until([&] { return records().size() == 3; }));
  expect_screen_with("SMIC para el promedio");
  terminal->type("0\r");
  expect_pause();
  EXPECT_EQ(records(), (Records{{"SMICDAT", tag, data(), "SMICINFO.EST", "DTS"},
                                {"SMICEXP", tag, data(), "SMICINFO.EST", "E1.DTS", "E1.RSS", "E1.RSP"},
                                {"SMICPRO", tag, data(), "SMICINFO.EST", "DTS", "RSP", "PRO"}}));
}

TEST_F(LauncherTest, PipedStudyNameReachesAedatAfterTheLauncher) {
  // The launcher reads its own lines only: the line after the selection is
  // left in the pipe for AEDAT.
  ::e2e::LaunchOptions o = options();
  o.stdin_from = ::e2e::LaunchOptions::Stdin::pipe;
  start(o);
  terminal->write_stdin("\n2\nEST1\n\n0\n");
  terminal->close_stdin();
  expect_exit_status(0);
  const Records r = records();
  ASSERT_EQ(r.size(), 7u);
  EXPECT_EQ(r[1], (TraceRecord{"aemat", tag, data(), "EST1.dte", "EST1.rse"}));
}

TEST_F(LauncherTest, PipedSessionKeepsTheOrderOfOutput) {
  ::e2e::LaunchOptions o = options();
  o.stdin_from = ::e2e::LaunchOptions::Stdin::pipe;
  o.stdout_file = (base / "transcript").string();
  start(o);
  terminal->write_stdin("\n1\n\n10\n\n0\n");
  terminal->close_stdin();
  expect_exit_status(0);
  std::ifstream in(base / "transcript", std::ios::binary);
  const std::string transcript((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(transcript.find('\x1b'), std::string::npos) << "no escape sequence in a transcript";
  // A Windows text-mode stream writes each line feed as CR LF.
  const std::string line_end = on_windows ? "\r\n" : "\n";
  const std::string menu_end = line_end + line_end + "\t\t" + menu_prompt;
  // pause, menu, ABACO's line, pause, menu, DOC's line, pause, menu.
  const std::vector<std::string> in_order = {pause_text, menu_end, "ABACO: ", pause_text,
                                             menu_end,   "DOC: ",  pause_text, menu_end};
  std::size_t at = 0;
  for (const std::string& piece : in_order) {
    const std::size_t found = transcript.find(piece, at);
    ASSERT_NE(found, std::string::npos) << "\"" << piece << "\" after byte " << at << " in\n" << transcript;
    at = found + piece.size();
  }
  EXPECT_EQ(transcript.substr(at), "") << "nothing after the last prompt";
  for (std::size_t lf = transcript.find('\n'); lf != std::string::npos; lf = transcript.find('\n', lf + 1)) {
    ASSERT_EQ(lf > 0 && transcript[lf - 1] == '\r', on_windows) << "the line end at byte " << lf;
  }
  EXPECT_EQ(records(), (Records{{"ABACO", tag, root_slash(), data()}, {"DOC"}}));
}

}  // namespace
}  // namespace korvante::e2e_support
