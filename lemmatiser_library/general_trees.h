// TGeneral_Tree: an ordered tree of untyped data pointers, the container
// behind every lemma, match, stop and relation list.
//
// The owner supplies the ordering (a comparison callback over data
// pointers) and learns about additions, repeated items, visits and deletions
// through replaceable callbacks, each defaulting to a virtual method.  The
// tree owns its nodes, never the owner's items: the owner frees them in its
// deletion callback.
//
// Shape: the tree keeps itself height-balanced (AVL), so lookups, insertions
// and walks stay logarithmic in depth whatever the insertion order (sorted
// and reverse-sorted files included) and no walk can run out of stack.  The
// node record stays the owner-visible {this_, left, right}, and in-order
// walks give the items in ascending order of the comparison.
//
// Re-entrancy: the callbacks may look items up (WhereIs) but must not
// change the tree being walked.  Inserting, clearing, sorting, building or
// starting another walk of a tree while one of its walks is running raises
// ETreeBusy and leaves the tree unchanged.
//
// Not thread-safe; nothing here starts a thread.  Each insertion, lookup and
// visit calls the shared yield hook (MyYieldProcess).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/types.h"

namespace cv {

struct anything {
  void* this_ = nullptr;       // the owner's data item
  anything* left = nullptr;    // items comparing lower
  anything* right = nullptr;   // items comparing higher
  std::int8_t balance = 0;     // height(right) - height(left): -1, 0 or 1
};
using anything_ptr = anything*;

using TTreeArrayOfPointer = std::vector<void*>;
using Tarray_of_anything_ptr = std::vector<anything_ptr>;

// Below 0: a orders before b; 0: equal; above 0: after.
using TCompare2FunctOfObject = std::function<int(void* a, void* b)>;
using TDo_Something = std::function<void(anything_ptr item)>;
// True drops the item from a built array.
using TFilterItOut = std::function<bool(anything_ptr item)>;
using TSeedFunct = std::function<void()>;

// A walk or change was asked for while a walk of the same tree was running.
class ETreeBusy : public std::logic_error {
 public:
  ETreeBusy() : std::logic_error("tree busy: changed or walked again from inside its own walk") {}
};

class TGeneral_Tree {
 public:
  // Without a comparison every pair compares equal, so the tree keeps only
  // its first item.
  explicit TGeneral_Tree(TCompare2FunctOfObject ACompfunctOfObject = nullptr);
  TGeneral_Tree(const TGeneral_Tree&) = delete;
  TGeneral_Tree& operator=(const TGeneral_Tree&) = delete;
  // Frees the nodes through the deletion walk.  A derived class whose
  // Do_Deleting frees items must call Clear in its own destructor, because
  // virtual calls do not reach it from here.
  virtual ~TGeneral_Tree();

  // Frees every node in order (each passed to the deleting callback first;
  // `going` counts down from `counter`), empties both pointer arrays and
  // forgets every node pointer it holds (root, nearest_find).  Never fails:
  // an exception from the deleting callback is swallowed so that the rest
  // of the nodes are still freed.
  virtual void Clear();

  // Insert a copy of the record's item.  False (and the found-match callback
  // called with the existing node) when an equal item is present.
  bool Add_One(const anything& new_one);
  // As Add_One; meant for use directly after a WhereIs for the same item
  // that found nothing.  The result is the same as Add_One's.
  bool Add_One_To_Nearest(const anything& new_one);
  // As Add_One, returning the new node, or null when an equal item was present.
  anything_ptr Add_OnePtr(const anything& new_one);

  // The node whose item equals new_one.this_, or null.  The last node
  // passed is kept in nearest_find (unchanged for an empty tree).
  anything_ptr WhereIs(const anything& new_one);
  // As WhereIs with ApproxCompare as the ordering.
  anything_ptr WhereIsApproxMatch(const anything& new_one);

  // In-order walk calling the visitor with each node; the one-argument form
  // installs DoInOrder as the visitor first.
  void Traverse();
  void Traverse(TDo_Something DoInOrder);
  // Calls the visitor once per non-null element (with a scratch node whose
  // this_ is the element); `going` counts every element, nulls included.
  void TraverseArray(const TTreeArrayOfPointer& arr);
  void TraverseArray(const Tarray_of_anything_ptr& arr);

