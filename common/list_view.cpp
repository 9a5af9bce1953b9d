#include "common/list_view.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <unordered_map>

#include "common/handles.h"

namespace tallyfold {
namespace {

constexpr wchar_t CellSeparator = L'\n';
constexpr int HeaderCaptionLimit = 4096;
constexpr int FirstCellCapacity = 256;
// Far beyond any real cell; only keeps a misbehaving control from growing the buffer forever.
constexpr int CellCapacityLimit = 1 << 24;
constexpr int ImageListGrowth = 16;

struct ListState {
  WNDPROC listProc = nullptr;
  ImageListHandle images;
  std::unordered_map<HICON, int> imageOfIcon;
  std::unordered_map<RowId, COLORREF> backColours;
  RowId nextId = 1;
};

// Lists live on the main thread only, so one plain map serves them all. It is kept in the
// process rather than in window properties or comctl32 subclass data: under Wine those are
// held by the window server, and a look-up on every message of the list costs a round trip.
// The map is never destroyed: the process ends while workers may still run, and no static
// destructor may tear down what their requests reach.
std::unordered_map<HWND, std::unique_ptr<ListState>>& PreparedLists() {
  static auto* lists = new std::unordered_map<HWND, std::unique_ptr<ListState>>;
  return *lists;
}

ListState* StateOf(HWND list) {
  const auto& lists = PreparedLists();
  const auto found = lists.find(list);
  return found != lists.end() ? found->second.get() : nullptr;
}

LRESULT CALLBACK PreparedListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  ListState* state = StateOf(list);
  if (state == nullptr) {
    return DefWindowProcW(list, message, wParam, lParam);
  }
  const WNDPROC listProc = state->listProc;
  if (message != WM_NCDESTROY) {
    return CallWindowProcW(listProc, list, message, wParam, lParam);
  }
  // The control lets go of its image list first; only then may the list's own state go.
  const LRESULT result = CallWindowProcW(listProc, list, message, wParam, lParam);
  SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listProc));
  PreparedLists().erase(list);
  return result;
}

// The image list is attached on the first icon only, so a list without icons keeps its first
// column free of an empty image slot.
int ImageOf(HWND list, ListState* state, HICON icon) {
  if (state == nullptr || icon == nullptr) {
    return I_IMAGENONE;
  }
  if (auto known = state->imageOfIcon.find(icon); known != state->imageOfIcon.end()) {
    return known->second;
  }
  if (!state->images) {
    state->images.reset(ImageList_Create(GetSystemMetrics(SM_CXSMICON),
                                         GetSystemMetrics(SM_CYSMICON), ILC_COLOR32 | ILC_MASK, 1,
                                         ImageListGrowth));
    if (!state->images) {
      return I_IMAGENONE;
    }
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(state->images.get()));
  }
  const int image = ImageList_AddIcon(state->images.get(), icon);
  if (image < 0) {
    return I_IMAGENONE;
  }
  state->imageOfIcon.emplace(icon, image);
  return image;
}

std::wstring HeaderCaption(HWND list, int column) {
  const auto header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  std::wstring caption(HeaderCaptionLimit + 1, L'\0');
  HDITEMW item{};
  item.mask = HDI_TEXT;
  item.pszText = caption.data();
  item.cchTextMax = HeaderCaptionLimit + 1;
  if (header == nullptr ||
      !SendMessageW(header, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item))) {
    return {};
  }
  caption.resize(wcsnlen(caption.c_str(), HeaderCaptionLimit));
  return caption;
}

LRESULT PaintSubItem(HWND list, const ListState& state, NMLVCUSTOMDRAW& draw) {
  draw.clrText = static_cast<COLORREF>(SendMessageW(list, LVM_GETTEXTCOLOR, 0, 0));
  const auto colour = state.backColours.find(static_cast<RowId>(draw.nmcd.lItemlParam));
  draw.clrTextBk = colour != state.backColours.end()
                       ? colour->second
                       : static_cast<COLORREF>(SendMessageW(list, LVM_GETBKCOLOR, 0, 0));
  return CDRF_DODEFAULT;
}

}  // namespace

