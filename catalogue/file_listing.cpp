#include "catalogue/file_listing.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "common/file_size.h"
#include "common/handles.h"
#include "common/upper_extension.h"
#include "sorting/cell_values.h"

namespace tallyfold {
namespace {

constexpr std::int32_t SecondsPerDay = 86'400;
constexpr std::int32_t OutOfRangeDate = -1;

std::int32_t DateOfEntry(const WIN32_FIND_DATAW& entry) {
  FILETIME local;
  SYSTEMTIME time;
  if (!::FileTimeToLocalFileTime(&entry.ftLastWriteTime, &local) ||
      !::FileTimeToSystemTime(&local, &time)) {
    return 0;
  }
  return DateValue(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond);
}

std::wstring FileRowCells(std::wstring_view path) {
  std::int64_t size = 0;
  std::int32_t date = 0;
  WIN32_FIND_DATAW entry;
  // A directory look-up costs far more than the rest of a row, and for a plain path the size
  // and the date come from the very same entry: look it up once.
  if (!IsPlainSizeLookup(path)) {
    size = QueryFileSize(path);
    date = QueryModifiedDate(path);
  } else if (FindHandle{::FindFirstFileW(std::wstring(path).c_str(), &entry)}) {
    size = SizeOfEntry(entry);
    date = DateOfEntry(entry);
  } else {
    size = QueryFileSize(path);
  }
  std::wstring cells(path);
  cells += L'\n';
  cells += std::to_wstring(size);
  cells += L'\n';
  cells += ModifiedText(date);
  return cells;
}

// Hands the gathered rows to the list, before the threshold in one go, after it in batches.
class RowBatcher {
 public:
  explicit RowBatcher(FileListView& view) : view_(view) {}

  void Add(std::wstring row) {
    pending_.push_back(std::move(row));
    ++count_;
    if (count_ == RedrawThreshold) {
      Flush();
      view_.SetRedraw(true);
    } else if (count_ > RedrawThreshold &&
               (pending_.size() >= ListingBatchRows ||
                std::chrono::steady_clock::now() - lastFlush_ >= ListingBatchInterval)) {
      Flush();
    }
  }

  void Flush() {
    if (!pending_.empty()) {
      view_.AppendRows(pending_);
      pending_.clear();
    }
    lastFlush_ = std::chrono::steady_clock::now();
  }

 private:
  FileListView& view_;
  std::vector<std::wstring> pending_;
  std::size_t count_ = 0;
  std::chrono::steady_clock::time_point lastFlush_ = std::chrono::steady_clock::now();
};

}  // namespace

void ListExtensionFiles(std::wstring_view extension, const FileCatalogue& catalogue,
                        FileListView& view, const StopRequest& stop) {
  view.SetRedraw(false);
  view.ClearRows();
  RowBatcher batcher(view);
  for (std::wstring_view path : catalogue) {
    if (stop.IsSet()) {
      break;
    }
    if (UpperExtension(path) == extension) {
      batcher.Add(FileRowCells(path));
    }
  }
  batcher.Flush();
  view.SetRedraw(true);
}

std::int32_t QueryModifiedDate(std::wstring_view path) {
  const std::wstring text(path);
  WIN32_FIND_DATAW entry;
  if (!FindHandle{::FindFirstFileW(text.c_str(), &entry)}) {
    return 0;
  }
  return DateOfEntry(entry);
}

std::wstring ModifiedText(std::int32_t dateValue) {
  if (dateValue == OutOfRangeDate) {
    return L"0000-00-00";
  }
  // Civil date from days since 1970-01-01 (Howard Hinnant's algorithm).
  const std::int32_t days = dateValue / SecondsPerDay + 719'468;
  const std::int32_t era = days / 146'097;
  const std::int32_t dayOfEra = days - era * 146'097;
  const std::int32_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
  const std::int32_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int32_t monthIndex = (5 * dayOfYear + 2) / 153;
  const std::int32_t day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
  const std::int32_t month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
  const std::int32_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  wchar_t text[16];
  std::swprintf(text, std::size(text), L"%04d-%02d-%02d", year, month, day);
  return text;
}

}  // namespace tallyfold
