#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <forward_list>
#include <string>
#include <string_view>

namespace tallyfold {

inline constexpr std::size_t TallySlots = 512;

struct TallyEntry {
  std::int32_t Count = 0;
  // The last file counted under the key: the extension's sample for the probes.
  std::wstring SamplePath;
};

// The slot of a key: h = h * 65599 + u over the code units, wrapping at 2^32, modulo 512.
[[nodiscard]] std::uint32_t TallySlot(std::wstring_view key) noexcept;

// Files counted by upper-case extension. The iteration order is part of the contract (the
// summary rows are appended in it): slots in ascending order, and within a slot the most
// recently added key first.
class ExtensionTally {
 public:
  // Counts one file under the key and makes it the key's sample, adding the key if new.
  void CountFile(std::wstring_view key, std::wstring_view path);
  [[nodiscard]] const TallyEntry* Find(std::wstring_view key) const noexcept;
  // The number of keys.
  [[nodiscard]] std::size_t Size() const noexcept { return size_; }
  void Clear() noexcept;

  // Calls visit(const std::wstring& key, const TallyEntry& entry) for every key, in order.
  template <typename Visit>
  void ForEachEntry(Visit visit) const {
    for (const Chain& chain : slots_) {
      for (const Node& node : chain) {
        visit(node.Key, node.Entry);
      }
    }
  }

 private:
  struct Node {
    std::wstring Key;
    TallyEntry Entry;
  };
  using Chain = std::forward_list<Node>;

  std::array<Chain, TallySlots> slots_;
  std::size_t size_ = 0;
};

}  // namespace tallyfold
