#include "catalogue/file_listing.h"

#include <windows.h>

#include <cstdio>
#include <optional>
#include <vector>

#include "catalogue/file_facts.h"
#include "catalogue/folder_facts.h"
#include "catalogue/listing_plan.h"
#include "common/date_value.h"
#include "common/handles.h"
#include "common/literal_path.h"
#include "common/upper_extension.h"

namespace tallyfold {
namespace {

std::wstring FileRowCells(std::wstring_view path, const FileFacts& facts) {
  std::wstring cells(path);
  cells += L'\n';
  cells += std::to_wstring(facts.Size);
  cells += L'\n';
  cells += ModifiedText(facts.Date);
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

// The listed files of one run of catalogue entries that share a folder.
struct FolderRun {
  std::size_t Catalogued = 0;
  std::vector<std::wstring_view> Listed;
  // Where in Listed stand the paths that an enumeration of the folder can answer.
  std::vector<std::size_t> Answerable;
};

// Gathers the run of entries from `first` on that share its folder; returns where it ends.
std::size_t GatherRun(const FileCatalogue& catalogue, std::size_t first,
                      std::wstring_view extension, FolderRun& run, const StopRequest& stop) {
  const std::wstring_view folder = catalogue[first].substr(0, FolderPartLength(catalogue[first]));
  run = FolderRun{};
  std::size_t next = first;
  for (; next < catalogue.size() && !stop.IsSet(); ++next) {
    const std::wstring_view path = catalogue[next];
    if (FolderPartLength(path) != folder.size() || !path.starts_with(folder)) {
      break;
    }
    ++run.Catalogued;
    if (UpperExtension(path) == extension) {
      if (IsAnswerableFromFolder(path)) {
        run.Answerable.push_back(run.Listed.size());
      }
      run.Listed.push_back(path);
    }
  }
  return next;
}

// The facts of the run's listed files: from one enumeration of the folder where that is
// cheaper and gives what the look-ups would, else from each file's own look-ups. An empty
// answer is looked up.
std::vector<std::optional<FileFacts>> FolderAnswers(const FolderRun& run, const StopRequest& stop) {
  std::vector<std::optional<FileFacts>> answers(run.Listed.size());
  if (!IsWorthReadingFolder(run.Catalogued, run.Answerable.size())) {
    return answers;
  }
  const std::size_t folder = FolderPartLength(run.Listed.front());
  std::vector<std::wstring_view> names;
  for (const std::size_t place : run.Answerable) {
    names.push_back(run.Listed[place].substr(folder));
  }
  const std::vector<std::optional<FileFacts>> found = ReadFolderFacts(
      run.Listed.front().substr(0, folder), names, FolderEntryBudget(run.Catalogued), stop);
  for (std::size_t index = 0; index < found.size(); ++index) {
    answers[run.Answerable[index]] = found[index];
  }
  return answers;
}

}  // namespace

void ListExtensionFiles(std::wstring_view extension, const FileCatalogue& catalogue,
                        FileListView& view, const StopRequest& stop) {
  view.SetRedraw(false);
  view.ClearRows();
  RowBatcher batcher(view);
  FolderRun run;
  for (std::size_t next = 0; next < catalogue.size() && !stop.IsSet();) {
    next = GatherRun(catalogue, next, extension, run, stop);
    if (run.Listed.empty()) {
      continue;
    }
    const std::vector<std::optional<FileFacts>> answers = FolderAnswers(run, stop);
    for (std::size_t index = 0; index < run.Listed.size() && !stop.IsSet(); ++index) {
      const std::wstring_view path = run.Listed[index];
      batcher.Add(FileRowCells(path, answers[index] ? *answers[index] : LookUpFileFacts(path)));
    }
  }
  batcher.Flush();
  view.SetRedraw(true);
}

std::int32_t QueryModifiedDate(std::wstring_view path) {
  const std::wstring text = LiteralPath(path);
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
