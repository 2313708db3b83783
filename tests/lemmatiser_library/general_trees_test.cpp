#include "lemmatiser_library/general_trees.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <vector>

namespace cv {
namespace {

// Items are pointers into a vector of ints; the tree orders them by value.
int CompareInts(void* a, void* b) {
  const int x = *static_cast<int*>(a);
  const int y = *static_cast<int*>(b);
  return x < y ? -1 : (x > y ? 1 : 0);
}

anything Item(int& v) {
  anything a;
  a.this_ = &v;
  return a;
}

std::vector<int> InOrder(TGeneral_Tree& t) {
  std::vector<int> out;
  t.Traverse([&](anything_ptr n) { out.push_back(*static_cast<int*>(n->this_)); });
  return out;
}

int Height(anything_ptr n) { return n == nullptr ? 0 : 1 + std::max(Height(n->left), Height(n->right)); }

// Every node's balance field matches its subtrees, and the order holds.
bool Balanced(anything_ptr n, int& height) {
  if (n == nullptr) {
    height = 0;
    return true;
  }
  int hl, hr;
  if (!Balanced(n->left, hl) || !Balanced(n->right, hr)) return false;
  height = 1 + std::max(hl, hr);
  return n->balance == hr - hl && std::abs(hr - hl) <= 1;
}

enum class Order { ascending, descending, shuffled, zigzag };

std::vector<int> Values(Order order, int n) {
  std::vector<int> v(static_cast<std::size_t>(n));
  std::iota(v.begin(), v.end(), 0);
  switch (order) {
    case Order::ascending: break;
    case Order::descending: std::reverse(v.begin(), v.end()); break;
    case Order::shuffled: std::shuffle(v.begin(), v.end(), std::mt19937(42)); break;
    case Order::zigzag:
      for (int i = 0; i < n; ++i) v[static_cast<std::size_t>(i)] = (i % 2 == 0) ? i / 2 : n - 1 - i / 2;
      break;
  }
  return v;
}

// Sizes and orders that used to leave a spine (2100 descending) and the
// sizes lists reach (100,000).  Walks give ascending order, the tree stays
// AVL-balanced, and Clear hands every node to the deletion callback in
// order, counting `going` down.
TEST(GeneralTree, AnyOrderAndSizeStaysBalancedAndWalksInOrder) {
  for (int n : {1, 2, 3, 2100, 100000}) {
    for (Order order : {Order::ascending, Order::descending, Order::shuffled, Order::zigzag}) {
      SCOPED_TRACE(testing::Message() << "n=" << n << " order=" << static_cast<int>(order));
      std::vector<int> values = Values(order, n);
      TGeneral_Tree tree(CompareInts);
      for (int& v : values) ASSERT_TRUE(tree.Add_One(Item(v)));
      EXPECT_EQ(tree.counter, n);
      int height = 0;
      ASSERT_TRUE(Balanced(tree.root(), height));
      EXPECT_LE(height, 1.45 * std::log2(n + 2.0));

      const std::vector<int> walked = InOrder(tree);
      std::vector<int> expected(static_cast<std::size_t>(n));
      std::iota(expected.begin(), expected.end(), 0);
      EXPECT_EQ(walked, expected);

      for (int& v : values) ASSERT_NE(tree.WhereIs(Item(v)), nullptr);

      std::vector<int> deleted;
      std::vector<int> goings;
      tree.SetDoDeletingFunction([&](anything_ptr node) {
        deleted.push_back(*static_cast<int*>(node->this_));
        goings.push_back(tree.going);
      });
      tree.Clear();
      EXPECT_EQ(deleted, expected);
      ASSERT_EQ(goings.size(), static_cast<std::size_t>(n));
      EXPECT_EQ(goings.front(), n);
      EXPECT_EQ(goings.back(), 1);
      EXPECT_EQ(tree.counter, 0);
      EXPECT_EQ(tree.root(), nullptr);
      EXPECT_TRUE(tree.TreeModified());
    }
  }
}

TEST(GeneralTree, DuplicatesAndLookups) {
  int a = 5, b = 5, c = 7, absent = 6;
  TGeneral_Tree tree(CompareInts);
  EXPECT_EQ(tree.WhereIs(Item(a)), nullptr);
  EXPECT_EQ(tree.nearest_find, nullptr) << "an empty tree records no node";

  std::vector<anything_ptr> found;
  tree.SetDoFoundMatchFunction([&](anything_ptr n) { found.push_back(n); });
  anything_ptr first = tree.Add_OnePtr(Item(a));
  ASSERT_NE(first, nullptr);
  EXPECT_FALSE(tree.Add_One(Item(b)));
  EXPECT_EQ(tree.Add_OnePtr(Item(b)), nullptr);
  EXPECT_EQ(tree.counter, 1);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0], first);
  EXPECT_EQ(found[0]->this_, &a);

