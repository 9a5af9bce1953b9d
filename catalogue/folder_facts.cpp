#include "catalogue/folder_facts.h"

#include <windows.h>

#include <string>
#include <unordered_map>

#include "common/handles.h"
#include "common/literal_path.h"

namespace tallyfold {
namespace {

constexpr std::wstring_view EveryEntry = L"*";

// Folds letter case as the file system compares names; `folded` is reused for every name.
void FoldInto(std::wstring_view name, std::wstring& folded) {
  folded.assign(name);
  ::CharUpperBuffW(folded.data(), static_cast<DWORD>(folded.size()));
}

// What the enumeration learns about the wanted names.
class WantedNames {
 public:
  explicit WantedNames(std::span<const std::wstring_view> names) : names_(names) {
    for (std::size_t index = 0; index < names.size(); ++index) {
      firstIndex_.emplace(names[index], index);
      FoldInto(names[index], folded_);
      // Nodes of an unordered map stay where they are as it grows.
      claimsOf_.push_back(&claims_.emplace(folded_, 0).first->second);
    }
    found_.resize(names.size());
  }

  void Take(const WIN32_FIND_DATAW& entry) {
    const std::wstring_view name = entry.cFileName;
    FoldInto(name, folded_);
    const bool claimed = Claim(folded_);
    if (claimed) {
      if (const auto exact = firstIndex_.find(name); exact != firstIndex_.end()) {
        found_[exact->second] = FactsOfEntry(entry);
      }
    }
    // A look-up also matches an entry by its short (8.3) name.
    if (entry.cAlternateFileName[0] != L'\0') {
      const std::wstring longFolded = folded_;
      FoldInto(entry.cAlternateFileName, folded_);
      if (folded_ != longFolded) {
        Claim(folded_);
      }
    }
  }

  [[nodiscard]] std::vector<std::optional<FileFacts>> Answers() {
    std::vector<std::optional<FileFacts>> answers(names_.size());
    for (std::size_t index = 0; index < names_.size(); ++index) {
      if (*claimsOf_[index] == 1) {
        answers[index] = found_[firstIndex_[names_[index]]];
      }
    }
    return answers;
  }

 private:
  bool Claim(const std::wstring& folded) {
    const auto claims = claims_.find(folded);
    if (claims == claims_.end()) {
      return false;
    }
    ++claims->second;
    return true;
  }

  std::span<const std::wstring_view> names_;
  std::unordered_map<std::wstring_view, std::size_t> firstIndex_;
  // How many entries a look-up of each folded name could match.
  std::unordered_map<std::wstring, std::size_t> claims_;
  std::vector<std::size_t*> claimsOf_;
  std::vector<std::optional<FileFacts>> found_;
  std::wstring folded_;
};

}  // namespace

std::vector<std::optional<FileFacts>> ReadFolderFacts(std::wstring_view folder,
                                                      std::span<const std::wstring_view> names,
                                                      std::size_t entryBudget,
                                                      const StopRequest& stop) {
  const std::vector<std::optional<FileFacts>> none(names.size());
  const std::wstring pattern = LiteralPath(std::wstring(folder) + std::wstring(EveryEntry));
  WIN32_FIND_DATAW entry;
  const FindHandle search{::FindFirstFileW(pattern.c_str(), &entry)};
  if (!search) {
    return none;
  }
  WantedNames wanted(names);
  std::size_t entries = 0;
  do {
    if (stop.IsSet() || ++entries > entryBudget) {
      return none;
    }
    wanted.Take(entry);
  } while (::FindNextFileW(search.get(), &entry));
  // An enumeration that broke off may have missed an entry that claims a name.
  if (::GetLastError() != ERROR_NO_MORE_FILES) {
    return none;
  }
  return wanted.Answers();
}

}  // namespace tallyfold
