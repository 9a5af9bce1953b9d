#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <set>
#include <string>
#include <vector>

#include "catalogue/extension_table.h"
#include "common/list_view.h"
#include "common/upper_extension.h"
#include "shell/folder_box.h"
#include "shell/handlers.h"
#include "shell/notepad.h"
#include "shell/start_up.h"
#include "shell/workers.h"
#include "sorting/cell_values.h"
#include "sorting/header_sort.h"
#include "tests/support/drive_d.h"
#include "tests/support/linux_side.h"
#include "tests/support/program_window.h"
#include "tests/support/temp_tree.h"

namespace tallyfold {
namespace {

using testing::ItemOfDrive;
using testing::ProgramWindow;
using testing::TempTree;
using Rows = std::vector<std::vector<std::wstring>>;

// Files of a few extensions in a few folders: TXT 3, LOG 2 (one name with blanks), EXE 1.
void MakeSmallTree(const TempTree& tree) {
  tree.AddFile(L"a.txt", "alpha");
  tree.AddFile(L"sub\\b.TXT", "beta");
  tree.AddFile(L"sub\\deep\\c.txt", "gamma");
  tree.AddFile(L"one.log", "log");
  tree.AddFile(L"with blanks\\two words.log", "log");
  tree.AddFile(L"tool.exe", "MZ\x90");
}

// `count` files of each extension, spread over a few folders.
void MakeWideTree(const TempTree& tree, int extensions, int count) {
  for (int e = 0; e < extensions; ++e) {
    for (int f = 0; f < count; ++f) {
      tree.AddFile(
          L"d" + std::to_wstring(f % 7) + L"\\f" + std::to_wstring(f) + L".e" + std::to_wstring(e),
          "text");
    }
  }
}

int RowOfExtension(HWND list, std::wstring_view extension) {
  for (int row = 0; row < RowCount(list); ++row) {
    if (CellText(list, row, 0) == extension) {
      return row;
    }
  }
  return -1;
}

std::vector<std::wstring> Column(HWND list, int column) {
  std::vector<std::wstring> cells;
  for (int row = 0; row < RowCount(list); ++row) {
    cells.push_back(CellText(list, row, column));
  }
  return cells;
}

// The files of one extension that the walk catalogued, in catalogue order.
std::vector<std::wstring> CataloguedFiles(const ProgramState& state, std::wstring_view extension) {
  std::vector<std::wstring> files;
  for (std::wstring_view path : state.Catalogue) {
    if (UpperExtension(path) == extension) {
      files.emplace_back(path);
    }
  }
  return files;
}

// Counts the listings that began: each clears the file list once.
struct ListingCounter {
  int clears = 0;
  static LRESULT CALLBACK Count(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR self) {
    if (message == LVM_DELETEALLITEMS) {
      ++reinterpret_cast<ListingCounter*>(self)->clears;
    }
    return ::DefSubclassProc(list, message, wParam, lParam);
  }
};

class ScannedWindow : public ::testing::Test {
 protected:
  void ScanTree(const std::wstring& root) {
    program_ = std::make_unique<ProgramWindow>(root);
    State().CurrentScan = StartScan(State());
    ASSERT_TRUE(program_->PumpUntilIdle());
  }
  ProgramState& State() { return program_->State(); }
  ProgramWindow& Program() { return *program_; }

