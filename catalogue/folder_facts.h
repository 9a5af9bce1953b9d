#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "catalogue/file_facts.h"
#include "common/stop_request.h"

namespace tallyfold {

// Reads the facts of the named files of one folder (`folder` ends in a backslash) from a single
// enumeration of it. A name is answered only where the enumeration gives exactly what a look-up
// of folder + name would: the name is listed as it stands, and no other entry's long or short
// name equals it but for letter case. Every other name stays empty, and so do all of them when
// the folder cannot be enumerated, when it holds more than `entryBudget` entries, or when a
// stop comes: the caller looks those up one by one.
[[nodiscard]] std::vector<std::optional<FileFacts>> ReadFolderFacts(
    std::wstring_view folder, std::span<const std::wstring_view> names, std::size_t entryBudget,
    const StopRequest& stop);

}  // namespace tallyfold
