#include "probes/binary_test.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/probes/sample_fixtures.h"
#include "tests/support/temp_tree.h"

namespace tallyfold {
namespace {

using testing::Runs;
using testing::TempTree;
using testing::WriteAt;

struct ContentCase {
  const char* what;
  std::string bytes;
  bool binary;
};

// Each case is written to a file of a neutral extension and tested by its content alone.
void ExpectVerdicts(const std::vector<ContentCase>& cases) {
  TempTree tree;
  for (std::size_t index = 0; index < cases.size(); ++index) {
    const std::wstring name = L"sample" + std::to_wstring(index) + L".dat";
    tree.AddFile(name, cases[index].bytes);
    EXPECT_EQ(IsBinaryFile(tree.Path(name)), cases[index].binary) << cases[index].what;
  }
}

TEST(IsBinaryFile, ClassesSingleBytesAtTheBoundaries) {
  struct ByteCase {
    unsigned char byte;
    bool binary;
  };
  const ByteCase bytes[] = {{0x08, true},  {0x09, false}, {0x0A, false}, {0x0D, false},
                            {0x1B, false}, {0x41, false}, {0x7F, false}, {0x80, false},
                            {0x81, true},  {0x9F, true},  {0xA0, false}, {0xFF, false},
                            {0x00, true}};
  std::vector<ContentCase> cases;
  for (const ByteCase& b : bytes) {
    cases.push_back({"one byte", std::string(1, static_cast<char>(b.byte)), b.binary});
  }
  ExpectVerdicts(cases);
}

TEST(IsBinaryFile, ClassesTextEncodings) {
  ExpectVerdicts({
      {"UTF-16 Latin text", std::string("\xFF\xFEh\0e\0l\0l\0o\0", 12), true},
      {"UTF-8 with a euro sign", "price: 5 \xE2\x82\xAC\r\n", true},
      {"UTF-8 with e acute", "caf\xC3\xA9 au lait\r\n", false},
      {"plain ASCII with tabs and escapes", "a\tb\x1B[0m\x0B\x0C\x7F\n", false},
      {"empty file", "", true},
  });
}

TEST(IsBinaryFile, LooksAtTheFirst8192BytesOnly) {
  ExpectVerdicts({
      {"8192 letters then a zero", Runs({{8192, 'A'}, {1, 0x00}}), false},
      {"8191 letters then a zero in the last byte", Runs({{8191, 'A'}, {1, 0x00}}), true},
      {"8190 letters then a zero, tested whole", Runs({{8190, 'A'}, {1, 0x00}}), true},
      {"8191 letters", Runs({{8191, 'A'}}), false},
      {"a control byte far into a big file", Runs({{100000, 'A'}, {1, 0x01}}), false},
  });
}

TEST(IsBinaryFile, TestsAFileBeyondFourGigabytesOnItsStart) {
  TempTree tree;
  tree.AddSizedFile(L"huge.log", 5'000'000'000LL);
  // All zero but for its first 8192 bytes.
  WriteAt(tree.Path(L"huge.log"), 0, Runs({{8192, 'A'}}));
  EXPECT_FALSE(IsBinaryFile(tree.Path(L"huge.log")));
}

TEST(IsBinaryFile, KnowsSomeExtensionsWithoutTouchingTheFile) {
  TempTree tree;
  const std::string zeros(16, '\0');
  tree.AddFile(L"zeros.txt", zeros);
  tree.AddFile(L"zeros.Strings", zeros);
  tree.AddFile(L"empty.TXT");
  tree.AddFile(L"empty.strings");
  tree.AddFile(L"letters.sys", "plain letters");
  struct NameCase {
    const wchar_t* name;
    bool binary;
  };
  const NameCase cases[] = {
      {L"zeros.txt", false},     {L"zeros.Strings", false}, {L"empty.TXT", false},
      {L"empty.strings", false}, {L"missing.txt", false},   {L"letters.sys", true},
      {L"driver.Sys", true},     {L"DRIVER.SYS", true},     {L"driver.sys", true},
  };
  for (const NameCase& c : cases) {
    EXPECT_EQ(IsBinaryFile(tree.Path(c.name)), c.binary) << ::testing::PrintToString(c.name);
  }
}

}  // namespace
}  // namespace tallyfold
