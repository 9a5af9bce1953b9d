#include "sorting/cell_values.h"

#include <array>
#include <clocale>
#include <cstdio>
#include <cwchar>
#include <limits>
#include <string>

namespace tallyfold {
namespace {

constexpr int FirstYear = 1970;
constexpr int LastYear = 2038;
constexpr int MonthsPerYear = 12;
constexpr int LongestMonth = 31;
constexpr int LeapFebruary = 29;
constexpr int HoursPerDay = 24;
constexpr int MinutesPerHour = 60;
constexpr int SecondsPerMinute = 60;
constexpr std::int64_t SecondsPerDay = 86'400;
constexpr std::int64_t LastSecond = std::numeric_limits<std::int32_t>::max();
constexpr int TwoDigitCentury = 2000;
constexpr int TwoDigitPastCentury = 1900;
constexpr int TwoDigitPivot = 70;
constexpr int FullYearDigits = 4;
constexpr int FieldDigits = 2;
constexpr std::array<int, MonthsPerYear> DaysInMonth = {31, 28, 31, 30, 31, 30,
                                                        31, 31, 30, 31, 30, 31};

bool IsLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysIn(int year, int month) {
  return month == 2 && IsLeapYear(year) ? LeapFebruary : DaysInMonth[month - 1];
}

std::int64_t DaysBefore(int year, int month, int day) {
  std::int64_t days = day - 1;
  for (int earlier = FirstYear; earlier < year; ++earlier) {
    days += IsLeapYear(earlier) ? 366 : 365;
  }
  for (int earlier = 1; earlier < month; ++earlier) {
    days += DaysIn(year, earlier);
  }
  return days;
}

// Reads the C runtime's own "%f" so that numbers read exactly as the system library reads them.
int ScanFloat(const wchar_t* text, float* value) {
#if defined(__MINGW32__)
  return __ms_swscanf(text, L"%f", value);
#else
  return swscanf(text, L"%f", value);
#endif
}

bool SameTokenName(std::wstring_view mask, std::size_t at, std::wstring_view name) {
  if (mask.size() - at < name.size()) {
    return false;
  }
  for (std::size_t i = 0; i < name.size(); ++i) {
    wchar_t character = mask[at + i];
    if (character >= L'A' && character <= L'Z') {
      character = static_cast<wchar_t>(character - L'A' + L'a');
    }
    if (character != name[i]) {
      return false;
    }
  }
  return true;
}

// Reads 1 to most digits at the position; -1 when no digit stands there.
int ReadField(std::wstring_view text, std::size_t& at, int most) {
  int value = 0;
  int digits = 0;
  while (digits < most && at < text.size() && text[at] >= L'0' && text[at] <= L'9') {
    value = value * 10 + (text[at] - L'0');
    ++at;
    ++digits;
  }
  return digits > 0 ? value : -1;
}

struct DateFields {
  int year = FirstYear;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

struct FieldToken {
  std::wstring_view name;
  int DateFields::*field;
};

constexpr std::array<FieldToken, 5> TwoDigitTokens = {{{L"mm", &DateFields::month},
                                                       {L"dd", &DateFields::day},
                                                       {L"hh", &DateFields::hour},
                                                       {L"ii", &DateFields::minute},
                                                       {L"ss", &DateFields::second}}};

// Reads the token after a "%" at mask[at]; moves both positions on. False when the text does
// not fit.
bool ReadToken(std::wstring_view mask, std::size_t& at, std::wstring_view text,
               std::size_t& position, DateFields& fields) {
  const std::size_t name = at + 1;
  if (SameTokenName(mask, name, L"yyyy")) {
    fields.year = ReadField(text, position, FullYearDigits);
    at = name + FullYearDigits;
    return fields.year >= 0;
  }
  if (SameTokenName(mask, name, L"yy")) {
    const int year = ReadField(text, position, FieldDigits);
    fields.year = year < TwoDigitPivot ? TwoDigitCentury + year : TwoDigitPastCentury + year;
    at = name + FieldDigits;
    return year >= 0;
  }
  for (const FieldToken& token : TwoDigitTokens) {
    if (SameTokenName(mask, name, token.name)) {
      fields.*token.field = ReadField(text, position, FieldDigits);
      at = name + FieldDigits;
      return fields.*token.field >= 0;
    }
  }
  // An unknown token stands for any one character of the text.
  at = name + 1;
  if (position >= text.size()) {
    return false;
  }
  ++position;
  return true;
}

}  // namespace

std::int32_t DateValue(int year, int month, int day, int hour, int minute, int second) {
  if (year < FirstYear || year > LastYear || month < 1 || month > MonthsPerYear || day < 1 ||
      day > LongestMonth || day > DaysIn(year, month) || hour < 0 || hour >= HoursPerDay ||
      minute < 0 || minute >= MinutesPerHour || second < 0 || second >= SecondsPerMinute) {
    return NoDate;
  }
  const std::int64_t seconds =
      DaysBefore(year, month, day) * SecondsPerDay +
      (static_cast<std::int64_t>(hour) * MinutesPerHour + minute) * SecondsPerMinute + second;
  return seconds > LastSecond ? NoDate : static_cast<std::int32_t>(seconds);
}

float ParseDecimal(std::wstring_view text) {
  const std::wstring copy(text);
  if (_wcsicmp(copy.c_str(), L"+Infinity") == 0) {
    return std::numeric_limits<float>::infinity();
  }
  if (_wcsicmp(copy.c_str(), L"-Infinity") == 0) {
    return -std::numeric_limits<float>::infinity();
  }
  if (_wcsicmp(copy.c_str(), L"NaN") == 0) {
    return std::numeric_limits<float>::quiet_NaN();
  }
  // The user's settings may have changed the decimal point; a full stop is always meant here.
  setlocale(LC_NUMERIC, "English");
  float value = 0.0F;
  if (ScanFloat(copy.c_str(), &value) != 1) {
    return 0.0F;
  }
  return value;
}

std::int32_t ParseDateWithMask(std::wstring_view mask, std::wstring_view text) {
  if (mask.empty() || text.empty()) {
    return NoDate;
  }
  DateFields fields;
  std::size_t position = 0;
  for (std::size_t at = 0; at < mask.size();) {
    if (mask[at] == L'%') {
      if (!ReadToken(mask, at, text, position, fields)) {
        return NoDate;
      }
      continue;
    }
    if (position >= text.size() || text[position] != mask[at]) {
      return NoDate;
    }
    ++at;
    ++position;
  }
  if (position != text.size()) {
    return NoDate;
  }
  return DateValue(fields.year, fields.month, fields.day, fields.hour, fields.minute,
                   fields.second);
}

}  // namespace tallyfold
