// The whole launcher, in process on the recording console, driven by
// libFuzzer: the bytes say what the user types and how the suite's programs
// behave. Checked on every input: each command line against the pieces the
// method builds it from, the order of each method's programs, the answer
// the screen gives to each typed line, and the end of the program.
//
// Layout of an input: the bytes before the first 0x00 describe the suite,
// the bytes after it are typed. Without a 0x00 everything is typed and the
// suite is the plain one in which AEDAT writes nothing.
//
// The suite part: its first byte holds flags, the rest is the content AEDAT
// writes as the information file.
//   bits 0-1  0: AEDAT writes nothing; 1: it writes "aeinfo.tmp";
//             2: "AEINFO.TMP"; 3: "AeInfo.Tmp"
//   bit 2     the information file AEDAT writes cannot be opened (a FIFO)
//   bit 3     an old "AEINFO.TMP" holding "VIEJO" is there from the start
//   bit 4     aemat removes every information file
//   bit 5     aeproy on ae.mdi rewrites the information file with what
//             follows its first line (the study renamed under the launcher)
//   bit 6     the data file DELFIDAT leaves cannot be opened
//   bit 7     some programs fail: ABACO and IGOCAL are not found, DOC,
//             ACOBMAT and aegraf are killed by a signal, DELFIDAT cannot
//             start, SMICPRO is not found
// DELFIDAT always leaves the data file it is given, so that a second visit
// with the same root finds the data set.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "console/files.h"
#include "console/line_reader.h"
#include "console/words.h"
#include "console/text.h"
#include "launcher/launch_tag.h"
#include "shell/main_loop.h"
#include "tests/fakes/fake_console.h"

namespace {

using korvante::fake::Console;

constexpr std::string_view root = "/K";
const std::string programs_folder = "/K/";
const std::string data = "/K/DATOS/";
const std::string tag(korvante::launch_tag);

// Rooms of the typed lines, as the dialogue asks for them.
constexpr std::size_t menu_line_chars = 199;
constexpr std::size_t choice_chars = 51;
constexpr std::size_t root_chars = 19;
constexpr std::size_t code_chars = 19;
constexpr std::size_t study_name_chars = 49;
// The submenu choice that only draws it again; also the one a visit starts with.
constexpr int redraw = 9;

// Screen text standing right before a line is typed, or right after one.
const std::string pause_prompt = "{move 47,25}Para continuar apoye <Enter> ... ";
const std::string menu_start = "{clear}\n\n" + std::string(18, ' ') + "        KORVANTE - PROSPECTIVA ESTRATEGICA        ";
const std::string menu_prompt = "\n\n\t\t    Módulo : ";
const std::string acob_prompt = "{clear}\n\n\n\tArchivo de datos (digite solo la raíz) : ";
const std::string igo_prompt = "{clear}\n\n\n\tArchivo de datos (digite solo la raiz) : ";
const std::string delfi_prompt = "{clear}\n\n\n  Nombre del archivo para los datos (digite solo la raiz) : ";
const std::string submenu_start = "{clear}{move 1,7}\t\t  SISTEMA DE MATRICES DE IMPACTO CRUZADO - SMIC\n\n";
const std::string submenu_end = "└────────────────────────────────┘\n\t\t\t          ";
const std::string expert_prompt = "\t\t\tClave del experto : ";
const std::string information_file = "aeinfo.tmp";  // as AEDAT is told
const std::string not_found = "\nNo encuentro <" + data + "AEINFO.TMP>\n";
const std::string bad_study_name = "\nNombre de estudio no válido en <" + data;

enum Flag : unsigned {
  info_name_mask = 0x03,
  info_unreadable = 0x04,
  stale_info = 0x08,
  aemat_removes_info = 0x10,
  aeproy_renames_study = 0x20,
  delphi_unreadable = 0x40,
  programs_fail = 0x80,
};

// How the failing programs of bit 7 end, and the line that names each.
struct Failing {
  std::string_view word;
  korvante::CommandResult result;
  std::string_view line;
};
const Failing failing_programs[] = {
    {"ABACO", {korvante::RunOutcome::not_found, 0, ""}, "ABACO: no se encuentra el programa"},
    {"IGOCAL", {korvante::RunOutcome::not_found, 0, ""}, "IGOCAL: no se encuentra el programa"},
    {"DOC", {korvante::RunOutcome::signalled, 9, ""}, "DOC: terminó por la señal 9"},
    {"ACOBMAT", {korvante::RunOutcome::signalled, 11, ""}, "ACOBMAT: terminó por la señal 11"},
    {"aegraf", {korvante::RunOutcome::signalled, 6, ""}, "aegraf: terminó por la señal 6"},
    {"DELFIDAT", {korvante::RunOutcome::cannot_start, 0, "permiso denegado"},
     "DELFIDAT: no se puede iniciar: permiso denegado"},
    {"SMICPRO", {korvante::RunOutcome::not_found, 0, ""}, "SMICPRO: no se encuentra el programa"},
};

struct Suite {
  unsigned flags = 0;
  std::string info;  // what AEDAT writes
};

// Text the transcript must hold at an offset once the program has ended.
struct Expectation {
  std::size_t at;
  std::string text;
};

struct State {
  Suite suite;
  Console* console = nullptr;
  // The typed input cut into the lines the dialogue can read, raw: the
  // k-th call of read_line gets the k-th line, or the end of the input.
  std::vector<std::string_view> lines;
  std::vector<std::string> next_lines;  // the rest of the running method's lines, in order
  std::size_t next_line = 0;
  std::string closing;                  // shown right after the method's last program
  std::string study;                    // the study name the analysis programs were given
  std::vector<std::string> failures;    // the running method's failure lines
  std::vector<Expectation> shown_after;
  std::size_t commands_checked = 0;
  std::size_t reads_at_last_run = 0;
  std::size_t end_of_last_run = 0;      // transcript offset just after the last "{run ...}"
};

State state;

// Failures print the offending text with control and non-ASCII bytes
// escaped, so that the report can be pasted back as a test.
void print_escaped(std::string_view text) {
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      std::fputc(c, stderr);
    } else {
      std::fprintf(stderr, "\\x%02X", c);
    }
  }
}

