// The three-level sortable list.
#include "lists/sortable_lists.h"

#include <algorithm>

#include "files/my_kpsmall.h"

namespace cv {

void CallYieldHook() { MyYieldProcess(); }

T3SortYieldingList::HookPause::HookPause(bool on) : active(on) {
  if (active) {
    saved = std::move(AYieldProcessProc);
    AYieldProcessProc = nullptr;
  }
}

T3SortYieldingList::HookPause::~HookPause() {
  if (active) AYieldProcessProc = std::move(saved);
}

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

bool T3SortYieldingList::BeginSort(Integer& start, Integer& finish) {
  if (BusySorting) return false;
  start = std::max<Integer>(start, 0);
  finish = std::min<Integer>(finish, Count() - 1);
  return start < finish;
}

void T3SortYieldingList::DoAPrivateSort(const TCompareFunctOfObject& compare, Integer sortvar, Integer start,
                                        Integer finish) {
  SortLevel(compare, sortvar, start, finish);
}

void T3SortNonYieldingList::DoAPrivateSort(const TCompareFunctOfObject& compare, Integer sortvar,
                                           Integer start, Integer finish) {
  T3SortYieldingList::HookPause pause(true);
  SortLevel(compare, sortvar, start, finish);
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
  TrebleSortWith(compare, sort_var_first, sort_var_second, sort_var_second, start, finish, 2);
}

void T3SortYieldingList::DoADoubleSort(const TCompareFunctOfObject& compare, Integer sort_var_first,
                                       Integer sort_var_second) {
  DoADoubleSort(compare, sort_var_first, sort_var_second, 0, Count() - 1);
}

void T3SortYieldingList::DoATrebleSort(const TCompareFunctOfObject& compare, Integer sort_var_first,
                                       Integer sort_var_second, Integer sort_var_third, Integer start,
                                       Integer finish) {
  TrebleSortWith(compare, sort_var_first, sort_var_second, sort_var_third, start, finish, 3);
}

void T3SortYieldingList::DoATrebleSort(const TCompareFunctOfObject& compare, Integer sort_var_first,
                                       Integer sort_var_second, Integer sort_var_third) {
  DoATrebleSort(compare, sort_var_first, sort_var_second, sort_var_third, 0, Count() - 1);
}

}  // namespace cv
