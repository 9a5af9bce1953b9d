#include "shell/worker_views.h"

#include "common/list_view.h"
#include "shell/title_line.h"
#include "shell/window_requests.h"
#include "sorting/header_sort.h"

namespace tallyfold {
namespace {

// Carries out work for a worker on the main thread. Changes the work makes to the lists are
// the program's own, not the user's: the notifications they raise become no events.
template <typename Work>
void Request(ProgramState& state, Work&& work) {
  RunOnWindowThread(state.MainWindow, [&state, &work] {
    const bool wasApplying = state.ApplyingRequest;
    state.ApplyingRequest = true;
    work();
    state.ApplyingRequest = wasApplying;
  });
}

}  // namespace

void ScanView::ClearRows() {
  Request(state_, [this] { tallyfold::ClearRows(state_.ExtensionList); });
}

ExtensionTableView::Row ScanView::AppendRow(std::wstring_view cells) {
  Row id = 0;
  Request(state_, [&] {
    const int row = tallyfold::AppendRow(state_.ExtensionList, cells, state_.ExtensionIcon.get());
    id = RowIdOf(state_.ExtensionList, row);
  });
  return id;
}

void ScanView::SetCellText(Row row, int column, std::wstring_view text) {
  Request(state_, [&] {
    tallyfold::SetCellText(state_.ExtensionList, RowOfId(state_.ExtensionList, row), column, text);
  });
}

void ScanView::SetRowBackColour(Row row, COLORREF colour) {
  Request(state_, [&] {
    tallyfold::SetRowBackColour(state_.ExtensionList, RowOfId(state_.ExtensionList, row), colour);
  });
}

void ScanView::SortByFileCount() {
  Request(state_, [this] {
    SortList(state_.ExtensionList, FileCountColumn, CellKind::Integer, SortDirection::Descending);
  });
}

void ScanView::ShowProgressTitle(std::wstring_view extension) {
  Request(state_, [&] { tallyfold::ShowProgressTitle(state_.MainWindow, extension); });
}

void ScanView::ShowResultTitle(std::size_t extensions) {
  Request(state_, [&] { tallyfold::ShowResultTitle(state_.MainWindow, extensions); });
}

void ListingView::SetRedraw(bool on) {
  drawing_ = on;
  Request(state_, [&] { ::SendMessageW(state_.FileList, WM_SETREDRAW, on ? TRUE : FALSE, 0); });
}

void ListingView::ClearRows() {
  Request(state_, [this] { tallyfold::ClearRows(state_.FileList); });
}

void ListingView::AppendRows(std::span<const std::wstring> rows) {
  Request(state_, [&] {
    if (drawing_) {
      ::SendMessageW(state_.FileList, WM_SETREDRAW, FALSE, 0);
    }
    for (const std::wstring& row : rows) {
      tallyfold::AppendRow(state_.FileList, row, nullptr);
    }
    if (drawing_) {
      ::SendMessageW(state_.FileList, WM_SETREDRAW, TRUE, 0);
    }
  });
}

}  // namespace tallyfold
