#include "common/literal_path.h"

#include <gtest/gtest.h>

namespace tallyfold {
namespace {

struct LiteralCase {
  const wchar_t* path;
  const wchar_t* literal;
};

// Paths as the walk builds them, and the form the platform is given.
constexpr LiteralCase LiteralCases[] = {
    // Names the path rules keep: unchanged.
    {L"C:\\x\\a.txt", L"C:\\x\\a.txt"},
    {L"C:\\x\\", L"C:\\x\\"},
    {L"C:\\x\\*.*", L"C:\\x\\*.*"},
    {L"C:\\", L"C:\\"},
    {L"C:\\x\\.profile", L"C:\\x\\.profile"},
    {L"C:\\x\\a b\\c.d e", L"C:\\x\\a b\\c.d e"},
    {L"C:\\x\\console.txt", L"C:\\x\\console.txt"},
    {L"C:\\x\\COM0", L"C:\\x\\COM0"},
    {L"C:\\x\\nul\\a.txt", L"C:\\x\\nul\\a.txt"},
    {L"\\\\server\\share\\a.txt", L"\\\\server\\share\\a.txt"},
    // A name that ends in a full stop or a blank, anywhere in the path.
    {L"C:\\x.\\*.*", L"\\\\?\\C:\\x.\\*.*"},
    {L"C:\\x.\\", L"\\\\?\\C:\\x.\\"},
    {L"C:\\x\\a.txt.", L"\\\\?\\C:\\x\\a.txt."},
    {L"Z:\\usr\\share\\org\\apache.\\18\\apache-18.pom",
     L"\\\\?\\Z:\\usr\\share\\org\\apache.\\18\\apache-18.pom"},
    {L"C:\\x \\a.txt", L"\\\\?\\C:\\x \\a.txt"},
    {L"C:\\x\\a.txt ", L"\\\\?\\C:\\x\\a.txt "},
    {L"C:\\...\\a", L"\\\\?\\C:\\...\\a"},
    {L"d:\\x..\\a", L"\\\\?\\d:\\x..\\a"},
    // A last name the rules take for a device.
    {L"C:\\x\\nul", L"\\\\?\\C:\\x\\nul"},
    {L"C:\\x\\Con.txt", L"\\\\?\\C:\\x\\Con.txt"},
    {L"C:\\x\\com1 .log", L"\\\\?\\C:\\x\\com1 .log"},
    {L"C:\\x\\LPT9", L"\\\\?\\C:\\x\\LPT9"},
    {L"C:\\x\\aux.", L"\\\\?\\C:\\x\\aux."},
    // The literal form does what the rules would do with separators and navigation.
    {L"C:/x./a.txt", L"\\\\?\\C:\\x.\\a.txt"},
    {L"C:\\x\\\\y.\\a", L"\\\\?\\C:\\x\\y.\\a"},
    {L"C:\\x\\.\\y.\\a", L"\\\\?\\C:\\x\\y.\\a"},
    {L"C:\\x\\..\\y.\\a", L"\\\\?\\C:\\y.\\a"},
    {L"C:\\..\\y.", L"\\\\?\\C:\\y."},
    // Share paths take the literal share form.
    {L"\\\\server\\share\\x.\\a.txt", L"\\\\?\\UNC\\server\\share\\x.\\a.txt"},
    {L"//server/share/a.txt.", L"\\\\?\\UNC\\server\\share\\a.txt."},
    // Paths with no root to make literal, or already literal or a device: unchanged.
    {L"x.\\a.txt", L"x.\\a.txt"},
    {L"C:x.\\a", L"C:x.\\a"},
    {L"\\x.\\a", L"\\x.\\a"},
    {L"\\\\server", L"\\\\server"},
    {L"\\\\server\\", L"\\\\server\\"},
    {L"\\\\?\\C:\\x.\\a", L"\\\\?\\C:\\x.\\a"},
    {L"\\\\.\\C:\\x.\\a", L"\\\\.\\C:\\x.\\a"},
    {L"", L""},
};

TEST(LiteralPath, GivesTheLiteralFormOnlyWhereThePathRulesWouldRewriteAName) {
  for (const LiteralCase& c : LiteralCases) {
    EXPECT_EQ(LiteralPath(c.path), c.literal) << ::testing::PrintToString(std::wstring(c.path));
  }
}

TEST(LiteralPath, TellsWhichPathsTheRulesRewrite) {
  EXPECT_TRUE(IsRewrittenByPathRules(L"C:\\x.\\a"));
  EXPECT_TRUE(IsRewrittenByPathRules(L"x \\a"));
  EXPECT_TRUE(IsRewrittenByPathRules(L"C:\\x\\PRN.txt"));
  EXPECT_FALSE(IsRewrittenByPathRules(L"C:\\x\\a.txt"));
  EXPECT_FALSE(IsRewrittenByPathRules(L"C:\\x\\..\\a\\.\\b\\"));
  EXPECT_FALSE(IsRewrittenByPathRules(L"C:\\PRN\\a.txt"));
}

}  // namespace
}  // namespace tallyfold
