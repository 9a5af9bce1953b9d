#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "catalogue/extension_tally.h"
#include "catalogue/file_catalogue.h"
#include "common/stop_request.h"

namespace tallyfold {

// The columns of the extension list.
inline constexpr int ExtensionColumn = 0;
inline constexpr int FileCountColumn = 1;
inline constexpr int TypeColumn = 2;
inline constexpr int EntropyColumn = 3;

inline constexpr std::wstring_view TextType = L"TEXT";
inline constexpr std::wstring_view BinaryType = L"BIN";
inline constexpr std::wstring_view ExecutableType = L"PE";
// Light red, the background of every cell of an executable's row.
inline constexpr COLORREF ExecutableRowColour = 0xD4D4FF;

// Where a scan shows its work: the extension list and the window title. Rows are addressed by
// an identity that a sort of the list does not change, so an update always reaches the row of
// its own extension even when the user sorts the list while the scan fills it.
class ExtensionTableView {
 public:
  using Row = std::intptr_t;

  virtual void ClearRows() = 0;
  // Appends a row with the extension icon; the cells are separated by line feeds.
  virtual Row AppendRow(std::wstring_view cells) = 0;
  virtual void SetCellText(Row row, int column, std::wstring_view text) = 0;
  virtual void SetRowBackColour(Row row, COLORREF colour) = 0;
  // Sorts by file count, largest first, leaving the header arrows as they are.
  virtual void SortByFileCount() = 0;
  virtual void ShowProgressTitle(std::wstring_view extension) = 0;
  virtual void ShowResultTitle(std::size_t extensions) = 0;

 protected:
  ~ExtensionTableView() = default;
};

// The scan: walks the root folder into the catalogue and the tally, then shows one row per
// extension with its count and what its sample file looks like, sorted by count.
void BuildExtensionTable(std::wstring_view rootFolder, FileCatalogue& catalogue,
                         ExtensionTally& tally, ExtensionTableView& view, const StopRequest& stop);

// The row's cells as the scan first appends them: extension, count and "TEXT".
[[nodiscard]] std::wstring ExtensionRowCells(std::wstring_view extension, std::int32_t count);

}  // namespace tallyfold
