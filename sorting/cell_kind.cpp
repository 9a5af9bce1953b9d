#include "sorting/cell_kind.h"

#include <algorithm>
#include <array>

namespace tallyfold {
namespace {

// Lengths of the three date shapes and where their separators stand (1-based).
constexpr int DateLength = 10;
constexpr int MinuteDateLength = 16;
constexpr int SecondDateLength = 19;
constexpr std::array DateSeparators = {3, 6};
constexpr std::array MinuteDateSeparators = {3, 6, 11, 14};
constexpr std::array SecondDateSeparators = {3, 6, 11, 14, 17};
constexpr std::array YearFirstSeparators = {5, 8};
constexpr int SecondFieldPosition = 4;
constexpr int SecondFieldLength = 2;
constexpr std::int64_t LastMonth = 12;
constexpr int DecimalBase = 10;
constexpr int HexadecimalBase = 16;
constexpr int BinaryBase = 2;
constexpr int HexadecimalLetterValue = 10;

bool IsDigit(wchar_t character) {
  return character >= L'0' && character <= L'9';
}

int NonDigitCount(std::wstring_view text) {
  return static_cast<int>(std::count_if(text.begin(), text.end(),
                                        [](wchar_t character) { return !IsDigit(character); }));
}

template <std::size_t Count>
bool NonDigitsAt(std::wstring_view text, const std::array<int, Count>& positions) {
  return std::all_of(positions.begin(), positions.end(), [text](int position) {
    return position <= static_cast<int>(text.size()) && !IsDigitAt(text, position);
  });
}

// The date shapes, told apart by their count of non-digits and their length.
bool HasDateShape(int nonDigits, std::size_t length) {
  return (nonDigits == 2 && length == DateLength) ||
         (nonDigits == 4 && length == MinuteDateLength) ||
         (nonDigits == 5 && length == SecondDateLength);
}

wchar_t At(std::wstring_view text, int position) {
  return text[position - 1];
}

int DigitValue(wchar_t character, int base) {
  int value = base;
  if (IsDigit(character)) {
    value = character - L'0';
  } else if (character >= L'A' && character <= L'F') {
    value = character - L'A' + HexadecimalLetterValue;
  } else if (character >= L'a' && character <= L'f') {
    value = character - L'a' + HexadecimalLetterValue;
  }
  return value < base ? value : -1;
}

}  // namespace

bool IsDigitAt(std::wstring_view text, int position) {
  return position >= 1 && position <= static_cast<int>(text.size()) && IsDigit(At(text, position));
}

CellKind DetectCellKind(std::wstring_view text) {
  const int nonDigits = NonDigitCount(text);
  switch (nonDigits) {
    case 0:
      return CellKind::Integer;
    case 1:
      if (text.find_first_of(L",.") != std::wstring_view::npos) {
        return CellKind::Decimal;
      }
      return text.front() == L'$' || text.front() == L'%' ? CellKind::Integer : CellKind::Text;
    case 2:
      return text.size() == DateLength && NonDigitsAt(text, DateSeparators) ? CellKind::Date
                                                                            : CellKind::Text;
    case 4:
      return text.size() == MinuteDateLength && NonDigitsAt(text, MinuteDateSeparators)
                 ? CellKind::Date
                 : CellKind::Text;
    case 5:
      return text.size() == SecondDateLength && NonDigitsAt(text, SecondDateSeparators)
                 ? CellKind::Date
                 : CellKind::Text;
    default:
      return CellKind::Text;
  }
}

DateMask DateMaskOf(std::wstring_view text) {
  if (!HasDateShape(NonDigitCount(text), text.size()) || NonDigitsAt(text, YearFirstSeparators) ||
      !NonDigitsAt(text, DateSeparators)) {
    return {};
  }
  const bool monthFirst =
      ParseInteger(text.substr(SecondFieldPosition - 1, SecondFieldLength)) > LastMonth;
  DateMask mask = monthFirst ? L"%mm" : L"%dd";
  mask += At(text, 3);
  mask += monthFirst ? L"%dd" : L"%mm";
  mask += At(text, 6);
  mask += L"%yyyy";
  if (text.size() >= MinuteDateLength) {
    mask += At(text, 11);
    mask += L"%hh";
    mask += At(text, 14);
    mask += L"%ii";
  }
  if (text.size() == SecondDateLength) {
    mask += At(text, 17);
    mask += L"%ss";
  }
  return mask;
}

std::int64_t ParseInteger(std::wstring_view text) {
  std::size_t at = 0;
  while (at < text.size() && (text[at] == L' ' || text[at] == L'\t')) {
    ++at;
  }
  const bool negative = at < text.size() && text[at] == L'-';
  if (at < text.size() && (text[at] == L'-' || text[at] == L'+')) {
    ++at;
  }
  int base = DecimalBase;
  if (at < text.size() && (text[at] == L'$' || text[at] == L'%')) {
    base = text[at] == L'$' ? HexadecimalBase : BinaryBase;
    ++at;
  }
  // Unsigned arithmetic wraps around on overflow, as the reading is defined to.
  std::uint64_t value = 0;
  for (; at < text.size(); ++at) {
    const int digit = DigitValue(text[at], base);
    if (digit < 0) {
      break;
    }
    value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
  }
  return static_cast<std::int64_t>(negative ? 0 - value : value);
}

}  // namespace tallyfold
