#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

namespace tallyfold {

// The leading word of an executable: the letters M and Z, read little-endian.
inline constexpr std::int32_t ExecutableSignature = IMAGE_DOS_SIGNATURE;

// The first two bytes of the file as a little-endian signed 16-bit number, widened with its
// sign; a byte the file does not have counts as zero. 0 when the file does not open.
[[nodiscard]] std::int32_t ReadLeadingWord(std::wstring_view path) noexcept;

}  // namespace tallyfold
