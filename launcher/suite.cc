#include "launcher/suite.h"

namespace korvante {

Suite posix_suite(std::string_view root) {
  return Suite{root.empty() ? std::string("/") : std::string(root), folders_of(root), NameRules::posix};
}

Suite windows_suite(std::string_view root) {
  return Suite{root.empty() || root.back() == ':' ? std::string(root) + "\\" : std::string(root),
               windows_folders_of(root), NameRules::windows};
}

}  // namespace korvante
