#include "tests/support/temp_tree.h"

#include <atomic>
#include <stdexcept>

#include "common/handles.h"

namespace tallyfold::testing {
namespace {

void MakeParents(const std::wstring& path) {
  for (std::size_t at = path.find(L'\\', 3); at != std::wstring::npos;
       at = path.find(L'\\', at + 1)) {
    ::CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
  }
}

FileHandle CreateForWriting(const std::wstring& path) {
  MakeParents(path);
  FileHandle file{::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr)};
  if (!file) {
    throw std::runtime_error("cannot create a test file");
  }
  return file;
}

}  // namespace

std::wstring NewTempFolder(std::wstring_view prefix) {
  static std::atomic<unsigned> serial{0};
  wchar_t temp[MAX_PATH + 1];
  const DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
  const std::wstring base = std::wstring(temp, length) + std::wstring(prefix);
  MakeParents(base);
  for (;;) {
    std::wstring folder =
        base + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(serial++);
    if (::CreateDirectoryW(folder.c_str(), nullptr)) {
      return folder;
    }
    if (::GetLastError() != ERROR_ALREADY_EXISTS) {
      throw std::runtime_error("cannot make a temp folder");
    }
  }
}

TempTree::TempTree() : root_(NewTempFolder(L"tallyfold-tests\\t")) {}

TempTree::~TempTree() {
  RemoveTree(root_);
}

std::wstring TempTree::Path(std::wstring_view relative) const {
  return root_ + L"\\" + std::wstring(relative);
}

void TempTree::AddFolder(std::wstring_view relative) const {
  const std::wstring path = Path(relative);
  MakeParents(path + L"\\");
}

void TempTree::AddFile(std::wstring_view relative, std::string_view bytes) const {
  WriteFile(Path(relative), bytes);
}

void TempTree::WriteFile(const std::wstring& path, std::string_view bytes) {
  FileHandle file = CreateForWriting(path);
  DWORD written = 0;
  if (!bytes.empty() && (!::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                      &written, nullptr) ||
                         written != bytes.size())) {
    throw std::runtime_error("cannot write a test file");
  }
}

void TempTree::AddSizedFile(std::wstring_view relative, std::int64_t size) const {
  FileHandle file = CreateForWriting(Path(relative));
  LARGE_INTEGER end;
  end.QuadPart = size;
  if (!::SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) || !::SetEndOfFile(file.get())) {
    throw std::runtime_error("cannot size a test file");
  }
}

void TempTree::SetModified(std::wstring_view relative, const SYSTEMTIME& utc) const {
  FileHandle file{::CreateFileW(Path(relative).c_str(), FILE_WRITE_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
  FILETIME time;
  if (!file || !::SystemTimeToFileTime(&utc, &time) ||
      !::SetFileTime(file.get(), nullptr, nullptr, &time)) {
    throw std::runtime_error("cannot date a test file");
  }
}

void TempTree::Remove(std::wstring_view relative) const {
  RemoveTree(Path(relative));
}

bool RemoveTree(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    return true;
  }
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? ::RemoveDirectoryW(path.c_str())
                                                   : ::DeleteFileW(path.c_str());
  }
  WIN32_FIND_DATAW entry;
  if (FindHandle search{::FindFirstFileW((path + L"\\*").c_str(), &entry)}) {
    do {
      const std::wstring name = entry.cFileName;
      if (name != L"." && name != L"..") {
        RemoveTree(path + L"\\" + name);
      }
    } while (::FindNextFileW(search.get(), &entry));
  }
  return ::RemoveDirectoryW(path.c_str());
}

}  // namespace tallyfold::testing
