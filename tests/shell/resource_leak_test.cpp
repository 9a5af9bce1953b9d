#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "common/list_view.h"
#include "shell/workers.h"
#include "tests/support/process_census.h"
#include "tests/support/program_window.h"
#include "tests/support/temp_tree.h"

namespace tallyfold {
namespace {

using testing::ProgramWindow;

constexpr int Scans = 50;
constexpr int ListingsPerScan = 4;
// An icon of shell32.dll stands in for the extension icon, which this Wine lacks, so that
// every scan fills the list's image list too.
constexpr UINT StandInIconIndex = 3;

// Text, binary and executable samples, so that every probe opens and closes its file.
void MakeProbedTree(const testing::TempTree& tree) {
  tree.AddFile(L"a.txt", "text");
  tree.AddFile(L"sub\\b.txt", "text");
  tree.AddFile(L"sub\\c.dat", std::string_view("\x01\x02\x00\xff", 4));
  tree.AddFile(L"tool.exe", std::string_view("MZ\x90\x00", 4));
  tree.AddFile(L"deep\\er\\d.log", "log");
}

void ScanAndList(ProgramWindow& program, int listings) {
  ProgramState& state = program.State();
  state.CurrentScan = StartScan(state);
  ASSERT_TRUE(program.PumpUntilIdle());
  for (int listing = 0; listing < listings; ++listing) {
    testing::ClickRow(state.ExtensionList, listing % RowCount(state.ExtensionList));
    ASSERT_TRUE(program.PumpUntilIdle());
  }
  // Leaves no row selected, so that the next scan's first listing is a selection change.
  testing::ClickBelowRows(state.ExtensionList);
  ASSERT_TRUE(program.PumpUntilIdle());
}

TEST(ResourceLeaks, FiftyScansAndTwoHundredListingsHoldWhatTheFirstHeld) {
  testing::TempTree tree;
  MakeProbedTree(tree);
  ProgramWindow program(tree.Root());
  program.State().ExtensionIcon.reset(::ExtractIconW(nullptr, L"shell32.dll", StandInIconIndex));
  ASSERT_TRUE(program.State().ExtensionIcon);

  ScanAndList(program, ListingsPerScan);
  const testing::ResourceCensus first = testing::TakeResourceCensus();
  for (int scan = 1; scan < Scans; ++scan) {
    ScanAndList(program, ListingsPerScan);
  }
  const testing::ResourceCensus last = testing::TakeResourceCensus();
  std::printf("after the first scan: %s\nafter %d scans:       %s\n", Describe(first).c_str(),
              Scans, Describe(last).c_str());
  EXPECT_GT(first.kernelHandles, 0);
  EXPECT_GT(first.gdiObjects, 0);
  EXPECT_GT(first.windows, 0);
  EXPECT_EQ(first, last) << Describe(first) << " became " << Describe(last);
}

TEST(ResourceLeaks, TheCensusSeesEachKindOfResourceThatIsLeft) {
  const testing::ResourceCensus before = testing::TakeResourceCensus();
  KernelHandle event{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  HBRUSH brush = ::CreateSolidBrush(RGB(1, 2, 3));
  HWND window = ::CreateWindowW(L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  IconHandle icon{::ExtractIconW(nullptr, L"shell32.dll", StandInIconIndex)};
  HMENU menu = ::CreateMenu();
  const testing::ResourceCensus during = testing::TakeResourceCensus();
  ::DestroyMenu(menu);
  ::DestroyWindow(window);
  ::DeleteObject(brush);
  EXPECT_EQ(during.kernelHandles, before.kernelHandles + 1);
  EXPECT_GT(during.gdiObjects, before.gdiObjects);
  EXPECT_GT(during.windows + during.icons + during.menus,
            before.windows + before.icons + before.menus);
}

}  // namespace
}  // namespace tallyfold
