// Faults the launcher must survive: input that ends anywhere, hostile
// bytes, programs that are missing, crash or misbehave, odd information
// files, a closed output and odd terminal sizes. Each row is a scripted
// session piped into the real launcher on a pseudo-terminal, and what must
// come of it: the end with status 0, the programs' recorded lines, the
// texts on the final screen and those that must not be there.
#include <fcntl.h>
#include <signal.h>

#include <map>

#include "tests/e2e/launcher_fixture.h"

namespace korvante::e2e_support {
namespace {

struct FaultCase {
  std::string name;
  std::string typed;                          // piped in, then the input ends
  std::map<std::string, std::string> scripts = {};  // program word -> shell body ("" removes the program)
  Records records = {};                       // "{tag}", "{data}", "{root}", "{base}" stand for this run's values
  std::vector<std::string> on_screen = {};    // each on the final screen, with those stand-ins
  std::vector<std::string> not_on_screen = {};
  std::string prepare = {};                   // a shell command run before the launcher starts
  std::string marks = {};                     // what the scripts leave in {base}/marks, when given
  int rows = 25, cols = 80;
  bool closed_stdout = false;
  bool exec_fails = false;  // valgrind dies of an exec that fails, and cannot run the row
};

void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class FaultTable : public LauncherTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(FaultTable, EndsWithStatusZeroHavingRunWhatWasChosen) {
  const FaultCase& c = GetParam();
  if (c.exec_fails && under_valgrind()) GTEST_SKIP() << "valgrind cannot follow an exec that fails";
  for (const auto& [word, body] : c.scripts) {
    if (body.empty()) {
      fs::remove(root / word);
    } else {
      replace_program(word, expand(body));
    }
  }
  if (!c.prepare.empty()) {
    ASSERT_EQ(std::system(expand(c.prepare).c_str()), 0) << c.prepare;
  }
  ::e2e::LaunchOptions o = options(c.rows, c.cols);
  o.stdin_from = ::e2e::LaunchOptions::Stdin::pipe;
  o.stdout_closed_pipe = c.closed_stdout;
  start(o);
  terminal->write_stdin(c.typed);
  terminal->close_stdin();
  expect_session_end(c.records, c.on_screen, c.not_on_screen);
  if (!c.marks.empty()) {
    std::ifstream in(base / "marks");
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), {}), c.marks);
  }
}

const std::string long_line(100000, 'x');

// An AEDAT that leaves `what` in the information file's place.
std::map<std::string, std::string> aedat_leaves(const std::string& command) {
  return {{"AEDAT", command}};
}

Records analysis_records(const std::string& name) {
  const std::string rse = name + ".rse";
  return {{"aemat", "{tag}", "{data}", name + ".dte", rse},    {"aegraf", "{tag}", "{data}", "ae.mdd", rse},
          {"aeproy", "{tag}", "{data}", "ae.mdd", rse},        {"aegraf", "{tag}", "{data}", "ae.mdi", rse},
          {"aeproy", "{tag}", "{data}", "ae.mdi", rse},        {"aegraf", "{tag}", "{data}", "ae.mm", rse}};
}

const Records acob_r = {{"ACOBDAT", "{tag}", "{data}", "R"}, {"ACOBMAT", "{tag}", "{data}", "R.dta", "R.rsa"}};
const Records abaco = {{"ABACO", "{tag}", "{root}", "{data}"}};

// A script that leaves a mark, then ends by `signal`.
std::string marks_then_dies_of(const std::string& signal) { return "echo cayendo >> {base}/marks; kill -" + signal + " $$"; }

