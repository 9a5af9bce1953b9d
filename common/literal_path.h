#pragma once

#include <string>
#include <string_view>

namespace tallyfold {

// True when the Win32 path rules would hand the file system other names than the path holds:
// a name that ends in a full stop or a blank (the rules drop those), or a last name that the
// rules take for a device (CON, NUL, COM1, ...). Such names come from other systems: network
// shares, Linux tools, archives.
[[nodiscard]] bool IsRewrittenByPathRules(std::wstring_view path) noexcept;

// The form of a path, as the walk built it, to give the platform for one call: for a full drive
// path (C:\...) or a share path (\\server\share\...) whose names the path rules would rewrite,
// the form the platform takes literally (\\?\C:\... or \\?\UNC\server\share\...), with slashes
// turned into backslashes, empty and "." names dropped and ".." taken back, as those rules do.
// Every other path comes back unchanged. Wildcards in the last name keep their meaning.
[[nodiscard]] std::wstring LiteralPath(std::wstring_view path);

}  // namespace tallyfold
