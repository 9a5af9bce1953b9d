// The whole program's listing of one extension, from the click on its row until the file list
// holds the last row, beside its floors measured in the same run. A full catalogue of one
// extension: against one enumeration of each folder that holds listed files (the floor), and
// two look-ups per path (how the listing once worked). A sparse case, one listed file in each
// folder of a hundred: against one look-up per listed path. Each floor inserts the same rows
// into a list view that does not draw meanwhile.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "catalogue/file_listing.h"
#include "catalogue/walk_folder.h"
#include "common/handles.h"
#include "common/list_view.h"
#include "shell/program_state.h"
#include "tools/benchmarks/local_file_list.h"
#include "tools/benchmarks/running_program.h"

namespace {

using namespace tallyfold;
using namespace tallyfold::bench;

constexpr int DefaultRounds = 3;
constexpr std::size_t CatalogueRows = 98'305;
constexpr std::wstring_view ListedEnding = L".log";
// The first row of the extension list, below its header.
constexpr int FirstRowX = 30, FirstRowY = 28;
constexpr UINT AskMilliseconds = 5'000;
// Each look from outside costs the program's main thread and the window server a round trip:
// looking too often would slow down what is measured.
constexpr DWORD ListingPollMilliseconds = 20;

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

// A list view in a window of its own, drawing held while the rows go in.
class FloorList {
 public:
  FloorList()
      : window_(::CreateWindowExW(0, WC_STATICW, L"listing floor", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  0, 0, ListWidth, ListHeight, nullptr, nullptr, nullptr, nullptr)),
        list_(MakeFileList(window_)) {
    ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  }
  ~FloorList() { ::DestroyWindow(window_); }
  FloorList(const FloorList&) = delete;
  FloorList& operator=(const FloorList&) = delete;

  void Insert(std::wstring path, const WIN32_FIND_DATAW& entry) {
    InsertRow(list_, row_++, std::move(path), entry);
  }
  void Finish() {
    ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    ::UpdateWindow(list_);
  }

 private:
  HWND window_;
  HWND list_;
  int row_ = 0;
};

// Looks each path up `lookUps` times and inserts its row.
double LookUpFloor(const std::vector<std::wstring>& paths, int lookUps) {
  FloorList list;
  const double start = Seconds();
  for (const std::wstring& path : paths) {
    WIN32_FIND_DATAW entry{};
    for (int lookUp = 0; lookUp < lookUps; ++lookUp) {
      FindHandle{::FindFirstFileW(path.c_str(), &entry)};
    }
    list.Insert(path, entry);
  }
  list.Finish();
  return Seconds() - start;
}

// Enumerates each folder that holds listed paths once and inserts the rows of its files.
double EnumerationFloor(const std::vector<std::wstring>& paths) {
  std::vector<std::wstring> folders;
  for (const std::wstring& path : paths) {
    const std::wstring folder = path.substr(0, path.rfind(L'\\') + 1);
    if (folders.empty() || folders.back() != folder) {
      folders.push_back(folder);
    }
  }
  FloorList list;
  const double start = Seconds();
  for (const std::wstring& folder : folders) {
    WIN32_FIND_DATAW entry;
    const FindHandle search{::FindFirstFileW((folder + L"*").c_str(), &entry)};
    if (!search) {
      continue;
    }
    do {
      if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        list.Insert(folder + entry.cFileName, entry);
      }
    } while (::FindNextFileW(search.get(), &entry));
  }
  list.Finish();
  return Seconds() - start;
}

// Where the program's time goes: the listing's own work, with its rows handed to a list view on
// the same thread (no cross-thread request, no window of the program), or to nothing at all.
double ListingPhase(const std::wstring& root, bool intoList) {
  FileCatalogue catalogue;
  ExtensionTally tally;
  StopRequest stop;
  WalkFolder(root, catalogue, tally, {}, stop);
  HWND window = ::CreateWindowExW(0, WC_STATICW, L"listing phase", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  0, 0, ListWidth, ListHeight, nullptr, nullptr, nullptr, nullptr);
  LocalListView view(intoList ? MakeFileList(window) : nullptr);
  const double start = Seconds();
  ListExtensionFiles(L"LOG", catalogue, view, stop);
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
double Ours(const std::wstring& root, std::size_t rows) {
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
    if (static_cast<std::size_t>(Ask(files, LVM_GETITEMCOUNT)) == rows) {
      took = Seconds() - start;
      break;
    }
    ::Sleep(ListingPollMilliseconds);
  }
  return CheckExit(program.Close()) ? took : -1.0;
}

}  // namespace

std::vector<std::wstring> ListedPaths(const std::wstring& root) {
  std::vector<std::wstring> paths;
  CollectPaths(root, paths);
  std::erase_if(paths, [](const std::wstring& path) { return !path.ends_with(ListedEnding); });
  return paths;
}

struct Figures {
  std::vector<double> Ours, Floor, OldFloor;
};

// Arguments: the full tree's and the sparse tree's Windows paths, optionally the rounds.
int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::printf("usage: listing_bench TREE SPARSE_TREE [ROUNDS]\n");
    return 2;
  }
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&controls);
  const std::wstring full = argv[1], sparse = argv[2];
  const int rounds = argc > 3 ? _wtoi(argv[3]) : DefaultRounds;
  const std::vector<std::wstring> fullPaths = ListedPaths(full);
  const std::vector<std::wstring> sparsePaths = ListedPaths(sparse);
  if (fullPaths.size() != CatalogueRows || sparsePaths.empty()) {
    std::printf("the trees hold %zu and %zu listed files\n", fullPaths.size(), sparsePaths.size());
    return 1;
  }
  Figures dense, thin;
  for (int round = 0; round < rounds; ++round) {
    dense.Ours.push_back(Ours(full, fullPaths.size()));
    dense.Floor.push_back(EnumerationFloor(fullPaths));
    dense.OldFloor.push_back(LookUpFloor(fullPaths, 2));
    thin.Ours.push_back(Ours(sparse, sparsePaths.size()));
    thin.Floor.push_back(LookUpFloor(sparsePaths, 1));
    std::printf(
        "round %d: %zu rows: program %.3f s, one enumeration per folder %.3f s, two look-ups "
        "per path %.3f s; sparse, %zu rows: program %.3f s, one look-up per path %.3f s\n",
        round + 1, fullPaths.size(), dense.Ours.back(), dense.Floor.back(), dense.OldFloor.back(),
        sparsePaths.size(), thin.Ours.back(), thin.Floor.back());
    if (dense.Ours.back() < 0 || thin.Ours.back() < 0) {
      return 1;
    }
  }
  std::printf("two look-ups per path: %.3f s\n", Median(dense.OldFloor));
  std::printf(
      "phases of the full listing: its look-ups and enumerations alone %.3f s, with "
      "its rows into a list on the same thread %.3f s\n",
      ListingPhase(full, false), ListingPhase(full, true));
  PrintResult("listing sparse", Median(thin.Ours), Median(thin.Floor));
  PrintResult("listing", Median(dense.Ours), Median(dense.Floor));
  return 0;
}
