#include <signal.h>

#include "tests/e2e/launcher_fixture.h"

namespace korvante::e2e_support {
namespace {

TEST_F(LauncherTest, FirstPauseAndMenuScreens) {
  start();
  expect_pause();
  expect_golden("pause_80x25.txt");
  terminal->type("\r");
  expect_menu();
  expect_golden("menu_80x25.txt");
  EXPECT_EQ(terminal->cursor(), std::make_pair(30, 25)) << "cursor behind the prompt";
}

TEST_F(LauncherTest, ShortTerminalShowsThePausePromptWhereTheCursorStands) {
  start(24, 80);
  ASSERT_TRUE(terminal->wait_for_text(pause_text.substr(0, pause_text.size() - 1)));
  terminal->settle();
  expect_golden("pause_80x24.txt");
  EXPECT_EQ(terminal->cursor(), std::make_pair(34, 1)) << "after the start-up clear, at the top";
}

TEST_F(LauncherTest, AbacoRunsWithTagAndBothFolders) {
  start();
  expect_pause();
  terminal->type("\r1\r");
  expect_pause();
  EXPECT_EQ(records(), (Records{{"ABACO", tag, root_slash(), data()}}));
  EXPECT_NE(terminal->screen_text().find("ABACO: ábaco de Régnier"), std::string::npos);
}

TEST_F(LauncherTest, DocumentationRunsWithNoArguments) {
  start();
  expect_pause();
  terminal->type("\r10\r");
  expect_pause();
  terminal->type("\rdoc\r");
  expect_pause();
  EXPECT_EQ(records(), (Records{{"DOC"}, {"DOC"}}));
}

TEST_F(LauncherTest, ZeroEndsWithStatusZero) {
  for (std::string typed : {"0", "01", "00"}) {
    start();
    expect_pause();
    terminal->type("\r" + typed + "\r");
    expect_exit_status(0);
    EXPECT_TRUE(records().empty());
  }
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

TEST_F(LauncherTest, PipedSessionKeepsTheOrderOfOutput) {
  ::e2e::LaunchOptions o = options();
  o.stdin_from = ::e2e::LaunchOptions::Stdin::pipe;
  o.stdout_file = (base / "transcript").string();
  start(o);
  terminal->write_stdin("\n1\n\n10\n\n0\n");
  terminal->close_stdin();
  expect_exit_status(0);
  std::ifstream in(base / "transcript", std::ios::binary);
  const std::string transcript((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(transcript.find('\x1b'), std::string::npos) << "no escape sequence in a transcript";
  const std::string menu_end = "\n\n\t\t" + menu_prompt;
  // pause, menu, ABACO's line, pause, menu, DOC's line, pause, menu.
  const std::vector<std::string> in_order = {pause_text, menu_end, "ABACO: ", pause_text,
                                             menu_end,   "DOC: ",  pause_text, menu_end};
  std::size_t at = 0;
  for (const std::string& piece : in_order) {
    const std::size_t found = transcript.find(piece, at);
    ASSERT_NE(found, std::string::npos) << "\"" << piece << "\" after byte " << at << " in\n" << transcript;
    at = found + piece.size();
  }
  EXPECT_EQ(transcript.substr(at), "") << "nothing after the last prompt";
  EXPECT_EQ(records(), (Records{{"ABACO", tag, root_slash(), data()}, {"DOC"}}));
}

TEST_F(LauncherTest, MissingSuiteFolderIsShownAndTheMenuStillWorks) {
  ::e2e::LaunchOptions o = options();
  std::erase_if(o.env, [](const std::string& v) { return v.starts_with("KORVANTE_HOME="); });
  o.env.push_back("KORVANTE_HOME=" + (base / "no-existe").string());
  start(o);
  expect_pause();
  EXPECT_NE(terminal->screen_text().find("cd: " + (base / "no-existe").string() + ": No such file or directory"),
            std::string::npos);
  terminal->type("\r1\r");
  expect_pause();
  EXPECT_NE(terminal->screen_text().find("ABACO: command not found"), std::string::npos);
  terminal->type("\r0\r");
  expect_exit_status(0);
}

}  // namespace
}  // namespace korvante::e2e_support
