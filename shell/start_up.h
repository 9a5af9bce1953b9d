#pragma once

#include <string>
#include <string_view>

#include "shell/program_state.h"

namespace tallyfold {

// The folder the first walk covers: the command line's first parameter when it names an
// existing folder or drive, unchanged; C:\ otherwise.
[[nodiscard]] std::wstring ChooseRootFolder(std::wstring_view commandLine);

// Makes the program's state and window, shows the refreshing title, installs the column-click
// hook and starts the first scan. The state lives until the process ends; null when the window
// cannot be made.
[[nodiscard]] ProgramState* StartUp(std::wstring_view commandLine);

}  // namespace tallyfold
