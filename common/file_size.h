#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

namespace tallyfold {

inline constexpr std::int64_t SizeOfNothing = -1;
inline constexpr std::int64_t SizeOfFolder = -2;
// Only this many code units of a path are looked at.
inline constexpr std::size_t SizePathLimit = MAX_PATH;

// The size in bytes of the file at path, read from its directory entry without opening it, so
// that it also answers for a file another process holds open. SizeOfFolder for a folder or a
// drive, SizeOfNothing when nothing is there.
[[nodiscard]] std::int64_t QueryFileSize(std::wstring_view path) noexcept;

// True when QueryFileSize answers for the path from nothing but the directory entry that
// FindFirstFileW finds for the path as it stands, so that a caller who needs more of that entry
// can make the one look-up for both and take the size from it with SizeOfEntry.
[[nodiscard]] bool IsPlainSizeLookup(std::wstring_view path) noexcept;

// The size QueryFileSize gives for a found directory entry.
[[nodiscard]] std::int64_t SizeOfEntry(const WIN32_FIND_DATAW& entry) noexcept;

}  // namespace tallyfold
