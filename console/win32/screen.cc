#include "console/screen.h"

#include "console/win32/platform.h"

namespace korvante {

namespace {
// The console's screen buffer when standard output is one; the size and
// the colours are those of start-up, read once.
HANDLE screen = nullptr;
int screen_columns = 0;
int screen_rows = 0;
WORD blank_attribute = 0;
}  // namespace

void platform::start_screen() {
  const HANDLE output = standard_handle(STD_OUTPUT_HANDLE);
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (output == nullptr || !GetConsoleScreenBufferInfo(output, &info)) return;
  screen = output;
  screen_columns = info.dwSize.X;
  screen_rows = info.dwSize.Y;
  blank_attribute = info.wAttributes;
}

// The whole buffer, not only the part that shows in the window.
void clear_screen() {
  if (screen == nullptr) return;
  const DWORD cells = static_cast<DWORD>(screen_columns) * static_cast<DWORD>(screen_rows);
  const COORD top_left{0, 0};
  DWORD written = 0;
  FillConsoleOutputCharacterW(screen, L' ', cells, top_left, &written);
  FillConsoleOutputAttribute(screen, blank_attribute, cells, top_left, &written);
  SetConsoleCursorPosition(screen, top_left);
}

void move_cursor(int column, int row) {
  if (screen == nullptr || column < 1 || column > screen_columns || row < 1 || row > screen_rows) return;
  SetConsoleCursorPosition(screen, COORD{static_cast<SHORT>(column - 1), static_cast<SHORT>(row - 1)});
}

}  // namespace korvante
