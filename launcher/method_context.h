// What every method's branch works with.
#pragma once

#include <string_view>

#include "launcher/folders.h"
#include "launcher/name_rules.h"

namespace korvante {

struct MethodContext {
  Folders folders;
  std::string_view tag;
  NameRules names;
};

}  // namespace korvante
