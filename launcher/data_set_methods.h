// The methods that work on a data set named by the user: actors-objectives,
// importance-governability and Delphi.
#pragma once

#include "launcher/flow.h"
#include "launcher/method_context.h"

namespace korvante {

Flow run_actors_objectives(const MethodContext& method);
Flow run_importance_governability(const MethodContext& method);
Flow run_delphi(const MethodContext& method);

}  // namespace korvante
