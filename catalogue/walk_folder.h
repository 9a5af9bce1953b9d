#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string_view>

#include "catalogue/extension_tally.h"
#include "catalogue/file_catalogue.h"
#include "common/stop_request.h"

namespace tallyfold {

// Called with the extension of the file just catalogued whenever the catalogue size becomes a
// multiple of ProgressInterval; empty text when that file has no extension.
using ProgressHook = std::function<void(std::wstring_view extension)>;

inline constexpr std::size_t ProgressInterval = 5000;
// A subfolder is entered only when its whole path holds fewer backslashes than this.
inline constexpr std::size_t DepthLimit = 9;
// A subfolder whose name holds one of these, compared after lowering, is not entered. The
// first is "pro gram " with its blanks, so "Program Files" is walked.
inline constexpr std::array<std::wstring_view, 3> ExcludedNameFragments = {L"pro gram ", L"windows",
                                                                           L"$recyc"};

// Walks the folder depth first, a folder's files before its subfolders: tallies every file
// under its UpperExtension (1 to 7 code units) and appends its full path to the catalogue
// until the catalogue is full. Folders that cannot be read are skipped without a word; a set
// stop request ends the walk between two entries or two subfolders.
void WalkFolder(std::wstring_view folder, FileCatalogue& catalogue, ExtensionTally& tally,
                const ProgressHook& progress, const StopRequest& stop);

}  // namespace tallyfold
