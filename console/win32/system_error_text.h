// The system's error codes in the launcher's own language: every message
// of the launcher is Spanish, whatever the language of Windows.
#pragma once

#include <windows.h>

#include <string>

namespace korvante::platform {

std::string spanish_error_text(DWORD error);

}  // namespace korvante::platform