const FaultCase fault_cases[] = {
    // The input ends at each prompt.
    {"EndAtPause", "", {}, {}, {"Para continuar"}},
    {"EndAtMenu", "\n", {}, {}, {"Módulo :"}},
    {"EndAtActorsObjectivesRoot", "\n4\n", {}, {}, {"(digite solo la raíz) :"}},
    {"EndAtImportanceGovernabilityRoot", "\n5\n", {}, {}, {"(digite solo la raiz) :"}},
    {"EndAtDelphiRoot", "\n6\n", {}, {}, {"Nombre del archivo para los datos"}},
    {"EndAtNoEncuentroWait", "\n2\n", aedat_leaves("exit 0"), {}, {"No encuentro <{data}AEINFO.TMP>"}},
    {"EndAtSubmenu", "\n3\n", {}, {}, {"SMIC para el promedio"}},
    {"EndAtExpertCode", "\n3\n2\n", {}, {}, {"Clave del experto :"}},
    {"EndAfterAMethod", "\n1\n", {}, abaco, {"ABACO: ábaco de Régnier"}},
    // Hostile bytes.
    {"LongLineAtMenu", "\n" + long_line + "\n1\n", {}, abaco},
    {"LongLineAtPause", long_line + "\n1\n", {}, abaco},
    {"LongRootAskedAgain", "\n4\n" + long_line + "\nR\n", {}, acob_r},
    {"LongExpertCodeAskedAgain", "\n3\n2\n" + long_line + "\nE\n0\n", {}, {{"SMICEXP", "{tag}", "{data}", "SMICINFO.EST", "E.DTS", "E.RSS", "E.RSP"}}},
    {"NulEndsTheText", std::string("\n1\0ABACO\n\n4\nR\0S\n", 16), {}, {abaco[0], acob_r[0], acob_r[1]}},
    {"InvalidUtf8Root", "\n5\n\xff\xfe\xc3\n", {}, {{"IGODAT", "{tag}", "{data}", "\xff\xfe\xc3"}, {"IGOCAL", "{tag}", "{data}", "\xff\xfe\xc3.dti", "\xff\xfe\xc3.rsi", "\xff\xfe\xc3.tmp"}, {"IGOGRA", "{tag}", "{data}", "\xff\xfe\xc3.tmp", "\xff\xfe\xc3.rgi"}}},
    {"SubstituteByteEndsTheInput", "\n1\x1a\n0\n", {}, abaco},
    {"ShellMetacharactersReachTheProgramVerbatim", "\n4\n;rm|*$(x)'\"\\&>o`\n", {},
     {{"ACOBDAT", "{tag}", "{data}", ";rm|*$(x)'\"\\&>o`"}, {"ACOBMAT", "{tag}", "{data}", ";rm|*$(x)'\"\\&>o`.dta", ";rm|*$(x)'\"\\&>o`.rsa"}}},
    // Names that would split into other words, leave the data folder or
    // reach the terminal raw never reach a program.
    {"RootsThatWouldSplitOrLeaveAreAskedAgain", "\n4\nmi estudio\n../../x\n \nR\n", {}, acob_r},
    {"RootWithAnEscapeSequenceIsAskedAgain", "\n4\n\x1b]0;x\x07\na\xc2\x9b" "2J\nR\n", {}, acob_r},
    {"ExpertCodesThatWouldSplitOrLeaveAreAskedAgain", "\n3\n2\na b\n../../x\n\x1b[2J\nE\n0\n", {},
     {{"SMICEXP", "{tag}", "{data}", "SMICINFO.EST", "E.DTS", "E.RSS", "E.RSP"}}},
    // Programs that are missing or cannot start: named, the sequence goes
    // on, and no result is claimed.
    {"MissingProgramInASequence", "\n4\nR\n", {{"ACOBMAT", ""}}, {acob_r[0]},
     {"ACOBMAT: no se encuentra el programa"}, {"Archivo de resultados"}},
    {"MissingFirstProgramOfASequence", "\n5\nR\n", {{"IGODAT", ""}},
     {{"IGOCAL", "{tag}", "{data}", "R.dti", "R.rsi", "R.tmp"}, {"IGOGRA", "{tag}", "{data}", "R.tmp", "R.rgi"}},
     {"IGODAT: no se encuentra el programa"}, {"Archivo de resultados", "Archivo de graficos"}},
    {"MissingAbaco", "\n1\n", {{"ABACO", ""}}, {}, {"ABACO: no se encuentra el programa"}},
    {"MissingDocumentation", "\n10\n", {{"DOC", ""}}, {}, {"DOC: no se encuentra el programa"}},
    {"ProgramWithoutTheRightToRun", "\n1\n", {}, {}, {"ABACO: no se puede iniciar: {root}ABACO no tiene permiso de"},
     {}, "rm {root}ABACO && printf '#!/bin/sh\\n' > {root}ABACO"},
    {"ProgramWithoutItsInterpreter", "\n1\n", {{"ABACO", ""}}, {},
     {"ABACO: no se puede iniciar: falta el intérprete o el cargador que pide"}, {},
     "printf '#!/no/existe/sh\\n' > {root}ABACO && chmod +x {root}ABACO", "", 25, 80, false, true},
    {"FolderNamedLikeAProgram", "\n1\n", {{"ABACO", ""}}, {}, {"ABACO: no se puede iniciar: {root}ABACO es una carpeta"},
     {}, "mkdir {root}ABACO"},
    {"ProgramKilledBySignal", "\n1\n\n1\n", {{"ABACO", marks_then_dies_of("SEGV")}}, {},
     {"ABACO: terminó por la señal 11"}, {}, "", "cayendo\ncayendo\n"},
    {"ProgramKilledInASequence", "\n6\nR\n",
     {{"DELFIDAT", marks_then_dies_of("SEGV")}},
     {{"DELFICV", "{tag}", "{data}R.ddf", "{data}R.rdf"}},
     {"DELFIDAT: terminó por la señal 11"}, {"Archivo de datos", "Archivo de reultados"}, "", "cayendo\n"},
    // Odd information files: never a hang, never a crash, never a name
    // that cannot be a file name.
    {"InformationFileIsAFifo", "\n2\n\n", aedat_leaves("mkfifo \"$2aeinfo.tmp\""), {}, {"No encuentro"}},
    {"InformationFileIsAFolder", "\n2\n\n", aedat_leaves("mkdir \"$2aeinfo.tmp\""), {}, {"No encuentro"}},
    {"InformationFileIsBinary", "\n2\n\n", aedat_leaves("printf '\\001\\377BIN\\000zz\\n' > \"$2AEINFO.TMP\""), {},
     {"Nombre de estudio no válido en <{data}AEINFO.TMP>: «\\x01"}},
    {"InformationFileOfOneGibibyte", "\n2\n\n", aedat_leaves("truncate -s 1G \"$2aeinfo.tmp\""), {},
     {"Nombre de estudio no válido en <{data}aeinfo.tmp>: el nombre está vacío"}},
    {"InformationFileWithoutLineEnd", "\n2\n", aedat_leaves("head -c 3000000 /dev/zero | tr '\\0' 'n' > \"$2aeinfo.tmp\""),
     analysis_records(std::string(49, 'n')), {"Archivo de resultados : {data}nnnnnnnnn"}},
    {"StaleInformationFileInAnotherCase", "\n2\n", aedat_leaves("printf 'NUEVO\\n' > \"$2$3\""),
     analysis_records("NUEVO"), {"Archivo de resultados : {data}NUEVO.rse"}, {"VIEJO"},
     "printf 'VIEJO\\n' > {data}AEINFO.TMP"},
    // A closed output and odd terminals.
    {"ClosedStandardOutput", "\n1\n\n10\n\n0\n", {}, {abaco[0], {"DOC"}}, {}, {}, "", "", 25, 80, true},
    {"TinyTerminal", "\n1\n\n0\n", {}, abaco, {}, {}, "", "", 10, 20},
    {"HugeTerminal", "\n1\n", {}, abaco, {"ABACO: "}, {}, "", "", 100, 300},
};

