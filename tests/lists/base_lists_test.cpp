// Comparison functions, stream strings, the base lists and the three-level
// sort.  Stream images are checked against hex built by hand from the
// layouts; the multi-key sorts against GNU sort.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "lists/pointer_utils.h"
#include "lists/sortable_lists.h"
#include "lists/useful_classes_base.h"
#include "platform/nls.h"
#include "test_support.h"

namespace cv {
namespace {

using testing_support::Hex;
using testing_support::ReadFile;
using testing_support::ScratchDir;
using testing_support::Shell;
using testing_support::Unhex;
using testing_support::WriteFile;

TEST(ComparisonTest, NumbersDatesAndStrings) {
  struct Case {
    Integer got, want;
    const char* what;
  } cases[] = {
      {CompareLongints(3, 5), -1, "longints"},
      {CompareLongints(-2147483647 - 1, 2147483647), -1, "longint extremes"},
      {CompareCardinals(0xFFFFFFFFu, 1), 1, "cardinals unsigned"},
      {CompareInt64s(0x100000000LL, 0xFFFFFFFFLL), 1, "int64 high halves"},
      {CompareInt64s(-1, 1), -1, "int64 signed"},
      {CompareSingles(2.5f, 2.5f), 0, "singles"},
      {CompareBytes(200, 100), 1, "bytes"},
      {Compare16Bit(-1, 1), -1, "smallint"},
      {Compare16BitWords(65535, 1), 1, "words"},
      {CompareChars(u'b', u'a'), 1, "chars"},
      {CompareDates(45000.5, 45000.25), -1, "later date first"},
      {CompareJulianDates(1.0, 2.0), 1, "julian reversed"},
      {Compare2Strings(u"a", u"B"), 1, "code units"},
      {Compare2Strings(u"ab", u"ab"), 0, "equal strings"},
      {CrudeStringComparison(std::u16string_view(u"ab\0z", 4), std::u16string_view(u"ab\0y", 4)), 0,
       "stops at zero"},
      {LCIDStringComparison(u"", u"x", LCID_EN_US), 0, "empty is 0"},
      {LCIDStringComparison(u"a", u"B", LCID_EN_US), -1, "locale order"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.want) << c.what;
  TIntegerAnd3CardinalsRec a{5, {1, 9, 3}}, b{4, {2, 9, 1}};
  EXPECT_EQ(CompareIntAnd3CardinalsFreq(a, b), 1);
  EXPECT_EQ(CompareIntAnd3CardinalsCard1(a, b), -1);
  EXPECT_EQ(CompareIntAnd3CardinalsCard2(a, b), 0);
  EXPECT_EQ(CompareIntAnd3CardinalsCard3(a, b), 1);
}

TEST(ComparisonTest, LocaleFlagsMapToCollatorStrength) {
  struct Case {
    Cardinal flags;
    const char16_t *a, *b;
    Integer want;
  } cases[] = {
      {0, u"abc", u"ABC", -1},
      {NORM_IGNORECASE, u"abc", u"ABC", 0},
      {NORM_IGNORECASE, u"r\u00e9sum\u00e9", u"resume", 1},
      {NORM_IGNORENONSPACE | NORM_IGNORECASE, u"r\u00e9sum\u00e9", u"RESUME", 0},
      {NORM_IGNORESYMBOLS, u"co-op", u"coop", 0},
  };
  const Cardinal saved = my_default_sort;
  for (const auto& c : cases) {
    my_default_sort = c.flags;
    EXPECT_EQ(CompareLCIDPchar(LCID_EN_US, c.a, c.b), c.want) << c.flags;
  }
  my_default_sort = saved;
  EXPECT_EQ(CompareLCIDPAnsichar(LCID_EN_US, "caf\xe9", "cafe"), 1);  // 1252 e-acute after e
}

TEST(PointerUtilsTest, HeapCopiesAndContainment) {
  char16_t* p = CheckedNewLenPchar(u"hello", 3);
  EXPECT_EQ(PcharView(p), u"hel");
  DeletePChar(p);
  p = CheckedNewLenPchar(nullptr, 5);
  EXPECT_EQ(StrLenW(p), 0);
  DeletePChar(p);
  struct Case {
    const char16_t *s, *pattern;
    bool at_start, at_end, digit;
    Integer want;
  } cases[] = {
      {u"x9y", u"", false, false, true, 0},     {u"xyz", u"", false, false, true, 1},
      {u"prefix", u"pre", true, false, false, 0}, {u"prefix", u"fix", false, true, false, 0},
      {u"ix", u"fix", false, true, false, 1},    {u"abcde", u"cd", false, false, false, 0},
      {u"abcde", u"dc", false, false, false, 1}, {nullptr, u"a", false, false, false, 1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ComparePosPchar(0, c.s, c.pattern, c.at_start, c.at_end, c.digit), c.want);
  EXPECT_EQ(CompareWdPrefixSuffixPchar(u"w", u"w", u"p", u"p", u"a", u"b"), -1);
}

// ---------------------------------------------------------------------------
// Strings in streams

TEST(StreamStringTest, GoldenImagesAndRoundTrip) {
  TMemoryStream m;
  ASSERT_TRUE(WriteAString(m, u""));
  ASSERT_TRUE(WriteAString(m, u"h\u00e9\U0001F600"));
  EXPECT_EQ(Hex(m.Bytes()), "00 00 00 00 04 00 00 00 68 00 e9 00 3d d8 00 de");
  m.SetPosition(0);
  EXPECT_EQ(ReadAString(m), u"");
  EXPECT_EQ(ReadAString(m), u"h\u00e9\U0001F600");
}

TEST(StreamStringTest, WriterRefusesWhatTheReaderWouldRefuse) {
  TMemoryStream m;
  const string long_one(5001, u'x');
  EXPECT_FALSE(WriteAString(m, long_one));
  EXPECT_EQ(m.Size(), 0);
  EXPECT_TRUE(WriteAString(m, string(5000, u'x')));
  EXPECT_TRUE(WriteAString(m, long_one, 6000));
  m.SetPosition(0);
  EXPECT_EQ(ReadAString(m).size(), 5000u);
  EXPECT_EQ(ReadAString(m, 6000), long_one);
}

TEST(StreamStringTest, BadLengthsRaiseTheFileReadError) {
  const char* damaged[] = {
      "89 13 00 00",              // 5001, over the default limit
      "ff ff ff ff",              // negative
      "ff ff ff 7f 41 00",        // far beyond the stream
      "03 00 00 00 41 00 42 00",  // one unit short
  };
  for (const char* hex : damaged) {
    TBytesStream m(Unhex(hex));
    try {
      ReadAString(m);
      ADD_FAILURE() << hex;
    } catch (const EFileReadError& e) {
      EXPECT_STREQ(e.what(), "file read error : ReadAString");
    }
  }
  TBytesStream short_head(Unhex("05 00"));
  EXPECT_THROW(ReadAString(short_head), EReadError);
}

// ---------------------------------------------------------------------------
// Base lists

class TStringEntry : public TUsefulBaseListObject {
 public:
  string s;
  bool ReadFromStream(TStream& st) override {
    s = ReadAString(st);
    return true;
  }
  bool SaveToStream(TStream& st) override { return WriteAString(st, s); }
};

class TStringEntryList : public TUsefulBaseListSorts {
 public:
  TStringEntryList() : TUsefulBaseListSorts(TUsefulBaseListObjectClass::Of<TStringEntry>()) {}
  void AddS(const string& s) {
    auto* e = new TStringEntry;
    e->s = s;
    Add(e);
  }
  string S(Integer i) const { return static_cast<TStringEntry*>(Items(i))->s; }
  Integer ComparedValues(Integer a, Integer b) override { return Compare2Strings(S(a), S(b)); }
  std::vector<string> All() const {
    std::vector<string> v;
    for (Integer i = 0; i < Count(); ++i) v.push_back(Items(i) ? S(i) : u"<nil>");
    return v;
  }
};

TEST(BaseListTest, SortsStreamFormAndNilSlots) {
  TStringEntryList l;
  for (auto s : {u"a", u"gone", u"bc"}) l.AddS(s);
  l.FreeAndNilOne(1);
  TMemoryStream m;
  ASSERT_TRUE(l.SaveToStream(m));
  // count 2 (the nil slot is neither written nor counted), sorted 0, "a", "bc"
  EXPECT_EQ(Hex(m.Bytes()), "02 00 00 00 00 01 00 00 00 61 00 02 00 00 00 62 00 63 00");
  m.SetPosition(0);
  TStringEntryList back;
  ASSERT_TRUE(back.ReadFromStream(m));
  EXPECT_EQ(back.All(), (std::vector<string>{u"a", u"bc"}));
  // Sorting packs first, so comparisons never see a nil.
  l.Sort([](void* x, void* y) {
    return static_cast<int>(Compare2Strings(static_cast<TStringEntry*>(y)->s, static_cast<TStringEntry*>(x)->s));
  });
  EXPECT_EQ(l.All(), (std::vector<string>{u"bc", u"a"}));
  EXPECT_TRUE(l.sorted);
  l.ReverseTheSort();
  EXPECT_EQ(l.All(), (std::vector<string>{u"a", u"bc"}));
}

TEST(BaseListTest, ReduceToAndRemoveDuplicates) {
  TStringEntryList l;
  for (auto s : {u"A", u"A", u"B", u"A", u"C"}) l.AddS(s);
  l.RemoveDuplicates();
  EXPECT_EQ(l.All(), (std::vector<string>{u"A", u"B", u"A", u"C"}));
  l.ReduceTo(2);
  EXPECT_EQ(l.All(), (std::vector<string>{u"A", u"B"}));
  EXPECT_TRUE(l.IndexAssignedOK(1));
  EXPECT_FALSE(l.IndexAssignedOK(2));
}

TEST(BaseListTest, ImpossibleCountsRaiseAndShortEntriesFail) {
  struct Case {
    const char* hex;
    bool raises;
  } cases[] = {
      {"ff ff ff ff 00", true},                   // negative count
      {"ff ff ff 7f 00 00 00 00 00", true},       // more entries than bytes
      {"02 00", false},                           // short count: false
      {"01 00 00 00", false},                     // no sorted byte
  };
  for (const auto& c : cases) {
    TBytesStream m(Unhex(c.hex));
    TStringEntryList l;
    if (c.raises) {
      EXPECT_THROW(l.ReadFromStream(m), EFileReadError) << c.hex;
    } else {
      EXPECT_FALSE(l.ReadFromStream(m)) << c.hex;
    }
    EXPECT_EQ(l.Count(), 0);
  }
}

TEST(BaseListTest, SaveToFileKeepsTheOldFileWhenAnEntryIsRefused) {
  ScratchDir dir;
  TStringEntryList l;
  l.AddS(u"fine");
  ASSERT_TRUE(l.SaveToFile(dir.UPath("l.bin")));
  const std::string good = ReadFile(dir.Path("l.bin"));
  l.AddS(string(6000, u'x'));  // longer than any reader accepts
  EXPECT_FALSE(l.SaveToFile(dir.UPath("l.bin")));
  EXPECT_EQ(ReadFile(dir.Path("l.bin")), good);
  TStringEntryList back;
  ASSERT_TRUE(back.LoadFromFile(dir.UPath("l.bin")));
  EXPECT_EQ(back.All(), (std::vector<string>{u"fine"}));
}

// ---------------------------------------------------------------------------
// TMultiLongintList

TEST(MultiLongintTest, EntriesAreExactlyTamanhoIntegers) {
  TMultiLongintList l(tml_3);
  l.AddOne({1, 2, 3, 4, 5});
  l.AddOne({-1, 0x7fffffff});
  EXPECT_EQ(l.ToArrayOfInteger(2), (std::vector<Integer>{3, 0}));
  EXPECT_EQ(l.GetAValue(0, 3), TMultiLongintList::kMissing);
  EXPECT_EQ(l.GetAValue(7, 0), TMultiLongintList::kMissing);
  l.IncOne(1, 2);
  l.AddToOneFreq(0, 10, 0);
  l.SetAValue(9, 0, 5);  // out of range: nothing
  EXPECT_EQ(l.TotalOf(0), 11 - 1);
  EXPECT_EQ(l.LongIndexOf(1, 2), 1);
  TMemoryStream m;
  ASSERT_TRUE(l.SaveToStream(m));
  EXPECT_EQ(Hex(m.Bytes()),
            "02 00 00 00 00 "
            "0b 00 00 00 02 00 00 00 03 00 00 00 "
            "ff ff ff ff ff ff ff 7f 01 00 00 00");
  m.SetPosition(0);
  TMultiLongintList back(tml_3);
  ASSERT_TRUE(back.ReadFromStream(m));
  EXPECT_EQ(back.ToArrayOfInteger(1), (std::vector<Integer>{2, 0x7fffffff}));
  // Three integers per entry: a count of 2 needs 24 bytes.
  TBytesStream short_one(Unhex("02 00 00 00 00 0b 00 00 00 02 00 00 00 03 00 00 00 ff ff ff ff"));
  TMultiLongintList bad(tml_3);
  EXPECT_THROW(bad.ReadFromStream(short_one), EFileReadError);
}

TEST(MultiLongintTest, MultiKeySortMatchesGnuSort) {
  ScratchDir dir;
  std::mt19937 rng(99);
  TMultiLongintList l(tml_3);
  std::ostringstream rows;
  for (int i = 0; i < 5000; ++i) {
    const std::vector<Integer> v{static_cast<Integer>(rng() % 7) - 3, static_cast<Integer>(rng() % 5),
                                 static_cast<Integer>(rng() % 1000)};
    l.AddOne(v);
    rows << v[0] << ' ' << v[1] << ' ' << v[2] << '\n';
  }
  l.FreeAndNilOne(17);  // sorts pack first
  WriteFile(dir.Path("rows"), rows.str());
  std::istringstream want(Shell("sed 18d " + dir.Path("rows") + " | LC_ALL=C sort -s -k2,2n -k1,1n -k3,3n"));
  l.TripleSort(1, 0, 2);
  ASSERT_EQ(l.Count(), 4999);
  for (Integer i = 0; i < l.Count(); ++i) {
    Integer a, b, c;
    want >> a >> b >> c;
    ASSERT_EQ((std::vector<Integer>{l.GetAValue(i, 0), l.GetAValue(i, 1), l.GetAValue(i, 2)}),
              (std::vector<Integer>{a, b, c}))
        << i;
  }
}

// ---------------------------------------------------------------------------
// T3SortYieldingList

struct Row {
  Integer k[3];
};

class TRowList : public T3SortNonYieldingList {
 public:
  ~TRowList() override {
    for (Integer i = 0; i < Count(); ++i) delete static_cast<Row*>(Items(i));
  }
  void AddRow(Integer a, Integer b, Integer c) { Add(new Row{{a, b, c}}); }
  void SetBase(void* p, Integer sortvar) override { base_ = static_cast<Row*>(p)->k[sortvar]; }
  TCompareFunctOfObject Compare() {
    return [this](void* e) { return CompareLongints(base_, static_cast<Row*>(e)->k[current_sort_rec.current_sort_var]); };
  }
  std::string Dump() const {
    std::string s;
    for (Integer i = 0; i < Count(); ++i) {
      auto* r = static_cast<Row*>(Items(i));
      s += std::to_string(r->k[0]) + ' ' + std::to_string(r->k[1]) + ' ' + std::to_string(r->k[2]) + '\n';
    }
    return s;
  }

 private:
  Integer base_ = 0;
};

TEST(ThreeLevelSortTest, AgreesWithGnuSortInEveryDirection) {
  struct Case {
    bool asc[3];
    const char* keys;
  } cases[] = {
      {{false, false, false}, "-k1,1n -k2,2n -k3,3n"},
      {{true, false, true}, "-k1,1nr -k2,2n -k3,3nr"},
      {{false, true, false}, "-k1,1n -k2,2nr -k3,3n"},
  };
  ScratchDir dir;
  for (const auto& c : cases) {
    std::mt19937 rng(5);
    TRowList l;
    for (int i = 0; i < 20000; ++i)
      l.AddRow(static_cast<Integer>(rng() % 10), static_cast<Integer>(rng() % 10), static_cast<Integer>(rng() % 100));
    l.SetAscending(c.asc[0], c.asc[1], c.asc[2]);
    WriteFile(dir.Path("rows"), l.Dump());
    l.DoATrebleSort(l.Compare(), 0, 1, 2);
    EXPECT_EQ(l.Dump(), Shell(std::string("LC_ALL=C sort -s ") + c.keys + " " + dir.Path("rows"))) << c.keys;
    EXPECT_TRUE(l.sorted);
  }
}

TEST(ThreeLevelSortTest, ThirdLevelRunsStopAtFirstKeyBoundaries) {
  // The last entry of first-key group 1 and the first of group 2 share the
  // second key; sorting them together by the third key would put (2,5,1)
  // before (1,5,9).
  TRowList l;
  l.AddRow(1, 5, 9);
  l.AddRow(2, 5, 1);
  l.AddRow(1, 0, 3);
  l.DoATrebleSort(l.Compare(), 0, 1, 2);
  EXPECT_EQ(l.Dump(), "1 0 3\n1 5 9\n2 5 1\n");
}

TEST(ThreeLevelSortTest, TinyListsAndReentryAreLeftAlone) {
  TRowList l;
  l.DoASingleSort(l.Compare(), 0);
  l.AddRow(3, 0, 0);
  l.DoASingleSort(l.Compare(), 0);
  EXPECT_FALSE(l.sorted);
  l.AddRow(1, 0, 0);
  l.BusySorting = true;
  l.DoASingleSort(l.Compare(), 0);
  EXPECT_EQ(l.Dump(), "3 0 0\n1 0 0\n");
  l.BusySorting = false;
  l.DoASingleSort(l.Compare(), 0);
  EXPECT_EQ(l.Dump(), "1 0 0\n3 0 0\n");
  EXPECT_TRUE(l.ToggledMainSortAscending());
}

}  // namespace
}  // namespace cv