void PrepareList(HWND list) {
  if (list == nullptr || StateOf(list) != nullptr) {
    return;
  }
  auto state = std::make_unique<ListState>();
  state->listProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(list, GWLP_WNDPROC));
  if (state->listProc == nullptr) {
    return;
  }
  PreparedLists().emplace(list, std::move(state));
  SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PreparedListProc));
  // The image list belongs to the list's state, so the control must not destroy it as well.
  const LONG_PTR style = GetWindowLongPtrW(list, GWL_STYLE);
  SetWindowLongPtrW(list, GWL_STYLE, style | LVS_SHAREIMAGELISTS);
}

void AddColumn(HWND list, int column, std::wstring_view caption, int width) {
  std::wstring text(caption);
  LVCOLUMNW item{};
  item.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  item.fmt = LVCFMT_LEFT;
  item.cx = width;
  item.pszText = text.data();
  item.iSubItem = column;
  SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&item));
}

void ClearRows(HWND list) {
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  if (ListState* state = StateOf(list)) {
    state->backColours.clear();
    state->imageOfIcon.clear();
    if (state->images) {
      ImageList_RemoveAll(state->images.get());
    }
  }
}

int AppendRow(HWND list, std::wstring_view cells, HICON icon) {
  ListState* state = StateOf(list);
  std::size_t end = cells.find(CellSeparator);
  std::wstring text(cells.substr(0, end));
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
  item.iItem = RowCount(list);
  item.pszText = text.data();
  item.iImage = ImageOf(list, state, icon);
  item.lParam = state != nullptr ? state->nextId++ : 0;
  const auto row =
      static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  for (int column = 1; row >= 0 && end != std::wstring_view::npos; ++column) {
    const std::size_t start = end + 1;
    end = cells.find(CellSeparator, start);
    const std::wstring_view piece =
        cells.substr(start, end == std::wstring_view::npos ? std::wstring_view::npos : end - start);
    if (!piece.empty()) {
      SetCellText(list, row, column, piece);
    }
  }
  return row;
}

RowId RowIdOf(HWND list, int row) {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (!SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) {
    return 0;
  }
  return item.lParam;
}

int RowOfId(HWND list, RowId id) {
  LVFINDINFOW find{};
  find.flags = LVFI_PARAM;
  find.lParam = id;
  return static_cast<int>(
      SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

int RowCount(HWND list) {
  return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

void SetCellText(HWND list, int row, int column, std::wstring_view text) {
  std::wstring copy(text);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = copy.data();
  SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

void SetRowBackColour(HWND list, int row, COLORREF colour) {
  ListState* state = StateOf(list);
  if (state == nullptr || row < 0 || row >= RowCount(list)) {
    return;
  }
  state->backColours[RowIdOf(list, row)] = colour;
  SendMessageW(list, LVM_REDRAWITEMS, row, row);
}

int SelectedRow(HWND list) {
  return static_cast<int>(
      SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::wstring CellText(HWND list, int row, int column) {
  if (row == -1) {
    return HeaderCaption(list, column);
  }
  for (int capacity = FirstCellCapacity;; capacity *= 2) {
    std::wstring text(capacity, L'\0');
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = capacity;
    const auto copied = static_cast<int>(
        SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
    // A text that filled the buffer may have been cut short: read it again with room to spare.
    if (copied < capacity - 1 || capacity >= CellCapacityLimit) {
      text.resize(copied > 0 ? copied : 0);
      return text;
    }
  }
}

bool PaintRowColours(LPARAM notifyHeader, LRESULT& result) {
  auto* header = reinterpret_cast<NMHDR*>(notifyHeader);
  if (header == nullptr || header->code != static_cast<UINT>(NM_CUSTOMDRAW)) {
    return false;
  }
  const ListState* state = StateOf(header->hwndFrom);
  if (state == nullptr) {
    return false;
  }
  auto& draw = *reinterpret_cast<NMLVCUSTOMDRAW*>(notifyHeader);
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      result = CDRF_NOTIFYITEMDRAW;
      break;
    case CDDS_ITEMPREPAINT:
      result = state->backColours.contains(static_cast<RowId>(draw.nmcd.lItemlParam))
                   ? CDRF_NOTIFYSUBITEMDRAW
                   : CDRF_DODEFAULT;
      break;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
      result = PaintSubItem(header->hwndFrom, *state, draw);
      break;
    default:
      result = CDRF_DODEFAULT;
      break;
  }
  return true;
}

}  // namespace tallyfold
