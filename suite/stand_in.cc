// The stand-in for the suite's method programs: one program installed under
// every program word. It checks the launch tag, records how it was started
// when KORVANTE_TRACE names a file, and does the least the launcher relies
// on, saying in one line what it did. Under its own name it is the suite's
// tool: it tells its version and lays out a stand-in suite.
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "console/input.h"
#include "console/posix/platform.h"
#include "launcher/launch_tag.h"
#include "suite/layout.h"
#include "suite/trace.h"

namespace {

using korvante::platform::write_all;

void say(const std::string& line) { write_all(STDOUT_FILENO, line.data(), line.size()); }

void record(const korvante::TraceRecord& words) {
  const char* trace = std::getenv("KORVANTE_TRACE");
  if (trace == nullptr || *trace == '\0') return;
  const int fd = open(trace, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) return;
  const std::string entry = korvante::encode_trace_record(words);
  write_all(fd, entry.data(), entry.size());
  close(fd);
}

bool write_file(const std::string& path, const std::string& content) {
  // O_NONBLOCK: a FIFO in a file's place must not hold the stand-in up.
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool written = write_all(fd, content.data(), content.size());
  return close(fd) == 0 && written;
}

// A file a program writes: the argument at `index` (the launch tag is 1),
// with `suffix` added, in the data folder (argument 2) unless `full_path`.
struct Output {
  std::size_t index;
  std::string_view suffix;
  bool full_path;
};

struct Program {
  std::string_view word;
  std::string_view what;
  std::vector<Output> outputs;
};

const std::vector<Program>& programs() {
  static const std::vector<Program> table = {
      {"ABACO", "ábaco de Régnier", {}},
      {"aemat", "matriz del análisis estructural", {{4, "", false}}},
      {"aegraf", "gráfico del análisis estructural", {{4, "", false}}},
      {"aeproy", "proyección del análisis estructural", {{4, "", false}}},
      {"SMICDAT", "datos SMIC", {{3, "", false}}},
      {"SMICEXP", "SMIC de un experto", {{5, "", false}, {6, "", false}}},
      {"SMICPRO", "SMIC del promedio", {}},
      {"ACOBDAT", "datos de actores y objetivos", {{3, ".dta", false}}},
      {"ACOBMAT", "matrices de actores y objetivos", {{4, "", false}}},
      {"IGODAT", "datos de importancia y gobernabilidad", {{3, ".dti", false}}},
      {"IGOCAL", "cálculo de importancia y gobernabilidad", {{4, "", false}, {5, "", false}}},
      {"IGOGRA", "gráfico de importancia y gobernabilidad", {{4, "", false}}},
      {"DELFIDAT", "datos Delphi", {{2, "", true}}},
      {"DELFICV", "cálculo Delphi", {{3, "", true}}},
  };
  return table;
}

std::string program_word(const char* argv0) {
  const std::string_view path = argv0;
  const std::size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// AEDAT names the study: it asks for the name and leaves it on the first
// line of the information file it is told to write.
int run_aedat(const std::vector<std::string>& args) {
  if (args.size() < 4) {
    say("AEDAT: faltan la carpeta de datos y el archivo de información\n");
    return 2;
  }
  say("Nombre del estudio : ");
  std::string name;
  if (korvante::read_line(name, 200) == korvante::LineRead::ended) {
    say("\nAEDAT: sin nombre de estudio, nada escrito\n");
    return 1;
  }
  const std::string path = args[2] + args[3];
  if (!write_file(path, name + "\n")) {
    say("AEDAT: no puedo escribir " + path + "\n");
    return 1;
  }
  say("AEDAT: estudio " + name + " anotado en " + path + "\n");
  return 0;
}

int run_program(const Program& program, const std::vector<std::string>& args) {
  std::string written;
  for (const Output& output : program.outputs) {
    if (output.index >= args.size() || (!output.full_path && args.size() < 3)) continue;
    const std::string path =
        (output.full_path ? "" : args[2]) + args[output.index] + std::string(output.suffix);
    if (!write_file(path, std::string(program.word) + " (sustituto)\n")) {
      say(std::string(program.word) + ": no puedo escribir " + path + "\n");
      return 1;
    }
    written += " " + path;
  }
  say(std::string(program.word) + ": " +
      (written.empty() ? std::string(program.what) + " (sustituto)" : "escrito" + written) + "\n");
  return 0;
}

constexpr std::string_view own_name = "korvante-suite";

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
  const korvante::SuiteLayout layout = korvante::lay_out_suite(root, current_directory(), self);
  if (!layout.refusals.empty()) {
    for (const std::string& line : layout.refusals) {
      const std::string text = "korvante-suite: " + line + "\n";
      write_all(STDERR_FILENO, text.data(), text.size());
    }
    return 1;
  }
  say("Suite de prueba en " + layout.root + "/ : " +
      std::to_string(std::size(korvante::program_words)) + " programas enlazados a " +
      self.string() + " y la carpeta DATOS/.\nPruébela con:\n  KORVANTE_HOME=" + layout.root +
      " korvante\n");
  return 0;
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

}  // namespace

int main(int argc, char** argv) {
  const std::string word = program_word(argc > 0 ? argv[0] : "");
  std::vector<std::string> args{word};
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  if (word == own_name) return run_as_tool(args);
  record(args);

  if (word == "DOC") {
    say("DOC: documentación de los programas de Korvante (sustituto)\n");
    return 0;
  }
  if (args.size() < 2 || args[1] != korvante::launch_tag) {
    say(word + ": se lanza solo desde el menú de Korvante\n");
    return 2;
  }
  if (word == "AEDAT") return run_aedat(args);
  for (const Program& program : programs()) {
    if (program.word == word) return run_program(program, args);
  }
  say(word + ": programa desconocido\n");
  return 2;
}
