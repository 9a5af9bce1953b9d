#include "shell/worker_views.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <optional>
#include <functional>
#include <string>
#include <vector>

#include "common/handles.h"
#include "common/list_view.h"
#include "tests/catalogue/mixed_tree.h"
#include "tests/support/program_window.h"
#include "tests/support/temp_tree.h"

namespace tallyfold {
namespace {

using testing::MakeMixedTree;
using testing::ProgramWindow;
using testing::TempTree;
using Rows = std::vector<std::vector<std::wstring>>;

// The real view on the real window, remembering in which order the rows were appended and
// whether the scan sorted them.
class RecordingView final : public ExtensionTableView {
 public:
  explicit RecordingView(ProgramState& state) : real_(state) {}
  void ClearRows() override {
    real_.ClearRows();
    afterClear();
  }
  void AppendRows(std::span<const ExtensionRow> rows) override {
    for (const ExtensionRow& row : rows) {
      appended.emplace_back(row.Cells.substr(0, row.Cells.find(L'\n')));
    }
    real_.AppendRows(rows);
    afterAppend();
  }
  void AppendLastRowsAndSort(std::span<const ExtensionRow> rows) override {
    for (const ExtensionRow& row : rows) {
      appended.emplace_back(row.Cells.substr(0, row.Cells.find(L'\n')));
    }
    sorted = true;
    real_.AppendLastRowsAndSort(rows);
    afterAppend();
  }
  void ShowProgressTitle(std::wstring_view extension) override {
    real_.ShowProgressTitle(extension);
  }
  void ShowResultTitle(std::size_t extensions) override { real_.ShowResultTitle(extensions); }

  std::vector<std::wstring> appended;
  bool sorted = false;
  std::function<void()> afterClear = [] {};
  std::function<void()> afterAppend = [] {};

 private:
  ScanView real_;
};

Rows ScanInto(ProgramWindow& program, const std::wstring& root, RecordingView& view) {
  StopRequest stop;
  ProgramState& state = program.State();
  BuildExtensionTable(root, state.Catalogue, state.Tally, view, stop);
  return ProgramWindow::Rows(state.ExtensionList);
}

// A scan of the mixed tree on the real window, done on the test's thread.
class MixedTreeScan : public ::testing::Test {
 protected:
  MixedTreeScan() { MakeMixedTree(tree); }
  void Scan() { rows = ScanInto(program, tree.Root(), view); }

  TempTree tree;
  ProgramWindow program{tree.Root()};
  RecordingView view{program.State()};
  Rows rows;
};

TEST_F(MixedTreeScan, AppendsInTallyOrderThenSortsByCountLargestFirst) {
  Scan();

  std::vector<std::wstring> tallyOrder;
  program.State().Tally.ForEachEntry(
      [&](const std::wstring& key, const TallyEntry&) { tallyOrder.push_back(key); });
  EXPECT_EQ(view.appended, tallyOrder);
  EXPECT_TRUE(view.sorted);
  EXPECT_EQ(program.Title(), L"Tallyfold [7 extensions]");
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_EQ(rows[0][0], L"TXT");
  EXPECT_EQ(rows[1][0], L"MD");
  for (std::size_t row = 2; row < rows.size(); ++row) {
    EXPECT_EQ(rows[row][1], L"1");
  }
  // The scan's sort shows no arrow.
  HWND header =
      reinterpret_cast<HWND>(::SendMessageW(program.State().ExtensionList, LVM_GETHEADER, 0, 0));
  for (int column = 0; column < 4; ++column) {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    ::SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(column),
                   reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.fmt & (HDF_SORTUP | HDF_SORTDOWN), 0);
  }
}

TEST_F(MixedTreeScan, TintsEveryCellOfAnExecutableRowAsDrawn) {
  Scan();
  HWND list = program.State().ExtensionList;
  testing::PumpMessages();
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
    const bool executable = rows[static_cast<std::size_t>(row)][2] == L"PE";
    for (int column = 0; column < 4; ++column) {
      RECT cell{};
      cell.top = column;
      cell.left = LVIR_BOUNDS;
      ::SendMessageW(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&cell));
      // Near the cell's right edge, clear of its text.
      const POINT inside{cell.right - 3, (cell.top + cell.bottom) / 2};
      const COLORREF drawn = testing::DrawnPixel(list, inside);
      if (executable) {
        EXPECT_EQ(drawn, ExecutableRowColour) << "row " << row << " column " << column;
      } else {
        EXPECT_NE(drawn, ExecutableRowColour) << "row " << row << " column " << column;
      }
    }
  }
}

TEST_F(MixedTreeScan, FileListKeepsItsRowsThroughAScan) {
  AppendRow(program.State().FileList, L"C:\\kept.txt\n1\n2020-01-01", nullptr);
  Scan();
  EXPECT_EQ(ProgramWindow::Rows(program.State().FileList),
            (Rows{{L"C:\\kept.txt", L"1", L"2020-01-01"}}));
}

