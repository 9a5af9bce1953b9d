#include "tests/catalogue/walk_fixtures.h"

#include <windows.h>

#include <stdexcept>

#include "common/handles.h"
#include "tests/support/temp_tree.h"

namespace tallyfold::testing {
namespace {

constexpr wchar_t UnixShell[] = L"Z:\\bin\\sh";
constexpr DWORD PollMilliseconds = 50;
constexpr int PollsBeforeGivingUp = 2400;  // two minutes

bool Exists(const std::wstring& path) {
  return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteAscii(const std::wstring& path, const std::string& text) {
  FileHandle file{::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr)};
  DWORD written = 0;
  if (!file ||
      !::WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) {
    throw std::runtime_error("cannot write a list file");
  }
}

// The list for the Unix side: forward slashes, one path a line. Bulk names are plain ASCII.
std::string UnixList(const std::vector<std::wstring>& files) {
  std::string list;
  for (const std::wstring& file : files) {
    for (const wchar_t unit : file) {
      list.push_back(unit == L'\\' ? '/' : static_cast<char>(unit));
    }
    list.push_back('\n');
  }
  return list;
}

void CreateThroughWin32(const std::wstring& root, const std::vector<std::wstring>& files) {
  for (const std::wstring& file : files) {
    const std::wstring path = root + L"\\" + file;
    for (std::size_t at = path.find(L'\\', root.size() + 1); at != std::wstring::npos;
         at = path.find(L'\\', at + 1)) {
      ::CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
    }
    FileHandle made{::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (!made) {
      throw std::runtime_error("cannot create a bulk file");
    }
  }
}

}  // namespace

WalkOutcome WalkAndRecord(std::wstring_view folder) {
  WalkOutcome outcome;
  const StopRequest stop;
  const ProgressHook hook = [&outcome](std::wstring_view extension) {
    outcome.ProgressExtensions.emplace_back(extension);
    outcome.ProgressSizes.push_back(outcome.Catalogue.size());
  };
  WalkFolder(folder, outcome.Catalogue, outcome.Tally, hook, stop);
  return outcome;
}

std::int32_t CountOf(const ExtensionTally& tally, std::wstring_view key) {
  const TallyEntry* entry = tally.Find(key);
  return entry ? entry->Count : 0;
}

std::wstring SampleOf(const ExtensionTally& tally, std::wstring_view key) {
  const TallyEntry* entry = tally.Find(key);
  return entry ? entry->SamplePath : std::wstring();
}

std::vector<std::wstring> CataloguedUnder(const FileCatalogue& catalogue,
                                          std::wstring_view prefix) {
  std::vector<std::wstring> relative;
  for (std::wstring_view path : catalogue) {
    if (path.starts_with(prefix)) {
      relative.emplace_back(path.substr(prefix.size()));
    }
  }
  return relative;
}

bool RunUnixShell(const std::wstring& folder, const std::wstring& command,
                  const std::wstring& marker) {
  // Wine starts a Unix program without a process handle to give back: only the call's own
  // answer tells whether it started.
  std::wstring commandLine = L"sh -c \"" + command + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(UnixShell, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &started)) {
    return false;
  }
  const KernelHandle process{started.hProcess};
  const KernelHandle thread{started.hThread};
  for (int poll = 0; poll < PollsBeforeGivingUp; ++poll) {
    if (Exists(marker)) {
      return true;
    }
    ::Sleep(PollMilliseconds);
  }
  return false;
}

BulkTree::BulkTree(const std::vector<std::wstring>& files)
    : base_(NewTempFolder(L"tallyfold-bulk-")), root_(base_ + L"\\tree") {
  WriteAscii(base_ + L"\\list.txt", UnixList(files));
  const std::wstring command =
      L"mkdir tree && cd tree && sed -n 's|/[^/]*$||p' ../list.txt | sort -u | "
      L"xargs -r mkdir -p && xargs touch < ../list.txt && touch ../ready";
  if (!RunUnixShell(base_, command, base_ + L"\\ready")) {
    ::CreateDirectoryW(root_.c_str(), nullptr);
    CreateThroughWin32(root_, files);
  }
}

BulkTree::~BulkTree() {
  const std::size_t split = base_.rfind(L'\\');
  const std::wstring parent = base_.substr(0, split);
  const std::wstring name = base_.substr(split + 1);
  const std::wstring marker = base_ + L".removed";
  if (RunUnixShell(parent, L"rm -rf " + name + L" && touch " + name + L".removed", marker)) {
    ::DeleteFileW(marker.c_str());
  } else {
    RemoveTree(base_);
  }
}

}  // namespace tallyfold::testing
