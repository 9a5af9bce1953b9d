#include "common/date_value.h"

#include <gtest/gtest.h>

#include <string>

namespace tallyfold {
namespace {

TEST(DateReading, DateValuesCountSecondsFrom1970) {
  EXPECT_EQ(DateValue(1970, 1, 1, 0, 0, 0), 0);
  EXPECT_EQ(DateValue(1970, 1, 2, 0, 0, 1), 86401);
  EXPECT_EQ(DateValue(2000, 3, 1, 12, 30, 15), 951913815);
  EXPECT_EQ(DateValue(2018, 9, 22, 14, 5, 59), 1537625159);
  EXPECT_EQ(DateValue(2038, 1, 19, 3, 14, 7), 2147483647);
  EXPECT_EQ(DateValue(2038, 1, 19, 3, 14, 8), NoDate);
  EXPECT_EQ(DateValue(2000, 2, 29, 0, 0, 0), 951782400);
  EXPECT_EQ(DateValue(2100, 1, 1, 0, 0, 0), NoDate);
  EXPECT_EQ(DateValue(2018, 13, 1, 0, 0, 0), NoDate);
  EXPECT_EQ(DateValue(2018, 6, 31, 0, 0, 0), NoDate);
  EXPECT_EQ(DateValue(2018, 1, 0, 0, 0, 0), NoDate);
}

TEST(DateReading, CivilDateOfADateValueIsTheDayItCounts) {
  const CivilDate days[] = {{1970, 1, 1},  {1970, 12, 31}, {1972, 2, 29}, {1999, 12, 31},
                            {2000, 2, 29}, {2000, 3, 1},   {2017, 3, 5},  {2038, 1, 19}};
  for (const CivilDate& day : days) {
    SCOPED_TRACE(std::to_string(day.year) + "-" + std::to_string(day.month) + "-" +
                 std::to_string(day.day));
    EXPECT_EQ(CivilDateOf(DateValue(day.year, day.month, day.day, 0, 0, 0)), day);
    EXPECT_EQ(CivilDateOf(DateValue(day.year, day.month, day.day, 3, 14, 7)), day);
  }
  EXPECT_EQ(CivilDateOf(SecondsPerDay - 1), (CivilDate{1970, 1, 1}));
  EXPECT_EQ(CivilDateOf(SecondsPerDay), (CivilDate{1970, 1, 2}));
}

}  // namespace
}  // namespace tallyfold
