#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "probes/sample_file.h"

namespace tallyfold {

// Entropy figures that replace the estimate for two extensions, whatever their samples hold.
inline constexpr double ExecutableEntropy = 6.912;
inline constexpr double WaveEntropy = 6.645;

// Sample layout of the estimate.
inline constexpr std::int64_t WholeFileLimit = SampleLength - 1;
inline constexpr std::int64_t HeadOnlyLimit = 128128;
inline constexpr std::int64_t SplitSampleLength = 65536;

// The Shannon entropy, in bits per byte, of a sample of the file at path: the whole file up to
// 8191 bytes, its first 8192 bytes up to 128128 bytes, and beyond that its first 32768 bytes
// together with the 32768 bytes from its middle on. EXE and WAV files get fixed figures. A
// file that does not open gives 0.0 (or its fixed figure).
[[nodiscard]] double FileEntropy(std::wstring_view path) noexcept;

// Half of the split sample: the part read from the file's start, and the part from its middle.
inline constexpr std::size_t SplitHalf = static_cast<std::size_t>(SplitSampleLength / 2);

// The estimate of the sample at path, laid out for a file of the given size, without the fixed
// figures; FileEntropy takes the size from the file's directory entry.
[[nodiscard]] double SampleEntropy(std::wstring_view path, std::int64_t size) noexcept;

// The fixed figure of an EXE or WAV path, else the estimate.
[[nodiscard]] double WithFixedFigure(std::wstring_view path, double estimate) noexcept;

// The sample length for a file of the given size (a size of 0 or less samples 8192 bytes).
[[nodiscard]] std::size_t EntropySampleLength(std::int64_t size) noexcept;

// The Shannon entropy of all length bytes of block; every frequency is divided by length.
[[nodiscard]] double BlockEntropy(const std::uint8_t* block, std::size_t length) noexcept;

// Adds one to counts[v] for each of the first n bytes, v being the byte's value; counts holds
// 256 counters and is not cleared. An n of 0 or less adds nothing.
void CountBytes(const std::uint8_t* bytes, std::int32_t* counts, std::int64_t n) noexcept;

// Base-2 logarithm, as the natural logarithm of x over that of 2.0.
[[nodiscard]] double Log2(double x) noexcept;

}  // namespace tallyfold