INSTANTIATE_TEST_SUITE_P(Faults, FaultTable, ::testing::ValuesIn(fault_cases),
                         [](const ::testing::TestParamInfo<FaultCase>& info) { return info.param.name; });

TEST_F(LauncherTest, ProgramLeavingTheTerminalRawDoesNotBreakTheNextPrompt) {
  replace_program("ABACO", "stty raw -echo; echo crudo");
  start();
  expect_pause();
  terminal->type("\r1\r");
  expect_screen_with("crudo");
  expect_pause();
  // In raw mode Enter would stay a carriage return and the line would never end.
  terminal->type("\r");
  expect_menu();
  terminal->type("0\r");
  expect_exit_status(0);
}

TEST_F(LauncherTest, AProgramLeavingTheTerminalNonBlockingDoesNotEndTheLauncher) {
  // ABACO leaves the terminal's input non-blocking; DOC then tells how the
  // flags of its standard input stand.
  replace_program("ABACO", "perl -MFcntl -e 'fcntl(STDIN, F_SETFL, O_NONBLOCK) or die'; echo sin bloqueo");
  replace_program("DOC", "grep '^flags' /proc/self/fdinfo/0 > " + (base / "flags").string());
  start();
  expect_pause();
  terminal->type("\r1\r");
  expect_screen_with("sin bloqueo");
  expect_pause();
  // A read that took EAGAIN for the end of the input would end the launcher here.
  terminal->type("\r");
  expect_menu();
  terminal->type("10\r");
  expect_pause();
  std::ifstream in(base / "flags");
  std::string key, octal;
  ASSERT_TRUE(in >> key >> octal);
  EXPECT_EQ(std::stoul(octal, nullptr, 8) & O_NONBLOCK, 0u) << "the next program found the input non-blocking";
  terminal->type("\r0\r");
  expect_exit_status(0);
}

