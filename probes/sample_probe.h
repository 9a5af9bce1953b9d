#pragma once

#include <cstdint>
#include <string_view>

namespace tallyfold {

// What the scan learns from an extension's sample.
struct SampleFindings {
  bool Binary = false;
  // For a binary sample only; 0 for a text sample, which is never looked at further.
  double Entropy = 0.0;
  std::int32_t LeadingWord = 0;

  bool operator==(const SampleFindings&) const = default;
};

// The answers that IsBinaryFile, FileEntropy and ReadLeadingWord give one after the other, from
// one open of the sample and one size look-up: the same sample lengths and layouts, the same
// zero-filled buffer and the same exclusive open, so that a sample held open elsewhere reads
// as binary with no entropy (or its fixed figure) and no signature.
[[nodiscard]] SampleFindings ProbeSample(std::wstring_view path) noexcept;

}  // namespace tallyfold
