#include "catalogue/walk_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/catalogue/walk_fixtures.h"
#include "tests/support/temp_tree.h"

namespace tallyfold {
namespace {

using Paths = std::vector<std::wstring>;
using testing::CataloguedUnder;
using testing::CountOf;
using testing::SampleOf;
using testing::TempTree;
using testing::WalkAndRecord;

Paths Sorted(Paths paths) {
  std::sort(paths.begin(), paths.end());
  return paths;
}

TEST(WalkFolder, CataloguesAFoldersFilesBeforeItsSubfoldersAndEachSubtreeWhole) {
  const TempTree tree;
  for (const wchar_t* file :
       {L"a.txt", L"b\\c.txt", L"b\\d\\e.txt", L"b\\f.txt", L"g\\h.txt", L"z.txt"}) {
    tree.AddFile(file);
  }
  tree.AddFolder(L"b\\empty");

  const auto walked = WalkAndRecord(tree.Root());

  EXPECT_EQ(CataloguedUnder(walked.Catalogue, tree.Root() + L"\\"),
            (Paths{L"a.txt", L"z.txt", L"b\\c.txt", L"b\\f.txt", L"b\\d\\e.txt", L"g\\h.txt"}));
  EXPECT_EQ(walked.Catalogue.size(), 6u);
  EXPECT_EQ(CountOf(walked.Tally, L"TXT"), 6);
}

TEST(WalkFolder, WalksARootWithOrWithoutTrailingBackslashAlike) {
  const TempTree tree;
  tree.AddFile(L"a.txt");
  tree.AddFile(L"sub\\b.txt");
  const Paths expected{tree.Root() + L"\\a.txt", tree.Root() + L"\\sub\\b.txt"};

  for (const std::wstring& root : {tree.Root(), tree.Root() + L"\\"}) {
    const auto walked = WalkAndRecord(root);
    EXPECT_EQ(Paths(walked.Catalogue.begin(), walked.Catalogue.end()), expected)
        << ::testing::PrintToString(root);
  }
}

TEST(WalkFolder, TalliesUnderTheUpperCaseExtensionWithTheLastFileAsSample) {
  const TempTree tree;
  for (const wchar_t* file : {L"a.TXT", L"b.txt", L"d.Txt", L"photo.JPEG", L"x.tar.gz"}) {
    tree.AddFile(file);
  }

  const auto walked = WalkAndRecord(tree.Root());

  ASSERT_EQ(walked.Tally.Size(), 3u);
  EXPECT_EQ(CountOf(walked.Tally, L"TXT"), 3);
  EXPECT_EQ(SampleOf(walked.Tally, L"TXT"), tree.Path(L"d.Txt"));
  EXPECT_EQ(CountOf(walked.Tally, L"JPEG"), 1);
  EXPECT_EQ(SampleOf(walked.Tally, L"GZ"), tree.Path(L"x.tar.gz"));
}

// Trailing full stops and blanks survive only in names made and removed through the \\?\ form.
class VerbatimFiles {
 public:
  VerbatimFiles(const TempTree& tree, const Paths& names) {
    for (const std::wstring& name : names) {
      paths_.push_back(L"\\\\?\\" + tree.Path(name));
      ::CloseHandle(::CreateFileW(paths_.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    }
  }
  ~VerbatimFiles() {
    for (const std::wstring& path : paths_) {
      ::DeleteFileW(path.c_str());
    }
  }
  VerbatimFiles(const VerbatimFiles&) = delete;
  VerbatimFiles& operator=(const VerbatimFiles&) = delete;

 private:
  Paths paths_;
};

TEST(WalkFolder, CataloguesButDoesNotTallyFilesWithoutAShortExtension) {
  const TempTree tree;
  const Paths names{L"README", L".gitignore",   L"app.manifest", L"report.final version",
                    L"ends.",  L"seven.abcdefg"};
  const VerbatimFiles files(tree, names);

  const auto walked = WalkAndRecord(tree.Root());

  EXPECT_EQ(Sorted(CataloguedUnder(walked.Catalogue, tree.Root() + L"\\")), Sorted(names));
  ASSERT_EQ(walked.Tally.Size(), 1u);
  EXPECT_EQ(CountOf(walked.Tally, L"ABCDEFG"), 1);
  EXPECT_EQ(walked.Tally.Find(L"MANIFEST"), nullptr);
}

TEST(WalkFolder, SkipsExcludedFolderNamesAtAnyDepthButWalksARootSoNamed) {
  const TempTree tree;
  for (const wchar_t* file :
       {L"Windows\\top.txt", L"Windows\\Windows\\no.txt", L"Windows\\WINDOWS.old\\no.txt",
        L"Windows\\Windows Defender\\no.txt", L"Windows\\MyWindowsBackup\\no.txt",
        L"Windows\\$Recycle.Bin\\no.txt", L"Windows\\Pro Gram Files\\no.txt",
        L"Windows\\Program Files\\yes.txt", L"Windows\\Pro Gram\\yes.txt",
        L"Windows\\deep\\wInDoWs\\no.txt", L"Windows\\deep\\$RECYCLER\\no.txt",
        L"Windows\\deep\\kept\\yes.txt", L"Windows\\Win dows\\yes.txt"}) {
    tree.AddFile(file);
  }

  const auto walked = WalkAndRecord(tree.Path(L"Windows"));

  Paths catalogued = CataloguedUnder(walked.Catalogue, tree.Path(L"Windows\\"));
  std::sort(catalogued.begin(), catalogued.end());
  EXPECT_EQ(catalogued, (Paths{L"Pro Gram\\yes.txt", L"Program Files\\yes.txt",
                               L"Win dows\\yes.txt", L"deep\\kept\\yes.txt", L"top.txt"}));
}

TEST(WalkFolder, KeepsNamesWithBlanksPercentSignsAndSurrogatePairs) {
  const TempTree tree;
  const Paths names{L"my file.txt",    L"100% done.txt",   L"%PATH%.txt",
                    L"\U0001F600.emo", L"pair.\U0001F600", L"sp ace %x% \U0001F600\\inner.txt"};
  for (const std::wstring& name : names) {
    tree.AddFile(name);
  }

  const auto walked = WalkAndRecord(tree.Root());

  EXPECT_EQ(Sorted(CataloguedUnder(walked.Catalogue, tree.Root() + L"\\")), Sorted(names));
  EXPECT_EQ(CountOf(walked.Tally, L"TXT"), 4);
  EXPECT_EQ(CountOf(walked.Tally, L"EMO"), 1);
  ASSERT_NE(walked.Tally.Find(L"\U0001F600"), nullptr);
  EXPECT_EQ(SampleOf(walked.Tally, L"\U0001F600"), tree.Path(L"pair.\U0001F600"));
}

}  // namespace
}  // namespace tallyfold
