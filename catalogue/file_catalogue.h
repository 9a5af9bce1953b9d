#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tallyfold {

// Files are appended only while the catalogue holds at most this many paths, so a full
// catalogue holds one more: 98,305.
inline constexpr std::size_t CatalogueCap = 98'304;

// Full paths of the catalogued files in walk order; only ever appended to during a walk.
using FileCatalogue = std::vector<std::wstring>;

}  // namespace tallyfold