TEST_F(LauncherTest, ANonBlockingTerminalIsWaitedOnNotTakenForTheEnd) {
  // Started with its input non-blocking, as a program before it may have
  // left the terminal: every read finds nothing yet, and must wait.
  ::e2e::LaunchOptions o = options();
  o.argv.insert(o.argv.begin(), {"/usr/bin/perl", "-MFcntl", "-e",
                                 "fcntl(STDIN, F_SETFL, O_NONBLOCK) or die; exec @ARGV or die", "--"});
  start(o);
  expect_pause();
  terminal->type("\r");
  expect_menu();
  terminal->type("1\r");
  expect_screen_with("ABACO: ábaco de Régnier");
  expect_pause();
  terminal->type("\r0\r");
  expect_exit_status(0);
  EXPECT_EQ(records(), (Records{{"ABACO", tag, root_slash(), data()}}));
}

TEST_F(LauncherTest, ProgramsStartWithDefaultSignalsAndNoneBlocked) {
  replace_program("ABACO", "grep -E '^Sig(Blk|Ign)' /proc/self/status > " + (base / "signals").string());
  start();
  expect_pause();
  terminal->type("\r1\r");
  expect_pause();
  std::ifstream in(base / "signals");
  // The C library's own signals between 31 and SIGRTMIN are left ignored
  // by posix_spawn in every child, and no program may use them as its own.
  unsigned long long library_own = 0;
  for (int signal_number = 32; signal_number < SIGRTMIN; ++signal_number) library_own |= 1ull << (signal_number - 1);
  std::map<std::string, unsigned long long> masks;
  for (std::string key, hex; in >> key >> hex;) masks[key] = std::stoull(hex, nullptr, 16) & ~library_own;
  EXPECT_EQ(masks, (std::map<std::string, unsigned long long>{{"SigBlk:", 0}, {"SigIgn:", 0}}))
      << "SIGPIPE, SIGINT and SIGQUIT at their default actions, nothing blocked";
}

TEST_F(LauncherTest, HugeTerminalKeepsThePositions) {
  start(100, 300);
  ASSERT_TRUE(terminal->wait_until([&] { return terminal->cursor() == std::make_pair(80, 25); }));
  terminal->settle();
  EXPECT_EQ(terminal->row_text(25), std::string(46, ' ') + pause_text.substr(0, pause_text.size() - 1));
  terminal->type("\r");
  ASSERT_TRUE(terminal->wait_for_text("Módulo :"));
  terminal->settle();
  EXPECT_EQ(terminal->cursor(), std::make_pair(30, 26)) << "no scrolling on a tall terminal";
  EXPECT_EQ(terminal->row_text(3), std::string(26, ' ') + "KORVANTE - PROSPECTIVA ESTRATEGICA");
}

// The open descriptors of process `pid` and whether each is close-on-exec.
std::map<int, bool> descriptors_of(pid_t pid) {
  std::map<int, bool> fds;
  const fs::path proc = "/proc/" + std::to_string(pid);
  for (const auto& entry : fs::directory_iterator(proc / "fd")) {
    const int fd = std::stoi(entry.path().filename().string());
    std::ifstream info(proc / "fdinfo" / entry.path().filename());
    std::string key, flags;
    while (info >> key >> flags && key != "flags:") {}
    fds[fd] = (std::stoul(flags, nullptr, 8) & O_CLOEXEC) != 0;
  }
  return fds;
}

TEST_F(LauncherTest, ProgramsSeeOnlyTheirThreeStandardStreams) {
  if (under_valgrind()) GTEST_SKIP() << "valgrind hands descriptors of its own to the programs";
  replace_program("ABACO", "echo esperando; exec sleep 30");
  start();
  expect_pause();
  // The Delphi data file is opened and closed on the way; then a program waits.
  terminal->type("\r6\rD\r");
  expect_pause();
  terminal->type("\r1\r");
  expect_screen_with("esperando");
  for (const auto& [fd, close_on_exec] : descriptors_of(terminal->pid())) {
    if (fd > 2) {
      EXPECT_TRUE(close_on_exec) << "the launcher's descriptor " << fd << " would reach a program";
    }
  }
  std::ifstream children("/proc/" + std::to_string(terminal->pid()) + "/task/" +
                         std::to_string(terminal->pid()) + "/children");
  pid_t program = 0;
  ASSERT_TRUE(children >> program);
  std::vector<int> program_fds;
  for (const auto& [fd, close_on_exec] : descriptors_of(program)) program_fds.push_back(fd);
  EXPECT_EQ(program_fds, (std::vector<int>{0, 1, 2}));
}

}  // namespace
}  // namespace korvante::e2e_support
