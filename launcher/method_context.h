// What every method's branch works with.
#pragma once

#include <string_view>

#include "launcher/folders.h"

namespace korvante {

struct MethodContext {
  Folders folders;
  std::string_view tag;
};

}  // namespace korvante
