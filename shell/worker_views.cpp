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

ScanView::~ScanView() {
  // Only requests change held_, and they run while this thread waits.
  if (held_) {
    Request(state_, [this] { DrawIfDue(true); });
  }
}

// A visible list that draws after every change costs about 10 ms a change under Wine, far more
// than the probes of a row: the scan's changes go in with drawing held, and the list draws what
// it has once ScanDrawInterval has passed, and at the end.
void ScanView::HoldDrawing() {
  if (!held_) {
    ::SendMessageW(state_.ExtensionList, WM_SETREDRAW, FALSE, 0);
    held_ = true;
    heldSince_ = std::chrono::steady_clock::now();
  }
}

void ScanView::DrawIfDue(bool now) {
  if (held_ && (now || std::chrono::steady_clock::now() - heldSince_ >= ScanDrawInterval)) {
    ::SendMessageW(state_.ExtensionList, WM_SETREDRAW, TRUE, 0);
    ::UpdateWindow(state_.ExtensionList);
    held_ = false;
  }
}

// The emptied list draws at once: it stays empty for the whole walk, which may take long.
void ScanView::ClearRows() {
  Request(state_, [this] {
    tallyfold::ClearRows(state_.ExtensionList);
    DrawIfDue(true);
  });
}

ExtensionTableView::Row ScanView::AppendRow(std::wstring_view cells) {
  Row id = 0;
  Request(state_, [&] {
    HoldDrawing();
    const int row = tallyfold::AppendRow(state_.ExtensionList, cells, state_.ExtensionIcon.get());
    id = RowIdOf(state_.ExtensionList, row);
    DrawIfDue(false);
  });
  return id;
}

void ScanView::SetCellText(Row row, int column, std::wstring_view text) {
  Request(state_, [&] {
    HoldDrawing();
    tallyfold::SetCellText(state_.ExtensionList, RowOfId(state_.ExtensionList, row), column, text);
    DrawIfDue(false);
  });
}

void ScanView::SetRowBackColour(Row row, COLORREF colour) {
  Request(state_, [&] {
    HoldDrawing();
    tallyfold::SetRowBackColour(state_.ExtensionList, RowOfId(state_.ExtensionList, row), colour);
    DrawIfDue(false);
  });
}

void ScanView::SortByFileCount() {
  Request(state_, [this] {
    SortList(state_.ExtensionList, FileCountColumn, CellKind::Integer, SortDirection::Descending);
    DrawIfDue(true);
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
