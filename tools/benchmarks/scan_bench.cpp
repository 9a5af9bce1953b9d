// The whole program's scan of a big tree, from process start to the result title, beside its
// floor: the bare enumeration of the same tree plus the probes of one sample per extension.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <fstream>
#include <string>
#include <vector>

#include "common/handles.h"
#include "probes/binary_test.h"
#include "probes/entropy.h"
#include "probes/signature.h"
#include "shell/program_state.h"
#include "tools/benchmarks/running_program.h"

namespace {

using namespace tallyfold;
using namespace tallyfold::bench;

constexpr int DefaultRounds = 5;
constexpr UINT AskMilliseconds = 5'000;
// Each look from outside costs the program's main thread and the window server a round trip:
// looking too often would slow down what is measured.
constexpr DWORD ScanPollMilliseconds = 5;

std::size_t CountEntries(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  const FindHandle search{::FindFirstFileW((folder + L"\\*").c_str(), &entry)};
  if (!search) {
    return 0;
  }
  std::size_t files = 0;
  std::vector<std::wstring> subfolders;
  do {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      ++files;
    } else if (std::wcscmp(entry.cFileName, L".") && std::wcscmp(entry.cFileName, L"..")) {
      subfolders.push_back(folder + L"\\" + entry.cFileName);
    }
  } while (::FindNextFileW(search.get(), &entry));
  for (const std::wstring& subfolder : subfolders) {
    files += CountEntries(subfolder);
  }
  return files;
}

// The probes the scan makes of one sample: the text test, and for binary bytes the entropy
// and the leading word.
void Probe(const std::wstring& path) {
  if (IsBinaryFile(path)) {
    static_cast<void>(FileEntropy(path));
    static_cast<void>(ReadLeadingWord(path));
  }
}

std::vector<std::wstring> ReadSamples(const std::wstring& root, const char* list) {
  std::vector<std::wstring> samples;
  std::ifstream file(list);
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (!line.empty()) {
      samples.push_back(root + L"\\" + std::wstring(line.begin(), line.end()));
    }
  }
  return samples;
}

double Floor(const std::wstring& root, const std::vector<std::wstring>& samples,
             std::size_t& files) {
  const double start = Seconds();
  files = CountEntries(root);
  for (const std::wstring& sample : samples) {
    Probe(sample);
  }
  return Seconds() - start;
}

// When the window showed, when the first extension row was in (the walk had ended) and when
// the result title showed, in seconds from the process's start.
struct Phases {
  double shown = -1.0, firstRow = -1.0, result = -1.0;
};

// Watches one run: the title from the window server, the row count from the list itself.
Phases Watch(const RunningProgram& program, std::wstring& title) {
  Phases phases;
  while (phases.result < 0 && Seconds() - program.StartedAt() < TimeLimitSeconds &&
         !program.HasEnded()) {
    const HWND window = program.Window();
    const double now = Seconds() - program.StartedAt();
    if (window && ::IsWindowVisible(window)) {
      phases.shown = phases.shown < 0 ? now : phases.shown;
      DWORD_PTR rows = 0;
      ::SendMessageTimeoutW(::GetDlgItem(window, ExtensionListId), LVM_GETITEMCOUNT, 0, 0,
                            SMTO_NORMAL, AskMilliseconds, &rows);
      phases.firstRow = phases.firstRow < 0 && rows > 0 ? now : phases.firstRow;
      title = WindowText(window);
      phases.result = IsResultTitle(title) ? now : -1.0;
    }
    ::Sleep(ScanPollMilliseconds);
  }
  return phases;
}

// One run of the program; a result of -1 when it failed.
Phases Ours(const std::wstring& root, std::wstring& title) {
  RunningProgram program(BuiltProgram(L"tallyfold.exe"), ProgramWindowClass, root);
  if (!program.Started()) {
    return Phases{};
  }
  Phases phases = Watch(program, title);
  if (!CheckExit(program.Close())) {
    phases.result = -1.0;
  }
  return phases;
}

}  // namespace

// Arguments: the tree's Windows path, the list of its samples (one relative path a line), and
// optionally the number of rounds.
int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::printf("usage: scan_bench TREE SAMPLE_LIST [ROUNDS]\n");
    return 2;
  }
  const std::wstring root = argv[1];
  const std::string list(argv[2], argv[2] + std::wcslen(argv[2]));
  const int rounds = argc > 3 ? _wtoi(argv[3]) : DefaultRounds;
  const std::vector<std::wstring> samples = ReadSamples(root, list.c_str());
  std::size_t files = 0;
  Floor(root, samples, files);  // warms the file cache for both sides
  std::vector<double> ours, floors;
  std::wstring title;
  for (int round = 0; round < rounds; ++round) {
    const Phases phases = Ours(root, title);
    const double took = phases.result;
    const double floor = Floor(root, samples, files);
    std::printf(
        "round %d: program %.3f s (window shown %.3f s, walk ended by %.3f s), floor %.3f s\n",
        round + 1, took, phases.shown, phases.firstRow, floor);
    if (took < 0) {
      return 1;
    }
    ours.push_back(took);
    floors.push_back(floor);
  }
  std::printf("%zu files, %zu samples; the program's title: %ls\n", files, samples.size(),
              title.c_str());
  PrintResult("scan", Median(ours), Median(floors));
  return 0;
}
