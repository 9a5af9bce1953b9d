#pragma once

#include "catalogue/extension_table.h"
#include "catalogue/file_listing.h"
#include "shell/program_state.h"

namespace tallyfold {

// The extension list and the title as a scan sees them. Each call is one request that the main
// thread carries out while the scan waits.
class ScanView final : public ExtensionTableView {
 public:
  explicit ScanView(ProgramState& state) : state_(state) {}

  void ClearRows() override;
  void AppendRows(std::span<const ExtensionRow> rows) override;
  void AppendLastRowsAndSort(std::span<const ExtensionRow> rows) override;
  void ShowProgressTitle(std::wstring_view extension) override;
  void ShowResultTitle(std::size_t extensions) override;

 private:
  ProgramState& state_;
};

// The file list as a listing sees it; a batch of rows is one request.
class ListingView final : public FileListView {
 public:
  explicit ListingView(ProgramState& state) : state_(state) {}

  void SetRedraw(bool on) override;
  void ClearRows() override;
  void AppendRows(std::span<const std::wstring> rows) override;

 private:
  ProgramState& state_;
  bool drawing_ = true;
};

}  // namespace tallyfold
