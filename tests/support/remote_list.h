#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "common/handles.h"

namespace tallyfold::testing {

// A report list view of another process, read as an outside program must: a list view copies
// its texts only into its own process's memory, so the requests and their answers go through a
// block of memory lent in that process.
class RemoteList {
 public:
  explicit RemoteList(HWND list);
  ~RemoteList();
  RemoteList(const RemoteList&) = delete;
  RemoteList& operator=(const RemoteList&) = delete;

  // False when the list's process could not be opened or lend its memory; every read then
  // gives nothing.
  [[nodiscard]] bool Readable() const { return lent_ != nullptr; }
  [[nodiscard]] int RowCount() const;
  [[nodiscard]] int ColumnCount() const;
  [[nodiscard]] std::wstring Caption(int column) const;
  [[nodiscard]] std::wstring Cell(int row, int column) const;
  // The cells of the first rows, at most `limit` of them, top to bottom.
  [[nodiscard]] std::vector<std::vector<std::wstring>> Rows(int limit) const;

 private:
  // Places the request in the lent memory, sends the target the request's address there, and
  // reads back the text it answered with.
  template <typename Request>
  std::wstring Ask(HWND target, UINT message, WPARAM wParam, Request request) const;

  HWND list_;
  HWND header_;
  KernelHandle process_;
  void* lent_ = nullptr;
};

}  // namespace tallyfold::testing
