#include "shell/main_menu.h"

#include <string_view>

#include "console/input.h"
#include "console/output.h"
#include "console/screen.h"
#include "console/text.h"
#include "shell/selection.h"

namespace korvante {

namespace {

// Exactly 50 characters, centred with blanks.
constexpr std::string_view caption = "        KORVANTE - PROSPECTIVA ESTRATEGICA        ";

constexpr std::string_view title_box =
    "\t\t┌════════════════════════════════════════════════════┐\n"
    "\t\t│                                                    │\n"
    "\t\t│               METODOS DE KORVANTERIA               │\n"
    "\t\t│                                                    │\n"
    "\t\t└════════════════════════════════════════════════════┘\n";

constexpr std::string_view menu_box =
    "\t\t┌────────────────────────────────────────────────────┐\n"
    "\t\t│  1. ABACO : Abaco de Regnier                       │\n"
    "\t\t│  2. AE    : Análisis estructural                   │\n"
    "\t\t│  3. SMIC  : Sistema de matrices de impacto cruzado │\n"
    "\t\t│  4. ACOB  : Actores - Objetivos                    │\n"
    "\t\t│  5. IGO   : Importancia - Gobernabilidad           │\n"
    "\t\t│  6. DELFI : Delphi                                 │\n"
    "\t\t│                                                    │\n"
    "\t\t│ 10. DOC   : Documentación sobre los programas      │\n"
    "\t\t│                                                    │\n"
    "\t\t│  0.       : Termina                                │\n"
    "\t\t└────────────────────────────────────────────────────┘\n";

// Room of the pause line and of the command line the selection is typed into.
constexpr std::size_t pause_line_chars = 151;
constexpr std::size_t command_line_chars = 199;

void draw_menu() {
  clear_screen();
  print("\n\n");
  print(std::string(18, ' '));
  print(caption);
  print("\n\n");
  print(title_box);
  print("\n\n");
  print(menu_box);
  print("\n\n\t\t");
  print("    Módulo : ");
}

}  // namespace

std::optional<std::string> show_main_menu() {
  move_cursor(47, 25);
  print("Para continuar apoye <Enter> ... ");
  std::string pause_line;
  if (read_line(pause_line, pause_line_chars) == LineRead::ended) return std::nullopt;
  for (;;) {
    draw_menu();
    std::string typed;
    if (read_line(typed, command_line_chars) == LineRead::ended) return std::nullopt;
    upper_case_in_place(typed);
    const auto selection = select_module(typed);
    if (!selection) continue;
    if (*selection == "ACOB ") print(" en 4\n");
    return std::string(*selection);
  }
}

}  // namespace korvante
