#include "launcher/folders.h"

namespace korvante {

Folders folders_of(std::string_view root) {
  const std::string base(root);
  return Folders{base + "/", base + "/DATOS/"};
}

Folders windows_folders_of(std::string_view root) {
  const std::string base(root);
  return Folders{base + "\\", base + "\\DATOS\\"};
}

}  // namespace korvante
