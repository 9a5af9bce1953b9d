#pragma once

#include <windows.h>

#include <optional>

#include "shell/program_state.h"

namespace tallyfold {

// The main window's own handling: paints row colours, carries out worker requests, keeps the
// folder box's path text, and turns the controls' notifications and the close request into
// events for the loop. No result for messages it leaves to the default handling.
[[nodiscard]] std::optional<LRESULT> HandleWindowMessage(ProgramState& state, UINT message,
                                                         WPARAM wParam, LPARAM lParam);

// Queues an event unless it equals the last one queued and not yet taken.
void QueueEvent(ProgramState& state, const Event& event);

}  // namespace tallyfold
