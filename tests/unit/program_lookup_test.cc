#include "console/program_lookup.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace korvante {
namespace {

// The lookup over a file system of `programs` (that can be run) and
// `others` (a file without the permission, or a folder).
ProgramLookup lookup(std::string_view word, std::optional<std::string_view> path,
                     const std::set<std::string>& programs, const std::map<std::string, Candidate>& others = {}) {
  return find_program(word, "/suite/", path, [&](const std::string& p) {
    if (programs.count(p) > 0) return Candidate::program;
    const auto other = others.find(p);
    return other == others.end() ? Candidate::nothing : other->second;
  });
}

std::optional<std::string> find(std::string_view word, std::optional<std::string_view> path,
                                const std::set<std::string>& programs) {
  return lookup(word, path, programs).path;
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
  EXPECT_EQ(find("./tool", "/bin", {"./tool"}), "./tool");
  EXPECT_EQ(find("/opt/x", "/bin", {"/opt/x"}), "/opt/x");
  EXPECT_EQ(find("/opt/x", "/opt", {"/opt/opt/x"}), std::nullopt) << "never searched";
}

TEST(FindProgram, UnsetPathUsesTheSystemFolders) {
  EXPECT_EQ(find("sh", std::nullopt, {"/bin/sh"}), "/bin/sh");
}

TEST(FindProgram, WhatCouldNotRunIsToldWhenNothingCan) {
  const struct {
    std::set<std::string> programs;
    std::map<std::string, Candidate> others;
    std::optional<std::string> path;
    Candidate near_miss;
    std::string near_miss_path;
  } cases[] = {
      {{}, {{"/suite/ABACO", Candidate::not_executable}}, std::nullopt, Candidate::not_executable, "/suite/ABACO"},
      {{}, {{"/suite/ABACO", Candidate::folder}}, std::nullopt, Candidate::folder, "/suite/ABACO"},
      // The first near miss is the one told; a program further on still wins.
      {{}, {{"/suite/ABACO", Candidate::folder}, {"/bin/ABACO", Candidate::not_executable}}, std::nullopt,
       Candidate::folder, "/suite/ABACO"},
      {{"/bin/ABACO"}, {{"/suite/ABACO", Candidate::not_executable}}, "/bin/ABACO", Candidate::not_executable,
       "/suite/ABACO"},
      {{}, {}, std::nullopt, Candidate::nothing, ""},
  };
  for (const auto& c : cases) {
    const ProgramLookup found = lookup("ABACO", "/bin", c.programs, c.others);
    EXPECT_EQ(found.path, c.path);
    EXPECT_EQ(found.near_miss, c.near_miss);
    EXPECT_EQ(found.near_miss_path, c.near_miss_path);
  }
}

}  // namespace
}  // namespace korvante
