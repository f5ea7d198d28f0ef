// The stand-in on POSIX: its words from argv, its files and its trace by
// open(2), and under its own name the tool that lays out a suite of links.
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "console/posix/platform.h"
#include "suite/layout.h"
#include "suite/program_word.h"
#include "suite/stand_in.h"

namespace korvante::stand_in {

namespace {

using platform::write_all;

void usage(int fd) {
  const std::string text =
      "Uso: korvante-suite --layout CARPETA   prepara en CARPETA una suite de prueba\n"
      "     korvante-suite --version          muestra la versión\n"
      "Bajo el nombre de un programa de la suite (ABACO, AEDAT, ...) hace sus veces;\n"
      "véase korvante-suite(7).\n";
  write_all(fd, text.data(), text.size());
}

std::string current_directory() {
  std::error_code error;
  const std::filesystem::path path = std::filesystem::current_path(error);
  return error ? std::string("/") : path.string();
}

// Links to this very file, wherever it was installed or built.
int lay_out(std::string_view root) {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) {
    say("korvante-suite: no sé dónde estoy: " + error.message() + "\n");
    return 1;
  }
  const SuiteLayout layout = lay_out_suite(root, current_directory(), self);
  if (!layout.refusals.empty()) {
    for (const std::string& line : layout.refusals) {
      const std::string text = "korvante-suite: " + line + "\n";
      write_all(STDERR_FILENO, text.data(), text.size());
    }
    return 1;
  }
  say("Suite de prueba en " + layout.root + "/ : " + std::to_string(std::size(program_words)) +
      " programas enlazados a " + self.string() + " y la carpeta DATOS/.\nPruébela con:\n  KORVANTE_HOME=" +
      layout.root + " korvante\n");
  return 0;
}

}  // namespace

void say(const std::string& line) { write_all(STDOUT_FILENO, line.data(), line.size()); }

bool write_file(const std::string& path, const std::string& content) {
  // O_NONBLOCK: a FIFO in a file's place must not hold the stand-in up.
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool written = write_all(fd, content.data(), content.size());
  return close(fd) == 0 && written;
}

void append_trace(const std::string& record) {
  const char* trace = std::getenv("KORVANTE_TRACE");
  if (trace == nullptr || *trace == '\0') return;
  const int fd = open(trace, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) return;
  write_all(fd, record.data(), record.size());
  close(fd);
}

int run_as_tool(const std::vector<std::string>& args) {
  if (args.size() == 2 && (args[1] == "--version" || args[1] == "-V")) {
    say(std::string(own_name) + " " + KORVANTE_VERSION + "\n");
    return 0;
  }
  if (args.size() == 2 && (args[1] == "--help" || args[1] == "-h")) {
    usage(STDOUT_FILENO);
    return 0;
  }
  if (args.size() == 3 && args[1] == "--layout") return lay_out(args[2]);
  usage(STDERR_FILENO);
  return 2;
}

}  // namespace korvante::stand_in

int main(int argc, char** argv) {
  std::vector<std::string> args{korvante::posix_program_word(argc > 0 ? argv[0] : "")};
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  return korvante::stand_in::run(args);
}