[[noreturn]] void fail(const char* what, std::string_view found, std::string_view expected = {}) {
  std::fprintf(stderr, "\n==== dialogue_fuzzer: %s\n  found:    \"", what);
  print_escaped(found);
  std::fprintf(stderr, "\"\n");
  if (!expected.empty()) {
    std::fprintf(stderr, "  expected: \"");
    print_escaped(expected);
    std::fprintf(stderr, "\"\n");
  }
  if (state.console != nullptr) {
    std::fprintf(stderr, "  typed:    \"");
    print_escaped(state.console->input);
    std::fprintf(stderr, "\"\n  commands:\n");
    for (const std::string& line : state.console->commands) {
      std::fprintf(stderr, "    \"");
      print_escaped(line);
      std::fprintf(stderr, "\"\n");
    }
  }
  std::abort();
}

void check(bool holds, const char* what, std::string_view found, std::string_view expected = {}) {
  if (!holds) fail(what, found, expected);
}

// The lines a reader can take from `typed`: split at line feeds, up to the
// 0x1A that ends the input; an unterminated last line counts.
std::vector<std::string_view> typed_lines(std::string_view typed) {
  typed = typed.substr(0, std::min(typed.find('\x1A'), typed.size()));
  std::vector<std::string_view> lines;
  while (!typed.empty()) {
    const std::size_t feed = std::min(typed.find('\n'), typed.size());
    lines.push_back(typed.substr(0, feed));
    typed.remove_prefix(std::min(feed + 1, typed.size()));
  }
  return lines;
}

// A typed line as the dialogue gets it before any cut: carriage returns
// dropped, the text stops at a NUL.
std::string as_read(std::string_view raw) {
  std::string text;
  for (char c : raw) {
    if (c == '\r') continue;
    if (c == '\0') break;
    text.push_back(c);
  }
  return text;
}

bool fits(std::string_view text, std::size_t chars) { return korvante::utf8_length(text) <= chars; }

