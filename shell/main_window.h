#pragma once

#include <windows.h>

#include "shell/program_state.h"

namespace tallyfold {

// Worker requests: the main window carries out a request sent with this message while the
// sending thread waits (see RunOnWindowThread).
inline constexpr UINT RunRequestMessage = WM_APP + 1;

// Makes the main window with its four controls and their columns, shown at once, and loads the
// extension icon; the window's messages go first to state.Hook, then to its own handling, which
// raises the events of state.Events. False when the window cannot be made.
[[nodiscard]] bool CreateMainWindow(ProgramState& state);

}  // namespace tallyfold
