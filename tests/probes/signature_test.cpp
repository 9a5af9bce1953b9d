#include "probes/signature.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/temp_tree.h"

namespace tallyfold {
namespace {

using testing::TempTree;

TEST(ReadLeadingWord, ReadsTheFirstTwoBytesLittleEndianWithTheirSign) {
  struct WordCase {
    const char* what;
    std::string bytes;
    std::int32_t word;
  };
  const WordCase cases[] = {
      {"M Z", "MZ\x90", ExecutableSignature},
      {"Z M", "ZM\x90", 0x4D5A},
      {"the single byte M", "M", 77},
      {"0xFF 0xFF", "\xFF\xFF\x01", -1},
      {"0x00 0x80", std::string("\0\x80", 2), -32768},
      {"0xFF 0x7F", "\xFF\x7F", 32767},
      {"empty file", "", 0},
  };
  TempTree tree;
  for (std::size_t index = 0; index < std::size(cases); ++index) {
    const std::wstring name = L"word" + std::to_wstring(index) + L".bin";
    tree.AddFile(name, cases[index].bytes);
    EXPECT_EQ(ReadLeadingWord(tree.Path(name)), cases[index].word) << cases[index].what;
  }
  EXPECT_EQ(ReadLeadingWord(tree.Path(L"missing.exe")), 0);
}

}  // namespace
}  // namespace tallyfold
