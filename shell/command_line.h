#pragma once

#include <string>
#include <string_view>

namespace tallyfold {

// The first parameter of a whole command line, as the program reads it: items are split at
// blanks (runs of blanks count as one), a stretch between double quotes belongs to one item
// with its blanks, every double quote is removed, and a backslash means nothing special. The
// program's own name, the first item, is not a parameter. Empty text when there is none.
[[nodiscard]] std::wstring FirstParameter(std::wstring_view commandLine);

}  // namespace tallyfold
