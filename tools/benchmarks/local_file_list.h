// What the listing benchmarks share: a file list of the program's shape in a window of the
// benchmark's own, and the listing's view of it without the hop to another thread.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <span>
#include <string>

#include "catalogue/file_listing.h"
#include "common/list_view.h"

namespace tallyfold::bench {

inline constexpr int ListWidth = 655, ListHeight = 440;
inline constexpr int ColumnWidths[] = {440, 90, 90};

inline HWND MakeFileList(HWND window) {
  HWND list = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0,
                                ListWidth, ListHeight, window, nullptr, nullptr, nullptr);
  for (int column = 0; column < static_cast<int>(std::size(ColumnWidths)); ++column) {
    AddColumn(list, column, L"", ColumnWidths[column]);
  }
  return list;
}

// The file list as the listing fills it on the same thread; a batch goes in with drawing held,
// as the program's own view does. Without a list, rows go nowhere: the listing's own work alone.
class LocalListView final : public FileListView {
 public:
  explicit LocalListView(HWND list) : list_(list) {}
  void SetRedraw(bool on) override {
    drawing_ = on;
    ::SendMessageW(list_, WM_SETREDRAW, on ? TRUE : FALSE, 0);
  }
  void ClearRows() override { tallyfold::ClearRows(list_); }
  void AppendRows(std::span<const std::wstring> rows) override {
    if (!list_) {
      return;
    }
    ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    for (const std::wstring& row : rows) {
      AppendRow(list_, row, nullptr);
    }
    ::SendMessageW(list_, WM_SETREDRAW, drawing_ ? TRUE : FALSE, 0);
  }

 private:
  HWND list_;
  bool drawing_ = true;
};

}  // namespace tallyfold::bench
