// The typed record lists and the string lists with data: sorted inserts,
// lookups over freed slots, stream forms (exact bytes, round trips, refused
// counts) and the string lists' counting rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "lists/typed_lists.h"
#include "lists/typed_lists_records.h"
#include "lists/typed_lists_strings.h"
#include "platform/coding.h"

namespace cv {
namespace {

std::vector<Integer> Values(const T1LongintList& l) {
  std::vector<Integer> v;
  for (Integer i = 0; i < l.Count(); ++i) v.push_back(l.GetAValue(i));
  return v;
}

// ---------------------------------------------------------------------------
// Sorted inserts keep the order against std::sort of the same keys, for
// every list that has one, with duplicates and with nil slots left by
// FindAndFree.

TEST(SortedInsert, AgreesWithSortedOrderIncludingDuplicates) {
  const std::vector<Integer> keys = {50, 7, 7, -3, 99, 0, 50, 12, 7, 100000, -2147483647, 13};
  T1LongintList ints;
  TCVInt64List bigs;
  TCardinalAndFreqList cfs;
  ints.sorted = bigs.sorted = cfs.sorted = true;
  for (Integer k : keys) {
    ints.AddOne(k);
    bigs.AddOne(static_cast<Int64>(k) * 1000000007LL);
    cfs.AddOneOrIncFreq(TCardinalAndFreq{static_cast<Cardinal>(k + 5), 1});
  }
  std::vector<Integer> want = keys;
  std::sort(want.begin(), want.end());
  EXPECT_EQ(Values(ints), want);
  ASSERT_EQ(bigs.Count(), static_cast<Integer>(want.size()));
  for (Integer i = 0; i < bigs.Count(); ++i)
    EXPECT_EQ(bigs.GetAValue(i), static_cast<Int64>(want[static_cast<std::size_t>(i)]) * 1000000007LL);
  // The cardinal list keeps one entry per key (as unsigned), counting repeats.
  std::set<Cardinal> distinct;
  for (Integer k : keys) distinct.insert(static_cast<Cardinal>(k + 5));
  ASSERT_EQ(cfs.Count(), static_cast<Integer>(distinct.size()));
  Integer i = 0;
  for (Cardinal c : distinct) {
    EXPECT_EQ(cfs.GetACardAndFreq(i).c, c);
    EXPECT_EQ(cfs.GetACardAndFreq(i).f,
              static_cast<Integer>(std::count(keys.begin(), keys.end(), static_cast<Integer>(c - 5))));
    ++i;
  }
}

TEST(SortedInsert, FindPassesOverFreedSlots) {
  T1LongintList l;
  l.sorted = true;
  for (Integer k = 0; k < 40; ++k) l.AddOne(k * 2);
  for (Integer k = 10; k < 30; ++k) EXPECT_EQ(l.FindAndFree(k * 2), k);
  EXPECT_EQ(l.GetAValue(15), TMultiLongintList::kMissing);
  for (Integer k = 0; k < 40; ++k) EXPECT_EQ(l.Find(k * 2), (k >= 10 && k < 30) ? -1 : k) << k;
  EXPECT_EQ(l.Find(5), -1);
  // An insert among the freed slots still lands in order once packed.
  l.AddOne(41);
  l.Pack();
  const std::vector<Integer> v = Values(l);
  EXPECT_TRUE(std::is_sorted(v.begin(), v.end()));
  EXPECT_NE(std::find(v.begin(), v.end(), 41), v.end());
}

TEST(SortedInsert, UnsortedListsAppend) {
  T1LongintList l;
  for (Integer k : {5, 1, 3}) l.AddOne(k);
  EXPECT_EQ(Values(l), (std::vector<Integer>{5, 1, 3}));
  EXPECT_EQ(l.FindAndFree(1), 1);
  std::unique_ptr<T1LongintList> copy(l.GetACopyOfSelf());
  EXPECT_EQ(Values(*copy), (std::vector<Integer>{5, 3}));
}

TEST(ActiveLongintList, CurrentEntryFollowsFrees) {
  TCVActiveLongintList l;
  EXPECT_EQ(l.CurrentItemValue(), -1);
  l.AddOneAndSetCountCurrent(10);
  l.AddOneAndSetCountCurrent(20);
  EXPECT_EQ(l.AddOneAndSetCountCurrent(30), 3);
  EXPECT_EQ(l.CurrentItemValue(), 30);
  l.FindAndFree(30);
  EXPECT_EQ(l.fcurrentItem, 1);
  EXPECT_EQ(l.CurrentItemValue(), 20);
  l.fcurrentItem = 0;
  l.FindAndFree(10);
  EXPECT_EQ(l.fcurrentItem, 2);  // wrapped to the last slot, which is freed
  EXPECT_EQ(l.CurrentItemValue(), -1);
  l.Clear();
  EXPECT_EQ(l.fcurrentItem, -1);
}

TEST(RecordLists, GettersOutsideTheListAndNilSlots) {
  TCardinalList c;
  c.AddOne(4);
  c.AddOne(9);
  c.FreeAndNilOne(0);
  EXPECT_EQ(c.GetAValue(0), 0u);
  EXPECT_EQ(c.GetAValue(5), 0u);
  EXPECT_EQ(c.IndexOf(9), 1);
  EXPECT_EQ(c.IndexOf(0), -1);  // a nil slot does not read as 0

  T3LongintList t;
  t.AddOne(T3_longint_rec{1, 2, 3});
  EXPECT_EQ(t.GetAValue(0).long2, 3);
  EXPECT_EQ(t.GetAValue(1).long0, TMultiLongintList::kMissing);
  t.SetAValue(7, T3_longint_rec{9, 9, 9});  // ignored
  t.SetAValue(0, T3_longint_rec{4, 5, 6});
  EXPECT_EQ(t.GetAValue(0).long0, 4);

  TStringColumnAndColourList s;
  s.AddOne(TStringTrueColumnAndColourRec{3, 0xFF, u"x"});
  s.SetString(-1, u"no");
  s.SetBackgroundColour(0, 0x00FF00);
  EXPECT_EQ(s.IndexOfTrueColumn(3), 0);
  EXPECT_EQ(s.GetBackgroundColour(0), 0x00FF00);
  EXPECT_EQ(s.GetString(1), u"");
}

TEST(RecordLists, SortsAndLookups) {
  TIntegerAndSingleList l;
  for (auto [n, s] : std::vector<std::pair<Integer, Single>>{{1, 2.5f}, {2, -1.0f}, {3, 7.0f}, {4, 0.5f}})
    l.AddOne(TIntegerAndSingleRec{n, s});
  EXPECT_EQ(l.IndexOfSingle(7.0f), 2);
  l.SortAscendingDefault();
  EXPECT_TRUE(l.sorted);
  EXPECT_EQ(l.GetOne(0).int_, 2);
  EXPECT_EQ(l.Find(2.5f), 2);
  EXPECT_EQ(l.Find(3.0f), -1);
  EXPECT_EQ(l.IndexOfInteger(3), 3);

  TWordFreqAndSourceNumList w;
  EXPECT_EQ(w.HighestFrequency(), 0);
  w.AddOne(TWordFreqAndSourceNum{u"a", -4, 0});
  EXPECT_EQ(w.HighestFrequency(), -4);
  w.AddOne(TWordFreqAndSourceNum{u"b", 9, 1});
  EXPECT_EQ(w.GetNext().w, u"a");
  EXPECT_EQ(w.GetNext().w, u"b");
  EXPECT_EQ(w.GetNext().w, u"");
  w.Clear();
  EXPECT_EQ(w.this_, 0);

  TIntegerAnd3CardinalsList t;
  t.AddOne(TIntegerAnd3CardinalsRec{5, {1, 1, 1}});
  t.AddOne(TIntegerAnd3CardinalsRec{2, {2, 2, 2}});
  t.SetAFreq(9, 100);
  t.SortAscendingDefault();
  EXPECT_EQ(t.GetAValue(0).value.card1, 2u);
}

// ---------------------------------------------------------------------------
// Stream forms

template <class L>
std::string Saved(L& l) {
  TMemoryStream m;
  EXPECT_TRUE(l.SaveToStream(m));
  return std::string(m.Bytes());
}

TEST(StreamForms, ExactBytes) {
  T2StringsAnd2IntegersList l;
  l.AddOne(T2StringsAnd2IntegersRec{1, -2, u"ab", u""});
  std::string want;
  PutFixed32(want, 1);
  PutFixed32(want, 1);
  PutFixed32(want, static_cast<std::uint32_t>(-2));
  PutFixed32(want, 2);
  PutUtf16(want, u"ab");
  PutFixed32(want, 0);
  EXPECT_EQ(Saved(l), want);

  TWordFreqAndSourceNumList w;
  w.sorted = true;
  w.AddOne(TWordFreqAndSourceNum{u"z", 3, 4});
  want.clear();
  PutFixed32(want, 1);
  want.push_back('\1');
  PutFixed32(want, 3);
  PutFixed32(want, 4);
  PutFixed32(want, 1);
  PutUtf16(want, u"z");
  EXPECT_EQ(Saved(w), want);

  TSingleHolder s(1.5f);
  TMemoryStream m;
  ASSERT_TRUE(s.SaveToStream(m));
  EXPECT_EQ(m.Bytes(), std::string("\x00\x00\xC0\x3F", 4));
}

TEST(StreamForms, RoundTrips) {
  T3LongintAndSingleList a;
  a.AddOne(T3LongintAndSingleRec{{1, 2, 3}, 0.25f});
  a.AddOne(T3LongintAndSingleRec{{-1, -2, -3}, -8.0f});
  TStringColumnAndColourList b;
  b.AddOne(TStringTrueColumnAndColourRec{7, 0x123456, u"t\u00e9xt"});
  TCVInt64List c;
  c.AddOne(-5000000000LL);

  TMemoryStream m;
  ASSERT_TRUE(a.SaveToStream(m));
  ASSERT_TRUE(b.SaveToStream(m));
  ASSERT_TRUE(c.SaveToStream(m));
  m.SetPosition(0);
  T3LongintAndSingleList a2;
  TStringColumnAndColourList b2;
  TCVInt64List c2;
  ASSERT_TRUE(a2.ReadFromStream(m));
  ASSERT_TRUE(b2.ReadFromStream(m));
  ASSERT_TRUE(c2.ReadFromStream(m));
  EXPECT_EQ(a2.GetOne(1).t3.long2, -3);
  EXPECT_EQ(a2.GetOne(0).s, 0.25f);
  EXPECT_EQ(b2.GetOne(0).s, u"t\u00e9xt");
  EXPECT_EQ(b2.GetOne(0).background_colour, 0x123456);
  EXPECT_EQ(c2.GetAValue(0), -5000000000LL);
}

TEST(StreamForms, ImpossibleCountsAndLengthsAreRefused) {
  struct Case {
    const char* name;
    std::string bytes;
  };
  std::string huge_count;
  PutFixed32(huge_count, 1000);
  PutFixed32(huge_count, 0);  // one entry's worth at most
  std::string negative;
  PutFixed32(negative, 0xFFFFFFFFu);
  std::string bad_string;
  PutFixed32(bad_string, 1);
  PutFixed32(bad_string, 1);
  PutFixed32(bad_string, 2);
  PutFixed32(bad_string, 0x7FFFFFFF);  // s1 length
  for (const Case& c : std::vector<Case>{{"count", huge_count}, {"negative", negative}, {"string", bad_string}}) {
    TBytesStream m(c.bytes);
    T2StringsAnd2IntegersList l;
    EXPECT_THROW(l.ReadFromStream(m), EFileReadError) << c.name;
  }
  // Fixed-size entries: a count needing more bytes than remain.
  std::string cut;
  PutFixed32(cut, 2);
  cut.push_back('\1');
  PutFixed32(cut, 5);
  cut += std::string("\1\0\0", 3);
  TBytesStream m(cut);
  TCardinalList l;
  EXPECT_THROW(l.ReadFromStream(m), EFileReadError);
  // A stream without even a count: false.
  TBytesStream empty(std::string("\1\0", 2));
  EXPECT_FALSE(TCardinalList().ReadFromStream(empty));
}

TEST(StreamForms, PointerListsDoNotStream) {
  TDoublePointerList l;
  int x = 0;
  l.AddOne(T2_Pointer{&x, nullptr});
  EXPECT_EQ(l.GetADoublePointer(0).p1, &x);
  TMemoryStream m;
  EXPECT_FALSE(l.SaveToStream(m));
}

TEST(StreamForms, SmallintListWithoutCount) {
  TSmallintList l;
  for (SmallInt v : {SmallInt(-1), SmallInt(300), SmallInt(0)}) l.AddOne(v);
  TMemoryStream m;
  ASSERT_TRUE(l.SaveToStream(m));
  EXPECT_EQ(m.Bytes(), std::string("\xFF\xFF\x2C\x01\x00\x00", 6));
  m.SetPosition(0);
  TSmallintList r;
  EXPECT_FALSE(r.ReadFromStream(4, m));
  EXPECT_FALSE(r.ReadFromStream(-1, m));
  EXPECT_EQ(r.Count(), 0);
  ASSERT_TRUE(r.ReadFromStream(3, m));
  EXPECT_EQ(r.GetAValue(0), -1);
  EXPECT_EQ(r.GetAValue(1), 300);
}

TEST(StreamForms, MySaveStringList) {
  for (bool objects : {false, true}) {
    TMySaveStringList l(objects);
    l.AddOne(u"alpha", 7);
    l.AddOne(u"", -3);
    TMemoryStream m;
    ASSERT_TRUE(l.SaveToStream(m));
    EXPECT_EQ(m.Size(), 4 + 4 + 10 + 4 + (objects ? 8 : 0));
    m.SetPosition(0);
    TMySaveStringList r(objects);
    r.AddOne(u"stale", 1);
    ASSERT_TRUE(r.LoadFromStream(m));
    ASSERT_EQ(r.Count(), 2);
    EXPECT_EQ(r.Strings(0), u"alpha");
    EXPECT_EQ(r.GetOne(1), objects ? -3 : 0);
  }
  // Too long for the reader: nothing written.
  TMySaveStringList l;
  l.AddOne(string(static_cast<std::size_t>(global_string_safety_limit) + 1, u'x'), 0);
  TMemoryStream m;
  EXPECT_FALSE(l.SaveToStream(m));
  EXPECT_EQ(m.Size(), 0);
  // A count larger than the bytes that follow.
  std::string bytes;
  PutFixed32(bytes, 3);
  PutFixed32(bytes, 0);
  TBytesStream s(bytes);
  EXPECT_THROW(TMySaveStringList().LoadFromStream(s), EFileReadError);
}

// ---------------------------------------------------------------------------
// String lists with data

TEST(StringLists, SetTextStr) {
  TStringListWithALongint l;
  l.SetTextStr(u"the\t12\r\nof\n\tstarts\rx\tnotanumber\r\ny\t-4");
  struct Want {
    const char16_t* s;
    Integer v;
  };
  const Want want[] = {{u"the", 12}, {u"of", -1}, {u"\tstarts", -1}, {u"x\tnotanumber", -1}, {u"y", -4}};
  ASSERT_EQ(l.Count(), 5);
  for (Integer i = 0; i < 5; ++i) {
    EXPECT_EQ(l.Strings(i), want[i].s);
    EXPECT_EQ(l.GetOne(i), want[i].v);
  }
  EXPECT_EQ(l.HighestFrequency(), 12);
  l.SortOnFreq();
  EXPECT_EQ(l.Strings(0), u"the");
  EXPECT_EQ(l.GetOne(4), -4);
}

TEST(StringLists, AddOrIncOneCountsOne) {
  TStringListWithALongint l;
  EXPECT_EQ(l.AddOrIncOne(u"a", 10), 0);
  EXPECT_EQ(l.AddOrIncOne(u"A", 10), 0);  // the list ignores case by default
  EXPECT_EQ(l.GetOne(0), 11);
  l.SetCaseSensitive(true);
  EXPECT_EQ(l.AddOrIncOne(u"A", 10), 1);

  TStringListWithLongintList ll;
  EXPECT_EQ(ll.AddOrIncOne(u"w", 5), 1);
  EXPECT_EQ(ll.AddOrIncOne(u"w", 5), 1);
  EXPECT_EQ(ll.AddOrIncOne(u"w", 6), 2);

  TStringListWith2LongintList two;
  two.AddOrIncOne(u"p", T2_longint_rec{1, 1});
  two.AddOrIncOne(u"p", T2_longint_rec{50, 50});
  two.AddOrIncOne(u"q", T2_longint_rec{1, 3});
  two.IncOne(1, 1);
  two.AddToOneFreq(0, 5, 2);  // no such field: nothing
  two.IncOne(9, 0);           // no such entry: nothing
  EXPECT_EQ(two.GetOne(0).long0, 2);
  EXPECT_EQ(two.GetOne(1).long1, 4);
  EXPECT_EQ(two.Repeateds(0), 1);
  EXPECT_EQ(two.Repeateds(1), 1);
}

TEST(StringLists, SortedDuplicatesDoNotLeakOrReplace) {
  TStringListWithASingle l;
  l.SetSorted(true);
  EXPECT_EQ(l.AddOne(u"b", 1.0f), 0);
  EXPECT_EQ(l.AddOne(u"a", 2.0f), 0);
  EXPECT_EQ(l.AddOne(u"b", 9.0f), 1);  // kept with its value
  EXPECT_EQ(l.GetOne(1), 1.0f);
  l.ReverseTheSort();
  EXPECT_EQ(l.Strings(0), u"b");
  l.ReduceTo(1);
  EXPECT_EQ(l.Count(), 1);
}

TEST(StringLists, Sorts) {
  TStringListWithFreqPointers f;
  f.AddOne(u"b", 2);
  f.AddOne(u"c", 5);
  f.AddOne(u"a", 2);
  f.AddOrIncOne(u"a", 100);
  f.AddOrIncOne(u"b", 100);
  f.SortOnFreq();
  EXPECT_EQ(f.Strings(0), u"c");
  EXPECT_EQ(f.Strings(1), u"a");
  EXPECT_EQ(f.Strings(2), u"b");

  TStringListWithIntAndSingle s;
  s.AddOne(u"x", TIntegerAndSingleRec{2, 1.0f});
  s.AddOne(u"y", TIntegerAndSingleRec{1, 5.0f});
  s.AddOne(u"z", TIntegerAndSingleRec{2, 0.5f});
  s.SortOnInt(true);
  EXPECT_EQ(s.Strings(0), u"y");
  EXPECT_EQ(s.Strings(1), u"z");
  s.SortOnSingle(false);
  EXPECT_EQ(s.Strings(0), u"y");
  s.SortOnStrings(false);
  EXPECT_EQ(s.Strings(0), u"z");

  TStringListWithStringAndMeanAndSD_rec m;
  m.AddOne(u"p", TStringAndMeanAndSD_rec{{1.0f, 2.0f}, u"e"});
  m.AddOne(u"q", TStringAndMeanAndSD_rec{{1.0f, 1.0f}, u""});
  m.SortOnMeans();
  EXPECT_EQ(m.Strings(0), u"q");
  EXPECT_EQ(m.GetOne(1).extra, u"e");
}

TEST(FreeFunctions, ExchangeAndConversions) {
  TSmallAndLongRec a{1, 2}, b{3, 4};
  ExchangeTwoSmallAndLongRecs(a, b);
  EXPECT_EQ(a.small, 3);
  EXPECT_EQ(b.long_, 2);
  const auto r = IntegerAndSingleForScoringRecToIntegerAndSingleRec(
      IntegerAndSingleRecToIntegerAndSingleForScoringRec(TIntegerAndSingleRec{7, 0.75f}));
  EXPECT_EQ(r.int_, 7);
  EXPECT_EQ(r.s, 0.75f);
}

}  // namespace
}  // namespace cv
