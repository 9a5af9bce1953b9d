#include "tests/support/list_window.h"

#include <commctrl.h>

#include <memory>
#include <type_traits>

#include "common/list_view.h"
#include "sorting/header_sort.h"

namespace tallyfold::testing {
namespace {

constexpr wchar_t ClassName[] = L"TallyfoldTestListWindow";
constexpr int WindowWidth = 800;
constexpr int ListHeight = 280;

LRESULT CALLBACK ListWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    // The hook never answers by itself; the window's own handling always goes on.
    static_cast<void>(ColumnClickHook(window, message, wParam, lParam));
    LRESULT result = 0;
    if (PaintRowColours(lParam, result)) {
      return result;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterOnce() {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = ListWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = ClassName;
    return RegisterClassExW(&windowClass) != 0;
  }();
  static_cast<void>(registered);
}

HWND MakeList(HWND parent, int id, int top) {
  HWND list = CreateWindowExW(
      0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, 0, top,
      WindowWidth, ListHeight, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      GetModuleHandleW(nullptr), nullptr);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  PrepareList(list);
  return list;
}

struct DcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
struct ObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;
using GdiObject = std::unique_ptr<std::remove_pointer_t<HGDIOBJ>, ObjectDeleter>;

}  // namespace

ListWindow::ListWindow() {
  RegisterOnce();
  window_ = CreateWindowExW(0, ClassName, L"Tallyfold test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                            WindowWidth + 16, 2 * ListHeight + 40, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  first_ = MakeList(window_, FirstListId, 0);
  second_ = MakeList(window_, SecondListId, ListHeight);
  PumpMessages();
}

ListWindow::~ListWindow() {
  DestroyWindow(window_);
  PumpMessages();
}

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void ClickHeader(HWND list, int column) {
  const auto header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  RECT item{};
  SendMessageW(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&item));
  const LPARAM centre = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, centre);
  SendMessageW(header, WM_LBUTTONUP, 0, centre);
  PumpMessages();
}

COLORREF DrawnPixel(HWND control, POINT point) {
  RECT client{};
  GetClientRect(control, &client);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = client.right;
  info.bmiHeader.biHeight = -client.bottom;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const GdiObject bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  const MemoryDc dc(CreateCompatibleDC(nullptr));
  if (!bitmap || !dc || point.x < 0 || point.y < 0 || point.x >= client.right ||
      point.y >= client.bottom) {
    return CLR_INVALID;
  }
  const HGDIOBJ previous = SelectObject(dc.get(), bitmap.get());
  PrintWindow(control, dc.get(), PW_CLIENTONLY);
  GdiFlush();
  const DWORD pixel = static_cast<const DWORD*>(bits)[point.y * client.right + point.x];
  SelectObject(dc.get(), previous);
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

}  // namespace tallyfold::testing
