#include "catalogue/listing_plan.h"

#include "common/file_size.h"

namespace tallyfold {
namespace {

// Characters that make a name a pattern for the look-up (the last three are the platform's
// DOS wildcards), or that the look-up reads as a separator or a stream name.
constexpr std::wstring_view NonLiteralNameCharacters = L"*?<>\"/:";

}  // namespace

std::size_t FolderPartLength(std::wstring_view path) noexcept {
  const std::size_t slash = path.rfind(L'\\');
  return slash == std::wstring_view::npos ? 0 : slash + 1;
}

bool IsAnswerableFromFolder(std::wstring_view path) noexcept {
  const std::size_t folder = FolderPartLength(path);
  if (folder == 0 || !IsPlainSizeLookup(path) || path.starts_with(L"\\\\") ||
      path.starts_with(L"..")) {
    return false;
  }
  const std::wstring_view name = path.substr(folder);
  return !name.empty() && name.back() != L'.' && name.back() != L' ' &&
         name.find_first_of(NonLiteralNameCharacters) == std::wstring_view::npos;
}

bool IsWorthReadingFolder(std::size_t catalogued, std::size_t listed) noexcept {
  return listed * LookUpMicroseconds >
         FolderStartMicroseconds + catalogued * FolderEntryMicroseconds;
}

std::size_t FolderEntryBudget(std::size_t catalogued) noexcept {
  return catalogued * FolderEntriesPerFile + FolderEntryMargin;
}

}  // namespace tallyfold
