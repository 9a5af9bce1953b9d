#include "probes/entropy.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "tests/probes/sample_fixtures.h"
#include "tests/support/temp_tree.h"

namespace tallyfold {
namespace {

using testing::Runs;
using testing::TempTree;
using testing::WriteAt;

constexpr double Tolerance = 1e-12;

std::string EveryByteValue(std::size_t times) {
  std::string bytes;
  for (std::size_t round = 0; round < times; ++round) {
    for (int value = 0; value < 256; ++value) {
      bytes.push_back(static_cast<char>(value));
    }
  }
  return bytes;
}

struct EntropyCase {
  const char* what;
  std::string bytes;
  double entropy;
};

// Each case is written to a file and estimated through the file, and its whole content through
// BlockEntropy where the whole file is the sample.
void ExpectEntropies(const std::vector<EntropyCase>& cases, bool whole_files) {
  TempTree tree;
  for (std::size_t index = 0; index < cases.size(); ++index) {
    const EntropyCase& c = cases[index];
    const std::wstring name = L"sample" + std::to_wstring(index) + L".bin";
    tree.AddFile(name, c.bytes);
    EXPECT_NEAR(FileEntropy(tree.Path(name)), c.entropy, Tolerance) << c.what;
    if (whole_files) {
      const auto* block = reinterpret_cast<const std::uint8_t*>(c.bytes.data());
      EXPECT_NEAR(BlockEntropy(block, c.bytes.size()), c.entropy, Tolerance) << c.what;
    }
  }
}

TEST(FileEntropy, GivesTheWorkedValues) {
  ExpectEntropies(
      {
          {"all zero", Runs({{4096, 0x00}}), 0.0},
          {"half 0x00, half 0xFF", Runs({{2048, 0x00}, {2048, 0xFF}}), 1.0},
          {"four values equally often", Runs({{100, 1}, {100, 2}, {100, 3}, {100, 4}}), 2.0},
          {"every value once", EveryByteValue(1), 8.0},
          {"every value 32 times", EveryByteValue(32), 8.0},
          // The divisor is the file's length, not the usual sample length.
          {"100 bytes, half 0x00, half 0xFF", Runs({{50, 0x00}, {50, 0xFF}}), 1.0},
          {"one byte", Runs({{1, 0x41}}), 0.0},
      },
      true);
}

TEST(FileEntropy, SamplesByTheFileSize) {
  ExpectEntropies(
      {
          // Whole: a zero pad to 8192 bytes would add a second value.
          {"8191 bytes", Runs({{8191, 0xFF}}), 0.0},
          {"8192 bytes", Runs({{8192, 0xFF}}), 0.0},
          {"8192 equal bytes then others", Runs({{8192, 0xFF}, {8192, 0x01}}), 0.0},
          {"128128 bytes", Runs({{8192, 0xFF}, {119936, 0x01}}), 0.0},
          // 32768 from the start, then 32768 from byte 64064 on; any other window mixes in
          // the bytes 0x11 or 0x22 that lie just around it.
          {"128129 bytes", Runs({{32768, 0x00}, {31296, 0x11}, {32768, 0xFF}, {31297, 0x22}}), 1.0},
          {"200000 bytes", Runs({{100000, 0x00}, {100000, 0xFF}}), 1.0},
      },
      false);
}

TEST(FileEntropy, SamplesTheMiddleOfAFileBeyondFourGigabytes) {
  TempTree tree;
  // The middle lies beyond 4 GiB; all zero but for 32768 bytes from there on.
  constexpr std::int64_t Size = 10'000'000'000LL;
  tree.AddSizedFile(L"huge.bin", Size);
  WriteAt(tree.Path(L"huge.bin"), Size / 2, Runs({{32768, 0xFF}}));
  EXPECT_NEAR(FileEntropy(tree.Path(L"huge.bin")), 1.0, Tolerance);
}

TEST(FileEntropy, GivesFixedFiguresForExecutablesAndWaves) {
  TempTree tree;
  const std::string even = EveryByteValue(1);
  struct FigureCase {
    const wchar_t* name;
    bool exists;
    double entropy;
  };
  const FigureCase cases[] = {
      {L"a.exe", true, ExecutableEntropy}, {L"b.Exe", true, ExecutableEntropy},
      {L"c.EXE", true, ExecutableEntropy}, {L"gone.exe", false, ExecutableEntropy},
      {L"d.wav", true, WaveEntropy},       {L"e.WaV", true, WaveEntropy},
      {L"gone.WAV", false, WaveEntropy},   {L"f.exe.bak", true, 8.0},
      {L"gone.bin", false, 0.0},
  };
  for (const FigureCase& c : cases) {
    if (c.exists) {
      tree.AddFile(c.name, even);
    }
    EXPECT_NEAR(FileEntropy(tree.Path(c.name)), c.entropy, Tolerance)
        << ::testing::PrintToString(c.name);
  }
  EXPECT_EQ(ExecutableEntropy, 6.912);
  EXPECT_EQ(WaveEntropy, 6.645);
}

TEST(SampleEntropy, CountsBytesTheFileNoLongerHasAsZeroOverTheFullLength) {
  // The size is the one taken before the file shrank to its present content.
  struct ShrunkCase {
    const char* what;
    std::string bytes;
    std::int64_t size;
    double entropy;
  };
  const ShrunkCase cases[] = {
      {"50 of 100 bytes left", Runs({{50, 0xFF}}), 100, 1.0},
      {"half of 8192 bytes left", Runs({{4096, 0xFF}}), 8192, 1.0},
      // The middle lies beyond the end: the second half keeps what the first read put there.
      {"49152 of 200000 bytes left", Runs({{32768, 0xFF}, {16384, 0x11}}), 200000, 1.5},
      {"nothing left of a huge file", "", 10'000'000'000LL, 0.0},
  };
  TempTree tree;
  for (std::size_t index = 0; index < std::size(cases); ++index) {
    const std::wstring name = L"shrunk" + std::to_wstring(index) + L".bin";
    tree.AddFile(name, cases[index].bytes);
    EXPECT_NEAR(SampleEntropy(tree.Path(name), cases[index].size), cases[index].entropy, Tolerance)
        << cases[index].what;
  }
}

TEST(EntropySampleLength, FollowsTheFileSize) {
  const std::pair<std::int64_t, std::size_t> cases[] = {
      {-2, 8192},   {-1, 8192},     {0, 8192},       {1, 1},          {8191, 8191},
      {8192, 8192}, {128128, 8192}, {128129, 65536}, {200000, 65536}, {10'000'000'000LL, 65536},
  };
  for (const auto& [size, length] : cases) {
    EXPECT_EQ(EntropySampleLength(size), length) << size;
  }
}

TEST(CountBytes, AddsOneForEachOfTheFirstNBytes) {
  const std::uint8_t bytes[] = {7, 7, 0, 255, 7};
  struct CountCase {
    std::int64_t n;
    std::int32_t sevens;
    std::int32_t zeros;
    std::int32_t top;
  };
  const CountCase cases[] = {{-1, 1, 1, 1}, {0, 1, 1, 1}, {2, 3, 1, 1}, {5, 4, 2, 2}};
  for (const CountCase& c : cases) {
    // The counts are handed in with a one in the three watched slots: nothing clears them.
    std::array<std::int32_t, 256> counts{};
    counts[7] = counts[0] = counts[255] = 1;
    CountBytes(bytes, counts.data(), c.n);
    EXPECT_EQ(counts[7], c.sevens) << c.n;
    EXPECT_EQ(counts[0], c.zeros) << c.n;
    EXPECT_EQ(counts[255], c.top) << c.n;
    EXPECT_EQ(counts[1], 0) << c.n;
  }
}

TEST(Log2, IsTheBaseTwoLogarithm) {
  const std::pair<double, double> cases[] = {{1.0, 0.0},  {2.0, 1.0},   {8.0, 3.0},
                                             {0.5, -1.0}, {0.25, -2.0}, {1.0 / 256, -8.0}};
  for (const auto& [x, log] : cases) {
    EXPECT_NEAR(Log2(x), log, Tolerance) << x;
  }
}

}  // namespace
}  // namespace tallyfold
