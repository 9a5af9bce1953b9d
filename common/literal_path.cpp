#include "common/literal_path.h"

#include <algorithm>
#include <array>
#include <vector>

namespace tallyfold {
namespace {

constexpr std::wstring_view LiteralPrefix = L"\\\\?\\";
constexpr std::wstring_view LiteralSharePrefix = L"\\\\?\\UNC\\";
constexpr std::array<std::wstring_view, 4> PlainDeviceNames = {L"CON", L"PRN", L"AUX", L"NUL"};
constexpr std::array<std::wstring_view, 2> NumberedDeviceNames = {L"COM", L"LPT"};

bool IsSeparator(wchar_t c) {
  return c == L'\\' || c == L'/';
}

wchar_t AsciiUpper(wchar_t c) {
  return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

bool IsAsciiLetter(wchar_t c) {
  return AsciiUpper(c) >= L'A' && AsciiUpper(c) <= L'Z';
}

bool SameLetters(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](wchar_t x, wchar_t y) { return AsciiUpper(x) == AsciiUpper(y); });
}

// The rules take a last name for a device when what comes before its first full stop, less
// trailing blanks, is a device's name: NUL, nul.txt and "com1 .log" all name devices.
bool IsDeviceName(std::wstring_view name) {
  std::wstring_view base = name.substr(0, name.find(L'.'));
  while (!base.empty() && base.back() == L' ') {
    base.remove_suffix(1);
  }
  if (std::any_of(PlainDeviceNames.begin(), PlainDeviceNames.end(),
                  [base](std::wstring_view device) { return SameLetters(base, device); })) {
    return true;
  }
  return base.size() == 4 && base[3] >= L'1' && base[3] <= L'9' &&
         std::any_of(
             NumberedDeviceNames.begin(), NumberedDeviceNames.end(),
             [base](std::wstring_view device) { return SameLetters(base.substr(0, 3), device); });
}

bool IsNavigation(std::wstring_view name) {
  return name.empty() || name == L"." || name == L"..";
}

bool IsRewrittenName(std::wstring_view name, bool last) {
  if (IsNavigation(name)) {
    return false;
  }
  return name.back() == L'.' || name.back() == L' ' || (last && IsDeviceName(name));
}

// Calls take(name, last) for each name between separators, from first to last.
template <typename Take>
void ForEachName(std::wstring_view path, Take take) {
  std::size_t start = 0;
  while (start <= path.size()) {
    const auto end =
        std::find_if(path.begin() + static_cast<std::ptrdiff_t>(start), path.end(), IsSeparator);
    const std::size_t stop = static_cast<std::size_t>(end - path.begin());
    take(path.substr(start, stop - start), stop == path.size());
    start = stop + 1;
  }
}

std::size_t NextSeparator(std::wstring_view path, std::size_t from) {
  const auto found =
      std::find_if(path.begin() + static_cast<std::ptrdiff_t>(from), path.end(), IsSeparator);
  return static_cast<std::size_t>(found - path.begin());
}

// The literal form of the path's root (\\?\C:\ or \\?\UNC\server\share\) and the length of that
// root in the path; a length of 0 for a path that is neither a full drive path nor a share path,
// such as a relative path or one that already names a device or a literal path (\\?\, \\.\).
std::size_t LiteralRoot(std::wstring_view path, std::wstring& root) {
  if (path.size() >= 3 && IsAsciiLetter(path[0]) && path[1] == L':' && IsSeparator(path[2])) {
    root.assign(LiteralPrefix);
    root += path[0];
    root += L":\\";
    return 3;
  }
  if (path.size() < 3 || !IsSeparator(path[0]) || !IsSeparator(path[1])) {
    return 0;
  }
  const std::size_t serverEnd = NextSeparator(path, 2);
  const std::wstring_view server = path.substr(2, serverEnd - 2);
  if (server.empty() || server == L"?" || server == L"." || serverEnd == path.size()) {
    return 0;
  }
  const std::size_t shareEnd = NextSeparator(path, serverEnd + 1);
  if (shareEnd == serverEnd + 1) {
    return 0;
  }
  root.assign(LiteralSharePrefix);
  root += server;
  root += L'\\';
  root += path.substr(serverEnd + 1, shareEnd - serverEnd - 1);
  root += L'\\';
  return std::min(shareEnd + 1, path.size());
}

}  // namespace

bool IsRewrittenByPathRules(std::wstring_view path) noexcept {
  bool rewritten = false;
  ForEachName(path, [&rewritten](std::wstring_view name, bool last) {
    rewritten = rewritten || IsRewrittenName(name, last);
  });
  return rewritten;
}

std::wstring LiteralPath(std::wstring_view path) {
  std::wstring literal;
  const std::size_t rootLength = LiteralRoot(path, literal);
  if (rootLength == 0 || !IsRewrittenByPathRules(path)) {
    return std::wstring(path);
  }
  std::vector<std::wstring_view> names;
  ForEachName(path.substr(rootLength), [&names](std::wstring_view name, bool) {
    if (name == L"..") {
      if (!names.empty()) {
        names.pop_back();
      }
    } else if (!IsNavigation(name)) {
      names.push_back(name);
    }
  });
  for (std::size_t index = 0; index < names.size(); ++index) {
    literal += names[index];
    if (index + 1 < names.size() || IsSeparator(path.back())) {
      literal += L'\\';
    }
  }
  return literal;
}

}  // namespace tallyfold
