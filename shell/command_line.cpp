#include "shell/command_line.h"

namespace tallyfold {
namespace {

// Reads the item that starts at or after `at`; leaves `at` just past it.
std::wstring NextItem(std::wstring_view line, std::size_t& at, bool& found) {
  while (at < line.size() && line[at] == L' ') {
    ++at;
  }
  found = at < line.size();
  std::wstring item;
  bool quoted = false;
  for (; at < line.size() && (quoted || line[at] != L' '); ++at) {
    if (line[at] == L'"') {
      quoted = !quoted;
    } else {
      item += line[at];
    }
  }
  return item;
}

}  // namespace

std::wstring FirstParameter(std::wstring_view commandLine) {
  std::size_t at = 0;
  bool found = false;
  NextItem(commandLine, at, found);
  std::wstring parameter = NextItem(commandLine, at, found);
  return found ? parameter : std::wstring();
}

}  // namespace tallyfold
