// The launch tag: the first argument of every method program's command
// line. The suite's programs refuse to run without it, so that they are
// started from the menu and not by hand.
#pragma once

#include <string_view>

namespace korvante {

inline constexpr std::string_view launch_tag = "¤§";

}  // namespace korvante
