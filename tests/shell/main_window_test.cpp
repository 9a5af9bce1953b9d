#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "common/list_view.h"
#include "shell/event_loop.h"
#include "shell/folder_box.h"
#include "shell/program_identity.h"
#include "tests/support/program_window.h"
#include "tests/support/window_text.h"

namespace tallyfold {
namespace {

using testing::ProgramWindow;

struct ControlLayout {
  int id;
  const wchar_t* className;
  RECT place;  // left, top, right, bottom in the client area
  DWORD style;
  DWORD exStyle;
};

RECT ClientPlace(HWND control) {
  RECT place;
  ::GetWindowRect(control, &place);
  ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64];
  return std::wstring(name, static_cast<std::size_t>(::GetClassNameW(window, name, 64)));
}

TEST(MainWindow, HasItsSizeStyleAndPlace) {
  ProgramWindow program;
  HWND window = program.State().MainWindow;
  RECT client;
  ::GetClientRect(window, &client);
  EXPECT_EQ(client.right, 1000);
  EXPECT_EQ(client.bottom, 480);
  const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
  EXPECT_EQ(style & ~(WS_VISIBLE | WS_CLIPSIBLINGS), 0x00CA0000u);
  EXPECT_TRUE(style & WS_VISIBLE);
  EXPECT_EQ(::GetWindowLongPtrW(window, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);
  RECT frame;
  ::GetWindowRect(window, &frame);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  EXPECT_EQ(frame.left, (::GetSystemMetrics(SM_CXSCREEN) - width) / 2);
  EXPECT_EQ(frame.top, (::GetSystemMetrics(SM_CYSCREEN) - height) / 2);
  EXPECT_EQ(program.Title(), ProgramName);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  ASSERT_TRUE(
      ::GetClassInfoExW(::GetModuleHandleW(nullptr), ClassOf(window).c_str(), &windowClass));
  EXPECT_EQ(windowClass.style, static_cast<UINT>(CS_DBLCLKS));
  EXPECT_EQ(windowClass.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

TEST(MainWindow, HasItsFourControls) {
  ProgramWindow program;
  const DWORD listStyle =
      WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHAREIMAGELISTS;
  const ControlLayout controls[] = {
      {335, L"Static", {810, 460, 1150, 480}, WS_CHILD | WS_VISIBLE | WS_GROUP | SS_NOPREFIX, 0},
      {12, L"SysListView32", {10, 50, 320, 455}, listStyle | LVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE},
      {13, L"SysListView32", {330, 15, 985, 455}, listStyle, WS_EX_CLIENTEDGE},
  };
  for (const ControlLayout& layout : controls) {
    SCOPED_TRACE(layout.id);
    HWND control = ::GetDlgItem(program.State().MainWindow, layout.id);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(ClassOf(control), layout.className);
    const RECT place = ClientPlace(control);
    EXPECT_EQ(place.left, layout.place.left);
    EXPECT_EQ(place.top, layout.place.top);
    EXPECT_EQ(place.right, layout.place.right);
    EXPECT_EQ(place.bottom, layout.place.bottom);
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(control, GWL_STYLE));
    EXPECT_EQ(style & ~WS_DISABLED, layout.style);
    EXPECT_EQ(::GetWindowLongPtrW(control, GWL_EXSTYLE) & ~WS_EX_NOPARENTNOTIFY,
              static_cast<LONG_PTR>(layout.exStyle));
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)),
              static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
  }
  HWND box = ::GetDlgItem(program.State().MainWindow, 10);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(ClassOf(box), L"ComboBoxEx32");
  EXPECT_EQ(ClientPlace(box).left, 10);
  EXPECT_EQ(ClientPlace(box).top, 15);
  EXPECT_EQ(ClientPlace(box).right, 320);
  EXPECT_TRUE(::GetWindowLongPtrW(box, GWL_STYLE) & CBS_DROPDOWNLIST);
  for (HWND list : {program.State().ExtensionList, program.State().FileList}) {
    const auto extended = ::SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    EXPECT_EQ(extended, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  }
}

TEST(MainWindow, VersionLabelIsDisabledAndNamesTheVersion) {
  ProgramWindow program;
  HWND label = program.State().VersionLabel;
  EXPECT_FALSE(::IsWindowEnabled(label));
  const std::wstring text = testing::WindowText(label);
  EXPECT_TRUE(text.starts_with(L"v1.023 - ")) << ::testing::PrintToString(text);
}

struct ColumnLayout {
  int list;
  int column;
  const wchar_t* caption;
  int width;
};

TEST(MainWindow, ListsHaveTheirColumns) {
  ProgramWindow program;
  const ColumnLayout columns[] = {
      {12, 0, L"Extension", 100}, {12, 1, L"File count", 65}, {12, 2, L"Type", 55},
      {12, 3, L"Entropy", 55},    {13, 0, L"Name", 440},      {13, 1, L"Size", 90},
      {13, 2, L"Modified", 90},
  };
  for (const ColumnLayout& layout : columns) {
    HWND list = ::GetDlgItem(program.State().MainWindow, layout.list);
    EXPECT_EQ(CellText(list, -1, layout.column), layout.caption);
    EXPECT_EQ(::SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(layout.column), 0),
              layout.width);
    LVCOLUMNW column{};
    column.mask = LVCF_FMT;
    ASSERT_TRUE(::SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(layout.column),
                               reinterpret_cast<LPARAM>(&column)));
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
  }
  HWND header =
      reinterpret_cast<HWND>(::SendMessageW(program.State().FileList, LVM_GETHEADER, 0, 0));
  EXPECT_EQ(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(RowCount(program.State().ExtensionList), 0);
  EXPECT_EQ(RowCount(program.State().FileList), 0);
}

TEST(FolderBox, OffersTheDrivesAndShowsTheRootsDrive) {
  ProgramWindow program(L"d:\\some\\folder");
  HWND box = program.State().FolderBox;
  std::wstring roots;
  const int items = static_cast<int>(::SendMessageW(box, CB_GETCOUNT, 0, 0));
  for (int item = 0; item < items; ++item) {
    roots += DriveRootOfItem(box, item);
  }
  // The test prefix has drives C:, D: and Z:, in letter order.
  EXPECT_EQ(roots, L"C:\\D:\\Z:\\");
  EXPECT_EQ(program.State().FolderBoxPath, L"D:\\");
  EXPECT_EQ(DriveRootOfItem(box, static_cast<int>(::SendMessageW(box, CB_GETCURSEL, 0, 0))),
            L"D:\\");
}

TEST(FolderBox, TextFollowsTheRootsFirstCharacter) {
  ProgramWindow program(L"C:\\");
  HWND box = program.State().FolderBox;
  EXPECT_EQ(ShowRootDrive(box, L"E:\\data"), L"E:\\");
  EXPECT_EQ(::SendMessageW(box, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(ShowRootDrive(box, L"\\\\server\\share"), L"");
  EXPECT_EQ(::SendMessageW(box, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(ShowRootDrive(box, L"z:"), L"Z:\\");
  EXPECT_NE(::SendMessageW(box, CB_GETCURSEL, 0, 0), CB_ERR);
}

TEST(AcceptFolderText, TakesOnlyCAndDExactly) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"C:\\", L"C:\\"}, {L"D:\\", L"D:\\"}, {L"E:\\", L"C:\\"}, {L"d:\\", L"C:\\"},
      {L"D:", L"C:\\"},   {L"", L"C:\\"},     {L"Z:\\", L"C:\\"},
  };
  for (const auto& [text, root] : cases) {
    EXPECT_EQ(AcceptFolderText(text), root) << ::testing::PrintToString(text);
  }
}

}  // namespace
}  // namespace tallyfold

namespace tallyfold {
namespace {

TEST(MainWindow, TabMovesTheFocusBetweenTheTwoLists) {
  testing::ProgramWindow program;
  ProgramState& state = program.State();
  ::SetForegroundWindow(state.MainWindow);
  ::SetFocus(state.ExtensionList);
  ASSERT_EQ(::GetFocus(), state.ExtensionList);
  const auto pressTab = [&] {
    MSG press{::GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    DispatchWithTabs(state, press);
  };
  pressTab();
  EXPECT_EQ(::GetFocus(), state.FileList);
  // The drive box and the version label take no Tab stop: the focus comes back round.
  pressTab();
  EXPECT_EQ(::GetFocus(), state.ExtensionList);
}

}  // namespace
}  // namespace tallyfold
