#include "sorting/cell_kind.h"

#include <gtest/gtest.h>

namespace tallyfold {
namespace {

struct CellCase {
  std::wstring_view text;
  CellKind kind;
  std::wstring_view mask;
  std::int64_t integer;
};

constexpr CellCase CellCases[] = {
    {L"", CellKind::Integer, L"", 0},
    {L"1234", CellKind::Integer, L"", 1234},
    {L"007", CellKind::Integer, L"", 7},
    {L"$100", CellKind::Integer, L"", 256},
    {L"%50", CellKind::Integer, L"", 0},
    {L"%101", CellKind::Integer, L"", 5},
    {L"$", CellKind::Integer, L"", 0},
    {L"50%", CellKind::Text, L"", 50},
    {L"-5", CellKind::Text, L"", -5},
    {L"3.14", CellKind::Decimal, L"", 3},
    {L"3,14", CellKind::Decimal, L"", 3},
    {L".", CellKind::Decimal, L"", 0},
    {L"1,234.5", CellKind::Text, L"", 1},
    {L"BIN", CellKind::Text, L"", 0},
    {L"12 KB", CellKind::Text, L"", 12},
    {L"22.09.2018", CellKind::Date, L"%dd.%mm.%yyyy", 22},
    {L"09/22/2018", CellKind::Date, L"%mm/%dd/%yyyy", 9},
    {L"09/05/2018", CellKind::Date, L"%dd/%mm/%yyyy", 9},
    {L"13.13.2018", CellKind::Date, L"%mm.%dd.%yyyy", 13},
    {L"2018-09-22", CellKind::Text, L"", 2018},
    {L"1.9.2018", CellKind::Text, L"", 1},
    {L"22.09.2018 14:05", CellKind::Date, L"%dd.%mm.%yyyy %hh:%ii", 22},
    {L"22.09.2018 14:05:59", CellKind::Date, L"%dd.%mm.%yyyy %hh:%ii:%ss", 22},
    {L"09-22-2018 07:30:00", CellKind::Date, L"%mm-%dd-%yyyy %hh:%ii:%ss", 9},
    {L"2018-09-22 14:05:59", CellKind::Text, L"", 2018},
    {L"22.09.2018x14y05", CellKind::Date, L"%dd.%mm.%yyyyx%hhy%ii", 22},
    {L"12:34", CellKind::Text, L"", 12},
    {L" 42", CellKind::Text, L"", 42},
    {L"99999999999999999999", CellKind::Integer, L"", 7766279631452241919},
};

TEST(CellKinds, EveryTextHasItsKindMaskAndIntegerValue) {
  for (const CellCase& cell : CellCases) {
    SCOPED_TRACE(std::wstring(cell.text).c_str());
    EXPECT_EQ(DetectCellKind(cell.text), cell.kind);
    EXPECT_EQ(DateMaskOf(cell.text), cell.mask);
    EXPECT_EQ(ParseInteger(cell.text), cell.integer);
  }
}

TEST(CellKinds, IntegerReadingSkipsBlanksAndTabsAndTakesASign) {
  EXPECT_EQ(ParseInteger(L"\t -$ff"), -255);
  EXPECT_EQ(ParseInteger(L"+%110x"), 6);
  EXPECT_EQ(ParseInteger(L"- 5"), 0);
  EXPECT_EQ(ParseInteger(L"-9223372036854775808"), INT64_MIN);
}

TEST(CellKinds, DigitsAreOnlyTheTenAsciiDigitsInsideTheText) {
  EXPECT_TRUE(IsDigitAt(L"a1", 2));
  EXPECT_FALSE(IsDigitAt(L"a1", 1));
  EXPECT_FALSE(IsDigitAt(L"a1", 0));
  EXPECT_FALSE(IsDigitAt(L"a1", 3));
  EXPECT_FALSE(IsDigitAt(L"\u0661", 1));  // an Arabic-Indic one
  EXPECT_EQ(DetectCellKind(L"\uFF11\uFF12"), CellKind::Text);
}

}  // namespace
}  // namespace tallyfold
