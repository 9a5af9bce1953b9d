// The whole program's scan of a big tree, from process start to the result title, beside its
// floor measured in the same run: the start of an empty window program, the bare enumeration
// of the same tree, and one bare read of the bytes that the probes of each sample look at (one
// open per sample). The probes as the scan once made them (three opens, two directory
// look-ups) are timed beside it.
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
#include "probes/sample_file.h"
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
// Until the first row is in, the list is asked only every this many looks.
constexpr int RowPollsDuringTheWalk = 10;

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

// The probes as the scan once made them: the text test, and for binary bytes the entropy and
// the leading word, each with its own open.
void ThreeProbes(const std::wstring& path) {
  if (IsBinaryFile(path)) {
    static_cast<void>(FileEntropy(path));
    static_cast<void>(ReadLeadingWord(path));
  }
}

// The tree's samples: extensions 0 to 3 of every ten hold binary bytes, the others text.
bool IsBinarySampleOfTree(const std::wstring& path) {
  constexpr int Kinds = 10, BinaryKinds = 4;
  return _wtoi(path.c_str() + path.rfind(L".e") + 2) % Kinds < BinaryKinds;
}

// One open of the sample and one read of the bytes its probes look at: for a text sample the
// text test's bytes, for a binary one the entropy's layout, which covers the text test's and
// the leading word (a large file's first half and the half from its middle).
void BareRead(const std::wstring& path, std::vector<std::uint8_t>& buffer) {
  const FileHandle file{::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr)};
  LARGE_INTEGER size{};
  ::GetFileSizeEx(file.get(), &size);
  const std::size_t length =
      IsBinarySampleOfTree(path)
          ? std::max(EntropySampleLength(size.QuadPart), TextSampleLength(size.QuadPart))
          : TextSampleLength(size.QuadPart);
  const bool split = IsBinarySampleOfTree(path) && size.QuadPart > HeadOnlyLimit;
  DWORD read = 0;
  ::ReadFile(file.get(), buffer.data(), static_cast<DWORD>(split ? SplitHalf : length), &read,
             nullptr);
  if (split) {
    ::SetFilePointer(file.get(), static_cast<LONG>(size.QuadPart / 2), nullptr, FILE_BEGIN);
    ::ReadFile(file.get(), buffer.data() + SplitHalf, static_cast<DWORD>(SplitHalf), &read,
               nullptr);
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

// The floor's parts: the bare enumeration and the bare reads of the samples.
struct FloorParts {
  double walk = 0.0, reads = 0.0;
};

FloorParts BareWork(const std::wstring& root, const std::vector<std::wstring>& samples,
                    std::size_t& files) {
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(SplitSampleLength));
  FloorParts parts;
  const double start = Seconds();
  files = CountEntries(root);
  parts.walk = Seconds() - start;
  for (const std::wstring& sample : samples) {
    BareRead(sample, buffer);
  }
  parts.reads = Seconds() - start - parts.walk;
  return parts;
}

double OldProbes(const std::vector<std::wstring>& samples) {
  const double start = Seconds();
  for (const std::wstring& sample : samples) {
    ThreeProbes(sample);
  }
  return Seconds() - start;
}

// When the window showed, when the first extension row was in (the walk had ended), when the
// last row was in and when the result title showed (the rows were sorted), in seconds from the
// process's start.
struct Phases {
  double shown = -1.0, firstRow = -1.0, allRows = -1.0, result = -1.0;
};

// Watches one run: the title from the window server, the row count from the list itself.
Phases Watch(const RunningProgram& program, std::size_t extensions, std::wstring& title) {
  Phases phases;
  HWND window = nullptr;
  for (int poll = 0; phases.result < 0 && Seconds() - program.StartedAt() < TimeLimitSeconds &&
                     !program.HasEnded();
       ++poll) {
    window = window ? window : program.Window();
    const double now = Seconds() - program.StartedAt();
    if (window && ::IsWindowVisible(window)) {
      phases.shown = phases.shown < 0 ? now : phases.shown;
      DWORD_PTR rows = 0;
      if (phases.firstRow < 0 && poll % RowPollsDuringTheWalk != 0) {
        ::Sleep(ScanPollMilliseconds);
        continue;
      }
      ::SendMessageTimeoutW(::GetDlgItem(window, ExtensionListId), LVM_GETITEMCOUNT, 0, 0,
                            SMTO_NORMAL, AskMilliseconds, &rows);
      phases.firstRow = phases.firstRow < 0 && rows > 0 ? now : phases.firstRow;
      phases.allRows = phases.allRows < 0 && rows == extensions ? now : phases.allRows;
      title = WindowText(window);
      phases.result = IsResultTitle(title) ? now : -1.0;
    }
    ::Sleep(ScanPollMilliseconds);
  }
  return phases;
}

// One run of the program; a result of -1 when it failed.
Phases Ours(const std::wstring& root, std::size_t extensions, std::wstring& title) {
  RunningProgram program(BuiltProgram(L"tallyfold.exe"), ProgramWindowClass, root);
  if (!program.Started()) {
    return Phases{};
  }
  Phases phases = Watch(program, extensions, title);
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
  BareWork(root, samples, files);  // warms the file cache for both sides
  std::vector<double> ours, floors, oldProbes, reads;
  std::wstring title;
  for (int round = 0; round < rounds; ++round) {
    const Phases phases = Ours(root, samples.size(), title);
    const double start = EmptyWindowStart();
    const FloorParts bare = BareWork(root, samples, files);
    const double floor = start + bare.walk + bare.reads;
    std::printf(
        "round %d: program %.3f s (window shown %.3f s, walk ended by %.3f s, rows done %.3f s, "
        "sorted %.3f s); floor %.3f s (window program %.3f s, enumeration %.3f s, sample reads "
        "%.3f s)\n",
        round + 1, phases.result, phases.shown, phases.firstRow, phases.allRows, phases.result,
        floor, start, bare.walk, bare.reads);
    if (phases.result < 0 || start < 0) {
      return 1;
    }
    ours.push_back(phases.result);
    floors.push_back(floor);
    reads.push_back(bare.reads);
    oldProbes.push_back(OldProbes(samples));
  }
  std::printf("%zu files, %zu samples; the program's title: %ls\n", files, samples.size(),
              title.c_str());
  std::printf("the samples' three separate probes: %.3f s, against their bare reads %.3f s\n",
              Median(oldProbes), Median(reads));
  PrintResult("scan", Median(ours), Median(floors));
  return 0;
}
