#pragma once

#include <windows.h>

#include "shell/main_window.h"

namespace tallyfold {

// A piece of work that the main window's thread carries out for another thread.
struct WindowRequest {
  void (*run)(void* work);
  void* work;
};

// Runs work on the thread that owns the window. From that thread it runs at once; from any
// other it is sent to the window, and this thread waits until the owner has carried it out, so
// the owner's own list operations and a worker's never interleave. Once the window is gone
// nothing runs.
template <typename Work>
void RunOnWindowThread(HWND window, Work&& work) {
  if (::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId()) {
    work();
    return;
  }
  WindowRequest request{[](void* w) { (*static_cast<std::remove_reference_t<Work>*>(w))(); },
                        &work};
  ::SendMessageW(window, RunRequestMessage, 0, reinterpret_cast<LPARAM>(&request));
}

}  // namespace tallyfold
