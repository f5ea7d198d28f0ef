// The structural-analysis sequence: AEDAT names the study, five runs of
// the analysis programs work on it.
#pragma once

#include "launcher/flow.h"
#include "launcher/method_context.h"

namespace korvante {

Flow run_structural_analysis(const MethodContext& method);

}  // namespace korvante
