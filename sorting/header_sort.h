#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "sorting/cell_kind.h"
#include "sorting/compare_rows.h"

namespace tallyfold {

// What ReadSortArrow answers for a header item that cannot be read.
inline constexpr auto UnreadableArrow = static_cast<SortDirection>(-1);

// Sorts the rows once by the column; touches neither arrows, selection nor scroll position.
// A Date column without a common mask is sorted as Text.
void SortList(HWND list, int column, CellKind kind, SortDirection direction);

[[nodiscard]] SortDirection ReadSortArrow(HWND list, int column);
// The direction's arrow on the column, no arrow on every other column.
void ShowSortArrow(HWND list, int column, SortDirection direction);
// No arrow on the file list's three columns.
void ClearSortArrows(HWND fileList);
// Scrolls only when the row is wholly out of view.
void EnsureRowVisible(HWND list, int row);

// One mask for every row, from the first, last and middle rows; a month-first mask wins.
[[nodiscard]] DateMask ChooseDateMask(HWND list, int column);

// The sort behind a header click: moves the column's arrow on (none, ascending, descending,
// ascending...), detects the kind from three rows when asked (Detect), sorts and brings the
// selected row back into view.
void SortByHeaderClick(HWND list, int column, CellKind kind);

// Given every message of the window: sorts the list whose column header was clicked. Never
// answers by itself, so the window's own handling always goes on.
std::optional<LRESULT> ColumnClickHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tallyfold
