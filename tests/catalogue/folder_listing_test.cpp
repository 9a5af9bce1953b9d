// The listing answers the files of a folder from one enumeration of it; every row must still
// show what the file's own look-ups would show at that moment.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "catalogue/file_facts.h"
#include "catalogue/file_listing.h"
#include "catalogue/folder_facts.h"
#include "catalogue/listing_plan.h"
#include "common/upper_extension.h"
#include "catalogue/walk_folder.h"
#include "common/file_size.h"
#include "tests/catalogue/walk_fixtures.h"
#include "tests/support/temp_tree.h"

namespace tallyfold {
namespace {

using testing::RunUnixShell;
using testing::NoonUtc;
using testing::TempTree;

// A file list without a window: it keeps the rows it is given and can ask for a stop.
class CollectedRows final : public FileListView {
 public:
  void SetRedraw(bool) override {}
  void ClearRows() override { rows.clear(); }
  void AppendRows(std::span<const std::wstring> batch) override {
    rows.insert(rows.end(), batch.begin(), batch.end());
    if (stopAfterFirstBatch) {
      stop.Set();
    }
  }

  std::vector<std::wstring> rows;
  bool stopAfterFirstBatch = false;
  StopRequest stop;
};

std::vector<std::wstring> Listed(const FileCatalogue& catalogue, std::wstring_view extension) {
  CollectedRows view;
  ListExtensionFiles(extension, catalogue, view, view.stop);
  return view.rows;
}

// The rows as the file's own look-ups give them now.
std::vector<std::wstring> LookedUp(const FileCatalogue& catalogue, std::wstring_view extension) {
  std::vector<std::wstring> rows;
  for (std::wstring_view path : catalogue) {
    if (UpperExtension(path) == extension) {
      rows.push_back(std::wstring(path) + L"\n" + std::to_wstring(QueryFileSize(path)) + L"\n" +
                     ModifiedText(QueryModifiedDate(path)));
    }
  }
  return rows;
}

std::wstring RowOf(const std::wstring& path, std::int64_t size, std::wstring_view date) {
  return path + L"\n" + std::to_wstring(size) + L"\n" + std::wstring(date);
}

FileCatalogue WalkOf(const TempTree& tree) {
  FileCatalogue catalogue;
  ExtensionTally tally;
  StopRequest stop;
  WalkFolder(tree.Root(), catalogue, tally, {}, stop);
  return catalogue;
}

// A folder in which every file is listed, so the listing reads it with one enumeration.
constexpr int FilesPerFolder = 12;

void AddListedFolder(const TempTree& tree, const std::wstring& folder) {
  for (int file = 0; file < FilesPerFolder; ++file) {
    tree.AddFile(folder + L"\\f" + std::to_wstring(file) + L".log", std::string(file, 'x'));
  }
}

TEST(FolderListing, RowsOfAReadFolderShowTheFilesAsTheyAreNow) {
  TempTree tree;
  AddListedFolder(tree, L"kept");
  AddListedFolder(tree, L"gone");
  AddListedFolder(tree, L"flat");
  tree.SetModified(L"kept\\f3.log", NoonUtc(2017, 3, 5));
  const FileCatalogue catalogue = WalkOf(tree);
  tree.Remove(L"kept\\f1.log");
  tree.Remove(L"kept\\f2.log");
  tree.AddFolder(L"kept\\f2.log");
  tree.SetModified(L"kept\\f2.log", NoonUtc(2011, 11, 11));
  tree.AddFile(L"kept\\f4.log", "grown");
  tree.Remove(L"gone");
  tree.Remove(L"flat");
  tree.AddFile(L"flat", "now a file");

  const std::vector<std::wstring> rows = Listed(catalogue, L"LOG");
  EXPECT_EQ(rows, LookedUp(catalogue, L"LOG"));
  ASSERT_EQ(rows.size(), 3u * FilesPerFolder);
  const auto rowOf = [&](std::wstring_view relative) {
    for (const std::wstring& row : rows) {
      if (row.starts_with(tree.Path(relative) + L"\n")) {
        return row;
      }
    }
    return std::wstring();
  };
  EXPECT_EQ(rowOf(L"kept\\f1.log"), RowOf(tree.Path(L"kept\\f1.log"), -1, L"1970-01-01"));
  EXPECT_EQ(rowOf(L"kept\\f2.log"), RowOf(tree.Path(L"kept\\f2.log"), -2, L"2011-11-11"));
  EXPECT_EQ(rowOf(L"kept\\f3.log"), RowOf(tree.Path(L"kept\\f3.log"), 3, L"2017-03-05"));
  EXPECT_TRUE(rowOf(L"kept\\f4.log").starts_with(tree.Path(L"kept\\f4.log") + L"\n5\n"));
  EXPECT_EQ(rowOf(L"gone\\f5.log"), RowOf(tree.Path(L"gone\\f5.log"), -1, L"1970-01-01"));
  EXPECT_EQ(rowOf(L"flat\\f5.log"), RowOf(tree.Path(L"flat\\f5.log"), -1, L"1970-01-01"));
}

TEST(FolderListing, ReadsTheFactsOfPlainNamesFromOneEnumeration) {
  TempTree tree;
  tree.AddFile(L"a.log", "123");
  tree.AddFile(L"b.log", "");
  tree.SetModified(L"a.log", NoonUtc(2017, 3, 5));
  const std::wstring folder = tree.Root() + L"\\";
  const std::vector<std::wstring_view> names{L"a.log", L"b.log", L"missing.log"};
  StopRequest stop;
  const auto answers = ReadFolderFacts(folder, names, 100, stop);
  ASSERT_EQ(answers.size(), 3u);
  EXPECT_EQ(answers[0], LookUpFileFacts(tree.Path(L"a.log")));
  EXPECT_EQ(answers[0]->Size, 3);
  EXPECT_EQ(ModifiedText(answers[0]->Date), L"2017-03-05");
  EXPECT_EQ(answers[1], (FileFacts{0, QueryModifiedDate(tree.Path(L"b.log"))}));
  // A name the enumeration does not list is left to its own look-up.
  EXPECT_FALSE(answers[2]);
}

TEST(FolderListing, LeavesEveryNameToItsLookUpWhenTheFolderCannotBeReadInFull) {
  TempTree tree;
  tree.AddFile(L"a.log", "123");
  tree.AddFile(L"b.log", "1");
  tree.AddFile(L"c.log", "1");
  const std::wstring folder = tree.Root() + L"\\";
  const std::vector<std::wstring_view> names{L"a.log"};
  StopRequest going, stopped;
  stopped.Set();
  // "." and ".." and three files are five entries.
  EXPECT_FALSE(ReadFolderFacts(folder, names, 4, going)[0]) << "over its budget";
  EXPECT_TRUE(ReadFolderFacts(folder, names, 5, going)[0]);
  EXPECT_FALSE(ReadFolderFacts(folder, names, 100, stopped)[0]) << "stopped";
  EXPECT_FALSE(ReadFolderFacts(tree.Path(L"nowhere\\"), names, 100, going)[0]) << "no folder";
}

// Names that a look-up may match with another entry: letter-case twins (possible on a Unix
// file system), a name that is another file's short name, and names holding wildcards.
class TwinNames : public ::testing::Test {
 protected:
  void SetUp() override {
    tree_.AddFile(L"averylongname.log", "long");
    tree_.AddFile(L"ab.log", "ab");
    if (!RunUnixShell(tree_.Root(),
                      L"printf 1 > twin.log && printf 22 > TWIN.log && printf 333 > Twin.LOG && "
                      L"printf 4444 > 'a?.log' && printf 55555 > 'a*.log' && touch made",
                      tree_.Path(L"made"))) {
      GTEST_SKIP() << "no Unix shell to make names that differ only in letter case";
    }
  }

