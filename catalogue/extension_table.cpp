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

  // The first row goes in as soon as it is finished, so the table shows at once after the walk.
  void Add(ExtensionRow row) {
    pending_.push_back(std::move(row));
    if (!handed_ || std::chrono::steady_clock::now() - lastHanded_ >= ScanRowInterval) {
      Hand();
    }
  }

  void Hand() {
    if (!pending_.empty()) {
      view_.AppendRows(pending_);
      pending_.clear();
    }
    handed_ = true;
    lastHanded_ = std::chrono::steady_clock::now();
  }

  // Drawing the list costs far more than changing it: the last rows are drawn with the sort.
  void HandLastAndSort() {
    view_.AppendLastRowsAndSort(pending_);
    pending_.clear();
  }

 private:
  ExtensionTableView& view_;
  std::vector<ExtensionRow> pending_;
  bool handed_ = false;
  std::chrono::steady_clock::time_point lastHanded_;
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
  // A stopped scan keeps the rows it finished, unsorted.
  if (stopped) {
    rows.Hand();
    return;
  }
  rows.HandLastAndSort();
  view.ShowResultTitle(tally.Size());
}

}  // namespace tallyfold
