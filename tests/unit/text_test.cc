#include "console/text.h"

#include <gtest/gtest.h>

namespace korvante {
namespace {

TEST(UpperCase, ChangesOnlyAsciiLetters) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"abaco", "ABACO"}, {"1x", "1X"}, {"módulo", "MóDULO"}, {"Smic", "SMIC"},
      {"a-z{}`", "A-Z{}`"}, {"ñandú", "ñANDú"}, {"", ""},
  };
  for (const auto& c : cases) {
    std::string text = c.in;
    upper_case_in_place(text);
    EXPECT_EQ(text, c.out) << c.in;
  }
}

TEST(ParseDecimal, ReadsLikeScanningPercentD) {
  const struct {
    std::string in;
    std::optional<int> out;
  } cases[] = {
      {"  7", 7},      {"-2", -2},        {"+3", 3},           {"12abc", 12},
      {"3 4", 3},      {"007", 7},        {"0x1", 0},          {"\t\n\v\f\r 5", 5},
      {"2x", 2},       {"abc", std::nullopt}, {"-", std::nullopt}, {"- 1", std::nullopt},
      {"   ", std::nullopt}, {"", std::nullopt}, {"+-1", std::nullopt},
      {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
  };
  for (const auto& c : cases) EXPECT_EQ(parse_decimal(c.in), c.out) << '"' << c.in << '"';
}

TEST(ParseDecimal, HugeNumbersWrapWithoutFailing) {
  EXPECT_TRUE(parse_decimal("99999999999999999999999").has_value());
  EXPECT_EQ(parse_decimal("4294967297"), 1);
}

TEST(Utf8, CutsCountCharactersAndNeverSplitOne) {
  const struct {
    std::string text;
    std::size_t max_chars;
    std::string prefix;
  } cases[] = {
      {"ABCDEFGHIJKL", 9, "ABCDEFGHI"},
      {"añoñoñoñoñoño", 4, "añoñ"},
      {"┌─┐", 2, "┌─"},
      {"ab", 5, "ab"},
      // Bytes that are no character count one each.
      {"\xff\xfe" "abc", 3, "\xff\xfe" "a"},
      // A lead byte without its continuation is one character, alone.
      {"\xc3" "abc", 2, "\xc3" "a"},
      {"\xe2\x94" "x", 1, "\xe2"},
      // Overlong and surrogate forms are not characters.
      {"\xc0\xaf" "x", 2, "\xc0\xaf"},
      {"\xed\xa0\x80", 1, "\xed"},
      {"\xf0\x9f\x98\x80z", 1, "\xf0\x9f\x98\x80"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(utf8_prefix(c.text, c.max_chars), c.prefix) << c.text;
  }
  EXPECT_EQ(utf8_length("Módulo"), 6u);
  EXPECT_EQ(utf8_length("\xff\xff"), 2u);
  EXPECT_EQ(utf8_length(""), 0u);
}

TEST(CrlfLineEnds, EveryLineFeedAndNothingElse) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"a\nb\n", "a\r\nb\r\n"}, {"\n\n", "\r\n\r\n"}, {"sin fin", "sin fin"},
      {"ya\r\n", "ya\r\r\n"},   {"\t┌─┐\n", "\t┌─┐\r\n"}, {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(with_crlf_line_ends(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace korvante
