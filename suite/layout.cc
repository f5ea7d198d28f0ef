#include "suite/layout.h"

#include <filesystem>
#include <system_error>

namespace korvante {

namespace {

namespace fs = std::filesystem;

// What the launcher cannot hand its programs as one word, or would echo
// raw to the terminal: a blank, C0 controls, DEL, and C1 controls in UTF-8.
bool unfit_for_a_root(std::string_view path) {
  for (std::size_t i = 0; i < path.size(); ++i) {
    const auto byte = static_cast<unsigned char>(path[i]);
    if (byte <= 0x20 || byte == 0x7F) return true;
    if (byte == 0xC2 && i + 1 < path.size()) {
      const auto next = static_cast<unsigned char>(path[i + 1]);
      if (next >= 0x80 && next <= 0x9F) return true;
    }
  }
  return false;
}

std::string absolute_root(std::string_view root, const std::string& current_directory) {
  fs::path path(root);
  if (path.is_relative()) path = fs::path(current_directory) / path;
  std::string text = path.lexically_normal().string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

// The folder at `path`, made when missing; a refusal when something else is
// there or it cannot be made.
void make_folder(const fs::path& path, std::vector<std::string>& refusals) {
  std::error_code error;
  fs::create_directories(path, error);
  if (error) {
    refusals.push_back("No puedo crear la carpeta " + path.string() + ": " + error.message());
  } else if (!fs::is_directory(path, error)) {
    refusals.push_back("Ya hay en " + path.string() + " algo que no es una carpeta; no lo toco");
  }
}

void link_word(const fs::path& link, const std::string& stand_in,
               std::vector<std::string>& refusals) {
  std::error_code error;
  const fs::file_status status = fs::symlink_status(link, error);
  if (fs::exists(status)) {
    if (fs::is_symlink(status) && fs::read_symlink(link, error) == fs::path(stand_in)) return;
    refusals.push_back("Ya hay en " + link.string() + " otra cosa; no la toco");
    return;
  }
  fs::create_symlink(stand_in, link, error);
  if (error) {
    refusals.push_back("No puedo crear el enlace " + link.string() + ": " + error.message());
  }
}

}  // namespace

SuiteLayout lay_out_suite(std::string_view root, const std::string& current_directory,
                          const std::string& stand_in) {
  SuiteLayout layout{absolute_root(root, current_directory), {}};
  if (root.empty()) {
    layout.refusals.push_back("Falta la carpeta de la suite");
    return layout;
  }
  if (unfit_for_a_root(layout.root)) {
    layout.refusals.push_back(
        "La carpeta de la suite tiene un blanco o un carácter de control: "
        "no sirve como KORVANTE_HOME");
    return layout;
  }
  const fs::path folder(layout.root);
  make_folder(folder, layout.refusals);
  if (!layout.refusals.empty()) return layout;
  make_folder(folder / "DATOS", layout.refusals);
  for (std::string_view word : program_words) link_word(folder / word, stand_in, layout.refusals);
  return layout;
}

}  // namespace korvante
