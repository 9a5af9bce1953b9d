#pragma once

#include <windows.h>

#include "shell/program_state.h"

namespace tallyfold {

// Runs the handlers of the queued events in order; false once the close request was taken.
[[nodiscard]] bool RunQueuedEvents(ProgramState& state);

// Hands one message to the window, with Tab and Shift+Tab moving between the controls.
void DispatchWithTabs(ProgramState& state, MSG& message);

// Runs until the user closes the window.
void RunEventLoop(ProgramState& state);

}  // namespace tallyfold
