#include "catalogue/extension_table.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/handles.h"
#include "tests/catalogue/mixed_tree.h"
#include "tests/catalogue/recording_views.h"
#include "tests/support/temp_tree.h"

namespace tallyfold {
namespace {

using testing::MakeMixedTree;
using testing::TableRecorder;
using testing::TempTree;

struct Scanned {
  TableRecorder view;
  FileCatalogue catalogue;
  ExtensionTally tally;
};

void ScanInto(const std::wstring& root, Scanned& scanned, const StopRequest& stop = {}) {
  BuildExtensionTable(root, scanned.catalogue, scanned.tally, scanned.view, stop);
}

TEST(ExtensionTable, ShowsOneRowPerExtensionWithCountTypeAndEntropy) {
  TempTree tree;
  MakeMixedTree(tree);
  Scanned scanned;
  ScanInto(tree.Root(), scanned);

  using Row = std::vector<std::wstring>;
  const Row expected[] = {
      {L"TXT", L"3", L"TEXT", L""},     {L"MD", L"2", L"TEXT", L""},
      {L"EXE", L"1", L"PE", L"6.912"},  {L"DLL", L"1", L"PE", L"8.000"},
      {L"BIN", L"1", L"BIN", L"1.000"}, {L"DAT", L"1", L"BIN", L"2.000"},
      {L"SYS", L"1", L"BIN", L"3.107"},
  };
  ASSERT_EQ(scanned.view.rows.size(), std::size(expected));
  for (const Row& row : expected) {
    const Row* shown = scanned.view.RowOf(row[0]);
    ASSERT_NE(shown, nullptr) << ::testing::PrintToString(row[0]);
    EXPECT_EQ(*shown, row);
    // Only an executable's row is tinted.
    if (row[TypeColumn] == ExecutableType) {
      EXPECT_EQ(scanned.view.colours.at(row[0]), ExecutableRowColour);
    } else {
      EXPECT_FALSE(scanned.view.colours.contains(row[0])) << ::testing::PrintToString(row[0]);
    }
  }
  EXPECT_TRUE(scanned.view.sorted);
  EXPECT_EQ(scanned.view.result, 7u);
}

TEST(ExtensionTable, AppendsTheRowsInTallyOrder) {
  TempTree tree;
  MakeMixedTree(tree);
  Scanned scanned;
  ScanInto(tree.Root(), scanned);
  std::vector<std::wstring> tallyOrder;
  scanned.tally.ForEachEntry(
      [&](const std::wstring& key, const TallyEntry&) { tallyOrder.push_back(key); });
  EXPECT_EQ(scanned.view.appended, tallyOrder);
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
  Scanned scanned;
  ScanInto(tree.Root(), scanned);
  const TableRecorder& view = scanned.view;
  ASSERT_NE(view.RowOf(L"XYZ"), nullptr);
  EXPECT_EQ(*view.RowOf(L"XYZ"), (std::vector<std::wstring>{L"XYZ", L"1", L"BIN", L"0.000"}));
  ASSERT_NE(view.RowOf(L"EXE"), nullptr);
  EXPECT_EQ(*view.RowOf(L"EXE"), (std::vector<std::wstring>{L"EXE", L"1", L"BIN", L"6.912"}));
  EXPECT_TRUE(view.colours.empty());
}

TEST(ExtensionTable, RootWithoutFilesGivesNoRowsAndZeroExtensions) {
  TempTree tree;
  tree.AddFolder(L"empty\\inside");
  tree.AddFile(L"no extension", "x");
  Scanned scanned;
  ScanInto(tree.Root(), scanned);
  EXPECT_TRUE(scanned.view.rows.empty());
  EXPECT_EQ(scanned.view.result, 0u);
  EXPECT_EQ(scanned.catalogue.size(), 1u);

  tree.AddFile(L"one.log", "x");
  ScanInto(tree.Root(), scanned);
  EXPECT_EQ(scanned.view.rows.size(), 1u);
  EXPECT_EQ(scanned.view.result, 1u);
}

TEST(ExtensionTable, StopBeforeTheTableLeavesItUnsortedAndTitleUntouched) {
  TempTree tree;
  MakeMixedTree(tree);
  Scanned scanned;
  StopRequest stop;
  stop.Set();
  ScanInto(tree.Root(), scanned, stop);
  EXPECT_TRUE(scanned.view.appended.empty());
  EXPECT_FALSE(scanned.view.sorted);
  EXPECT_FALSE(scanned.view.result.has_value());
  EXPECT_TRUE(scanned.view.progress.empty());
}

}  // namespace
}  // namespace tallyfold
