#pragma once

#include <windows.h>

#include <string>

#include "common/handles.h"

namespace tallyfold::testing {

// Starts a process from a command line, in the folder when one is given; program names the
// executable when the command line's first word does not (as for a Unix program under Wine).
// The process's handle, or none when it did not start; its id goes to *id when asked for.
inline KernelHandle StartProcess(std::wstring commandLine, const std::wstring& program = {},
                                 const std::wstring& folder = {}, DWORD flags = 0,
                                 DWORD* id = nullptr) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(program.empty() ? nullptr : program.c_str(), commandLine.data(), nullptr,
                        nullptr, FALSE, flags, nullptr, folder.empty() ? nullptr : folder.c_str(),
                        &startup, &started)) {
    return KernelHandle{};
  }
  const KernelHandle thread{started.hThread};
  if (id != nullptr) {
    *id = started.dwProcessId;
  }
  return KernelHandle{started.hProcess};
}

// A program of the build: the test and benchmark programs live in the folder that holds it or
// in folders below that one.
inline std::wstring BuiltProgram(const wchar_t* name) {
  wchar_t self[MAX_PATH];
  std::wstring folder(self, ::GetModuleFileNameW(nullptr, self, MAX_PATH));
  for (std::size_t cut = folder.rfind(L'\\'); cut != std::wstring::npos;
       cut = folder.rfind(L'\\')) {
    folder.resize(cut);
    const std::wstring candidate = folder + L"\\" + name;
    if (::GetFileAttributesW(candidate.c_str()) != INVALID_FILE_ATTRIBUTES) {
      return candidate;
    }
  }
  return name;
}

}  // namespace tallyfold::testing
