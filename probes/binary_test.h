#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tallyfold {

// True when the sample at path looks like binary data: SYS files by their extension alone, TXT
// and STRINGS files never, any other file when one of its first 8192 bytes (or of all its bytes,
// if it is shorter) is of the binary class. A sample that cannot be opened, an empty one and
// one that delivers fewer bytes than its size promised present zero bytes, and count as binary.
[[nodiscard]] bool IsBinaryFile(std::wstring_view path) noexcept;

// The same test on a sample whose size was taken beforehand; IsBinaryFile takes it from the
// file's directory entry.
[[nodiscard]] bool IsBinarySample(std::wstring_view path, std::int64_t size) noexcept;

// What an extension alone says of its files: SYS files are binary and TXT and STRINGS files
// text without a look inside; any other extension leaves it to the sample's bytes.
enum class ExtensionVerdict { Unknown, Binary, Text };
[[nodiscard]] ExtensionVerdict VerdictOfExtension(std::wstring_view path) noexcept;

// How many leading bytes the text test looks at in a file of the given size: all of a file
// shorter than the sample length, else the sample length.
[[nodiscard]] std::size_t TextSampleLength(std::int64_t size) noexcept;

// The byte classes of the text test: true for 0x00 to 0x08 and 0x81 to 0x9F.
[[nodiscard]] constexpr bool IsBinaryByte(std::uint8_t byte) noexcept {
  constexpr std::uint8_t LastLowBinary = 0x08;
  constexpr std::uint8_t FirstHighBinary = 0x81;
  constexpr std::uint8_t LastHighBinary = 0x9F;
  return byte <= LastLowBinary || (byte >= FirstHighBinary && byte <= LastHighBinary);
}

}  // namespace tallyfold
