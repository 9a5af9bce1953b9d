// Holds the files named on its command line open with no sharing, as another program that
// keeps a file to itself does, until it is ended or a minute has passed.
#include <windows.h>

#include <vector>

#include "common/handles.h"

namespace {

constexpr DWORD LongestHoldMs = 60'000;

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<tallyfold::FileHandle> held;
  for (int argument = 1; argument < argc; ++argument) {
    held.emplace_back(::CreateFileW(argv[argument], GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!held.back()) {
      return 1;
    }
  }
  ::Sleep(LongestHoldMs);
  return 0;
}
