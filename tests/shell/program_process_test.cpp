#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "common/handles.h"
#include "shell/program_state.h"
#include "tests/support/remote_list.h"
#include "tests/support/running_program.h"
#include "tests/support/temp_tree.h"

namespace tallyfold {
namespace {

using testing::TempTree;

using testing::IsResultTitle;
using testing::RunningProgram;

constexpr DWORD WaitMilliseconds = 60'000;

// The built program started on a root folder.
RunningProgram StartProgram(const std::wstring& root) {
  return RunningProgram(testing::BuiltProgram(L"tallyfold.exe"), testing::ProgramWindowClass, root);
}

// Asks the program to close; its exit code, and how long it took to end.
long CloseProgram(const RunningProgram& program, double& tookSeconds) {
  const double start = testing::Seconds();
  const long code = program.Close();
  tookSeconds = testing::Seconds() - start;
  return code;
}

void MakeTree(const TempTree& tree, int files) {
  for (int file = 0; file < files; ++file) {
    tree.AddFile(L"f" + std::to_wstring(file % 10) + L"\\file" + std::to_wstring(file) +
                     (file % 3 ? L".txt" : L".bin"),
                 "x");
  }
}

constexpr int SortClicks = 3;
constexpr DWORD BusyWithinMs = 1000;
constexpr DWORD BusyProbeMs = 2;
constexpr DWORD SteadyMs = 300;

// True once the window's thread has not answered within a moment: it is busy sorting.
bool AwaitBusy(HWND window) {
  const ULONGLONG end = ::GetTickCount64() + BusyWithinMs;
  while (::GetTickCount64() < end) {
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, BusyProbeMs, &result)) {
      return true;
    }
  }
  return false;
}

// Waits until the list's row count has not changed for a while: its listing is done.
bool AwaitSteadyRowCount(HWND list) {
  const ULONGLONG end = ::GetTickCount64() + WaitMilliseconds;
  LRESULT last = -1;
  ULONGLONG since = ::GetTickCount64();
  while (::GetTickCount64() < end) {
    const LRESULT rows = ::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    if (rows != last) {
      last = rows;
      since = ::GetTickCount64();
    } else if (::GetTickCount64() - since >= SteadyMs) {
      return true;
    }
    ::Sleep(10);
  }
  return false;
}

