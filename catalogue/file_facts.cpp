#include "catalogue/file_facts.h"

#include <string>

#include "catalogue/file_listing.h"
#include "common/file_size.h"
#include "common/handles.h"
#include "common/literal_path.h"
#include "common/date_value.h"

namespace tallyfold {

std::int32_t DateOfEntry(const WIN32_FIND_DATAW& entry) noexcept {
  FILETIME local;
  SYSTEMTIME time;
  if (!::FileTimeToLocalFileTime(&entry.ftLastWriteTime, &local) ||
      !::FileTimeToSystemTime(&local, &time)) {
    return 0;
  }
  return DateValue(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond);
}

FileFacts FactsOfEntry(const WIN32_FIND_DATAW& entry) noexcept {
  return FileFacts{SizeOfEntry(entry), DateOfEntry(entry)};
}

FileFacts LookUpFileFacts(std::wstring_view path) {
  // For a plain path the size and the date come from the very same entry: look it up once.
  if (!IsPlainSizeLookup(path)) {
    return FileFacts{QueryFileSize(path), QueryModifiedDate(path)};
  }
  WIN32_FIND_DATAW entry;
  if (FindHandle{::FindFirstFileW(LiteralPath(path).c_str(), &entry)}) {
    return FactsOfEntry(entry);
  }
  return FileFacts{QueryFileSize(path), 0};
}

}  // namespace tallyfold
