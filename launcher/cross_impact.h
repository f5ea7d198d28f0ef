// The cross-impact submenu: data entry, one expert's run, the average's run.
#pragma once

#include <string_view>

#include "launcher/flow.h"
#include "launcher/method_context.h"

namespace korvante {

// The choice after the line `typed` at the submenu, `previous` being the
// choice of the pass before: an empty line redraws, a number is read from
// the start of the text, and text without one keeps the previous choice.
int next_cross_impact_choice(std::string_view typed, int previous);

// Shows the submenu and runs what is chosen until the user chooses 0.
Flow run_cross_impact(const MethodContext& method);

}  // namespace korvante
