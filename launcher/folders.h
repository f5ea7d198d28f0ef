// The suite's two folders, as they stand on every command line.
#pragma once

#include <string>
#include <string_view>

namespace korvante {

struct Folders {
  std::string programs;  // root + "/"
  std::string data;      // root + "/DATOS/"
};

// `root` is the suite root without a trailing slash ("" for "/").
Folders folders_of(std::string_view root);

}  // namespace korvante
