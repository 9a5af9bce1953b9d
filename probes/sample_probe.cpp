#include "probes/sample_probe.h"

#include <windows.h>

#include <algorithm>
#include <span>

#include "common/file_size.h"
#include "probes/binary_test.h"
#include "probes/entropy.h"
#include "probes/sample_file.h"

namespace tallyfold {
namespace {

constexpr std::size_t LeadingWordLength = 2;

// The size the probes lay their samples out by. The size look-up of an open file costs a
// fraction of a directory look-up when the file's own handle answers it, and that answer is
// the directory entry's for every path that the look-up takes as it stands.
std::int64_t SampleSize(std::wstring_view path, const FileHandle& file) {
  LARGE_INTEGER size;
  if (IsPlainSizeLookup(path) && ::GetFileSizeEx(file.get(), &size)) {
    return size.QuadPart;
  }
  return QueryFileSize(path);
}

// Reads `part` at the file's position, as a separate read from the start would have: only
// when everything before it was delivered.
std::size_t ReadOn(const FileHandle& file, std::span<std::uint8_t> part, bool before) {
  return before && !part.empty() ? ReadSample(file, part) : 0;
}

std::int32_t LeadingWordOf(std::span<const std::uint8_t> bytes) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8)));
}

}  // namespace

SampleFindings ProbeSample(std::wstring_view path) noexcept {
  const ExtensionVerdict verdict = VerdictOfExtension(path);
  if (verdict == ExtensionVerdict::Text) {
    return {};
  }
  const FileHandle file = OpenSampleFile(path);
  if (!file) {
    // Every probe of a sample that does not open reads zeros: binary, no signature.
    return SampleFindings{true, WithFixedFigure(path, 0.0), 0};
  }
  const std::int64_t size = SampleSize(path, file);
  const std::size_t textLength = TextSampleLength(size);
  const std::size_t entropyLength = EntropySampleLength(size);
  SampleBuffer sample(std::max({textLength, entropyLength, LeadingWordLength}));
  if (!sample.Allocated()) {
    return SampleFindings{true, WithFixedFigure(path, 0.0), 0};
  }
  // The text test's bytes and the leading word first: a text sample needs nothing more. A large
  // sample's whole first half comes at once: one read fewer saves more than the few kilobytes
  // a large text sample then reads beyond its text test's.
  const std::span<std::uint8_t> bytes = sample.Bytes();
  const bool split = size > HeadOnlyLimit;
  const std::size_t head = std::max({textLength, LeadingWordLength, split ? SplitHalf : 0});
  const bool headWhole = ReadSample(file, bytes.first(head)) == head;
  const bool binary = verdict == ExtensionVerdict::Binary ||
                      std::ranges::any_of(bytes.first(textLength), IsBinaryByte);
  if (!binary) {
    return {};
  }
  // A large sample's second half comes from the file's middle; only when the middle cannot be
  // reached does it keep the bytes that follow the first half, as one read of the whole
  // length from the start would have left there.
  const std::size_t start = split ? SplitHalf : entropyLength;
  bool whole = headWhole;
  if (start > head) {
    whole = ReadOn(file, bytes.subspan(head, start - head), headWhole) == start - head;
  }
  if (split && SeekSample(file, size / 2)) {
    static_cast<void>(ReadSample(file, bytes.subspan(SplitHalf, SplitHalf)));
  } else if (entropyLength > start) {
    static_cast<void>(ReadOn(file, bytes.subspan(start, entropyLength - start), whole));
  }
  const double estimate = BlockEntropy(bytes.data(), entropyLength);
  return SampleFindings{true, WithFixedFigure(path, estimate), LeadingWordOf(bytes)};
}

}  // namespace tallyfold
