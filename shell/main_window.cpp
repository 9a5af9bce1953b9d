#include "shell/main_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "common/list_view.h"
#include "shell/folder_box.h"
#include "shell/program_identity.h"
#include "shell/resources.h"
#include "shell/window_events.h"

namespace tallyfold {
namespace {

constexpr wchar_t WindowClassName[] = L"TallyfoldMainWindow";
constexpr DWORD MainWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int ClientWidth = 1000, ClientHeight = 480;
constexpr wchar_t MakerAddress[] = L"https://tallyfold.org";
// The picture of every extension row: whatever the system's imageres.dll holds at this index.
constexpr int ExtensionIconIndex = 222;

struct ControlPlace {
  int left, top, width, height;
};
constexpr ControlPlace VersionLabelPlace{810, 460, 340, 20};
constexpr ControlPlace ExtensionListPlace{10, 50, 310, 405};
constexpr ControlPlace FileListPlace{330, 15, 655, 440};

constexpr DWORD ListStyle =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHAREIMAGELISTS;
constexpr DWORD ListExtendedStyle = LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;

struct ColumnLayout {
  const wchar_t* caption;
  int width;
};
constexpr ColumnLayout ExtensionColumns[] = {
    {L"Extension", 100}, {L"File count", 65}, {L"Type", 55}, {L"Entropy", 55}};
constexpr ColumnLayout FileColumns[] = {{L"Name", 440}, {L"Size", 90}, {L"Modified", 90}};

HMENU AsMenu(int id) {
  return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* state = reinterpret_cast<ProgramState*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!state) {
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  if (state->Hook) {
    if (const std::optional<LRESULT> result = state->Hook(window, message, wParam, lParam)) {
      return *result;
    }
  }
  if (const std::optional<LRESULT> result = HandleWindowMessage(*state, message, wParam, lParam)) {
    return *result;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(ProgramIconResource));
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  windowClass.lpszClassName = WindowClassName;
  return ::RegisterClassExW(&windowClass) || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreateCentredWindow(ProgramState& state, HINSTANCE instance) {
  RECT frame{0, 0, ClientWidth, ClientHeight};
  ::AdjustWindowRectEx(&frame, MainWindowStyle, FALSE, 0);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
  const int left = (screenWidth - std::min(screenWidth, width)) / 2;
  const int top = (screenHeight - std::min(screenHeight, height)) / 2;
  const std::wstring title(ProgramName);
  return ::CreateWindowExW(0, WindowClassName, title.c_str(), MainWindowStyle, left, top, width,
                           height, nullptr, nullptr, instance, &state);
}

HWND CreateChild(HWND parent, DWORD exStyle, const wchar_t* className, const wchar_t* text,
                 DWORD style, ControlPlace place, int id) {
  HWND control =
      ::CreateWindowExW(exStyle, className, text, style, place.left, place.top, place.width,
                        place.height, parent, AsMenu(id), ::GetModuleHandleW(nullptr), nullptr);
  ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
  return control;
}

HWND CreateList(HWND parent, DWORD style, ControlPlace place, int id, const ColumnLayout& first) {
  HWND list = CreateChild(parent, WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", style, place, id);
  ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, ListExtendedStyle, ListExtendedStyle);
  PrepareList(list);
  AddColumn(list, 0, first.caption, first.width);
  return list;
}

template <std::size_t N>
void AddColumnsAfterFirst(HWND list, const ColumnLayout (&columns)[N]) {
  for (std::size_t column = 1; column < N; ++column) {
    AddColumn(list, static_cast<int>(column), columns[column].caption, columns[column].width);
  }
}

HICON LoadExtensionIcon() {
  HICON icon = ::ExtractIconW(nullptr, L"imageres.dll", ExtensionIconIndex);
  // ExtractIconW answers 1 for a file that holds no icons at all.
  return reinterpret_cast<UINT_PTR>(icon) > 1 ? icon : nullptr;
}

}  // namespace

bool CreateMainWindow(ProgramState& state) {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  if (!RegisterMainWindowClass(instance)) {
    return false;
  }
  state.MainWindow = CreateCentredWindow(state, instance);
  if (!state.MainWindow) {
    return false;
  }
  ::ShowWindow(state.MainWindow, SW_SHOWNORMAL);

  const std::wstring version = L"v" + std::wstring(ProgramVersion) + L" - " + MakerAddress;
  state.VersionLabel = CreateChild(state.MainWindow, 0, WC_STATICW, version.c_str(),
                                   WS_CHILD | WS_VISIBLE | WS_GROUP | SS_NOPREFIX | SS_LEFT,
                                   VersionLabelPlace, VersionLabelId);
  ::EnableWindow(state.VersionLabel, FALSE);

  state.FolderBox = CreateFolderBox(state.MainWindow, FolderBoxId);
  ::SendMessageW(state.FolderBox, WM_SETFONT,
                 reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  state.FolderBoxPath = ShowRootDrive(state.FolderBox, state.RootFolder);

  state.ExtensionList = CreateList(state.MainWindow, ListStyle | LVS_SHOWSELALWAYS,
                                   ExtensionListPlace, ExtensionListId, ExtensionColumns[0]);
  AddColumnsAfterFirst(state.ExtensionList, ExtensionColumns);
  state.FileList =
      CreateList(state.MainWindow, ListStyle, FileListPlace, FileListId, FileColumns[0]);
  state.ExtensionIcon.reset(LoadExtensionIcon());
  AddColumnsAfterFirst(state.FileList, FileColumns);
  return true;
}

}  // namespace tallyfold
