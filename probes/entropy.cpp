#include "probes/entropy.h"

#include <array>
#include <cmath>
#include <new>
#include <string>

#include "common/file_size.h"
#include "common/upper_extension.h"
#include "probes/sample_file.h"

namespace tallyfold {
namespace {

constexpr std::size_t ByteValues = 256;

// Large files are sampled at their start and their middle: the first read fills the whole
// buffer as far as the file goes, the second overwrites its second half from the middle on.
// When the middle cannot be reached, the second half keeps what the first read put there.
void ReadEntropySample(const FileHandle& file, std::span<std::uint8_t> sample, std::int64_t size) {
  static_cast<void>(ReadSample(file, sample));
  if (size > HeadOnlyLimit && SeekSample(file, size / 2)) {
    static_cast<void>(ReadSample(file, sample.subspan(SplitHalf)));
  }
}

}  // namespace

double WithFixedFigure(std::wstring_view path, double estimate) noexcept {
  try {
    const std::wstring extension = UpperExtension(path);
    if (extension == L"EXE") {
      return ExecutableEntropy;
    }
    if (extension == L"WAV") {
      return WaveEntropy;
    }
  } catch (const std::bad_alloc&) {
  }
  return estimate;
}

std::size_t EntropySampleLength(std::int64_t size) noexcept {
  if (size >= 1 && size <= WholeFileLimit) {
    return static_cast<std::size_t>(size);
  }
  return static_cast<std::size_t>(size > HeadOnlyLimit ? SplitSampleLength : SampleLength);
}

double SampleEntropy(std::wstring_view path, std::int64_t size) noexcept {
  SampleBuffer sample(EntropySampleLength(size));
  if (!sample.Allocated()) {
    return 0.0;
  }
  {
    const FileHandle file = OpenSampleFile(path);
    if (!file) {
      return 0.0;
    }
    ReadEntropySample(file, sample.Bytes(), size);
  }
  return BlockEntropy(sample.Bytes().data(), sample.Bytes().size());
}

double FileEntropy(std::wstring_view path) noexcept {
  return WithFixedFigure(path, SampleEntropy(path, QueryFileSize(path)));
}

double BlockEntropy(const std::uint8_t* block, std::size_t length) noexcept {
  if (block == nullptr || length == 0) {
    return 0.0;
  }
  std::array<std::int32_t, ByteValues> counts{};
  CountBytes(block, counts.data(), static_cast<std::int64_t>(length));
  double entropy = 0.0;
  for (const std::int32_t count : counts) {
    const double p = static_cast<double>(count) / static_cast<double>(length);
    if (p > 0.0) {
      entropy -= p * Log2(p);
    }
  }
  return entropy;
}

void CountBytes(const std::uint8_t* bytes, std::int32_t* counts, std::int64_t n) noexcept {
  // Four tables in turn: runs of equal bytes would otherwise make every increment wait for the
  // one before it, and a sample of 64 KiB costs more to count than to read.
  constexpr std::size_t Tables = 4;
  std::array<std::array<std::int32_t, ByteValues>, Tables> partial{};
  std::int64_t at = 0;
  for (; at + static_cast<std::int64_t>(Tables) <= n; at += Tables) {
    ++partial[0][bytes[at]];
    ++partial[1][bytes[at + 1]];
    ++partial[2][bytes[at + 2]];
    ++partial[3][bytes[at + 3]];
  }
  for (; at < n; ++at) {
    ++partial[0][bytes[at]];
  }
  for (std::size_t value = 0; value < ByteValues; ++value) {
    counts[value] += partial[0][value] + partial[1][value] + partial[2][value] + partial[3][value];
  }
}

double Log2(double x) noexcept {
  return std::log(x) / std::log(2.0);
}

}  // namespace tallyfold
