#include "common/upper_extension.h"

#include <windows.h>

namespace tallyfold {
namespace {

bool EndsTheScan(wchar_t c) {
  return c == L'.' || c == L'/' || c == L'\\' || c == L' ';
}
bool IsSlash(wchar_t c) {
  return c == L'/' || c == L'\\';
}

}  // namespace

std::wstring UpperExtension(std::wstring_view path) {
  // The first code unit is never looked at, so a lone ".x" has no extension.
  std::size_t stop = path.size();
  for (std::size_t at = path.size(); at-- > 1;) {
    if (EndsTheScan(path[at])) {
      stop = at;
      break;
    }
  }
  if (stop == path.size() || path[stop] != L'.' || IsSlash(path[stop - 1])) {
    return {};
  }
  std::wstring_view extension = path.substr(stop + 1);
  extension = extension.substr(0, extension.find(L'"'));
  std::wstring upper(extension);
  if (!upper.empty()) {
    ::CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
  }
  return upper;
}

}  // namespace tallyfold
