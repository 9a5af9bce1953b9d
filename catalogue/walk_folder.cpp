#include "catalogue/walk_folder.h"

#include <windows.h>

#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "common/handles.h"
#include "common/literal_path.h"
#include "common/upper_extension.h"

namespace tallyfold {
namespace {

constexpr std::wstring_view EveryEntry = L"*.*";
constexpr std::size_t LongestTalliedExtension = 7;

struct Walk {
  FileCatalogue& Catalogue;
  ExtensionTally& Tally;
  const ProgressHook& Progress;
  const StopRequest& Stop;
};

bool IsDotEntry(std::wstring_view name) {
  return name == L"." || name == L"..";
}

bool IsExcludedName(std::wstring_view name) {
  std::wstring lowered(name);
  ::CharLowerBuffW(lowered.data(), static_cast<DWORD>(lowered.size()));
  return std::any_of(ExcludedNameFragments.begin(), ExcludedNameFragments.end(),
                     [&lowered](std::wstring_view fragment) {
                       return lowered.find(fragment) != std::wstring::npos;
                     });
}

// Tallies and catalogues one file; false when the catalogue was already full, which ends the
// folder's visit. The path buffer is reused for every file of the folder.
bool TakeFile(std::wstring& path, std::size_t folderLength, const wchar_t* name, const Walk& walk) {
  path.resize(folderLength);
  path.append(name);
  const std::wstring extension = UpperExtension(path);
  if (!extension.empty() && extension.size() <= LongestTalliedExtension) {
    walk.Tally.CountFile(extension, path);
  }
  if (walk.Catalogue.size() > CatalogueCap) {
    return false;
  }
  walk.Catalogue.push_back(path);
  if (walk.Catalogue.size() % ProgressInterval == 0 && walk.Progress) {
    walk.Progress(extension);
  }
  return true;
}

void TakeFolder(const std::wstring& folder, std::wstring_view name,
                std::vector<std::wstring>& subfolders) {
  if (!IsDotEntry(name) && !IsExcludedName(name)) {
    std::wstring subfolder = folder;
    subfolder.append(name);
    subfolders.push_back(std::move(subfolder));
  }
}

// Reads the whole folder and ends its enumeration before any subfolder is visited, so only one
// enumeration is ever open. False when the visit must end without its subfolders: a stop, a
// full catalogue, or a folder the platform would not list.
bool ReadFolder(const std::wstring& folder, const Walk& walk,
                std::vector<std::wstring>& subfolders) {
  WIN32_FIND_DATAW entry;
  // A folder whose name the path rules would rewrite is read as itself, not as its namesake.
  const std::wstring pattern = LiteralPath(folder + std::wstring(EveryEntry));
  const FindHandle search{::FindFirstFileW(pattern.c_str(), &entry)};
  if (!search) {
    return false;
  }
  std::wstring path = folder;
  do {
    if (walk.Stop.IsSet()) {
      return false;
    }
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      TakeFolder(folder, entry.cFileName, subfolders);
    } else if (!TakeFile(path, folder.size(), entry.cFileName, walk)) {
      return false;
    }
  } while (::FindNextFileW(search.get(), &entry));
  return true;
}

std::size_t CountBackslashes(std::wstring_view path) {
  return static_cast<std::size_t>(std::count(path.begin(), path.end(), L'\\'));
}

// `folder` ends in a backslash.
void VisitFolder(const std::wstring& folder, const Walk& walk) {
  std::vector<std::wstring> subfolders;
  if (!ReadFolder(folder, walk, subfolders)) {
    return;
  }
  for (std::wstring& subfolder : subfolders) {
    if (walk.Stop.IsSet()) {
      return;
    }
    if (CountBackslashes(subfolder) < DepthLimit) {
      subfolder.push_back(L'\\');
      VisitFolder(subfolder, walk);
    }
  }
}

}  // namespace

void WalkFolder(std::wstring_view folder, FileCatalogue& catalogue, ExtensionTally& tally,
                const ProgressHook& progress, const StopRequest& stop) {
  // An empty path names no folder; walking "\" would read the whole current drive.
  if (folder.empty()) {
    return;
  }
  std::wstring root(folder);
  if (root.back() != L'\\') {
    root.push_back(L'\\');
  }
  try {
    VisitFolder(root, Walk{catalogue, tally, progress, stop});
  } catch (const std::bad_alloc&) {
    // Out of memory ends the walk like a stop: what was catalogued so far stays.
  }
}

}  // namespace tallyfold
