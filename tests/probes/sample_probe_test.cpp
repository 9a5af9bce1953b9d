// The scan's one-open probe must give exactly what the three probes give one after the other.
#include "probes/sample_probe.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/file_size.h"
#include "probes/binary_test.h"
#include "probes/entropy.h"
#include "probes/signature.h"
#include "tests/probes/sample_fixtures.h"
#include "tests/support/temp_tree.h"

namespace tallyfold {
namespace {

using testing::ByteRun;
using testing::Runs;
using testing::TempTree;

// The three probes as the scan once made them: the text test, then for a binary sample the
// entropy and the leading word.
SampleFindings ThreeProbes(const std::wstring& path) {
  if (!IsBinaryFile(path)) {
    return {};
  }
  return SampleFindings{true, FileEntropy(path), ReadLeadingWord(path)};
}

struct SampleCase {
  const wchar_t* name;
  std::string bytes;
};

// Every sample layout: the whole file below 8192 bytes, 8192 bytes up to 128,128, the start
// and the middle beyond; text and binary bytes on either side of each boundary; signatures.
std::vector<SampleCase> Layouts() {
  const std::string mz = "MZ";
  return {
      {L"empty.dat", ""},
      {L"one.dat", "M"},
      {L"two.dat", mz},
      {L"text.dat", std::string(5000, 'a')},
      {L"text8191.dat", std::string(8191, 'a')},
      {L"late binary.dat", Runs({{8192, 'a'}, {10, 0x01}})},
      {L"binary8191.dat", Runs({{8190, 'a'}, {1, 0x85}})},
      {L"binary8192.dat", Runs({{8191, 'a'}, {1, 0x02}})},
      {L"exe8193.dat", mz + Runs({{8191, 0x90}})},
      {L"head128128.dat", mz + Runs({{8000, 0x00}, {120126, 'q'}})},
      {L"split128129.dat", mz + Runs({{64000, 0x03}, {64127, 0xF0}})},
      {L"split200000.bin", Runs({{32768, 0x04}, {67232, 'z'}, {100000, 0x9A}})},
      {L"mz text.dat", mz + std::string(100, 'a')},
      {L"negative.dat", Runs({{1, 0xFF}, {1, 0xFF}, {100, 0x00}})},
      {L"program.EXE", mz + Runs({{300, 0x00}})},
      {L"text.exe", std::string(300, 'a')},
      {L"sound.wav", Runs({{300, 0x07}})},
      {L"driver.sys", std::string(300, 'a')},
      {L"driver mz.SYS", mz + std::string(300, 'a')},
      {L"notes.txt", Runs({{300, 0x00}})},
      {L"notes.strings", Runs({{300, 0x00}})},
  };
}

TEST(ProbeSample, GivesWhatTheThreeProbesGiveOnEverySampleLayout) {
  TempTree tree;
  for (const SampleCase& sample : Layouts()) {
    tree.AddFile(sample.name, sample.bytes);
    const std::wstring path = tree.Path(sample.name);
    const SampleFindings expected = ThreeProbes(path);
    EXPECT_EQ(ProbeSample(path), expected) << ::testing::PrintToString(std::wstring(sample.name));
  }
  // The cases above do reach every answer.
  EXPECT_EQ(ProbeSample(tree.Path(L"text.dat")), SampleFindings{});
  EXPECT_EQ(ProbeSample(tree.Path(L"program.EXE")),
            (SampleFindings{true, ExecutableEntropy, ExecutableSignature}));
  EXPECT_TRUE(ProbeSample(tree.Path(L"binary8192.dat")).Binary);
}

TEST(ProbeSample, GivesWhatTheThreeProbesGiveBeyondFourGigabytes) {
  TempTree tree;
  constexpr std::int64_t Huge = 5'000'000'000LL;
  tree.AddSizedFile(L"huge.dat", Huge);
  testing::WriteAt(tree.Path(L"huge.dat"), 0, "MZ\x01");
  testing::WriteAt(tree.Path(L"huge.dat"), Huge / 2, std::string(1000, '\x9C'));
  const std::wstring path = tree.Path(L"huge.dat");
  EXPECT_EQ(ProbeSample(path), ThreeProbes(path));
  EXPECT_EQ(ProbeSample(path).LeadingWord, ExecutableSignature);
}

TEST(ProbeSample, GivesWhatTheThreeProbesGiveForSamplesThatCannotBeRead) {
  TempTree tree;
  tree.AddFile(L"held.dat", "MZ text");
  tree.AddFile(L"held.exe", "MZ text");
  tree.AddFile(L"held.txt", "MZ text");
  tree.AddFolder(L"folder.dat");
  // Over 260 code units in all, in names the file system takes.
  const std::wstring deep = std::wstring(200, L'x') + L"\\" + std::wstring(100, L'y');
  tree.AddFile(deep + L"\\long.dat", "plain text beyond the look-up's reach");
  const FileHandle holds[] = {testing::HoldOpen(tree.Path(L"held.dat")),
                              testing::HoldOpen(tree.Path(L"held.exe")),
                              testing::HoldOpen(tree.Path(L"held.txt"))};
  for (const FileHandle& held : holds) {
    ASSERT_TRUE(held);
  }
  for (const wchar_t* name :
       {L"held.dat", L"held.exe", L"held.txt", L"gone.wav", L"folder.dat", L"wild?.dat"}) {
    const std::wstring path = tree.Path(name);
    EXPECT_EQ(ProbeSample(path), ThreeProbes(path)) << ::testing::PrintToString(path);
  }
  const std::wstring longPath = tree.Path(deep + L"\\long.dat");
  ASSERT_GT(longPath.size(), SizePathLimit);
  EXPECT_EQ(ProbeSample(longPath), ThreeProbes(longPath));
  // The look-up's first 260 code units name a file of its own, the whole path nothing.
  tree.AddFile(L"short.dat", "plain text");
  std::wstring padded = tree.Path(L"short.dat");
  padded += std::wstring(SizePathLimit - padded.size(), L'\\') + L"beyond";
  EXPECT_EQ(ProbeSample(padded), ThreeProbes(padded));
  EXPECT_EQ(ProbeSample(tree.Path(L"held.dat")), (SampleFindings{true, 0.0, 0}));
  EXPECT_EQ(ProbeSample(tree.Path(L"held.exe")), (SampleFindings{true, ExecutableEntropy, 0}));
}

}  // namespace
}  // namespace tallyfold
