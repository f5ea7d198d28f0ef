#include "suite/trace.h"

#include <charconv>

namespace korvante {

std::string encode_trace_record(const TraceRecord& record) {
  std::string out = std::to_string(record.size()) + "\n";
  for (const std::string& word : record) {
    out += std::to_string(word.size()) + " " + word + "\n";
  }
  return out;
}

namespace {
bool take_number(std::string_view& in, char after, std::size_t& number) {
  const auto [end, error] = std::from_chars(in.data(), in.data() + in.size(), number);
  if (error != std::errc() || end == in.data() + in.size() || *end != after) return false;
  in.remove_prefix(static_cast<std::size_t>(end - in.data()) + 1);
  return true;
}
}  // namespace

std::vector<TraceRecord> decode_trace(std::string_view trace) {
  std::vector<TraceRecord> records;
  std::size_t count = 0;
  while (!trace.empty() && take_number(trace, '\n', count)) {
    TraceRecord record;
    for (std::size_t i = 0; i < count; ++i) {
      std::size_t length = 0;
      if (!take_number(trace, ' ', length) || trace.size() < length + 1 || trace[length] != '\n') {
        return records;
      }
      record.emplace_back(trace.substr(0, length));
      trace.remove_prefix(length + 1);
    }
    records.push_back(std::move(record));
  }
  return records;
}

}  // namespace korvante
