#include "shell/event_loop.h"

#include "shell/handlers.h"

namespace tallyfold {

bool RunQueuedEvents(ProgramState& state) {
  while (!state.Events.empty()) {
    const Event event = state.Events.front();
    state.Events.pop_front();
    switch (event.kind) {
      case Event::Kind::Close:
        return false;
      case Event::Kind::ExtensionSelection:
        OnExtensionSelection(state);
        break;
      case Event::Kind::FileDoubleClick:
        OnFileDoubleClick(state);
        break;
      case Event::Kind::FolderBoxClosed:
        OnFolderBoxClosed(state);
        break;
      case Event::Kind::Other:
        break;
    }
  }
  return true;
}

void DispatchWithTabs(ProgramState& state, MSG& message) {
  if (!::IsDialogMessageW(state.MainWindow, &message)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

void RunEventLoop(ProgramState& state) {
  MSG message;
  while (RunQueuedEvents(state) && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
    DispatchWithTabs(state, message);
  }
}

}  // namespace tallyfold
