// korvante.exe under Wine, on the pseudo-terminal: what only Windows has
// (batch files, names under its rules, exit codes for crashes and for the
// interrupt keys). Wine's console takes no Ctrl-Z from the pseudo-terminal, so
// the end of the input is a piped one here; the console's own end of input
// is tested on the line reader (tests/unit/utf16_input_test.cc).
#include <map>

#include "tests/e2e/launcher_fixture.h"

namespace korvante::e2e_support {
namespace {

// STATUS_CONTROL_C_EXIT (0xC000013A), as much of it as a Unix exit status
// keeps: wine64 ends with the program's exit code cut to 8 bits.
constexpr int interrupt_status = 0x3A;

class WindowsLauncher : public LauncherTest {
 protected:
  // `word` is the test program, in the mode KORVANTE_PROBE gives it.
  void install_probe(const std::string& word, const std::string& mode) {
    fs::remove(program(word));
    fs::copy_file(KORVANTE_PROBE_BIN, program(word));
    probe_mode = mode;
  }
  fs::path program(const std::string& word) const { return root / (word + ".EXE"); }

  ::e2e::LaunchOptions windows_options(const std::string& home = {}) const {
    ::e2e::LaunchOptions o = home.empty() ? options() : options_with_home(home);
    o.env.push_back("KORVANTE_PROBE=" + probe_mode);
    return o;
  }
  void start_piped(const std::string& typed, const std::string& home = {}) {
    ::e2e::LaunchOptions o = windows_options(home);
    o.stdin_from = ::e2e::LaunchOptions::Stdin::pipe;
    start(o);
    terminal->write_stdin(typed);
    terminal->close_stdin();
  }
  // A suite laid out in `folder` as SetUp lays out the one in `root`.
  void lay_out(const fs::path& folder) const {
    fs::create_directories(folder / "DATOS");
    for (std::string_view word : program_words) {
      fs::copy_file(KORVANTE_SUITE_BIN, folder / (std::string(word) + ".EXE"));
    }
  }
  // `word` as a batch file that hands its arguments on to the stand-in,
  // which lies in a folder of its own so that only the batch file is found.
  void batch_program(const fs::path& suite, const std::string& word) const {
    fs::create_directories(suite / "real");
    fs::copy_file(suite / (word + ".EXE"), suite / "real" / (word + ".EXE"));
    fs::remove(suite / (word + ".EXE"));
    std::ofstream(suite / (word + ".BAT")) << "@\"" << path_of(suite / "real" / (word + ".EXE")) << "\" %*\r\n";
  }
  // A program named CALC where cmd.exe would look for one: the current directory.
  void plant_calc() const { fs::copy_file(KORVANTE_SUITE_BIN, base / "CALC.EXE"); }

