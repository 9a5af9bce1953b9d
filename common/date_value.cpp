#include "common/date_value.h"

#include <array>
#include <limits>

namespace tallyfold {
namespace {

constexpr int FirstYear = 1970;
constexpr int LastYear = 2038;
constexpr int MonthsPerYear = 12;
constexpr int LeapFebruary = 29;
constexpr int HoursPerDay = 24;
constexpr int MinutesPerHour = 60;
constexpr int SecondsPerMinute = 60;
constexpr std::int64_t LastSecond = std::numeric_limits<std::int32_t>::max();
constexpr std::array<int, MonthsPerYear> DaysInMonth = {31, 28, 31, 30, 31, 30,
                                                        31, 31, 30, 31, 30, 31};

// Both directions count in eras of 400 years from 0000-03-01, so that the leap day ends a year
// (Howard Hinnant's days_from_civil and civil_from_days).
constexpr int DaysPerEra = 146'097;
constexpr int YearsPerEra = 400;
constexpr int EraDayOf1970 = 719'468;
constexpr int MarchFirstMonths = 153;

bool IsLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysIn(int year, int month) {
  return month == 2 && IsLeapYear(year) ? LeapFebruary : DaysInMonth[month - 1];
}

// Days from 1970-01-01; the year is 1970 or later.
std::int64_t DaysFromCivil(int year, int month, int day) {
  const int marchYear = month <= 2 ? year - 1 : year;
  const int era = marchYear / YearsPerEra;
  const int yearOfEra = marchYear - era * YearsPerEra;
  const int monthFromMarch = month > 2 ? month - 3 : month + 9;
  const int dayOfYear = (MarchFirstMonths * monthFromMarch + 2) / 5 + day - 1;
  const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return static_cast<std::int64_t>(era) * DaysPerEra + dayOfEra - EraDayOf1970;
}

}  // namespace

std::int32_t DateValue(int year, int month, int day, int hour, int minute, int second) {
  if (year < FirstYear || year > LastYear || month < 1 || month > MonthsPerYear || day < 1 ||
      day > DaysIn(year, month) || hour < 0 || hour >= HoursPerDay || minute < 0 ||
      minute >= MinutesPerHour || second < 0 || second >= SecondsPerMinute) {
    return NoDate;
  }
  const std::int64_t seconds =
      DaysFromCivil(year, month, day) * SecondsPerDay +
      (static_cast<std::int64_t>(hour) * MinutesPerHour + minute) * SecondsPerMinute + second;
  return seconds > LastSecond ? NoDate : static_cast<std::int32_t>(seconds);
}

CivilDate CivilDateOf(std::int32_t dateValue) {
  const int days = dateValue / SecondsPerDay + EraDayOf1970;
  const int era = days / DaysPerEra;
  const int dayOfEra = days - era * DaysPerEra;
  const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
  const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int monthFromMarch = (5 * dayOfYear + 2) / MarchFirstMonths;
  CivilDate date;
  date.day = dayOfYear - (MarchFirstMonths * monthFromMarch + 2) / 5 + 1;
  date.month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
  date.year = yearOfEra + era * YearsPerEra + (date.month <= 2 ? 1 : 0);
  return date;
}

}  // namespace tallyfold
