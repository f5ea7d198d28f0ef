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

TEST_F(LauncherTest, DelphiNeverOverwritesWhatItCannotRead) {
  ASSERT_EQ(mkfifo((data() + "F1.ddf").c_str(), 0644), 0);
  fs::create_directories(data() + "C1.ddf");
  start();
  const std::pair<std::string, std::string> cases[] = {
      {"F1", "no es un archivo normal"},
      {"C1", "es una carpeta"},
  };
  for (const auto& [root, reason] : cases) {
    expect_pause();
    terminal->type("\r6\r");
    expect_screen_with("(digite solo la raiz) :");
    terminal->type(root + "\r");
    expect_pause();
    EXPECT_TRUE(terminal->row_text(12).starts_with("           No puedo usar el archivo de datos <" + data() + root +
                                                   ".ddf>: "))
        << terminal->screen_text();
    EXPECT_TRUE(on_screen(reason)) << terminal->screen_text();
  }
  EXPECT_TRUE(records().empty()) << "neither DELFIDAT nor DELFICV ran";
  EXPECT_TRUE(fs::is_fifo(data() + "F1.ddf"));
  EXPECT_TRUE(fs::is_directory(data() + "C1.ddf"));
  EXPECT_TRUE(fs::is_empty(data() + "C1.ddf"));
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

TEST_F(LauncherTest, AStaleInformationFileInAnotherCaseLoses) {
  std::ofstream(data() + "AEINFO.TMP") << "VIEJO\n";
  start();
  expect_pause();
  terminal->type("\r2\r");
  expect_screen_with("Nombre del estudio :");
  terminal->type("NUEVO\r");
  expect_pause();
  const Records r = records();
  ASSERT_EQ(r.size(), 7u);
  EXPECT_EQ(r[1], (TraceRecord{"aemat", tag, data(), "NUEVO.dte", "NUEVO.rse"}));
  EXPECT_TRUE(terminal->row_text(12).starts_with("           Archivo de resultados : " + data() + "NUEVO.rse "))
      << terminal->screen_text();
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

}  // namespace
}  // namespace korvante::e2e_support
