#include "sorting/compare_rows.h"

#include <gtest/gtest.h>

namespace tallyfold {
namespace {

using enum SortDirection;

constexpr std::wstring_view DayFirst = L"%dd.%mm.%yyyy";

SortRequest Request(CellKind kind, SortDirection direction) {
  return SortRequest{nullptr, 0, kind, direction,
                     DateMask(kind == CellKind::Date ? DayFirst : L"")};
}

// The answers of one pair in both orders, ascending and descending.
struct PairCase {
  CellKind kind;
  std::wstring_view text1;
  std::wstring_view text2;
  int ascending;
  int ascendingSwapped;
  int descending;
  int descendingSwapped;
};

constexpr PairCase PairCases[] = {
    {CellKind::Text, L"abc", L"abc", 0, 0, 0, 0},
    {CellKind::Integer, L"12", L"12", 0, 0, 0, 0},
    {CellKind::Decimal, L"1.5", L"1.5", 0, 0, 0, 0},
    {CellKind::Date, L"22.09.2018", L"22.09.2018", 0, 0, 0, 0},
    {CellKind::Text, L"Abc", L"aBC", 1, 1, 1, 1},
    {CellKind::Integer, L"$10", L"16", 1, 1, 1, 1},
    {CellKind::Integer, L"%50", L"0", 1, 1, 1, 1},
    {CellKind::Integer, L"-5", L"3", -1, 1, 1, -1},
    {CellKind::Integer, L"", L"0", 1, 1, 1, 1},
    {CellKind::Decimal, L"1,5", L"1.5", 1, 1, 1, 1},
    {CellKind::Decimal, L"16777216.5", L"16777216.0", 1, 1, 1, 1},
    {CellKind::Decimal, L"2,5", L"10.25", -1, 1, 1, -1},
    {CellKind::Decimal, L"nan", L"1.0", 1, 1, -1, -1},
    {CellKind::Text, L"alpha", L"Zeta", -1, 1, 1, -1},
    {CellKind::Text, L"_x", L"ax", -1, 1, 1, -1},
    {CellKind::Text, L"ab", L"abc", -1, 1, 1, -1},
    {CellKind::Date, L"31.04.2018", L"01.01.1970", -1, 1, 1, -1},
    {CellKind::Date, L"29.02.2019", L"20.01.2038", 1, 1, 1, 1},
    {CellKind::Date, L"29.02.2020", L"19.01.2038", -1, 1, 1, -1},
    {CellKind::Date, L"22/09/2018", L"01.01.1970", -1, 1, 1, -1},
};

TEST(RowComparison, EveryPairAnswersByItsKindAndDirection) {
  for (const PairCase& pair : PairCases) {
    SCOPED_TRACE(std::wstring(pair.text1) + L" / " + std::wstring(pair.text2));
    const SortRequest up = Request(pair.kind, Ascending);
    const SortRequest down = Request(pair.kind, Descending);
    EXPECT_EQ(CompareCellTexts(up, pair.text1, pair.text2), pair.ascending);
    EXPECT_EQ(CompareCellTexts(up, pair.text2, pair.text1), pair.ascendingSwapped);
    EXPECT_EQ(CompareCellTexts(down, pair.text1, pair.text2), pair.descending);
    EXPECT_EQ(CompareCellTexts(down, pair.text2, pair.text1), pair.descendingSwapped);
  }
}

TEST(RowComparison, NoDirectionOrdersLikeDescending) {
  for (const PairCase& pair : PairCases) {
    SCOPED_TRACE(std::wstring(pair.text1) + L" / " + std::wstring(pair.text2));
    EXPECT_EQ(CompareCellTexts(Request(pair.kind, None), pair.text1, pair.text2), pair.descending);
    EXPECT_EQ(CompareCellTexts(Request(pair.kind, None), pair.text2, pair.text1),
              pair.descendingSwapped);
  }
}

TEST(RowComparison, TheComparatorsAnswerMinusOneOrOneOnly) {
  EXPECT_EQ(CompareIntegers(L"7", L"7", Ascending), 1);
  EXPECT_EQ(CompareDecimals(L"7", L"7.0", Descending), 1);
  EXPECT_EQ(CompareTexts(L"a", L"b", Ascending), -1);
  EXPECT_EQ(CompareTexts(L"a", L"a", Ascending), 1);
  EXPECT_EQ(CompareDates(L"01.01.2000", L"01.01.1999", Ascending, DayFirst), 1);
  EXPECT_EQ(CompareDates(L"01.01.2000", L"01.01.1999", Descending, DayFirst), -1);
}

TEST(RowComparison, KindsOutsideTheFourAreAllEqual) {
  EXPECT_EQ(CompareCellTexts(Request(CellKind::Detect, Ascending), L"a", L"b"), 0);
}

}  // namespace
}  // namespace tallyfold
