#include "lemmatiser_library/general_trees.h"

#include <algorithm>
#include <array>
#include <utility>

#include "files/my_kpsmall.h"

namespace cv {

namespace {

// An AVL tree of n nodes is at most about 1.44 log2(n) high: 46 levels for
// 2^31 nodes.  The fixed stacks below are far larger than any reachable height.
constexpr int kMaxDepth = 128;

int CompareAllEqual(void*, void*) { return 0; }

anything_ptr& Child(anything_ptr node, bool right) { return right ? node->right : node->left; }

// Restores balance at `node`, whose balance has just become -2 or +2 after an
// insertion below it.  Returns the new root of the subtree.
anything_ptr Rebalance(anything_ptr node) {
  const bool right_heavy = node->balance > 0;
  const std::int8_t sign = right_heavy ? 1 : -1;
  anything_ptr heavy = Child(node, right_heavy);
  if (heavy->balance == sign) {
    // Single rotation.
    Child(node, right_heavy) = Child(heavy, !right_heavy);
    Child(heavy, !right_heavy) = node;
    node->balance = 0;
    heavy->balance = 0;
    return heavy;
  }
  // Double rotation: the inner grandchild becomes the subtree's root.
  anything_ptr inner = Child(heavy, !right_heavy);
  Child(heavy, !right_heavy) = Child(inner, right_heavy);
  Child(node, right_heavy) = Child(inner, !right_heavy);
  Child(inner, right_heavy) = heavy;
  Child(inner, !right_heavy) = node;
  node->balance = inner->balance == sign ? static_cast<std::int8_t>(-sign) : 0;
  heavy->balance = inner->balance == -sign ? sign : 0;
  inner->balance = 0;
  return inner;
}

}  // namespace

anything_ptr TGeneral_Tree::TNodePool::New() {
  if (chunks_.empty() || used_ == chunk_size_) {
    // 32 nodes first (most trees are small), doubling up to 4096.
    chunk_size_ = chunks_.empty() ? 32 : std::min<std::size_t>(chunk_size_ * 2, 4096);
    chunks_.emplace_back(new anything[chunk_size_]);
    used_ = 0;
  }
  anything_ptr node = &chunks_.back()[used_++];
  *node = anything{};
  return node;
}

void TGeneral_Tree::TNodePool::Reset() {
  chunks_.clear();
  chunk_size_ = 0;
  used_ = 0;
}

class TGeneral_Tree::WalkGuard {
 public:
  explicit WalkGuard(TGeneral_Tree& tree) : tree_(tree) {
    tree_.RequireIdle();
    ++tree_.walking_;
  }
  ~WalkGuard() { --tree_.walking_; }
  WalkGuard(const WalkGuard&) = delete;
  WalkGuard& operator=(const WalkGuard&) = delete;

