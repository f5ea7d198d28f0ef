#include "console/windows_program_lookup.h"

#include <gtest/gtest.h>

#include <map>

namespace korvante {
namespace {

using Strings = std::vector<std::string>;

// A disk of files and folders that records every path it is asked about.
struct Disk {
  std::map<std::string, LookupKind> entries;
  Strings asked;

  WindowsProgramSearch find(std::string_view word, std::optional<std::string_view> path,
                            std::optional<std::string_view> pathext = std::nullopt,
                            std::string_view programs_folder = "\\KORVANTE\\") {
    return find_windows_program(word, {programs_folder, path, pathext}, [this](const std::string& p) {
      asked.push_back(p);
      const auto entry = entries.find(p);
      return entry == entries.end() ? LookupKind::nothing : entry->second;
    });
  }
};

TEST(FindWindowsProgram, AsksOnlyTheProgramsFolderThenEachPathEntry) {
  Disk disk;
  EXPECT_FALSE(disk.find("ABACO", "C:\\Windows\\system32;C:\\bin\\").found);
  EXPECT_EQ(disk.asked, (Strings{
                            "\\KORVANTE\\ABACO.COM", "\\KORVANTE\\ABACO.EXE",
                            "\\KORVANTE\\ABACO.BAT", "\\KORVANTE\\ABACO.CMD",
                            "C:\\Windows\\system32\\ABACO.COM", "C:\\Windows\\system32\\ABACO.EXE",
                            "C:\\Windows\\system32\\ABACO.BAT", "C:\\Windows\\system32\\ABACO.CMD",
                            "C:\\bin\\ABACO.COM", "C:\\bin\\ABACO.EXE",
                            "C:\\bin\\ABACO.BAT", "C:\\bin\\ABACO.CMD",
                        }))
      << "neither the current directory nor the launcher's folder is asked";
}

TEST(FindWindowsProgram, WhatIsFound) {
  const struct {
    const char* what;
    std::string word;
    std::optional<std::string_view> path, pathext;
    Strings files;
    std::optional<std::string> found;
    bool batch = false;
  } cases[] = {
      {"programs folder before PATH", "ABACO", "C:\\bin", {},
       {"C:\\bin\\ABACO.EXE", "\\KORVANTE\\ABACO.EXE"}, "\\KORVANTE\\ABACO.EXE"},
      {"an earlier folder beats an earlier extension", "ABACO", "C:\\bin", {},
       {"C:\\bin\\ABACO.COM", "\\KORVANTE\\ABACO.EXE"}, "\\KORVANTE\\ABACO.EXE"},
      {".COM before .EXE", "x", "C:\\bin", {}, {"C:\\bin\\x.EXE", "C:\\bin\\x.COM"}, "C:\\bin\\x.COM"},
      {"PATH from left to right", "x", "C:\\a;C:\\b", {}, {"C:\\b\\x.EXE", "C:\\a\\x.EXE"}, "C:\\a\\x.EXE"},
      {"PATHEXT order", "x", "C:\\bin", ".EXE;.COM", {"C:\\bin\\x.EXE", "C:\\bin\\x.COM"}, "C:\\bin\\x.EXE"},
      {"PATHEXT spelling", "x", "C:\\bin", ".exe", {"C:\\bin\\x.exe"}, "C:\\bin\\x.exe"},
      {"PATHEXT without a startable extension", "x", "C:\\bin", ".VBS;.JS", {"C:\\bin\\x.EXE"}, "C:\\bin\\x.EXE"},
      {"PATHEXT leaves .EXE out", "x", "C:\\bin", ".VBS;.CMD", {"C:\\bin\\x.EXE"}, std::nullopt},
      {"quotes inside a PATH entry", "x", "\"C:\\Program Files\\y\";C:\\bin", {},
       {"C:\\Program Files\\y\\x.EXE"}, "C:\\Program Files\\y\\x.EXE"},
      {"PATH entry ending in /", "x", "C:/tools/", {}, {"C:/tools/x.EXE"}, "C:/tools/x.EXE"},
      {"the current directory only when PATH names it", "x", "C:\\bin;.", {}, {".\\x.EXE"}, ".\\x.EXE"},
      {"no PATH: the programs folder only", "x", std::nullopt, {}, {"\\KORVANTE\\x.EXE"}, "\\KORVANTE\\x.EXE"},
      {"a startable extension is kept", "x.exe", "C:\\bin", {}, {"C:\\bin\\x.exe"}, "C:\\bin\\x.exe"},
      {"no other extension is added to one", "x.exe", "C:\\bin", {}, {"C:\\bin\\x.exe.EXE"}, std::nullopt},
      {"another extension is part of the name", "python3.11", "C:\\py", {},
       {"C:\\py\\python3.11.EXE"}, "C:\\py\\python3.11.EXE"},
      {"a batch file", "DOC", "C:\\bin", {}, {"\\KORVANTE\\DOC.BAT"}, "\\KORVANTE\\DOC.BAT", true},
      {"a command file in lower case", "doc.cmd", "C:\\bin", {}, {"C:\\bin\\doc.cmd"}, "C:\\bin\\doc.cmd", true},
      {"a path with a backslash", "C:\\x\\tool", "C:\\bin", {}, {"C:\\x\\tool.EXE"}, "C:\\x\\tool.EXE"},
      {"a relative path", "sub/tool", "C:\\bin", {}, {"sub/tool.EXE", "\\KORVANTE\\sub/tool.EXE"}, "sub/tool.EXE"},
      {"a drive-relative path", "D:tool.bat", "C:\\bin", {}, {"D:tool.bat"}, "D:tool.bat", true},
      {"a path is not searched for", "sub\\tool", "C:\\bin", {}, {"C:\\bin\\sub\\tool.EXE"}, std::nullopt},
  };
  for (const auto& c : cases) {
    Disk disk;
    for (const std::string& file : c.files) disk.entries[file] = LookupKind::file;
    const WindowsProgramSearch search = disk.find(c.word, c.path, c.pathext);
    ASSERT_EQ(search.found.has_value(), c.found.has_value()) << c.what;
    if (c.found) {
      EXPECT_EQ(search.found->path, *c.found) << c.what;
      EXPECT_EQ(search.found->batch, c.batch) << c.what;
    }
  }
}

TEST(FindWindowsProgram, EmptyPathEntriesAreSkipped) {
  Disk disk;
  disk.find("x", ";;C:\\bin;", ".EXE", "");
  EXPECT_EQ(disk.asked, (Strings{"C:\\bin\\x.EXE"}));
}

TEST(FindWindowsProgram, AFolderInTheWayIsToldWhenNothingIsFound) {
  Disk disk;
  disk.entries["\\KORVANTE\\ABACO.EXE"] = LookupKind::folder;
  disk.entries["C:\\bin\\ABACO.COM"] = LookupKind::folder;
  const WindowsProgramSearch missing = disk.find("ABACO", "C:\\bin");
  EXPECT_FALSE(missing.found);
  EXPECT_EQ(missing.folder_in_the_way, "\\KORVANTE\\ABACO.EXE");

  disk.entries["C:\\bin\\ABACO.EXE"] = LookupKind::file;
  const WindowsProgramSearch found = disk.find("ABACO", "C:\\bin");
  ASSERT_TRUE(found.found);
  EXPECT_EQ(found.found->path, "C:\\bin\\ABACO.EXE");
  EXPECT_FALSE(found.folder_in_the_way) << "a folder passed on the way is no failure";
}

TEST(FindWindowsProgram, AnEmptyWordIsNoProgram) {
  Disk disk;
  EXPECT_FALSE(disk.find("", "C:\\bin").found);
  EXPECT_TRUE(disk.asked.empty());
}

TEST(ProgramExtensions, StartableOnesOfPathextInItsOrder) {
  const struct {
    std::optional<std::string_view> pathext;
    Strings extensions;
  } cases[] = {
      {std::nullopt, {".COM", ".EXE", ".BAT", ".CMD"}},
      {"", {".COM", ".EXE", ".BAT", ".CMD"}},
      {".COM;.EXE;.BAT;.CMD;.VBS;.VBE;.JS;.JSE;.WSF;.WSH;.MSC", {".COM", ".EXE", ".BAT", ".CMD"}},
      {".CMD;.exe", {".CMD", ".exe"}},
      {".EXE;.exe;;.EXE", {".EXE"}},
      {"EXE;.EX;.EXE ;.PY", {".COM", ".EXE", ".BAT", ".CMD"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(program_extensions(c.pathext), c.extensions) << c.pathext.value_or("(unset)");
  }
}

}  // namespace
}  // namespace korvante
