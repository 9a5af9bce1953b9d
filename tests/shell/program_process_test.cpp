#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "common/handles.h"
#include "tests/support/temp_tree.h"

namespace tallyfold {
namespace {

using testing::TempTree;

constexpr DWORD WaitMilliseconds = 60'000;
constexpr DWORD EndMilliseconds = 10'000;

std::wstring ProgramPath() {
  wchar_t path[MAX_PATH];
  std::wstring self(path, ::GetModuleFileNameW(nullptr, path, MAX_PATH));
  return self.substr(0, self.rfind(L"\\tests\\")) + L"\\tallyfold.exe";
}

// The built program running as a process of its own, watched from outside as a user would.
class RunningProgram {
 public:
  explicit RunningProgram(const std::wstring& root) {
    std::wstring commandLine = L"\"" + ProgramPath() + L"\" \"" + root + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                         &startup, &started)) {
      process_.reset(started.hProcess);
      KernelHandle thread{started.hThread};
      id_ = started.dwProcessId;
    }
  }

  ~RunningProgram() {
    if (process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
      ::TerminateProcess(process_.get(), 99);
    }
  }

  [[nodiscard]] bool Started() const { return static_cast<bool>(process_); }

  // Waits until the window's title satisfies the test; false when it did not in time.
  template <typename Test>
  bool AwaitTitle(Test test) {
    const ULONGLONG end = ::GetTickCount64() + WaitMilliseconds;
    while (::GetTickCount64() < end) {
      if (HWND window = Window(); window && test(Title(window))) {
        return true;
      }
      ::Sleep(10);
    }
    return false;
  }

  [[nodiscard]] HWND Window() const {
    HWND window = nullptr;
    while ((window = ::FindWindowExW(nullptr, window, L"TallyfoldMainWindow", nullptr))) {
      DWORD owner = 0;
      ::GetWindowThreadProcessId(window, &owner);
      if (owner == id_) {
        return window;
      }
    }
    return nullptr;
  }

  [[nodiscard]] static std::wstring Title(HWND window) {
    wchar_t title[256];
    return std::wstring(title, static_cast<std::size_t>(::GetWindowTextW(window, title, 256)));
  }

  // Asks the window to close; the exit code once the process has ended, or -1 if it did not.
  long Close(DWORD* tookMs = nullptr) {
    const ULONGLONG start = ::GetTickCount64();
    ::PostMessageW(Window(), WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(process_.get(), EndMilliseconds) != WAIT_OBJECT_0) {
      return -1;
    }
    if (tookMs) {
      *tookMs = static_cast<DWORD>(::GetTickCount64() - start);
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process_.get(), &code);
    return static_cast<long>(code);
  }

 private:
  KernelHandle process_;
  DWORD id_ = 0;
};

void MakeTree(const TempTree& tree, int files) {
  for (int file = 0; file < files; ++file) {
    tree.AddFile(L"f" + std::to_wstring(file % 10) + L"\\file" + std::to_wstring(file) +
                     (file % 3 ? L".txt" : L".bin"),
                 "x");
  }
}

constexpr int SortClicks = 3;
constexpr DWORD CloseWithinMs = 1000;
constexpr DWORD BusyProbeMs = 2;
constexpr DWORD SteadyMs = 300;

// True once the window's thread has not answered within a moment: it is busy sorting.
bool AwaitBusy(HWND window) {
  const ULONGLONG end = ::GetTickCount64() + CloseWithinMs;
  while (::GetTickCount64() < end) {
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, BusyProbeMs, &result)) {
      return true;
    }
  }
  return false;
}

// Waits until the list's row count has not changed for a while: its listing is done.
bool AwaitSteadyRowCount(HWND list) {
  const ULONGLONG end = ::GetTickCount64() + WaitMilliseconds;
  LRESULT last = -1;
  ULONGLONG since = ::GetTickCount64();
  while (::GetTickCount64() < end) {
    const LRESULT rows = ::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    if (rows != last) {
      last = rows;
      since = ::GetTickCount64();
    } else if (::GetTickCount64() - since >= SteadyMs) {
      return true;
    }
    ::Sleep(10);
  }
  return false;
}

bool IsResultTitle(const std::wstring& title) {
  return title.ends_with(L" extensions]");
}

TEST(Program, WalksItsRootShowsTheResultAndClosesWithCodeZero) {
  TempTree tree;
  MakeTree(tree, 30);
  RunningProgram program(tree.Root());
  ASSERT_TRUE(program.Started());
  ASSERT_TRUE(program.AwaitTitle(IsResultTitle));
  EXPECT_EQ(RunningProgram::Title(program.Window()), L"Tallyfold [2 extensions]");
  HWND list = ::GetDlgItem(program.Window(), 12);
  EXPECT_EQ(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(program.Close(), 0);
}

TEST(Program, ClosingMidScanEndsAtOnceWithCodeZero) {
  TempTree tree;
  MakeTree(tree, 6000);
  RunningProgram program(tree.Root());
  ASSERT_TRUE(program.AwaitTitle(
      [](const std::wstring& title) { return title.starts_with(L"Tallyfold [Refreshing"); }));
  DWORD took = 0;
  EXPECT_EQ(program.Close(&took), 0);
  std::printf("closing mid-scan took %lu ms\n", took);
}

TEST(Program, ClosingMidListingAndMidSortEndsWithCodeZero) {
  TempTree tree;
  MakeTree(tree, 6000);
  for (bool sortFirst : {false, true}) {
    RunningProgram program(tree.Root());
    ASSERT_TRUE(program.AwaitTitle(IsResultTitle));
    HWND window = program.Window();
    HWND extensions = ::GetDlgItem(window, 12);
    HWND files = ::GetDlgItem(window, 13);
    // A click on the first row, which holds the TXT files, the most numerous.
    const LPARAM firstRow = MAKELPARAM(30, 28);
    ::PostMessageW(extensions, WM_LBUTTONDOWN, MK_LBUTTON, firstRow);
    ::PostMessageW(extensions, WM_LBUTTONUP, 0, firstRow);
    const ULONGLONG end = ::GetTickCount64() + WaitMilliseconds;
    while (::SendMessageW(files, LVM_GETITEMCOUNT, 0, 0) == 0 && ::GetTickCount64() < end) {
      ::Sleep(5);
    }
    ASSERT_GT(::SendMessageW(files, LVM_GETITEMCOUNT, 0, 0), 0);
    bool sorting = false;
    if (sortFirst) {
      // The whole listing first, so that the sort below is of every row.
      ASSERT_TRUE(AwaitSteadyRowCount(files));
      HWND header = reinterpret_cast<HWND>(::SendMessageW(files, LVM_GETHEADER, 0, 0));
      for (int click = 0; click < SortClicks; ++click) {
        ::PostMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 8));
        ::PostMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(20, 8));
      }
      sorting = AwaitBusy(window);
    }
    DWORD took = 0;
    EXPECT_EQ(program.Close(&took), 0);
    EXPECT_LT(took, CloseWithinMs);
    if (sortFirst) {
      // The window did not answer while the sort ran, so the close came in the midst of it.
      EXPECT_TRUE(sorting);
    }
    std::printf("closing mid-%s took %lu ms\n", sortFirst ? "sort" : "listing", took);
  }
}

}  // namespace
}  // namespace tallyfold
