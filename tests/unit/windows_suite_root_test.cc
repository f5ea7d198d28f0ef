#include "shell/windows_suite_root.h"

#include <gtest/gtest.h>

#include "launcher/folders.h"

namespace korvante {
namespace {

TEST(WindowsSuiteRoot, FromTheEnvironment) {
  const struct {
    const char* home;
    std::string cwd, root;
  } cases[] = {
      // Unset or empty: the suite's own folder on the current drive.
      {nullptr, "C:\\Users\\u", "\\KORVANTE"},
      {"", "D:\\", "\\KORVANTE"},
      // Rooted values keep their root.
      {"C:\\x", "D:\\w", "C:\\x"},
      {"\\x", "C:\\w", "\\x"},
      {"\\\\server\\share\\x", "C:\\w", "\\\\server\\share\\x"},
      {"\\\\server\\share", "C:\\w", "\\\\server\\share"},
      {"//server/share/x/", "C:\\w", "\\\\server\\share\\x"},
      // Relative values hang from the current directory.
      {"x", "C:\\Users\\u", "C:\\Users\\u\\x"},
      {"x\\y", "C:\\Users\\u", "C:\\Users\\u\\x\\y"},
      {".\\x", "C:\\Users\\u", "C:\\Users\\u\\x"},
      {"..\\x", "C:\\Users\\u", "C:\\Users\\x"},
      {"x", "C:\\", "C:\\x"},
      {"x", "\\\\server\\share\\w", "\\\\server\\share\\w\\x"},
      {"..\\..\\x", "\\\\server\\share\\w", "\\\\server\\share\\x"},
      // "/" is a separator; trailing, repeated and "." separators fold away.
      {"C:/suite/", "D:\\", "C:\\suite"},
      {"C:\\suite\\\\", "D:\\", "C:\\suite"},
      {"C:\\a\\\\b\\.\\c", "D:\\", "C:\\a\\b\\c"},
      {"C:\\a\\..\\b", "D:\\", "C:\\b"},
      {"C:\\..\\..\\b", "D:\\", "C:\\b"},
      {"\\..\\x", "C:\\w", "\\x"},
      // A drive's root: "C:" stands for "C:\", "" for "\".
      {"C:\\", "D:\\", "C:"},
      {"\\", "C:\\w", ""},
      {"/", "C:\\w", ""},
      {"..", "C:\\", "C:"},
      // Drive-relative: against the current directory on its drive, else the drive's root.
      {"C:x", "C:\\Users\\u", "C:\\Users\\u\\x"},
      {"c:x", "C:\\Users\\u", "C:\\Users\\u\\x"},
      {"C:..\\x", "C:\\Users\\u", "C:\\Users\\x"},
      {"C:", "C:\\Users\\u", "C:\\Users\\u"},
      {"D:x", "C:\\Users\\u", "D:\\x"},
      {"D:x", "\\\\server\\share\\w", "D:\\x"},
      {"D:", "C:\\Users\\u", "D:"},
      // Non-ASCII names pass unchanged.
      {"Año\\Estudio", "C:\\Datos", "C:\\Datos\\Año\\Estudio"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(windows_suite_root(c.home, c.cwd), c.root)
        << (c.home ? c.home : "(unset)") << " in " << c.cwd;
  }
}

TEST(WindowsFolders, AlwaysEndInOneBackslash) {
  const struct {
    std::string root, programs, data;
  } cases[] = {
      {"\\KORVANTE", "\\KORVANTE\\", "\\KORVANTE\\DATOS\\"},
      {"C:\\suite", "C:\\suite\\", "C:\\suite\\DATOS\\"},
      {"C:", "C:\\", "C:\\DATOS\\"},
      {"", "\\", "\\DATOS\\"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(windows_folders_of(c.root).programs, c.programs);
    EXPECT_EQ(windows_folders_of(c.root).data, c.data);
  }
  // The default root gives the suite's own folder pieces.
  const Folders folders = windows_folders_of(windows_suite_root(nullptr, "C:\\w"));
  EXPECT_EQ(folders.programs, "\\KORVANTE\\");
  EXPECT_EQ(folders.data, "\\KORVANTE\\DATOS\\");
}

}  // namespace
}  // namespace korvante
