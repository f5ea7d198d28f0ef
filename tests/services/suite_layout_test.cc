// Laying out a stand-in suite on the real file system.
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "suite/layout.h"

namespace korvante {
namespace {

namespace fs = std::filesystem;

class SuiteLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/korvante-layout-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
    stand_in = (dir / "korvante-suite").string();
    std::ofstream(stand_in) << "stand-in\n";
  }
  void TearDown() override { fs::remove_all(dir); }

  // Every word a link to the stand-in, and DATOS/ a folder.
  void expect_suite(const fs::path& root) {
    EXPECT_TRUE(fs::is_directory(root / "DATOS"));
    for (std::string_view word : program_words) {
      const fs::path link = root / word;
      ASSERT_TRUE(fs::is_symlink(fs::symlink_status(link))) << link;
      EXPECT_EQ(fs::read_symlink(link), fs::path(stand_in)) << link;
    }
  }

  fs::path dir;
  std::string stand_in;
};

TEST_F(SuiteLayoutTest, MakesTheFoldersAndLinksEveryWordFromARelativeRoot) {
  const SuiteLayout layout = lay_out_suite("a/b/K/", dir.string(), stand_in);
  EXPECT_TRUE(layout.refusals.empty());
  EXPECT_EQ(layout.root, (dir / "a/b/K").string());
  expect_suite(dir / "a/b/K");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "a/b/K"), fs::directory_iterator()),
            std::size(program_words) + 1);
}

TEST_F(SuiteLayoutTest, LayingOutAgainKeepsTheSuiteAndItsData) {
  const fs::path root = dir / "K";
  ASSERT_TRUE(lay_out_suite(root.string(), "/", stand_in).refusals.empty());
  std::ofstream(root / "DATOS" / "enc1.dta") << "datos\n";
  EXPECT_TRUE(lay_out_suite(root.string(), "/", stand_in).refusals.empty());
  expect_suite(root);
  EXPECT_TRUE(fs::exists(root / "DATOS" / "enc1.dta"));
}

TEST_F(SuiteLayoutTest, LeavesAloneWhatElseStandsInAWordsPlace) {
  const fs::path root = dir / "K";
  fs::create_directories(root / "aemat");
  std::ofstream(root / "ABACO") << "#!/bin/sh\n";
  fs::create_symlink("/bin/true", root / "DOC");

  const SuiteLayout layout = lay_out_suite(root.string(), "/", stand_in);
  ASSERT_EQ(layout.refusals.size(), 3u);
  for (const char* word : {"ABACO", "aemat", "DOC"}) {
    bool named = false;
    for (const std::string& line : layout.refusals) {
      named |= line.find("/K/" + std::string(word) + " ") != std::string::npos;
    }
    EXPECT_TRUE(named) << word;
  }
  EXPECT_TRUE(fs::is_regular_file(root / "ABACO"));
  EXPECT_TRUE(fs::is_directory(root / "aemat"));
  EXPECT_EQ(fs::read_symlink(root / "DOC"), "/bin/true");
  EXPECT_EQ(fs::read_symlink(root / "AEDAT"), fs::path(stand_in));
}

TEST_F(SuiteLayoutTest, RefusesAFolderThatIsNotOne) {
  std::ofstream(dir / "K") << "a file\n";
  EXPECT_EQ(lay_out_suite((dir / "K").string(), "/", stand_in).refusals.size(), 1u);

  fs::create_directories(dir / "L");
  std::ofstream(dir / "L" / "DATOS") << "a file\n";
  const SuiteLayout layout = lay_out_suite((dir / "L").string(), "/", stand_in);
  ASSERT_FALSE(layout.refusals.empty());
  EXPECT_NE(layout.refusals[0].find("/L/DATOS"), std::string::npos);
  EXPECT_TRUE(fs::is_regular_file(dir / "L" / "DATOS"));
}

// What the launcher would refuse as KORVANTE_HOME is refused before
// anything is made.
TEST_F(SuiteLayoutTest, RefusesARootTheLauncherCannotUse) {
  const struct {
    std::string name;
    const char* why;
  } cases[] = {
      {"mi suite", "a blank"},
      {"tab\there", "a tab"},
      {"esc\x1b[2J", "an escape"},
      {"del\x7f", "DEL"},
      {"c1\xc2\x9b", "a C1 control in UTF-8"},
      {"", "nothing"},
  };
  for (const auto& c : cases) {
    const SuiteLayout layout = lay_out_suite(c.name, dir.string(), stand_in);
    EXPECT_EQ(layout.refusals.size(), 1u) << c.why;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1) << c.why;
  }
  // Accented letters are no control characters.
  EXPECT_TRUE(lay_out_suite("estudio-ñandú", dir.string(), stand_in).refusals.empty());
}

}  // namespace
}  // namespace korvante
