#include "console/windows_exit_code.h"

#include <gtest/gtest.h>

namespace korvante {

void PrintTo(const CommandResult& r, std::ostream* os) {
  *os << "{outcome " << static_cast<int>(r.outcome) << ", status " << std::hex << r.status << ", \"" << r.reason
      << "\"}";
}

namespace {

TEST(WindowsExitResult, TheProgramsOwnCodesAndTheSystemsExceptions) {
  using O = RunOutcome;
  const struct {
    std::uint32_t code;
    CommandResult result;
  } cases[] = {
      {0, {O::ran, 0, ""}},
      {7, {O::ran, 7, ""}},
      // exit(-1) and exit(-2) are a program's own failures, not crashes.
      {0xFFFFFFFF, {O::ran, 0xFFFFFFFF, ""}},
      {0xFFFFFFFE, {O::ran, 0xFFFFFFFE, ""}},
      {0xE0000001, {O::ran, 0xE0000001, ""}},
      {0x80070005, {O::ran, 0x80070005, ""}},
      {0xC0000005, {O::crashed, 0xC0000005, ""}},  // access violation
      {0xC00000FD, {O::crashed, 0xC00000FD, ""}},  // stack overflow
      {0xC0000409, {O::crashed, 0xC0000409, ""}},  // a failed check of the runtime
      {0xC000001D, {O::crashed, 0xC000001D, ""}},  // illegal instruction
      {0x80000003, {O::crashed, 0x80000003, ""}},  // breakpoint
      {0xC000013A, {O::crashed, 0xC000013A, ""}},
      {0xC0000135, {O::cannot_start, 0, "falta una biblioteca (DLL) que pide"}},
      {0xC0000139, {O::cannot_start, 0, "una biblioteca (DLL) que pide no es la que espera"}},
      {0xC0000142, {O::cannot_start, 0, "una biblioteca (DLL) que pide no pudo iniciarse"}},
  };
  for (const auto& c : cases) EXPECT_EQ(windows_exit_result(c.code), c.result) << std::hex << c.code;
}

TEST(WindowsExitResult, OnlyTheInterruptsOwnCodeEndsTheSession) {
  EXPECT_TRUE(ended_by_interrupt(0xC000013A));
  for (std::uint32_t other : {0u, 1u, 0x3Au, 0xC0000005u, 0xC000013Bu, 0xFFFFFFFFu}) {
    EXPECT_FALSE(ended_by_interrupt(other)) << std::hex << other;
  }
}

}  // namespace
}  // namespace korvante
