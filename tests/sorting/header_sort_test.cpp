#include "sorting/header_sort.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "common/handles.h"
#include "common/list_view.h"
#include "tests/support/list_window.h"

namespace tallyfold {
namespace {

using enum SortDirection;
using testing::ClickHeader;
using testing::DrawnPixel;
using testing::ListWindow;
using Texts = std::vector<std::wstring>;

constexpr int ValueCount = 300;
constexpr COLORREF LightRed = RGB(255, 200, 200);
constexpr int ShellIconFolder = 3;

class SortableList : public ::testing::Test {
 protected:
  void SetUp() override {
    AddColumn(List(), 0, L"Value", 300);
    AddColumn(List(), 1, L"Other", 100);
  }
  [[nodiscard]] HWND List() const { return window_.FirstList(); }

  // With drawing held back, as the program fills its lists: a visible list redraws per row.
  void Fill(const Texts& texts) const {
    SendMessageW(List(), WM_SETREDRAW, FALSE, 0);
    for (const std::wstring& text : texts) {
      AppendRow(List(), text + L"\nx", nullptr);
    }
    SendMessageW(List(), WM_SETREDRAW, TRUE, 0);
  }
  [[nodiscard]] Texts Column(int column = 0) const {
    Texts texts;
    for (int row = 0; row < RowCount(List()); ++row) {
      texts.push_back(CellText(List(), row, column));
    }
    return texts;
  }

