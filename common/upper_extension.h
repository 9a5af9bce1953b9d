#pragma once

#include <string>
#include <string_view>

namespace tallyfold {

// The one extension rule of the tally, the listing and the probes: the text after the last
// full stop of the path's last name, up to a double quote, upper-cased code unit by code unit.
// Empty when the name has no full stop, begins with one, or has a blank after its last one.
[[nodiscard]] std::wstring UpperExtension(std::wstring_view path);

}  // namespace tallyfold
