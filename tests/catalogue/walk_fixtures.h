#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/extension_tally.h"
#include "catalogue/file_catalogue.h"
#include "catalogue/walk_folder.h"

namespace tallyfold::testing {

struct WalkOutcome {
  FileCatalogue Catalogue;
  ExtensionTally Tally;
  // Each progress report: the extension passed and the catalogue size at that moment.
  std::vector<std::wstring> ProgressExtensions;
  std::vector<std::size_t> ProgressSizes;
};

// Walks the folder with a hook that records every progress report.
WalkOutcome WalkAndRecord(std::wstring_view folder);

// A key's count and sample, 0 and empty text when the key is missing.
std::int32_t CountOf(const ExtensionTally& tally, std::wstring_view key);
std::wstring SampleOf(const ExtensionTally& tally, std::wstring_view key);

// The catalogued paths that begin with the prefix, with the prefix taken off, in walk order.
std::vector<std::wstring> CataloguedUnder(const FileCatalogue& catalogue, std::wstring_view prefix);

// Runs a command of the Unix shell that Wine runs beside it, in the given folder, and waits
// until the command has made the marker file. Wine cannot wait for a Unix process itself.
// False where there is no such shell (on Windows) or the marker never comes.
bool RunUnixShell(const std::wstring& folder, const std::wstring& command,
                  const std::wstring& marker);

// Makes a folder of empty files from a list of relative paths (backslashes). Through the Unix
// shell when there is one, since creating 100,000 files through Wine takes about a minute.
class BulkTree {
 public:
  explicit BulkTree(const std::vector<std::wstring>& files);
  ~BulkTree();
  BulkTree(const BulkTree&) = delete;
  BulkTree& operator=(const BulkTree&) = delete;

  // The tree's folder, without a trailing backslash.
  [[nodiscard]] const std::wstring& Root() const { return root_; }

 private:
  std::wstring base_;
  std::wstring root_;
};

}  // namespace tallyfold::testing
