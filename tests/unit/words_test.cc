#include "console/words.h"

#include <gtest/gtest.h>

namespace korvante {
namespace {

TEST(SplitWords, SplitsAtRunsOfBlanksAndKeepsEveryOtherByte) {
  using W = std::vector<std::string>;
  const struct {
    std::string line;
    W words;
  } cases[] = {
      {"ABACO ¤§ /K/ /K/DATOS/", {"ABACO", "¤§", "/K/", "/K/DATOS/"}},
      {"  lead", {"lead"}},
      {"trail   ", {"trail"}},
      {"a    b", {"a", "b"}},
      {"DOC ", {"DOC"}},
      {"", {}},
      {"     ", {}},
      {R"(x C:\KORVANTE\DATOS\ "q u" 'z')", {"x", R"(C:\KORVANTE\DATOS\)", "\"q", "u\"", "'z'"}},
      {"a;b|c $(rm) `x` *", {"a;b|c", "$(rm)", "`x`", "*"}},
      {"tab\tstays", {"tab\tstays"}},
  };
  for (const auto& c : cases) EXPECT_EQ(split_words(c.line), c.words) << c.line;
}

}  // namespace
}  // namespace korvante
