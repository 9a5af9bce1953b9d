#pragma once

#include <windows.h>

#include <string>

#include "tests/support/program_window.h"

namespace tallyfold::testing {

// What this process holds of each kind of platform resource, counted in ways that work both on
// Windows and under Wine: Wine's GetProcessHandleCount always answers 0 and its GetGuiResources
// answers 0 for both kinds, so there the live handle values themselves are looked for.
struct ResourceCensus {
  int kernelHandles = 0;
  int gdiObjects = 0;
  // On Windows all user objects together; under Wine the windows alone.
  int windows = 0;
  int icons = 0;
  int menus = 0;
  bool operator==(const ResourceCensus&) const = default;
};

[[nodiscard]] ResourceCensus TakeResourceCensus();
[[nodiscard]] std::string Describe(const ResourceCensus& census);

// The threads of this process that are alive now.
[[nodiscard]] int LiveThreadCount();

// Whether another thread gets an answer from the program's window within the time while the
// program's loop runs on this thread.
[[nodiscard]] bool AnswersPromptly(ProgramWindow& program, DWORD withinMs);

}  // namespace tallyfold::testing
