// Turning a method's selection into the runs of its programs.
#pragma once

#include <string_view>

#include "launcher/flow.h"

namespace korvante {

// Runs the method chosen by `selection` ("ABACO ", "AE ", "SMIC ",
// "ACOB ", "IGO " or "DELFI "), with the suite found at `root`; any other
// selection does nothing.
Flow run_method(std::string_view selection, std::string_view tag, std::string_view root);

}  // namespace korvante
