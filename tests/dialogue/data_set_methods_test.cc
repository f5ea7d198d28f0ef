#include <gtest/gtest.h>

#include "tests/dialogue/dialogue_test_support.h"

namespace korvante {
namespace {

using namespace testing_support;
using Lines = std::vector<std::string>;

const std::string acob_prompt = "{clear}\n\n\n\tArchivo de datos (digite solo la raíz) : ";
const std::string igo_prompt = "{clear}\n\n\n\tArchivo de datos (digite solo la raiz) : ";
const std::string delfi_prompt = "{clear}\n\n\n  Nombre del archivo para los datos (digite solo la raiz) : ";

// The transcript from the method's selection on.
std::string from_selection(const LauncherRun& run) {
  const std::string& t = run.console.transcript;
  return t.substr(t.find(menu_prompt) + menu_prompt.size());
}

TEST(DataSetMethods, CommandLinesForOneRoot) {
  const struct {
    std::string module;
    Lines lines;
  } cases[] = {
      {"4", {"ACOBDAT ¤§ /K/DATOS/ ENC1", "ACOBMAT ¤§ /K/DATOS/ ENC1.dta ENC1.rsa"}},
      {"5",
       {"IGODAT ¤§ /K/DATOS/ ENC1", "IGOCAL ¤§ /K/DATOS/ ENC1.dti ENC1.rsi ENC1.tmp",
        "IGOGRA ¤§ /K/DATOS/ ENC1.tmp ENC1.rgi"}},
      {"6", {"DELFIDAT ¤§ /K/DATOS/ENC1.ddf", "DELFICV ¤§ /K/DATOS/ENC1.ddf /K/DATOS/ENC1.rdf"}},
  };
  for (const auto& c : cases) {
    const LauncherRun run = run_launcher_on("\n" + c.module + "\nENC1\n");
    EXPECT_EQ(run.method_commands(), c.lines) << c.module;
  }
}

TEST(DataSetMethods, ActorsObjectivesMessageStandsOverTheLastScreen) {
  const LauncherRun run = run_launcher_on("\n4\nENC1\n");
  EXPECT_EQ(from_selection(run),
            " en 4\n" + acob_prompt +
                "{run ACOBDAT ¤§ /K/DATOS/ ENC1}{run ACOBMAT ¤§ /K/DATOS/ ENC1.dta ENC1.rsa}"
                "{move 12,12}Archivo de resultados : /K/DATOS/ENC1.RSA\n" +
                pause_prompt);
}

TEST(DataSetMethods, ImportanceGovernabilityMessagesOnAClearedScreen) {
  const LauncherRun run = run_launcher_on("\n5\nenc1\n");
  const std::string t = from_selection(run);
  EXPECT_EQ(t.substr(t.find("{run IGOGRA")),
            "{run IGOGRA ¤§ /K/DATOS/ enc1.tmp enc1.rgi}{clear}"
            "{move 12,12}Archivo de resultados : /K/DATOS/enc1.RSI\n"
            "{move 12,14}Archivo de graficos   : /K/DATOS/enc1.RGI\n" +
                pause_prompt);
  EXPECT_EQ(t.substr(0, igo_prompt.size()), igo_prompt);
}

TEST(DataSetMethods, DelphiMessagesOnAClearedScreen) {
  const LauncherRun run = run_launcher_on("\n6\nD1\n");
  const std::string t = from_selection(run);
  EXPECT_EQ(t, delfi_prompt +
                   "{run DELFIDAT ¤§ /K/DATOS/D1.ddf}{run DELFICV ¤§ /K/DATOS/D1.ddf /K/DATOS/D1.rdf}"
                   "{clear}{move 12,12}Archivo de datos     : /K/DATOS/D1.ddf\n"
                   "{move 12,14}Archivo de reultados : /K/DATOS/D1.rdf\n" +
                   pause_prompt);
}

TEST(DataSetMethods, RefusedRootsAreAskedForAgainOnAClearedScreen) {
  const std::string twenty(20, 'r');
  const std::string nineteen(19, 'r');
  const LauncherRun run = run_launcher_on("\n4\n\nENC1.dta\n.\n" + twenty + "\n" + nineteen + "\n");
  EXPECT_EQ(run.method_commands()[0], "ACOBDAT ¤§ /K/DATOS/ " + nineteen);
  EXPECT_EQ(from_selection(run).substr(0, 6 + 5 * acob_prompt.size()),
            " en 4\n" + acob_prompt + acob_prompt + acob_prompt + acob_prompt + acob_prompt);
}

TEST(DataSetMethods, RootLimitCountsCharactersNotBytes) {
  const std::string nineteen = "ñandúñandúñandúñand";  // 19 characters, 23 bytes
  const LauncherRun accepted = run_launcher_on("\n5\n" + nineteen + "\n");
  EXPECT_EQ(accepted.method_commands()[0], "IGODAT ¤§ /K/DATOS/ " + nineteen);
  const LauncherRun refused = run_launcher_on("\n5\n" + nineteen + "ú\nok\n");
  EXPECT_EQ(refused.method_commands()[0], "IGODAT ¤§ /K/DATOS/ ok");
}

TEST(DataSetMethods, RootsAreTakenAsTyped) {
  const struct {
    std::string root;
    std::string first_line;
  } cases[] = {
      {"   ", "ACOBDAT ¤§ /K/DATOS/    "},
      {"mi raiz", "ACOBDAT ¤§ /K/DATOS/ mi raiz"},
      {" lead", "ACOBDAT ¤§ /K/DATOS/  lead"},
      {"enc1", "ACOBDAT ¤§ /K/DATOS/ enc1"},
      {R"(a;b|c$(x)'"\z)", R"(ACOBDAT ¤§ /K/DATOS/ a;b|c$(x)'"\z)"},
  };
  for (const auto& c : cases) {
    const LauncherRun run = run_launcher_on("\n4\n" + c.root + "\n");
    EXPECT_EQ(run.method_commands().at(0), c.first_line) << c.root;
  }
}

TEST(DataSetMethods, DelphiRunsDataEntryOnlyForANewDataSet) {
  const LauncherRun existing = run_launcher_on("\n6\nD1\n", [](fake::Console& c) { c.files[data + "D1.ddf"] = "x"; });
  EXPECT_EQ(existing.method_commands(), Lines{"DELFICV ¤§ /K/DATOS/D1.ddf /K/DATOS/D1.rdf"});
  EXPECT_EQ(existing.console.open_files, 0) << "the data file is closed again";

  // A FIFO, a folder or an unreadable file in its place counts as missing.
  const LauncherRun unreadable = run_launcher_on("\n6\nD1\n", [](fake::Console& c) {
    c.files[data + "D1.ddf"] = "";
    c.unreadable.insert(data + "D1.ddf");
  });
  EXPECT_EQ(unreadable.method_commands(),
            (Lines{"DELFIDAT ¤§ /K/DATOS/D1.ddf", "DELFICV ¤§ /K/DATOS/D1.ddf /K/DATOS/D1.rdf"}));

  const LauncherRun other_case = run_launcher_on("\n6\nd1\n", [](fake::Console& c) { c.files[data + "D1.ddf"] = "x"; });
  EXPECT_EQ(other_case.method_commands().at(0), "DELFIDAT ¤§ /K/DATOS/d1.ddf");
}

TEST(DataSetMethods, EndOfInputAtTheRootPromptEndsTheProgram) {
  for (std::string module : {"4", "5", "6"}) {
    for (std::string typed : {"", "\n", "a.b\n"}) {
      const LauncherRun run = run_launcher_on("\n" + module + "\n" + typed);
      EXPECT_EQ(run.status, 0);
      EXPECT_TRUE(run.method_commands().empty()) << module << testing::PrintToString(typed);
    }
  }
}

}  // namespace
}  // namespace korvante
