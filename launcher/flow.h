#pragma once

namespace korvante {

// Whether the dialogue can go on, or the typed input has ended and the
// program is to end with status 0.
enum class Flow { go_on, input_ended };

}  // namespace korvante
