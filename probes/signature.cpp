#include "probes/signature.h"

#include "probes/sample_file.h"

namespace tallyfold {

std::int32_t ReadLeadingWord(std::wstring_view path) noexcept {
  const FileHandle file = OpenSampleFile(path);
  if (!file) {
    return 0;
  }
  std::uint8_t word[2] = {0, 0};
  static_cast<void>(ReadSample(file, word));
  const auto unsigned_word = static_cast<std::uint16_t>(word[0] | (word[1] << 8));
  return static_cast<std::int16_t>(unsigned_word);
}

}  // namespace tallyfold
