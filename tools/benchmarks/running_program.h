// What the whole-program benchmarks share: medians, the result line, and the program started as
// its own process (the same watcher the tests use).
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/running_program.h"

namespace tallyfold::bench {

using testing::BuiltProgram;
using testing::IsResultTitle;
using testing::ProgramWindowClass;
using testing::RunningProgram;
using testing::Seconds;
using testing::TimeLimitSeconds;
using testing::WindowText;

inline double Median(std::vector<double> values) {
  if (values.empty()) {
    return 0.0;
  }
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

inline void PrintResult(const char* name, double ours, double floor) {
  std::printf("%s: %.3f s vs %.3f s, ratio %.2f\n", name, ours, floor,
              floor > 0 ? ours / floor : 0.0);
}

// Reports an exit code other than 0; true when the code was 0.
inline bool CheckExit(long code) {
  if (code != 0) {
    std::printf("  the program ended with code %ld\n", code);
  }
  return code == 0;
}

// Seconds from the start of an empty window program until its window shows: the least any
// window program costs to start here; -1 when it failed.
inline double EmptyWindowStart() {
  RunningProgram program(BuiltProgram(L"tools\\benchmarks\\empty_window.exe"),
                         L"TallyfoldEmptyWindow", L"");
  const double shown = program.AwaitTitle([](const std::wstring&) { return true; });
  return CheckExit(program.Close()) ? shown : -1.0;
}

}  // namespace tallyfold::bench
