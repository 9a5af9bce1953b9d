#pragma once

#include <string_view>

#include "shell/program_version.h"

namespace tallyfold {

// Every window title begins with the program's name.
inline constexpr std::wstring_view ProgramName = L"Tallyfold";

}  // namespace tallyfold
