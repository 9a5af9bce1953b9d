#pragma once

#include <windows.h>

namespace tallyfold::testing {

// A real top-level window holding two prepared report lists, the way the program's window
// does: its WM_NOTIFY goes to the column-click hook and to the row painter.
class ListWindow {
 public:
  static constexpr int FirstListId = 12;
  static constexpr int SecondListId = 13;

  ListWindow();
  ~ListWindow();
  ListWindow(const ListWindow&) = delete;
  ListWindow& operator=(const ListWindow&) = delete;

  [[nodiscard]] HWND Window() const { return window_; }
  [[nodiscard]] HWND FirstList() const { return first_; }
  [[nodiscard]] HWND SecondList() const { return second_; }

 private:
  HWND window_ = nullptr;
  HWND first_ = nullptr;
  HWND second_ = nullptr;
};

// Serves every message waiting for this thread's windows.
void PumpMessages();

// Clicks a column header the way a mouse does, so the list view itself reports the click.
void ClickHeader(HWND list, int column);

// The colour the control draws at a point of its client area, read from a real rendering.
COLORREF DrawnPixel(HWND control, POINT point);

}  // namespace tallyfold::testing
