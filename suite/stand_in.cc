// The stand-in for the suite's method programs: one program installed under
// every program word. It checks the launch tag, records how it was started
// when KORVANTE_TRACE names a file, and does the least the launcher relies
// on, saying in one line what it did. Under its own name it is the suite's
// tool.
#include "suite/stand_in.h"

#include "console/input.h"
#include "launcher/launch_tag.h"
#include "suite/trace.h"

namespace korvante::stand_in {

namespace {

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

// AEDAT names the study: it asks for the name and leaves it on the first
// line of the information file it is told to write.
int run_aedat(const std::vector<std::string>& args) {
  if (args.size() < 4) {
    say("AEDAT: faltan la carpeta de datos y el archivo de información\n");
    return 2;
  }
  say("Nombre del estudio : ");
  std::string name;
  if (read_line(name, 200) == LineRead::ended) {
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

}  // namespace

int run(const std::vector<std::string>& args) {
  const std::string& word = args.at(0);
  if (word == own_name) return run_as_tool(args);
  append_trace(encode_trace_record(args));

  if (word == "DOC") {
    say("DOC: documentación de los programas de Korvante (sustituto)\n");
    return 0;
  }
  if (args.size() < 2 || args[1] != launch_tag) {
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

}  // namespace korvante::stand_in
