#include "common/list_view.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "common/handles.h"
#include "tests/support/list_window.h"

namespace tallyfold {
namespace {

using testing::DrawnPixel;
using testing::ListWindow;

constexpr COLORREF LightRed = RGB(255, 200, 200);
constexpr int ShellIconFolder = 3;
constexpr int ShellIconDrive = 8;

class ListWithColumns : public ::testing::Test {
 protected:
  void SetUp() override {
    AddColumn(List(), 0, L"Name", 200);
    AddColumn(List(), 1, L"Size", 150);
    AddColumn(List(), 2, L"Modified", 150);
  }
  [[nodiscard]] HWND List() const { return window_.FirstList(); }

  ListWindow window_;
};

int ImageOfRow(HWND list, int row) {
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return item.iImage;
}

HIMAGELIST ImagesOf(HWND list) {
  return reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
}

POINT FarRightOfCell(HWND list, int row, int column) {
  RECT cell{};
  cell.top = column;
  cell.left = LVIR_BOUNDS;
  SendMessageW(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell));
  return POINT{cell.right - 4, (cell.top + cell.bottom) / 2};
}

TEST_F(ListWithColumns, RowsKeepTheirCellsInColumnOrder) {
  EXPECT_EQ(AppendRow(List(), L"a.txt\n12\n2018-09-22", nullptr), 0);
  EXPECT_EQ(AppendRow(List(), L"b.txt\n\n2020-01-01", nullptr), 1);
  EXPECT_EQ(AppendRow(List(), L"c.txt", nullptr), 2);
  EXPECT_EQ(RowCount(List()), 3);
  EXPECT_EQ(CellText(List(), 0, 1), L"12");
  EXPECT_EQ(CellText(List(), 0, 2), L"2018-09-22");
  EXPECT_EQ(CellText(List(), 1, 1), L"");
  EXPECT_EQ(CellText(List(), 1, 2), L"2020-01-01");
  EXPECT_EQ(CellText(List(), 2, 0), L"c.txt");
  EXPECT_EQ(CellText(List(), 2, 2), L"");
  SetCellText(List(), 2, 1, L"BIN");
  EXPECT_EQ(CellText(List(), 2, 1), L"BIN");
  EXPECT_EQ(CellText(List(), -1, 2), L"Modified");
  EXPECT_EQ(CellText(List(), 7, 0), L"");
}

TEST_F(ListWithColumns, CellTextIsWholeHoweverLong) {
  for (const std::size_t length : {254U, 255U, 256U, 600U, 5000U}) {
    std::wstring text(length, L'x');
    text.back() = L'!';
    const int row = AppendRow(List(), L"row\n" + text, nullptr);
    EXPECT_EQ(CellText(List(), row, 1), text) << length;
  }
}

TEST_F(ListWithColumns, EveryRowHasAnIdentityOfItsOwn) {
  const int first = AppendRow(List(), L"a", nullptr);
  const int second = AppendRow(List(), L"b", nullptr);
  const RowId firstId = RowIdOf(List(), first);
  EXPECT_NE(firstId, RowIdOf(List(), second));
  EXPECT_EQ(RowOfId(List(), firstId), first);
  EXPECT_EQ(RowOfId(List(), RowIdOf(List(), second)), second);
  ClearRows(List());
  EXPECT_EQ(RowCount(List()), 0);
  EXPECT_EQ(RowOfId(List(), firstId), -1);
  EXPECT_NE(RowIdOf(List(), AppendRow(List(), L"c", nullptr)), firstId);
}

TEST_F(ListWithColumns, RowsShareOneImagePerIcon) {
  const IconHandle folder(ExtractIconW(GetModuleHandleW(nullptr), L"shell32.dll", ShellIconFolder));
  const IconHandle drive(ExtractIconW(GetModuleHandleW(nullptr), L"shell32.dll", ShellIconDrive));
  ASSERT_TRUE(folder && drive);
  AppendRow(List(), L"one", folder.get());
  AppendRow(List(), L"two", drive.get());
  AppendRow(List(), L"three", folder.get());
  AppendRow(List(), L"none", nullptr);
  ASSERT_NE(ImagesOf(List()), nullptr);
  EXPECT_EQ(ImageList_GetImageCount(ImagesOf(List())), 2);
  EXPECT_EQ(ImageOfRow(List(), 0), ImageOfRow(List(), 2));
  EXPECT_NE(ImageOfRow(List(), 0), ImageOfRow(List(), 1));
  EXPECT_LT(ImageOfRow(List(), 3), 0);
  ClearRows(List());
  EXPECT_EQ(ImageList_GetImageCount(ImagesOf(List())), 0);
}

TEST_F(ListWithColumns, ColouredRowsArePaintedOnTheirColour) {
  AppendRow(List(), L"plain\n1", nullptr);
  AppendRow(List(), L"tinted\n2", nullptr);
  SetRowBackColour(List(), 1, LightRed);
  SetRowBackColour(List(), 5, LightRed);
  SetRowBackColour(List(), -1, LightRed);
  const auto background = static_cast<COLORREF>(SendMessageW(List(), LVM_GETBKCOLOR, 0, 0));
  for (const int column : {0, 1, 2}) {
    EXPECT_EQ(DrawnPixel(List(), FarRightOfCell(List(), 1, column)), LightRed) << column;
    EXPECT_EQ(DrawnPixel(List(), FarRightOfCell(List(), 0, column)), background) << column;
  }
  ClearRows(List());
  AppendRow(List(), L"fresh\n3", nullptr);
  EXPECT_EQ(DrawnPixel(List(), FarRightOfCell(List(), 0, 1)), background);
}

TEST_F(ListWithColumns, SelectedRowIsReported) {
  AppendRow(List(), L"a", nullptr);
  AppendRow(List(), L"b", nullptr);
  EXPECT_EQ(SelectedRow(List()), -1);
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED;
  state.state = LVIS_SELECTED;
  SendMessageW(List(), LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
  EXPECT_EQ(SelectedRow(List()), 1);
}

TEST(PaintRowColours, LeavesOtherNotificationsAlone) {
  ListWindow window;
  NMHDR click{window.FirstList(), ListWindow::FirstListId, static_cast<UINT>(NM_CLICK)};
  LRESULT result = 0;
  EXPECT_FALSE(PaintRowColours(reinterpret_cast<LPARAM>(&click), result));
  NMLVCUSTOMDRAW draw{};
  draw.nmcd.hdr = {window.Window(), 0, static_cast<UINT>(NM_CUSTOMDRAW)};
  draw.nmcd.dwDrawStage = CDDS_PREPAINT;
  EXPECT_FALSE(PaintRowColours(reinterpret_cast<LPARAM>(&draw), result));
  draw.nmcd.hdr.hwndFrom = window.FirstList();
  EXPECT_TRUE(PaintRowColours(reinterpret_cast<LPARAM>(&draw), result));
  EXPECT_EQ(result, CDRF_NOTIFYITEMDRAW);
}

}  // namespace
}  // namespace tallyfold
