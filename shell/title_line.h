#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace tallyfold {

// The window title is the program's only status output.
[[nodiscard]] std::wstring RefreshingTitle();
// An extension-less file leaves the title ending in "... ]".
[[nodiscard]] std::wstring ProgressTitle(std::wstring_view extension);
// The word stays plural for every number, 0 and 1 included.
[[nodiscard]] std::wstring ResultTitle(std::size_t extensions);

void ShowRefreshingTitle(HWND window);
void ShowProgressTitle(HWND window, std::wstring_view extension);
void ShowResultTitle(HWND window, std::size_t extensions);

}  // namespace tallyfold
