#include "shell/suite_root.h"

namespace korvante {

std::string suite_root(const char* home, const std::string& current_directory) {
  std::string root = home == nullptr || *home == '\0' ? "/KORVANTE" : home;
  if (root.front() != '/') {
    std::string base = current_directory;
    while (!base.empty() && base.back() == '/') base.pop_back();
    root = base + "/" + root;
  }
  while (!root.empty() && root.back() == '/') root.pop_back();
  return root;
}

}  // namespace korvante
