#pragma once
// Starts the screens of the program on a running QApplication.

#include "calc/program_state.h"

namespace hk::ui {

// Shows the first screen; the screens work on state until the program ends.
void StartScreens(ProgramState& state);

} // namespace hk::ui
