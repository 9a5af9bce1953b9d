#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tallyfold {

// The drive box: a drop-down list of the drives there were at start-up, each with the shell's
// display name and small icon. It keeps a path text of its own, the root of the drive it shows.
[[nodiscard]] HWND CreateFolderBox(HWND parent, int id);

// Shows the drive of the root folder's first character and gives the box's path text for it:
// "E:\" for E:\data, empty when the first character is no letter.
[[nodiscard]] std::wstring ShowRootDrive(HWND box, std::wstring_view rootFolder);

// The drive root of the box's item, as its path text becomes when the user ends a choice on it.
[[nodiscard]] std::wstring DriveRootOfItem(HWND box, int item);

// The root a walk started from the box covers: C:\ or D:\ exactly as the box says, else C:\.
[[nodiscard]] std::wstring AcceptFolderText(std::wstring_view text);

}  // namespace tallyfold
