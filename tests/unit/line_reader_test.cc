#include "console/line_reader.h"

#include <gtest/gtest.h>

namespace korvante {
namespace {

// A byte stream over a fixed text that counts how often it was read.
struct FakeInput {
  std::string bytes;
  std::size_t at = 0;
  int reads = 0;
  ByteStream stream{[this]() -> int {
    ++reads;
    if (at == bytes.size()) return -1;
    return static_cast<unsigned char>(bytes[at++]);
  }};
  explicit FakeInput(std::string text) : bytes(std::move(text)) {}
};

struct Step {
  LineRead result;
  std::string line;
};

void expect_lines(const std::string& input, std::size_t max_chars, const std::vector<Step>& steps) {
  FakeInput in(input);
  std::string line = "stale";
  for (const Step& step : steps) {
    const std::string before = line;
    EXPECT_EQ(read_text_line(in.stream, line, max_chars), step.result) << testing::PrintToString(input);
    if (step.result == LineRead::ended) {
      EXPECT_EQ(line, before) << "the end of input leaves the line as it was";
    } else {
      EXPECT_EQ(line, step.line) << testing::PrintToString(input);
    }
  }
}

TEST(ReadTextLine, TextModeLines) {
  using R = LineRead;
  const struct {
    std::string input;
    std::vector<Step> steps;
  } cases[] = {
      {"abc\r\n", {{R::whole, "abc"}, {R::ended, ""}}},
      {"ab\rc\n", {{R::whole, "abc"}}},
      {"abc", {{R::whole, "abc"}, {R::ended, ""}}},
      {"ab\x1a" "cd\n", {{R::whole, "ab"}, {R::ended, ""}, {R::ended, ""}}},
      {"\x1a" "abc\n", {{R::ended, ""}}},
      {"", {{R::ended, ""}, {R::ended, ""}}},
      {"\n\nx\n", {{R::whole, ""}, {R::whole, ""}, {R::whole, "x"}, {R::ended, ""}}},
      {"\r", {{R::whole, ""}, {R::ended, ""}}},
      // A NUL ends the text, as in a C string; the line still ends at its line feed.
      {std::string("ab\0cd\nef\n", 9), {{R::whole, "ab"}, {R::whole, "ef"}}},
      {"módulo\n", {{R::whole, "módulo"}}},
  };
  for (const auto& c : cases) expect_lines(c.input, 199, c.steps);
}

TEST(ReadTextLine, OverlongLineIsCutAndItsRestDropped) {
  using R = LineRead;
  expect_lines("abcdefghij\nnext\n", 4, {{R::cut, "abcd"}, {R::whole, "next"}});
  expect_lines("abcd\n", 4, {{R::whole, "abcd"}});
}

TEST(ReadTextLine, LimitCountsCharacters) {
  using R = LineRead;
  expect_lines("ñáéí\n", 4, {{R::whole, "ñáéí"}});
  expect_lines("ñáéíó\n", 4, {{R::cut, "ñáéí"}});
  expect_lines("\xff\xff\xff\xff\xff\n", 4, {{R::cut, "\xff\xff\xff\xff"}});
}

TEST(ReadTextLine, EndIsStickyWithoutReadingAgain) {
  FakeInput in("a");
  std::string line;
  EXPECT_EQ(read_text_line(in.stream, line, 10), LineRead::whole);
  const int reads = in.reads;
  EXPECT_EQ(read_text_line(in.stream, line, 10), LineRead::ended);
  EXPECT_EQ(read_text_line(in.stream, line, 10), LineRead::ended);
  EXPECT_EQ(in.reads, reads);
}

TEST(ReadTextLine, MemoryStaysBoundedOnAHugeLine) {
  FakeInput in(std::string(1 << 20, 'x') + "\nok\n");
  std::string line;
  EXPECT_EQ(read_text_line(in.stream, line, 19), LineRead::cut);
  EXPECT_EQ(line, std::string(19, 'x'));
  EXPECT_EQ(read_text_line(in.stream, line, 19), LineRead::whole);
  EXPECT_EQ(line, "ok");
}

TEST(ReadTextLine, LeavingTheRestStopsReadingOnceFull) {
  const struct {
    std::string content;
    std::string line;
  } cases[] = {
      {std::string(100000, 'y') + "\n", std::string(9, 'y')},
      {"ab" + std::string(100000, '\0') + "\n", "ab"},
      {std::string(100000, '\r') + "\n", ""},
  };
  for (const auto& c : cases) {
    FakeInput in(c.content);
    std::string line = "stale";
    read_text_line(in.stream, line, 9, LineRest::leave);
    EXPECT_EQ(line, c.line);
    EXPECT_LT(in.reads, 100) << "read no more than the line's room";
  }
}

}  // namespace
}  // namespace korvante