// The real view, asking the scan to stop once it has appended its first row.
int extensionListPaints = 0;

std::optional<LRESULT> CountExtensionListPaints(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY && wParam == ExtensionListId) {
    const auto& draw = *reinterpret_cast<const NMCUSTOMDRAW*>(lParam);
    if (draw.hdr.code == static_cast<UINT>(NM_CUSTOMDRAW) && draw.dwDrawStage == CDDS_PREPAINT) {
      ++extensionListPaints;
    }
  }
  return std::nullopt;
}

// Whether the list draws when asked to: held drawing paints nothing.
bool Draws(HWND list) {
  extensionListPaints = 0;
  ::InvalidateRect(list, nullptr, TRUE);
  ::UpdateWindow(list);
  return extensionListPaints > 0;
}

TEST(ExtensionTable, ListDrawsWhileTheWalkRunsAndAfterAScanThatEndsOrStops) {
  TempTree tree;
  MakeMixedTree(tree);
  for (const bool stopAfterFirstRows : {false, true}) {
    SCOPED_TRACE(stopAfterFirstRows ? "stopped" : "ended");
    ProgramWindow program(tree.Root());
    ProgramState& state = program.State();
    state.Hook = CountExtensionListPaints;
    StopRequest stop;
    std::size_t handed = 0;
    bool sorted = false;
    {
      // The view lives as long as the scan's body, as on the worker.
      RecordingView view(state);
      view.afterClear = [&] { EXPECT_TRUE(Draws(state.ExtensionList)) << "while walking"; };
      if (stopAfterFirstRows) {
        view.afterAppend = [&] { stop.Set(); };
      }
      BuildExtensionTable(tree.Root(), state.Catalogue, state.Tally, view, stop);
      handed = view.appended.size();
      sorted = view.sorted;
    }
    // The first row goes in alone; a scan stopped then keeps it, unsorted.
    EXPECT_EQ(static_cast<std::size_t>(RowCount(state.ExtensionList)), handed);
    EXPECT_EQ(handed, stopAfterFirstRows ? 1u : 7u);
    EXPECT_EQ(sorted, !stopAfterFirstRows);
    EXPECT_TRUE(Draws(state.ExtensionList));
  }
}

void ListInto(ProgramWindow& program, std::wstring_view extension) {
  ListingView view(program.State());
  StopRequest stop;
  ListExtensionFiles(extension, program.State().Catalogue, view, stop);
}

// Remembers every redraw switch of the file list with the rows it held at that moment.
struct RedrawLog {
  std::vector<std::pair<bool, int>> switches;

  static LRESULT CALLBACK Record(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR self) {
    if (message == WM_SETREDRAW) {
      reinterpret_cast<RedrawLog*>(self)->switches.emplace_back(wParam != FALSE, RowCount(list));
    }
    return ::DefSubclassProc(list, message, wParam, lParam);
  }
};

class ListingRedraw : public ::testing::TestWithParam<int> {};

TEST_P(ListingRedraw, ListDrawsOnlyFromTheThresholdRowAndAtTheEnd) {
  const int matches = GetParam();
  ProgramWindow program;
  for (int file = 0; file < matches; ++file) {
    program.State().Catalogue.push_back(L"C:\\nowhere\\file" + std::to_wstring(file) + L".log");
    program.State().Catalogue.push_back(L"C:\\nowhere\\other" + std::to_wstring(file) + L".dat");
  }
  RedrawLog log;
  ::SetWindowSubclass(program.State().FileList, RedrawLog::Record, 1,
                      reinterpret_cast<DWORD_PTR>(&log));
  ListInto(program, L"LOG");
  ::RemoveWindowSubclass(program.State().FileList, RedrawLog::Record, 1);

  ASSERT_GE(log.switches.size(), 2u);
  EXPECT_EQ(log.switches.front(), std::make_pair(false, 0));
  EXPECT_EQ(log.switches.back(), std::make_pair(true, matches));
  // The first switch back on comes with the 256th row, or at the end of a shorter listing.
  for (const auto& [on, rows] : log.switches) {
    if (on) {
      EXPECT_EQ(rows, std::min(matches, static_cast<int>(RedrawThreshold)));
      break;
    }
  }
  EXPECT_EQ(RowCount(program.State().FileList), matches);
  const Rows rows = ProgramWindow::Rows(program.State().FileList);
  for (int row = 0; row < matches; ++row) {
    EXPECT_EQ(rows[static_cast<std::size_t>(row)][0],
              L"C:\\nowhere\\file" + std::to_wstring(row) + L".log");
  }
}

INSTANTIATE_TEST_SUITE_P(AroundTheThreshold, ListingRedraw, ::testing::Values(0, 255, 256, 700));

}  // namespace
}  // namespace tallyfold
