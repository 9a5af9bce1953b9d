#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "catalogue/extension_table.h"
#include "catalogue/file_listing.h"
#include "common/list_view.h"
#include "common/upper_extension.h"
#include "shell/folder_box.h"
#include "shell/workers.h"
#include "tests/support/drive_d.h"
#include "tests/support/list_window.h"
#include "tests/support/process_census.h"
#include "tests/support/program_window.h"

namespace tallyfold {
namespace {

using testing::ItemOfDrive;
using testing::ProgramWindow;
using RowSet = std::multiset<std::vector<std::wstring>>;

constexpr int StormActions = 320;
constexpr unsigned StormSeed = 20'240'611;
constexpr int LongestPauseMs = 12;
constexpr int AnswerCheckEvery = 40;
constexpr DWORD AnswerWithinMs = 1000;
// One scan and one listing at most.
constexpr int MostWorkerThreads = 2;

// Drive D: holds a dozen extensions: texts, plain binaries, executables (MZ) and one extension
// with enough files that its listing and its sort take a while.
void MakeStormTree(const testing::DriveDFolder& folder) {
  for (int file = 0; file < 700; ++file) {
    folder.AddFile(
        L"many\\m" + std::to_wstring(file % 9) + L"\\f" + std::to_wstring(file) + L".txt", "text");
  }
  const char* const binary = "\x01\x02\x03\xff\x00 binary";
  const char* const executable = "MZ\x90\x00\x03\x00\x00\x00\x04\x00";
  struct Kind {
    const wchar_t* extension;
    int count;
    std::string_view bytes;
  };
  const Kind kinds[] = {
      {L"log", 40, "log line"},       {L"ini", 25, "[a]"},
      {L"dat", 30, {binary, 15}},     {L"bin", 12, {binary, 15}},
      {L"exe", 20, {executable, 10}}, {L"dll", 35, {executable, 10}},
      {L"sys", 8, {executable, 10}},  {L"cfg", 3, "x=1"},
      {L"md", 9, "# notes"},          {L"raw", 5, {binary, 15}},
  };
  for (const Kind& kind : kinds) {
    for (int file = 0; file < kind.count; ++file) {
      folder.AddFile(L"k\\" + std::to_wstring(file % 4) + L"\\n" + std::to_wstring(file) + L"." +
                         kind.extension,
                     kind.bytes);
    }
  }
}

RowSet RowsOf(HWND list) {
  const auto rows = ProgramWindow::Rows(list);
  return RowSet(rows.begin(), rows.end());
}

// The extensions whose rows the list draws on the executables' colour.
std::set<std::wstring> TintedExtensions(HWND list) {
  std::set<std::wstring> tinted;
  for (int row = 0; row < RowCount(list); ++row) {
    ::SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    RECT cell{};
    ListView_GetSubItemRect(list, row, FileCountColumn, LVIR_BOUNDS, &cell);
    // The right end of the count cell lies beyond its short, left-aligned digits.
    const POINT blank{cell.right - 4, (cell.top + cell.bottom) / 2};
    if (testing::DrawnPixel(list, blank) == ExecutableRowColour) {
      tinted.insert(CellText(list, row, ExtensionColumn));
    }
  }
  return tinted;
}

std::multiset<std::wstring> CataloguedFiles(const ProgramState& state,
                                            std::wstring_view extension) {
  std::multiset<std::wstring> files;
  for (std::wstring_view path : state.Catalogue) {
    if (UpperExtension(path) == extension) {
      files.emplace(path);
    }
  }
  return files;
}

std::multiset<std::wstring> ListedFiles(HWND list) {
  std::multiset<std::wstring> files;
  for (int row = 0; row < RowCount(list); ++row) {
    files.insert(CellText(list, row, NameColumn));
  }
  return files;
}

// A user at work: clicks, double-clicks, header clicks and drive choices in a seeded order.
class Storm {
 public:
  Storm(ProgramWindow& program, unsigned seed) : program_(program), random_(seed) {}

  void Act() {
    ProgramState& state = program_.State();
    switch (Pick(10)) {
      case 0:
      case 1:
        ClickSomeRow(state.ExtensionList);
        break;
      case 2:
        testing::ClickBelowRows(state.ExtensionList);
        break;
      case 3:
        testing::ClickHeader(state.ExtensionList, Pick(4));
        break;
      case 4:
        testing::ClickHeader(state.FileList, Pick(3));
        break;
      case 5:
        ClickSomeRow(state.FileList);
        break;
      case 6:
      case 7:
        if (RowCount(state.FileList) > 0) {
          testing::DoubleClickRow(state.FileList, Pick(RowCount(state.FileList)));
        }
        break;
      default:
        ChooseSomeDrive(state.FolderBox);
        break;
    }
  }