  // Fills BuiltArray with the items in order, leaving out seeds and items the
  // filter drops; returns their number.  When DoInOrderAfterwards is given it
  // becomes the visitor and is run over the built array.
  Integer BuildPtrArray(TFilterItOut FilterOutCriterion, TDo_Something DoInOrderAfterwards = nullptr);
  // Sorts BuiltArray (not stably).  The one-argument form first makes
  // NewCompare the tree's comparison, for good.
  void SortBuiltArray();
  void SortBuiltArray(TCompare2FunctOfObject NewCompare);
  // Visits every item (seeds included) in the order of NewCompare.  Both
  // NewCompare (as the tree's comparison) and NewDoInOrder (as its visitor)
  // stay installed afterwards.
  void TraverseReordering(TCompare2FunctOfObject NewCompare, TDo_Something NewDoInOrder);
  // Walks Another with AnothersDoInOrder as its visitor (which is expected to
  // add into this tree), clearing this tree before and Another after when
  // asked.
  void CopyFrom(TGeneral_Tree& Another, TDo_Something AnothersDoInOrder, bool ClearSelf,
                bool ClearAnother);

  // Event handlers an owner may install in any slot.
  void Do_Nowt(anything_ptr) {}

  // Properties.
  const TTreeArrayOfPointer& BuiltArray() const { return fBuiltPtrArray; }
  bool TreeInUnicode() const { return fTreeInUnicode; }
  virtual void SetTreeInUnicode(bool value);
  bool TreeModified() const { return fTreeModified; }
  const TFilterItOut& FilteredOut() const { return fFilterItOut; }
  const TCompare2FunctOfObject& CompareFunctionOfObject() const { return fCompareFunctOfObject; }
  void SetCompareFunctionOfObject(TCompare2FunctOfObject f);
  void SetDoFoundMatchFunction(TDo_Something f) { fDoFoundMatchFunct = std::move(f); }
  void SetDoInOrderFunction(TDo_Something f) { fDoInOrderFunct = std::move(f); }
  void SetDoAddedOneFunction(TDo_Something f) { fDoAddedOneFunct = std::move(f); }
  void SetDoDeletingFunction(TDo_Something f) { fDoDeletingFunct = std::move(f); }
  const TDo_Something& DoInOrderFunction() const { return fDoInOrderFunct; }

  anything_ptr root() const { return froot; }
  // True while one of this tree's walks is running.
  bool Walking() const { return walking_ != 0; }

  // Overridable behaviour.
  virtual void ConvertTreeToUnicode() {}
  virtual int ApproxCompare(void* /*a*/, void* /*b*/) { return 0; }
  virtual bool IsASeed(void* /*item*/) { return false; }
  virtual void Do_Found_Match(anything_ptr /*item*/) {}
  virtual void Do_Added_One(anything_ptr /*item*/) {}
  virtual void Do_In_Order(anything_ptr /*item*/) {}
  virtual void Do_Deleting(anything_ptr /*item*/) {}
  virtual void Seed_Tree() {}

  bool already_converted_to_Unicode = false;
  TSeedFunct general_seedfunct;
  anything_ptr nearest_find = nullptr;
  Integer counter = 0;   // nodes, seeds included
  Integer going = 0;     // 1-based position of the node being visited
  anything current;      // scratch record for owners' Add_One / WhereIs

 protected:
  TTreeArrayOfPointer fBuiltPtrArray;
  TTreeArrayOfPointer fReorderPtrArray;
  bool fTreeInUnicode = false;
  Integer built_len = 0;
  bool fTreeModified = false;
  TFilterItOut fFilterItOut;
  TDo_Something fDoFoundMatchFunct;
  TDo_Something fDoInOrderFunct;
  TDo_Something fDoAddedOneFunct;
  TDo_Something fDoDeletingFunct;
  TCompare2FunctOfObject fCompareFunctOfObject;
  anything_ptr froot = nullptr;

 private:
  // Sets walking_ for the lifetime of a walk.
  class WalkGuard;
  void RequireIdle() const;
  // The comparison, called directly when it is a plain function.
  int Compare(void* a, void* b) const {
    return fast_compare_ != nullptr ? fast_compare_(a, b) : fCompareFunctOfObject(a, b);
  }
  anything_ptr Insert(const anything& new_one, bool& inserted);
  // Calls visit(node) for every node in order.
  template <typename Visit>
  void WalkInOrder(Visit&& visit);
  void QuickSort(TTreeArrayOfPointer& arr, const TCompare2FunctOfObject& compare);

  int walking_ = 0;
  int (*fast_compare_)(void*, void*) = nullptr;

  // Nodes are only ever freed all together (Clear, destruction), so they
  // come from chunks that Clear releases at once: no allocation per node,
  // nothing to free per node.
  class TNodePool {
   public:
    anything_ptr New();
    void Reset();

   private:
    std::vector<std::unique_ptr<anything[]>> chunks_;
    std::size_t chunk_size_ = 0;
    std::size_t used_ = 0;
  };
  TNodePool pool_;
};

}  // namespace cv
