#include "shell/selection.h"

#include <gtest/gtest.h>

#include "console/text.h"

namespace korvante {
namespace {

// What the menu chooses for a typed line, after upper-casing as the menu does.
std::optional<std::string_view> choose(std::string typed) {
  upper_case_in_place(typed);
  return select_module(typed);
}

TEST(SelectModule, RulesInTheirOrder) {
  const std::optional<std::string_view> redraw;
  const struct {
    std::string typed;
    std::optional<std::string_view> selection;
  } cases[] = {
      {"1", "ABACO "},     {"abaco", "ABACO "},  {"2", "AE "},         {"ae", "AE "},
      {"3", "SMIC "},      {"Smic", "SMIC "},    {"SMICAE", "AE "},    {"4", "ACOB "},
      {"acob", "ACOB "},   {"IGOACOB", "ACOB "}, {"5", "IGO "},        {"igo", "IGO "},
      {"6", "DELFI "},     {"delfi", "DELFI "},  {"10", "DOC "},       {"doc", "DOC "},
      {"0ABACO", "ABACO "}, {"0", ""},           {"01", ""},           {"00", ""},
      {"0xyz", ""},        {" 1", redraw},       {"1 ", redraw},       {"", redraw},
      {"7", redraw},       {"9", redraw},        {"11", redraw},       {" 0", redraw},
      {"xyz", redraw},     {"módulo", redraw},   {"¿ae?", "AE "},      {"mae", "AE "},
  };
  for (const auto& c : cases) EXPECT_EQ(choose(c.typed), c.selection) << '"' << c.typed << '"';
}

}  // namespace
}  // namespace korvante