TEST(Program, WalksItsRootShowsTheResultAndClosesWithCodeZero) {
  TempTree tree;
  MakeTree(tree, 30);
  RunningProgram program = StartProgram(tree.Root());
  ASSERT_TRUE(program.Started());
  ASSERT_GE(program.AwaitTitle(IsResultTitle), 0.0);
  EXPECT_EQ(testing::WindowText(program.Window()), L"Tallyfold [2 extensions]");
  HWND list = ::GetDlgItem(program.Window(), ExtensionListId);
  EXPECT_EQ(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(program.Close(), 0);
}

// What an outside program reads, as the watcher of a run without a screen does.
TEST(Program, ShowsItsCaptionsAndRowsToAnotherProcess) {
  TempTree tree;
  MakeTree(tree, 30);
  const std::wstring longName = std::wstring(200, L'n') + L".txt";
  tree.AddFile(L"long\\" + longName, "x");
  RunningProgram program = StartProgram(tree.Root());
  ASSERT_GE(program.AwaitTitle(IsResultTitle), 0.0);
  const testing::RemoteList extensions(::GetDlgItem(program.Window(), 12));
  ASSERT_TRUE(extensions.Readable());
  std::vector<std::wstring> captions;
  for (int column = 0; column < extensions.ColumnCount(); ++column) {
    captions.push_back(extensions.Caption(column));
  }
  EXPECT_EQ(captions,
            (std::vector<std::wstring>{L"Extension", L"File count", L"Type", L"Entropy"}));
  auto rows = extensions.Rows(10);
  std::sort(rows.begin(), rows.end());
  using Row = std::vector<std::wstring>;
  EXPECT_EQ(rows, (std::vector<Row>{{L"BIN", L"10", L"TEXT", L""}, {L"TXT", L"21", L"TEXT", L""}}));
  EXPECT_EQ(extensions.Rows(1).size(), 1u);

  // A cell longer than a short read buffer: the long name in the listing of the TXT files,
  // the first row as the most numerous.
  HWND files = ::GetDlgItem(program.Window(), 13);
  const LPARAM firstRow = MAKELPARAM(30, 28);
  ::PostMessageW(::GetDlgItem(program.Window(), 12), WM_LBUTTONDOWN, MK_LBUTTON, firstRow);
  ::PostMessageW(::GetDlgItem(program.Window(), 12), WM_LBUTTONUP, 0, firstRow);
  const ULONGLONG end = ::GetTickCount64() + WaitMilliseconds;
  while (::SendMessageW(files, LVM_GETITEMCOUNT, 0, 0) < 21 && ::GetTickCount64() < end) {
    ::Sleep(5);
  }
  const auto listed = testing::RemoteList(files).Rows(100);
  ASSERT_EQ(listed.size(), 21u);
  EXPECT_EQ(std::count_if(listed.begin(), listed.end(),
                          [&](const Row& row) { return row[0].ends_with(longName); }),
            1);
  EXPECT_EQ(program.Close(), 0);
}

TEST(Program, ClosingMidScanEndsAtOnceWithCodeZero) {
  TempTree tree;
  MakeTree(tree, 6000);
  RunningProgram program = StartProgram(tree.Root());
  ASSERT_GE(program.AwaitTitle([](const std::wstring& title) {
    return title.starts_with(L"Tallyfold [Refreshing");
  }),
            0.0);
  double took = 0;
  EXPECT_EQ(CloseProgram(program, took), 0);
  std::printf("closing mid-scan took %.0f ms\n", took * 1000);
}

TEST(Program, ClosingMidListingAndMidSortEndsWithCodeZero) {
  TempTree tree;
  MakeTree(tree, 6000);
  for (bool sortFirst : {false, true}) {
    RunningProgram program = StartProgram(tree.Root());
    ASSERT_GE(program.AwaitTitle(IsResultTitle), 0.0);
    HWND window = program.Window();
    HWND extensions = ::GetDlgItem(window, ExtensionListId);
    HWND files = ::GetDlgItem(window, FileListId);
    // A click on the first row, which holds the TXT files, the most numerous.
    const LPARAM firstRow = MAKELPARAM(30, 28);
    ::PostMessageW(extensions, WM_LBUTTONDOWN, MK_LBUTTON, firstRow);
    ::PostMessageW(extensions, WM_LBUTTONUP, 0, firstRow);
    const ULONGLONG end = ::GetTickCount64() + WaitMilliseconds;
    while (::SendMessageW(files, LVM_GETITEMCOUNT, 0, 0) == 0 && ::GetTickCount64() < end) {
      ::Sleep(5);
    }
    ASSERT_GT(::SendMessageW(files, LVM_GETITEMCOUNT, 0, 0), 0);
    bool sorting = false;
    if (sortFirst) {
      // The whole listing first, so that the sort below is of every row.
      ASSERT_TRUE(AwaitSteadyRowCount(files));
      HWND header = reinterpret_cast<HWND>(::SendMessageW(files, LVM_GETHEADER, 0, 0));
      for (int click = 0; click < SortClicks; ++click) {
        ::PostMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 8));
        ::PostMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(20, 8));
      }
      sorting = AwaitBusy(window);
    }
    double took = 0;
    EXPECT_EQ(CloseProgram(program, took), 0);
    if (sortFirst) {
      // The window did not answer while the sort ran, so the close came in the midst of it.
      EXPECT_TRUE(sorting);
    }
    std::printf("closing mid-%s took %.0f ms\n", sortFirst ? "sort" : "listing", took * 1000);
  }
}

}  // namespace
}  // namespace tallyfold
