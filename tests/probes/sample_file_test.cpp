#include "probes/sample_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>

#include "tests/probes/sample_fixtures.h"
#include "tests/support/temp_tree.h"

namespace tallyfold {
namespace {

using testing::HoldOpen;
using testing::Runs;
using testing::TempTree;
using testing::WriteAt;

constexpr std::uint8_t Untouched = 0xCC;

TEST(SampleFile, ReadsOnlyIntoItsDestinationAndKeepsWhatWasNotDelivered) {
  TempTree tree;
  tree.AddFile(L"ten.bin", "0123456789");
  struct ReadCase {
    std::size_t offset;  // where the destination starts within a guarded buffer
    std::size_t count;
    std::size_t delivered;
  };
  const ReadCase cases[] = {{8, 4, 4}, {8, 10, 10}, {8, 16, 10}, {0, 1, 1}, {31, 1, 1}, {8, 0, 0}};
  for (const ReadCase& c : cases) {
    std::array<std::uint8_t, 32> buffer;
    buffer.fill(Untouched);
    const FileHandle file = OpenSampleFile(tree.Path(L"ten.bin"));
    ASSERT_TRUE(file);
    EXPECT_EQ(ReadSample(file, std::span(buffer).subspan(c.offset, c.count)), c.delivered);
    for (std::size_t at = 0; at < buffer.size(); ++at) {
      const bool delivered = at >= c.offset && at < c.offset + c.delivered;
      const std::uint8_t expected =
          delivered ? static_cast<std::uint8_t>('0' + (at - c.offset)) : Untouched;
      EXPECT_EQ(buffer[at], expected)
          << "offset " << c.offset << " count " << c.count << " at " << at;
    }
  }
}

TEST(SampleFile, ReadAtTheEndDeliversNothingAndKeepsTheContent) {
  TempTree tree;
  tree.AddFile(L"two.bin", "MZ");
  const FileHandle file = OpenSampleFile(tree.Path(L"two.bin"));
  ASSERT_TRUE(file);
  std::array<std::uint8_t, 4> buffer;
  buffer.fill(Untouched);
  EXPECT_EQ(ReadSample(file, buffer), 2u);
  buffer.fill(Untouched);
  EXPECT_EQ(ReadSample(file, buffer), 0u);
  EXPECT_TRUE(std::ranges::all_of(buffer, [](std::uint8_t b) { return b == Untouched; }));
  EXPECT_EQ(ReadSample(FileHandle{}, buffer), 0u);
}

TEST(SampleFile, SeeksToPositionsBeyondFourGigabytes) {
  TempTree tree;
  constexpr std::int64_t Size = 10'000'000'000LL;
  constexpr std::int64_t Far = 5'000'000'000LL;
  tree.AddSizedFile(L"sparse.bin", Size);
  WriteAt(tree.Path(L"sparse.bin"), Far, "far");
  const FileHandle file = OpenSampleFile(tree.Path(L"sparse.bin"));
  ASSERT_TRUE(file);
  ASSERT_TRUE(SeekSample(file, Far));
  std::array<std::uint8_t, 3> buffer{};
  ASSERT_EQ(ReadSample(file, buffer), 3u);
  EXPECT_EQ(std::string(buffer.begin(), buffer.end()), "far");
  // A low part of all ones is a position like any other.
  EXPECT_TRUE(SeekSample(file, 0x1FFFFFFFFLL));
  EXPECT_FALSE(SeekSample(file, -1));
  EXPECT_FALSE(SeekSample(FileHandle{}, 0));
}

TEST(SampleFile, OpensOnlyExistingFilesThatNobodyHoldsOpen) {
  TempTree tree;
  tree.AddFile(L"free.bin", "free");
  tree.AddFile(L"held.bin", "held");
  tree.AddFolder(L"folder");
  const FileHandle held = HoldOpen(tree.Path(L"held.bin"));
  ASSERT_TRUE(held);
  EXPECT_TRUE(OpenSampleFile(tree.Path(L"free.bin")));
  EXPECT_FALSE(OpenSampleFile(tree.Path(L"held.bin")));
  EXPECT_FALSE(OpenSampleFile(tree.Path(L"missing.bin")));
  EXPECT_FALSE(OpenSampleFile(tree.Path(L"folder")));
  EXPECT_FALSE(OpenSampleFile(L""));
  // The platform would stop reading the path at the NUL and open free.bin.
  std::wstring cut = tree.Path(L"free.bin");
  cut += L'\0';
  cut += L".other";
  EXPECT_FALSE(OpenSampleFile(cut));
  // Nobody else may open a sample while a probe holds it.
  const FileHandle probing = OpenSampleFile(tree.Path(L"free.bin"));
  ASSERT_TRUE(probing);
  EXPECT_FALSE(HoldOpen(tree.Path(L"free.bin")));
}

TEST(SampleBuffer, IsZeroFilledAtItsFixedLength) {
  for (const std::size_t length : {std::size_t{1}, std::size_t{8191}, std::size_t{65536}}) {
    SampleBuffer buffer(length);
    ASSERT_TRUE(buffer.Allocated());
    ASSERT_EQ(buffer.Bytes().size(), length);
    EXPECT_TRUE(std::ranges::all_of(buffer.Bytes(), [](std::uint8_t b) { return b == 0; }));
  }
}

TEST(SampleBuffer, IsEmptyWhenItsStorageCannotBeHad) {
  SampleBuffer buffer(SIZE_MAX / 2);
  EXPECT_FALSE(buffer.Allocated());
  EXPECT_TRUE(buffer.Bytes().empty());
}

}  // namespace
}  // namespace tallyfold