 private:
  TGeneral_Tree& tree_;
};

TGeneral_Tree::TGeneral_Tree(TCompare2FunctOfObject ACompfunctOfObject) {
  SetCompareFunctionOfObject(std::move(ACompfunctOfObject));
  // Late-bound, so that a derived class's overrides are the defaults.
  fDoFoundMatchFunct = [this](anything_ptr n) { Do_Found_Match(n); };
  fDoInOrderFunct = [this](anything_ptr n) { Do_In_Order(n); };
  fDoAddedOneFunct = [this](anything_ptr n) { Do_Added_One(n); };
  fDoDeletingFunct = [this](anything_ptr n) { Do_Deleting(n); };
}

TGeneral_Tree::~TGeneral_Tree() {
  // Derived overrides are gone by now; free the nodes without calling them.
  fDoDeletingFunct = nullptr;
  walking_ = 0;
  Clear();
}

void TGeneral_Tree::RequireIdle() const {
  if (walking_ != 0) throw ETreeBusy();
}

void TGeneral_Tree::SetCompareFunctionOfObject(TCompare2FunctOfObject f) {
  fCompareFunctOfObject = f ? std::move(f) : TCompare2FunctOfObject(CompareAllEqual);
  auto* plain = fCompareFunctOfObject.target<int (*)(void*, void*)>();
  fast_compare_ = plain != nullptr ? *plain : nullptr;
}

void TGeneral_Tree::SetTreeInUnicode(bool value) {
  if (!fTreeInUnicode && froot != nullptr) ConvertTreeToUnicode();
  fTreeInUnicode = value;
}

void TGeneral_Tree::Clear() {
  RequireIdle();
  // In-order deletion by right rotations: whenever the node at hand has a
  // left child, rotate it up; otherwise the node is the smallest one left.
  // Needs no stack, so it cannot fail part way.
  going = counter;
  anything_ptr node = froot;
  froot = nullptr;
  nearest_find = nullptr;
  current.left = nullptr;
  current.right = nullptr;
  while (node != nullptr) {
    if (node->left != nullptr) {
      anything_ptr l = node->left;
      node->left = l->right;
      l->right = node;
      node = l;
      continue;
    }
    anything_ptr next = node->right;
    if (fDoDeletingFunct) {
      try {
        fDoDeletingFunct(node);
      } catch (...) {
        // The owner's item may leak; the tree's own nodes are still all freed.
      }
    }
    --going;
    node = next;
  }
  pool_.Reset();
  going = 0;
  counter = 0;
  fBuiltPtrArray.clear();
  fReorderPtrArray.clear();
  built_len = 0;
  fTreeModified = true;
}

anything_ptr TGeneral_Tree::Insert(const anything& new_one, bool& inserted) {
  RequireIdle();
  MyYieldProcess();
  inserted = false;
  std::array<anything_ptr, kMaxDepth> path;
  std::array<bool, kMaxDepth> went_right;
  int depth = 0;
  for (anything_ptr node = froot; node != nullptr;) {
    const int c = Compare(new_one.this_, node->this_);
    if (c == 0) {
      if (fDoFoundMatchFunct) fDoFoundMatchFunct(node);
      return node;
    }
    if (depth == kMaxDepth) throw std::logic_error("tree deeper than its balance allows");
    path[depth] = node;
    went_right[depth] = c > 0;
    ++depth;
    node = c > 0 ? node->right : node->left;
  }

  anything_ptr fresh = pool_.New();
  fresh->this_ = new_one.this_;
  if (fDoAddedOneFunct) {
    // The path above is only good while nothing else changes the tree.  A
    // node given up by a throwing callback stays unused in the pool.
    WalkGuard guard(*this);
    fDoAddedOneFunct(fresh);
  }
  fresh->left = nullptr;
  fresh->right = nullptr;
  fresh->balance = 0;
  if (depth == 0) {
    froot = fresh;
  } else {
    Child(path[depth - 1], went_right[depth - 1]) = fresh;
  }
  // Walk back up, updating balances; one rotation at most restores the
  // heights of everything above it.
  for (int i = depth - 1; i >= 0; --i) {
    anything_ptr p = path[i];
    p->balance = static_cast<std::int8_t>(p->balance + (went_right[i] ? 1 : -1));
    if (p->balance == 0) break;
    if (p->balance == 1 || p->balance == -1) continue;
    anything_ptr sub = Rebalance(p);
    if (i == 0) {
      froot = sub;
    } else {
      Child(path[i - 1], went_right[i - 1]) = sub;
    }
    break;
  }
  ++counter;
  fTreeModified = true;
  inserted = true;
  return fresh;
}

bool TGeneral_Tree::Add_One(const anything& new_one) {
  bool inserted;
  Insert(new_one, inserted);
  return inserted;
}

bool TGeneral_Tree::Add_One_To_Nearest(const anything& new_one) {
  // Balancing needs the whole path from the root; starting there finds the
  // same place nearest_find would have led to.
  return Add_One(new_one);
}

anything_ptr TGeneral_Tree::Add_OnePtr(const anything& new_one) {
  bool inserted;
  anything_ptr node = Insert(new_one, inserted);
  return inserted ? node : nullptr;
}

anything_ptr TGeneral_Tree::WhereIs(const anything& new_one) {
  MyYieldProcess();
  for (anything_ptr node = froot; node != nullptr;) {
    nearest_find = node;
    const int c = Compare(new_one.this_, node->this_);
    if (c == 0) return node;
    node = c > 0 ? node->right : node->left;
  }
  return nullptr;
}

anything_ptr TGeneral_Tree::WhereIsApproxMatch(const anything& new_one) {
  MyYieldProcess();
  for (anything_ptr node = froot; node != nullptr;) {
    nearest_find = node;
    const int c = ApproxCompare(new_one.this_, node->this_);
    if (c == 0) return node;
    node = c > 0 ? node->right : node->left;
  }
  return nullptr;
}

template <typename Visit>
void TGeneral_Tree::WalkInOrder(Visit&& visit) {
  std::array<anything_ptr, kMaxDepth> stack;
  int top = 0;
  anything_ptr node = froot;
  while (node != nullptr || top > 0) {
    while (node != nullptr) {
      if (top == kMaxDepth) throw std::logic_error("tree deeper than its balance allows");
      stack[top++] = node;
      node = node->left;
    }
    anything_ptr visiting = stack[--top];
    node = visiting->right;
    ++going;
    MyYieldProcess();
    visit(visiting);
  }
}

void TGeneral_Tree::Traverse() {
  WalkGuard guard(*this);
  fTreeModified = false;
  going = 0;
  WalkInOrder([this](anything_ptr n) {
    if (fDoInOrderFunct) fDoInOrderFunct(n);
  });
}

void TGeneral_Tree::Traverse(TDo_Something DoInOrder) {
  RequireIdle();
  fDoInOrderFunct = std::move(DoInOrder);
  Traverse();
}

void TGeneral_Tree::TraverseArray(const TTreeArrayOfPointer& arr) {
  WalkGuard guard(*this);
  going = 0;
  anything scratch;
  for (void* item : arr) {
    ++going;
    if (item == nullptr) continue;
    MyYieldProcess();
    scratch = anything{};
    scratch.this_ = item;
    if (fDoInOrderFunct) fDoInOrderFunct(&scratch);
  }
}

void TGeneral_Tree::TraverseArray(const Tarray_of_anything_ptr& arr) {
  WalkGuard guard(*this);
  going = 0;
  for (anything_ptr node : arr) {
    ++going;
    if (node == nullptr) continue;
    MyYieldProcess();
    if (fDoInOrderFunct) fDoInOrderFunct(node);
  }
}

Integer TGeneral_Tree::BuildPtrArray(TFilterItOut FilterOutCriterion, TDo_Something DoInOrderAfterwards) {
  {
    WalkGuard guard(*this);
    fFilterItOut = std::move(FilterOutCriterion);
    fBuiltPtrArray.assign(static_cast<std::size_t>(counter), nullptr);
    built_len = 0;
    going = 0;
    WalkInOrder([this](anything_ptr n) {
      if (fFilterItOut && fFilterItOut(n)) return;
      if (IsASeed(n->this_)) return;
      fBuiltPtrArray[static_cast<std::size_t>(built_len++)] = n->this_;
    });
    fBuiltPtrArray.resize(static_cast<std::size_t>(built_len));
  }
  if (DoInOrderAfterwards) {
    fDoInOrderFunct = std::move(DoInOrderAfterwards);
    // A copy, so that a visitor rebuilding the array cannot pull it away.
    const TTreeArrayOfPointer built = fBuiltPtrArray;
    TraverseArray(built);
  }
  return built_len;
}

void TGeneral_Tree::QuickSort(TTreeArrayOfPointer& arr, const TCompare2FunctOfObject& compare) {
  if (arr.size() < 2) return;
  // Hoare partition around the middle element.  The scans are bounded by the
  // range, so a comparison that is not a consistent order cannot take them
  // outside it.  The smaller part is sorted by recursion and the larger one
  // by the loop, which bounds the recursion depth by log2 n; the result is
  // the same as sorting the left part first.
  struct Sorter {
    TTreeArrayOfPointer& a;
    const TCompare2FunctOfObject& cmp;
    void Sort(std::ptrdiff_t lo, std::ptrdiff_t hi) {
      while (lo < hi) {
        std::ptrdiff_t i = lo;
        std::ptrdiff_t j = hi;
        void* pivot = a[static_cast<std::size_t>(lo + (hi - lo) / 2)];
        do {
          while (i < hi && cmp(a[static_cast<std::size_t>(i)], pivot) < 0) ++i;
          while (j > lo && cmp(pivot, a[static_cast<std::size_t>(j)]) < 0) --j;
          if (i <= j) {
            std::swap(a[static_cast<std::size_t>(i)], a[static_cast<std::size_t>(j)]);
            ++i;
            --j;
          }
        } while (i <= j);
        if (j - lo < hi - i) {
          if (lo < j) Sort(lo, j);
          lo = i;
        } else {
          if (i < hi) Sort(i, hi);
          hi = j;
        }
      }
    }
  } sorter{arr, compare};
  sorter.Sort(0, static_cast<std::ptrdiff_t>(arr.size()) - 1);
}

void TGeneral_Tree::SortBuiltArray() {
  RequireIdle();
  QuickSort(fBuiltPtrArray, fCompareFunctOfObject);
}

void TGeneral_Tree::SortBuiltArray(TCompare2FunctOfObject NewCompare) {
  RequireIdle();
  SetCompareFunctionOfObject(std::move(NewCompare));
  SortBuiltArray();
}

void TGeneral_Tree::TraverseReordering(TCompare2FunctOfObject NewCompare, TDo_Something NewDoInOrder) {
  RequireIdle();
  fReorderPtrArray.assign(static_cast<std::size_t>(counter), nullptr);
  SetCompareFunctionOfObject(std::move(NewCompare));
  fDoInOrderFunct = [this](anything_ptr n) {
    const auto at = static_cast<std::size_t>(going - 1);
    if (at < fReorderPtrArray.size()) fReorderPtrArray[at] = n->this_;
  };
  Traverse();
  QuickSort(fReorderPtrArray, fCompareFunctOfObject);
  fDoInOrderFunct = std::move(NewDoInOrder);
  const TTreeArrayOfPointer reordered = fReorderPtrArray;
  TraverseArray(reordered);
}

void TGeneral_Tree::CopyFrom(TGeneral_Tree& Another, TDo_Something AnothersDoInOrder, bool ClearSelf,
                             bool ClearAnother) {
  if (&Another == this) throw ETreeBusy();
  if (ClearSelf) Clear();
  Another.Traverse(std::move(AnothersDoInOrder));
  if (ClearAnother) Another.Clear();
}

}  // namespace cv
