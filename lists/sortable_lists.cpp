// The three-level sortable list.
#include "lists/sortable_lists.h"

#include <algorithm>

#include "files/my_kpsmall.h"

namespace cv {

void T3SortYieldingList::SetAscending(bool first_sort, bool second_sort, bool third_sort) {
  fAscending = {first_sort, second_sort, third_sort};
}

bool T3SortYieldingList::ToggledMainSortAscending() {
  fAscending[sort_first_sort] = !fAscending[sort_first_sort];
  return fAscending[sort_first_sort];
}

Integer T3SortYieldingList::AscendingSwapped(Integer comparison) const {
  return fAscending[current_sort_rec.current_sort_doing] ? -comparison : comparison;
}

void T3SortYieldingList::QuickSortRange(const TCompareFunctOfObject& compare, Integer sortvar, Integer start,
                                        Integer finish, bool yield) {
  // The pivot's key is stored by SetBase; compare(entry) is the comparison
  // of that key with the entry.  Recursion goes into the smaller part and
  // the loop carries on with the larger, so the stack depth is O(log n); the
  // parts are disjoint, so the order is the same either way.
  void** items = List();
  const bool descending = fAscending[current_sort_rec.current_sort_doing];
  while (start < finish) {
    if (yield) MyYieldProcess();
    Integer i = start;
    Integer j = finish;
    base_itemnum = start + (finish - start) / 2;
    SetBase(items[base_itemnum], sortvar);
    do {
      if (!descending) {
        while (comparison_itemnum = i, compare(items[i]) > 0) ++i;
        while (comparison_itemnum = j, compare(items[j]) < 0) --j;
      } else {
        while (comparison_itemnum = i, compare(items[i]) < 0) ++i;
        while (comparison_itemnum = j, compare(items[j]) > 0) --j;
      }
      if (i <= j) {
        std::swap(items[i], items[j]);
        ++i;
        --j;
      }
    } while (i <= j);
    if (j - start < finish - i) {
      if (start < j) QuickSortRange(compare, sortvar, start, j, yield);
      start = i;
    } else {
      if (i < finish) QuickSortRange(compare, sortvar, i, finish, yield);
      finish = j;
    }
  }
}

void T3SortYieldingList::DoAPrivateSort(const TCompareFunctOfObject& compare, Integer sortvar, Integer start,
                                        Integer finish) {
  sorted = true;
  current_sort_rec.current_sort_var = sortvar;
  QuickSortRange(compare, sortvar, start, finish, true);
}

void T3SortNonYieldingList::DoAPrivateSort(const TCompareFunctOfObject& compare, Integer sortvar,
                                           Integer start, Integer finish) {
  // Restores the hook however the sort ends.
  struct HookSaver {
    TYieldProcessProc saved = std::move(AYieldProcessProc);
    ~HookSaver() { AYieldProcessProc = std::move(saved); }
  } saver;
  AYieldProcessProc = nullptr;
  sorted = true;
  current_sort_rec.current_sort_var = sortvar;
  QuickSortRange(compare, sortvar, start, finish, false);
}

bool T3SortYieldingList::BeginSort(Integer& start, Integer& finish) {
  if (BusySorting) return false;
  start = std::max<Integer>(start, 0);
  finish = std::min<Integer>(finish, Count() - 1);
  return start < finish;
}

void T3SortYieldingList::NextLevelPass(const TCompareFunctOfObject& compare, const Integer* group_vars,
                                       int group_count, Integer next, Tsort_num level, Integer start,
                                       Integer finish) {
  if (group_vars[group_count - 1] == next) return;
  const TCurrentSortRec saved = current_sort_rec;
  Integer c = start;
  while (c < finish) {
    // The earlier levels leave each run sorted by the later variables, so
    // the entries equal to c under every group variable are the common
    // prefix of the runs equal to c under each one.
    Integer i = finish;
    for (int g = 0; g < group_count; ++g) {
      const Integer limit = i;
      i = c;
      current_sort_rec.current_sort_var = group_vars[g];
      SetBase(List()[c], group_vars[g]);
      while (i + 1 <= limit && (comparison_itemnum = i + 1, compare(List()[i + 1]) == 0)) ++i;
    }
    if (i > c) {
      current_sort_rec.current_sort_doing = level;
      current_sort_rec.current_sort_var = next;
      DoAPrivateSort(compare, next, c, i);
      current_sort_rec = saved;
    }
    c = i + 1;
  }
}

void T3SortYieldingList::DoASingleSort(const TCompareFunctOfObject& compare, Integer sortvar, Integer start,
                                       Integer finish) {
  if (!BeginSort(start, finish)) return;
  BusySorting = true;
  current_sort_rec.current_sort_doing = sort_first_sort;
  DoAPrivateSort(compare, sortvar, start, finish);
  BusySorting = false;
}

void T3SortYieldingList::DoASingleSort(const TCompareFunctOfObject& compare, Integer sortvar) {
  DoASingleSort(compare, sortvar, 0, Count() - 1);
}

void T3SortYieldingList::DoADoubleSort(const TCompareFunctOfObject& compare, Integer sort_var_first,
                                       Integer sort_var_second, Integer start, Integer finish) {
  if (!BeginSort(start, finish)) return;
  BusySorting = true;
  current_sort_rec.current_sort_doing = sort_first_sort;
  DoAPrivateSort(compare, sort_var_first, start, finish);
  const Integer groups[1] = {sort_var_first};
  NextLevelPass(compare, groups, 1, sort_var_second, sort_second_sort, start, finish);
  BusySorting = false;
}

void T3SortYieldingList::DoADoubleSort(const TCompareFunctOfObject& compare, Integer sort_var_first,
                                       Integer sort_var_second) {
  DoADoubleSort(compare, sort_var_first, sort_var_second, 0, Count() - 1);
}

void T3SortYieldingList::DoATrebleSort(const TCompareFunctOfObject& compare, Integer sort_var_first,
                                       Integer sort_var_second, Integer sort_var_third, Integer start,
                                       Integer finish) {
  if (!BeginSort(start, finish)) return;
  BusySorting = true;
  current_sort_rec.current_sort_doing = sort_first_sort;
  DoAPrivateSort(compare, sort_var_first, start, finish);
  const Integer first[1] = {sort_var_first};
  NextLevelPass(compare, first, 1, sort_var_second, sort_second_sort, start, finish);
  // Third-level runs are equal under the first and the second variable, so
  // no entry crosses a first-level boundary.
  current_sort_rec.current_sort_doing = sort_second_sort;
  const Integer both[2] = {sort_var_first, sort_var_second};
  if (sort_var_second != sort_var_third)
    NextLevelPass(compare, both, 2, sort_var_third, sort_third_sort, start, finish);
  BusySorting = false;
}

void T3SortYieldingList::DoATrebleSort(const TCompareFunctOfObject& compare, Integer sort_var_first,
                                       Integer sort_var_second, Integer sort_var_third) {
  DoATrebleSort(compare, sort_var_first, sort_var_second, sort_var_third, 0, Count() - 1);
}

}  // namespace cv
