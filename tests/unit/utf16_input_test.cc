// A console's lines, read as UTF-16, through the same line reader as bytes.
#include "console/utf16_input.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "console/line_reader.h"

namespace korvante {
namespace {

// A console that hands out `reads` one after another, each cut to the
// room it is given (the rest stays for the next read, as ReadConsoleW
// keeps it), then reports the end.
struct FakeConsole {
  std::vector<std::u16string> reads;
  std::size_t next = 0;
  int calls = 0;
  long read(char16_t* units, std::size_t room) {
    ++calls;
    if (next == reads.size()) return 0;
    std::u16string& text = reads[next];
    const std::size_t n = std::min(room, text.size());
    std::copy_n(text.begin(), n, units);
    text.erase(0, n);
    if (text.empty()) ++next;
    return static_cast<long>(n);
  }
};

struct Lines {
  std::vector<LineRead> results;
  std::vector<std::string> lines;
};

Lines read_lines(std::vector<std::u16string> reads, std::size_t max_chars, int count, std::size_t chunk = 256) {
  auto console = std::make_shared<FakeConsole>();
  console->reads = std::move(reads);
  auto input = std::make_shared<Utf16Input>(
      [console](char16_t* units, std::size_t room) { return console->read(units, room); }, chunk);
  ByteStream stream{[input] { return input->next_byte(); }};
  Lines out;
  for (int i = 0; i < count; ++i) {
    std::string line = "stale";
    out.results.push_back(read_text_line(stream, line, max_chars));
    out.lines.push_back(line);
  }
  return out;
}

TEST(Utf16Input, ConsoleLinesReadAsTextModeLines) {
  using R = LineRead;
  const struct {
    std::vector<std::u16string> reads;
    std::vector<LineRead> results;
    std::vector<std::string> lines;
  } cases[] = {
      // ReadConsoleW ends each line with CR LF.
      {{u"abaco\r\n", u"\r\n"}, {R::whole, R::whole, R::ended}, {"abaco", "", "stale"}},
      {{u"ñandú\r\n"}, {R::whole, R::ended}, {"ñandú", "stale"}},
      // Ctrl-Z then Enter on the console is the end of its input, and it stays so.
      {{u"\x1a\r\n", u"1\r\n"}, {R::ended, R::ended}, {"stale", "stale"}},
      {{u"ab\x1a" u"cd\r\n", u"1\r\n"}, {R::whole, R::ended}, {"ab", "stale"}},
      {{}, {R::ended, R::ended}, {"stale", "stale"}},
      // A character beyond the BMP is one character, not two.
      {{u"\U0001F600x\r\n"}, {R::whole}, {"\xf0\x9f\x98\x80x"}},
  };
  for (const auto& c : cases) {
    const Lines got = read_lines(c.reads, 19, static_cast<int>(c.results.size()));
    EXPECT_EQ(got.results, c.results);
    EXPECT_EQ(got.lines, c.lines);
  }
}

TEST(Utf16Input, APairSplitBetweenTwoReadsIsJoined) {
  // A read of 3 units ends between the two halves of U+1F600.
  const Lines got = read_lines({u"ab\U0001F600c\r\n"}, 19, 1, 3);
  EXPECT_EQ(got.lines, std::vector<std::string>{"ab\xf0\x9f\x98\x80" "c"});
  const Lines alone = read_lines({std::u16string(u"a") + char16_t(0xD83D)}, 19, 2);
  EXPECT_EQ(alone.lines, (std::vector<std::string>{"a\xef\xbf\xbd", "stale"})) << "a half left at the end";
}

TEST(Utf16Input, LimitsCountCharactersAndTheRestOfTheLineIsDropped) {
  using R = LineRead;
  // Longer than one read, and than the limit: cut at 19 characters, the
  // rest of that line dropped, the next line whole.
  const std::u16string long_line = std::u16string(300, u'á') + u"\r\n";
  const Lines got = read_lines({long_line, u"ENC1\r\n"}, 19, 2, 64);
  EXPECT_EQ(got.results, (std::vector<LineRead>{R::cut, R::whole}));
  std::string nineteen;
  for (int i = 0; i < 19; ++i) nineteen += "á";
  EXPECT_EQ(got.lines, (std::vector<std::string>{nineteen, "ENC1"}));
}

TEST(Utf16Input, ReadsNoMoreOfTheConsoleThanTheLineNeeds) {
  auto console = std::make_shared<FakeConsole>();
  console->reads = {u"1\r\n", u"segunda\r\n"};
  Utf16Input input([console](char16_t* units, std::size_t room) { return console->read(units, room); });
  ByteStream stream{[&input] { return input.next_byte(); }};
  std::string line;
  EXPECT_EQ(read_text_line(stream, line, 199), LineRead::whole);
  EXPECT_EQ(console->calls, 1) << "the next line stays in the console for a program to read";
}

}  // namespace
}  // namespace korvante
