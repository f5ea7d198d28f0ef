#include <gtest/gtest.h>

#include "tests/dialogue/dialogue_test_support.h"

namespace korvante {
namespace {

using namespace testing_support;
using Lines = std::vector<std::string>;

const std::string aedat_line = "AEDAT ¤§ /K/DATOS/ aeinfo.tmp dte";
const std::string not_found_message = "\nNo encuentro </K/DATOS/AEINFO.TMP>\n";

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
  return {aedat_line,
          "aemat ¤§ /K/DATOS/ " + name + ".dte " + rse,
          "aegraf ¤§ /K/DATOS/ ae.mdd " + rse,
          "aeproy ¤§ /K/DATOS/ ae.mdd " + rse,
          "aegraf ¤§ /K/DATOS/ ae.mdi " + rse,
          "aeproy ¤§ /K/DATOS/ ae.mdi " + rse,
          "aegraf ¤§ /K/DATOS/ ae.mm " + rse};
}

std::string result_message(const std::string& file) {
  return "{move 12,12}Archivo de resultados : /K/DATOS/" + file + "\n" + pause_prompt;
}

// The transcript right after AEDAT's run.
std::string after_aedat(const LauncherRun& run) {
  const std::string& t = run.console.transcript;
  return t.substr(t.find('}', t.find("{run AEDAT")) + 1);
}

TEST(StructuralAnalysis, SevenLinesAndTheResultMessage) {
  const LauncherRun run = run_launcher_on("\n2\n", aedat_writes("EST1\n"));
  EXPECT_EQ(run.method_commands(), analysis_lines("EST1"));
  EXPECT_EQ(after_last_command(run), result_message("EST1.rse"));
  EXPECT_EQ(run.console.open_files, 0);
}

TEST(StructuralAnalysis, StudyNameFromTheInformationFile) {
  const std::string fifty_five = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123";
  const struct {
    std::string content;
    std::string name;  // what the programs get, and the message shows
  } cases[] = {
      {"EST1\n", "EST1"},
      {"EST1\r\n", "EST1"},
      {"EST1", "EST1"},
      {"ESTUDIOLARGO\nsegunda\n", "ESTUDIOLARGO"},
      {fifty_five + "\n", fifty_five.substr(0, 49)},
      // Cut at 49 characters, never inside one.
      {"añoñoñoñoñoñoñoñoñoñoñoñoñoñoñoñoñoñoñoñoñoñoñoñoñoñoño\n",
       "añoñoñoñoñoñoñoñoñoñoñoñoñoñoñoñoñoñoñoñoñoñoñoño"},
      {"est.1\n", "est.1"},
  };
  for (const auto& c : cases) {
    const LauncherRun run = run_launcher_on("\n2\n", aedat_writes(c.content));
    EXPECT_EQ(run.method_commands(), analysis_lines(c.name)) << c.content;
    EXPECT_EQ(after_last_command(run), result_message(c.name + ".rse")) << c.content;
  }
}

TEST(StructuralAnalysis, TheFileAedatWasToldOfWinsOverOtherCasings) {
  const struct {
    std::map<std::string, std::string> files;  // in the data folder after AEDAT
    std::string name;
  } cases[] = {
      {{{"aeinfo.tmp", "NUEVO\n"}, {"AEINFO.TMP", "VIEJO\n"}}, "NUEVO"},
      {{{"aeinfo.tmp", "NUEVO\n"}, {"AeInfo.Tmp", "VIEJO\n"}}, "NUEVO"},
      {{{"AEINFO.TMP", "OTRO\n"}}, "OTRO"},
      {{{"AeInfo.Tmp", "OTRO\n"}}, "OTRO"},
      {{{"AeInfo.Tmp", "SEGUNDO\n"}, {"AEINFO.TMP", "PRIMERO\n"}}, "PRIMERO"},
  };
  for (const auto& c : cases) {
    const LauncherRun run = run_launcher_on("\n2\n", [&](fake::Console& console) {
      console.on_command = [&console, &c](const std::string& line) {
        if (!line.starts_with("AEDAT ")) return;
        for (const auto& [name, content] : c.files) console.files[data + name] = content;
      };
    });
    EXPECT_EQ(run.method_commands(), analysis_lines(c.name)) << c.name;
    EXPECT_EQ(after_last_command(run), result_message(c.name + ".rse")) << c.name;
  }
}

TEST(StructuralAnalysis, AStudyNameThatCannotBeAFileNameRunsNothing) {
  const struct {
    std::string content;
    std::string reason;
  } cases[] = {
      {"\n", "el nombre está vacío"},
      {"\r\nEST1\n", "el nombre está vacío"},
      {"mi estudio\n", "«mi estudio» contiene un blanco"},
      {"EST1 \n", "«EST1 » contiene un blanco"},
      {"../../x\n", "«../../x» contiene una barra (/)"},
      {"a\x1b[2Jb\n", "«a\\x1B[2Jb» contiene un carácter de control"},
      {"\x7f\n", "«\\x7F» contiene un carácter de control"},
      {"a\xc2\x9b" "2J\n", "«a\\xC2\\x9B2J» contiene un carácter de control"},
      {"a\tb\n", "«a\\x09b» contiene un carácter de control"},
  };
  for (const auto& c : cases) {
    // The wait takes "x", then the pause and the menu, where ABACO is chosen.
    const LauncherRun run = run_launcher_on("\n2\nx\n\n1\n", aedat_writes(c.content, "AEINFO.TMP"));
    EXPECT_EQ(run.method_commands(), (Lines{aedat_line, "ABACO ¤§ /K/ /K/DATOS/"})) << c.reason;
    const std::string message = "\nNombre de estudio no válido en </K/DATOS/AEINFO.TMP>: " + c.reason + "\n";
    EXPECT_EQ(after_aedat(run).substr(0, message.size() + pause_prompt.size()), message + pause_prompt);
    EXPECT_EQ(run.console.transcript.find('\x1b'), std::string::npos) << "no escape byte reaches the screen";
  }
}

TEST(StructuralAnalysis, TheMessageReadsTheFileAfresh) {
  const LauncherRun run = run_launcher_on("\n2\n", [](fake::Console& c) {
    c.on_command = [&c](const std::string& line) {
      if (line.starts_with("AEDAT ")) c.files[data + "aeinfo.tmp"] = "EST1\n";
      if (line.starts_with("aeproy ") && line.find("ae.mdi") != std::string::npos) {
        c.files[data + "aeinfo.tmp"] = "ESTUDIO_RENOMBRADO\n";
        c.files[data + "ESTUDIO_RENOMBRADO.RSE"] = "x";
      }
    };
  });
  EXPECT_EQ(run.method_commands(), analysis_lines("EST1"));
  EXPECT_EQ(after_last_command(run), result_message("ESTUDIO_RENOMBRADO.RSE"));
}

TEST(StructuralAnalysis, ASecondReadingThatGivesNoUsableNameShowsTheFirst) {
  const std::function<void(fake::Console&)> after_aemat[] = {
      [](fake::Console& c) { c.files.erase(data + "aeinfo.tmp"); },
      [](fake::Console& c) { c.files[data + "aeinfo.tmp"] = "\x1b]0;x\x07\n"; },
      [](fake::Console& c) { c.files[data + "aeinfo.tmp"] = "\n"; },
  };
  for (const auto& change : after_aemat) {
    const LauncherRun run = run_launcher_on("\n2\n", [&](fake::Console& c) {
      c.on_command = [&c, &change](const std::string& line) {
        if (line.starts_with("AEDAT ")) c.files[data + "aeinfo.tmp"] = "ÑANDÚESTUDIOLARGO\n";
        if (line.starts_with("aemat ")) change(c);
      };
    });
    EXPECT_EQ(after_last_command(run), result_message("ÑANDÚESTUDIOLARGO.rse"));
  }
}

TEST(StructuralAnalysis, NoInformationFileStopsAfterAedat) {
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
    EXPECT_EQ(run.method_commands(), (Lines{aedat_line, "ABACO ¤§ /K/ /K/DATOS/"}));
    EXPECT_EQ(after_aedat(run).substr(0, not_found_message.size() + pause_prompt.size()),
              not_found_message + pause_prompt);
  }
}

