#include "sorting/compare_rows.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cwchar>

#include "sorting/cell_values.h"

namespace tallyfold {
namespace {

constexpr int CellBufferLength = 256;
constexpr int CellBufferOffered = 255;

constexpr int Before = -1;
constexpr int After = 1;

// Ascending puts a first only when it is less; every other direction puts it first unless it
// is greater, so equal values answer After in both orders.
int Order(bool less, bool lessOrEqual, SortDirection direction) {
  if (direction == SortDirection::Ascending) {
    return less ? Before : After;
  }
  return lessOrEqual ? After : Before;
}

template <typename Value>
int OrderValues(Value a, Value b, SortDirection direction) {
  return Order(a < b, a <= b, direction);
}

std::wstring WithFullStop(std::wstring_view text) {
  std::wstring copy(text);
  if (const std::size_t comma = copy.find(L','); comma != std::wstring::npos) {
    copy[comma] = L'.';
  }
  return copy;
}

// The C runtime's _wcsicmp in its default locale, which the program never changes: "A" to "Z"
// fold to "a" to "z", every other code unit stays, and the folded texts compare as unsigned
// 16-bit numbers, a prefix being the smaller. Done here because the library call dominates a
// sort of long paths.
wchar_t Folded(wchar_t character) {
  return character >= L'A' && character <= L'Z' ? static_cast<wchar_t>(character - L'A' + L'a')
                                                : character;
}

int NoCaseDifference(std::wstring_view text1, std::wstring_view text2) {
  const std::size_t shorter = std::min(text1.size(), text2.size());
  for (std::size_t at = 0; at < shorter; ++at) {
    const wchar_t first = Folded(text1[at]);
    const wchar_t second = Folded(text2[at]);
    if (first != second) {
      return first < second ? -1 : 1;
    }
  }
  if (text1.size() == text2.size()) {
    return 0;
  }
  return text1.size() < text2.size() ? -1 : 1;
}

}  // namespace

int CompareIntegers(std::wstring_view text1, std::wstring_view text2, SortDirection direction) {
  return OrderValues(ParseInteger(text1), ParseInteger(text2), direction);
}

int CompareDecimals(std::wstring_view text1, std::wstring_view text2, SortDirection direction) {
  return OrderValues(ParseDecimal(WithFullStop(text1)), ParseDecimal(WithFullStop(text2)),
                     direction);
}

int CompareTexts(std::wstring_view text1, std::wstring_view text2, SortDirection direction) {
  const int difference = NoCaseDifference(text1, text2);
  return Order(difference < 0, difference <= 0, direction);
}

int CompareDates(std::wstring_view text1, std::wstring_view text2, SortDirection direction,
                 std::wstring_view mask) {
  return OrderValues(ParseDateWithMask(mask, text1), ParseDateWithMask(mask, text2), direction);
}

int CompareCellTexts(const SortRequest& request, std::wstring_view text1, std::wstring_view text2) {
  if (text1 == text2) {
    return 0;
  }
  switch (request.Kind) {
    case CellKind::Integer:
      return CompareIntegers(text1, text2, request.Direction);
    case CellKind::Decimal:
      return CompareDecimals(text1, text2, request.Direction);
    case CellKind::Text:
      return CompareTexts(text1, text2, request.Direction);
    case CellKind::Date:
      return CompareDates(text1, text2, request.Direction, request.Mask);
    default:
      return 0;
  }
}

std::wstring ReadCellText(const SortRequest& request, int row) {
  std::array<wchar_t, CellBufferLength> buffer{};
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iSubItem = request.Column;
  item.pszText = buffer.data();
  item.cchTextMax = CellBufferOffered;
  const auto copied = static_cast<int>(
      SendMessageW(request.List, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
  if (copied <= 0) {
    return {};
  }
  return std::wstring(buffer.data(), std::min(copied, CellBufferOffered - 1));
}

int CALLBACK CompareRows(LPARAM row1, LPARAM row2, LPARAM request) {
  const auto& sort = *reinterpret_cast<const SortRequest*>(request);
  return CompareCellTexts(sort, ReadCellText(sort, static_cast<int>(row1)),
                          ReadCellText(sort, static_cast<int>(row2)));
}

}  // namespace tallyfold