  TempTree tree_;
  std::unique_ptr<ProgramWindow> program_;
};

TEST(StartUp, ShowsTheRefreshingTitleUntilTheScanReports) {
  TempTree tree;
  MakeSmallTree(tree);
  // A decimal point that the user's settings made a comma is a full stop again once started.
  setlocale(LC_NUMERIC, "German");
  ProgramWindow program(StartUp(L"tallyfold.exe \"" + tree.Root() + L"\""));
  // The scan's title requests wait for this thread, which has not served them yet.
  EXPECT_EQ(program.Title(), L"Tallyfold [Refreshing...]");
  EXPECT_FLOAT_EQ(ParseDecimal(L"1.5"), 1.5F);
  EXPECT_EQ(program.State().RootFolder, tree.Root());
  ASSERT_TRUE(program.PumpUntilIdle());
  EXPECT_EQ(program.Title(), L"Tallyfold [3 extensions]");
  EXPECT_EQ(Column(program.State().ExtensionList, 0),
            (std::vector<std::wstring>{L"TXT", L"LOG", L"EXE"}));
}

TEST_F(ScannedWindow, SelectingARowListsItsFilesAndClearsTheArrows) {
  MakeSmallTree(tree_);
  ScanTree(tree_.Root());
  ShowSortArrow(State().FileList, 1, SortDirection::Ascending);
  testing::ClickRow(State().ExtensionList, RowOfExtension(State().ExtensionList, L"TXT"));
  ASSERT_TRUE(Program().PumpUntilIdle());
  EXPECT_EQ(State().SelectedExtension, L"TXT");
  EXPECT_EQ(Column(State().FileList, 0), CataloguedFiles(State(), L"TXT"));
  EXPECT_EQ(Column(State().FileList, 0).size(), 3u);
  for (int column = 0; column < 3; ++column) {
    EXPECT_EQ(ReadSortArrow(State().FileList, column), SortDirection::None);
  }
}

TEST_F(ScannedWindow, MovingTheSelectionStartsOneListingForTheNewRow) {
  MakeSmallTree(tree_);
  ScanTree(tree_.Root());
  testing::ClickRow(State().ExtensionList, RowOfExtension(State().ExtensionList, L"TXT"));
  ASSERT_TRUE(Program().PumpUntilIdle());
  ListingCounter counter;
  ::SetWindowSubclass(State().FileList, ListingCounter::Count, 1,
                      reinterpret_cast<DWORD_PTR>(&counter));
  testing::ClickRow(State().ExtensionList, RowOfExtension(State().ExtensionList, L"LOG"));
  ASSERT_TRUE(Program().PumpUntilIdle());
  ::RemoveWindowSubclass(State().FileList, ListingCounter::Count, 1);
  EXPECT_EQ(counter.clears, 1);
  EXPECT_EQ(Column(State().FileList, 0), CataloguedFiles(State(), L"LOG"));
}

TEST_F(ScannedWindow, QuickSelectionsLeaveOneListingForTheLast) {
  MakeWideTree(tree_, 3, 400);
  ScanTree(tree_.Root());
  HWND list = State().ExtensionList;
  for (const wchar_t* extension : {L"E0", L"E1", L"E2"}) {
    testing::ClickRow(list, RowOfExtension(list, extension));
    // The handler runs; the listing it starts has no time to finish before the next click.
    ASSERT_TRUE(Program().PumpUntil([&] { return State().Events.empty(); }));
  }
  EXPECT_EQ(State().SelectedExtension, L"E2");
  ASSERT_TRUE(Program().PumpUntilIdle());
  EXPECT_EQ(Column(State().FileList, 0), CataloguedFiles(State(), L"E2"));
  EXPECT_EQ(RowCount(State().FileList), 400);
}

TEST_F(ScannedWindow, ClickBelowTheRowsEmptiesTheFileList) {
  MakeSmallTree(tree_);
  ScanTree(tree_.Root());
  testing::ClickRow(State().ExtensionList, 0);
  ASSERT_TRUE(Program().PumpUntilIdle());
  ASSERT_GT(RowCount(State().FileList), 0);
  testing::ClickBelowRows(State().ExtensionList);
  ASSERT_TRUE(Program().PumpUntilIdle());
  EXPECT_EQ(SelectedRow(State().ExtensionList), -1);
  EXPECT_EQ(State().SelectedExtension, L"Extension");
  EXPECT_EQ(RowCount(State().FileList), 0);
}

TEST_F(ScannedWindow, DoubleClickOpensTheSelectedPathAndNothingWithoutSelection) {
  MakeSmallTree(tree_);
  ScanTree(tree_.Root());
  std::vector<std::wstring> opened;
  State().OpenFile = [&](const std::wstring& path) { opened.push_back(path); };
  testing::ClickRow(State().ExtensionList, RowOfExtension(State().ExtensionList, L"LOG"));
  ASSERT_TRUE(Program().PumpUntilIdle());
  const int row = RowOfExtension(State().FileList, tree_.Path(L"with blanks\\two words.log"));
  ASSERT_GE(row, 0);
  testing::DoubleClickRow(State().FileList, row);
  ASSERT_TRUE(Program().PumpUntilIdle());
  EXPECT_EQ(opened, (std::vector<std::wstring>{tree_.Path(L"with blanks\\two words.log")}));
  EXPECT_EQ(NotepadCommandLine(opened[0]), L"\"notepad\" " + opened[0]);

  ListView_SetItemState(State().FileList, -1, 0, LVIS_SELECTED);
  testing::DoubleClickRow(State().FileList, RowCount(State().FileList) + 5);
  ASSERT_TRUE(Program().PumpUntilIdle());
  EXPECT_EQ(opened.size(), 1u);
}

TEST(NotepadCommandLine, QuotesTheWordNotepadOnly) {
  EXPECT_EQ(NotepadCommandLine(L"C:\\my files\\a b.txt"), L"\"notepad\" C:\\my files\\a b.txt");
  EXPECT_EQ(NotepadCommandLine(L""), L"\"notepad\"");
}

TEST_F(ScannedWindow, HeaderSortWhileRowsAreAppendedKeepsEveryRowItsOwnCells) {
  MakeWideTree(tree_, 40, 1);
  for (int e = 0; e < 40; e += 3) {
    tree_.AddFile(L"x\\exe" + std::to_wstring(e) + L".e" + std::to_wstring(e), "MZ\x01\x02");
  }
  ScanTree(tree_.Root());
  const Rows undisturbed = ProgramWindow::Rows(State().ExtensionList);

  State().CurrentScan = StartScan(State());
  ASSERT_TRUE(Program().PumpUntil([&] { return RowCount(State().ExtensionList) >= 5; }));
  testing::ClickHeader(State().ExtensionList, 0);
  ASSERT_TRUE(Program().PumpUntilIdle());
  Rows disturbed = ProgramWindow::Rows(State().ExtensionList);
  EXPECT_EQ(std::multiset<std::vector<std::wstring>>(disturbed.begin(), disturbed.end()),
            std::multiset<std::vector<std::wstring>>(undisturbed.begin(), undisturbed.end()));
  // The colour went to the executables' rows, wherever the sort had put them.
  HWND list = State().ExtensionList;
  for (int row = 0; row < RowCount(list); ++row) {
    const bool executable = CellText(list, row, 2) == L"PE";
    EXPECT_EQ(executable, CellText(list, row, 1) == L"2")
        << ::testing::PrintToString(CellText(list, row, 0));
  }
}

TEST_F(ScannedWindow, SelectionDuringAWalkListsOnlyOnceTheWalkIsDone) {
  MakeWideTree(tree_, 2, 1500);
  ScanTree(tree_.Root());
  testing::ClickRow(State().ExtensionList, RowOfExtension(State().ExtensionList, L"E1"));
  ASSERT_TRUE(Program().PumpUntilIdle());
  State().CurrentScan = StartScan(State());
  // A click while the walk runs: the scan waits for this thread to clear the list, so it is
  // still running when the click's handler starts the listing. Waiting for the list to empty
  // first could miss a walk this small that ends within one pump.
  testing::ClickBelowRows(State().ExtensionList);
  EXPECT_TRUE(IsWorkerRunning(State().CurrentScan.get()));
  const Worker* earlier = State().CurrentListing.get();
  ASSERT_TRUE(Program().PumpUntil([&] { return State().Events.empty(); }));
  EXPECT_NE(State().CurrentListing.get(), earlier);
  ASSERT_TRUE(Program().PumpUntilIdle());
  EXPECT_EQ(RowCount(State().FileList), 0);
  EXPECT_EQ(RowCount(State().ExtensionList), 2);
}

}  // namespace
}  // namespace tallyfold

