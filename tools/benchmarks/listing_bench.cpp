// The whole program's listing of a full catalogue of one extension, from the click on its row
// until the file list holds the last row, beside its floor: two directory look-ups per path and
// the same rows inserted into a list view that does not draw meanwhile.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "common/handles.h"
#include "shell/program_state.h"
#include "tools/benchmarks/running_program.h"

namespace {

using namespace tallyfold;
using namespace tallyfold::bench;

constexpr int DefaultRounds = 3;
constexpr std::size_t CatalogueRows = 98'305;
// The first row of the extension list, below its header.
constexpr int FirstRowX = 30, FirstRowY = 28;
constexpr UINT AskMilliseconds = 5'000;
// Each look from outside costs the program's main thread and the window server a round trip:
// looking too often would slow down what is measured.
constexpr DWORD ListingPollMilliseconds = 20;
constexpr int ListWidth = 655, ListHeight = 440;
constexpr int ColumnWidths[] = {440, 90, 90};

// The paths the program catalogues, in its order: a folder's files, then its subfolders.
void CollectPaths(const std::wstring& folder, std::vector<std::wstring>& paths) {
  WIN32_FIND_DATAW entry;
  std::vector<std::wstring> subfolders;
  {
    const FindHandle search{::FindFirstFileW((folder + L"\\*.*").c_str(), &entry)};
    if (!search) {
      return;
    }
    do {
      if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        if (paths.size() < CatalogueRows) {
          paths.push_back(folder + L"\\" + entry.cFileName);
        }
      } else if (std::wcscmp(entry.cFileName, L".") && std::wcscmp(entry.cFileName, L"..")) {
        subfolders.push_back(folder + L"\\" + entry.cFileName);
      }
    } while (::FindNextFileW(search.get(), &entry));
  }
  for (const std::wstring& subfolder : subfolders) {
    CollectPaths(subfolder, paths);
  }
}

HWND MakeFileList(HWND window) {
  HWND list = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0,
                                ListWidth, ListHeight, window, nullptr, nullptr, nullptr);
  for (int column = 0; column < 3; ++column) {
    LVCOLUMNW item{};
    item.mask = LVCF_WIDTH | LVCF_SUBITEM;
    item.cx = ColumnWidths[column];
    item.iSubItem = column;
    ::SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&item));
  }
  return list;
}

void SetCell(HWND list, int row, int column, std::wstring text) {
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text.data();
  ::SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

std::wstring DateText(const FILETIME& time) {
  FILETIME local;
  SYSTEMTIME date{};
  ::FileTimeToLocalFileTime(&time, &local);
  ::FileTimeToSystemTime(&local, &date);
  wchar_t text[16];
  std::swprintf(text, 16, L"%04u-%02u-%02u", date.wYear, date.wMonth, date.wDay);
  return text;
}

void InsertRow(HWND list, int row, std::wstring path, const WIN32_FIND_DATAW& entry) {
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = row;
  item.pszText = path.data();
  item.lParam = row + 1;
  ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  const ULONGLONG size = (static_cast<ULONGLONG>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
  SetCell(list, row, 1, std::to_wstring(size));
  SetCell(list, row, 2, DateText(entry.ftLastWriteTime));
}

double Floor(const std::vector<std::wstring>& paths) {
  HWND window = ::CreateWindowExW(0, WC_STATICW, L"listing floor", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  0, 0, ListWidth, ListHeight, nullptr, nullptr, nullptr, nullptr);
  HWND list = MakeFileList(window);
  const double start = Seconds();
  ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  int row = 0;
  for (const std::wstring& path : paths) {
    WIN32_FIND_DATAW entry{};
    for (int lookUp = 0; lookUp < 2; ++lookUp) {
      FindHandle{::FindFirstFileW(path.c_str(), &entry)};
    }
    InsertRow(list, row++, path, entry);
  }
  ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  ::UpdateWindow(list);
  const double took = Seconds() - start;
  ::DestroyWindow(window);
  return took;
}

LRESULT Ask(HWND control, UINT message) {
  DWORD_PTR answer = 0;
  ::SendMessageTimeoutW(control, message, 0, 0, SMTO_NORMAL, AskMilliseconds, &answer);
  return static_cast<LRESULT>(answer);
}

// One run of the program: seconds from the click on the extension's row until the file list
// holds every row, or -1.
double Ours(const std::wstring& root) {
  RunningProgram program(BuiltProgram(L"tallyfold.exe"), ProgramWindowClass, root);
  if (!program.Started() || program.AwaitTitle(IsResultTitle) < 0) {
    return -1.0;
  }
  HWND window = program.Window();
  HWND extensions = ::GetDlgItem(window, ExtensionListId);
  HWND files = ::GetDlgItem(window, FileListId);
  const LPARAM firstRow = MAKELPARAM(FirstRowX, FirstRowY);
  const double start = Seconds();
  ::PostMessageW(extensions, WM_LBUTTONDOWN, MK_LBUTTON, firstRow);
  ::PostMessageW(extensions, WM_LBUTTONUP, 0, firstRow);
  double took = -1.0;
  while (Seconds() - start < TimeLimitSeconds) {
    if (static_cast<std::size_t>(Ask(files, LVM_GETITEMCOUNT)) == CatalogueRows) {
      took = Seconds() - start;
      break;
    }
    ::Sleep(ListingPollMilliseconds);
  }
  return CheckExit(program.Close()) ? took : -1.0;
}

}  // namespace

// Arguments: the tree's Windows path, optionally the number of rounds.
int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::printf("usage: listing_bench TREE [ROUNDS]\n");
    return 2;
  }
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&controls);
  const std::wstring root = argv[1];
  const int rounds = argc > 2 ? _wtoi(argv[2]) : DefaultRounds;
  std::vector<std::wstring> paths;
  CollectPaths(root, paths);
  if (paths.size() != CatalogueRows) {
    std::printf("the tree holds %zu files, fewer than a full catalogue\n", paths.size());
    return 1;
  }
  std::vector<double> ours, floors;
  for (int round = 0; round < rounds; ++round) {
    const double took = Ours(root);
    const double floor = Floor(paths);
    std::printf("round %d: program %.3f s, floor %.3f s\n", round + 1, took, floor);
    if (took < 0) {
      return 1;
    }
    ours.push_back(took);
    floors.push_back(floor);
  }
  std::printf("%zu rows\n", paths.size());
  PrintResult("listing", Median(ours), Median(floors));
  return 0;
}