  std::string probe_mode;
};

// A session piped into the launcher, and what must come of it: the end
// with status 0, the programs' recorded words, texts on the final screen.
struct SessionCase {
  std::string name;
  std::string typed;
  // Program word -> what lies in its place: "" nothing, "folder", "garbage",
  // "batch" (a batch file handing on to the stand-in), or a probe mode.
  std::map<std::string, std::string> programs = {};
  Records records = {};  // "{tag}", "{data}", "{root}" stand for this run's values
  std::vector<std::string> on_screen = {};
  std::vector<std::string> not_on_screen = {};
};

void PrintTo(const SessionCase& c, std::ostream* os) { *os << c.name; }

class WindowsSessions : public WindowsLauncher, public ::testing::WithParamInterface<SessionCase> {};

TEST_P(WindowsSessions, EndWithStatusZeroHavingRunWhatWasChosen) {
  const SessionCase& c = GetParam();
  for (const auto& [word, what] : c.programs) {
    if (what == "batch") {
      batch_program(root, word);
      continue;
    }
    fs::remove(program(word));
    if (what == "folder") {
      fs::create_directories(program(word));
    } else if (what == "garbage") {
      std::ofstream(program(word)) << "MZ? no es un programa";
    } else if (!what.empty()) {
      install_probe(word, what);
    }
  }
  plant_calc();
  start_piped(c.typed);
  expect_session_end(c.records, c.on_screen, c.not_on_screen);
}

Records acob(const std::string& root) {
  return {{"ACOBDAT", "{tag}", "{data}", root}, {"ACOBMAT", "{tag}", "{data}", root + ".dta", root + ".rsa"}};
}
const Records abaco = {{"ABACO", "{tag}", "{root}", "{data}"}};

// Each root once, at the actors-objectives prompt: every word reaches the
// programs exactly, as Windows' rules for names let them be typed.
SessionCase hostile_roots() {
  SessionCase c{"HostileRootsReachTheProgramsExactly", "", {}, {}, {}, {}};
  for (const std::string root : {"a&b", "^x", "!x!", "%PATH%", "(x)", ";x", "ñandú", "'x'", "a,b=c", "100%"}) {
    c.typed += "\n4\n" + root + "\n";
    for (const TraceRecord& record : acob(root)) c.records.push_back(record);
  }
  c.typed += "\n0\n";
  return c;
}

const SessionCase session_cases[] = {
    // The input ends at each prompt.
    {"EndAtPause", "", {}, {}, {"Para continuar"}},
    {"EndAtMenu", "\n", {}, {}, {"Módulo :"}},
    {"EndAtActorsObjectivesRoot", "\n4\n", {}, {}, {"(digite solo la raíz) :"}},
    {"EndAtImportanceGovernabilityRoot", "\n5\n", {}, {}, {"(digite solo la raiz) :"}},
    {"EndAtDelphiRoot", "\n6\n", {}, {}, {"Nombre del archivo para los datos"}},
    {"EndAtNoEncuentroWait", "\n2\n", {{"AEDAT", "exit 0"}}, {}, {"No encuentro <{data}AEINFO.TMP>"}},
    {"EndAtSubmenu", "\n3\n", {}, {}, {"SMIC para el promedio"}},
    {"EndAtExpertCode", "\n3\n2\n", {}, {}, {"Clave del experto :"}},
    {"EndAfterAMethod", "\n1\n", {}, abaco, {"ABACO: ábaco de Régnier"}},
    {"ControlZEndsThePipedInput", "\n1\x1a\n0\n", {}, abaco},
    // Names Windows cannot take as file names, or that name its devices,
    // are asked for again and never reach a program.
    {"WindowsNamesAreAskedForAgain", "\n4\nCON\nnul.txt\nCOM1\na:b\na*b\na?b\na<b\na>b\na\\b\nR\n", {}, acob("R")},
    // A batch file gets every word it can be given exactly; those payloads
    // that cmd.exe would read are refused at the prompt, and no CALC runs.
    {"BatchFilePayloadsStartNothingElse", "\n4\n\"&calc.exe\n%CMDCMDLINE:~-1%&calc.exe\nR&calc\n",
     {{"ACOBDAT", "batch"}}, acob("R&calc"), {"Archivo de resultados : {data}R&calc.rsa"}},
    {"APercentSignNeverReachesABatchFile", "\n4\n100%\n", {{"ACOBDAT", "batch"}},
     {{"ACOBMAT", "{tag}", "{data}", "100%.dta", "100%.rsa"}},
     {"ACOBDAT: no se puede iniciar: el argumento 3 contiene «%»"},
     {"Archivo de resultados"}},
    // Programs that cannot run, or crash: named, and no result claimed.
    {"MissingProgramInASequence", "\n4\nR\n", {{"ACOBMAT", ""}}, {acob("R")[0]},
     {"ACOBMAT: no se encuentra el programa"}, {"Archivo de resultados"}},
    {"ACrashIsNamedWithItsCode", "\n1\n", {{"ABACO", "crash"}}, {}, {"ABACO: terminó de forma anormal (0xC0000005)"}},
    {"AMissingLibraryIsNamed", "\n5\nR\n", {{"IGODAT", "exit 0xC0000135"}},
     {{"IGOCAL", "{tag}", "{data}", "R.dti", "R.rsi", "R.tmp"}, {"IGOGRA", "{tag}", "{data}", "R.tmp", "R.rgi"}},
     {"IGODAT: no se puede iniciar: falta una biblioteca (DLL) que pide"}, {"Archivo de graficos"}},
    {"AProgramsOwnExitCodeIsItsOwn", "\n1\n", {{"ABACO", "exit 0xFFFFFFFF"}}, {}, {}, {"ABACO:"}},
    {"FolderNamedLikeAProgram", "\n1\n", {{"ABACO", "folder"}}, {}, {"ABACO: no se puede iniciar: {root}ABACO."}},
    {"AFileThatIsNoProgram", "\n1\n", {{"ABACO", "garbage"}}, {},
     {"ABACO: no se puede iniciar: no es un ejecutable que el sistema reconozca"}},
    hostile_roots(),
};

INSTANTIATE_TEST_SUITE_P(Windows, WindowsSessions, ::testing::ValuesIn(session_cases),
                         [](const ::testing::TestParamInfo<SessionCase>& info) { return info.param.name; });

TEST_F(WindowsLauncher, HostileSuiteRootsReachTheProgramsAsOneWordEach) {
  for (const std::string name : {"K&calc.exe", "K%PATH%", "K^x!y!", "K(x);y,z=w", "Kñandú'"}) {
    const fs::path suite = base / name;
    lay_out(suite);
    start_piped("\n1\n\n0\n", path_of(suite));
    expect_exit_status(0);
    const std::string folder = path_of(suite) + "\\";
    EXPECT_EQ(records(), (Records{{"ABACO", tag, folder, folder + "DATOS\\"}})) << name;
    fs::remove(base / "trace");
  }
}

TEST_F(WindowsLauncher, ABatchFileInAHostileSuiteRoot) {
  plant_calc();
  // "&" reaches the batch file as text; "%" cannot reach it at all.
  const struct {
    std::string name;
    bool runs;
  } cases[] = {{"K&calc", true}, {"K%PATH%", false}};
  for (const auto& c : cases) {
    const fs::path suite = base / c.name;
    lay_out(suite);
    batch_program(suite, "ACOBDAT");
    start_piped("\n4\nR\n", path_of(suite));
    expect_exit_status(0);
    const std::string data = path_of(suite) + "\\DATOS\\";
    const TraceRecord acobmat = {"ACOBMAT", tag, data, "R.dta", "R.rsa"};
    if (c.runs) {
      EXPECT_EQ(records(), (Records{{"ACOBDAT", tag, data, "R"}, acobmat})) << c.name;
    } else {
      EXPECT_EQ(records(), Records{acobmat}) << c.name;
      EXPECT_TRUE(on_screen("ACOBDAT: no se puede iniciar: el nombre del programa contiene «%»"))
          << terminal->screen_text();
    }
    fs::remove(base / "trace");
  }
}

TEST_F(WindowsLauncher, AnUnusableSuiteFolderIsShownAndTheMenuStillWorks) {
  std::ofstream(base / "archivo") << "x";
  for (const auto& [name, reason] : {std::pair<std::string, std::string>{"no-existe", "no existe"},
                                     std::pair<std::string, std::string>{"archivo", "no es una carpeta"}}) {
    start(windows_options(path_of(base / name)));
    expect_pause();
    EXPECT_TRUE(on_screen("La carpeta de la suite <" + path_of(base / name) + "> " + reason +
                          "; la elige KORVANTE_HOME."))
        << terminal->screen_text();
    terminal->type("\r0\r");
    expect_exit_status(0);
  }
}

TEST_F(WindowsLauncher, ASuiteRootWithABlankIsRefusedBeforeAnythingRuns) {
  lay_out(base / "mi suite");
  start(windows_options(path_of(base / "mi suite")));
  expect_exit_status(2);
  EXPECT_TRUE(on_screen("korvante: KORVANTE_HOME da la carpeta de la suite «" + path_of(base / "mi suite") +
                        "», que contiene un blanco"))
      << terminal->screen_text();
  EXPECT_TRUE(records().empty());
}

TEST_F(WindowsLauncher, AProgramLeavingTheConsoleRawDoesNotBreakTheNextPrompt) {
  install_probe("ABACO", "leaves-console-raw");
  start(windows_options());
  expect_pause();
  terminal->type("\r1\r");
  expect_screen_with("crudo");
  expect_pause();
  // Without line input Enter would never end the line.
  terminal->type("\r");
  expect_menu();
  // Without echo the typing would not show.
  terminal->type("xyz");
  ASSERT_TRUE(terminal->wait_until([&] { return terminal->row_text(25).ends_with("Módulo : xyz"); }))
      << terminal->screen_text();
  terminal->type("\r0\r");
  expect_exit_status(0);
}

// The interrupt keys. Typed Ctrl-C reaches the console's handler routines
// through Wine's console; Wine's own default action for a program that has
// none ends it with status 0 (Windows': STATUS_CONTROL_C_EXIT), so the
// programs here end as Windows would end them, by a routine of their own.
TEST_F(WindowsLauncher, CtrlCAtTheLaunchersOwnPromptEndsItAtOnce) {
  start(windows_options());
  expect_pause();
  terminal->type("\r");
  expect_menu();
  terminal->type("\x03");
  expect_exit_status(interrupt_status);
}

TEST_F(WindowsLauncher, CtrlCEndingTheProgramEndsTheLauncher) {
  for (const std::string mode : {"waits-for-interrupt", "sends-interrupt"}) {
    install_probe("ABACO", mode);
    start(windows_options());
    expect_pause();
    terminal->type("\r1\r");
    if (mode == "waits-for-interrupt") {
      expect_screen_with("esperando");
      terminal->type("\x03");
    }
    const auto exit = terminal->wait_exit(10s);
    ASSERT_TRUE(exit) << mode << ": the launcher is still waiting\n" << terminal->screen_text();
    EXPECT_EQ(exit->code, interrupt_status) << mode;
  }
}

TEST_F(WindowsLauncher, CtrlCCaughtByAProgramLeavesTheLauncherWaitingForIt) {
  install_probe("ABACO", "catches-interrupt");
  start(windows_options());
  expect_pause();
  terminal->type("\r1\r");
  expect_screen_with("listo");
  terminal->type("\x03");
  terminal->settle();
  terminal->type("sigo\r");
  expect_screen_with("leido sigo");
  EXPECT_TRUE(on_screen("atrapado")) << terminal->screen_text();
  expect_pause();
  terminal->type("\r0\r");
  expect_exit_status(0);
}

TEST_F(WindowsLauncher, CtrlCAtThePausePromptFromAnotherProgramEndsTheLauncher) {
  // ABACO leaves a program behind that sends Ctrl-C to the console a while
  // later, when the launcher waits at its pause prompt.
  install_probe("ABACO", "interrupt-later");
  start(windows_options());
  expect_pause();
  terminal->type("\r1\r");
  expect_pause();
  const auto exit = terminal->wait_exit(10s);
  ASSERT_TRUE(exit) << terminal->screen_text();
  EXPECT_EQ(exit->code, interrupt_status);
}

}  // namespace
}  // namespace korvante::e2e_support
