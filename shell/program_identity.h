#pragma once

#include <string_view>

namespace tallyfold {

// Every window title begins with the program's name.
inline constexpr std::wstring_view ProgramName = L"Tallyfold";
inline constexpr std::wstring_view ProgramVersion = L"1.023";

}  // namespace tallyfold
