// Start-up of the Win32 side of the console services, one call per
// service, and what the services share: the conversions at the system's
// boundary and the console's state.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace korvante::platform {

// UTF-8 inside, UTF-16 for the system: console/utf16.h does the work.
std::wstring wide(std::string_view text);
std::string narrow(std::wstring_view text);

// The value of an environment variable; nothing when it is unset.
std::optional<std::string> environment_value(const wchar_t* name);

// A standard handle that is usable: neither absent nor invalid.
HANDLE standard_handle(DWORD which);

// Whether `handle` is a console (a screen buffer or the console's input):
// only a console takes WriteConsoleW and ReadConsoleW. A character device
// that is not the console (NUL, a serial port) is not one.
bool is_console(HANDLE handle);

void start_console();
void start_screen();
void start_output();
void start_input();
void start_commands(const std::string& programs_folder);

// Around every program: while it runs the interrupt keys are its own;
// after it the console's modes are put back as they were at start-up.
void program_starts();
void program_ended();

// Ends the launcher as the interrupt keys end a program.
[[noreturn]] void end_by_interrupt();

// WriteFile of all of `data`; false when the handle refuses it.
bool write_all(HANDLE handle, const char* data, std::size_t size);

}  // namespace korvante::platform