// What a line typed at the main menu chooses: "" ends, nothing redraws.
// The rules are written out here again, so that the check does not lean on
// the code it checks: in this order, the entry's number as the whole line
// or its word anywhere in the upper-cased line; else a leading "0" ends.
std::optional<std::string_view> menu_choice(std::string_view raw) {
  struct Entry {
    std::string_view number, word, selection;
  };
  static constexpr Entry entries[] = {
      {"1", "ABACO", "ABACO "}, {"2", "AE", "AE "},   {"3", "SMIC", "SMIC "},   {"4", "ACOB", "ACOB "},
      {"5", "IGO", "IGO "},     {"6", "DELFI", "DELFI "}, {"10", "DOC", "DOC "},
  };
  std::string typed(korvante::utf8_prefix(as_read(raw), menu_line_chars));
  for (char& ch : typed) {
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  }
  for (const Entry& entry : entries) {
    if (typed == entry.number || typed.find(entry.word) != std::string::npos) return entry.selection;
  }
  if (typed.starts_with('0')) return std::string_view();
  return std::nullopt;
}

// The submenu choice after the line `raw`: an empty line redraws, a number
// at the start chooses, text without one repeats the visit's last choice.
int submenu_choice(std::string_view raw, int previous) {
  const std::string typed(korvante::utf8_prefix(as_read(raw), choice_chars));
  if (typed.empty()) return redraw;
  return korvante::parse_decimal(typed).value_or(previous);
}

// Whether a name can become a word of a command line and a file name in
// the data folder: no blank (two words), no "/" (out of the folder), no
// control character (C0, DEL, or C1 written as C2 80..C2 9F in UTF-8).
bool has_control(std::string_view text);
bool safe_name(std::string_view name) {
  return name.find_first_of(" /") == std::string_view::npos && !has_control(name);
}

bool has_control(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c == 0x7F) return true;
    if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
        static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
      return true;
    }
  }
  return false;
}

bool acceptable_root(const std::string& typed) {
  return !typed.empty() && typed.find('.') == std::string::npos && fits(typed, root_chars) && safe_name(typed);
}

// An expert code may be empty or hold a ".".
bool acceptable_code(const std::string& typed) { return fits(typed, code_chars) && safe_name(typed); }

bool acceptable_study(const std::string& name) { return !name.empty() && safe_name(name); }

// The last line the dialogue read; a program only runs after a read that
// gave a line.
std::string_view last_typed_line(const Console& c) {
  check(!c.reads.empty() && c.reads.size() <= state.lines.size(), "a program ran with no typed line before it",
        c.commands.back());
  return state.lines[c.reads.size() - 1];
}

// The first line of a file's content as the dialogue is to get it: the
// line reader, reading no further than the room.
std::optional<std::string> first_line(const std::string& content, std::size_t max_chars) {
  std::size_t at = 0;
  korvante::ByteStream in{[&]() -> int {
    if (at == content.size()) return -1;
    return static_cast<unsigned char>(content[at++]);
  }};
  std::string line;
  if (korvante::read_text_line(in, line, max_chars, korvante::LineRest::leave) == korvante::LineRead::ended) {
    return std::nullopt;
  }
  return line;
}

bool readable(const Console& c, const std::string& path) {
  return c.files.count(path) > 0 && c.unreadable.count(path) == 0;
}

// The information file as it lies now: the name AEDAT is told, else any
// other casing.
std::string information_path(const Console&) { return korvante::find_ignoring_case(data, information_file); }

// The study name in the information file as it lies now.
std::optional<std::string> study_name_now(const Console& c) {
  const std::string path = information_path(c);
  if (!readable(c, path)) return std::nullopt;
  return first_line(c.files.at(path), study_name_chars);
}

void remove_information_files(Console& c) {
  for (auto it = c.files.begin(); it != c.files.end();) {
    std::string name = it->first;
    korvante::upper_case_in_place(name);
    it = name == data + "AEINFO.TMP" ? c.files.erase(it) : std::next(it);
  }
}

// The program word, the launch tag, then one blank before each argument.
std::string line_of(std::string_view word, std::initializer_list<std::string_view> arguments) {
  std::string line(word);
  line += ' ';
  line += tag;
  for (std::string_view argument : arguments) {
    line += ' ';
    line += argument;
  }
  return line;
}

