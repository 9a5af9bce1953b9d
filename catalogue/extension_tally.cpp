#include "catalogue/extension_tally.h"

#include <algorithm>

namespace tallyfold {
namespace {

constexpr std::uint32_t HashMultiplier = 65599;

}  // namespace

std::uint32_t TallySlot(std::wstring_view key) noexcept {
  std::uint32_t hash = 0;
  for (const wchar_t unit : key) {
    hash = hash * HashMultiplier + static_cast<std::uint16_t>(unit);
  }
  return hash % TallySlots;
}

void ExtensionTally::CountFile(std::wstring_view key, std::wstring_view path) {
  Chain& chain = slots_[TallySlot(key)];
  auto found =
      std::find_if(chain.begin(), chain.end(), [key](const Node& node) { return node.Key == key; });
  if (found == chain.end()) {
    chain.push_front(Node{std::wstring(key), TallyEntry{}});
    ++size_;
    found = chain.begin();
  }
  ++found->Entry.Count;
  found->Entry.SamplePath.assign(path);
}

const TallyEntry* ExtensionTally::Find(std::wstring_view key) const noexcept {
  for (const Node& node : slots_[TallySlot(key)]) {
    if (node.Key == key) {
      return &node.Entry;
    }
  }
  return nullptr;
}

void ExtensionTally::Clear() noexcept {
  for (Chain& chain : slots_) {
    chain.clear();
  }
  size_ = 0;
}

}  // namespace tallyfold
