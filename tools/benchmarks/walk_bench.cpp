// Times WalkFolder against the floor, a bare recursive FindFirstFileW/FindNextFileW
// enumeration of the same tree, in alternating rounds. Usage: walk_bench.exe FOLDER
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "catalogue/walk_folder.h"
#include "common/handles.h"

namespace {

using namespace tallyfold;

constexpr int Rounds = 7;

double Seconds() {
  LARGE_INTEGER frequency;
  LARGE_INTEGER now;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The same reading order as the walk (one enumeration open at a time), nothing kept.
void Enumerate(const std::wstring& folder, std::size_t& files) {
  std::vector<std::wstring> subfolders;
  WIN32_FIND_DATAW entry;
  {
    const FindHandle search{::FindFirstFileW((folder + L"*.*").c_str(), &entry)};
    if (!search) {
      return;
    }
    do {
      const std::wstring_view name = entry.cFileName;
      if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ++files;
      } else if (name != L"." && name != L"..") {
        subfolders.push_back(folder + std::wstring(name) + L"\\");
      }
    } while (::FindNextFileW(search.get(), &entry));
  }
  for (const std::wstring& subfolder : subfolders) {
    Enumerate(subfolder, files);
  }
}

// Like the program, which keeps one catalogue and one tally for its whole run and clears them
// before each walk, so that later walks reuse the memory the first one touched.
double TimeWalk(const std::wstring& root, FileCatalogue& catalogue, ExtensionTally& tally,
                std::size_t& files) {
  catalogue.clear();
  tally.Clear();
  const StopRequest stop;
  const double start = Seconds();
  WalkFolder(
      root, catalogue, tally, [](std::wstring_view) {}, stop);
  const double elapsed = Seconds() - start;
  files = catalogue.size();
  return elapsed;
}

double TimeFloor(const std::wstring& root, std::size_t& files) {
  files = 0;
  const double start = Seconds();
  Enumerate(root, files);
  return Seconds() - start;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fwprintf(stderr, L"usage: walk_bench FOLDER\n");
    return 2;
  }
  std::wstring root = argv[1];
  if (root.back() != L'\\') {
    root.push_back(L'\\');
  }
  std::size_t walked = 0;
  std::size_t enumerated = 0;
  FileCatalogue catalogue;
  ExtensionTally tally;
  TimeWalk(root, catalogue, tally, walked);  // warms the caches for both
  std::vector<double> ours;
  std::vector<double> fresh;
  std::vector<double> floor;
  for (int round = 0; round < Rounds; ++round) {
    ours.push_back(TimeWalk(root, catalogue, tally, walked));
    floor.push_back(TimeFloor(root, enumerated));
    // A first walk writes its paths into memory the process never touched before.
    FileCatalogue freshCatalogue;
    ExtensionTally freshTally;
    fresh.push_back(TimeWalk(root, freshCatalogue, freshTally, walked));
  }
  const double oursMedian = Median(ours);
  const double floorMedian = Median(floor);
  std::wprintf(L"files: %zu catalogued by the walk, %zu enumerated by the floor\n", walked,
               enumerated);
  std::wprintf(L"WalkFolder into a fresh catalogue, median of %d rounds: %.3f s\n", Rounds,
               Median(fresh));
  std::wprintf(L"WalkFolder into the cleared catalogue, median of %d rounds: %.3f s\n", Rounds,
               oursMedian);
  std::wprintf(L"bare enumeration median of %d rounds: %.3f s\n", Rounds, floorMedian);
  std::wprintf(L"walk: %.3f s vs %.3f s, ratio %.2f\n", oursMedian, floorMedian,
               oursMedian / floorMedian);
  return 0;
}
