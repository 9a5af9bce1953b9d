#include "common/file_size.h"

#include <windows.h>

#include <string>

#include "common/handles.h"
#include "common/literal_path.h"

namespace tallyfold {
namespace {

bool IsSlash(wchar_t c) {
  return c == L'\\' || c == L'/';
}

// C: or C:\ names a drive, whatever lies on it.
std::int64_t SizeOfDrive(std::wstring_view path) {
  if (path.size() < 2 || path.size() > 3 || path[1] != L':') {
    return SizeOfNothing;
  }
  const wchar_t root[] = {path[0], L':', L'\\', L'\0'};
  return ::GetDriveTypeW(root) > DRIVE_NO_ROOT_DIR ? SizeOfFolder : SizeOfNothing;
}

}  // namespace

std::int64_t SizeOfEntry(const WIN32_FIND_DATAW& entry) noexcept {
  if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    return SizeOfFolder;
  }
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) |
                                   entry.nFileSizeLow);
}

bool IsPlainSizeLookup(std::wstring_view path) noexcept {
  return path.size() > 2 && path.size() <= SizePathLimit && !IsSlash(path.back());
}

std::int64_t QueryFileSize(std::wstring_view path) noexcept {
  path = path.substr(0, SizePathLimit);
  while (!path.empty() && IsSlash(path.back())) {
    path.remove_suffix(1);
  }
  // A bare drive is answered by the drive rule: a look-up of "C:" would name the current
  // folder of drive C, not the drive.
  if (path.size() == 2 && path[1] == L':') {
    return SizeOfDrive(path);
  }
  // The cut to the first code units applies to the path as built, not to its literal form.
  const std::wstring text = LiteralPath(path);
  WIN32_FIND_DATAW entry;
  if (FindHandle search{::FindFirstFileW(text.c_str(), &entry)}) {
    return SizeOfEntry(entry);
  }
  // Share roots (\\server\share) and relative parents have no directory entry of their own.
  if (path.starts_with(L"\\\\") || path.starts_with(L"..")) {
    const DWORD attributes = ::GetFileAttributesW(text.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
      return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? SizeOfFolder : SizeOfNothing;
    }
  }
  return SizeOfDrive(path);
}

}  // namespace tallyfold
