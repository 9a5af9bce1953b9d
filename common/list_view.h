#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tallyfold {

// Every row appended to a prepared list carries one of these as its item data; it stays with
// the row through every sort, so a row can be found again after its index has changed.
using RowId = LPARAM;

// Attaches the list's own image list, row colours and row identities; all of it is released
// when the list window is destroyed. Every other operation expects a prepared list.
void PrepareList(HWND list);

void AddColumn(HWND list, int column, std::wstring_view caption, int width);
// Removes every row, with its stored colour, and every icon image of the list.
void ClearRows(HWND list);
// Cells are separated by line feeds, piece k going to column k. Returns the new row's index.
int AppendRow(HWND list, std::wstring_view cells, HICON icon);

[[nodiscard]] RowId RowIdOf(HWND list, int row);
// -1 when no row carries the identity.
[[nodiscard]] int RowOfId(HWND list, RowId id);

[[nodiscard]] int RowCount(HWND list);
void SetCellText(HWND list, int row, int column, std::wstring_view text);
// Paints every cell of the row on the colour; a row outside the list is left alone.
void SetRowBackColour(HWND list, int row, COLORREF colour);
// The selected row, or -1.
[[nodiscard]] int SelectedRow(HWND list);
// The whole text of a cell however long; row -1 gives the column's header caption.
[[nodiscard]] std::wstring CellText(HWND list, int row, int column);

// The list's parent hands every WM_NOTIFY here; true when the notification was the custom
// draw of a prepared list, with the answer the list expects in result.
bool PaintRowColours(LPARAM notifyHeader, LRESULT& result);

}  // namespace tallyfold
