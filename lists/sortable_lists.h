// The three-level sortable list of the suite's results.
//
// A subclass knows its entries: SetBase(P, sortvar) stores the key of entry P
// for sort variable sortvar, and the comparison method it hands to the sorts
// compares that stored key (first argument) with another entry (second), in
// the usual 1 / 0 / -1 convention.  The sorts move pointers only.
//
// A treble sort orders by the first variable; then, within each run of
// entries equal under the first, by the second; then, within each run equal
// under both the first and the second, by the third.  A run never reaches
// across a boundary of an earlier level.
//
// T3SortYieldingList calls MyYieldProcess once per quicksort partition;
// T3SortNonYieldingList never yields (the hook is cleared for the sort).
#pragma once

#include <array>
#include <functional>
#include <utility>

#include "platform/classes.h"

namespace cv {

enum Tsort_num : Byte { sort_first_sort, sort_second_sort, sort_third_sort };
using TAscendingSort = std::array<bool, 3>;

struct TCurrentSortRec {
  Tsort_num current_sort_doing = sort_first_sort;
  Integer current_sort_var = 0;
};

// Compares the key stored by SetBase with the entry given.
using TCompareFunctOfObject = std::function<Integer(void* entry)>;

class T3SortYieldingList : public TList {
 public:
  T3SortYieldingList() = default;

  bool BusySorting = false;
  TAscendingSort fAscending{false, false, false};
  TCurrentSortRec current_sort_rec;
  bool sorted = false;
  Integer comparison_itemnum = 0;
  Integer base_itemnum = 0;

  void SetAscending(bool first_sort, bool second_sort, bool third_sort);
  void SetSortToAscend(Tsort_num srt, bool value) { fAscending[srt] = value; }
  // Flips the first level's flag and returns the new value.
  bool ToggledMainSortAscending();
  // comparison, negated when the current level's flag is set.
  Integer AscendingSwapped(Integer comparison) const;

  // One level: a quicksort of positions start..finish by sortvar.
  virtual void DoAPrivateSort(const TCompareFunctOfObject& compare, Integer sortvar, Integer start,
                              Integer finish);
  virtual void SetBase(void* p, Integer sortvar) {}
  // Each sort does nothing while another sort of this list is running, and
  // nothing on fewer than two entries in range.
  virtual void DoASingleSort(const TCompareFunctOfObject& compare, Integer sortvar, Integer start,
                             Integer finish);
  virtual void DoASingleSort(const TCompareFunctOfObject& compare, Integer sortvar);
  virtual void DoADoubleSort(const TCompareFunctOfObject& compare, Integer sort_var_first,
                             Integer sort_var_second, Integer start, Integer finish);
  virtual void DoADoubleSort(const TCompareFunctOfObject& compare, Integer sort_var_first,
                             Integer sort_var_second);
  virtual void DoATrebleSort(const TCompareFunctOfObject& compare, Integer sort_var_first,
                             Integer sort_var_second, Integer sort_var_third, Integer start, Integer finish);
  virtual void DoATrebleSort(const TCompareFunctOfObject& compare, Integer sort_var_first,
                             Integer sort_var_second, Integer sort_var_third);

  // The same sorts for any callable compare(void* entry) -> Integer, which
  // the compiler can inline into the sort loops (the TCompareFunctOfObject
  // forms go through these).  Levels are sorted by SortLevel, not by a
  // DoAPrivateSort override.
  template <class F>
  void TrebleSortWith(F&& compare, Integer var1, Integer var2, Integer var3, Integer start, Integer finish,
                      int levels = 3);

 protected:
  // False for lists that must not yield while sorting.
  virtual bool YieldsWhileSorting() const { return true; }
  template <class F>
  void SortLevel(F& compare, Integer sortvar, Integer start, Integer finish);
  template <class F>
  void QuickSortRange(F& compare, Integer sortvar, Integer start, Integer finish, bool yield);
  // Sorts by `next` every run of adjacent entries within start..finish that
  // are equal under all of `group_vars`, at sort level `level`.
  template <class F>
  void NextLevelPass(F& compare, const Integer* group_vars, int group_count, Integer next, Tsort_num level,
                     Integer start, Integer finish);

  // Clears the yield hook (when active) for its lifetime.
  struct HookPause {
    explicit HookPause(bool active);
    ~HookPause();
    bool active;
    std::function<void()> saved;
  };

 private:
  bool BeginSort(Integer& start, Integer& finish);
};

class T3SortNonYieldingList : public T3SortYieldingList {
 public:
  void DoAPrivateSort(const TCompareFunctOfObject& compare, Integer sortvar, Integer start,
                      Integer finish) override;

 protected:
  bool YieldsWhileSorting() const override { return false; }
};

// ---------------------------------------------------------------------------

void CallYieldHook();

template <class F>
void T3SortYieldingList::QuickSortRange(F& compare, Integer sortvar, Integer start, Integer finish, bool yield) {
  // The pivot's key is stored by SetBase; compare(entry) is the comparison
  // of that key with the entry.  Recursion goes into the smaller part and
  // the loop carries on with the larger, so the stack depth is O(log n); the
  // parts are disjoint, so the order is the same either way.
  void** items = List();
  const bool descending = fAscending[current_sort_rec.current_sort_doing];
  while (start < finish) {
    if (yield) CallYieldHook();
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
        void* t = items[i];
        items[i] = items[j];
        items[j] = t;
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

template <class F>
void T3SortYieldingList::SortLevel(F& compare, Integer sortvar, Integer start, Integer finish) {
  sorted = true;
  current_sort_rec.current_sort_var = sortvar;
  QuickSortRange(compare, sortvar, start, finish, YieldsWhileSorting());
}

template <class F>
void T3SortYieldingList::NextLevelPass(F& compare, const Integer* group_vars, int group_count, Integer next,
                                       Tsort_num level, Integer start, Integer finish) {
  if (group_vars[group_count - 1] == next) return;
  const TCurrentSortRec saved = current_sort_rec;
  void** items = List();
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
      SetBase(items[c], group_vars[g]);
      while (i + 1 <= limit && (comparison_itemnum = i + 1, compare(items[i + 1]) == 0)) ++i;
    }
    if (i > c) {
      current_sort_rec.current_sort_doing = level;
      SortLevel(compare, next, c, i);
      current_sort_rec = saved;
    }
    c = i + 1;
  }
}

template <class F>
void T3SortYieldingList::TrebleSortWith(F&& compare, Integer var1, Integer var2, Integer var3, Integer start,
                                        Integer finish, int levels) {
  if (!BeginSort(start, finish)) return;
  BusySorting = true;
  HookPause pause(!YieldsWhileSorting());
  current_sort_rec.current_sort_doing = sort_first_sort;
  SortLevel(compare, var1, start, finish);
  if (levels >= 2) {
    const Integer first[1] = {var1};
    NextLevelPass(compare, first, 1, var2, sort_second_sort, start, finish);
  }
  if (levels >= 3) {
    // Third-level runs are equal under the first and the second variable,
    // so no entry crosses a first-level boundary.
    current_sort_rec.current_sort_doing = sort_second_sort;
    const Integer both[2] = {var1, var2};
    NextLevelPass(compare, both, 2, var3, sort_third_sort, start, finish);
  }
  BusySorting = false;
}

}  // namespace cv
