#pragma once

#include <string>

#include "tests/support/temp_tree.h"

namespace tallyfold::testing {

// A folder on drive D: of the test prefix, made empty for the test and removed after it. Drive D:
// holds nothing else while a test runs, so a walk of D:\ covers this folder alone.
class DriveDFolder {
 public:
  explicit DriveDFolder(std::wstring name) : folder_(L"D:\\" + std::move(name)) {
    RemoveTree(folder_);
    ::CreateDirectoryW(folder_.c_str(), nullptr);
  }
  ~DriveDFolder() { RemoveTree(folder_); }
  DriveDFolder(const DriveDFolder&) = delete;
  DriveDFolder& operator=(const DriveDFolder&) = delete;

  // The folder, without a trailing backslash.
  [[nodiscard]] const std::wstring& Root() const { return folder_; }
  [[nodiscard]] std::wstring Path(std::wstring_view relative) const {
    return folder_ + L"\\" + std::wstring(relative);
  }
  void AddFile(std::wstring_view relative, std::string_view bytes) const {
    TempTree::WriteFile(Path(relative), bytes);
  }

 private:
  std::wstring folder_;
};

}  // namespace tallyfold::testing
