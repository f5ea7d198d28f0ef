// The terminal screen: clearing and placing the cursor. Both act on the
// controlling terminal, whatever standard output is; with no terminal, or
// a dumb one, they do nothing.
#pragma once

namespace korvante {

// Blanks the whole screen and puts the cursor in column 1, row 1.
void clear_screen();

// Moves the cursor to `column`, `row` (counted from 1) when that cell lies
// on the screen whose size was read at start-up; otherwise does nothing.
void move_cursor(int column, int row);

}  // namespace korvante