namespace tallyfold {
namespace {

// Drive D: of the test prefix holds only this small tree while a test runs: DAT, 2 files.
class DriveD : public testing::DriveDFolder {
 public:
  DriveD() : DriveDFolder(L"walked") {
    AddFile(L"on d.dat", "d");
    AddFile(L"d2.dat", "d");
  }
};

bool CataloguedUnder(const ProgramState& state, std::wstring_view root) {
  return !state.Catalogue.empty() &&
         std::all_of(state.Catalogue.begin(), state.Catalogue.end(),
                     [root](std::wstring_view path) { return path.starts_with(root); });
}

TEST(FolderBoxWalk, ClosingTheListWalksCOrDAndAnyOtherDriveWalksC) {
  DriveD drive;
  TempTree tree;
  MakeSmallTree(tree);
  ProgramWindow program(L"D:\\");
  ProgramState& state = program.State();
  HWND box = state.FolderBox;

  struct Case {
    int item;  // -1: open and close without a choice
    const wchar_t* boxText;
    const wchar_t* walked;
  };
  const Case cases[] = {
      {-1, L"D:\\", L"D:\\"},
      {ItemOfDrive(box, L'C'), L"C:\\", L"C:\\"},
      {-1, L"C:\\", L"C:\\"},
      {ItemOfDrive(box, L'Z'), L"Z:\\", L"C:\\"},
      {ItemOfDrive(box, L'D'), L"D:\\", L"D:\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.boxText));
    state.Catalogue.clear();
    testing::ChooseFolderBoxItem(box, c.item);
    ASSERT_TRUE(program.PumpUntilIdle());
    EXPECT_EQ(state.FolderBoxPath, c.boxText);
    EXPECT_EQ(state.RootFolder, c.walked);
    EXPECT_TRUE(CataloguedUnder(state, c.walked));
    EXPECT_TRUE(program.Title().ends_with(L" extensions]"))
        << ::testing::PrintToString(program.Title());
  }
  const int shown = static_cast<int>(::SendMessageW(box, CB_GETCURSEL, 0, 0));
  EXPECT_EQ(DriveRootOfItem(box, shown), L"D:\\");
}

TEST(FolderBoxWalk, StartedOnAnotherDriveTheBoxWalksC) {
  TempTree tree;
  MakeSmallTree(tree);
  ProgramWindow program(L"Z:\\nonexistent-but-named");
  testing::ChooseFolderBoxItem(program.State().FolderBox, -1);
  ASSERT_TRUE(program.PumpUntilIdle());
  EXPECT_EQ(program.State().RootFolder, L"C:\\");
}

TEST(FolderBoxWalk, KeyboardChangeWithTheListClosedStartsNoWalk) {
  DriveD drive;
  ProgramWindow program(L"D:\\");
  HWND combo =
      reinterpret_cast<HWND>(::SendMessageW(program.State().FolderBox, CBEM_GETCOMBOCONTROL, 0, 0));
  ::SendMessageW(combo, WM_KEYDOWN, VK_DOWN, 0);
  ::SendMessageW(combo, WM_KEYUP, VK_DOWN, 0);
  program.PumpFor(300);
  EXPECT_EQ(program.State().CurrentScan, nullptr);
  EXPECT_EQ(program.Title(), L"Tallyfold");
}

TEST(FolderBoxWalk, ChoiceWhileAScanRunsStopsItAndShowsOnlyTheNewScan) {
  DriveD drive;
  // Long enough that the walk is still going when the choice comes after its first progress
  // title: 60,000 files, made from the Linux side in a moment.
  const testing::LinuxTree tree(
      "mkdir d0 d1 d2 d3 d4 d5 d6 && seq 0 59999 | "
      "awk '{print \"d\" ($1 % 7) \"/f\" $1 \".e\" ($1 % 5)}' | xargs touch");
  if (!tree.Built()) {
    GTEST_SKIP() << "no Linux side to make a big tree quickly";
  }
  ProgramWindow program(tree.Root());
  ProgramState& state = program.State();
  state.CurrentScan = StartScan(state);
  ASSERT_TRUE(
      program.PumpUntil([&] { return program.Title().starts_with(L"Tallyfold [Refreshing... "); }));
  testing::ChooseFolderBoxItem(state.FolderBox, ItemOfDrive(state.FolderBox, L'D'));
  std::vector<std::wstring> titles;
  ASSERT_TRUE(program.PumpUntil([&] {
    if (titles.empty() || titles.back() != program.Title()) {
      titles.push_back(program.Title());
    }
    return state.Events.empty() && !IsWorkerRunning(state.CurrentScan.get());
  }));
  const std::wstring result = L"Tallyfold [1 extensions]";
  EXPECT_EQ(program.Title(), result);
  EXPECT_EQ(Column(state.ExtensionList, 0), (std::vector<std::wstring>{L"DAT"}));
  EXPECT_TRUE(CataloguedUnder(state, L"D:\\"));
  // The stopped scan left at most its progress titles; nothing of it follows the new result.
  const auto first = std::find(titles.begin(), titles.end(), result);
  ASSERT_NE(first, titles.end());
  for (auto at = titles.begin(); at != titles.end(); ++at) {
    if (at < first) {
      EXPECT_TRUE(at->starts_with(L"Tallyfold [Refreshing... ")) << ::testing::PrintToString(*at);
    } else {
      EXPECT_EQ(*at, result);
    }
  }
}

}  // namespace
}  // namespace tallyfold