  EXPECT_TRUE(tree.Add_One(Item(c)));
  EXPECT_EQ(tree.WhereIs(Item(absent)), nullptr);
  ASSERT_NE(tree.nearest_find, nullptr);
  EXPECT_TRUE(tree.Add_One_To_Nearest(Item(absent)));
  EXPECT_EQ(InOrder(tree), (std::vector<int>{5, 6, 7}));
  EXPECT_EQ(tree.WhereIs(Item(c))->this_, &c);

  tree.Clear();
  EXPECT_EQ(tree.nearest_find, nullptr) << "Clear must not leave a pointer to a freed node";
  EXPECT_EQ(tree.WhereIs(Item(a)), nullptr);
}

TEST(GeneralTree, WithoutComparisonKeepsOnlyTheFirstItem) {
  int v[3] = {1, 2, 3};
  TGeneral_Tree tree;
  int matches = 0;
  tree.SetDoFoundMatchFunction([&](anything_ptr) { ++matches; });
  EXPECT_TRUE(tree.Add_One(Item(v[0])));
  EXPECT_FALSE(tree.Add_One(Item(v[1])));
  EXPECT_FALSE(tree.Add_One(Item(v[2])));
  EXPECT_EQ(tree.counter, 1);
  EXPECT_EQ(matches, 2);
  EXPECT_EQ(tree.WhereIsApproxMatch(Item(v[2])), tree.root());
}

// Seeds are left out of built arrays; the filter drops what it answers true
// for; the array visitor counts null elements in `going` but skips them.
class SeededTree : public TGeneral_Tree {
 public:
  SeededTree() : TGeneral_Tree(CompareInts) {}
  bool IsASeed(void* item) override { return *static_cast<int*>(item) < 0; }
};

TEST(GeneralTree, BuildPtrArrayAndTraverseArray) {
  std::vector<int> seeds = {-3, -2, -1};
  std::vector<int> items = {4, 1, 3, 2};
  SeededTree tree;
  for (int& s : seeds) tree.Add_One(Item(s));
  EXPECT_EQ(tree.BuildPtrArray(nullptr), 0);
  EXPECT_TRUE(tree.BuiltArray().empty());

  for (int& v : items) tree.Add_One(Item(v));
  std::vector<int> visited;
  const Integer built = tree.BuildPtrArray([](anything_ptr n) { return *static_cast<int*>(n->this_) == 3; },
                                           [&](anything_ptr n) { visited.push_back(*static_cast<int*>(n->this_)); });
  EXPECT_EQ(built, 3);
  EXPECT_EQ(visited, (std::vector<int>{1, 2, 4}));

  TTreeArrayOfPointer with_nulls = {nullptr, &items[0], nullptr, &items[1]};
  std::vector<std::pair<int, int>> seen;  // (going, value)
  tree.SetDoInOrderFunction([&](anything_ptr n) { seen.emplace_back(tree.going, *static_cast<int*>(n->this_)); });
  tree.TraverseArray(with_nulls);
  EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{2, 4}, {4, 1}}));
}

