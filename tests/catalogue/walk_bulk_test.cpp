#include "catalogue/walk_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/handles.h"
#include "common/upper_extension.h"
#include "tests/catalogue/walk_fixtures.h"
#include "tests/support/temp_tree.h"

namespace tallyfold {
namespace {

using Paths = std::vector<std::wstring>;
using testing::BulkTree;
using testing::CountOf;
using testing::RemoveTree;
using testing::SampleOf;
using testing::WalkAndRecord;
using testing::WalkOutcome;

std::wstring Numbered(std::wstring_view prefix, int number, int width) {
  std::wstring digits = std::to_wstring(number);
  return std::wstring(prefix) + std::wstring(width - digits.size(), L'0') + digits;
}

// n0000.dat, n0001.dat, ... in the folder (with its trailing backslash, or none for the root).
void AddNumberedFiles(Paths& files, std::wstring_view folder, int count) {
  for (int number = 0; number < count; ++number) {
    files.push_back(std::wstring(folder) + Numbered(L"n", number, 4) + L".dat");
  }
}

std::size_t IndexOf(const Paths& files, std::wstring_view file) {
  return static_cast<std::size_t>(std::find(files.begin(), files.end(), file) - files.begin());
}

// 99 folders d000..d098 of 1000 files each, in walk order, so the cap is met at d098\n0305,
// the 98,306th file; marked files show which entries the walk met after it.
Paths CapTreeFiles() {
  constexpr int Folders = 99;
  constexpr int FilesPerFolder = 1000;
  Paths files;
  for (int folder = 0; folder < Folders; ++folder) {
    AddNumberedFiles(files, Numbered(L"d", folder, 3) + L"\\", FilesPerFolder);
  }
  const std::pair<const wchar_t*, const wchar_t*> renames[] = {
      {L"d000\\n0000.dat", L"d000\\n0000.late"},   // a LATE file before the cap
      {L"d004\\n0999.dat", L"d004\\n0999.fifth"},  // the 5000th file
      {L"d009\\n0999.dat", L"d009\\n0999"},        // the 10,000th file, with no extension
      {L"d098\\n0305.dat", L"d098\\n0305.late"},   // the file that meets the full catalogue
      {L"d098\\n0306.dat", L"d098\\n0306.gone"},   // never met: its folder is left at once
  };
  for (const auto& [from, to] : renames) {
    files[IndexOf(files, from)] = to;
  }
  // Collected before the cap in d098, then dropped; later folders are left at their first file,
  // and a folder without files is read whole, so its subfolder is visited.
  for (const wchar_t* file :
       {L"d098\\a_sub\\x.drop", L"d099\\n0000.tail", L"d099\\n0001.more", L"d100\\inner\\x.deep"}) {
    files.push_back(file);
  }
  return files;
}

struct CapWalk {
  BulkTree Tree{CapTreeFiles()};
  WalkOutcome Walked = WalkAndRecord(Tree.Root());
};

std::unique_ptr<CapWalk> sharedCapWalk;

// Built once per run, on first use, and removed after the last test.
const CapWalk& SharedCapWalk() {
  if (!sharedCapWalk) {
    sharedCapWalk = std::make_unique<CapWalk>();
  }
  return *sharedCapWalk;
}

class CapWalkRemoval : public ::testing::Environment {
 public:
  void TearDown() override { sharedCapWalk.reset(); }
};

[[maybe_unused]] ::testing::Environment* const capWalkRemoval =
    ::testing::AddGlobalTestEnvironment(new CapWalkRemoval);

std::int32_t CataloguedWith(const FileCatalogue& catalogue, std::wstring_view key) {
  return static_cast<std::int32_t>(
      std::count_if(catalogue.begin(), catalogue.end(),
                    [key](std::wstring_view path) { return UpperExtension(path) == key; }));
}

TEST(WalkFolder, CataloguesExactlyOneFileBeyondTheCapAndStillTalliesLaterFiles) {
  const CapWalk& cap = SharedCapWalk();
  const FileCatalogue& catalogue = cap.Walked.Catalogue;
  const ExtensionTally& tally = cap.Walked.Tally;
  const std::wstring root = cap.Tree.Root() + L"\\";

  ASSERT_EQ(catalogue.size(), CatalogueCap + 1);
  EXPECT_EQ(catalogue.back(), root + L"d098\\n0304.dat");
  EXPECT_EQ(CountOf(tally, L"LATE"), 2);
  EXPECT_EQ(CataloguedWith(catalogue, L"LATE"), 1);
  EXPECT_EQ(SampleOf(tally, L"LATE"), root + L"d098\\n0305.late");
  EXPECT_EQ(CountOf(tally, L"TAIL"), 1);
  EXPECT_EQ(CountOf(tally, L"DEEP"), 1);
  EXPECT_EQ(SampleOf(tally, L"DEEP"), root + L"d100\\inner\\x.deep");
  for (const wchar_t* never : {L"GONE", L"DROP", L"MORE"}) {
    EXPECT_EQ(tally.Find(never), nullptr) << ::testing::PrintToString(std::wstring(never));
  }
  EXPECT_EQ(CountOf(tally, L"DAT"), CataloguedWith(catalogue, L"DAT"));
}

TEST(WalkFolder, ReportsProgressEvery5000FilesWithThatFilesExtension) {
  const WalkOutcome& walked = SharedCapWalk().Walked;

  std::vector<std::size_t> expectedSizes;
  for (std::size_t size = ProgressInterval; size <= CatalogueCap; size += ProgressInterval) {
    expectedSizes.push_back(size);
  }
  EXPECT_EQ(walked.ProgressSizes, expectedSizes);
  ASSERT_GE(walked.ProgressExtensions.size(), 2u);
  EXPECT_EQ(walked.ProgressExtensions[0], L"FIFTH");
  EXPECT_EQ(walked.ProgressExtensions[1], L"");
  for (std::size_t report = 0; report < walked.ProgressSizes.size(); ++report) {
    const std::wstring_view last = walked.Catalogue[walked.ProgressSizes[report] - 1];
    EXPECT_EQ(walked.ProgressExtensions[report], UpperExtension(last)) << report;
  }
}

TEST(WalkFolder, ReportsNoProgressFor4999FilesAndOnceFor5000) {
  Paths files;
  AddNumberedFiles(files, L"", ProgressInterval - 1);
  const BulkTree tree(files);

  const auto fewer = WalkAndRecord(tree.Root());
  EXPECT_EQ(fewer.Catalogue.size(), ProgressInterval - 1);
  EXPECT_TRUE(fewer.ProgressSizes.empty());

  ::CloseHandle(::CreateFileW((tree.Root() + L"\\z.last").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  const auto enough = WalkAndRecord(tree.Root());
  EXPECT_EQ(enough.ProgressSizes, std::vector<std::size_t>{ProgressInterval});
  EXPECT_EQ(enough.ProgressExtensions, Paths{L"LAST"});
}

// Wine's GetProcessHandleCount answers 0, so the handles are counted by asking the platform
// about every small handle value; Wine hands out the lowest free value first.
constexpr std::uintptr_t HandleStep = 4;
constexpr std::uintptr_t HandlesProbed = 4096;

DWORD OpenHandles() {
  DWORD count = 0;
  for (std::uintptr_t value = HandleStep; value <= HandlesProbed * HandleStep;
       value += HandleStep) {
    DWORD flags = 0;
    if (::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
      ++count;
    }
  }
  return count;
}

TEST(WalkFolder, EndsRightAfterAStopAndLeavesNoEnumerationOpen) {
  Paths files;
  AddNumberedFiles(files, L"a\\", ProgressInterval + 10);
  files.push_back(L"a\\sub\\x.txt");
  files.push_back(L"b\\y.txt");
  const BulkTree tree(files);
  {
    // The handle count must see a find handle, or comparing counts below proves nothing.
    const DWORD before = OpenHandles();
    WIN32_FIND_DATAW entry;
    const FindHandle search{::FindFirstFileW((tree.Root() + L"\\*.*").c_str(), &entry)};
    ASSERT_EQ(OpenHandles(), before + 1);
  }

  FileCatalogue catalogue;
  ExtensionTally tally;
  StopRequest stop;
  const DWORD before = OpenHandles();
  WalkFolder(
      tree.Root(), catalogue, tally, [&stop](std::wstring_view) { stop.Set(); }, stop);

  EXPECT_EQ(OpenHandles(), before);
  ASSERT_EQ(catalogue.size(), ProgressInterval);
  EXPECT_EQ(catalogue.back(), tree.Root() + L"\\a\\n4999.dat");
  EXPECT_EQ(CountOf(tally, L"DAT"), static_cast<std::int32_t>(ProgressInterval));
  EXPECT_EQ(tally.Find(L"TXT"), nullptr);

  FileCatalogue untouched;
  WalkFolder(tree.Root(), untouched, tally, nullptr, stop);
  EXPECT_TRUE(untouched.empty());
}

TEST(WalkFolder, SkipsASubfolderThatVanishedAfterItWasListed) {
  Paths files;
  AddNumberedFiles(files, L"", ProgressInterval);
  files.push_back(L"a_gone\\lost.lost");
  files.push_back(L"b_kept\\x.kept");
  const BulkTree tree(files);

  FileCatalogue catalogue;
  ExtensionTally tally;
  const StopRequest stop;
  const std::wstring gone = tree.Root() + L"\\a_gone";
  WalkFolder(
      tree.Root(), catalogue, tally, [&gone](std::wstring_view) { RemoveTree(gone); }, stop);

  ASSERT_EQ(::GetFileAttributesW(gone.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(tally.Find(L"LOST"), nullptr);
  EXPECT_EQ(CountOf(tally, L"KEPT"), 1);
  EXPECT_EQ(catalogue.size(), ProgressInterval + 1);
  EXPECT_EQ(catalogue.back(), tree.Root() + L"\\b_kept\\x.kept");
}

}  // namespace
}  // namespace tallyfold
