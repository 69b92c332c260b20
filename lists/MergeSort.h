// A stable merge sort that needs nothing of the comparison but an int: it
// stays inside the range and ends after O(n log n) comparisons even when the
// comparison contradicts itself (the file list's size column never reports
// two sizes as equal). Every element comes out exactly once.
#pragma once

#include <algorithm>
#include <cstddef>
#include <span>
#include <utility>
#include <vector>

namespace lists {

namespace detail {

// Runs this short are sorted by insertion first; each element only moves
// ahead of the ones before it while the comparison calls it smaller, and
// never past the start of its run.
inline constexpr std::size_t kInsertionRun = 24;

template <class T, class Before>
void InsertionSortRun(T* first, T* last, Before& before) {
  for (T* it = first + 1; it < last; ++it) {
    T value = std::move(*it);
    T* hole = it;
    while (hole > first && before(value, *(hole - 1))) {
      *hole = std::move(*(hole - 1));
      --hole;
    }
    *hole = std::move(value);
  }
}

// Merges [lo, mid) and [mid, hi) of src into dst; the right element goes
// first only when it compares smaller, so equal elements keep their order.
// Written without a branch on the comparison, which a random order makes
// unpredictable.
template <class T, class Before>
void MergeRuns(const T* src, T* dst, std::size_t lo, std::size_t mid, std::size_t hi,
               Before& before) {
  std::size_t i = lo;
  std::size_t j = mid;
  std::size_t out = lo;
  while (i < mid && j < hi) {
    const bool right = before(src[j], src[i]);
    dst[out++] = *(right ? &src[j] : &src[i]);
    j += right;
    i += !right;
  }
  while (i < mid) dst[out++] = src[i++];
  while (j < hi) dst[out++] = src[j++];
}

}  // namespace detail

// Sorts items so that an element moves ahead of an earlier one only when
// before(element, earlier) holds. T should be cheap to copy (pointers or
// small keyed rows).
template <class T, class Before>
void MergeSortBy(std::span<T> items, Before before) {
  const std::size_t n = items.size();
  if (n < 2) return;
  for (std::size_t lo = 0; lo < n; lo += detail::kInsertionRun) {
    detail::InsertionSortRun(items.data() + lo,
                             items.data() + std::min(n, lo + detail::kInsertionRun), before);
  }
  if (n <= detail::kInsertionRun) return;
  std::vector<T> buffer(n);
  T* src = items.data();
  T* dst = buffer.data();
  for (std::size_t width = detail::kInsertionRun; width < n; width *= 2) {
    for (std::size_t lo = 0; lo < n; lo += 2 * width) {
      const std::size_t mid = std::min(n, lo + width);
      const std::size_t hi = std::min(n, lo + 2 * width);
      detail::MergeRuns(src, dst, lo, mid, hi, before);
    }
    std::swap(src, dst);
  }
  if (src != items.data()) std::copy(src, src + n, items.data());
}

// The same with a three-way comparison: an element moves ahead of an
// earlier one only when cmp(element, earlier) is negative.
template <class T, class Compare>
void MergeSort(std::span<T> items, Compare cmp) {
  MergeSortBy(items, [&cmp](const T& a, const T& b) { return cmp(a, b) < 0; });
}

}  // namespace lists
