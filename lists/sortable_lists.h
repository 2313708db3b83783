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

 protected:
  void QuickSortRange(const TCompareFunctOfObject& compare, Integer sortvar, Integer start, Integer finish,
                      bool yield);

 private:
  bool BeginSort(Integer& start, Integer& finish);
  // Sorts by `next` every run of adjacent entries within start..finish that
  // are equal under all of `group_vars`, at sort level `level`.
  void NextLevelPass(const TCompareFunctOfObject& compare, const Integer* group_vars, int group_count,
                     Integer next, Tsort_num level, Integer start, Integer finish);
};

class T3SortNonYieldingList : public T3SortYieldingList {
 public:
  void DoAPrivateSort(const TCompareFunctOfObject& compare, Integer sortvar, Integer start,
                      Integer finish) override;
};

}  // namespace cv
