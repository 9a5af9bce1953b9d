#include "sorting/row_order.h"

#include <commctrl.h>

#include <algorithm>
#include <numeric>
#include <unordered_map>

#include "common/list_view.h"

namespace tallyfold {
namespace {

using RankOfRow = std::unordered_map<RowId, int>;

// Merges the sorted runs [from, middle) and [middle, to) of source into target. The left row
// goes first unless the comparison puts it after the right one.
void MergeRuns(const SortRequest& request, const std::vector<std::wstring>& texts,
               const std::vector<int>& source, std::vector<int>& target, std::size_t from,
               std::size_t middle, std::size_t to) {
  // Runs already in order, or in reverse order, move as blocks: a second click that only
  // reverses the rows then costs one comparison per run.
  if (middle < to &&
      CompareCellTexts(request, texts[source[middle - 1]], texts[source[middle]]) <= 0) {
    std::copy(source.begin() + from, source.begin() + to, target.begin() + from);
    return;
  }
  if (middle < to && CompareCellTexts(request, texts[source[from]], texts[source[to - 1]]) > 0) {
    const auto moved =
        std::copy(source.begin() + middle, source.begin() + to, target.begin() + from);
    std::copy(source.begin() + from, source.begin() + middle, moved);
    return;
  }
  std::size_t left = from;
  std::size_t right = middle;
  for (std::size_t out = from; out < to; ++out) {
    const bool takeRight =
        left == middle ||
        (right < to && CompareCellTexts(request, texts[source[left]], texts[source[right]]) > 0);
    target[out] = takeRight ? source[right++] : source[left++];
  }
}

int CALLBACK CompareRanks(LPARAM id1, LPARAM id2, LPARAM ranks) {
  const auto& rankOf = *reinterpret_cast<const RankOfRow*>(ranks);
  const auto rank1 = rankOf.find(id1);
  const auto rank2 = rankOf.find(id2);
  const int first = rank1 != rankOf.end() ? rank1->second : 0;
  const int second = rank2 != rankOf.end() ? rank2->second : 0;
  return first < second ? -1 : (first > second ? 1 : 0);
}

}  // namespace

std::vector<std::wstring> ReadColumn(const SortRequest& request) {
  const int rows = RowCount(request.List);
  std::vector<std::wstring> texts;
  texts.reserve(rows > 0 ? rows : 0);
  for (int row = 0; row < rows; ++row) {
    texts.push_back(ReadCellText(request, row));
  }
  return texts;
}

std::vector<int> OrderRows(const SortRequest& request, const std::vector<std::wstring>& texts) {
  const std::size_t count = texts.size();
  std::vector<int> order(count);
  std::iota(order.begin(), order.end(), 0);
  std::vector<int> merged(count);
  for (std::size_t width = 1; width < count; width *= 2) {
    for (std::size_t from = 0; from < count; from += 2 * width) {
      const std::size_t middle = std::min(from + width, count);
      const std::size_t to = std::min(from + 2 * width, count);
      MergeRuns(request, texts, order, merged, from, middle, to);
    }
    order.swap(merged);
  }
  return order;
}

void ReorderRows(HWND list, const std::vector<int>& order) {
  if (std::is_sorted(order.begin(), order.end())) {
    return;
  }
  RankOfRow rankOf;
  rankOf.reserve(order.size());
  for (std::size_t rank = 0; rank < order.size(); ++rank) {
    rankOf[RowIdOf(list, order[rank])] = static_cast<int>(rank);
  }
  // The control hands this comparison each row's own identity, never an index into a copy.
  SendMessageW(list, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&rankOf),
               reinterpret_cast<LPARAM>(CompareRanks));
}

}  // namespace tallyfold