  int Pick(int choices) { return std::uniform_int_distribution<int>(0, choices - 1)(random_); }

 private:
  void ClickSomeRow(HWND list) {
    if (RowCount(list) > 0) {
      testing::ClickRow(list, Pick(RowCount(list)));
    }
  }

  void ChooseSomeDrive(HWND box) {
    // No choice, C:, D:, or a drive the program does not walk (Z:, which walks C:\).
    const int choices[] = {-1, ItemOfDrive(box, L'C'), ItemOfDrive(box, L'D'),
                           ItemOfDrive(box, L'Z')};
    testing::ChooseFolderBoxItem(box, choices[Pick(4)]);
  }

  ProgramWindow& program_;
  std::mt19937 random_;
};

TEST(UiStorm, HundredsOfUserActionsLeaveOneWorkerOfEachKindAndTheUndisturbedTables) {
  testing::DriveDFolder folder(L"storm");
  MakeStormTree(folder);
  ProgramWindow program(L"D:\\");
  ProgramState& state = program.State();
  int wrongOpens = 0;
  int opens = 0;
  state.OpenFile = [&](const std::wstring& path) {
    // The file list may still show an earlier listing's rows, yet a double-click always hands
    // over a listed file's path, never a caption.
    ++opens;
    const bool onDrive = path.starts_with(L"C:\\") || path.starts_with(L"D:\\");
    wrongOpens += !onDrive || UpperExtension(path).empty();
  };
  const int idleThreads = testing::LiveThreadCount();
  ASSERT_GT(idleThreads, 0);
  state.CurrentScan = StartScan(state);

  Storm storm(program, StormSeed);
  int mostWorkers = 0;
  for (int action = 1; action <= StormActions; ++action) {
    storm.Act();
    program.PumpFor(static_cast<DWORD>(storm.Pick(LongestPauseMs + 1)));
    mostWorkers = std::max(mostWorkers, testing::LiveThreadCount() - idleThreads);
    if (action % AnswerCheckEvery == 0) {
      EXPECT_TRUE(testing::AnswersPromptly(program, AnswerWithinMs)) << "after action " << action;
    }
  }
  EXPECT_LE(mostWorkers, MostWorkerThreads);

  // The user's last choice is drive D:, whose walk is then left alone.
  testing::ChooseFolderBoxItem(state.FolderBox, ItemOfDrive(state.FolderBox, L'D'));
  ASSERT_TRUE(program.PumpUntilIdle());
  EXPECT_TRUE(testing::AnswersPromptly(program, AnswerWithinMs));
  EXPECT_EQ(state.RootFolder, L"D:\\");
  const RowSet stormed = RowsOf(state.ExtensionList);
  const std::set<std::wstring> stormedTint = TintedExtensions(state.ExtensionList);

  state.CurrentScan = StartScan(state);
  ASSERT_TRUE(program.PumpUntilIdle());
  EXPECT_EQ(stormed, RowsOf(state.ExtensionList));
  EXPECT_EQ(stormedTint, TintedExtensions(state.ExtensionList));
  EXPECT_EQ(stormedTint, (std::set<std::wstring>{L"EXE", L"DLL", L"SYS"}));
  EXPECT_EQ(program.Title(), L"Tallyfold [11 extensions]");

  testing::ClickRow(state.ExtensionList, storm.Pick(RowCount(state.ExtensionList)));
  ASSERT_TRUE(program.PumpUntilIdle());
  const int selected = SelectedRow(state.ExtensionList);
  ASSERT_GE(selected, 0);
  EXPECT_EQ(state.SelectedExtension, CellText(state.ExtensionList, selected, ExtensionColumn));
  EXPECT_EQ(ListedFiles(state.FileList), CataloguedFiles(state, state.SelectedExtension));
  testing::ClickBelowRows(state.ExtensionList);
  ASSERT_TRUE(program.PumpUntilIdle());
  EXPECT_EQ(RowCount(state.FileList), 0);

  EXPECT_EQ(wrongOpens, 0);
  std::printf("storm: %d actions, %d files opened, at most %d worker threads\n", StormActions,
              opens, mostWorkers);
}

}  // namespace
}  // namespace tallyfold
