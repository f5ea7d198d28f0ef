#include "console/program_lookup.h"

#include <gtest/gtest.h>

#include <set>

namespace korvante {
namespace {

std::optional<std::string> find(std::string_view word, std::optional<std::string_view> path,
                                const std::set<std::string>& programs) {
  return find_program(word, "/suite/", path,
                      [&](const std::string& p) { return programs.count(p) > 0; });
}

TEST(FindProgram, ProgramsFolderFirstThenPath) {
  EXPECT_EQ(find("ABACO", "/bin:/usr/bin", {"/suite/ABACO", "/bin/ABACO"}), "/suite/ABACO");
  EXPECT_EQ(find("ls", "/bin:/usr/bin", {"/usr/bin/ls"}), "/usr/bin/ls");
  EXPECT_EQ(find("ls", "/bin:/usr/bin", {"/usr/bin/ls", "/bin/ls"}), "/bin/ls");
  EXPECT_EQ(find("nada", "/bin:/usr/bin", {"/usr/bin/ls"}), std::nullopt);
}

TEST(FindProgram, CurrentDirectoryOnlyThroughAnEmptyPathEntry) {
  EXPECT_EQ(find("x", "/bin", {"./x"}), std::nullopt);
  EXPECT_EQ(find("x", "/bin::/usr/bin", {"./x", "/usr/bin/x"}), "./x");
  EXPECT_EQ(find("x", ":/bin", {"./x"}), "./x");
  EXPECT_EQ(find("x", "/bin:", {"./x"}), "./x");
  EXPECT_EQ(find("x", "", {"./x"}), "./x");
}

TEST(FindProgram, AWordWithASlashIsAPath) {
  EXPECT_EQ(find("./tool", "/bin", {}), "./tool");
  EXPECT_EQ(find("/opt/x", "/bin", {}), "/opt/x");
}

TEST(FindProgram, UnsetPathUsesTheSystemFolders) {
  EXPECT_EQ(find("sh", std::nullopt, {"/bin/sh"}), "/bin/sh");
}

}  // namespace
}  // namespace korvante
