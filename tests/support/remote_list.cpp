#include "tests/support/remote_list.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>

namespace tallyfold::testing {
namespace {

// Room for the longest path a cell can hold, behind the request itself.
constexpr int TextCapacity = 32'768;
constexpr std::size_t RequestRoom = 256;
constexpr std::size_t LentBytes = RequestRoom + TextCapacity * sizeof(wchar_t);
constexpr DWORD ReadAccess =
    PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_LIMITED_INFORMATION;

static_assert(sizeof(LVITEMW) <= RequestRoom && sizeof(HDITEMW) <= RequestRoom);

HANDLE OpenOwner(HWND window) {
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  return owner ? ::OpenProcess(ReadAccess, FALSE, owner) : nullptr;
}

}  // namespace

RemoteList::RemoteList(HWND list)
    : list_(list),
      header_(reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0))),
      process_(OpenOwner(list)) {
  if (process_) {
    lent_ = ::VirtualAllocEx(process_.get(), nullptr, LentBytes, MEM_COMMIT | MEM_RESERVE,
                             PAGE_READWRITE);
  }
}

RemoteList::~RemoteList() {
  if (lent_) {
    ::VirtualFreeEx(process_.get(), lent_, 0, MEM_RELEASE);
  }
}

int RemoteList::RowCount() const {
  return static_cast<int>(::SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
}

int RemoteList::ColumnCount() const {
  return header_ ? static_cast<int>(::SendMessageW(header_, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

template <typename Request>
std::wstring RemoteList::Ask(HWND target, UINT message, WPARAM wParam, Request request) const {
  if (!lent_ || !target) {
    return {};
  }
  auto* text = static_cast<char*>(lent_) + RequestRoom;
  request.pszText = reinterpret_cast<wchar_t*>(text);
  request.cchTextMax = TextCapacity;
  if (!::WriteProcessMemory(process_.get(), lent_, &request, sizeof request, nullptr)) {
    return {};
  }
  const LRESULT answer = ::SendMessageW(target, message, wParam, reinterpret_cast<LPARAM>(lent_));
  // A list view answers with the length it copied; a header only whether it copied, its caption
  // then ending at its terminator.
  const LRESULT length = message == LVM_GETITEMTEXTW ? answer : (answer ? TextCapacity : 0);
  std::wstring read(static_cast<std::size_t>(std::clamp<LRESULT>(length, 0, TextCapacity)), L'\0');
  if (!read.empty() && !::ReadProcessMemory(process_.get(), text, read.data(),
                                            read.size() * sizeof(wchar_t), nullptr)) {
    return {};
  }
  read.resize(std::wcslen(read.c_str()));
  return read;
}

std::wstring RemoteList::Caption(int column) const {
  HDITEMW request{};
  request.mask = HDI_TEXT;
  return Ask(header_, HDM_GETITEMW, static_cast<WPARAM>(column), request);
}

std::wstring RemoteList::Cell(int row, int column) const {
  LVITEMW request{};
  request.iSubItem = column;
  return Ask(list_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), request);
}

std::vector<std::vector<std::wstring>> RemoteList::Rows(int limit) const {
  std::vector<std::vector<std::wstring>> rows;
  const int count = std::min(RowCount(), limit);
  const int columns = ColumnCount();
  for (int row = 0; row < count; ++row) {
    std::vector<std::wstring>& cells = rows.emplace_back();
    for (int column = 0; column < columns; ++column) {
      cells.push_back(Cell(row, column));
    }
  }
  return rows;
}

}  // namespace tallyfold::testing
