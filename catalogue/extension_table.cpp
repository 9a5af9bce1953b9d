#include "catalogue/extension_table.h"

#include "catalogue/walk_folder.h"
#include "probes/binary_test.h"
#include "probes/entropy.h"
#include "probes/entropy_text.h"
#include "probes/signature.h"

namespace tallyfold {
namespace {

// Probes the extension's sample and completes its row: BIN with the entropy, or PE tinted.
void ProbeSample(const TallyEntry& entry, ExtensionTableView::Row row, ExtensionTableView& view) {
  if (!IsBinaryFile(entry.SamplePath)) {
    return;
  }
  view.SetCellText(row, TypeColumn, BinaryType);
  view.SetCellText(row, EntropyColumn, EntropyText(FileEntropy(entry.SamplePath)));
  if (ReadLeadingWord(entry.SamplePath) == ExecutableSignature) {
    view.SetRowBackColour(row, ExecutableRowColour);
    view.SetCellText(row, TypeColumn, ExecutableType);
  }
}

}  // namespace

std::wstring ExtensionRowCells(std::wstring_view extension, std::int32_t count) {
  std::wstring cells(extension);
  cells += L'\n';
  cells += std::to_wstring(count);
  cells += L'\n';
  cells += TextType;
  return cells;
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
  tally.ForEachEntry([&](const std::wstring& key, const TallyEntry& entry) {
    stopped = stopped || stop.IsSet();
    if (stopped) {
      return;
    }
    const ExtensionTableView::Row row = view.AppendRow(ExtensionRowCells(key, entry.Count));
    ProbeSample(entry, row, view);
  });
  if (stopped) {
    return;
  }
  view.SortByFileCount();
  view.ShowResultTitle(tally.Size());
}

}  // namespace tallyfold
