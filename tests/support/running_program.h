#pragma once

#include <windows.h>

#include <string>

#include "common/handles.h"
#include "tests/support/process.h"
#include "tests/support/window_text.h"

namespace tallyfold::testing {

inline constexpr wchar_t ProgramWindowClass[] = L"TallyfoldMainWindow";
inline constexpr DWORD EndMilliseconds = 10'000;
inline constexpr DWORD PollMilliseconds = 1;
inline constexpr double TimeLimitSeconds = 300.0;

inline double Seconds() {
  LARGE_INTEGER now{}, frequency{};
  ::QueryPerformanceCounter(&now);
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline bool IsResultTitle(const std::wstring& title) {
  return title.starts_with(L"Tallyfold [") && title.ends_with(L" extensions]");
}

// A program started as its own process and watched from outside as a user would, through its
// window.
class RunningProgram {
 public:
  RunningProgram(const std::wstring& program, const wchar_t* windowClass,
                 const std::wstring& argument)
      : windowClass_(windowClass) {
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!argument.empty()) {
      commandLine += L" \"" + argument + L"\"";
    }
    start_ = Seconds();
    process_ = StartProcess(commandLine, {}, {}, 0, &id_);
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
      if (window && ::IsWindowVisible(window) && test(WindowText(window))) {
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

}  // namespace tallyfold::testing
