// Search-word lists, plain search lists and the typed-list helpers.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <unistd.h>

#include "platform/sysutils.h"

#include "lists/typed_lists.h"
#include "lists/useful_classes_base.h"
#include "platform/coding.h"
#include "platform/utf.h"
#include "search/search_items.h"

namespace cv {
namespace {

std::vector<string> Typed(const TBaseSearchItems& items) {
  std::vector<string> out;
  for (Integer i = 0; i < items.Count(); ++i) out.push_back(items.GetPtr(i)->typed_in_text);
  return out;
}

TEST(SearchItems, AddingSplitsReversesAndReuses) {
  TBaseSearchItems items(TIgnore_tag_type{}, 0x0409, true);
  EXPECT_EQ(items.AddedSearchWords(u"cat/dog"), (std::vector<Integer>{0, 1}));
  EXPECT_EQ(Typed(items), (std::vector<string>{u"dog", u"cat"}));
  EXPECT_EQ(items.AddedSearchWords(u"cat/cat"), (std::vector<Integer>{1, 1}));
  EXPECT_EQ(items.Count(), 2);
  EXPECT_EQ(items.AddedSearchWords(u"  "), std::vector<Integer>{});
  EXPECT_EQ(items.AddedSearchWords(u"bird", Integer{5}), std::vector<Integer>{2});
  EXPECT_EQ(items.GetNToFind(2), 5);
}

TEST(SearchItems, SearchWordItemsRefuseAWholeLineAlreadyHeld) {
  TSearchWordItems items(TIgnore_tag_type{}, 0x0409, true);
  EXPECT_EQ(items.AddedSearchWords(u"cat").size(), 1u);
  EXPECT_TRUE(items.AddedSearchWords(u"cat").empty());
  EXPECT_FALSE(items.ftempEngine);
  items.Clear();
  items.AddedSearchWords(u"bank context:=river");
  EXPECT_TRUE(items.ftempEngine && items.ftempCWItems);
  EXPECT_TRUE(items.GetHasContextWord(0));
  EXPECT_TRUE(items.HasAnyContextWords);
}

TEST(SearchItems, IndexOfRespectsLanguage) {
  TBaseSearchItems items(TIgnore_tag_type{}, 0x0409, true);
  items.AddedSearchWords(u"cat", SmallInt{1});
  TSearch_word_format_rec rec;
  items.GetSWR(0, rec);
  EXPECT_EQ(items.IndexOf(rec), 0);
  rec.Langnum = 2;
  EXPECT_EQ(items.IndexOf(rec), -1);
  EXPECT_EQ(items.EnsureContains(rec), 1);
  EXPECT_EQ(items.TypeInIndexOf(u"cat"), 0);
}

TEST(SearchItems, OutOfRangeIndexesAreIgnored) {
  TBaseSearchItems items;
  items.AddedSearchWords(u"cat");
  for (Integer i : {-1, 1, 1000}) {
    items.SetHitsFound(i, 3);
    items.SetLanguage(i, 3);
    items.SetNToFind(i, 3);
    items.SetAutoLemmaAdded(i, true);
    items.SetAFlag(i, TMySearchFlags{});
    items.IncrementHits(i);
    items.ClearOne(i);
    EXPECT_EQ(items.GetPtr(i), nullptr);
    EXPECT_EQ(items.GetHitsFound(i), 0);
  }
  const auto copies = items.CopyOfArrayOFSWItems({0, -1, 7});
  ASSERT_EQ(copies.size(), 3u);
  EXPECT_EQ(copies[0].search_text, u"cat");
  EXPECT_TRUE(copies[1].search_text.empty() && copies[2].search_text.empty());
  EXPECT_EQ(items.Count(), 1);
  EXPECT_EQ(items.GetHitsFound(0), 0);
}

TEST(SearchItems, InsertAtTopReturnsTrueIndexes) {
  TBaseSearchItems items(TIgnore_tag_type{}, 0x0409, true);
  items.AddedSearchWords(u"a/b/c/d");  // d c b a
  const auto r = items.InsertSearchWordsAtTop(u"x/y/b", false);
  ASSERT_EQ(r.size(), 3u);
  const char16_t* want[] = {u"b", u"y", u"x"};
  for (std::size_t k = 0; k < r.size(); ++k) EXPECT_EQ(items.GetPtr(r[k])->typed_in_text, want[k]) << k;
  EXPECT_EQ(items.TypeInIndexOf(u"x"), r[2]);
}

TEST(SearchItems, AllTypedAsOne) {
  TBaseSearchItems items;
  for (int i = 0; i < 12; ++i) items.AddedSearchWords(string(1, static_cast<char16_t>(u'a' + i)));
  EXPECT_EQ(items.AllTypedSearchWordsAsOne(true), u"a/b/c/d/e/f/g/h/i/j etc.");
  EXPECT_EQ(items.SearchesPlannedCount(), 1);  // splitting is off
}

TEST(SearchItems, StreamRoundTripAndOldForm) {
  TBaseSearchItems items(TIgnore_tag_type{}, 0x0409, true);
  items.AddedSearchWords(u"walk*");
  items.SetHitsFound(0, 7);
  items.SetLanguage(0, 3);
  TMemoryStream ms;
  ASSERT_TRUE(items.SaveToStream(ms));
  ms.SetPosition(0);
  TBaseSearchItems back(TIgnore_tag_type{}, 0x0409, true);
  ASSERT_TRUE(back.ReadFromStream(ms));
  ASSERT_EQ(back.Count(), 1);
  EXPECT_EQ(back.GetPtr(0)->search_text, u"walk");
  EXPECT_EQ(back.GetHitsFound(0), 7);
  EXPECT_EQ(back.GetLanguage(0), 3);

  // Hand-made entries: a tab inside the typed text, and one without tabs.
  std::string bytes;
  PutFixed32(bytes, 2);
  for (const string& e : {string(u"a\tb\t4\t2"), string(u"plain")}) {
    PutFixed32(bytes, static_cast<std::uint32_t>(e.size()));
    PutUtf16(bytes, e);
  }
  TBytesStream bs(bytes);
  TBaseSearchItems hand;
  ASSERT_TRUE(hand.ReadFromStream(bs));
  ASSERT_EQ(hand.Count(), 2);
  EXPECT_EQ(hand.GetPtr(0)->typed_in_text, u"a\tb");
  EXPECT_EQ(hand.GetHitsFound(0), 4);
  EXPECT_EQ(hand.GetLanguage(0), 2);
  EXPECT_EQ(hand.GetHitsFound(1), 0);
}

TEST(SearchItems, DamagedStreamsAndOverlongEntries) {
  TBaseSearchItems items;
  items.AddedSearchWords(u"cat");
  items.AddedSearchWords(u"dog");
  TMemoryStream ms;
  ASSERT_TRUE(items.SaveToStream(ms));
  const std::string good(ms.Bytes());
  for (std::size_t cut = 0; cut < good.size(); ++cut) {
    TBytesStream bs(good.substr(0, cut));
    TBaseSearchItems back;
    EXPECT_FALSE(back.ReadFromStream(bs)) << cut;
  }
  std::string huge = good;
  huge[0] = '\xFF';  // a count of 255 with two entries present
  TBytesStream hs(huge);
  TBaseSearchItems back;
  EXPECT_FALSE(back.ReadFromStream(hs));

  TBaseSearchItems long_one;
  long_one.AddedSearchWords(string(static_cast<std::size_t>(global_string_safety_limit) + 1, u'a'));
  TMemoryStream out;
  EXPECT_FALSE(long_one.SaveToStream(out));
}

TEST(SearchItems, FilesAndManyEntries) {
  const auto dir = std::filesystem::temp_directory_path() / ("cv_search_items_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const string path = Utf8ToUtf16((dir / "words.txt").string());
  TBaseSearchItems items;
  const Integer n = 100000;
  for (Integer i = 0; i < n; ++i) items.AddOneSW([&] {
      TSearch_word_format_rec r;
      r.typed_in_text = u"w" + IntToStr(i);
      r.search_text = r.typed_in_text;
      return r;
    }());
  ASSERT_TRUE(items.SaveToFile(path));
  TBaseSearchItems back;
  ASSERT_TRUE(back.LoadFromFile(path, 2));
  EXPECT_EQ(back.Count(), n);
  EXPECT_EQ(back.GetPtr(n - 1)->typed_in_text, u"w99999");
  EXPECT_EQ(back.GetNToFind(5), 2);
  EXPECT_TRUE(back.fFrom_a_file);
  // Byte-order mark and CR LF.
  TMemoryStream raw;
  raw.LoadFromFile(path);
  const std::string_view b = raw.Bytes();
  ASSERT_GE(b.size(), 8u);
  EXPECT_EQ(b.substr(0, 2), std::string_view("\xFF\xFE", 2));
  EXPECT_EQ(b.substr(6, 4), std::string_view("\r\0\n\0", 4));

  // Only empty lines: false, empty list.
  const string blank = Utf8ToUtf16((dir / "blank.txt").string());
  TStringList lines;
  lines.Add(u"");
  lines.Add(u"");
  lines.SaveToFile(blank);
  TBaseSearchItems none;
  EXPECT_FALSE(none.LoadFromFile(blank, 1));
  EXPECT_EQ(none.Count(), 0);
  std::filesystem::remove_all(dir);
}

TEST(SimpleSearchlist, LoadFromAStringlist) {
  TStringList lines;
  lines.Add(u"walk -> walks, walked=3");
  lines.Add(u"; comment");
  lines.Add(u"// comment");
  lines.Add(u"");
  TSimpleSearchlist plain;
  plain.LoadFromAStringlist(lines, false);
  ASSERT_EQ(plain.Count(), 3);
  EXPECT_EQ(plain.GetAValue(0).seek, u"WALK");
  EXPECT_EQ(plain.GetAValue(1).seek, u"WALKS");
  EXPECT_EQ(plain.GetAValue(2).seek, u"WALKED=3");
  EXPECT_EQ(plain.GetAValue(2).n_wanted, 3);
  EXPECT_EQ(plain.GetAValue(0).n_wanted, 1);

  TSimpleSearchlist eq;
  eq.LoadFromAStringlist(lines, true);
  ASSERT_EQ(eq.Count(), 1);
  EXPECT_EQ(eq.GetAValue(0).seek, u"WALKED");
  EXPECT_EQ(eq.GetAValue(0).n_wanted, 3);

  // Case-sensitive words keep their case in both modes.
  TStringList cs;
  cs.Add(u"==Bank===2, *ing=0");
  TSimpleSearchlist c;
  c.LoadFromAStringlist(cs, true);
  ASSERT_EQ(c.Count(), 2);
  EXPECT_EQ(c.GetAValue(0).seek, u"Bank");
  EXPECT_TRUE(c.GetAValue(0).flags.Has(myCaseIsSensitive));
  EXPECT_EQ(c.GetAValue(0).n_wanted, 2);
  EXPECT_EQ(c.GetAValue(1).seek, u"ING");
  EXPECT_EQ(c.GetAValue(1).n_wanted, 1);
  EXPECT_EQ(c.GetATypedInSW(1), u"*ING");
  EXPECT_EQ(c.GetATypedInSW(9), u"");
}

TEST(TypedListHelpers, SWStringPlusFlagsAndKeyValue) {
  EXPECT_EQ(SWStringPlusFlags(u"cat", TMySearchFlags{myCaseIsSensitive}), u"==*cat*==");
  EXPECT_EQ(SWStringPlusFlags(u"cat", kDefaultSearchFlags), u"cat");
  EXPECT_EQ(KeyOfKeyPlusValue(u" walk = 3"), u"walk");
  EXPECT_EQ(ValueOfKeyPlusValue(u" walk = 3"), 3);
  EXPECT_EQ(KeyOfKeyPlusValue(u"walk"), u"");
  EXPECT_EQ(ValueOfKeyPlusValue(u"walk=x"), 0);
}

TEST(TypedListHelpers, ComputedByteDivisions) {
  EXPECT_TRUE(ComputedByteDivisions(0, 100).empty());
  EXPECT_EQ(ComputedByteDivisions(3, 100), (std::vector<Int64>{33, 67, 100}));
  // Beyond single precision: the last division is the total exactly.
  const Int64 big = 5'000'000'123LL;
  const auto d = ComputedByteDivisions(7, big);
  ASSERT_EQ(d.size(), 7u);
  EXPECT_EQ(d.back(), big);
  for (std::size_t i = 1; i < d.size(); ++i) EXPECT_LT(d[i - 1], d[i]);
}

TEST(CardinalAndFreqList, SortedInsertAndIncrement) {
  TCardinalAndFreqList list;
  list.sorted = true;
  list.AddOneOrIncFreq({9, 1});  // empty sorted list: appended
  list.AddOneOrIncFreq({5, 1});
  EXPECT_EQ(list.AddOneOrIncFreq({7, 1}), 1);
  EXPECT_EQ(list.AddOneOrIncFreq({9, 1}), 2);
  std::vector<Cardinal> keys;
  for (Integer i = 0; i < list.Count(); ++i) keys.push_back(list.GetACardAndFreq(i).c);
  EXPECT_EQ(keys, (std::vector<Cardinal>{5, 7, 9}));
  EXPECT_EQ(list.GetACardAndFreq(2).f, 2);
  EXPECT_EQ(list.GetACardAndFreq(7).c, 0u);
  TMemoryStream ms;
  ASSERT_TRUE(list.SaveToStream(ms));
  ms.SetPosition(0);
  TCardinalAndFreqList back;
  ASSERT_TRUE(back.ReadFromStream(ms));
  EXPECT_EQ(back.Count(), 3);
  EXPECT_TRUE(back.sorted);
  EXPECT_EQ(back.IndexOf(9), 2);
}

}  // namespace
}  // namespace cv
