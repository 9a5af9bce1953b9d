#include "probes/binary_test.h"

#include <algorithm>
#include <new>
#include <string>

#include "common/file_size.h"
#include "common/upper_extension.h"
#include "probes/sample_file.h"

namespace tallyfold {

ExtensionVerdict VerdictOfExtension(std::wstring_view path) noexcept {
  try {
    const std::wstring extension = UpperExtension(path);
    if (extension == L"SYS") {
      return ExtensionVerdict::Binary;
    }
    if (extension == L"TXT" || extension == L"STRINGS") {
      return ExtensionVerdict::Text;
    }
    return ExtensionVerdict::Unknown;
  } catch (const std::bad_alloc&) {
    return ExtensionVerdict::Unknown;
  }
}

std::size_t TextSampleLength(std::int64_t size) noexcept {
  const bool whole = size >= 1 && size < SampleLength;
  return static_cast<std::size_t>(whole ? size : SampleLength);
}

bool IsBinarySample(std::wstring_view path, std::int64_t size) noexcept {
  SampleBuffer sample(TextSampleLength(size));
  if (!sample.Allocated()) {
    return true;
  }
  if (const FileHandle file = OpenSampleFile(path)) {
    static_cast<void>(ReadSample(file, sample.Bytes()));
  }
  // Bytes the file did not deliver are still zero, and zero is binary.
  return std::ranges::any_of(sample.Bytes(), IsBinaryByte);
}

bool IsBinaryFile(std::wstring_view path) noexcept {
  switch (VerdictOfExtension(path)) {
    case ExtensionVerdict::Binary:
      return true;
    case ExtensionVerdict::Text:
      return false;
    case ExtensionVerdict::Unknown:
      break;
  }
  return IsBinarySample(path, QueryFileSize(path));
}

}  // namespace tallyfold
