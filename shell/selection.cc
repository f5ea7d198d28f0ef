#include "shell/selection.h"

namespace korvante {

namespace {

struct Rule {
  std::string_view number;
  std::string_view word;
  std::string_view selection;
};

// In this order: "SMICAE" chooses AE and "IGOACOB" chooses ACOB.
constexpr Rule rules[] = {
    {"1", "ABACO", "ABACO "}, {"2", "AE", "AE "},       {"3", "SMIC", "SMIC "},
    {"4", "ACOB", "ACOB "},   {"5", "IGO", "IGO "},     {"6", "DELFI", "DELFI "},
    {"10", "DOC", "DOC "},
};

}  // namespace

std::optional<std::string_view> select_module(std::string_view typed) {
  for (const Rule& rule : rules) {
    if (typed == rule.number || typed.find(rule.word) != std::string_view::npos) {
      return rule.selection;
    }
  }
  if (typed.starts_with('0')) return std::string_view();
  return std::nullopt;
}

}  // namespace korvante
