#include <gtest/gtest.h>

#include "tests/dialogue/dialogue_test_support.h"

namespace korvante {
namespace {

using namespace testing_support;
using Lines = std::vector<std::string>;

const std::string acob_prompt = "{clear}\n\n\n\tArchivo de datos (digite solo la raíz) : ";
const std::string igo_prompt = "{clear}\n\n\n\tArchivo de datos (digite solo la raiz) : ";
const std::string delfi_prompt = "{clear}\n\n\n  Nombre del archivo para los datos (digite solo la raiz) : ";

const Lines acob_lines = {"ACOBDAT ¤§ /K/DATOS/ R", "ACOBMAT ¤§ /K/DATOS/ R.dta R.rsa"};
const Lines igo_lines = {"IGODAT ¤§ /K/DATOS/ R", "IGOCAL ¤§ /K/DATOS/ R.dti R.rsi R.tmp",
                         "IGOGRA ¤§ /K/DATOS/ R.tmp R.rgi"};
const Lines delfi_lines = {"DELFIDAT ¤§ /K/DATOS/R.ddf", "DELFICV ¤§ /K/DATOS/R.ddf /K/DATOS/R.rdf"};

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
                "{move 12,12}Archivo de resultados : /K/DATOS/ENC1.rsa\n" +
                pause_prompt);
}

TEST(DataSetMethods, ImportanceGovernabilityMessagesOnAClearedScreen) {
  const LauncherRun run = run_launcher_on("\n5\nenc1\n");
  const std::string t = from_selection(run);
  EXPECT_EQ(t.substr(t.find("{run IGOGRA")),
            "{run IGOGRA ¤§ /K/DATOS/ enc1.tmp enc1.rgi}{clear}"
            "{move 12,12}Archivo de resultados : /K/DATOS/enc1.rsi\n"
            "{move 12,14}Archivo de graficos   : /K/DATOS/enc1.rgi\n" +
                pause_prompt);
  EXPECT_EQ(t.substr(0, igo_prompt.size()), igo_prompt);
}

TEST(DataSetMethods, ResultMessagesNameTheFilesAsTheyLieOnDisk) {
  const struct {
    std::string module;
    std::vector<std::string> on_disk;  // in the data folder after the programs
    std::string message;
  } cases[] = {
      {"4", {}, "{move 12,12}Archivo de resultados : /K/DATOS/R.rsa\n"},
      {"4", {"R.RSA"}, "{move 12,12}Archivo de resultados : /K/DATOS/R.RSA\n"},
      {"4", {"R.RSA", "R.rsa"}, "{move 12,12}Archivo de resultados : /K/DATOS/R.rsa\n"},
      {"4", {"r.rsa"}, "{move 12,12}Archivo de resultados : /K/DATOS/r.rsa\n"},
      {"5", {"R.Rsi", "R.RGI"},
       "{clear}{move 12,12}Archivo de resultados : /K/DATOS/R.Rsi\n"
       "{move 12,14}Archivo de graficos   : /K/DATOS/R.RGI\n"},
  };
  for (const auto& c : cases) {
    const LauncherRun run = run_launcher_on("\n" + c.module + "\nR\n", [&](fake::Console& console) {
      for (const std::string& name : c.on_disk) console.files[data + name] = "x";
    });
    EXPECT_EQ(after_last_command(run), c.message + pause_prompt) << c.on_disk.size();
  }
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
  const std::string refused[] = {
      "",
      "ENC1.dta",
      ".",
      std::string(20, 'r'),
      "ñandúñandúñandúñandú",  // 20 characters
      "mi estudio",            // would reach the programs as two words
      "   ",
      " lead",
      "../../x",               // would leave the data folder
      "a/b",
      "a\tb",                  // control characters would reach the terminal
      "a\x1b[2Jb",
      "\x7f",
      "a\xc2\x9b" "31mb",      // CSI of the C1 range, in UTF-8
      "a\xc2\x85",
  };
  for (const std::string& root : refused) {
    const LauncherRun run = run_launcher_on("\n4\n" + root + "\nok\n");
    EXPECT_EQ(run.method_commands().at(0), "ACOBDAT ¤§ /K/DATOS/ ok") << testing::PrintToString(root);
    EXPECT_EQ(from_selection(run).substr(0, 6 + 2 * acob_prompt.size()), " en 4\n" + acob_prompt + acob_prompt)
        << testing::PrintToString(root);
  }
}

TEST(DataSetMethods, AcceptedRootsReachTheProgramsByteForByte) {
  const std::string accepted[] = {
      "enc1",
      "ENC1",
      std::string(19, 'r'),
      "ñandúñandúñandúñand",    // 19 characters, 23 bytes
      R"(a;b|c$(x)'"\z*?&>)",   // no shell reads them
      "\xff\xfe\xc3",            // not UTF-8: one character each
      "a\xc2\xa0" "b",           // a no-break space is no blank
  };
  for (const std::string& root : accepted) {
    const LauncherRun run = run_launcher_on("\n5\n" + root + "\n");
    ASSERT_FALSE(run.method_commands().empty()) << testing::PrintToString(root);
    EXPECT_EQ(run.method_commands()[0], "IGODAT ¤§ /K/DATOS/ " + root) << testing::PrintToString(root);
  }
}