void expect_lines(std::vector<std::string> lines, std::string closing = {}) {
  state.next_lines = std::move(lines);
  state.next_line = 0;
  state.closing = std::move(closing);
}

void expect_shown(std::size_t at, std::string text) { state.shown_after.push_back({at, std::move(text)}); }

bool ends_with(std::string_view text, std::size_t end, std::string_view tail) {
  return end >= tail.size() && text.substr(end - tail.size(), tail.size()) == tail;
}

void check_answers(std::string_view line, std::size_t run_at, std::string_view prompt) {
  check(ends_with(state.console->transcript, run_at, prompt), "a program ran without its prompt right before it", line,
        prompt);
}

// The line naming the failure of `word`'s program, when the suite makes it fail.
std::optional<std::string> failure_of(std::string_view word) {
  if ((state.suite.flags & programs_fail) == 0) return std::nullopt;
  for (const Failing& failing : failing_programs) {
    if (failing.word == word) return std::string(failing.line);
  }
  return std::nullopt;
}

// What follows a method's last program: its result, or, when a program
// failed, the failure lines in its place, at column 12 from row 12.
std::string closing_of(const std::vector<std::string>& failures, bool cleared, const std::string& result) {
  if (failures.empty()) return result + pause_prompt;
  std::string shown = cleared ? "{clear}" : "";
  int row = 12;
  for (const std::string& failure : failures) shown += "{move 12," + std::to_string(row++) + "}" + failure + "\n";
  return shown + pause_prompt;
}

// The submenu as drawn in a visit where SMICPRO has failed, or not.
std::string submenu_drawing(bool pro_failed) {
  return pro_failed ? "{clear}" + std::string(failing_programs[6].line) + "\n" + submenu_start.substr(7) : submenu_start;
}

// Whether SMICPRO failed since the submenu was last entered from the menu:
// its failure then stands above every drawing of the submenu.
bool smicpro_failed_in_visit(const Console& c, std::size_t run_end) {
  if (!failure_of("SMICPRO")) return false;
  const std::size_t visit = c.transcript.rfind(menu_prompt, run_end);
  return c.transcript.find("{run SMICPRO ", visit) < run_end;
}

std::string delphi_message(const std::string& data_file, const std::string& result_file) {
  return "{clear}{move 12,12}Archivo de datos     : " + data_file + "\n" +
         "{move 12,14}Archivo de reultados : " + result_file + "\n";
}

// The suite's programs as the suite part says they behave.
void play_aedat(Console& c) {
  static constexpr const char* names[] = {nullptr, "aeinfo.tmp", "AEINFO.TMP", "AeInfo.Tmp"};
  if (const char* name = names[state.suite.flags & info_name_mask]) {
    c.files[data + name] = state.suite.info;
    if ((state.suite.flags & info_unreadable) != 0) c.unreadable.insert(data + name);
  }
}

void play_analysis_step(Console& c, const std::string& line) {
  const unsigned flags = state.suite.flags;
  if (line.starts_with("aemat ") && (flags & aemat_removes_info) != 0) remove_information_files(c);
  if (line.starts_with("aeproy ") && line.find(" ae.mdi ") != std::string::npos &&
      (flags & aeproy_renames_study) != 0) {
    const std::string path = information_path(c);
    if (c.files.count(path) > 0) {
      std::string& content = c.files[path];
      const std::size_t feed = content.find('\n');
      content = feed == std::string::npos ? std::string() : content.substr(feed + 1);
    }
  }
}

void on_aedat(Console& c, std::size_t run_end) {
  play_aedat(c);
  const std::optional<std::string> name = study_name_now(c);
  if (!name) {
    // Nothing to analyse: the launcher says so and waits for a line.
    expect_shown(run_end, not_found);
    return;
  }
  if (!acceptable_study(*name)) {
    // A name that would split, leave the data folder or reach the
    // terminal raw: said, with the file as it lies, and a wait.
    expect_shown(run_end, bad_study_name + information_path(c).substr(data.size()) + ">: ");
    return;
  }
  state.study = *name;
  const std::string results = *name + ".rse";
  expect_lines({line_of("aemat", {data, *name + ".dte", results}), line_of("aegraf", {data, "ae.mdd", results}),
                line_of("aeproy", {data, "ae.mdd", results}), line_of("aegraf", {data, "ae.mdi", results}),
                line_of("aeproy", {data, "ae.mdi", results}), line_of("aegraf", {data, "ae.mm", results})});
}

