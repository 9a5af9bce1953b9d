// What the whole-program benchmarks share: a clock, medians, and a program started as its own
// process and watched from outside as a user would, through its window.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "common/handles.h"

namespace tallyfold::bench {

inline constexpr DWORD EndMilliseconds = 10'000;
inline constexpr DWORD PollMilliseconds = 1;
inline constexpr double TimeLimitSeconds = 300.0;

inline double Seconds() {
  LARGE_INTEGER now{}, frequency{};
  ::QueryPerformanceCounter(&now);
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

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

// A program built beside the benchmarks: the benchmarks live in tools\benchmarks of the build.
inline std::wstring BuiltProgram(const wchar_t* name) {
  wchar_t self[MAX_PATH];
  std::wstring path(self, ::GetModuleFileNameW(nullptr, self, MAX_PATH));
  return path.substr(0, path.rfind(L"\\tools\\")) + L"\\" + name;
}

inline std::wstring Title(HWND window) {
  wchar_t title[256];
  return std::wstring(title, static_cast<std::size_t>(::GetWindowTextW(window, title, 256)));
}

class RunningProgram {
 public:
  RunningProgram(const std::wstring& program, const wchar_t* windowClass,
                 const std::wstring& argument)
      : windowClass_(windowClass) {
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!argument.empty()) {
      commandLine += L" \"" + argument + L"\"";
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    start_ = Seconds();
    if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                         &startup, &started)) {
      process_.reset(started.hProcess);
      KernelHandle thread{started.hThread};
      id_ = started.dwProcessId;
    }
  }

  ~RunningProgram() {
    if (process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
      ::TerminateProcess(process_.get(), 1);
    }
  }

  [[nodiscard]] bool Started() const { return static_cast<bool>(process_); }
  [[nodiscard]] HANDLE Process() const { return process_.get(); }
  [[nodiscard]] double StartedAt() const { return start_; }
  [[nodiscard]] bool HasEnded() const {
    return ::WaitForSingleObject(process_.get(), 0) != WAIT_TIMEOUT;
  }

  [[nodiscard]] HWND Window() const {
    HWND window = nullptr;
    while ((window = ::FindWindowExW(nullptr, window, windowClass_, nullptr))) {
      DWORD owner = 0;
      ::GetWindowThreadProcessId(window, &owner);
      if (owner == id_) {
        return window;
      }
    }
    return nullptr;
  }

  // Seconds from the process's start until its visible window's title passes the test; -1 when
  // that did not happen in time or the process ended.
  template <typename Test>
  double AwaitTitle(Test test) const {
    while (Seconds() - start_ < TimeLimitSeconds &&
           ::WaitForSingleObject(process_.get(), PollMilliseconds) == WAIT_TIMEOUT) {
      const HWND window = Window();
      if (window && ::IsWindowVisible(window) && test(Title(window))) {
        return Seconds() - start_;
      }
    }
    return -1.0;
  }

  // Asks the window to close; the exit code once the process has ended, -1 if it did not.
  long Close() const {
    ::PostMessageW(Window(), WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(process_.get(), EndMilliseconds) != WAIT_OBJECT_0) {
      return -1;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process_.get(), &code);
    return static_cast<long>(code);
  }

 private:
  const wchar_t* windowClass_;
  KernelHandle process_;
  DWORD id_ = 0;
  double start_ = 0.0;
};

inline bool IsResultTitle(const std::wstring& title) {
  return title.starts_with(L"Tallyfold [") && title.ends_with(L" extensions]");
}

inline constexpr wchar_t ProgramWindowClass[] = L"TallyfoldMainWindow";

// Reports an exit code other than 0; true when the code was 0.
inline bool CheckExit(long code) {
  if (code != 0) {
    std::printf("  the program ended with code %ld\n", code);
  }
  return code == 0;
}

}  // namespace tallyfold::bench
