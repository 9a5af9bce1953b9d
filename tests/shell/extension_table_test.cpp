#include "catalogue/extension_table.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <optional>
#include <functional>
#include <string>
#include <vector>

#include "common/handles.h"
#include "common/list_view.h"
#include "shell/worker_views.h"
#include "tests/support/program_window.h"
#include "tests/support/temp_tree.h"

namespace tallyfold {
namespace {

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
  Row AppendRow(std::wstring_view cells) override {
    appended.emplace_back(cells.substr(0, cells.find(L'\n')));
    const Row row = real_.AppendRow(cells);
    afterAppend();
    return row;
  }
  void SetCellText(Row row, int column, std::wstring_view text) override {
    real_.SetCellText(row, column, text);
  }
  void SetRowBackColour(Row row, COLORREF colour) override { real_.SetRowBackColour(row, colour); }
  void SortByFileCount() override {
    sorted = true;
    real_.SortByFileCount();
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

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int value : values) {
    bytes += static_cast<char>(value);
  }
  return bytes;
}

// M and Z first, then every other byte value once: 256 distinct bytes, entropy 8.
std::string ExecutableWithEveryByteValue() {
  std::string bytes = "MZ";
  for (int value = 0; value < 256; ++value) {
    if (value != 'M' && value != 'Z') {
      bytes += static_cast<char>(value);
    }
  }
  return bytes;
}

// TXT 3 files, MD 2, EXE 1 (MZ), DLL 1 (MZ), BIN 1, DAT 1 (ZM), SYS 1 (text inside).
void MakeMixedTree(const TempTree& tree) {
  tree.AddFile(L"notes.txt", "plain words\r\n");
  tree.AddFile(L"sub\\more.TXT", "");
  tree.AddFile(L"sub\\deeper\\b.Txt", std::string(10, '\0'));
  tree.AddFile(L"readme.md", "# title\n");
  tree.AddFile(L"sub\\other.md", "more text\n");
  tree.AddFile(L"prog.exe", Bytes({'M', 'Z', 0x90, 0, 3, 0, 0, 0}));
  tree.AddFile(L"lib.dll", ExecutableWithEveryByteValue());
  tree.AddFile(L"data.bin", Bytes({0, 0, 0xFF, 0xFF}));
  tree.AddFile(L"swapped.dat", Bytes({'Z', 'M', 0, 1}));
  tree.AddFile(L"driver.sys", "looks like text");
}

Rows ScanInto(ProgramWindow& program, const std::wstring& root, RecordingView& view) {
  StopRequest stop;
  ProgramState& state = program.State();
  BuildExtensionTable(root, state.Catalogue, state.Tally, view, stop);
  return ProgramWindow::Rows(state.ExtensionList);
}

const std::vector<std::wstring>* RowOf(const Rows& rows, std::wstring_view extension) {
  for (const auto& row : rows) {
    if (row[0] == extension) {
      return &row;
    }
  }
  return nullptr;
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

TEST_F(MixedTreeScan, ShowsOneRowPerExtensionWithCountTypeAndEntropy) {
  Scan();

  using Row = std::vector<std::wstring>;
  const Row expected[] = {
      {L"TXT", L"3", L"TEXT", L""},     {L"MD", L"2", L"TEXT", L""},
      {L"EXE", L"1", L"PE", L"6.912"},  {L"DLL", L"1", L"PE", L"8.000"},
      {L"BIN", L"1", L"BIN", L"1.000"}, {L"DAT", L"1", L"BIN", L"2.000"},
      {L"SYS", L"1", L"BIN", L"3.107"},
  };
  ASSERT_EQ(rows.size(), std::size(expected));
  for (const Row& row : expected) {
    const Row* shown = RowOf(rows, row[0]);
    ASSERT_NE(shown, nullptr) << ::testing::PrintToString(row[0]);
    EXPECT_EQ(*shown, row);
  }
  EXPECT_EQ(program.Title(), L"Tallyfold [7 extensions]");
}

TEST_F(MixedTreeScan, AppendsInTallyOrderThenSortsByCountLargestFirst) {
  Scan();

  std::vector<std::wstring> tallyOrder;
  program.State().Tally.ForEachEntry(
      [&](const std::wstring& key, const TallyEntry&) { tallyOrder.push_back(key); });
  EXPECT_EQ(view.appended, tallyOrder);
  EXPECT_TRUE(view.sorted);
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

TEST(ExtensionTable, SampleThatCannotBeOpenedShowsBinWithoutColour) {
  TempTree tree;
  tree.AddFile(L"held.xyz", "text that cannot be read");
  tree.AddFile(L"held.exe", "MZ text");
  FileHandle holdXyz{::CreateFileW(tree.Path(L"held.xyz").c_str(), GENERIC_READ, 0, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
  FileHandle holdExe{::CreateFileW(tree.Path(L"held.exe").c_str(), GENERIC_READ, 0, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
  ASSERT_TRUE(holdXyz && holdExe);
  ProgramWindow program(tree.Root());
  RecordingView view(program.State());
  const Rows rows = ScanInto(program, tree.Root(), view);
  ASSERT_NE(RowOf(rows, L"XYZ"), nullptr);
  EXPECT_EQ(*RowOf(rows, L"XYZ"), (std::vector<std::wstring>{L"XYZ", L"1", L"BIN", L"0.000"}));
  ASSERT_NE(RowOf(rows, L"EXE"), nullptr);
  EXPECT_EQ(*RowOf(rows, L"EXE"), (std::vector<std::wstring>{L"EXE", L"1", L"BIN", L"6.912"}));
}

TEST(ExtensionTable, RootWithoutFilesGivesNoRowsAndZeroExtensions) {
  TempTree tree;
  tree.AddFolder(L"empty\\inside");
  tree.AddFile(L"no extension", "x");
  ProgramWindow program(tree.Root());
  RecordingView view(program.State());
  EXPECT_TRUE(ScanInto(program, tree.Root(), view).empty());
  EXPECT_EQ(program.Title(), L"Tallyfold [0 extensions]");
  EXPECT_EQ(program.State().Catalogue.size(), 1u);

  tree.AddFile(L"one.log", "x");
  EXPECT_EQ(ScanInto(program, tree.Root(), view).size(), 1u);
  EXPECT_EQ(program.Title(), L"Tallyfold [1 extensions]");
}

TEST_F(MixedTreeScan, FileListKeepsItsRowsThroughAScan) {
  AppendRow(program.State().FileList, L"C:\\kept.txt\n1\n2020-01-01", nullptr);
  Scan();
  EXPECT_EQ(ProgramWindow::Rows(program.State().FileList),
            (Rows{{L"C:\\kept.txt", L"1", L"2020-01-01"}}));
}

TEST(ExtensionTable, StopBeforeTheTableLeavesItUnsortedAndTitleUntouched) {
  TempTree tree;
  MakeMixedTree(tree);
  ProgramWindow program(tree.Root());
  RecordingView view(program.State());
  StopRequest stop;
  stop.Set();
  ProgramState& state = program.State();
  BuildExtensionTable(tree.Root(), state.Catalogue, state.Tally, view, stop);
  EXPECT_TRUE(view.appended.empty());
  EXPECT_FALSE(view.sorted);
  EXPECT_EQ(program.Title(), L"Tallyfold");
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
  for (const bool stopAfterFirstRow : {false, true}) {
    SCOPED_TRACE(stopAfterFirstRow ? "stopped" : "ended");
    ProgramWindow program(tree.Root());
    ProgramState& state = program.State();
    state.Hook = CountExtensionListPaints;
    StopRequest stop;
    {
      // The view lives as long as the scan's body, as on the worker.
      RecordingView view(state);
      view.afterClear = [&] { EXPECT_TRUE(Draws(state.ExtensionList)) << "while walking"; };
      if (stopAfterFirstRow) {
        view.afterAppend = [&] { stop.Set(); };
      }
      BuildExtensionTable(tree.Root(), state.Catalogue, state.Tally, view, stop);
    }
    EXPECT_EQ(RowCount(state.ExtensionList), stopAfterFirstRow ? 1 : 7);
    EXPECT_TRUE(Draws(state.ExtensionList));
  }
}

}  // namespace
}  // namespace tallyfold