void on_command(const std::string& line) {
  Console& c = *state.console;
  ++state.commands_checked;
  check(c.commands.size() == state.commands_checked && c.commands.back() == line,
        "a command line was run without being recorded", line);
  const std::size_t run_end = c.transcript.size();
  const std::size_t run_record = line.size() + 6;  // "{run " + line + "}"
  check(run_end >= run_record && c.transcript.compare(run_end - run_record, 5, "{run ") == 0 &&
            c.transcript.compare(run_end - line.size() - 1, line.size(), line) == 0 && c.transcript.back() == '}',
        "the run is not the last thing on the transcript", line);
  const std::size_t run_at = run_end - run_record;
  check(c.open_files == 0, "a file is open while a program runs", line);
  check(!has_control(line), "a command line holds a control character", line);

  const bool same_method = state.next_line < state.next_lines.size();
  const bool nothing_between = run_at == state.end_of_last_run && c.reads.size() == state.reads_at_last_run;
  state.end_of_last_run = run_end;
  state.reads_at_last_run = c.reads.size();

  if (c.commands.size() == 1) {
    check(c.transcript == "{clear}{run cd /K}", "the start-up is not a cleared screen and the change to the suite",
          c.transcript, "{clear}{run cd /K}");
    return;
  }

  const std::string_view word = std::string_view(line).substr(0, line.find(' '));
  if (!same_method) state.failures.clear();
  if (const std::optional<std::string> failure = failure_of(word)) state.failures.push_back(*failure);

  if (same_method) {
    // The programs of one method follow one another with nothing shown
    // or read between them, whether the one before did its work or not.
    const std::string& expected = state.next_lines[state.next_line++];
    check(line == expected, "a method's programs are not run in their order", line, expected);
    check(nothing_between, "something was shown or read between the programs of one method", line);
    play_analysis_step(c, line);
    if (state.next_line < state.next_lines.size()) return;
    if (line.starts_with("aegraf ")) {
      // Read afresh: the sequence may have renamed or removed the study;
      // a name that cannot be shown leaves the first one.
      const std::optional<std::string> now = study_name_now(c);
      const std::string shown = now && acceptable_study(*now) ? *now : state.study;
      state.closing = closing_of(state.failures, false,
                                 "{move 12,12}Archivo de resultados : " +
                                     korvante::find_ignoring_case(data, shown + ".rse") + "\n");
    } else if (line.starts_with("ACOBMAT ")) {
      state.closing = closing_of(state.failures, false, state.closing);
    } else {
      state.closing = closing_of(state.failures, true, state.closing);
    }
    expect_shown(run_end, state.closing);
    return;
  }

  const std::string typed = as_read(last_typed_line(c));
  if (word == "DOC" || word == "ABACO" || word == "AEDAT") {
    const std::string expected = word == "DOC"     ? std::string("DOC ")
                                 : word == "ABACO" ? line_of("ABACO", {programs_folder, data})
                                                   : line_of("AEDAT", {data, "aeinfo.tmp", "dte"});
    check(line == expected, "a line with fixed arguments", line, expected);
    check_answers(line, run_at, menu_prompt);
    if (word == "AEDAT") {
      on_aedat(c, run_end);
    } else {
      // Nothing around them but the pause, and their failure.
      expect_shown(run_end, (state.failures.empty() ? "" : "\n" + state.failures[0] + "\n") + pause_prompt);
    }
  } else if (word == "SMICDAT" || word == "SMICPRO") {
    const std::string expected = word == "SMICDAT" ? line_of("SMICDAT", {data, "SMICINFO.EST", "DTS"})
                                                   : line_of("SMICPRO", {data, "SMICINFO.EST", "DTS", "RSP", "PRO"});
    check(line == expected, "a line with fixed arguments", line, expected);
    check_answers(line, run_at, submenu_end);
    expect_shown(run_end, submenu_drawing(smicpro_failed_in_visit(c, run_end)));
  } else if (word == "SMICEXP") {
    check(acceptable_code(typed), "an expert code that the prompt refuses reached SMICEXP", line, typed);
    const std::string expected =
        line_of("SMICEXP", {data, "SMICINFO.EST", typed + ".DTS", typed + ".RSS", typed + ".RSP"});
    check(line == expected, "SMICEXP's line is not built from the typed code", line, expected);
    check_answers(line, run_at, expert_prompt);
    expect_shown(run_end, submenu_drawing(smicpro_failed_in_visit(c, run_end)));
  } else if (word == "ACOBDAT" || word == "IGODAT") {
    check(acceptable_root(typed), "a root that the prompt refuses reached a program", line, typed);
    const std::string& r = typed;
    const bool acob = word == "ACOBDAT";
    const std::string expected = line_of(word, {data, r});
    check(line == expected, "the first line of a method is not built from the typed root", line, expected);
    check_answers(line, run_at, acob ? acob_prompt : igo_prompt);
    // The messages name the result files as they lie, in any case.
    auto result_file = [&](const std::string& told) { return korvante::find_ignoring_case(data, told); };
    if (acob) {
      // Over the last program's screen: not cleared.
      expect_lines({line_of("ACOBMAT", {data, r + ".dta", r + ".rsa"})},
                   "{move 12,12}Archivo de resultados : " + result_file(r + ".rsa") + "\n");
    } else {
      expect_lines({line_of("IGOCAL", {data, r + ".dti", r + ".rsi", r + ".tmp"}),
                    line_of("IGOGRA", {data, r + ".tmp", r + ".rgi"})},
                   "{clear}{move 12,12}Archivo de resultados : " + result_file(r + ".rsi") + "\n" +
                       "{move 12,14}Archivo de graficos   : " + result_file(r + ".rgi") + "\n");
    }
  } else if (word == "DELFIDAT" || word == "DELFICV") {
    check(acceptable_root(typed), "a root that the prompt refuses reached a program", line, typed);
    const std::string data_file = data + typed + ".ddf";
    const std::string result_file = data + typed + ".rdf";
    check_answers(line, run_at, delfi_prompt);
    check(c.unreadable.count(data_file) == 0, "a Delphi program ran on a data file that cannot be read", line);
    if (word == "DELFIDAT") {
      check(line == line_of("DELFIDAT", {data_file}), "DELFIDAT's line is not built from the typed root", line,
            line_of("DELFIDAT", {data_file}));
      check(!readable(c, data_file), "DELFIDAT ran for a data set whose data file is there", line);
      // A DELFIDAT that could not start leaves nothing behind.
      if (state.failures.empty()) {
        c.files[data_file] = "D\n";
        if ((state.suite.flags & delphi_unreadable) != 0) c.unreadable.insert(data_file);
      }
      expect_lines({line_of("DELFICV", {data_file, result_file})}, delphi_message(data_file, result_file));
    } else {
      check(line == line_of("DELFICV", {data_file, result_file}), "DELFICV's line is not built from the typed root",
            line, line_of("DELFICV", {data_file, result_file}));
      check(readable(c, data_file), "DELFICV ran alone for a new data set", line);
      expect_shown(run_end, closing_of(state.failures, true, delphi_message(data_file, result_file)));
    }
  } else {
    fail("a command line that is neither the start-up, DOC, nor the first program of a method", line);
  }
}

