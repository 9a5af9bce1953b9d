#pragma once

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
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

// How often a scan hands the rows it has finished to the list: every request to the window
// costs far more than probing a sample, yet the rows should still come in about twenty times
// a second.
inline constexpr std::chrono::milliseconds ScanRowInterval{50};

// A finished row of the extension list: its cells separated by line feeds, and the background
// of all its cells where it has one of its own.
struct ExtensionRow {
  std::wstring Cells;
  std::optional<COLORREF> BackColour;

  bool operator==(const ExtensionRow&) const = default;
};

// Where a scan shows its work: the extension list and the window title.
class ExtensionTableView {
 public:
  virtual void ClearRows() = 0;
  // Appends finished rows in one go, each with the extension icon, and draws them.
  virtual void AppendRows(std::span<const ExtensionRow> rows) = 0;
  // Appends the last rows, then sorts by file count, largest first, leaving the header arrows
  // as they are; the list draws once, sorted.
  virtual void AppendLastRowsAndSort(std::span<const ExtensionRow> rows) = 0;
  virtual void ShowProgressTitle(std::wstring_view extension) = 0;
  virtual void ShowResultTitle(std::size_t extensions) = 0;

 protected:
  ~ExtensionTableView() = default;
};

// The scan: walks the root folder into the catalogue and the tally, then shows one row per
// extension with its count and what its sample file looks like, sorted by count.
void BuildExtensionTable(std::wstring_view rootFolder, FileCatalogue& catalogue,
                         ExtensionTally& tally, ExtensionTableView& view, const StopRequest& stop);

// The finished row of a tally entry: extension, count, and what its sample looks like.
[[nodiscard]] ExtensionRow FinishedRow(std::wstring_view extension, const TallyEntry& entry);

}  // namespace tallyfold
