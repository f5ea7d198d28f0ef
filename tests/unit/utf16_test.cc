#include "console/utf16.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "console/text.h"

namespace korvante {
namespace {

using namespace std::string_literals;

TEST(Utf16FromUtf8, WellFormedText) {
  const struct {
    std::string utf8;
    std::u16string utf16;
  } cases[] = {
      {"", u""},
      {"ABACO", u"ABACO"},
      {"Módulo", u"M\u00F3dulo"},
      {"┌─┐│└┘═", u"\u250C\u2500\u2510\u2502\u2514\u2518\u2550"},
      {"\xf0\x9f\x98\x80", u"\xD83D\xDE00"},  // U+1F600, a surrogate pair
      {"\xf4\x8f\xbf\xbf", u"\xDBFF\xDFFF"},  // U+10FFFF, the last
      {"a\0b"s, u"a\0b"s},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(utf16_from_utf8(c.utf8), c.utf16) << testing::PrintToString(c.utf8);
    EXPECT_EQ(utf8_from_utf16(c.utf16), c.utf8) << testing::PrintToString(c.utf8);
  }
}

TEST(Utf16FromUtf8, EachByteOfNoCharacterBecomesOneReplacement) {
  const struct {
    std::string utf8;
    std::u16string utf16;
  } cases[] = {
      {"\xff", u"\uFFFD"},
      {"\xc3" "a", u"\uFFFDa"},                         // lead byte without its continuation
      {"\x80\xbf", u"\uFFFD\uFFFD"},                    // stray continuations
      {"\xc0\xaf", u"\uFFFD\uFFFD"},                    // overlong "/"
      {"\xed\xa0\x80", u"\uFFFD\uFFFD\uFFFD"},          // an encoded surrogate
      {"\xf4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
      {"x\xf0\x9f\x98", u"x\uFFFD\uFFFD\uFFFD"},        // cut at the end
  };
  for (const auto& c : cases) {
    const std::u16string utf16 = utf16_from_utf8(c.utf8);
    EXPECT_EQ(utf16, c.utf16) << testing::PrintToString(c.utf8);
    EXPECT_EQ(utf16.size(), utf8_length(c.utf8)) << "as many characters as the limits count";
  }
}

TEST(Utf8FromUtf16, UnpairedSurrogatesBecomeReplacements) {
  const struct {
    std::u16string utf16;
    std::string utf8;
  } cases[] = {
      {u"\xD83D", "\xef\xbf\xbd"},                     // high at the end
      {u"\xD83D" u"a", "\xef\xbf\xbd" "a"},            // high before a non-surrogate
      {u"\xDE00", "\xef\xbf\xbd"},                     // low alone
      {u"\xDE00\xD83D", "\xef\xbf\xbd\xef\xbf\xbd"},   // the pair reversed
      {u"\xD83D\xD83D\xDE00", "\xef\xbf\xbd\xf0\x9f\x98\x80"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(utf8_from_utf16(c.utf16), c.utf8) << testing::PrintToString(c.utf8);
  }
}

TEST(Utf16, EveryCodePointGoesThereAndBack) {
  for (char32_t code = 0; code <= 0x10FFFF; ++code) {
    if (code >= 0xD800 && code <= 0xDFFF) continue;
    std::u16string utf16;
    if (code < 0x10000) {
      utf16 += static_cast<char16_t>(code);
    } else {
      utf16 += static_cast<char16_t>(0xD800 | ((code - 0x10000) >> 10));
      utf16 += static_cast<char16_t>(0xDC00 | (code & 0x3FF));
    }
    const std::string utf8 = utf8_from_utf16(utf16);
    ASSERT_TRUE(is_valid_utf8(utf8)) << std::hex << static_cast<std::uint32_t>(code);
    ASSERT_EQ(utf8_length(utf8), 1u) << std::hex << static_cast<std::uint32_t>(code);
    ASSERT_EQ(utf16_from_utf8(utf8), utf16) << std::hex << static_cast<std::uint32_t>(code);
  }
}

TEST(IsValidUtf8, WholeTextMustBeWellFormed) {
  const struct {
    std::string text;
    bool valid;
  } cases[] = {
      {"", true},           {"ABACO", true},           {"Año ┌─┐", true},
      {"\xf0\x9f\x98\x80", true}, {"a\0b"s, true},
      {"\xff", false},      {"abc\xc3", false},         {"\xc0\xaf", false},
      {"\xed\xa0\x80", false}, {"\xf4\x90\x80\x80", false}, {"\x80", false},
  };
  for (const auto& c : cases) EXPECT_EQ(is_valid_utf8(c.text), c.valid) << testing::PrintToString(c.text);
}

}  // namespace
}  // namespace korvante
