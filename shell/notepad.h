#pragma once

#include <string>
#include <string_view>

namespace tallyfold {

// "notepad" in double quotes, then one blank and the path as it is, when there is a path.
[[nodiscard]] std::wstring NotepadCommandLine(std::wstring_view path);

// Starts Notepad on the path without waiting for it; asks the shell when Notepad cannot be
// started directly. Nothing is shown when neither works.
void OpenInNotepad(const std::wstring& path);

}  // namespace tallyfold
