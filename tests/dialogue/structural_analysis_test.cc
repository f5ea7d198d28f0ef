#include <gtest/gtest.h>

#include "tests/dialogue/dialogue_test_support.h"

namespace korvante {
namespace {

using namespace testing_support;
using Lines = std::vector<std::string>;

// Plays AEDAT: it leaves `content` in the information file it is told of.
auto aedat_writes(std::string content, std::string name = "aeinfo.tmp") {
  return [content, name](fake::Console& c) {
    c.on_command = [&c, content, name](const std::string& line) {
      if (line.starts_with("AEDAT ")) c.files[data + name] = content;
    };
  };
}

Lines analysis_lines(const std::string& name) {
  const std::string rse = name + ".rse";
  return {"AEDAT ¤§ /K/DATOS/ aeinfo.tmp dte",
          "aemat ¤§ /K/DATOS/ " + name + ".dte " + rse,
          "aegraf ¤§ /K/DATOS/ ae.mdd " + rse,
          "aeproy ¤§ /K/DATOS/ ae.mdd " + rse,
          "aegraf ¤§ /K/DATOS/ ae.mdi " + rse,
          "aeproy ¤§ /K/DATOS/ ae.mdi " + rse,
          "aegraf ¤§ /K/DATOS/ ae.mm " + rse};
}

std::string after_last_command(const LauncherRun& run) {
  const std::string& t = run.console.transcript;
  const std::size_t last = t.rfind("{run ");
  return t.substr(t.find('}', last) + 1);
}

TEST(StructuralAnalysis, SevenLinesAndTheResultMessage) {
  const LauncherRun run = run_launcher_on("\n2\n", aedat_writes("EST1\n"));
  EXPECT_EQ(run.method_commands(), analysis_lines("EST1"));
  EXPECT_EQ(after_last_command(run), "{move 12,12}Archivo de resultados : /K/DATOS/EST1.RSE\n" + pause_prompt);
  EXPECT_EQ(run.console.open_files, 0);
}

TEST(StructuralAnalysis, StudyNameFromTheInformationFile) {
  const std::string fifty_five = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123";
  const struct {
    std::string content;
    std::string name;        // what the programs get
    std::string shown;       // what the message shows
    std::string file_name = "aeinfo.tmp";
  } cases[] = {
      {"EST1\n", "EST1", "EST1"},
      {"EST1\r\n", "EST1", "EST1"},
      {"EST1", "EST1", "EST1"},
      {"ESTUDIOLARGO\nsegunda\n", "ESTUDIOLARGO", "ESTUDIOLA"},
      {fifty_five + "\n", fifty_five.substr(0, 49), fifty_five.substr(0, 9)},
      {"añoñoñoñoñoño\n", "añoñoñoñoñoño", "añoñoñoño"},
      {"EST1\n", "EST1", "EST1", "AEINFO.TMP"},
      {"EST1\n", "EST1", "EST1", "AeInfo.Tmp"},
  };
  for (const auto& c : cases) {
    const LauncherRun run = run_launcher_on("\n2\n", aedat_writes(c.content, c.file_name));
    EXPECT_EQ(run.method_commands(), analysis_lines(c.name)) << c.content;
    EXPECT_EQ(after_last_command(run),
              "{move 12,12}Archivo de resultados : /K/DATOS/" + c.shown + ".RSE\n" + pause_prompt);
  }
}

TEST(StructuralAnalysis, TheMessageReadsTheFileAfresh) {
  const LauncherRun run = run_launcher_on("\n2\n", [](fake::Console& c) {
    c.on_command = [&c](const std::string& line) {
      if (line.starts_with("AEDAT ")) c.files[data + "aeinfo.tmp"] = "EST1\n";
      if (line.starts_with("aeproy ") && line.find("ae.mdi") != std::string::npos) {
        c.files[data + "aeinfo.tmp"] = "OTRO\n";
      }
    };
  });
  EXPECT_EQ(run.method_commands(), analysis_lines("EST1"));
  EXPECT_EQ(after_last_command(run), "{move 12,12}Archivo de resultados : /K/DATOS/OTRO.RSE\n" + pause_prompt);
}

TEST(StructuralAnalysis, SecondReadingFailingShowsTheFirstName) {
  const LauncherRun run = run_launcher_on("\n2\n", [](fake::Console& c) {
    c.on_command = [&c](const std::string& line) {
      if (line.starts_with("AEDAT ")) c.files[data + "aeinfo.tmp"] = "ESTUDIOLARGO\n";
      if (line.starts_with("aemat ")) c.files.erase(data + "aeinfo.tmp");
    };
  });
  EXPECT_EQ(after_last_command(run), "{move 12,12}Archivo de resultados : /K/DATOS/ESTUDIOLA.RSE\n" + pause_prompt);
}

TEST(StructuralAnalysis, NoInformationFileStopsAfterAedat) {
  const std::string not_found = "\nNo encuentro </K/DATOS/AEINFO.TMP>\n";
  const std::function<void(fake::Console&)> setups[] = {
      [](fake::Console&) {},
      aedat_writes(""),
      [](fake::Console& c) {
        c.files[data + "AEINFO.TMP"] = "EST1\n";
        c.unreadable.insert(data + "AEINFO.TMP");
      },
  };
  for (const auto& setup : setups) {
    const LauncherRun run = run_launcher_on("\n2\nlo que sea\n\n1\n", setup);
    EXPECT_EQ(run.method_commands(), (Lines{"AEDAT ¤§ /K/DATOS/ aeinfo.tmp dte", "ABACO ¤§ /K/ /K/DATOS/"}));
    const std::string& t = run.console.transcript;
    const std::size_t aedat_end = t.find('}', t.find("{run AEDAT")) + 1;
    EXPECT_EQ(t.substr(aedat_end, not_found.size() + pause_prompt.size()), not_found + pause_prompt);
  }
}

TEST(StructuralAnalysis, EndOfInputDuringTheWaitEndsTheProgram) {
  const LauncherRun run = run_launcher_on("\n2\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.method_commands(), Lines{"AEDAT ¤§ /K/DATOS/ aeinfo.tmp dte"});
  EXPECT_EQ(after_last_command(run), "\nNo encuentro </K/DATOS/AEINFO.TMP>\n");
}

}  // namespace
}  // namespace korvante
