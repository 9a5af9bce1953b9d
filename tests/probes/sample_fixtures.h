#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

#include "common/handles.h"

namespace tallyfold::testing {

// A stretch of equal bytes in a sample's content.
struct ByteRun {
  std::size_t count;
  unsigned char value;
};

inline std::string Runs(std::initializer_list<ByteRun> runs) {
  std::string bytes;
  for (const ByteRun& run : runs) {
    bytes.append(run.count, static_cast<char>(run.value));
  }
  return bytes;
}

// Writes bytes into an existing file at a 64-bit offset, leaving the rest as it was, so that a
// sparse file can carry content far beyond 4 GiB.
inline void WriteAt(const std::wstring& path, std::int64_t offset, std::string_view bytes) {
  FileHandle file{::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr)};
  LARGE_INTEGER position;
  position.QuadPart = offset;
  DWORD written = 0;
  if (!file || !::SetFilePointerEx(file.get(), position, nullptr, FILE_BEGIN) ||
      !::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size()) {
    throw std::runtime_error("cannot write into a test file");
  }
}

// Holds a file open without sharing, as another program might while it is probed.
inline FileHandle HoldOpen(const std::wstring& path) {
  return FileHandle{::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr)};
}

}  // namespace tallyfold::testing