int CompareIntsDescending(void* a, void* b) { return -CompareInts(a, b); }

TEST(GeneralTree, TraverseReorderingVisitsInTheNewOrderAndKeepsIt) {
  std::vector<int> items = {3, 1, 2};
  TGeneral_Tree tree(CompareInts);
  for (int& v : items) tree.Add_One(Item(v));
  std::vector<int> visited;
  tree.TraverseReordering(CompareIntsDescending, [&](anything_ptr n) { visited.push_back(*static_cast<int*>(n->this_)); });
  EXPECT_EQ(visited, (std::vector<int>{3, 2, 1}));
  // The tree's comparison is now the descending one: a lookup of 2 passes
  // the root the other way, so an item is only found where that order puts it.
  int probe = 2;
  EXPECT_NE(tree.WhereIs(Item(probe)), nullptr);  // the root of {1,2,3}
  int probe1 = 1;
  EXPECT_EQ(tree.WhereIs(Item(probe1)), nullptr) << "1 lies left of 2, the descending order looks right";
}

TEST(GeneralTree, SortBuiltArraySortsAndSurvivesABadComparison) {
  for (int n : {0, 1, 2, 3, 10, 1000}) {
    SeededTree tree;
    // Distinct items in the tree; the built array is then sorted by their
    // last digit, so many items compare equal.
    std::vector<int> distinct(static_cast<std::size_t>(n));
    std::iota(distinct.begin(), distinct.end(), 0);
    for (int& v : distinct) tree.Add_One(Item(v));
    tree.BuildPtrArray(nullptr);
    auto by_last_digit = [](void* a, void* b) {
      return (*static_cast<int*>(a) % 10) - (*static_cast<int*>(b) % 10);
    };
    tree.SortBuiltArray(by_last_digit);
    std::vector<int> sorted;
    for (void* p : tree.BuiltArray()) sorted.push_back(*static_cast<int*>(p) % 10);
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end()));
    EXPECT_EQ(sorted.size(), static_cast<std::size_t>(n));

    // A comparison that answers "before" for everything would run a plain
    // Hoare scan off the array; here it must only give some permutation.
    tree.SortBuiltArray([](void*, void*) { return -1; });
    std::vector<int> permuted;
    for (void* p : tree.BuiltArray()) permuted.push_back(*static_cast<int*>(p));
    std::sort(permuted.begin(), permuted.end());
    EXPECT_EQ(permuted, distinct);
  }
}

TEST(GeneralTree, ChangesFromInsideAWalkAreRefused) {
  std::vector<int> items = {1, 2, 3};
  int extra = 4;
  TGeneral_Tree tree(CompareInts);
  for (int& v : items) tree.Add_One(Item(v));
  int busy = 0;
  int lookups = 0;
  tree.Traverse([&](anything_ptr n) {
    if (tree.WhereIs(Item(*static_cast<int*>(n->this_))) != nullptr) ++lookups;
    try {
      tree.Clear();
    } catch (const ETreeBusy&) {
      ++busy;
    }
    try {
      tree.Add_One(Item(extra));
    } catch (const ETreeBusy&) {
      ++busy;
    }
    try {
      tree.Traverse();
    } catch (const ETreeBusy&) {
      ++busy;
    }
  });
  EXPECT_EQ(lookups, 3);
  EXPECT_EQ(busy, 9);
  EXPECT_EQ(tree.counter, 3);
  EXPECT_FALSE(tree.Walking());
}

TEST(GeneralTree, CopyFromWalksTheOtherTreeIntoThisOne) {
  std::vector<int> items = {2, 1, 3};
  TGeneral_Tree source(CompareInts), target(CompareInts);
  for (int& v : items) source.Add_One(Item(v));
  target.CopyFrom(
      source, [&](anything_ptr n) { target.Add_One(*n); }, true, true);
  EXPECT_EQ(InOrder(target), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(source.counter, 0);
}

}  // namespace
}  // namespace cv
