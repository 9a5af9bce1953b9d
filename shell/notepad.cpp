#include "shell/notepad.h"

#include <windows.h>
#include <shellapi.h>

#include "common/handles.h"

namespace tallyfold {
namespace {

bool StartNotepad(const std::wstring& path) {
  std::wstring commandLine = NotepadCommandLine(path);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                        nullptr, nullptr, &startup, &started)) {
    return false;
  }
  KernelHandle process{started.hProcess};
  KernelHandle thread{started.hThread};
  return true;
}

void AskShellForNotepad(const std::wstring& path) {
  SHELLEXECUTEINFOW execute{};
  execute.cbSize = sizeof execute;
  execute.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC | SEE_MASK_NOCLOSEPROCESS;
  execute.lpFile = L"notepad";
  execute.lpParameters = path.c_str();
  execute.nShow = SW_SHOWNORMAL;
  if (::ShellExecuteExW(&execute)) {
    KernelHandle process{execute.hProcess};
  }
}

}  // namespace

std::wstring NotepadCommandLine(std::wstring_view path) {
  std::wstring commandLine = L"\"notepad\"";
  if (!path.empty()) {
    commandLine += L' ';
    commandLine += path;
  }
  return commandLine;
}

void OpenInNotepad(const std::wstring& path) {
  if (!StartNotepad(path)) {
    AskShellForNotepad(path);
  }
}

}  // namespace tallyfold
