#include "shell/title_line.h"

#include "shell/program_identity.h"

namespace tallyfold {

std::wstring RefreshingTitle() {
  return std::wstring(ProgramName) + L" [Refreshing...]";
}

std::wstring ProgressTitle(std::wstring_view extension) {
  return std::wstring(ProgramName) + L" [Refreshing... " + std::wstring(extension) + L"]";
}

std::wstring ResultTitle(std::size_t extensions) {
  return std::wstring(ProgramName) + L" [" + std::to_wstring(extensions) + L" extensions]";
}

void ShowRefreshingTitle(HWND window) {
  SetWindowTextW(window, RefreshingTitle().c_str());
}

void ShowProgressTitle(HWND window, std::wstring_view extension) {
  SetWindowTextW(window, ProgressTitle(extension).c_str());
}

void ShowResultTitle(HWND window, std::size_t extensions) {
  SetWindowTextW(window, ResultTitle(extensions).c_str());
}

}  // namespace tallyfold