  ListWindow window_;
};

Texts Shuffled(Texts texts) {
  std::shuffle(texts.begin(), texts.end(), std::mt19937(ValueCount));
  return texts;
}

// Distinct values of each kind, in ascending order.
Texts Integers() {
  Texts texts;
  for (int value = 0; value < ValueCount; ++value) {
    texts.push_back(std::to_wstring(value * 7 - 3 * (value % 2)));
  }
  std::sort(texts.begin(), texts.end(),
            [](const auto& a, const auto& b) { return std::stoi(a) < std::stoi(b); });
  return texts;
}

Texts Decimals() {
  Texts texts;
  for (int value = 0; value < ValueCount; ++value) {
    texts.push_back(std::to_wstring(value) + (value % 2 ? L"," : L".") + L"25");
  }
  return texts;
}

Texts Dates() {
  Texts texts;
  for (int value = 0; value < ValueCount; ++value) {
    const int year = 1971 + value / 12;
    wchar_t date[16]{};
    swprintf(date, 16, L"%02d.%02d.%04d", 1 + value % 28, 1 + value % 12, year);
    texts.push_back(date);
  }
  std::sort(texts.begin(), texts.end(), [](const std::wstring& a, const std::wstring& b) {
    return a.substr(6) + a.substr(3, 2) + a.substr(0, 2) <
           b.substr(6) + b.substr(3, 2) + b.substr(0, 2);
  });
  return texts;
}

Texts Words() {
  Texts texts;
  for (int value = 0; value < ValueCount; ++value) {
    std::wstring word;
    for (int rest = value; word.size() < 3; rest /= 7) {
      word += static_cast<wchar_t>((rest % 2 ? L'A' : L'a') + rest % 7);
    }
    word += value % 5 == 0 ? L"_" : L"";
    texts.push_back(word + std::to_wstring(value));
  }
  auto folded = [](std::wstring text) {
    for (wchar_t& c : text) {
      c = c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
    }
    return text;
  };
  std::sort(texts.begin(), texts.end(),
            [&](const auto& a, const auto& b) { return folded(a) < folded(b); });
  return texts;
}

TEST_F(SortableList, HeaderClicksSortEveryKindBothWays) {
  for (const Texts& sorted : {Integers(), Decimals(), Dates(), Words()}) {
    ClearRows(List());
    ShowSortArrow(List(), 0, None);
    Fill(Shuffled(sorted));
    ClickHeader(List(), 0);
    EXPECT_EQ(Column(), sorted) << sorted.front();
    ClickHeader(List(), 0);
    EXPECT_EQ(Column(), Texts(sorted.rbegin(), sorted.rend())) << sorted.front();
  }
}

TEST_F(SortableList, ClicksCycleTheArrowOnTheClickedColumnOnly) {
  Fill({L"b", L"a"});
  const SortDirection cycle[] = {Ascending, Descending, Ascending, Descending};
  EXPECT_EQ(ReadSortArrow(List(), 0), None);
  for (const SortDirection expected : cycle) {
    ClickHeader(List(), 0);
    EXPECT_EQ(ReadSortArrow(List(), 0), expected);
    EXPECT_EQ(ReadSortArrow(List(), 1), None);
  }
  ClickHeader(List(), 1);
  EXPECT_EQ(ReadSortArrow(List(), 0), None);
  EXPECT_EQ(ReadSortArrow(List(), 1), Ascending);
  EXPECT_EQ(ReadSortArrow(List(), 7), UnreadableArrow);
}

TEST_F(SortableList, AnUnreadableHeaderSortsDescendingAndClearsEveryArrow) {
  Fill({L"1", L"3", L"2"});
  ShowSortArrow(List(), 1, Ascending);
  SortByHeaderClick(List(), 7, CellKind::Integer);
  EXPECT_EQ(ReadSortArrow(List(), 0), None);
  EXPECT_EQ(ReadSortArrow(List(), 1), None);
}

TEST_F(SortableList, ArrowsKeepTheirOtherFormatAndClearOnTheFileList) {
  const HWND files = window_.SecondList();
  for (int column = 0; column < 3; ++column) {
    AddColumn(files, column, L"c", 50);
    ShowSortArrow(files, column, Descending);
  }
  EXPECT_EQ(ReadSortArrow(files, 2), Descending);
  ClearSortArrows(files);
  for (int column = 0; column < 3; ++column) {
    EXPECT_EQ(ReadSortArrow(files, column), None);
  }
  HDITEMW format{};
  format.mask = HDI_FORMAT;
  const auto header = reinterpret_cast<HWND>(SendMessageW(files, LVM_GETHEADER, 0, 0));
  SendMessageW(header, HDM_GETITEMW, 0, reinterpret_cast<LPARAM>(&format));
  EXPECT_EQ(format.fmt & HDF_JUSTIFYMASK, HDF_LEFT);
  EXPECT_NE(format.fmt & HDF_STRING, 0);
}

struct DetectionCase {
  Texts rows;
  Texts ascending;
};

// Only the first, last and middle rows decide the kind.
const DetectionCase DetectionCases[] = {
    {{}, {}},
    {{L"5"}, {L"5"}},
    {{L"10", L"9"}, {L"9", L"10"}},
    {{L"10", L"9", L"x", L"100", L"2"}, {L"10", L"100", L"2", L"9", L"x"}},
    {{L"10", L"9", L"2", L"abc"}, {L"10", L"2", L"9", L"abc"}},
    {{L"10", L"x", L"9", L"100", L"2"}, {L"x", L"2", L"9", L"10", L"100"}},
    {{L"", L"2,5", L"", L"10.25", L""}, {L"", L"", L"", L"2,5", L"10.25"}},
    {{L"-1", L"20", L"3"}, {L"-1", L"20", L"3"}},
};

TEST_F(SortableList, KindComesFromTheFirstLastAndMiddleRows) {
  for (const DetectionCase& detection : DetectionCases) {
    ClearRows(List());
    ShowSortArrow(List(), 0, None);
    Fill(detection.rows);
    ClickHeader(List(), 0);
    Texts column = Column();
    EXPECT_EQ(column, detection.ascending) << detection.rows.size();
    EXPECT_EQ(ReadSortArrow(List(), 0), Ascending);
  }
}

TEST_F(SortableList, AMonthFirstLastRowDecidesTheDateMaskForAllRows) {
  Fill({L"22.09.2018", L"01/02/2018", L"05.03.2018", L"10/10/2017", L"09/22/2018"});
  EXPECT_EQ(ChooseDateMask(List(), 0), L"%mm/%dd/%yyyy");
  SortList(List(), 0, CellKind::Date, Ascending);
  Texts column = Column();
  std::sort(column.begin(), column.begin() + 2);
  EXPECT_EQ(column,
            (Texts{L"05.03.2018", L"22.09.2018", L"10/10/2017", L"01/02/2018", L"09/22/2018"}));
  ClearRows(List());
  Fill({L"22.09.2018", L"2018-01-01", L"01.01.2018"});
  EXPECT_EQ(ChooseDateMask(List(), 0), L"");
}

TEST_F(SortableList, ComparisonSeesOnly254Characters) {
  const std::wstring common(254, L'a');
  Fill({common + L"z", common + L"b", L"0"});
  SortList(List(), 0, CellKind::Text, Ascending);
  EXPECT_EQ(Column(), (Texts{L"0", common + L"z", common + L"b"}));
}

TEST_F(SortableList, RowsKeepIdentityIconColourAndSelectionThroughASort) {
  const IconHandle folder(ExtractIconW(GetModuleHandleW(nullptr), L"shell32.dll", ShellIconFolder));
  ASSERT_TRUE(folder);
  for (int value = 0; value < 5; ++value) {
    AppendRow(List(), std::to_wstring(value) + L"\nx", value == 3 ? folder.get() : nullptr);
  }
  const RowId tinted = RowIdOf(List(), 3);
  SetRowBackColour(List(), 3, LightRed);
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED;
  state.state = LVIS_SELECTED;
  SendMessageW(List(), LVM_SETITEMSTATE, 3, reinterpret_cast<LPARAM>(&state));
  SortList(List(), 0, CellKind::Integer, Descending);
  ASSERT_EQ(RowOfId(List(), tinted), 1);
  EXPECT_EQ(CellText(List(), 1, 0), L"3");
  EXPECT_EQ(SelectedRow(List()), 1);
  LVITEMW image{};
  image.mask = LVIF_IMAGE;
  image.iItem = 1;
  SendMessageW(List(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&image));
  EXPECT_GE(image.iImage, 0);
  // Deselected so that the highlight does not cover the row's own colour.
  state.state = 0;
  SendMessageW(List(), LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
  RECT cell{};
  cell.top = 1;
  cell.left = LVIR_BOUNDS;
  SendMessageW(List(), LVM_GETSUBITEMRECT, 1, reinterpret_cast<LPARAM>(&cell));
  EXPECT_EQ(DrawnPixel(List(), {cell.right - 4, (cell.top + cell.bottom) / 2}), LightRed);
  cell.top = 1;
  cell.left = LVIR_BOUNDS;
  SendMessageW(List(), LVM_GETSUBITEMRECT, 3, reinterpret_cast<LPARAM>(&cell));
  EXPECT_NE(DrawnPixel(List(), {cell.right - 4, (cell.top + cell.bottom) / 2}), LightRed);
}

bool RowInView(HWND list, int row) {
  const auto top = static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0));
  const auto page = static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
  return row >= top && row < top + page;
}

TEST_F(SortableList, TheSelectedRowIsScrolledBackIntoView) {
  Texts values;
  for (int value = 0; value < ValueCount; ++value) {
    values.push_back(std::to_wstring(value));
  }
  Fill(values);
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED;
  state.state = LVIS_SELECTED;
  SendMessageW(List(), LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state));
  ClickHeader(List(), 0);
  ASSERT_EQ(SelectedRow(List()), 2);
  ASSERT_TRUE(RowInView(List(), 2));
  ClickHeader(List(), 0);
  EXPECT_EQ(SelectedRow(List()), ValueCount - 3);
  EXPECT_TRUE(RowInView(List(), ValueCount - 3));
}

TEST_F(SortableList, TheHookSortsYetNeverAnswers) {
  Fill({L"2", L"1"});
  NMLISTVIEW click{};
  click.hdr = {List(), ListWindow::FirstListId, static_cast<UINT>(LVN_COLUMNCLICK)};
  click.iItem = -1;
  EXPECT_FALSE(ColumnClickHook(window_.Window(), WM_NOTIFY, ListWindow::FirstListId,
                               reinterpret_cast<LPARAM>(&click)));
  EXPECT_EQ(Column(), (Texts{L"1", L"2"}));
  EXPECT_FALSE(ColumnClickHook(window_.Window(), WM_SIZE, 0, 0));
  EXPECT_FALSE(ColumnClickHook(window_.Window(), WM_NOTIFY, 0, 0));
}

}  // namespace
}  // namespace tallyfold
