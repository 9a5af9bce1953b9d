#pragma once

#include <string>
#include <string_view>

namespace tallyfold::testing {

// Whether the Linux side is reachable: under Wine, drive Z: is the Linux root and a Linux
// program named by CreateProcessW runs as itself.
[[nodiscard]] bool HasLinuxSide();

// The Linux form of a path on drive Z: (Z:\tmp\a becomes /tmp/a).
[[nodiscard]] std::string LinuxPath(std::wstring_view zPath);

// Runs shell commands on the Linux side, in /tmp, and returns once they have ended; false when
// they could not be started or did not end within the time. Names that Windows cannot make
// (a trailing full stop, a trailing blank) are made this way, as a network share or a Linux tool
// would make them.
bool RunLinuxCommands(std::string_view commands, unsigned timeoutSeconds = 120);

// A fresh folder under the Linux /tmp, filled by shell commands run inside it and removed with
// everything in it by the Linux side again.
class LinuxTree {
 public:
  explicit LinuxTree(std::string_view commands);
  ~LinuxTree();
  LinuxTree(const LinuxTree&) = delete;
  LinuxTree& operator=(const LinuxTree&) = delete;

  [[nodiscard]] bool Built() const { return built_; }
  // The folder on drive Z:, without a trailing backslash.
  [[nodiscard]] const std::wstring& Root() const { return root_; }
  [[nodiscard]] std::wstring Path(std::wstring_view relative) const;

 private:
  std::wstring root_;
  bool built_ = false;
};

}  // namespace tallyfold::testing
