// The yardstick for the launcher's own start-up and memory: the least a C++
// program does to show a prompt and take one line.
#include <iostream>
#include <string>

int main() {
  std::cout << "Para continuar apoye <Enter> ... " << std::flush;
  std::string line;
  std::getline(std::cin, line);
  return 0;
}
