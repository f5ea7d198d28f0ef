// The system's error numbers in the launcher's own language: every message
// of the launcher is Spanish, and strerror speaks the C locale's English.
#pragma once

#include <string>

namespace korvante::platform {

std::string spanish_error_text(int error);

}  // namespace korvante::platform
