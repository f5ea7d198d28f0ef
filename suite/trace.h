// The record the stand-in programs keep of how they were started: one
// record per run, each word kept byte for byte.
//
// A record is a line holding the number of words, then one line per word:
// its length in bytes, a blank, the bytes, a line feed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvante {

using TraceRecord = std::vector<std::string>;  // program word, then its arguments

std::string encode_trace_record(const TraceRecord& record);

// All records of a trace; stops at the first malformed one.
std::vector<TraceRecord> decode_trace(std::string_view trace);

}  // namespace korvante
