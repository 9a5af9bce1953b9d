#include "tests/support/program_window.h"

#include <commctrl.h>
#include <ole2.h>

#include "common/list_view.h"
#include "shell/event_loop.h"
#include "shell/folder_box.h"
#include "shell/main_window.h"
#include "shell/workers.h"
#include "sorting/header_sort.h"
#include "tests/support/window_text.h"

namespace tallyfold::testing {
namespace {

constexpr DWORD PumpSliceMs = 5;

void InitialiseOnce() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_LISTVIEW_CLASSES | ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    ::OleInitialize(nullptr);
    return true;
  }();
  (void)done;
}

LPARAM PointAt(POINT point) {
  return MAKELPARAM(point.x, point.y);
}

POINT RowCentre(HWND list, int row) {
  RECT bounds{};
  bounds.left = LVIR_LABEL;
  ::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&bounds));
  return {(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
}

}  // namespace

ProgramWindow::ProgramWindow(std::wstring_view rootFolder) : state_(new ProgramState) {
  InitialiseOnce();
  state_->RootFolder = rootFolder;
  state_->OpenFile = [](const std::wstring&) {};
  if (!CreateMainWindow(*state_)) {
    throw std::runtime_error("cannot make the main window");
  }
  state_->Hook = ColumnClickHook;
}

ProgramWindow::ProgramWindow(ProgramState* started) : state_(started) {
  if (!state_) {
    throw std::runtime_error("start-up made no window");
  }
  state_->OpenFile = [](const std::wstring&) {};
}

ProgramWindow::~ProgramWindow() {
  StopWorker(state_->CurrentListing.get());
  StopWorker(state_->CurrentScan.get());
  ::DestroyWindow(state_->MainWindow);
  delete state_;
}

void ProgramWindow::PumpOnce(DWORD waitMs) {
  if (!closed_ && !RunQueuedEvents(*state_)) {
    closed_ = true;
  }
  ::MsgWaitForMultipleObjects(0, nullptr, FALSE, waitMs, QS_ALLINPUT);
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    DispatchWithTabs(*state_, message);
  }
  if (!closed_ && !RunQueuedEvents(*state_)) {
    closed_ = true;
  }
}

bool ProgramWindow::PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG end = ::GetTickCount64() + timeoutMs;
  while (!done()) {
    if (::GetTickCount64() > end) {
      return false;
    }
    PumpOnce(PumpSliceMs);
  }
  return true;
}

void ProgramWindow::PumpFor(DWORD milliseconds) {
  const ULONGLONG end = ::GetTickCount64() + milliseconds;
  while (::GetTickCount64() < end) {
    PumpOnce(PumpSliceMs);
  }
}

bool ProgramWindow::PumpUntilIdle(DWORD timeoutMs) {
  return PumpUntil(
      [this] {
        return state_->Events.empty() && !IsWorkerRunning(state_->CurrentScan.get()) &&
               !IsWorkerRunning(state_->CurrentListing.get());
      },
      timeoutMs);
}

std::wstring ProgramWindow::Title() const {
  return WindowText(state_->MainWindow);
}

std::vector<std::vector<std::wstring>> ProgramWindow::Rows(HWND list) {
  HWND header = reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0));
  const int columns = static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  std::vector<std::vector<std::wstring>> rows;
  for (int row = 0; row < RowCount(list); ++row) {
    std::vector<std::wstring>& cells = rows.emplace_back();
    for (int column = 0; column < columns; ++column) {
      cells.push_back(CellText(list, row, column));
    }
  }
  return rows;
}

void ClickRow(HWND list, int row) {
  const POINT at = RowCentre(list, row);
  ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, PointAt(at));
  ::SendMessageW(list, WM_LBUTTONUP, 0, PointAt(at));
}

void ClickBelowRows(HWND list) {
  RECT client;
  ::GetClientRect(list, &client);
  const POINT at{client.right / 4, client.bottom - 4};
  ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, PointAt(at));
  ::SendMessageW(list, WM_LBUTTONUP, 0, PointAt(at));
}

void DoubleClickRow(HWND list, int row) {
  const POINT at = RowCentre(list, row);
  ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, PointAt(at));
  ::SendMessageW(list, WM_LBUTTONUP, 0, PointAt(at));
  ::SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, PointAt(at));
  ::SendMessageW(list, WM_LBUTTONUP, 0, PointAt(at));
}

int ItemOfDrive(HWND box, wchar_t letter) {
  const int items = static_cast<int>(::SendMessageW(box, CB_GETCOUNT, 0, 0));
  for (int item = 0; item < items; ++item) {
    if (DriveRootOfItem(box, item) == std::wstring{letter, L':', L'\\'}) {
      return item;
    }
  }
  return -1;
}

void ChooseFolderBoxItem(HWND box, int item) {
  HWND combo = reinterpret_cast<HWND>(::SendMessageW(box, CBEM_GETCOMBOCONTROL, 0, 0));
  ::SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  if (item < 0) {
    ::SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    return;
  }
  // Walk the open list to the item with the arrow keys and end the choice with Enter.
  const auto key = [combo](WPARAM code) {
    ::SendMessageW(combo, WM_KEYDOWN, code, 0);
    ::SendMessageW(combo, WM_KEYUP, code, 0);
  };
  key(VK_HOME);
  for (int step = 0; step < item; ++step) {
    key(VK_DOWN);
  }
  key(VK_RETURN);
}

}  // namespace tallyfold::testing
