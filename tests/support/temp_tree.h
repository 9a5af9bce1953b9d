#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace tallyfold::testing {

// A fresh folder under the system's temp folder, removed again with everything in it.
// Relative paths use backslashes; parent folders are made as needed.
class TempTree {
 public:
  TempTree();
  ~TempTree();
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  // The tree's folder, without a trailing backslash.
  [[nodiscard]] const std::wstring& Root() const { return root_; }
  [[nodiscard]] std::wstring Path(std::wstring_view relative) const;

  void AddFolder(std::wstring_view relative) const;
  void AddFile(std::wstring_view relative, std::string_view bytes = {}) const;
  // A file of the given size whose content is left to the file system (zero, sparse).
  void AddSizedFile(std::wstring_view relative, std::int64_t size) const;
  void SetModified(std::wstring_view relative, const SYSTEMTIME& utc) const;
  void Remove(std::wstring_view relative) const;

  // Writes a file at a full path, making its parent folders.
  static void WriteFile(const std::wstring& path, std::string_view bytes);

 private:
  std::wstring root_;
};

// Makes a new empty folder under the system's temp folder whose name begins with the prefix
// (which may name parent folders, made as needed) and goes on with this process's id and a
// serial number; gives its path, without a trailing backslash.
std::wstring NewTempFolder(std::wstring_view prefix);

// Noon UTC of a day: the same calendar day in every time zone within twelve hours, so a file
// dated then shows that day in local time.
inline SYSTEMTIME NoonUtc(WORD year, WORD month, WORD day) {
  constexpr WORD Noon = 12;
  SYSTEMTIME time{};
  time.wYear = year;
  time.wMonth = month;
  time.wDay = day;
  time.wHour = Noon;
  return time;
}

// Removes a file or a whole folder tree; true when nothing is left there.
bool RemoveTree(const std::wstring& path);

}  // namespace tallyfold::testing
