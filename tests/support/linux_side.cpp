#include "tests/support/linux_side.h"

#include <windows.h>

#include <atomic>

#include "common/handles.h"
#include "tests/support/temp_tree.h"

namespace tallyfold::testing {
namespace {

constexpr wchar_t LinuxShell[] = L"Z:\\bin\\sh";
constexpr wchar_t LinuxTemp[] = L"Z:\\tmp\\";
constexpr DWORD MarkerPollMs = 20;
constexpr unsigned MillisecondsPerSecond = 1000;

std::wstring NewLinuxName(const wchar_t* kind) {
  static std::atomic<unsigned> serial{0};
  return std::wstring(L"tallyfold-") + kind + L"-" + std::to_wstring(::GetCurrentProcessId()) +
         L"-" + std::to_wstring(serial++);
}

std::string Narrow(std::wstring_view text) {
  std::string narrow(text.size(), '\0');
  for (std::size_t at = 0; at < text.size(); ++at) {
    narrow[at] = static_cast<char>(text[at]);
  }
  return narrow;
}

std::wstring Wide(std::string_view text) {
  return std::wstring(text.begin(), text.end());
}

bool Exists(const std::wstring& path) {
  return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

bool HasLinuxSide() {
  return Exists(LinuxShell);
}

std::string LinuxPath(std::wstring_view zPath) {
  std::string path = Narrow(zPath.substr(2));
  for (char& c : path) {
    c = c == '\\' ? '/' : c;
  }
  return path;
}

bool RunLinuxCommands(std::string_view commands, unsigned timeoutSeconds) {
  const std::wstring name = NewLinuxName(L"run");
  const std::wstring script = LinuxTemp + name + L".sh";
  // Wine may report a Linux program ended before its work shows: the last command leaves a
  // mark, and the mark is what is waited for; a second mark tells that every command worked.
  const std::wstring ended = LinuxTemp + name + L".ended";
  const std::wstring worked = LinuxTemp + name + L".worked";
  std::string text = "cd /tmp && (\nset -e\n";
  text += commands;
  text += "\n) && touch '" + LinuxPath(worked) + "'\ntouch '" + LinuxPath(ended) + "'\n";
  TempTree::WriteFile(script, text);
  std::wstring commandLine = L"/bin/sh " + Wide(LinuxPath(script));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (::CreateProcessW(LinuxShell, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &started)) {
    KernelHandle process{started.hProcess};
    KernelHandle thread{started.hThread};
    const ULONGLONG end = ::GetTickCount64() + ULONGLONG{timeoutSeconds} * MillisecondsPerSecond;
    while (!Exists(ended) && ::GetTickCount64() < end) {
      ::Sleep(MarkerPollMs);
    }
  }
  const bool result = Exists(ended) && Exists(worked);
  for (const std::wstring& file : {script, ended, worked}) {
    ::DeleteFileW(file.c_str());
  }
  return result;
}

LinuxTree::LinuxTree(std::string_view commands) : root_(LinuxTemp + NewLinuxName(L"tree")) {
  const std::string folder = LinuxPath(root_);
  built_ =
      RunLinuxCommands("mkdir '" + folder + "'\ncd '" + folder + "'\n" + std::string(commands)) &&
      Exists(root_);
}

LinuxTree::~LinuxTree() {
  RunLinuxCommands("rm -rf '" + LinuxPath(root_) + "'");
}

std::wstring LinuxTree::Path(std::wstring_view relative) const {
  return root_ + L"\\" + std::wstring(relative);
}

}  // namespace tallyfold::testing
