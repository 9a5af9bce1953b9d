#pragma once

#include <chrono>

#include "catalogue/extension_table.h"
#include "catalogue/file_listing.h"
#include "shell/program_state.h"

namespace tallyfold {

// How long the extension list may go without drawing while a scan changes its rows.
inline constexpr std::chrono::milliseconds ScanDrawInterval{50};

// The extension list and the title as a scan sees them. Each call is one request that the main
// thread carries out while the scan waits.
class ScanView final : public ExtensionTableView {
 public:
  explicit ScanView(ProgramState& state) : state_(state) {}
  // A scan that stopped while the list's drawing was held lets it draw again.
  ~ScanView();
  ScanView(const ScanView&) = delete;
  ScanView& operator=(const ScanView&) = delete;

  void ClearRows() override;
  Row AppendRow(std::wstring_view cells) override;
  void SetCellText(Row row, int column, std::wstring_view text) override;
  void SetRowBackColour(Row row, COLORREF colour) override;
  void SortByFileCount() override;
  void ShowProgressTitle(std::wstring_view extension) override;
  void ShowResultTitle(std::size_t extensions) override;

 private:
  // Both run on the main thread, inside a request.
  void HoldDrawing();
  void DrawIfDue(bool now);

  ProgramState& state_;
  bool held_ = false;
  std::chrono::steady_clock::time_point heldSince_;
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
