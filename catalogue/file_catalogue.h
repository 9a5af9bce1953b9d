#pragma once

#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace tallyfold {

// Files are appended only while the catalogue holds at most this many paths, so a full
// catalogue holds one more: 98,305.
inline constexpr std::size_t CatalogueCap = 98'304;

// Full paths of the catalogued files in walk order; only ever appended to during a walk. The
// paths lie end to end in one buffer: a walk appends up to 98,305 of them, and a heap block per
// path would cost the walk more than all its other work beside the enumeration.
class FileCatalogue {
 public:
  class Iterator {
   public:
    using iterator_category = std::input_iterator_tag;
    using value_type = std::wstring_view;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = std::wstring_view;

    Iterator() = default;
    Iterator(const FileCatalogue* catalogue, std::size_t index)
        : catalogue_(catalogue), index_(index) {}
    std::wstring_view operator*() const { return (*catalogue_)[index_]; }
    Iterator& operator++() {
      ++index_;
      return *this;
    }
    Iterator operator++(int) {
      Iterator before = *this;
      ++index_;
      return before;
    }
    bool operator==(const Iterator& other) const { return index_ == other.index_; }

   private:
    const FileCatalogue* catalogue_ = nullptr;
    std::size_t index_ = 0;
  };

  void push_back(std::wstring_view path) {
    text_.append(path);
    ends_.push_back(text_.size());
  }
  void clear() {
    text_.clear();
    ends_.clear();
  }
  [[nodiscard]] std::size_t size() const { return ends_.size(); }
  [[nodiscard]] bool empty() const { return ends_.empty(); }
  [[nodiscard]] std::wstring_view operator[](std::size_t index) const {
    const std::size_t start = index == 0 ? 0 : ends_[index - 1];
    return std::wstring_view(text_).substr(start, ends_[index] - start);
  }
  [[nodiscard]] std::wstring_view back() const { return (*this)[size() - 1]; }
  [[nodiscard]] Iterator begin() const { return Iterator(this, 0); }
  [[nodiscard]] Iterator end() const { return Iterator(this, size()); }

 private:
  std::wstring text_;
  std::vector<std::size_t> ends_;
};

}  // namespace tallyfold
