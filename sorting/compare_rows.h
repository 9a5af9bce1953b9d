#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "sorting/cell_kind.h"

namespace tallyfold {

// Held only in the column headers' arrows. None orders like Descending.
enum class SortDirection : std::int8_t { None = 0, Ascending = 1, Descending = 2 };

// What one sort compares: the column of the list, its kind (never Detect) and direction, and
// for Date the one mask every row is read with.
struct SortRequest {
  HWND List = nullptr;
  std::int32_t Column = 0;
  CellKind Kind = CellKind::Text;
  SortDirection Direction = SortDirection::None;
  DateMask Mask;
};

// Each answers -1 (first before second) or 1, never 0: equal values answer 1 both ways.
[[nodiscard]] int CompareIntegers(std::wstring_view text1, std::wstring_view text2,
                                  SortDirection direction);
[[nodiscard]] int CompareDecimals(std::wstring_view text1, std::wstring_view text2,
                                  SortDirection direction);
[[nodiscard]] int CompareTexts(std::wstring_view text1, std::wstring_view text2,
                               SortDirection direction);
[[nodiscard]] int CompareDates(std::wstring_view text1, std::wstring_view text2,
                               SortDirection direction, std::wstring_view mask);

// The one comparison of two cell texts: identical texts are equal (0) whatever the kind,
// otherwise the kind's comparator answers; a kind outside Text to Date gives 0.
[[nodiscard]] int CompareCellTexts(const SortRequest& request, std::wstring_view text1,
                                   std::wstring_view text2);

// The cell's first 254 characters, as the control copies them into a 256-character buffer
// offered as 255; empty when the cell cannot be read.
[[nodiscard]] std::wstring ReadCellText(const SortRequest& request, int row);

// Compare callback over two row indexes; request is the address of a SortRequest.
int CALLBACK CompareRows(LPARAM row1, LPARAM row2, LPARAM request);

}  // namespace tallyfold
