#pragma once

#include <windows.h>

#include <string>

namespace tallyfold::testing {

// A window's text as GetWindowTextW gives it: the title of a top-level window, the caption of a
// control. Empty for no window.
inline std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace tallyfold::testing
