// The pause prompt and the main menu.
#pragma once

#include <optional>
#include <string>

namespace korvante {

// The pause prompt, then the menu until a line chooses something. The
// selection ("ABACO ", ..., "DOC "), or "" to end; nothing when the typed
// input has ended.
std::optional<std::string> show_main_menu();

}  // namespace korvante
