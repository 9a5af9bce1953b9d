#pragma once

#include <windows.h>

#include <cstddef>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalogue/extension_table.h"
#include "catalogue/file_listing.h"

namespace tallyfold::testing {

using Rows = std::vector<std::vector<std::wstring>>;

// The cells of a row text, split at its line feeds and padded with empty cells to `columns`.
inline std::vector<std::wstring> CellsOf(std::wstring_view text, std::size_t columns) {
  std::vector<std::wstring> cells;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(L'\n', start);
    cells.emplace_back(text.substr(start, end - start));
    if (end == std::wstring_view::npos) {
      break;
    }
    start = end + 1;
  }
  if (cells.size() < columns) {
    cells.resize(columns);
  }
  return cells;
}

// Stands in for the extension list and the title: keeps the rows in the order they were
// appended, with what the scan asked of them.
class TableRecorder final : public ExtensionTableView {
 public:
  static constexpr std::size_t Columns = EntropyColumn + 1;

  void ClearRows() override {
    rows.clear();
    colours.clear();
  }
  void AppendRows(std::span<const ExtensionRow> batch) override {
    for (const ExtensionRow& row : batch) {
      rows.push_back(CellsOf(row.Cells, Columns));
      appended.push_back(rows.back()[ExtensionColumn]);
      if (row.BackColour) {
        colours[rows.back()[ExtensionColumn]] = *row.BackColour;
      }
    }
    ++batches;
  }
  void AppendLastRowsAndSort(std::span<const ExtensionRow> batch) override {
    AppendRows(batch);
    sorted = true;
  }
  void ShowProgressTitle(std::wstring_view extension) override { progress.emplace_back(extension); }
  void ShowResultTitle(std::size_t extensions) override { result = extensions; }

  // The row of an extension, or none.
  [[nodiscard]] const std::vector<std::wstring>* RowOf(std::wstring_view extension) const {
    for (const auto& row : rows) {
      if (row[ExtensionColumn] == extension) {
        return &row;
      }
    }
    return nullptr;
  }

  Rows rows;
  std::vector<std::wstring> appended;
  // Background colours by extension.
  std::map<std::wstring, COLORREF> colours;
  // How many requests the rows came in.
  std::size_t batches = 0;
  bool sorted = false;
  std::vector<std::wstring> progress;
  std::optional<std::size_t> result;
};

// Stands in for the file list: keeps its rows and every switch of its drawing with the number
// of rows it held at that moment.
class ListRecorder final : public FileListView {
 public:
  static constexpr std::size_t Columns = ModifiedColumn + 1;

  void SetRedraw(bool on) override {
    drawing = on;
    switches.emplace_back(on, rows.size());
  }
  void ClearRows() override { rows.clear(); }
  void AppendRows(std::span<const std::wstring> batch) override {
    for (const std::wstring& row : batch) {
      rows.push_back(CellsOf(row, Columns));
    }
  }

  Rows rows;
  bool drawing = true;
  std::vector<std::pair<bool, std::size_t>> switches;
};

}  // namespace tallyfold::testing
