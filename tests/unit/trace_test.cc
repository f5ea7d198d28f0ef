#include "suite/trace.h"

#include <gtest/gtest.h>

namespace korvante {
namespace {

TEST(Trace, RecordsKeepEveryByte) {
  const std::vector<TraceRecord> records = {
      {"ABACO", "¤§", "/K/", "/K/DATOS/"},
      {"X", "a b", "line\nfeed", std::string("\x01\xff", 2), "", "9 9\n"},
      {"DOC"},
  };
  std::string trace;
  for (const auto& r : records) trace += encode_trace_record(r);
  EXPECT_EQ(decode_trace(trace), records);
}

TEST(Trace, StopsAtAMalformedRecord) {
  const std::string good = encode_trace_record({"A", "b"});
  EXPECT_EQ(decode_trace(good + "2\n5 ab\n").size(), 1u);
  EXPECT_EQ(decode_trace("x\n").size(), 0u);
}

}  // namespace
}  // namespace korvante
