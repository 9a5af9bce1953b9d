#pragma once

#include <initializer_list>
#include <string>

#include "tests/support/temp_tree.h"

namespace tallyfold::testing {

inline std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int value : values) {
    bytes += static_cast<char>(value);
  }
  return bytes;
}

// M and Z first, then every other byte value once: 256 distinct bytes, entropy 8.
inline std::string ExecutableWithEveryByteValue() {
  std::string bytes = "MZ";
  for (int value = 0; value < 256; ++value) {
    if (value != 'M' && value != 'Z') {
      bytes += static_cast<char>(value);
    }
  }
  return bytes;
}

// TXT 3 files, MD 2, EXE 1 (MZ), DLL 1 (MZ), BIN 1, DAT 1 (ZM), SYS 1 (text inside).
inline void MakeMixedTree(const TempTree& tree) {
  tree.AddFile(L"notes.txt", "plain words\r\n");
  tree.AddFile(L"sub\\more.TXT", "");
  tree.AddFile(L"sub\\deeper\\b.Txt", std::string(10, '\0'));
  tree.AddFile(L"readme.md", "# title\n");
  tree.AddFile(L"sub\\other.md", "more text\n");
  tree.AddFile(L"prog.exe", Bytes({'M', 'Z', 0x90, 0, 3, 0, 0, 0}));
  tree.AddFile(L"lib.dll", ExecutableWithEveryByteValue());
  tree.AddFile(L"data.bin", Bytes({0, 0, 0xFF, 0xFF}));
  tree.AddFile(L"swapped.dat", Bytes({'Z', 'M', 0, 1}));
  tree.AddFile(L"driver.sys", "looks like text");
}

}  // namespace tallyfold::testing
