#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/program_state.h"
#include "tests/support/list_window.h"

namespace tallyfold::testing {

// The program's real main window with its controls, made in the test's own process the way
// start-up makes it, with the column-click hook installed and no scan started.
class ProgramWindow {
 public:
  explicit ProgramWindow(std::wstring_view rootFolder = L"C:\\");
  // Takes over a state that start-up made, with its window and its first scan.
  explicit ProgramWindow(ProgramState* started);
  ~ProgramWindow();
  ProgramWindow(const ProgramWindow&) = delete;
  ProgramWindow& operator=(const ProgramWindow&) = delete;

  [[nodiscard]] ProgramState& State() { return *state_; }

  // Runs the event loop (handlers of queued events, then window messages) until done() holds;
  // false when it did not within the time.
  bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 60'000);
  // Runs the event loop for a while, for what should not happen.
  void PumpFor(DWORD milliseconds);
  // Runs the event loop until no worker runs and no event waits.
  bool PumpUntilIdle(DWORD timeoutMs = 60'000);

  [[nodiscard]] std::wstring Title() const;
  // Every row's cells, top to bottom.
  [[nodiscard]] static std::vector<std::vector<std::wstring>> Rows(HWND list);

  // The close request was taken by the loop.
  [[nodiscard]] bool Closed() const { return closed_; }

 private:
  void PumpOnce(DWORD waitMs);

  ProgramState* state_;
  bool closed_ = false;
};

// A user's actions on the real controls, made so that the controls raise their own
// notifications.
void ClickRow(HWND list, int row);
void ClickBelowRows(HWND list);
void DoubleClickRow(HWND list, int row);
// The folder box's item of a drive letter, or -1.
int ItemOfDrive(HWND box, wchar_t letter);
// Opens and closes the folder box's list, choosing the item when it is 0 or more.
void ChooseFolderBoxItem(HWND box, int item);

}  // namespace tallyfold::testing
