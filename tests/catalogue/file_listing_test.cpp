#include "catalogue/file_listing.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "catalogue/walk_folder.h"
#include "common/date_value.h"
#include "tests/catalogue/recording_views.h"
#include "tests/support/temp_tree.h"

namespace tallyfold {
namespace {

using testing::ListRecorder;
using testing::Rows;
using testing::NoonUtc;
using testing::TempTree;

Rows ListInto(const FileCatalogue& catalogue, std::wstring_view extension) {
  ListRecorder view;
  ListExtensionFiles(extension, catalogue, view, StopRequest{});
  EXPECT_TRUE(view.drawing);
  return view.rows;
}

FileCatalogue Walk(const std::wstring& root) {
  FileCatalogue catalogue;
  ExtensionTally tally;
  WalkFolder(root, catalogue, tally, {}, StopRequest{});
  return catalogue;
}

TEST(FileListing, ListsTheExtensionsFilesInCatalogueOrderWithSizeAndDate) {
  TempTree tree;
  tree.AddFile(L"a.txt", "12345");
  tree.AddFile(L"sub\\B.TXT", "");
  tree.AddFile(L"sub\\c.Txt", std::string(1234, 'x'));
  tree.AddFile(L"x.txt.bak", "no");
  tree.AddFile(L"x.TXT2", "no");
  tree.AddFile(L"notes", "no");
  tree.SetModified(L"a.txt", NoonUtc(2017, 3, 5));
  tree.SetModified(L"sub\\B.TXT", NoonUtc(2020, 2, 29));
  tree.SetModified(L"sub\\c.Txt", NoonUtc(1999, 12, 31));
  const FileCatalogue catalogue = Walk(tree.Root());
  EXPECT_EQ(ListInto(catalogue, L"TXT"),
            (Rows{{tree.Path(L"a.txt"), L"5", L"2017-03-05"},
                  {tree.Path(L"sub\\B.TXT"), L"0", L"2020-02-29"},
                  {tree.Path(L"sub\\c.Txt"), L"1234", L"1999-12-31"}}));
}

TEST(FileListing, ShowsFilesAsTheyAreNowNotAsTheWalkSawThem) {
  TempTree tree;
  tree.AddFile(L"gone.dat", "x");
  tree.AddFile(L"now folder.dat", "x");
  tree.AddFile(L"future.dat", "x");
  tree.AddFile(L"past.dat", "x");
  tree.AddSizedFile(L"huge.dat", 5'000'000'000LL);
  tree.AddFile(L"empty.dat");
  tree.SetModified(L"future.dat", NoonUtc(2040, 6, 1));
  tree.SetModified(L"past.dat", NoonUtc(1960, 6, 1));
  const FileCatalogue catalogue = Walk(tree.Root());
  tree.Remove(L"gone.dat");
  tree.Remove(L"now folder.dat");
  tree.AddFolder(L"now folder.dat");
  tree.SetModified(L"now folder.dat", NoonUtc(2011, 11, 11));
  const Rows rows = ListInto(catalogue, L"DAT");
  const Rows expected{
      {tree.Path(L"empty.dat"), L"0", L""},
      {tree.Path(L"future.dat"), L"1", L"0000-00-00"},
      {tree.Path(L"gone.dat"), L"-1", L"1970-01-01"},
      {tree.Path(L"huge.dat"), L"5000000000", L""},
      {tree.Path(L"now folder.dat"), L"-2", L"2011-11-11"},
      {tree.Path(L"past.dat"), L"1", L"0000-00-00"},
  };
  ASSERT_EQ(rows.size(), expected.size());
  for (std::size_t row = 0; row < rows.size(); ++row) {
    EXPECT_EQ(rows[row][0], expected[row][0]);
    EXPECT_EQ(rows[row][1], expected[row][1]) << ::testing::PrintToString(rows[row][0]);
    if (!expected[row][2].empty()) {
      EXPECT_EQ(rows[row][2], expected[row][2]) << ::testing::PrintToString(rows[row][0]);
    }
  }
}

TEST(FileListing, NoMatchOrNoSelectionLeavesTheListEmptyAndDrawing) {
  TempTree tree;
  tree.AddFile(L"a.txt", "x");
  const FileCatalogue catalogue = Walk(tree.Root());
  for (std::wstring_view extension : {L"LOG", L"Extension", L"txt", L""}) {
    ListRecorder view;
    view.rows.push_back({L"old", L"1", L"2000-01-01"});
    ListExtensionFiles(extension, catalogue, view, StopRequest{});
    EXPECT_TRUE(view.rows.empty()) << ::testing::PrintToString(extension);
    EXPECT_TRUE(view.drawing) << ::testing::PrintToString(extension);
  }
}

TEST(FileListing, DrawsOnlyFromTheThresholdRowAndAtTheEnd) {
  for (const int matches : {0, 255, 256, 700}) {
    SCOPED_TRACE(matches);
    FileCatalogue catalogue;
    for (int file = 0; file < matches; ++file) {
      catalogue.push_back(L"C:\\nowhere\\file" + std::to_wstring(file) + L".log");
      catalogue.push_back(L"C:\\nowhere\\other" + std::to_wstring(file) + L".dat");
    }
    ListRecorder view;
    ListExtensionFiles(L"LOG", catalogue, view, StopRequest{});
    const auto expectedRows = static_cast<std::size_t>(matches);
    ASSERT_GE(view.switches.size(), 2u);
    EXPECT_EQ(view.switches.front(), std::make_pair(false, std::size_t{0}));
    EXPECT_EQ(view.switches.back(), std::make_pair(true, expectedRows));
    // The first switch back on comes with the 256th row, or at the end of a shorter listing.
    for (const auto& [on, rows] : view.switches) {
      if (on) {
        EXPECT_EQ(rows, std::min(expectedRows, RedrawThreshold));
        break;
      }
    }
    ASSERT_EQ(view.rows.size(), expectedRows);
    for (int row = 0; row < matches; ++row) {
      EXPECT_EQ(view.rows[static_cast<std::size_t>(row)][NameColumn],
                L"C:\\nowhere\\file" + std::to_wstring(row) + L".log");
    }
  }
}

TEST(ModifiedText, WritesTheDateOfADateValue) {
  const std::pair<std::int32_t, const wchar_t*> cases[] = {
      {-1, L"0000-00-00"},
      {0, L"1970-01-01"},
      {86'399, L"1970-01-01"},
      {86'400, L"1970-01-02"},
      {DateValue(2017, 3, 5, 23, 59, 59), L"2017-03-05"},
      {DateValue(2020, 2, 29, 0, 0, 0), L"2020-02-29"},
      {DateValue(2000, 12, 31, 12, 0, 0), L"2000-12-31"},
      {DateValue(2038, 1, 19, 3, 14, 7), L"2038-01-19"},
  };
  for (const auto& [value, text] : cases) {
    EXPECT_EQ(ModifiedText(value), text) << value;
  }
}

TEST(QueryModifiedDate, ReadsTheLastWriteInLocalTime) {
  TempTree tree;
  tree.AddFile(L"dated.txt", "x");
  tree.SetModified(L"dated.txt", NoonUtc(2017, 3, 5));
  const std::int32_t value = QueryModifiedDate(tree.Path(L"dated.txt"));
  // Noon UTC is the same calendar day in every time zone within twelve hours.
  EXPECT_EQ(ModifiedText(value), L"2017-03-05");
  EXPECT_EQ(QueryModifiedDate(tree.Path(L"missing.txt")), 0);
  tree.SetModified(L"dated.txt", NoonUtc(2040, 1, 1));
  EXPECT_EQ(QueryModifiedDate(tree.Path(L"dated.txt")), -1);
}

}  // namespace
}  // namespace tallyfold
