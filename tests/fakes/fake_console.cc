#include "tests/fakes/fake_console.h"

#include <string_view>

#include "console/command.h"
#include "console/files.h"
#include "console/input.h"
#include "console/output.h"
#include "console/screen.h"

namespace korvante {

namespace fake {
namespace {
Console the_console;
ByteStream typed_input;
// Open files by handle: the content and how far it has been read.
std::map<int, std::string> open_contents;
int next_handle = 3;
}  // namespace

Console& reset(std::string typed) {
  the_console = Console{};
  the_console.input = std::move(typed);
  typed_input = ByteStream{[]() -> int {
    if (the_console.input_at == the_console.input.size()) return -1;
    return static_cast<unsigned char>(the_console.input[the_console.input_at++]);
  }};
  open_contents.clear();
  return the_console;
}

Console& console() { return the_console; }
}  // namespace fake

using fake::the_console;

void clear_screen() { the_console.transcript += "{clear}"; }

void move_cursor(int column, int row) {
  the_console.transcript += "{move " + std::to_string(column) + "," + std::to_string(row) + "}";
}

void print(std::string_view text) { the_console.transcript += text; }

void print_error(std::string_view text) { the_console.transcript += "{error " + std::string(text) + "}"; }

void flush_output() {}

LineRead read_line(std::string& line, std::size_t max_chars) {
  the_console.reads.push_back(the_console.transcript.size());
  if (the_console.input_end_reported) ++the_console.reads_after_end;
  const LineRead read = read_text_line(fake::typed_input, line, max_chars);
  if (read == LineRead::ended) the_console.input_end_reported = true;
  return read;
}

CommandResult run_command(std::string_view command_line) {
  const std::string line(command_line);
  the_console.commands.push_back(line);
  the_console.transcript += "{run " + line + "}";
  if (the_console.on_command) the_console.on_command(line);
  const std::string word = line.substr(0, line.find(' '));
  const auto result = the_console.results.find(word);
  return result == the_console.results.end() ? CommandResult{} : result->second;
}

std::optional<TextFile> open_for_reading(const std::string& path) {
  const auto found = the_console.files.find(path);
  if (found == the_console.files.end() || the_console.unreadable.count(path) > 0) return std::nullopt;
  const int handle = fake::next_handle++;
  fake::open_contents[handle] = found->second;
  ++the_console.open_files;
  return TextFile{handle};
}

std::optional<std::string> read_first_line(TextFile& file, std::size_t max_chars) {
  const std::string& content = fake::open_contents.at(file.handle);
  std::size_t at = 0;
  ByteStream in{[&]() -> int {
    if (at == content.size()) return -1;
    return static_cast<unsigned char>(content[at++]);
  }};
  std::string line;
  if (read_text_line(in, line, max_chars, LineRest::leave) == LineRead::ended) return std::nullopt;
  return line;
}

void close_file(TextFile& file) {
  if (fake::open_contents.erase(file.handle) > 0) --the_console.open_files;
  file.handle = -1;
}

PathKind examine_path(const std::string& path) {
  if (the_console.files.count(path) > 0) {
    return the_console.unreadable.count(path) > 0 ? PathKind::unreadable : PathKind::readable_file;
  }
  const auto kind = the_console.kinds.find(path);
  return kind == the_console.kinds.end() ? PathKind::nothing : kind->second;
}

std::string find_ignoring_case(const std::string& folder, const std::string& name) {
  auto lower = [](std::string text) {
    for (char& c : text) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
  };
  if (the_console.files.count(folder + name) > 0) return folder + name;
  for (const auto& [path, content] : the_console.files) {
    if (path.size() == folder.size() + name.size() && path.starts_with(folder) &&
        lower(path.substr(folder.size())) == lower(name)) {
      return path;
    }
  }
  return folder + name;
}

}  // namespace korvante
