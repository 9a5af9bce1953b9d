#include "shell/window_events.h"

#include <commctrl.h>

#include "common/list_view.h"
#include "shell/folder_box.h"
#include "shell/window_requests.h"

namespace tallyfold {
namespace {

bool ChangesSelection(const NMLISTVIEW& change) {
  return (change.uChanged & LVIF_STATE) && ((change.uNewState | change.uOldState) & LVIS_SELECTED);
}

// A click that leaves the extension list without a selection counts as a selection change the
// first time after a row was selected, so that the file list empties.
Event::Kind ExtensionListEventKind(ProgramState& state, const NMHDR& header, LPARAM lParam) {
  if (header.code == LVN_ITEMCHANGED) {
    const auto& change = *reinterpret_cast<const NMLISTVIEW*>(lParam);
    if (!ChangesSelection(change)) {
      return Event::Kind::Other;
    }
    if (change.uNewState & LVIS_SELECTED) {
      state.EmptySelectionClicked = false;
    }
    return Event::Kind::ExtensionSelection;
  }
  if ((header.code == NM_CLICK || header.code == NM_RCLICK) &&
      SelectedRow(state.ExtensionList) < 0 && !state.EmptySelectionClicked) {
    state.EmptySelectionClicked = true;
    return Event::Kind::ExtensionSelection;
  }
  return Event::Kind::Other;
}

// Notifications that come from the user's actions; the rest (drawing, inserting rows) are
// the lists' own business.
bool IsUserNotification(UINT code) {
  return code == LVN_ITEMCHANGED || code == NM_CLICK || code == NM_RCLICK || code == NM_DBLCLK ||
         code == NM_RDBLCLK || code == LVN_COLUMNCLICK;
}

std::optional<LRESULT> OnNotify(ProgramState& state, LPARAM lParam) {
  LRESULT result = 0;
  if (PaintRowColours(lParam, result)) {
    return result;
  }
  const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
  if (state.ApplyingRequest || !IsUserNotification(header.code)) {
    return std::nullopt;
  }
  const bool isItemChange = header.code == LVN_ITEMCHANGED;
  Event event{Event::Kind::Other, static_cast<int>(header.idFrom), header.code};
  if (header.hwndFrom == state.ExtensionList) {
    event.kind = ExtensionListEventKind(state, header, lParam);
    if (isItemChange && event.kind == Event::Kind::Other) {
      return std::nullopt;
    }
  } else if (header.hwndFrom == state.FileList) {
    if (isItemChange && !ChangesSelection(*reinterpret_cast<const NMLISTVIEW*>(lParam))) {
      return std::nullopt;
    }
    if (header.code == NM_DBLCLK) {
      event.kind = Event::Kind::FileDoubleClick;
    }
  }
  QueueEvent(state, event);
  return std::nullopt;
}

std::optional<LRESULT> OnCommand(ProgramState& state, WPARAM wParam, LPARAM lParam) {
  if (reinterpret_cast<HWND>(lParam) != state.FolderBox || !state.FolderBox) {
    return std::nullopt;
  }
  const UINT code = HIWORD(wParam);
  if (code == CBN_SELENDOK) {
    const int item = static_cast<int>(::SendMessageW(state.FolderBox, CB_GETCURSEL, 0, 0));
    if (item >= 0) {
      state.FolderBoxPath = DriveRootOfItem(state.FolderBox, item);
    }
  }
  const Event::Kind kind = code == CBN_CLOSEUP ? Event::Kind::FolderBoxClosed : Event::Kind::Other;
  QueueEvent(state, Event{kind, FolderBoxId, code});
  return std::nullopt;
}

}  // namespace

void QueueEvent(ProgramState& state, const Event& event) {
  if (state.Events.empty() || !(state.Events.back() == event)) {
    state.Events.push_back(event);
  }
}

std::optional<LRESULT> HandleWindowMessage(ProgramState& state, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  switch (message) {
    case RunRequestMessage: {
      const auto& request = *reinterpret_cast<const WindowRequest*>(lParam);
      request.run(request.work);
      return 0;
    }
    case WM_NOTIFY:
      return OnNotify(state, lParam);
    case WM_COMMAND:
      return OnCommand(state, wParam, lParam);
    case WM_CLOSE:
      // The loop ends on this event; the window itself is destroyed when the program ends.
      QueueEvent(state, Event{Event::Kind::Close, 0, WM_CLOSE});
      return 0;
    default:
      return std::nullopt;
  }
}

}  // namespace tallyfold
