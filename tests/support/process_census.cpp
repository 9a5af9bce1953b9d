#include "tests/support/process_census.h"

#include <tlhelp32.h>

#include <atomic>
#include <thread>

#include "common/handles.h"

namespace tallyfold::testing {
namespace {

// Kernel handle values are multiples of four; a test process holds far fewer than this.
constexpr ULONG_PTR HandleValueEnd = 0x10000;
constexpr ULONG_PTR HandleValueStep = 4;
// Wine numbers GDI objects and user objects by a 16-bit index; a value whose upper half is 0
// names the live object at that index whatever its generation.
constexpr ULONG_PTR IndexEnd = 0x10000;
constexpr ULONG_PTR FirstUserIndex = 0x20;
constexpr ULONG_PTR UserIndexStep = 2;

int CountKernelHandles() {
  int count = 0;
  for (ULONG_PTR value = HandleValueStep; value < HandleValueEnd; value += HandleValueStep) {
    DWORD flags = 0;
    if (::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
      ++count;
    }
  }
  return count;
}

int CountGdiObjects() {
  int count = 0;
  for (ULONG_PTR value = 1; value < IndexEnd; ++value) {
    if (::GetObjectType(reinterpret_cast<HGDIOBJ>(value))) {
      ++count;
    }
  }
  return count;
}

BOOL CALLBACK CountOwnWindow(HWND window, LPARAM counter) {
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner == ::GetCurrentProcessId()) {
    ++*reinterpret_cast<int*>(counter);
    ::EnumChildWindows(window, CountOwnWindow, counter);
  }
  return TRUE;
}

int CountWindows() {
  int count = 0;
  ::EnumWindows(CountOwnWindow, reinterpret_cast<LPARAM>(&count));
  HWND messageOnly = nullptr;
  while ((messageOnly = ::FindWindowExW(HWND_MESSAGE, messageOnly, nullptr, nullptr))) {
    CountOwnWindow(messageOnly, reinterpret_cast<LPARAM>(&count));
  }
  return count;
}

int CountIcons() {
  int count = 0;
  for (ULONG_PTR value = FirstUserIndex; value < IndexEnd; value += UserIndexStep) {
    ICONINFO info{};
    if (::GetIconInfo(reinterpret_cast<HICON>(value), &info)) {
      ++count;
      // The look-up hands out copies of the icon's bitmaps.
      ::DeleteObject(info.hbmMask);
      ::DeleteObject(info.hbmColor);
    }
  }
  return count;
}

int CountMenus() {
  int count = 0;
  for (ULONG_PTR value = FirstUserIndex; value < IndexEnd; value += UserIndexStep) {
    if (::IsMenu(reinterpret_cast<HMENU>(value))) {
      ++count;
    }
  }
  return count;
}

}  // namespace

ResourceCensus TakeResourceCensus() {
  const HANDLE self = ::GetCurrentProcess();
  ResourceCensus census;
  DWORD handles = 0;
  census.kernelHandles = ::GetProcessHandleCount(self, &handles) && handles > 0
                             ? static_cast<int>(handles)
                             : CountKernelHandles();
  const DWORD gdi = ::GetGuiResources(self, GR_GDIOBJECTS);
  const DWORD user = ::GetGuiResources(self, GR_USEROBJECTS);
  // Icons are counted before the GDI objects: their look-up makes and frees bitmaps.
  census.icons = user > 0 ? 0 : CountIcons();
  census.menus = user > 0 ? 0 : CountMenus();
  census.windows = user > 0 ? static_cast<int>(user) : CountWindows();
  census.gdiObjects = gdi > 0 ? static_cast<int>(gdi) : CountGdiObjects();
  return census;
}

std::string Describe(const ResourceCensus& census) {
  return "kernel handles " + std::to_string(census.kernelHandles) + ", GDI objects " +
         std::to_string(census.gdiObjects) + ", windows " + std::to_string(census.windows) +
         ", icons " + std::to_string(census.icons) + ", menus " + std::to_string(census.menus);
}

int LiveThreadCount() {
  // A failed snapshot is INVALID_HANDLE_VALUE, as for files.
  const FileHandle snapshot{::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0)};
  if (!snapshot) {
    return -1;
  }
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL more = ::Thread32First(snapshot.get(), &entry); more;
       more = ::Thread32Next(snapshot.get(), &entry)) {
    if (entry.th32OwnerProcessID == ::GetCurrentProcessId()) {
      ++count;
    }
  }
  return count;
}

bool AnswersPromptly(ProgramWindow& program, DWORD withinMs) {
  std::atomic<bool> done = false;
  std::atomic<bool> answered = false;
  HWND window = program.State().MainWindow;
  std::thread asker([&] {
    DWORD_PTR result = 0;
    answered = ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, withinMs, &result) != 0;
    done = true;
  });
  // The timeout of the question itself bounds this wait.
  const bool ended = program.PumpUntil([&] { return done.load(); }, withinMs * 4);
  asker.join();
  return ended && answered;
}

}  // namespace tallyfold::testing
