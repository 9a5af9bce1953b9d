// The whole program's start-up, from process start until its window shows, beside the same for
// a program that shows an empty window; and the program's peak memory once its catalogue is full.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tools/benchmarks/running_program.h"

namespace {

using namespace tallyfold::bench;

constexpr int DefaultRounds = 7;
constexpr double Megabyte = 1024.0 * 1024.0;

bool IsStartTitle(const std::wstring& title) {
  return title == L"Tallyfold" || title.starts_with(L"Tallyfold [Refreshing");
}

struct ProgramRound {
  double shown = -1.0;
  PROCESS_MEMORY_COUNTERS memory{};
};

// The program on the tree: its start-up, then its memory after the scan has ended.
ProgramRound Ours(const std::wstring& root) {
  ProgramRound round;
  RunningProgram program(BuiltProgram(L"tallyfold.exe"), ProgramWindowClass, root);
  if (!program.Started()) {
    return round;
  }
  const double shown = program.AwaitTitle(IsStartTitle);
  if (program.AwaitTitle(IsResultTitle) < 0 ||
      !::GetProcessMemoryInfo(program.Process(), &round.memory, sizeof round.memory)) {
    std::printf("  no memory figures: error %lu\n", ::GetLastError());
  }
  round.shown = CheckExit(program.Close()) ? shown : -1.0;
  return round;
}

}  // namespace

// Arguments: the Windows path of the tree the program walks, optionally the number of rounds.
int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::printf("usage: startup_bench TREE [ROUNDS]\n");
    return 2;
  }
  const int rounds = argc > 2 ? _wtoi(argv[2]) : DefaultRounds;
  std::vector<double> ours, floors;
  for (int round = 0; round < rounds; ++round) {
    const ProgramRound program = Ours(argv[1]);
    const double floor = EmptyWindowStart();
    std::printf(
        "round %d: window shown after %.3f s, empty window after %.3f s; peak working set "
        "%.1f MB, peak pagefile use %.1f MB, working set at the end %.1f MB\n",
        round + 1, program.shown, floor, program.memory.PeakWorkingSetSize / Megabyte,
        program.memory.PeakPagefileUsage / Megabyte, program.memory.WorkingSetSize / Megabyte);
    if (program.shown < 0 || floor < 0) {
      return 1;
    }
    ours.push_back(program.shown);
    floors.push_back(floor);
  }
  PrintResult("startup", Median(ours), Median(floors));
  return 0;
}
