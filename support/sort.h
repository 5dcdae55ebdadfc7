// The program's quicksort.  Where equal keys meet, the order it leaves them in
// is visible to the user (marks from tied vote rates, rows of equal grade), so
// this exact algorithm is kept instead of std::sort: the middle element is the
// pivot and is swapped to the front, one left-to-right pass moves every
// element strictly before the pivot behind the front, the pivot goes to its
// final place, and both sides are sorted the same way.
#ifndef ZELVOMINI_SUPPORT_SORT_H_
#define ZELVOMINI_SUPPORT_SORT_H_

#include <utility>

namespace zelvo {

namespace sort_detail {

template <class Key, class Before, class SwapFn>
void QuickSortRange(Key* keys, long left, long right, Before before, SwapFn swap_at) {
  while (left < right) {
    swap_at(left, (left + right) / 2);
    long last = left;
    for (long i = left + 1; i <= right; ++i) {
      if (before(keys[i], keys[left])) swap_at(++last, i);
    }
    swap_at(left, last);
    // Recurse into the smaller side so that the depth stays logarithmic.
    if (last - left < right - last) {
      QuickSortRange(keys, left, last - 1, before, swap_at);
      left = last + 1;
    } else {
      QuickSortRange(keys, last + 1, right, before, swap_at);
      right = last - 1;
    }
  }
}

}  // namespace sort_detail

// Sorts keys[left..right] in place, ascending or descending.
template <class Key>
void QuickSort(Key* keys, long left, long right, bool ascending) {
  auto swap_at = [keys](long a, long b) { std::swap(keys[a], keys[b]); };
  if (ascending) {
    sort_detail::QuickSortRange(keys, left, right,
                                [](const Key& a, const Key& b) { return a < b; }, swap_at);
  } else {
    sort_detail::QuickSortRange(keys, left, right,
                                [](const Key& a, const Key& b) { return b < a; }, swap_at);
  }
}

// The index variant: every swap of two keys swaps the parallel indexes too.
template <class Key, class Index>
void QuickSortIndex(Key* keys, Index* indexes, long left, long right, bool ascending) {
  auto swap_at = [keys, indexes](long a, long b) {
    std::swap(keys[a], keys[b]);
    std::swap(indexes[a], indexes[b]);
  };
  if (ascending) {
    sort_detail::QuickSortRange(keys, left, right,
                                [](const Key& a, const Key& b) { return a < b; }, swap_at);
  } else {
    sort_detail::QuickSortRange(keys, left, right,
                                [](const Key& a, const Key& b) { return b < a; }, swap_at);
  }
}

// The index variant with two-way scanning partitions around the middle key,
// as the single list's count sorts use it: equal keys stop both scans, so
// long runs of equal counts (there are only six of them) split evenly.
template <class Key, class Index>
void QuickSortIndexTwoWay(Key* keys, Index* indexes, long left, long right, bool ascending) {
  auto before = [ascending](const Key& a, const Key& b) { return ascending ? a < b : b < a; };
  while (left < right) {
    const Key pivot = keys[(left + right) / 2];
    long i = left;
    long j = right;
    while (i <= j) {
      while (before(keys[i], pivot)) ++i;
      while (before(pivot, keys[j])) --j;
      if (i <= j) {
        std::swap(keys[i], keys[j]);
        std::swap(indexes[i], indexes[j]);
        ++i;
        --j;
      }
    }
    if (j - left < right - i) {
      QuickSortIndexTwoWay(keys, indexes, left, j, ascending);
      left = i;
    } else {
      QuickSortIndexTwoWay(keys, indexes, i, right, ascending);
      right = j;
    }
  }
}

}  // namespace zelvo

#endif  // ZELVOMINI_SUPPORT_SORT_H_
