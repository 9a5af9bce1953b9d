#include "catalogue/extension_table.h"

#include <vector>

#include "catalogue/walk_folder.h"
#include "probes/entropy_text.h"
#include "probes/sample_probe.h"
#include "probes/signature.h"

namespace tallyfold {
namespace {

// Hands the finished rows to the list in one request every ScanRowInterval, and at the end.
class RowGatherer {
 public:
  explicit RowGatherer(ExtensionTableView& view) : view_(view) {}

  void Add(ExtensionRow row) {
    pending_.push_back(std::move(row));
    if (std::chrono::steady_clock::now() - lastHanded_ >= ScanRowInterval) {
      Hand();
    }
  }

  void Hand() {
    if (!pending_.empty()) {
      view_.AppendRows(pending_);
      pending_.clear();
    }
    lastHanded_ = std::chrono::steady_clock::now();
  }

 private:
  ExtensionTableView& view_;
  std::vector<ExtensionRow> pending_;
  std::chrono::steady_clock::time_point lastHanded_ = std::chrono::steady_clock::now();
};

}  // namespace

ExtensionRow FinishedRow(std::wstring_view extension, const TallyEntry& entry) {
  // The sample is probed before its row goes in, so the row goes in whole: one change of the
  // list instead of up to five.
  const SampleFindings findings = ProbeSample(entry.SamplePath);
  const bool executable = findings.Binary && findings.LeadingWord == ExecutableSignature;
  ExtensionRow row;
  row.Cells = extension;
  row.Cells += L'\n';
  row.Cells += std::to_wstring(entry.Count);
  row.Cells += L'\n';
  if (!findings.Binary) {
    row.Cells += TextType;
    return row;
  }
  row.Cells += executable ? ExecutableType : BinaryType;
  row.Cells += L'\n';
  row.Cells += EntropyText(findings.Entropy);
  if (executable) {
    row.BackColour = ExecutableRowColour;
  }
  return row;
}

void BuildExtensionTable(std::wstring_view rootFolder, FileCatalogue& catalogue,
                         ExtensionTally& tally, ExtensionTableView& view, const StopRequest& stop) {
  view.ClearRows();
  catalogue.clear();
  tally.Clear();
  WalkFolder(
      rootFolder, catalogue, tally,
      [&view](std::wstring_view extension) { view.ShowProgressTitle(extension); }, stop);
  if (stop.IsSet()) {
    return;
  }
  bool stopped = false;
  RowGatherer rows(view);
  tally.ForEachEntry([&](const std::wstring& key, const TallyEntry& entry) {
    stopped = stopped || stop.IsSet();
    if (!stopped) {
      rows.Add(FinishedRow(key, entry));
    }
  });
  // A stopped scan keeps the rows it finished, and a stop that came while the last of them
  // went in still leaves them unsorted: a new scan follows.
  rows.Hand();
  if (stopped || stop.IsSet()) {
    return;
  }
  view.SortByFileCount();
  view.ShowResultTitle(tally.Size());
}

}  // namespace tallyfold
