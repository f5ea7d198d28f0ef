#include <signal.h>

#include "tests/e2e/launcher_fixture.h"

namespace korvante::e2e_support {
namespace {

TEST_F(LauncherTest, ShortTerminalShowsThePausePromptWhereTheCursorStands) {
  start(24, 80);
  ASSERT_TRUE(terminal->wait_for_text(pause_text.substr(0, pause_text.size() - 1)));
  terminal->settle();
  expect_golden("pause_80x24.txt");
  EXPECT_EQ(terminal->cursor(), std::make_pair(34, 1)) << "after the start-up clear, at the top";
}

TEST_F(LauncherTest, EndOfInputEndsWithStatusZero) {
  // Ctrl-D at the pause, at the menu, and after a redraw.
  for (std::string typed : {"\x04", "\r\x04", "\rxyz\r\x04"}) {
    start();
    expect_pause();
    terminal->type(typed);
    expect_exit_status(0);
  }
}

TEST_F(LauncherTest, CtrlCWhileAProgramRunsEndsTheLauncher) {
  replace_program("ABACO", "echo durmiendo; exec sleep 30");
  leaks_matter = false;
  start();
  expect_pause();
  terminal->type("\r1\r");
  expect_screen_with("durmiendo");
  terminal->type("\x03");
  const auto exit = terminal->wait_exit(5s);
  ASSERT_TRUE(exit) << "the launcher is still waiting";
  EXPECT_FALSE(exit->exited);
  EXPECT_EQ(exit->signal, SIGINT);
}

TEST_F(LauncherTest, CtrlCCaughtByAProgramLeavesTheLauncherWaitingForIt) {
  // The program catches the interrupt and goes on reading its own input.
  replace_program("ABACO",
                  "trap 'echo atrapado' INT; echo listo; "
                  "while :; do if read linea; then echo \"leido $linea\"; exit 0; fi; done");
  start();
  expect_pause();
  terminal->type("\r1\r");
  expect_screen_with("listo");
  terminal->type("\x03");
  expect_screen_with("atrapado");
  terminal->type("sigo\r");
  expect_screen_with("leido sigo");
  expect_pause();
  terminal->type("\r0\r");
  expect_exit_status(0);
}

TEST_F(LauncherTest, CtrlCAtTheLaunchersOwnPromptEndsItAtOnce) {
  leaks_matter = false;
  start();
  expect_pause();
  terminal->type("\r");
  expect_menu();
  terminal->type("\x03");
  const auto exit = terminal->wait_exit(5s);
  ASSERT_TRUE(exit);
  EXPECT_FALSE(exit->exited);
  EXPECT_EQ(exit->signal, SIGINT);
}

TEST_F(LauncherTest, AnUnusableSuiteFolderIsShownAndTheMenuStillWorks) {
  std::ofstream(base / "archivo") << "x";
  const std::pair<std::string, std::string> cases[] = {
      {"no-existe", "no existe"},
      {"archivo", "no es una carpeta"},
  };
  for (const auto& [name, reason] : cases) {
    start(options_with_home((base / name).string()));
    expect_pause();
    EXPECT_TRUE(on_screen("La carpeta de la suite <" + (base / name).string() + "> " + reason +
                          "; la elige KORVANTE_HOME."))
        << "on the first screen, with the pause prompt:\n" << terminal->screen_text();
    terminal->type("\r1\r");
    expect_pause();
    EXPECT_TRUE(on_screen("ABACO: no se encuentra el programa")) << terminal->screen_text();
    terminal->type("\r0\r");
    expect_exit_status(0);
  }
}

TEST_F(LauncherTest, ASuiteRootWithABlankIsRefusedBeforeAnythingRuns) {
  fs::create_directories(base / "mi suite");
  fs::create_symlink(root, base / "mi suite" / "K");
  start(options_with_home((base / "mi suite" / "K").string()));
  expect_exit_status(2);
  EXPECT_TRUE(on_screen("korvante: KORVANTE_HOME da la carpeta de la suite «" + (base / "mi suite" / "K").string() +
                        "», que contiene un blanco"))
      << terminal->screen_text();
  EXPECT_EQ(terminal->raw_output().find("\x1b"), std::string::npos) << "the screen was left alone";
  EXPECT_TRUE(records().empty());
}

TEST_F(LauncherTest, ADumbTerminalGetsTheTextsWithoutEscapeSequences) {
  ::e2e::LaunchOptions o = options();
  for (std::string& v : o.env) {
    if (v.starts_with("TERM=")) v = "TERM=dumb";
  }
  start(o);
  ASSERT_TRUE(terminal->wait_for_text(pause_text.substr(0, pause_text.size() - 1)));
  terminal->type("\r");
  ASSERT_TRUE(terminal->wait_for_text("Módulo :"));
  terminal->type("1\r");
  ASSERT_TRUE(terminal->wait_for_text("ABACO: ábaco de Régnier"));
  terminal->type("\r0\r");
  expect_exit_status(0);
  const std::string output = terminal->raw_output();
  EXPECT_EQ(output.find('\x1b'), std::string::npos);
  for (const std::string& text : {std::string("METODOS DE KORVANTERIA"), std::string("Documentación sobre los programas")}) {
    EXPECT_NE(output.find(text), std::string::npos) << text;
  }
  EXPECT_EQ(records(), (Records{{"ABACO", tag, root_slash(), data()}}));
}

}  // namespace
}  // namespace korvante::e2e_support
