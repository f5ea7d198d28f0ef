// Which typed or read names may become file names in the data folder: a
// data-set root, an expert code, a study name. A name reaches the programs
// as one word of a command line split at blanks, and it is printed back to
// the terminal, so it must hold no blank, no folder separator and no
// control character.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvante {

enum class NameFault {
  empty,
  blank,             // would split into two words
  slash,             // would leave the data folder
  control,           // C0, DEL or C1: the terminal would obey it
  windows_character, // \ : * ? " < > |, or bytes that are not UTF-8
  windows_device,    // CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an extension
};

// The rules of the platform the programs run on: Windows refuses more.
enum class NameRules { posix, windows };

// The first fault of `name` under `rules`, or nothing when it is usable.
// An empty name is reported as such; callers that accept one skip it.
std::optional<NameFault> name_fault(std::string_view name, NameRules rules);

// Whether `text` holds a control character: C0, DEL, or C1 in UTF-8.
bool has_control_character(std::string_view text);

// `text` with every control character written as \xNN, so that it can be
// shown without the terminal acting on it.
std::string printable(std::string_view text);

}  // namespace korvante