TEST(DataSetMethods, OnWindowsTheFoldersAndTheNamesFollowItsRules) {
  const Suite windows = windows_suite("\\K");
  const LauncherRun run = run_launcher_on("\n4\nENC1\n", [](fake::Console&) {}, windows);
  EXPECT_EQ(run.method_commands(),
            (Lines{"ACOBDAT ¤§ \\K\\DATOS\\ ENC1", "ACOBMAT ¤§ \\K\\DATOS\\ ENC1.dta ENC1.rsa"}));
  EXPECT_EQ(run.console.commands.at(0), "cd \\K");
  // Refused on Windows only: its reserved characters and device names, and
  // bytes that no Windows name can hold; then the same as everywhere.
  for (const std::string root : {"a:b", "a\\b", "CON", "nul", "COM1", "\"&calc.exe", "\xff\xfe", "a b"}) {
    const LauncherRun refused = run_launcher_on("\n6\n" + root + "\nok\n", [](fake::Console&) {}, windows);
    EXPECT_EQ(refused.method_commands().at(0), "DELFIDAT ¤§ \\K\\DATOS\\ok.ddf") << testing::PrintToString(root);
  }
}

TEST(DataSetMethods, DelphiRunsByWhatLiesAtTheDataFile) {
  const std::string data_file = data + "R.ddf";
  const std::string refusal = "{clear}{move 12,12}No puedo usar el archivo de datos </K/DATOS/R.ddf>: ";
  const struct {
    std::function<void(fake::Console&)> setup;
    Lines lines;
    std::string after;  // the screen after the root was typed
  } cases[] = {
      {[](fake::Console&) {}, delfi_lines, ""},
      {[&](fake::Console& c) { c.files[data_file] = "x"; }, {delfi_lines[1]}, ""},
      {[&](fake::Console& c) {
         c.files[data_file] = "x";
         c.unreadable.insert(data_file);
       },
       {}, refusal + "no se puede leer\n"},
      {[&](fake::Console& c) { c.kinds[data_file] = PathKind::folder; }, {}, refusal + "es una carpeta\n"},
      {[&](fake::Console& c) { c.kinds[data_file] = PathKind::not_a_file; }, {},
       refusal + "no es un archivo normal (es una FIFO, un dispositivo o un socket)\n"},
      {[&](fake::Console& c) { c.kinds[data_file] = PathKind::broken_link; }, {},
       refusal + "es un enlace simbólico a nada\n"},
      {[&](fake::Console& c) { c.kinds[data_file] = PathKind::unknown; }, {}, refusal + "no se puede examinar\n"},
  };
  for (const auto& c : cases) {
    const LauncherRun run = run_launcher_on("\n6\nR\n\n1\n", c.setup);
    // The main loop goes on after the method: ABACO is chosen next.
    Lines expected = c.lines;
    expected.push_back("ABACO ¤§ /K/ /K/DATOS/");
    EXPECT_EQ(run.method_commands(), expected) << c.after;
    if (!c.after.empty()) {
      const std::string t = from_selection(run);
      EXPECT_EQ(t.substr(delfi_prompt.size(), c.after.size() + pause_prompt.size()), c.after + pause_prompt);
    }
    EXPECT_EQ(run.console.open_files, 0);
  }
}

TEST(DataSetMethods, AFailedProgramIsNamedInPlaceOfTheResult) {
  const struct {
    std::string module;
    std::map<std::string, CommandResult> results;
    Lines lines;        // every program of the method runs all the same
    std::string after;  // after the last program, up to the pause
  } cases[] = {
      {"4", {{"ACOBDAT", not_found}}, acob_lines, "{move 12,12}ACOBDAT: no se encuentra el programa\n"},
      {"4", {{"ACOBMAT", killed_by(11)}}, acob_lines, "{move 12,12}ACOBMAT: terminó por la señal 11\n"},
      {"4", {{"ACOBDAT", cannot_start("permiso denegado")}, {"ACOBMAT", not_found}}, acob_lines,
       "{move 12,12}ACOBDAT: no se puede iniciar: permiso denegado\n"
       "{move 12,13}ACOBMAT: no se encuentra el programa\n"},
      // A program that ran is the program's business, whatever its status.
      {"4", {{"ACOBDAT", exits_with(3)}, {"ACOBMAT", exits_with(127)}}, acob_lines,
       "{move 12,12}Archivo de resultados : /K/DATOS/R.rsa\n"},
      {"5", {{"IGOCAL", not_found}}, igo_lines, "{clear}{move 12,12}IGOCAL: no se encuentra el programa\n"},
      {"5", {{"IGOGRA", killed_by(6)}}, igo_lines, "{clear}{move 12,12}IGOGRA: terminó por la señal 6\n"},
      {"6", {{"DELFIDAT", {RunOutcome::crashed, 0xC0000005u, ""}}}, delfi_lines,
       "{clear}{move 12,12}DELFIDAT: terminó de forma anormal (0xC0000005)\n"},
      {"6", {{"DELFICV", not_found}}, delfi_lines, "{clear}{move 12,12}DELFICV: no se encuentra el programa\n"},
  };
  for (const auto& c : cases) {
    const LauncherRun run = run_launcher_on("\n" + c.module + "\nR\n", programs_end(c.results));
    EXPECT_EQ(run.method_commands(), c.lines) << c.after;
    EXPECT_EQ(after_last_command(run), c.after + pause_prompt);
  }
}

TEST(DataSetMethods, EndOfInputAtTheRootPromptEndsTheProgram) {
  const std::pair<std::string, std::string> modules[] = {{"4", acob_prompt}, {"5", igo_prompt}, {"6", delfi_prompt}};
  for (const auto& [module, prompt] : modules) {
    for (std::string typed : {"", "\n", "a.b\n", "a b"}) {
      const LauncherRun run = run_launcher_on("\n" + module + "\n" + typed);
      EXPECT_TRUE(ended_at(run, prompt)) << module << testing::PrintToString(typed);
      EXPECT_TRUE(run.method_commands().empty()) << module << testing::PrintToString(typed);
    }
  }
}

}  // namespace
}  // namespace korvante
