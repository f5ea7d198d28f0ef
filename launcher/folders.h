// The suite's two folders, as they stand on every command line.
#pragma once

#include <string>
#include <string_view>

namespace korvante {

struct Folders {
  std::string programs;  // root + "/"; on Windows root + "\"
  std::string data;      // root + "/DATOS/"; on Windows root + "\DATOS\"
};

// `root` is the suite root without a trailing slash ("" for "/").
Folders folders_of(std::string_view root);

// The same on Windows: root + "\" and root + "\DATOS\", for a root
// without a trailing separator ("" for "\", "C:" for "C:\").
Folders windows_folders_of(std::string_view root);

}  // namespace korvante
