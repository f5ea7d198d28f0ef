#include <sys/stat.h>

#include "tests/e2e/launcher_fixture.h"

namespace korvante::e2e_support {
namespace {

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
  EXPECT_TRUE(fs::exists(data() + "ENC1.rsa"));
}

TEST_F(LauncherTest, RefusedRootIsAskedForAgainOnACleanScreen) {
  start();
  expect_pause();
  terminal->type("\r5\r");
  expect_screen_with("(digite solo la raiz) :");
  terminal->type("ENC1.dta\r");
  terminal->settle();
  terminal->type(std::string(20, 'x') + "\r");
  terminal->settle();
  expect_golden("igo_root_prompt_80x25.txt");
  terminal->type("ENC1\r");
  expect_pause();
  expect_golden("igo_result_80x25.txt");
  ASSERT_EQ(records().size(), 3u);
  EXPECT_EQ(records()[1], (TraceRecord{"IGOCAL", tag, data(), "ENC1.dti", "ENC1.rsi", "ENC1.tmp"}));
}

TEST_F(LauncherTest, DelphiCreatesItsDataSetOnceAndAFifoNeverBlocks) {
  const std::string data_file = data() + "D1.ddf";
  const std::string result_file = data() + "D1.rdf";
  ASSERT_EQ(mkfifo((data() + "F1.ddf").c_str(), 0644), 0);
  start();
  for (std::string root : {"D1", "D1", "F1"}) {
    expect_pause();
    terminal->type("\r6\r");
    expect_screen_with("(digite solo la raiz) :");
    terminal->type(root + "\r");
  }
  expect_pause();
  EXPECT_EQ(records(), (Records{{"DELFIDAT", tag, data_file},
                                {"DELFICV", tag, data_file, result_file},
                                {"DELFICV", tag, data_file, result_file},
                                {"DELFIDAT", tag, data() + "F1.ddf"},
                                {"DELFICV", tag, data() + "F1.ddf", data() + "F1.rdf"}}));
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

TEST_F(LauncherTest, StructuralAnalysisWithoutAnInformationFile) {
  replace_program("AEDAT", "exit 0");
  start();
  expect_pause();
  terminal->type("\r2\r");
  expect_screen_with("No encuentro <" + data() + "AEINFO.TMP>");
  terminal->type("\r");
  expect_pause();
  EXPECT_TRUE(records().empty()) << "no analysis program ran";
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

}  // namespace
}  // namespace korvante::e2e_support