TEST(StructuralAnalysis, FailedProgramsAreNamed) {
  // AEDAT missing: named before the missing information file.
  const LauncherRun no_aedat = run_launcher_on("\n2\n\n", programs_end({{"AEDAT", not_found}}));
  EXPECT_EQ(after_aedat(no_aedat), "\nAEDAT: no se encuentra el programa\n" + not_found_message + pause_prompt);

  // Failures along the sequence: it goes on, and they stand in place of the result.
  const LauncherRun failing = run_launcher_on("\n2\n", [](fake::Console& c) {
    aedat_writes("EST1\n")(c);
    c.results = {{"aegraf", killed_by(6)}, {"aemat", cannot_start("permiso denegado")}};
  });
  EXPECT_EQ(failing.method_commands(), analysis_lines("EST1"));
  EXPECT_EQ(after_last_command(failing),
            "{move 12,12}aemat: no se puede iniciar: permiso denegado\n"
            "{move 12,13}aegraf: terminó por la señal 6\n"
            "{move 12,14}aegraf: terminó por la señal 6\n"
            "{move 12,15}aegraf: terminó por la señal 6\n" +
                pause_prompt);

  // A stale study after a missing AEDAT is still analysed, but no result is claimed.
  const LauncherRun stale = run_launcher_on("\n2\n", [](fake::Console& c) {
    c.files[data + "aeinfo.tmp"] = "VIEJO\n";
    c.results = {{"AEDAT", not_found}};
  });
  EXPECT_EQ(stale.method_commands(), analysis_lines("VIEJO"));
  EXPECT_EQ(after_last_command(stale), "{move 12,12}AEDAT: no se encuentra el programa\n" + pause_prompt);
}

TEST(StructuralAnalysis, EndOfInputDuringTheWaitEndsTheProgram) {
  const LauncherRun missing = run_launcher_on("\n2\n");
  EXPECT_EQ(missing.method_commands(), Lines{aedat_line});
  EXPECT_TRUE(ended_at(missing, not_found_message));

  const LauncherRun refused = run_launcher_on("\n2\n", aedat_writes("a b\n"));
  EXPECT_EQ(refused.method_commands(), Lines{aedat_line});
  EXPECT_TRUE(ended_at(refused, "contiene un blanco\n"));
}

}  // namespace
}  // namespace korvante
