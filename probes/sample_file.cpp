#include "probes/sample_file.h"

#include <windows.h>

#include <algorithm>
#include <new>
#include <string>

#include "common/literal_path.h"

namespace tallyfold {

FileHandle OpenSampleFile(std::wstring_view path) noexcept {
  // The platform reads a path up to its first NUL; one inside the text would open another file
  // than the one named.
  if (path.find(L'\0') != std::wstring_view::npos) {
    return {};
  }
  try {
    const std::wstring text = LiteralPath(path);
    return FileHandle{::CreateFileW(text.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr)};
  } catch (const std::bad_alloc&) {
    return {};
  }
}

std::size_t ReadSample(const FileHandle& file, std::span<std::uint8_t> destination) noexcept {
  const DWORD request = static_cast<DWORD>(std::min<std::size_t>(destination.size(), MAXDWORD));
  if (!file || request == 0) {
    return 0;
  }
  DWORD delivered = 0;
  if (!::ReadFile(file.get(), destination.data(), request, &delivered, nullptr)) {
    return 0;
  }
  return std::min<std::size_t>(delivered, request);
}

bool SeekSample(const FileHandle& file, std::int64_t position) noexcept {
  if (!file) {
    return false;
  }
  const auto wide = static_cast<std::uint64_t>(position);
  LONG high = static_cast<LONG>(wide >> 32);
  // A low part of 0xFFFFFFFF is a valid position, so only the error code tells a failure.
  ::SetLastError(NO_ERROR);
  const DWORD low =
      ::SetFilePointer(file.get(), static_cast<LONG>(wide & 0xFFFFFFFFu), &high, FILE_BEGIN);
  return low != INVALID_SET_FILE_POINTER || ::GetLastError() == NO_ERROR;
}

SampleBuffer::SampleBuffer(std::size_t length) noexcept
    : bytes_(new (std::nothrow) std::uint8_t[length]()), length_(bytes_ ? length : 0) {}

}  // namespace tallyfold
