// Turning a method's selection into the runs of its programs.
#pragma once

#include <string_view>

#include "launcher/flow.h"
#include "launcher/suite.h"

namespace korvante {

// Runs the method chosen by `selection` ("ABACO ", "AE ", "SMIC ",
// "ACOB ", "IGO " or "DELFI ") on `suite`; any other selection does
// nothing.
Flow run_method(std::string_view selection, std::string_view tag, const Suite& suite);

}  // namespace korvante