  TempTree tree_;
};

TEST_F(TwinNames, EachRowShowsWhatItsOwnLookUpShows) {
  // A file named as the short name that the platform gives the long one.
  WIN32_FIND_DATAW entry;
  const HANDLE search = ::FindFirstFileW(tree_.Path(L"averylongname.log").c_str(), &entry);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  ::FindClose(search);
  const std::wstring shortName = entry.cAlternateFileName;
  if (!shortName.empty()) {
    ASSERT_TRUE(RunUnixShell(tree_.Root(), L"printf 666666 > '" + shortName + L"' && touch made2",
                             tree_.Path(L"made2")));
  }
  const FileCatalogue catalogue = WalkOf(tree_);
  const std::vector<std::wstring> rows = Listed(catalogue, L"LOG");
  EXPECT_EQ(rows, LookedUp(catalogue, L"LOG"));
  // Each twin keeps its own size.
  for (const auto& [name, size] : {std::pair{L"twin.log", 1}, {L"TWIN.log", 2}, {L"Twin.LOG", 3}}) {
    EXPECT_NE(
        std::find(rows.begin(), rows.end(),
                  RowOf(tree_.Path(name), size, ModifiedText(QueryModifiedDate(tree_.Path(name))))),
        rows.end())
        << ::testing::PrintToString(std::wstring(name));
  }
}

TEST_F(TwinNames, AnEnumerationAnswersNoNameThatAnotherEntryAlsoClaims) {
  const std::vector<std::wstring_view> names{L"twin.log", L"TWIN.log", L"ab.log"};
  StopRequest stop;
  const auto answers = ReadFolderFacts(tree_.Root() + L"\\", names, 100, stop);
  EXPECT_FALSE(answers[0]);
  EXPECT_FALSE(answers[1]);
  EXPECT_EQ(answers[2], LookUpFileFacts(tree_.Path(L"ab.log")));
}

TEST(FolderListing, PathsThatAreNotPlainKeepTheirOwnLookUps) {
  TempTree tree;
  AddListedFolder(tree, L"plain");
  const std::wstring longFolder = L"deep" + std::wstring(240, L'x');
  tree.AddFile(longFolder + L"\\long name.log", "12");
  FileCatalogue catalogue = WalkOf(tree);
  catalogue.push_back(tree.Path(L"plain\\f1.log") + L" ");
  catalogue.push_back(tree.Path(L"plain\\f1.log") + L".");
  catalogue.push_back(tree.Path(L"plain\\f?.log"));
  catalogue.push_back(tree.Path(L"plain\\f1.log/"));
  catalogue.push_back(L"\\\\?\\" + tree.Path(L"plain\\f2.log"));
  catalogue.push_back(L"..\\nowhere\\f1.log");
  const std::vector<std::wstring> rows = Listed(catalogue, L"LOG");
  EXPECT_EQ(rows, LookedUp(catalogue, L"LOG"));
  // The long path and the odd forms that keep the extension (the wildcard, the prefixed and
  // the relative path) are listed beside the plain folder.
  EXPECT_EQ(rows.size(), FilesPerFolder + 1 + 3u) << ::testing::PrintToString(rows);
}

TEST(FolderListing, AStopEndsTheListingInTheMiddleOfABigFolder) {
  TempTree tree;
  FileCatalogue catalogue;
  constexpr int Files = 600;
  for (int file = 0; file < Files; ++file) {
    tree.AddFile(L"f" + std::to_wstring(file) + L".log");
  }
  catalogue = WalkOf(tree);
  CollectedRows view;
  view.stopAfterFirstBatch = true;
  ListExtensionFiles(L"LOG", catalogue, view, view.stop);
  EXPECT_EQ(view.rows.size(), RedrawThreshold);
}

TEST(ListingPlan, ChoosesTheCheaperWayForAFolder) {
  EXPECT_FALSE(IsWorthReadingFolder(100, 1)) << "one listed file of a hundred";
  EXPECT_FALSE(IsWorthReadingFolder(10'000, 50));
  EXPECT_TRUE(IsWorthReadingFolder(100, 100)) << "every file listed";
  EXPECT_TRUE(IsWorthReadingFolder(100, 20));
  EXPECT_TRUE(IsWorthReadingFolder(100'000, 100'000));
  EXPECT_FALSE(IsWorthReadingFolder(5, 0));
}

TEST(ListingPlan, AnswersOnlyPlainNamesFromTheirFolder) {
  const std::wstring tooLong = L"C:\\" + std::wstring(SizePathLimit, L'x') + L".log";
  const std::pair<std::wstring, bool> cases[] = {
      {L"C:\\a\\b.log", true},
      {L"C:\\b.log", true},
      {L"Z:\\a b\\b c.log", true},
      {L"relative\\b.log", true},
      {L"C:\\a\\b.log.", false},
      {L"C:\\a\\b.log ", false},
      {L"C:\\a\\b?.log", false},
      {L"C:\\a\\b*.log", false},
      {L"C:\\a\\b<.log", false},
      {L"C:\\a\\b.log:stream", false},
      {L"C:\\a\\b.log/", false},
      {L"C:\\a\\", false},
      {L"\\\\server\\share\\b.log", false},
      {L"..\\a\\b.log", false},
      {L"b.log", false},
      {L"C:", false},
      {tooLong, false},
  };
  for (const auto& [path, answerable] : cases) {
    EXPECT_EQ(IsAnswerableFromFolder(path), answerable) << ::testing::PrintToString(path);
  }
  EXPECT_EQ(FolderPartLength(L"C:\\a\\b.log"), 5u);
  EXPECT_EQ(FolderPartLength(L"b.log"), 0u);
}

}  // namespace
}  // namespace tallyfold
