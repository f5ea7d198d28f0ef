// Where the suite lives and the rules its names follow, as the platform
// gives them: the entry builds it, the dialogue only reads it.
#pragma once

#include <string>
#include <string_view>

#include "launcher/folders.h"
#include "launcher/name_rules.h"

namespace korvante {

struct Suite {
  std::string root;  // the folder the start-up change of directory names
  Folders folders;   // both with their trailing separator
  NameRules names;   // what a root, an expert code or a study name may hold
};

// A root in the POSIX form, without its trailing slash ("" for "/").
Suite posix_suite(std::string_view root);

// A root in the Windows form, without its trailing separator ("" for "\",
// "C:" for "C:\").
Suite windows_suite(std::string_view root);

}  // namespace korvante
