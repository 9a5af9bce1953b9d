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

// The emptied list draws at once: it stays empty for the whole walk, which may take long.
void ScanView::ClearRows() {
  Request(state_, [this] {
    tallyfold::ClearRows(state_.ExtensionList);
    ::UpdateWindow(state_.ExtensionList);
  });
}

namespace {

void AppendExtensionRows(HWND list, HICON icon, std::span<const ExtensionRow> rows) {
  for (const ExtensionRow& row : rows) {
    const int index = AppendRow(list, row.Cells, icon);
    if (row.BackColour) {
      SetRowBackColour(list, index, *row.BackColour);
    }
  }
}

}  // namespace

// A visible list that draws after every change costs about 10 ms a change under Wine, and a
// drawing of the list far more than appending a batch: a batch goes in with drawing held, and
// the list draws once after it.
void ScanView::AppendRows(std::span<const ExtensionRow> rows) {
  Request(state_, [&] {
    HWND list = state_.ExtensionList;
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    AppendExtensionRows(list, state_.ExtensionIcon.get(), rows);
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ::UpdateWindow(list);
  });
}

void ScanView::AppendLastRowsAndSort(std::span<const ExtensionRow> rows) {
  Request(state_, [&] {
    HWND list = state_.ExtensionList;
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    AppendExtensionRows(list, state_.ExtensionIcon.get(), rows);
    SortList(list, FileCountColumn, CellKind::Integer, SortDirection::Descending);
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ::UpdateWindow(list);
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
