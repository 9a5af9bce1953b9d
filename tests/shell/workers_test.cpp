#include "shell/workers.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <string>
#include <thread>

#include "catalogue/file_listing.h"
#include "common/list_view.h"
#include "tests/support/program_window.h"
#include "tests/support/temp_tree.h"

namespace tallyfold {
namespace {

using testing::ProgramWindow;
using testing::TempTree;

// Long enough for a waiter that does not wait to have returned.
constexpr DWORD WaiterGraceMs = 300;
constexpr int NotReturned = -1;

BOOL WINAPI FailToDuplicate(HANDLE, HANDLE, HANDLE, LPHANDLE copy, DWORD, BOOL, DWORD) {
  *copy = nullptr;
  ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return FALSE;
}

void AddTextFiles(const TempTree& tree, int first, int count) {
  for (int file = first; file < first + count; ++file) {
    tree.AddFile(L"d" + std::to_wstring(file % 5) + L"\\f" + std::to_wstring(file) + L".txt", "t");
  }
}

// A window whose scan is held at its first request to the window, before it touches the
// catalogue, for as long as this thread does not serve the window.
class HeldScan : public ::testing::Test {
 protected:
  void StartHeldScan() {
    program_ = std::make_unique<ProgramWindow>(tree_.Root());
    State().CurrentScan = StartScan(State());
    ASSERT_TRUE(IsWorkerRunning(State().CurrentScan.get()));
  }

  ProgramState& State() { return program_->State(); }

  TempTree tree_;
  std::unique_ptr<ProgramWindow> program_;
};

TEST_F(HeldScan, WithoutAHandleOfTheScanTheWaitLastsUntilTheScanHasEnded) {
  AddTextFiles(tree_, 0, 50);
  StartHeldScan();
  const ScanEnd end = RunningScanEnd(State().CurrentScan.get(), FailToDuplicate);
  EXPECT_FALSE(end.Thread);
  const StopRequest stop;
  std::atomic<int> waited = NotReturned;
  std::thread waiter([&] { waited = AwaitScanEnd(end, stop); });
  ::Sleep(WaiterGraceMs);
  EXPECT_EQ(waited, NotReturned);
  ASSERT_TRUE(program_->PumpUntilIdle());
  waiter.join();
  EXPECT_EQ(waited, 1);
  EXPECT_EQ(State().Catalogue.size(), 50u);
}

TEST_F(HeldScan, AStopEndsTheWaitWhileTheScanStillRuns) {
  AddTextFiles(tree_, 0, 10);
  StartHeldScan();
  for (const HandleDuplicator duplicate : {FailToDuplicate, HandleDuplicator{::DuplicateHandle}}) {
    const ScanEnd end = RunningScanEnd(State().CurrentScan.get(), duplicate);
    EXPECT_EQ(static_cast<bool>(end.Thread), duplicate != FailToDuplicate);
    StopRequest stop;
    std::atomic<int> waited = NotReturned;
    std::thread waiter([&] { waited = AwaitScanEnd(end, stop); });
    ::Sleep(WaiterGraceMs);
    EXPECT_EQ(waited, NotReturned);
    stop.Set();
    waiter.join();
    EXPECT_EQ(waited, 0);
    EXPECT_TRUE(IsWorkerRunning(State().CurrentScan.get()));
  }
  ASSERT_TRUE(program_->PumpUntilIdle());
}

TEST_F(HeldScan, AListingStartedWithoutAHandleOfTheScanListsTheNewCatalogueWhole) {
  constexpr int Earlier = 400;
  constexpr int Added = 2600;
  AddTextFiles(tree_, 0, Earlier);
  StartHeldScan();
  ASSERT_TRUE(program_->PumpUntilIdle());
  ASSERT_EQ(State().Catalogue.size(), static_cast<std::size_t>(Earlier));
  // The next scan finds more files; a listing that read the catalogue before the scan had
  // filled it would list the earlier files, or some of the new ones.
  AddTextFiles(tree_, Earlier, Added);
  State().CurrentScan = StartScan(State());
  State().SelectedExtension = L"TXT";
  State().CurrentListing = StartListing(State(), FailToDuplicate);
  ASSERT_TRUE(program_->PumpUntilIdle());
  ASSERT_EQ(State().Catalogue.size(), static_cast<std::size_t>(Earlier + Added));
  std::multiset<std::wstring> listed;
  for (int row = 0; row < RowCount(State().FileList); ++row) {
    listed.insert(CellText(State().FileList, row, NameColumn));
  }
  EXPECT_EQ(listed,
            std::multiset<std::wstring>(State().Catalogue.begin(), State().Catalogue.end()));
}

TEST(RunningScanEnd, IsEmptyWhenNoScanRuns) {
  const ScanEnd end = RunningScanEnd(nullptr, FailToDuplicate);
  EXPECT_FALSE(end.Thread);
  EXPECT_FALSE(end.Ended);
  EXPECT_TRUE(AwaitScanEnd(end, StopRequest{}));
}

}  // namespace
}  // namespace tallyfold
