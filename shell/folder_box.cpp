#include "shell/folder_box.h"

#include <commctrl.h>
#include <shellapi.h>

namespace tallyfold {
namespace {

constexpr int BoxLeft = 10, BoxTop = 15, BoxWidth = 310, BoxHeight = 25;
constexpr int DropDownHeight = 350;
constexpr int DriveLetters = 26;

std::wstring DriveRoot(wchar_t letter) {
  return {letter, L':', L'\\'};
}

void AddDrive(HWND box, wchar_t letter) {
  const std::wstring root = DriveRoot(letter);
  SHFILEINFOW info{};
  ::SHGetFileInfoW(root.c_str(), 0, &info, sizeof info,
                   SHGFI_DISPLAYNAME | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
  COMBOBOXEXITEMW item{};
  item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_LPARAM;
  item.iItem = -1;
  item.pszText = info.szDisplayName;
  item.iImage = item.iSelectedImage = info.iIcon;
  item.lParam = letter;
  ::SendMessageW(box, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void AttachSystemImageList(HWND box) {
  SHFILEINFOW info{};
  // The system image list belongs to the shell: the box only borrows it.
  const auto images = reinterpret_cast<HIMAGELIST>(
      ::SHGetFileInfoW(L"C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  ::SendMessageW(box, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
}

}  // namespace

HWND CreateFolderBox(HWND parent, int id) {
  HWND box = ::CreateWindowExW(0, WC_COMBOBOXEXW, L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST,
                               BoxLeft, BoxTop, BoxWidth, BoxHeight + DropDownHeight, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               ::GetModuleHandleW(nullptr), nullptr);
  if (!box) {
    return nullptr;
  }
  AttachSystemImageList(box);
  const DWORD drives = ::GetLogicalDrives();
  for (int bit = 0; bit < DriveLetters; ++bit) {
    if (drives & (1u << bit)) {
      AddDrive(box, static_cast<wchar_t>(L'A' + bit));
    }
  }
  return box;
}

std::wstring ShowRootDrive(HWND box, std::wstring_view rootFolder) {
  wchar_t letter = rootFolder.empty() ? L'\0' : rootFolder.front();
  if (letter >= L'a' && letter <= L'z') {
    letter = static_cast<wchar_t>(letter - L'a' + L'A');
  }
  int shown = -1;
  const bool isDrive = letter >= L'A' && letter <= L'Z';
  const int items = static_cast<int>(::SendMessageW(box, CB_GETCOUNT, 0, 0));
  for (int item = 0; isDrive && item < items; ++item) {
    if (DriveRootOfItem(box, item) == DriveRoot(letter)) {
      shown = item;
    }
  }
  ::SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(shown), 0);
  return isDrive ? DriveRoot(letter) : std::wstring();
}

std::wstring DriveRootOfItem(HWND box, int item) {
  COMBOBOXEXITEMW entry{};
  entry.mask = CBEIF_LPARAM;
  entry.iItem = item;
  if (item < 0 || !::SendMessageW(box, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&entry))) {
    return {};
  }
  return DriveRoot(static_cast<wchar_t>(entry.lParam));
}

std::wstring AcceptFolderText(std::wstring_view text) {
  if (text == L"C:\\" || text == L"D:\\") {
    return std::wstring(text);
  }
  return L"C:\\";
}

}  // namespace tallyfold
