// What every probe answers for samples it cannot read, and that no probe keeps a file open.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/file_size.h"
#include "probes/binary_test.h"
#include "probes/entropy.h"
#include "probes/signature.h"
#include "tests/probes/sample_fixtures.h"
#include "tests/support/temp_tree.h"

namespace tallyfold {
namespace {

using testing::HoldOpen;
using testing::TempTree;

// Readable, this content is text, begins with the executable signature and has an entropy
// above zero: an unreadable sample answers differently on every count.
constexpr char ReadableContent[] = "MZ is text";

struct Answers {
  bool binary;
  std::int32_t word;
  double entropy;
};

void ExpectAnswers(const std::wstring& path, const Answers& expected, const char* what) {
  EXPECT_EQ(IsBinaryFile(path), expected.binary) << what;
  EXPECT_EQ(ReadLeadingWord(path), expected.word) << what;
  EXPECT_EQ(FileEntropy(path), expected.entropy) << what;
}

TEST(Probes, AnswerForASampleThatAnotherHandleHoldsOpen) {
  TempTree tree;
  struct HeldCase {
    const wchar_t* name;
    double entropy;
  };
  const HeldCase cases[] = {
      {L"held.dat", 0.0}, {L"held.exe", ExecutableEntropy}, {L"held.wav", WaveEntropy}};
  for (const HeldCase& c : cases) {
    tree.AddFile(c.name, ReadableContent);
    const std::wstring path = tree.Path(c.name);
    ASSERT_FALSE(IsBinaryFile(path));
    ASSERT_EQ(ReadLeadingWord(path), ExecutableSignature);
    const FileHandle held = HoldOpen(path);
    ASSERT_TRUE(held);
    ExpectAnswers(path, {true, 0, c.entropy}, "held open");
  }
}

TEST(Probes, AnswerForSamplesThatCannotBeRead) {
  TempTree tree;
  tree.AddFile(L"gone.dat", ReadableContent);
  tree.Remove(L"gone.dat");
  tree.AddFolder(L"folder.dat");
  tree.AddFile(L"short.dat", ReadableContent);
  // The first 260 code units name short.dat, so its size is found, but the path as a whole
  // names nothing that opens.
  std::wstring padded = tree.Path(L"short.dat");
  padded += std::wstring(SizePathLimit - padded.size(), L'\\') + L"beyond";
  std::wstring cut = tree.Path(L"short.dat");
  cut += L'\0';
  cut += L"tail";
  const std::pair<std::wstring, const char*> cases[] = {
      {tree.Path(L"gone.dat"), "a sample that vanished"},
      {tree.Path(L"folder.dat"), "a folder"},
      {padded, "a path over 260 code units"},
      {tree.Root() + L"\\" + std::wstring(300, L'x') + L".dat", "a long path to nothing"},
      {cut, "a path with a NUL inside"},
      {L"", "an empty path"},
  };
  ASSERT_FALSE(IsBinaryFile(tree.Path(L"short.dat")));
  for (const auto& [path, what] : cases) {
    ExpectAnswers(path, {true, 0, 0.0}, what);
  }
}

TEST(Probes, CountBytesTheSampleNoLongerHasAsZero) {
  TempTree tree;
  tree.AddFile(L"shrunk.dat", "letters");
  const std::wstring path = tree.Path(L"shrunk.dat");
  // Its size before it shrank to its 7 present bytes; any longer sample gets a zero byte.
  EXPECT_FALSE(IsBinarySample(path, 7));
  EXPECT_TRUE(IsBinarySample(path, 8));
  EXPECT_TRUE(IsBinarySample(path, 1'000'000));
  EXPECT_FALSE(IsBinarySample(path, 3));
}

TEST(Probes, LeaveNoFileOpen) {
  TempTree tree;
  tree.AddFile(L"probed.dat", ReadableContent);
  tree.AddSizedFile(L"big.dat", 200000);
  constexpr int Rounds = 10;
  for (int round = 0; round < Rounds; ++round) {
    for (const wchar_t* name : {L"probed.dat", L"big.dat"}) {
      const std::wstring path = tree.Path(name);
      static_cast<void>(IsBinaryFile(path));
      static_cast<void>(ReadLeadingWord(path));
      static_cast<void>(FileEntropy(path));
    }
  }
  // A handle left open anywhere would keep both the open without sharing and the deletion out.
  for (const wchar_t* name : {L"probed.dat", L"big.dat"}) {
    const std::wstring path = tree.Path(name);
    EXPECT_TRUE(HoldOpen(path)) << "still open: " << ::testing::PrintToString(name);
    EXPECT_TRUE(::DeleteFileW(path.c_str())) << ::testing::PrintToString(name);
  }
}

}  // namespace
}  // namespace tallyfold
