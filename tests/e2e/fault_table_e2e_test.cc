// Faults the launcher must survive: input that ends anywhere, hostile
// bytes, programs that are missing, crash or misbehave, odd information
// files, a closed output and odd terminal sizes. Each row is a scripted
// session piped into the real launcher on a pseudo-terminal, and what must
// come of it: the end with status 0, the programs' recorded lines, and a
// text on the final screen.
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
  Records records = {};                       // "{tag}", "{data}", "{root}" stand for this run's values
  std::string on_screen = {};                 // also with those stand-ins; "" checks nothing
  int rows = 25, cols = 80;
  bool closed_stdout = false;
};

void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class FaultTable : public LauncherTest, public ::testing::WithParamInterface<FaultCase> {
 protected:
  std::string expand(std::string text) const {
    const std::pair<std::string, std::string> names[] = {
        {"{tag}", tag}, {"{data}", data()}, {"{root}", root_slash()}, {"{base}", base.string()}};
    for (const auto& [name, value] : names) {
      for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + value.size())) {
        text.replace(at, name.size(), value);
      }
    }
    return text;
  }
};

TEST_P(FaultTable, EndsWithStatusZeroHavingRunWhatWasChosen) {
  const FaultCase& c = GetParam();
  for (const auto& [word, body] : c.scripts) {
    if (body.empty()) {
      fs::remove(root / word);
    } else {
      replace_program(word, expand(body));
    }
  }
  ::e2e::LaunchOptions o = options(c.rows, c.cols);
  o.stdin_from = ::e2e::LaunchOptions::Stdin::pipe;
  o.stdout_closed_pipe = c.closed_stdout;
  start(o);
  terminal->write_stdin(c.typed);
  terminal->close_stdin();
  const auto exit = terminal->wait_exit(std::chrono::seconds(20));
  ASSERT_TRUE(exit) << "still running:\n" << terminal->screen_text();
  EXPECT_TRUE(exit->exited) << "ended by signal " << exit->signal;
  EXPECT_EQ(exit->code, 0);

  Records expected;
  for (const TraceRecord& record : c.records) {
    TraceRecord words;
    for (const std::string& word : record) words.push_back(expand(word));
    expected.push_back(words);
  }
  EXPECT_EQ(records(), expected);
  if (!c.on_screen.empty()) {
    EXPECT_NE(terminal->screen_text().find(expand(c.on_screen)), std::string::npos)
        << "\"" << expand(c.on_screen) << "\" not on\n" << terminal->screen_text();
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

const FaultCase fault_cases[] = {
    // The input ends at each prompt.
    {"EndAtPause", "", {}, {}},
    {"EndAtMenu", "\n", {}, {}},
    {"EndAtActorsObjectivesRoot", "\n4\n", {}, {}, "(digite solo la raíz) :"},
    {"EndAtImportanceGovernabilityRoot", "\n5\n", {}, {}, "(digite solo la raiz) :"},
    {"EndAtDelphiRoot", "\n6\n", {}, {}, "Nombre del archivo para los datos"},
    {"EndAtNoEncuentroWait", "\n2\n", aedat_leaves("exit 0"), {}, "No encuentro <{data}AEINFO.TMP>"},
    {"EndAtSubmenu", "\n3\n", {}, {}, "SMIC para el promedio"},
    {"EndAtExpertCode", "\n3\n2\n", {}, {}, "Clave del experto :"},
    {"EndAfterAMethod", "\n1\n", {}, {{"ABACO", "{tag}", "{root}", "{data}"}}},
    // Hostile bytes.
    {"LongLineAtMenu", "\n" + long_line + "\n1\n", {}, {{"ABACO", "{tag}", "{root}", "{data}"}}},
    {"LongLineAtPause", long_line + "\n1\n", {}, {{"ABACO", "{tag}", "{root}", "{data}"}}},
    {"LongRootAskedAgain", "\n4\n" + long_line + "\nR\n", {}, {{"ACOBDAT", "{tag}", "{data}", "R"}, {"ACOBMAT", "{tag}", "{data}", "R.dta", "R.rsa"}}},
    {"LongExpertCodeAskedAgain", "\n3\n2\n" + long_line + "\nE\n0\n", {}, {{"SMICEXP", "{tag}", "{data}", "SMICINFO.EST", "E.DTS", "E.RSS", "E.RSP"}}},
    {"NulEndsTheText", std::string("\n1\0ABACO\n\n4\nR\0S\n", 16), {}, {{"ABACO", "{tag}", "{root}", "{data}"}, {"ACOBDAT", "{tag}", "{data}", "R"}, {"ACOBMAT", "{tag}", "{data}", "R.dta", "R.rsa"}}},
    {"InvalidUtf8Root", "\n5\n\xff\xfe\xc3\n", {}, {{"IGODAT", "{tag}", "{data}", "\xff\xfe\xc3"}, {"IGOCAL", "{tag}", "{data}", "\xff\xfe\xc3.dti", "\xff\xfe\xc3.rsi", "\xff\xfe\xc3.tmp"}, {"IGOGRA", "{tag}", "{data}", "\xff\xfe\xc3.tmp", "\xff\xfe\xc3.rgi"}}},
    {"SubstituteByteEndsTheInput", "\n1\x1a\n0\n", {}, {{"ABACO", "{tag}", "{root}", "{data}"}}},
    {"ShellMetacharactersReachTheProgramVerbatim", "\n4\n;rm *|$(x)'\"\\&>o`\n", {},
     {{"ACOBDAT", "{tag}", "{data}", ";rm", "*|$(x)'\"\\&>o`"}, {"ACOBMAT", "{tag}", "{data}", ";rm", "*|$(x)'\"\\&>o`.dta", ";rm", "*|$(x)'\"\\&>o`.rsa"}}},
    // Programs that are missing or misbehave.
    {"MissingProgramWord", "\n4\nR\n", {{"ACOBMAT", ""}}, {{"ACOBDAT", "{tag}", "{data}", "R"}}, "ACOBMAT: command not found"},
    {"ProgramKilledBySignal", "\n1\n\n1\n", {{"ABACO", "echo cayendo >> {base}/marks; kill -SEGV $$"}}, {}, "Para continuar"},
    {"ProgramThatCannotStart", "\n1\n", {{"ABACO", ""}, {"DOC", ""}}, {}, "ABACO: command not found"},
    // Odd information files: never a hang, never a crash.
    {"InformationFileIsAFifo", "\n2\n\n", aedat_leaves("mkfifo \"$2aeinfo.tmp\""), {}, "No encuentro"},
    {"InformationFileIsAFolder", "\n2\n\n", aedat_leaves("mkdir \"$2aeinfo.tmp\""), {}, "No encuentro"},
    {"InformationFileIsBinary", "\n2\n", aedat_leaves("printf '\\001\\377BIN\\000zz\\n' > \"$2AEINFO.TMP\""),
     analysis_records("\x01\xff" "BIN"), "BIN.RSE"},
    {"InformationFileOfOneGibibyte", "\n2\n", aedat_leaves("truncate -s 1G \"$2aeinfo.tmp\""), analysis_records(""),
     "Archivo de resultados : {data}.RSE"},
    {"InformationFileWithoutLineEnd", "\n2\n", aedat_leaves("head -c 3000000 /dev/zero | tr '\\0' 'n' > \"$2aeinfo.tmp\""),
     analysis_records(std::string(49, 'n')), "Archivo de resultados : {data}nnnnnnnnn.RSE"},
    // A closed output and odd terminals.
    {"ClosedStandardOutput", "\n1\n\n10\n\n0\n", {}, {{"ABACO", "{tag}", "{root}", "{data}"}, {"DOC"}}, "", 25, 80, true},
    {"TinyTerminal", "\n1\n\n0\n", {}, {{"ABACO", "{tag}", "{root}", "{data}"}}, "", 10, 20},
    {"HugeTerminal", "\n1\n", {}, {{"ABACO", "{tag}", "{root}", "{data}"}}, "ABACO: ", 100, 300},
};

INSTANTIATE_TEST_SUITE_P(Faults, FaultTable, ::testing::ValuesIn(fault_cases),
                         [](const ::testing::TestParamInfo<FaultCase>& info) { return info.param.name; });

TEST_F(LauncherTest, ProgramKilledBySignalLeavesTheSequenceGoingOn) {
  replace_program("ABACO", "echo cayendo >> " + (base / "marks").string() + "; kill -SEGV $$");
  ::e2e::LaunchOptions o = options();
  o.stdin_from = ::e2e::LaunchOptions::Stdin::pipe;
  start(o);
  terminal->write_stdin("\n1\n\n1\n\n0\n");
  terminal->close_stdin();
  expect_exit_status(0);
  std::ifstream in(base / "marks");
  const std::string marks((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(marks, "cayendo\ncayendo\n");
}

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
