// A stand-in suite laid out in a folder of the user's choice, so that an
// installed launcher can be tried as the build's demo suite tries the built
// one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvante {

// Every word the launcher starts a program by.
inline constexpr std::string_view program_words[] = {
    "ABACO",   "AEDAT",   "aemat",  "aegraf", "aeproy", "SMICDAT",  "SMICEXP", "SMICPRO",
    "ACOBDAT", "ACOBMAT", "IGODAT", "IGOCAL", "IGOGRA", "DELFIDAT", "DELFICV", "DOC"};

struct SuiteLayout {
  std::string root;                   // absolute, without a trailing slash
  std::vector<std::string> refusals;  // Spanish, one line each; empty when laid out
};

// Makes `root` (relative to `current_directory` unless absolute) a suite:
// the folder and its DATOS/ folder, created as needed, and in it every
// program word as a symbolic link to `stand_in`. A link that already points
// at the stand-in is kept, so laying out twice is harmless; anything else in
// a word's place is the user's and is left alone, refused. A root the
// launcher would refuse as KORVANTE_HOME (a blank or a control character)
// is refused before anything is made.
SuiteLayout lay_out_suite(std::string_view root, const std::string& current_directory,
                          const std::string& stand_in);

}  // namespace korvante
