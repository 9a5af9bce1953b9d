#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "catalogue/file_catalogue.h"
#include "common/stop_request.h"

namespace tallyfold {

// The columns of the file list.
inline constexpr int NameColumn = 0;
inline constexpr int SizeColumn = 1;
inline constexpr int ModifiedColumn = 2;

// After this many rows the file list draws again while the listing goes on.
inline constexpr std::size_t RedrawThreshold = 256;
// From then on rows go in batches: appending to a list that draws after every row costs
// milliseconds a row, so a batch goes in with drawing held and the list draws once after it.
// A drawing of a long list costs 10 to 20 ms under Wine, and a folder read answers thousands of
// rows in that time: the list grows about ten times a second.
inline constexpr std::size_t ListingBatchRows = 10000;
inline constexpr std::chrono::milliseconds ListingBatchInterval{100};

// Where a listing shows its rows: the file list.
class FileListView {
 public:
  // Switches the list's drawing off or on.
  virtual void SetRedraw(bool on) = 0;
  virtual void ClearRows() = 0;
  // Appends rows (cells separated by line feeds) in one go; the list does not draw while they
  // go in, and draws once afterwards when its drawing is on.
  virtual void AppendRows(std::span<const std::wstring> rows) = 0;

 protected:
  ~FileListView() = default;
};

// Lists every catalogued file whose extension is exactly `extension`, in catalogue order, with
// its size and modification date as they are now.
void ListExtensionFiles(std::wstring_view extension, const FileCatalogue& catalogue,
                        FileListView& view, const StopRequest& stop);

// The local date and time of the path's last write as a date value; 0 when the path names
// nothing or a conversion fails; -1 outside the range of date values.
[[nodiscard]] std::int32_t QueryModifiedDate(std::wstring_view path);

// yyyy-mm-dd of a date value: "0000-00-00" for -1, and 1970-01-01 for 0.
[[nodiscard]] std::wstring ModifiedText(std::int32_t dateValue);

}  // namespace tallyfold
