// The launcher's start-up and its single loop.
#pragma once

#include "launcher/suite.h"

namespace korvante {

// Clears the screen, runs the change of directory to the suite, then shows
// the menu and runs what it chooses until the user ends or the input ends.
// The program's exit status.
int run_launcher(const Suite& suite);

}  // namespace korvante
