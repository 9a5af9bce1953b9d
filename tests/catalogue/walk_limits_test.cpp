#include "catalogue/walk_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/handles.h"
#include "tests/catalogue/walk_fixtures.h"
#include "tests/support/drive_d.h"
#include "tests/support/temp_tree.h"

namespace tallyfold {
namespace {

using Paths = std::vector<std::wstring>;
using testing::CountOf;
using testing::TempTree;
using testing::WalkAndRecord;

constexpr wchar_t DriveD[] = L"D:\\";
constexpr UINT NoRootDirectory = 1;
// D:\w\1\...\7 holds eight backslashes; its files are the deepest a walk from D:\w reaches.
constexpr int NestedLevels = 10;

// A numbered chain D:\walk-<pid>\1\2\...\10 with one file f<level>.txt at every level, so
// that whole-path backslash counts are known, unlike those of the temp folder.
class NestedTreeOnDriveD : public testing::DriveDFolder {
 public:
  NestedTreeOnDriveD() : DriveDFolder(L"w" + std::to_wstring(::GetCurrentProcessId())) {
    std::wstring folder;
    for (int level = 1; level <= NestedLevels; ++level) {
      folder += std::to_wstring(level) + L"\\";
      AddFile(folder + L"f" + std::to_wstring(level) + L".txt", "");
    }
  }
};

Paths FileNames(const FileCatalogue& catalogue) {
  Paths names;
  for (std::wstring_view path : catalogue) {
    names.emplace_back(path.substr(path.rfind(L'\\') + 1));
  }
  return names;
}

struct DepthCase {
  const wchar_t* rootBelowBase;
  Paths files;
};

TEST(WalkFolder, EntersOnlySubfoldersWithFewerThanNineBackslashesInTheWholePath) {
  if (::GetDriveTypeW(DriveD) <= NoRootDirectory) {
    GTEST_SKIP() << "no drive D: to place a tree of known depth";
  }
  const NestedTreeOnDriveD tree;
  const DepthCase cases[] = {
      {L"", {L"f1.txt", L"f2.txt", L"f3.txt", L"f4.txt", L"f5.txt", L"f6.txt", L"f7.txt"}},
      {L"\\1\\2\\3\\4", {L"f4.txt", L"f5.txt", L"f6.txt", L"f7.txt"}},
      // A root deeper than the rule is walked itself; none of its subfolders is.
      {L"\\1\\2\\3\\4\\5\\6\\7\\8\\9", {L"f9.txt"}},
  };
  for (const DepthCase& c : cases) {
    const auto walked = WalkAndRecord(tree.Root() + c.rootBelowBase);
    EXPECT_EQ(FileNames(walked.Catalogue), c.files) << ::testing::PrintToString(c.rootBelowBase);
  }
}

bool PlatformLists(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  const FindHandle search{::FindFirstFileW((folder + L"\\*.*").c_str(), &entry)};
  return static_cast<bool>(search);
}

void MakeVerbatim(const std::wstring& path, bool folder) {
  const std::wstring verbatim = L"\\\\?\\" + path;
  if (folder) {
    ::CreateDirectoryW(verbatim.c_str(), nullptr);
  } else {
    ::CloseHandle(::CreateFileW(verbatim.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  }
}

TEST(WalkFolder, CataloguesLongPathsExactlyWhereThePlatformListsThem) {
  const TempTree tree;
  constexpr std::size_t NearLength = 240;
  constexpr std::size_t LongName = 200;
  const std::wstring nearFolder =
      tree.Root() + L"\\" + std::wstring(NearLength - tree.Root().size() - 1, L'n');
  const std::wstring beyondFolder = nearFolder + L"\\" + std::wstring(LongName, L'b');
  MakeVerbatim(nearFolder, true);
  MakeVerbatim(beyondFolder, true);
  Paths longFiles;
  for (const std::size_t length : {255u, 259u, 260u, 261u, 300u}) {
    const std::size_t nameLength = length - nearFolder.size() - 1;
    longFiles.push_back(nearFolder + L"\\" + std::wstring(nameLength - 4, L'f') + L".txt");
  }
  longFiles.push_back(beyondFolder + L"\\inside.txt");
  for (const std::wstring& file : longFiles) {
    MakeVerbatim(file, false);
  }
  tree.AddFile(L"zz\\after.txt");

  const auto walked = WalkAndRecord(tree.Root());

  for (const std::wstring& file : longFiles) {
    const bool listed = PlatformLists(file.substr(0, file.rfind(L'\\')));
    const bool catalogued =
        std::find(walked.Catalogue.begin(), walked.Catalogue.end(), file) != walked.Catalogue.end();
    EXPECT_EQ(catalogued, listed) << file.size() << " code units";
  }
  EXPECT_EQ(walked.Catalogue.back(), tree.Path(L"zz\\after.txt"));
}

// Wine shows a Unix link to a folder as a folder; Win32 here cannot make one, the Unix shell
// can, and only it can remove one again.
class LinkToParent {
 public:
  LinkToParent(const std::wstring& folder, const std::wstring& name)
      : folder_(folder), name_(name) {
    made_ = testing::RunUnixShell(folder_, L"ln -s .. " + name_, folder_ + L"\\" + name_);
  }
  ~LinkToParent() {
    const std::wstring marker = folder_ + L"\\" + name_ + L".removed";
    if (made_ && testing::RunUnixShell(
                     folder_, L"rm " + name_ + L" && touch " + name_ + L".removed", marker)) {
      ::DeleteFileW(marker.c_str());
    }
  }
  LinkToParent(const LinkToParent&) = delete;
  LinkToParent& operator=(const LinkToParent&) = delete;

  [[nodiscard]] bool Made() const { return made_; }

 private:
  std::wstring folder_;
  std::wstring name_;
  bool made_ = false;
};

std::size_t Backslashes(std::wstring_view path) {
  return static_cast<std::size_t>(std::count(path.begin(), path.end(), L'\\'));
}

TEST(WalkFolder, StopsAFolderLinkLoopAtTheDepthRule) {
  const TempTree tree;
  tree.AddFile(L"a.txt");
  tree.AddFile(L"sub\\b.txt");
  const LinkToParent link(tree.Path(L"sub"), L"up");
  if (!link.Made()) {
    GTEST_SKIP() << "no Unix shell to make a folder link with";
  }
  ASSERT_GE(DepthLimit - 1, Backslashes(tree.Root()) + 2) << "temp folder too deep for a loop";

  const auto walked = WalkAndRecord(tree.Root());

  EXPECT_NE(
      std::find(walked.Catalogue.begin(), walked.Catalogue.end(), tree.Path(L"sub\\up\\a.txt")),
      walked.Catalogue.end());
  std::size_t deepest = 0;
  for (std::wstring_view path : walked.Catalogue) {
    deepest = std::max(deepest, Backslashes(path));
  }
  // A file's path holds one backslash more than its folder's: the deepest folder has eight.
  EXPECT_EQ(deepest, DepthLimit);
  EXPECT_EQ(CountOf(walked.Tally, L"TXT"), static_cast<std::int32_t>(walked.Catalogue.size()));
}

}  // namespace
}  // namespace tallyfold
