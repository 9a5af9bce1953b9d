#include "catalogue/file_listing.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "common/date_value.h"
#include "common/file_size.h"
#include "common/handles.h"
#include "common/upper_extension.h"

namespace tallyfold {
namespace {

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
  if (dateValue == NoDate) {
    return L"0000-00-00";
  }
  const CivilDate date = CivilDateOf(dateValue);
  wchar_t text[16];
  std::swprintf(text, std::size(text), L"%04d-%02d-%02d", date.year, date.month, date.day);
  return text;
}

}  // namespace tallyfold
