#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "common/handles.h"

namespace tallyfold {

// Both probes read at most this many bytes from the start of a sample.
inline constexpr std::int64_t SampleLength = 8192;

// Opens a sample for reading only, and only if it exists. It shares with nobody, so a file
// that another process holds open does not open: the probes then answer from a zero sample.
// Empty when the file does not open.
[[nodiscard]] FileHandle OpenSampleFile(std::wstring_view path) noexcept;

// Reads up to destination.size() bytes at the file's current position and gives the number
// delivered. Nothing is written beyond destination, and the bytes not delivered keep their
// content.
[[nodiscard]] std::size_t ReadSample(const FileHandle& file,
                                     std::span<std::uint8_t> destination) noexcept;

// Moves to an absolute byte position from the start of the file; the position is 64 bits
// wide. False when the move failed (the position is then left where it was).
[[nodiscard]] bool SeekSample(const FileHandle& file, std::int64_t position) noexcept;

// The fixed-length, zero-filled buffer a probe reads its sample into. Its storage goes with
// it. When the storage cannot be had the buffer is empty (Allocated() is false); the probes
// then answer as for a sample that cannot be opened: binary, and an entropy of 0.0.
class SampleBuffer {
 public:
  explicit SampleBuffer(std::size_t length) noexcept;

  [[nodiscard]] bool Allocated() const noexcept { return bytes_ != nullptr; }
  [[nodiscard]] std::span<std::uint8_t> Bytes() noexcept { return {bytes_.get(), length_}; }
  [[nodiscard]] std::span<const std::uint8_t> Bytes() const noexcept {
    return {bytes_.get(), length_};
  }

 private:
  std::unique_ptr<std::uint8_t[]> bytes_;
  std::size_t length_ = 0;
};

}  // namespace tallyfold
