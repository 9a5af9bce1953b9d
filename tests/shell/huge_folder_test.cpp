#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

#include "catalogue/extension_table.h"
#include "catalogue/file_listing.h"
#include "common/list_view.h"
#include "shell/workers.h"
#include "tests/support/linux_side.h"
#include "tests/support/list_window.h"
#include "tests/support/program_window.h"
#include "tests/support/running_program.h"

namespace tallyfold {
namespace {

using testing::ProgramWindow;

// The tree of the benchmarks (tools/benchmarks/bench_tree.py huge), built once from the Linux
// side and kept: a-folders holds 20,000 subfolders of one s.sub each, b-files 100,000 files
// f000000.h0, f000001.h1 and so on, file n holding n % 7 bytes.
constexpr wchar_t HugeTree[] = L"Z:\\tmp\\tallyfold-bench\\huge-tree";
constexpr unsigned HugeTreeBuildSeconds = 600;
constexpr int Subfolders = 20'000;
constexpr int Extensions = 10;
constexpr int Sizes = 7;
constexpr std::size_t FullCatalogue = 98'305;
constexpr DWORD WalkAndListMs = 240'000;
constexpr DWORD AnswerWithinMs = 1000;
constexpr DWORD AskEveryMs = 100;

bool BuildHugeTree() {
  return testing::RunLinuxCommands(std::string("python3 '") + TALLYFOLD_SOURCE_DIR +
                                       "/tools/benchmarks/bench_tree.py' huge '" +
                                       testing::LinuxPath(HugeTree) + "'",
                                   HugeTreeBuildSeconds);
}

// Asks the window a question from another thread every so often while it lives, and keeps
// the longest time an answer took.
class AnswerWatch {
 public:
  explicit AnswerWatch(HWND window)
      : asker_([this, window] {
          while (!done_) {
            const double start = testing::Seconds();
            DWORD_PTR result = 0;
            if (!::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, AnswerWithinMs,
                                       &result)) {
              ++unanswered_;
            }
            const double took = testing::Seconds() - start;
            longest_ = std::max(longest_.load(), took);
            ++asked_;
            ::Sleep(AskEveryMs);
          }
        }) {}
  ~AnswerWatch() { Stop(); }

  void Stop() {
    done_ = true;
    if (asker_.joinable()) {
      asker_.join();
    }
  }
  [[nodiscard]] int Asked() const { return asked_; }
  [[nodiscard]] int Unanswered() const { return unanswered_; }
  [[nodiscard]] double Longest() const { return longest_; }

 private:
  std::atomic<bool> done_ = false;
  std::atomic<int> asked_ = 0;
  std::atomic<int> unanswered_ = 0;
  std::atomic<double> longest_ = 0.0;
  std::thread asker_;
};

int RowOf(HWND list, std::wstring_view first) {
  for (int row = 0; row < RowCount(list); ++row) {
    if (CellText(list, row, 0) == first) {
      return row;
    }
  }
  return -1;
}

// The file number in a name such as ...\f012345.h5.
int FileNumber(const std::wstring& path) {
  return std::stoi(path.substr(path.rfind(L"\\f") + 2, 6));
}

// How many of the files f000000 to f(count - 1) have the extension h<extension>.
int FilesNumbered(std::size_t count, int extension) {
  return static_cast<int>((count + Extensions - 1 - static_cast<std::size_t>(extension)) /
                          Extensions);
}

TEST(HugeFolders, AreWalkedTalliedListedAndSortedWhileTheWindowAnswers) {
  if (!testing::HasLinuxSide()) {
    GTEST_SKIP() << "needs a Linux side to build the tree";
  }
  ASSERT_TRUE(BuildHugeTree());
  ProgramWindow program(HugeTree);
  ProgramState& state = program.State();
  AnswerWatch watch(state.MainWindow);

  const double start = testing::Seconds();
  state.CurrentScan = StartScan(state);
  ASSERT_TRUE(program.PumpUntilIdle(WalkAndListMs));
  const double scanned = testing::Seconds() - start;
  // The subfolders come first; the big folder fills the catalogue, and its files after that
  // are tallied only.
  ASSERT_EQ(state.Catalogue.size(), FullCatalogue);
  EXPECT_EQ(state.Catalogue[0], std::wstring(HugeTree) + L"\\a-folders\\d00000\\s.sub");
  EXPECT_EQ(state.Catalogue[Subfolders - 1],
            std::wstring(HugeTree) + L"\\a-folders\\d19999\\s.sub");
  const std::size_t fromBigFolder = FullCatalogue - Subfolders;
  EXPECT_EQ(state.Catalogue[Subfolders], std::wstring(HugeTree) + L"\\b-files\\f000000.h0");
  EXPECT_EQ(FileNumber(std::wstring(state.Catalogue.back())), static_cast<int>(fromBigFolder) - 1);
  EXPECT_EQ(program.Title(), L"Tallyfold [11 extensions]");
  HWND extensions = state.ExtensionList;
  EXPECT_EQ(CellText(extensions, 0, ExtensionColumn), L"SUB");
  EXPECT_EQ(CellText(extensions, 0, FileCountColumn), std::to_wstring(Subfolders));
  // The file that found the catalogue full is tallied too; then the folder is left.
  const std::size_t tallied = fromBigFolder + 1;
  for (int extension = 0; extension < Extensions; ++extension) {
    const int row = RowOf(extensions, L"H" + std::to_wstring(extension));
    ASSERT_GE(row, 1);
    EXPECT_EQ(CellText(extensions, row, FileCountColumn),
              std::to_wstring(FilesNumbered(tallied, extension)));
  }

  const double listingStart = testing::Seconds();
  testing::ClickRow(extensions, RowOf(extensions, L"H3"));
  ASSERT_TRUE(program.PumpUntilIdle(WalkAndListMs));
  const double listed = testing::Seconds() - listingStart;
  HWND files = state.FileList;
  // Every tenth catalogued file of the big folder, from f000003 on.
  const int rows = FilesNumbered(fromBigFolder, 3);
  ASSERT_EQ(RowCount(files), rows);
  for (int row = 0; row < rows; ++row) {
    const std::wstring name = CellText(files, row, NameColumn);
    ASSERT_EQ(FileNumber(name), row * Extensions + 3);
    ASSERT_EQ(CellText(files, row, SizeColumn), std::to_wstring(FileNumber(name) % Sizes));
  }

  const double sortStart = testing::Seconds();
  testing::ClickHeader(files, SizeColumn);
  ASSERT_TRUE(program.PumpUntilIdle(WalkAndListMs));
  const double sorted = testing::Seconds() - sortStart;
  int previousSize = 0;
  int previousNumber = -1;
  for (int row = 0; row < rows; ++row) {
    const int size = std::stoi(CellText(files, row, SizeColumn));
    const int number = FileNumber(CellText(files, row, NameColumn));
    ASSERT_EQ(size, number % Sizes);
    ASSERT_GE(size, previousSize);
    // Rows of one size keep their order.
    ASSERT_TRUE(size > previousSize || number > previousNumber) << row;
    previousSize = size;
    previousNumber = number;
  }
  watch.Stop();
  EXPECT_EQ(watch.Unanswered(), 0);
  EXPECT_GT(watch.Asked(), 0);
  std::printf(
      "huge folders: scan %.1f s, listing of %d rows %.1f s, sort %.2f s; %d questions, "
      "longest answer %.3f s\n",
      scanned, rows, listed, sorted, watch.Asked(), watch.Longest());
}

}  // namespace
}  // namespace tallyfold
