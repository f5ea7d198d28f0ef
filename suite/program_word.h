// The program word a stand-in runs as: the name it was started by.
#pragma once

#include <string>
#include <string_view>

namespace korvante {

// The last part of `argv0`, after its last "/".
std::string posix_program_word(std::string_view argv0);

// The last part of `argv0`, after its last "\", "/" or drive colon,
// without an extension .EXE or .COM in any case: Windows starts ABACO.EXE
// for the word ABACO, and its argv[0] may be either.
std::string windows_program_word(std::string_view argv0);

}  // namespace korvante
