#include "sorting/cell_values.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

namespace tallyfold {
namespace {

constexpr std::wstring_view DayFirst = L"%dd.%mm.%yyyy";
constexpr std::wstring_view DayFirstToSecond = L"%yyyy-%mm-%dd %hh:%ii:%ss";

struct DateCase {
  std::wstring_view mask;
  std::wstring_view text;
  std::int32_t value;
};

constexpr DateCase DateCases[] = {
    {DayFirst, L"31.04.2018", NoDate},
    {DayFirst, L"29.02.2019", NoDate},
    {DayFirst, L"01.01.1969", NoDate},
    {DayFirst, L"20.01.2038", NoDate},
    {DayFirst, L"29.02.2020", 1582934400},
    {DayFirst, L"19.01.2038", 2147472000},
    {DayFirst, L"01.01.1970", 0},
    {DayFirst, L"22/09/2018", NoDate},
    {DayFirst, L"1.9.2018", 1535760000},
    {DayFirst, L"22.09.2018 ", NoDate},
    {DayFirst, L"22.09.", NoDate},
    {DayFirst, L"", NoDate},
    {L"", L"22.09.2018", NoDate},
    {L"%DD.%Mm.%YYYY", L"22.09.2018", 1537574400},
    {L"%dd/%mm/%yyyy", L"22/09/2018", 1537574400},
    {L"%mm-%dd-%yyyy", L"09-22-2018", 1537574400},
    {DayFirstToSecond, L"2038-01-19 03:14:07", 2147483647},
    {DayFirstToSecond, L"2038-01-19 03:14:08", NoDate},
    {DayFirstToSecond, L"2018-09-22 24:00:00", NoDate},
    {DayFirstToSecond, L"2018-09-22 14:60:00", NoDate},
    {L"%dd.%mm.%yy", L"22.09.18", 1537574400},
    {L"%dd.%mm.%yy", L"22.09.70", 22809600},
    {L"%dd.%mm.%yy", L"01.01.69", NoDate},
    // A "%" separator starts a token that names nothing: it stands for one character.
    {L"%dd%%mm%%yyyy", L"22%09%2018", NoDate},
    {L"%dd%x%mm", L"22.09", 22809600},
    {L"%dd%x", L"22", NoDate},
};

TEST(DateReading, EveryTextReadsWithItsMask) {
  for (const DateCase& date : DateCases) {
    SCOPED_TRACE(std::wstring(date.mask) + L" / " + std::wstring(date.text));
    EXPECT_EQ(ParseDateWithMask(date.mask, date.text), date.value);
  }
}

TEST(DecimalReading, ReadsLikeTheRuntimeWithAFullStop) {
  EXPECT_FLOAT_EQ(ParseDecimal(L"1.5"), 1.5F);
  EXPECT_FLOAT_EQ(ParseDecimal(L"  -2.25e2xyz"), -225.0F);
  EXPECT_FLOAT_EQ(ParseDecimal(L".5"), 0.5F);
  EXPECT_FLOAT_EQ(ParseDecimal(L"1,5"), 1.0F);
  EXPECT_EQ(ParseDecimal(L"abc"), 0.0F);
  EXPECT_EQ(ParseDecimal(L""), 0.0F);
  EXPECT_EQ(ParseDecimal(L"16777216.5"), ParseDecimal(L"16777216.0"));
  EXPECT_EQ(ParseDecimal(L"+INFINITY"), INFINITY);
  EXPECT_EQ(ParseDecimal(L"-infinity"), -INFINITY);
  EXPECT_TRUE(std::isnan(ParseDecimal(L"nAn")));
}

TEST(DecimalReading, TakesAFullStopOnceTheNumericLocaleIsSet) {
  // A locale whose decimal point is a comma, as a user's settings may give.
  if (setlocale(LC_NUMERIC, "German") == nullptr) {
    UseFullStopDecimalPoint();
    GTEST_SKIP() << "the runtime knows no German locale";
  }
  const float commaRead = ParseDecimal(L"1,5");
  UseFullStopDecimalPoint();
  EXPECT_FLOAT_EQ(commaRead, 1.5F);
  EXPECT_FLOAT_EQ(ParseDecimal(L"1.5"), 1.5F);
  EXPECT_FLOAT_EQ(ParseDecimal(L"1,5"), 1.0F);
}

}  // namespace
}  // namespace tallyfold
