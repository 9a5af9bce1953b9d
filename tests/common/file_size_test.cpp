#include "common/file_size.h"

#include <gtest/gtest.h>

#include "common/handles.h"
#include "tests/support/temp_tree.h"

namespace tallyfold {
namespace {

using testing::TempTree;

TEST(QueryFileSize, AnswersFilesFoldersAndNothing) {
  TempTree tree;
  tree.AddFile(L"seven.bin", "1234567");
  tree.AddFile(L"empty.dat");
  tree.AddFolder(L"sub");
  EXPECT_EQ(QueryFileSize(tree.Path(L"seven.bin")), 7);
  EXPECT_EQ(QueryFileSize(tree.Path(L"empty.dat")), 0);
  EXPECT_EQ(QueryFileSize(tree.Path(L"sub")), SizeOfFolder);
  EXPECT_EQ(QueryFileSize(tree.Root()), SizeOfFolder);
  EXPECT_EQ(QueryFileSize(tree.Path(L"missing.txt")), SizeOfNothing);
  EXPECT_EQ(QueryFileSize(L""), SizeOfNothing);
}

TEST(QueryFileSize, IgnoresTrailingSlashes) {
  TempTree tree;
  tree.AddFile(L"a.txt", "abc");
  tree.AddFolder(L"sub");
  EXPECT_EQ(QueryFileSize(tree.Path(L"a.txt\\")), 3);
  EXPECT_EQ(QueryFileSize(tree.Path(L"a.txt/\\/")), 3);
  EXPECT_EQ(QueryFileSize(tree.Path(L"sub\\\\")), SizeOfFolder);
}

TEST(QueryFileSize, DrivesAreFolders) {
  EXPECT_EQ(QueryFileSize(L"C:"), SizeOfFolder);
  EXPECT_EQ(QueryFileSize(L"C:\\"), SizeOfFolder);
  EXPECT_EQ(QueryFileSize(L"c:/"), SizeOfFolder);
  // No drive has this letter in the test prefix.
  EXPECT_EQ(QueryFileSize(L"Q:\\"), SizeOfNothing);
}

TEST(QueryFileSize, LooksOnlyAtTheFirst260CodeUnits) {
  TempTree tree;
  tree.AddFile(L"short.txt", "12345");
  std::wstring path = tree.Path(L"short.txt");
  // Padding past code unit 260 is never looked at, so the file is still found.
  std::wstring padded = path + std::wstring(260 - path.size(), L'\\') + L"ignored";
  ASSERT_GT(padded.size(), 260u);
  EXPECT_EQ(QueryFileSize(padded), 5);
  // A path whose first 260 code units name nothing gives -1 whatever follows.
  std::wstring cut = tree.Root() + L"\\" + std::wstring(300, L'x') + L".txt";
  EXPECT_EQ(QueryFileSize(cut), SizeOfNothing);
}

TEST(QueryFileSize, ReportsFilesBeyondFourGigabytes) {
  TempTree tree;
  tree.AddSizedFile(L"huge.bin", 5'000'000'000LL);
  EXPECT_EQ(QueryFileSize(tree.Path(L"huge.bin")), 5'000'000'000LL);
}

TEST(QueryFileSize, AnswersForAFileHeldOpenWithoutSharing) {
  TempTree tree;
  tree.AddFile(L"locked.bin", "locked");
  FileHandle lock{::CreateFileW(tree.Path(L"locked.bin").c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
  ASSERT_TRUE(lock);
  EXPECT_EQ(QueryFileSize(tree.Path(L"locked.bin")), 6);
}

}  // namespace
}  // namespace tallyfold
