#include <sys/stat.h>

#include "tests/e2e/launcher_fixture.h"

namespace korvante::e2e_support {
namespace {

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

}  // namespace
}  // namespace korvante::e2e_support
