#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "sorting/compare_rows.h"

namespace tallyfold {

// Every row's cell of the request's column, read once, as ReadCellText reads it.
[[nodiscard]] std::vector<std::wstring> ReadColumn(const SortRequest& request);

// The old row indexes in their sorted order, by CompareCellTexts. A merge sort, because the
// comparison answers 1 in both orders for equal values, which a sort that needs a strict weak
// order may not survive.
[[nodiscard]] std::vector<int> OrderRows(const SortRequest& request,
                                         const std::vector<std::wstring>& texts);

// Moves the rows into the given order (order[k] is the old index of the row that goes to k).
// The rows themselves stay: identity, colour, icon and selection move with them.
void ReorderRows(HWND list, const std::vector<int>& order);

}  // namespace tallyfold
