// The listing body on the tree of huge folders (tools/benchmarks/bench_tree.py huge), in this
// process and into a real list view on this thread, beside its floor: two directory look-ups
// per listed path and the same rows appended with drawing off. Two cases: the files of one
// extension in the folder of 100,000 files, and the one file of each of 20,000 subfolders.
// Usage: huge_listing_bench.exe TREE [ROUNDS]
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "catalogue/extension_tally.h"
#include "catalogue/file_listing.h"
#include "common/upper_extension.h"
#include "catalogue/walk_folder.h"
#include "common/handles.h"
#include "common/list_view.h"
#include "tools/benchmarks/local_file_list.h"
#include "tools/benchmarks/running_program.h"

namespace {

using namespace tallyfold;
using namespace tallyfold::bench;

constexpr int DefaultRounds = 3;
constexpr const wchar_t* Cases[] = {L"H3", L"SUB"};

void Pump() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::DispatchMessageW(&message);
  }
}

double Ours(HWND list, const FileCatalogue& catalogue, const wchar_t* extension) {
  LocalListView view(list);
  const StopRequest stop;
  const double start = Seconds();
  ListExtensionFiles(extension, catalogue, view, stop);
  ::UpdateWindow(list);
  return Seconds() - start;
}

double Floor(HWND list, const std::vector<std::wstring>& paths) {
  const double start = Seconds();
  ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  ClearRows(list);
  for (const std::wstring& path : paths) {
    WIN32_FIND_DATAW entry{};
    for (int lookUp = 0; lookUp < 2; ++lookUp) {
      FindHandle{::FindFirstFileW(path.c_str(), &entry)};
    }
    AppendRow(list, path + L"\n" + std::to_wstring(entry.nFileSizeLow) + L"\n2000-01-01", nullptr);
  }
  ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  ::UpdateWindow(list);
  return Seconds() - start;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::printf("usage: huge_listing_bench TREE [ROUNDS]\n");
    return 2;
  }
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&controls);
  const int rounds = argc > 2 ? _wtoi(argv[2]) : DefaultRounds;
  FileCatalogue catalogue;
  ExtensionTally tally;
  const StopRequest stop;
  const double walkStart = Seconds();
  WalkFolder(
      argv[1], catalogue, tally, [](std::wstring_view) {}, stop);
  std::printf("walk: %zu files catalogued in %.3f s\n", catalogue.size(), Seconds() - walkStart);
  HWND window = ::CreateWindowExW(0, WC_STATICW, L"huge listing", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  0, 0, ListWidth, ListHeight, nullptr, nullptr, nullptr, nullptr);
  HWND list = MakeFileList(window);
  double oursTotal = 0.0, floorTotal = 0.0;
  for (const wchar_t* extension : Cases) {
    std::vector<std::wstring> paths;
    for (std::wstring_view path : catalogue) {
      if (UpperExtension(path) == extension) {
        paths.emplace_back(path);
      }
    }
    std::vector<double> ours, floors;
    for (int round = 0; round < rounds; ++round) {
      ours.push_back(Ours(list, catalogue, extension));
      Pump();
      floors.push_back(Floor(list, paths));
      Pump();
    }
    std::printf("%ls: %zu rows, listing %.3f s, floor %.3f s (medians of %d rounds)\n", extension,
                paths.size(), Median(ours), Median(floors), rounds);
    oursTotal += Median(ours);
    floorTotal += Median(floors);
  }
  ::DestroyWindow(window);
  PrintResult("listing huge", oursTotal, floorTotal);
  return 0;
}
