// Setting up and ending the console and command services.
#pragma once

#include <string>

namespace korvante {

// Reads the terminal's size, decides how standard output is buffered and
// remembers where the suite's programs are looked up first. Called once,
// before anything is shown.
void start_services(const std::string& programs_folder);

// Writes out pending output, lets go of the terminal and ends the program.
[[noreturn]] void exit_program(int status);

}  // namespace korvante
