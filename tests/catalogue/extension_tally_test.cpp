#include "catalogue/extension_tally.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tallyfold {
namespace {

struct SlotCase {
  const wchar_t* key;
  std::uint32_t slot;
};

TEST(TallySlot, HashesCodeUnitsWrappingAt32Bits) {
  const SlotCase cases[] = {
      {L"LOG", 4},
      {L"TXT", 80},
      {L"DLL", 324},
      {L"INI", 324},
      {L"EXE", 434},
      {L"", 0},
      {L"A", 65},
      {L"JPEG", 200},
      {L"MANIFES", 293},
      {L"\uffff\uffff", 448},
      {L"\u00c9T\u00c9", 446},
  };
  for (const SlotCase& c : cases) {
    EXPECT_EQ(TallySlot(c.key), c.slot) << ::testing::PrintToString(std::wstring(c.key));
  }
}

std::vector<std::wstring> KeysInOrder(const ExtensionTally& tally) {
  std::vector<std::wstring> keys;
  tally.ForEachEntry([&keys](const std::wstring& key, const TallyEntry&) { keys.push_back(key); });
  return keys;
}

TEST(ExtensionTally, IteratesBySlotWithTheNewestKeyOfASlotFirst) {
  ExtensionTally tally;
  for (const wchar_t* key : {L"DLL", L"TXT", L"INI", L"LOG", L"EXE"}) {
    tally.CountFile(key, L"C:\\x");
  }
  EXPECT_EQ(KeysInOrder(tally),
            (std::vector<std::wstring>{L"LOG", L"TXT", L"INI", L"DLL", L"EXE"}));
  EXPECT_EQ(tally.Size(), 5u);
}

TEST(ExtensionTally, CountsEveryFileAndKeepsTheLastAsSample) {
  ExtensionTally tally;
  tally.CountFile(L"INI", L"C:\\a.ini");
  tally.CountFile(L"DLL", L"C:\\b.dll");
  tally.CountFile(L"INI", L"C:\\c.ini");
  tally.CountFile(L"ini", L"C:\\d.ini");

  const TallyEntry* ini = tally.Find(L"INI");
  ASSERT_NE(ini, nullptr);
  EXPECT_EQ(ini->Count, 2);
  EXPECT_EQ(ini->SamplePath, L"C:\\c.ini");
  // Keys are compared exactly; upper-casing is the caller's business.
  const TallyEntry* lower = tally.Find(L"ini");
  const TallyEntry* dll = tally.Find(L"DLL");
  ASSERT_TRUE(lower != nullptr && dll != nullptr);
  EXPECT_EQ(lower->Count, 1);
  EXPECT_EQ(dll->Count, 1);
  EXPECT_EQ(tally.Find(L"EXE"), nullptr);
  EXPECT_EQ(tally.Size(), 3u);
}

TEST(ExtensionTally, ClearLeavesNoKeysAndStartsCountsAfresh) {
  ExtensionTally tally;
  tally.CountFile(L"TXT", L"C:\\a.txt");
  tally.CountFile(L"LOG", L"C:\\a.log");
  tally.Clear();
  EXPECT_EQ(tally.Size(), 0u);
  EXPECT_TRUE(KeysInOrder(tally).empty());
  EXPECT_EQ(tally.Find(L"TXT"), nullptr);

  tally.CountFile(L"TXT", L"C:\\b.txt");
  const TallyEntry* txt = tally.Find(L"TXT");
  ASSERT_NE(txt, nullptr);
  EXPECT_EQ(txt->Count, 1);
  EXPECT_EQ(txt->SamplePath, L"C:\\b.txt");
}

}  // namespace
}  // namespace tallyfold
