#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

namespace tallyfold {

// What a row of the file list shows of a file besides its path.
struct FileFacts {
  std::int64_t Size = 0;
  std::int32_t Date = 0;

  bool operator==(const FileFacts&) const = default;
};

// The facts of a found directory entry: its size as the size look-up gives it, and its last
// write as a local date value.
[[nodiscard]] FileFacts FactsOfEntry(const WIN32_FIND_DATAW& entry) noexcept;

// The local date value of an entry's last write; 0 when a conversion fails.
[[nodiscard]] std::int32_t DateOfEntry(const WIN32_FIND_DATAW& entry) noexcept;

// The facts of one path by its own look-ups, exactly as the size look-up and the date look-up
// give them now.
[[nodiscard]] FileFacts LookUpFileFacts(std::wstring_view path);

}  // namespace tallyfold
