#include "shell/handlers.h"

#include "catalogue/extension_table.h"
#include "catalogue/file_listing.h"
#include "common/list_view.h"
#include "shell/folder_box.h"
#include "shell/workers.h"
#include "sorting/header_sort.h"

namespace tallyfold {
namespace {

void StopIfRunning(std::unique_ptr<Worker>& worker) {
  if (IsWorkerRunning(worker.get())) {
    StopWorker(worker.get());
  }
}

}  // namespace

void OnExtensionSelection(ProgramState& state) {
  // With no row selected this reads the column's caption, which no extension equals.
  const std::wstring extension =
      CellText(state.ExtensionList, SelectedRow(state.ExtensionList), ExtensionColumn);
  StopIfRunning(state.CurrentListing);
  state.SelectedExtension = extension;
  state.CurrentListing = StartListing(state);
  ClearSortArrows(state.FileList);
}

void OnFileDoubleClick(ProgramState& state) {
  const int row = SelectedRow(state.FileList);
  // Without a selected row the cell text would be the column's caption, not a path.
  if (row < 0) {
    return;
  }
  state.OpenFile(CellText(state.FileList, row, NameColumn));
}

void OnFolderBoxClosed(ProgramState& state) {
  const std::wstring text = state.FolderBoxPath;
  // The new scan clears the catalogue, which a running listing may still be reading.
  StopIfRunning(state.CurrentListing);
  StopIfRunning(state.CurrentScan);
  state.RootFolder = AcceptFolderText(text);
  state.CurrentScan = StartScan(state);
}

}  // namespace tallyfold
