// The far end of the tests of how Windows programs are started: appends
// its argv, as its C runtime split the command line, to the file named by
// KORVANTE_TRACE, in the stand-in suite's trace format.
#include <cstdio>
#include <cwchar>
#include <string>

#include "console/utf16.h"
#include "suite/trace.h"

int wmain(int argc, wchar_t** argv) {
  korvante::TraceRecord words;
  for (int i = 0; i < argc; ++i) {
    words.push_back(korvante::utf8_from_utf16(std::u16string(argv[i], argv[i] + std::wcslen(argv[i]))));
  }
  const wchar_t* trace = _wgetenv(L"KORVANTE_TRACE");
  if (trace == nullptr) return 2;
  std::FILE* file = _wfopen(trace, L"ab");
  if (file == nullptr) return 3;
  const std::string record = korvante::encode_trace_record(words);
  const bool written = std::fwrite(record.data(), 1, record.size(), file) == record.size();
  return std::fclose(file) == 0 && written ? 0 : 4;
}
