#include "sorting/header_sort.h"

#include <commctrl.h>

#include <array>
#include <string_view>

#include "common/list_view.h"
#include "sorting/row_order.h"

namespace tallyfold {
namespace {

constexpr int ClearedFileListColumns = 3;
constexpr std::wstring_view MonthFirst = L"%mm";
constexpr int ArrowFlags = HDF_SORTUP | HDF_SORTDOWN;

HWND HeaderOf(HWND list) {
  return reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
}

std::optional<int> ReadFormat(HWND header, int item) {
  HDITEMW format{};
  format.mask = HDI_FORMAT;
  if (header == nullptr ||
      !SendMessageW(header, HDM_GETITEMW, item, reinterpret_cast<LPARAM>(&format))) {
    return std::nullopt;
  }
  return format.fmt;
}

void WriteFormat(HWND header, int item, int fmt) {
  HDITEMW format{};
  format.mask = HDI_FORMAT;
  format.fmt = fmt;
  SendMessageW(header, HDM_SETITEMW, item, reinterpret_cast<LPARAM>(&format));
}

int WithArrow(int fmt, SortDirection direction) {
  switch (direction) {
    case SortDirection::Ascending:
      return (fmt & ~HDF_SORTDOWN) | HDF_SORTUP;
    case SortDirection::Descending:
      return (fmt & ~HDF_SORTUP) | HDF_SORTDOWN;
    case SortDirection::None:
      return fmt & ~ArrowFlags;
    default:
      return fmt;
  }
}

SortDirection NextDirection(SortDirection shown) {
  if (shown == UnreadableArrow) {
    return SortDirection::None;
  }
  return shown == SortDirection::Ascending ? SortDirection::Descending : SortDirection::Ascending;
}

CellKind KindOfRow(HWND list, int row, int column) {
  return DetectCellKind(CellText(list, row, column));
}

// The first, last and middle rows must agree, or the column is Text.
CellKind DetectColumnKind(HWND list, int column) {
  const int rows = RowCount(list);
  const CellKind first = KindOfRow(list, 0, column);
  if (KindOfRow(list, rows - 1, column) != first) {
    return CellKind::Text;
  }
  return KindOfRow(list, rows / 2, column) == first ? first : CellKind::Text;
}

// A later month-first mask replaces the current one; a day-first one never does.
bool TakeMask(DateMask& chosen, const DateMask& next) {
  if (next.empty()) {
    return false;
  }
  if (next != chosen && std::wstring_view(next).starts_with(MonthFirst)) {
    chosen = next;
  }
  return true;
}

}  // namespace

void SortList(HWND list, int column, CellKind kind, SortDirection direction) {
  SortRequest request{list, column, kind, direction, {}};
  if (kind == CellKind::Date) {
    request.Mask = ChooseDateMask(list, column);
    if (request.Mask.empty()) {
      request.Kind = CellKind::Text;
    }
  }
  ReorderRows(list, OrderRows(request, ReadColumn(request)));
}

SortDirection ReadSortArrow(HWND list, int column) {
  const std::optional<int> fmt = ReadFormat(HeaderOf(list), column);
  if (!fmt) {
    return UnreadableArrow;
  }
  if ((*fmt & HDF_SORTUP) != 0) {
    return SortDirection::Ascending;
  }
  return (*fmt & HDF_SORTDOWN) != 0 ? SortDirection::Descending : SortDirection::None;
}

void ShowSortArrow(HWND list, int column, SortDirection direction) {
  const HWND header = HeaderOf(list);
  const auto items = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  for (int item = 0; item < items; ++item) {
    if (const std::optional<int> fmt = ReadFormat(header, item)) {
      WriteFormat(header, item, item == column ? WithArrow(*fmt, direction) : (*fmt & ~ArrowFlags));
    }
  }
}

void ClearSortArrows(HWND fileList) {
  const HWND header = HeaderOf(fileList);
  for (int item = 0; item < ClearedFileListColumns; ++item) {
    if (const std::optional<int> fmt = ReadFormat(header, item)) {
      WriteFormat(header, item, *fmt & ~ArrowFlags);
    }
  }
}

void EnsureRowVisible(HWND list, int row) {
  SendMessageW(list, LVM_ENSUREVISIBLE, row, TRUE);
}

DateMask ChooseDateMask(HWND list, int column) {
  const int rows = RowCount(list);
  DateMask chosen = DateMaskOf(CellText(list, 0, column));
  if (chosen.empty() || !TakeMask(chosen, DateMaskOf(CellText(list, rows - 1, column))) ||
      !TakeMask(chosen, DateMaskOf(CellText(list, rows / 2, column)))) {
    return {};
  }
  return chosen;
}

void SortByHeaderClick(HWND list, int column, CellKind kind) {
  const SortDirection direction = NextDirection(ReadSortArrow(list, column));
  if (kind == CellKind::Detect) {
    kind = DetectColumnKind(list, column);
  }
  SortList(list, column, kind, direction);
  ShowSortArrow(list, column, direction);
  if (const int selected = SelectedRow(list); selected >= 0) {
    EnsureRowVisible(list, selected);
  }
}

std::optional<LRESULT> ColumnClickHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static_cast<void>(window);
  static_cast<void>(wParam);
  if (message == WM_NOTIFY && lParam != 0) {
    const auto* notify = reinterpret_cast<const NMHDR*>(lParam);
    if (notify->code == static_cast<UINT>(LVN_COLUMNCLICK)) {
      const auto* click = reinterpret_cast<const NMLISTVIEW*>(lParam);
      SortByHeaderClick(notify->hwndFrom, click->iSubItem, CellKind::Detect);
    }
  }
  return std::nullopt;
}

}  // namespace tallyfold