// Whether the read at `at` is the wait after a study name that was refused:
// the message follows AEDAT's run at once, and no line was read since.
bool after_bad_study_name(std::string_view transcript, std::size_t previous_read, std::size_t at) {
  const std::string aedat = "{run " + line_of("AEDAT", {data, "aeinfo.tmp", "dte"}) + "}";
  // The first such run after the previous read: the name itself may hold
  // the text of one.
  const std::size_t run = transcript.find(aedat, previous_read);
  return run != std::string_view::npos && run < at &&
         transcript.compare(run + aedat.size(), bad_study_name.size(), bad_study_name) == 0;
}

// Every typed line gets the answer its prompt promises: what the screen
// shows from that read up to the next one starts as it should.
void check_every_answer(const Console& c) {
  const std::string_view transcript(c.transcript);
  int smic_choice = redraw;
  bool pro_failed = false;  // SMICPRO failed in this visit to the submenu
  std::set<std::string> unreadable_data;  // roots whose data file DELFIDAT left unreadable
  for (std::size_t k = 0; k < c.reads.size(); ++k) {
    const std::size_t at = c.reads[k];
    const std::size_t next = k + 1 < c.reads.size() ? c.reads[k + 1] : transcript.size();
    const std::string_view shown = transcript.substr(at, next - at);
    if (k >= state.lines.size()) {
      check(shown.empty(), "something was shown after the input had ended", shown);
      continue;
    }
    const std::string_view raw = state.lines[k];
    const std::string typed = as_read(raw);
    auto answer = [&](std::string_view start, const char* what) {
      check(shown.starts_with(start), what, shown.substr(0, start.size() + 40), start);
    };
    if (ends_with(transcript, at, pause_prompt)) {
      answer(menu_start, "Enter at the pause does not draw the menu");
    } else if (ends_with(transcript, at, menu_prompt)) {
      const std::optional<std::string_view> chosen = menu_choice(raw);
      if (!chosen) {
        answer(menu_start, "a line choosing nothing does not draw the menu again");
      } else if (chosen->empty()) {
        check(shown.empty() && k + 1 == c.reads.size(), "a line beginning with 0 does not end the program", shown);
      } else if (*chosen == "ABACO ") {
        answer("{run ABACO ", "ABACO chosen but not run");
      } else if (*chosen == "AE ") {
        answer("{run AEDAT ", "AE chosen but AEDAT not run");
      } else if (*chosen == "SMIC ") {
        smic_choice = redraw;
        pro_failed = false;
        answer(submenu_start, "SMIC chosen but its submenu not shown");
      } else if (*chosen == "ACOB ") {
        answer(" en 4\n" + acob_prompt, "ACOB chosen but not announced and its root not asked for");
      } else if (*chosen == "IGO ") {
        answer(igo_prompt, "IGO chosen but its root not asked for");
      } else if (*chosen == "DELFI ") {
        answer(delfi_prompt, "DELFI chosen but its root not asked for");
      } else {
        answer("{run DOC }", "DOC chosen but not run");
      }
    } else if (ends_with(transcript, at, submenu_end)) {
      smic_choice = submenu_choice(raw, smic_choice);
      switch (smic_choice) {
        case 0: answer(pause_prompt, "0 in the submenu does not go back to the main menu"); break;
        case 1: answer("{run SMICDAT ", "1 in the submenu does not run SMICDAT"); break;
        case 2: answer(expert_prompt, "2 in the submenu does not ask for the expert"); break;
        case 3:
          answer("{run SMICPRO ", "3 in the submenu does not run SMICPRO");
          pro_failed = pro_failed || failure_of("SMICPRO");
          break;
        default:
          answer(submenu_drawing(pro_failed), "a choice without a program does not draw the submenu again");
          break;
      }
    } else if (ends_with(transcript, at, expert_prompt)) {
      if (acceptable_code(typed)) {
        answer("{run SMICEXP ", "an acceptable expert code does not run SMICEXP");
      } else {
        answer(expert_prompt, "a refused expert code is not asked for again");
      }
    } else if (ends_with(transcript, at, acob_prompt) || ends_with(transcript, at, igo_prompt) ||
               ends_with(transcript, at, delfi_prompt)) {
      const std::string& prompt = ends_with(transcript, at, acob_prompt)  ? acob_prompt
                                  : ends_with(transcript, at, igo_prompt) ? igo_prompt
                                                                          : delfi_prompt;
      if (!acceptable_root(typed)) {
        answer(prompt, "a refused root is not asked for again on a cleared screen");
      } else if (prompt == delfi_prompt && unreadable_data.count(typed) > 0) {
        answer("{clear}{move 12,12}No puedo usar el archivo de datos <" + data + typed + ".ddf>: no se puede leer\n" +
                   pause_prompt,
               "a Delphi data file that cannot be read is not refused");
      } else {
        if (prompt == delfi_prompt && shown.starts_with("{run DELFIDAT ") && (state.suite.flags & delphi_unreadable) != 0 &&
            !failure_of("DELFIDAT")) {
          unreadable_data.insert(typed);
        }
        const std::string_view first = prompt == acob_prompt  ? "{run ACOBDAT "
                                       : prompt == igo_prompt ? "{run IGODAT "
                                                              : "{run DELFI";
        answer(first, "an accepted root does not start the method");
      }
    } else if (ends_with(transcript, at, not_found) || after_bad_study_name(transcript, k > 0 ? c.reads[k - 1] : 0, at)) {
      answer(pause_prompt, "the line after a missing information file or a bad study name does not lead to the pause");
    } else {
      fail("a line was read with no prompt before it",
           transcript.substr(at - std::min<std::size_t>(at, 80), std::min<std::size_t>(at, 80)));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(bytes), size);
  const std::size_t split = input.find('\0');
  const std::string_view suite_part = split == std::string_view::npos ? std::string_view() : input.substr(0, split);
  const std::string_view typed = split == std::string_view::npos ? input : input.substr(split + 1);

  state = State{};
  if (!suite_part.empty()) {
    state.suite.flags = static_cast<unsigned char>(suite_part[0]);
    state.suite.info = std::string(suite_part.substr(1));
  }
  Console& c = korvante::fake::reset(std::string(typed));
  state.console = &c;
  state.lines = typed_lines(c.input);
  if ((state.suite.flags & stale_info) != 0) c.files[data + "AEINFO.TMP"] = "VIEJO\n";
  if ((state.suite.flags & programs_fail) != 0) {
    for (const Failing& failing : failing_programs) c.results[std::string(failing.word)] = failing.result;
  }
  c.on_command = on_command;

  const int status = korvante::run_launcher(korvante::posix_suite(root));

  check(status == 0, "the launcher ended with a status other than 0", std::to_string(status));
  check(state.commands_checked == c.commands.size() && !c.commands.empty() && c.commands[0] == "cd /K",
        "the start-up change to the suite is missing", c.commands.empty() ? "" : c.commands[0]);
  check(state.next_line == state.next_lines.size(), "the program ended in the middle of a method",
        state.next_line < state.next_lines.size() ? state.next_lines[state.next_line] : "");
  check(c.open_files == 0, "a file is left open", std::to_string(c.open_files));

  // The end: either a read answered that the input had ended, after which
  // nothing more was asked, or a line beginning with "0" at the menu.
  check(c.reads_after_end == 0, "typed lines were asked for after the input had ended",
        std::to_string(c.reads_after_end));
  check(c.reads.size() <= state.lines.size() + 1, "more lines were asked for than were typed",
        std::to_string(c.reads.size()), std::to_string(state.lines.size() + 1));
  if (c.input_end_reported) {
    check(c.reads.size() == state.lines.size() + 1, "the input was reported ended before its last line",
          std::to_string(c.reads.size()), std::to_string(state.lines.size() + 1));
  } else {
    const bool read_a_line = !c.reads.empty() && c.reads.size() <= state.lines.size();
    const std::string_view last = read_a_line ? state.lines[c.reads.size() - 1] : std::string_view();
    const std::optional<std::string_view> chosen = menu_choice(last);
    check(read_a_line && ends_with(c.transcript, c.reads.back(), menu_prompt) &&
              as_read(last).starts_with('0') && chosen && chosen->empty(),
          "the program ended before its input without a \"0\" at the menu", last);
  }

  check(c.transcript.size() <= 20000 * (state.lines.size() + 1),
        "the screen output is out of proportion to the typed lines", std::to_string(c.transcript.size()));
  for (const Expectation& e : state.shown_after) {
    check(c.transcript.compare(e.at, e.text.size(), e.text) == 0, "the screen right after a run is not as expected",
          std::string_view(c.transcript).substr(e.at, e.text.size() + 40), e.text);
  }
  check_every_answer(c);

  // Everything this input allocated is let go now: memory kept from one
  // input to the next makes libFuzzer rerun the input hunting for a leak.
  state = State{};
  korvante::fake::reset({});
  return 0;
}
