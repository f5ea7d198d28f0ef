// Start-up of the POSIX side of the console services, one call per service.
#pragma once

#include <cstddef>
#include <string>

namespace korvante::platform {

void start_screen();
void stop_screen();
void start_output();
void start_commands(const std::string& programs_folder);

// write(2) of all of `data`, retried on EINTR and short writes; false when
// the descriptor refuses it.
bool write_all(int fd, const char* data, std::size_t size);

}  // namespace korvante::platform
