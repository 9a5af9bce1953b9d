#include "sorting/cell_values.h"

#include <array>
#include <clocale>
#include <cstdio>
#include <cwchar>
#include <limits>
#include <string>

namespace tallyfold {
namespace {

// A date text that leaves out its year or its time of day means 1970 and midnight.
constexpr int FirstYear = 1970;
constexpr int TwoDigitCentury = 2000;
constexpr int TwoDigitPastCentury = 1900;
constexpr int TwoDigitPivot = 70;
constexpr int FullYearDigits = 4;
constexpr int FieldDigits = 2;

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

void UseFullStopDecimalPoint() {
  setlocale(LC_NUMERIC, "English");
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
