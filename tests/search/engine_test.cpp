// The search-and-do engine and its matcher on small texts.
#include <gtest/gtest.h>

#include "platform/utf.h"
#include "search/search_engines.h"
#include "search/search_parsing.h"
#include "text/char_details.h"
#include "text/char_types.h"
#include "text/code_pages.h"

namespace cv {
namespace {

constexpr LCID kEnglish = 0x0409;

struct Hit {
  Integer pos, exact, full;
  friend bool operator==(const Hit&, const Hit&) = default;
};

std::ostream& operator<<(std::ostream& o, const Hit& h) {
  return o << "{" << h.pos << "," << h.exact << "," << h.full << "}";
}

TSearch_word_format_rec Word_(const string& typed) {
  string s = typed;
  TSearch_word_format_rec rec;
  Parsed_SearchWord(TIgnore_tag_type{}, s, rec);
  return rec;
}

std::vector<Word> MapOf(const string& text) {
  std::vector<Word> map(text.size() + 2, C1_CNTRL);
  EXPECT_TRUE(GetStringTypeExNT2000(true, kEnglish, CT_CTYPE1, map.data(), static_cast<Integer>(text.size()),
                                    text.data()));
  return map;
}

// All hits of one typed word; the map may be adjusted by the caller.
std::vector<Hit> Search(const string& typed, const string& text, bool skip_punct = false,
                        std::vector<Word>* map_in = nullptr, TSearchAndDoEngine* engine_in = nullptr) {
  std::vector<Word> map = map_in ? *map_in : MapOf(text);
  TSearchAndDoEngine local(true, true, kEnglish);
  TSearchAndDoEngine& e = engine_in ? *engine_in : local;
  std::vector<Hit> hits;
  e.PrepareForConcordancing(u"t.txt", text.c_str(), map.data(), map.data() + text.size() + 1, 0,
                            static_cast<Integer>(text.size()), 0, skip_punct,
                            [&](void*, const TSearchFound_Rec& r) {
                              hits.push_back({r.hit_pos_in_characters, r.exact_hit_len, r.hit_characters});
                              return true;
                            },
                            nullptr);
  auto rec = Word_(typed);
  EXPECT_TRUE(e.SearchAndDo(&rec));
  return hits;
}

TEST(Matcher, LanguageTable) {
  struct Case {
    const char16_t* word;
    const char16_t* text;
    bool skip_punct;
    std::vector<Hit> want;
  } cases[] = {
      {u"cat", u"the cat sat x", false, {{4, 3, 3}}},
      {u"cat", u"concatenate x", false, {}},
      {u"cat*", u"cats x", false, {{0, 3, 4}}},
      {u"*cat", u"bobcat x", false, {{3, 3, 3}}},
      {u"*cat", u"cats x", false, {}},
      {u"*cat*", u"cat bobcat cats x", false, {{0, 3, 3}, {7, 3, 3}, {11, 3, 4}}},
      {u"CAT", u"Cat cAT x", false, {{0, 3, 3}, {4, 3, 3}}},
      {u"==Cat==", u"cat Cat CAT x", false, {{4, 3, 3}}},
      {u"big dog", u"big-dog x", false, {{0, 7, 7}}},
      {u"big dog", u"big,dog x", true, {{0, 7, 7}}},
      {u"big dog", u"big, dog x", false, {}},
      {u"big dog", u"big, dog x", true, {{0, 8, 8}}},
      {u"big dog", u"big   dog x", false, {{0, 9, 9}}},
      {u"b?g", u"big b-g b g x", false, {{0, 3, 3}, {4, 3, 3}}},
      {u"b^g", u"big b1g x", false, {{0, 3, 3}}},
      {u"room #", u"room 101 is", false, {{0, 8, 8}}},
      {u"the * sat", u"the cat sat down", false, {{0, 11, 11}}},
      {u"the * sat", u"the sat down", false, {}},
      {u"c*t", u"cat coat cabot ct ca t x", false, {{0, 3, 3}, {4, 4, 4}, {9, 5, 5}}},
      {u"c*ts", u"catcats x", false, {{0, 7, 7}}},
      // The star takes more when the word goes on after its first target.
      {u"c*t", u"cutlet x", false, {{0, 6, 6}}},
      // A leading code reports the hit at its first unit.
      {u"# dogs", u"101 dogs x", false, {{0, 8, 8}}},
      {u"#", u"a 12 b3 x", false, {{2, 2, 2}}},
      // Overlapping hits are all reported.
      {u"*aa*", u"aaaa x", false, {{0, 2, 4}, {1, 2, 3}, {2, 2, 2}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.word) + " in '" + Utf16ToUtf8(c.text) + "'");
    EXPECT_EQ(Search(c.word, c.text, c.skip_punct), c.want);
  }
}

TEST(Matcher, EndOfBufferNeedsTheWholePattern) {
  struct Case {
    const char16_t* word;
    const char16_t* text;
    std::vector<Hit> want;
  } cases[] = {
      {u"cat", u"cat", {{0, 3, 3}}},
      {u"c*t", u"coat", {{0, 4, 4}}},          // completed on the last unit
      {u"a*bc", u"axyb", {}},                  // cut off: no invented hit
      {u"big dog", u"xx big   dog", {{3, 9, 9}}},
      {u"cat*", u"xx cats", {{3, 3, 4}}},
      {u"room #", u"room", {}},
      {u"the cat", u"the ca", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.word) + " in '" + Utf16ToUtf8(c.text) + "'");
    EXPECT_EQ(Search(c.word, c.text), c.want);
  }
}

TEST(Matcher, TrailingStarCodeIsASpaceBoundary) {
  TSearch_word_format_rec rec;
  string s = string(u"ca") + kCodeStar;
  UnParsed_SearchWord(s, rec);
  ASSERT_EQ(rec.search_text.size(), 3u);
  string text = u"cats cab, c x";
  std::vector<Word> map = MapOf(text);
  TSearchAndDoEngine e(true, true, kEnglish);
  std::vector<Hit> hits;
  e.PrepareForConcordancing(u"", text.c_str(), map.data(), map.data() + text.size() + 1, 0,
                            static_cast<Integer>(text.size()), 0, false,
                            [&](void*, const TSearchFound_Rec& r) {
                              hits.push_back({r.hit_pos_in_characters, r.exact_hit_len, r.hit_characters});
                              return true;
                            },
                            nullptr);
  ASSERT_TRUE(e.SearchAndDo(&rec));
  EXPECT_EQ(hits, (std::vector<Hit>{{0, 4, 4}, {5, 3, 3}}));
}

TEST(Matcher, MarkupBetweenWordsIsSteppedOver) {
  const string text = u"the <b>cat x";
  std::vector<Word> map = MapOf(text);
  for (int i = 4; i <= 6; ++i) map[i] |= 0x0800;
  EXPECT_EQ(Search(u"the cat", text, false, &map), (std::vector<Hit>{{0, 10, 10}}));
  // Markup is never a hit's first character.
  EXPECT_EQ(Search(u"*b", text, false, &map), std::vector<Hit>{});
}

TEST(Matcher, TagCodesInTextAndPattern) {
  TIgnore_tag_type tags{};
  tags[0] = u'<';
  tags[6] = u'>';
  string s = u"<w>";
  TSearch_word_format_rec rec;
  Parsed_SearchWord(tags, s, rec);
  const string text = CleanToTagOnOff(u"a <w> b");
  EXPECT_EQ(text, string(u"a ") + kCodeTagOpen + u"w" + kCodeTagClose + u" b");
  std::vector<Word> map = MapOf(text);
  TSearchAndDoEngine e(true, true, kEnglish);
  std::vector<Integer> at;
  e.PrepareForConcordancing(u"", text.c_str(), map.data(), map.data() + text.size() + 1, 0,
                            static_cast<Integer>(text.size()), 0, false,
                            [&](void*, const TSearchFound_Rec& r) {
                              at.push_back(r.hit_pos_in_characters);
                              return true;
                            },
                            nullptr);
  ASSERT_TRUE(e.SearchAndDo(&rec));
  EXPECT_EQ(at, std::vector<Integer>{2});
}

TEST(Engine, LimitsRejectionsAndStops) {
  const string text = u"cat cat cat x";
  TSearchAndDoEngine e(true, true, kEnglish);
  int calls = 0, counts = 0;
  bool reject_first = false, stop = false;
  e.PrepareFirst(text.c_str(), 0, 0,
                 [&](void*, const TSearchFound_Rec& r) {
                   ++calls;
                   if (stop) e.FoundEnough();
                   return !(reject_first && calls == 1);
                 },
                 [&](void*, const TSearchStatsRec&) { ++counts; });
  auto rec = Word_(u"cat");
  rec.n_to_find = 2;
  ASSERT_TRUE(e.SearchAndDo(&rec));
  EXPECT_EQ(calls, 2);
  calls = 0;
  reject_first = true;
  ASSERT_TRUE(e.SearchAndDo(&rec));
  EXPECT_EQ(calls, 3);
  calls = 0;
  reject_first = false;
  stop = true;
  rec.n_to_find = 0;
  ASSERT_TRUE(e.SearchAndDo(&rec));
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(counts, 3);
  EXPECT_EQ(e.Hits_found(), 6);
}

TEST(Engine, RefusesWithoutBufferItemOrEvent) {
  TSearchAndDoEngine e(true, true, kEnglish);
  auto rec = Word_(u"cat");
  EXPECT_FALSE(e.SearchAndDo(&rec));
  const string text = u"cat";
  e.PrepareFirst(text.c_str(), 0, 0, nullptr, nullptr);
  EXPECT_FALSE(e.SearchAndDo(&rec));
  e.PrepareFirst(text.c_str(), 0, 0, [](void*, const TSearchFound_Rec&) { return true; }, nullptr);
  EXPECT_FALSE(e.SearchAndDo(nullptr));
  auto empty = Word_(u"");
  EXPECT_FALSE(e.SearchAndDo(&empty));
  EXPECT_TRUE(e.SearchAndDo(&rec));
}

TEST(Engine, PercentOfFile) {
  const string text = u"xx cat";
  TSearchAndDoEngine e(true, true, kEnglish);
  std::vector<Single> pct;
  auto ev = [&](void*, const TSearchFound_Rec& r) {
    pct.push_back(r.percent_of_file);
    return true;
  };
  auto rec = Word_(u"cat");
  e.PrepareFirst(text.c_str(), 0, 0, ev, nullptr);  // size unknown: no division
  ASSERT_TRUE(e.SearchAndDo(&rec));
  e.PrepareFirst(text.c_str(), 100, 4, ev, nullptr);  // hit at byte 6, buffer at byte 4
  ASSERT_TRUE(e.SearchAndDo(&rec));
  EXPECT_EQ(pct, (std::vector<Single>{0.0f, 10.0f}));
}

TEST(Statistics, WordsAndSentences) {
  const string text = u"a b. c d x";
  for (bool marker : {false, true}) {
    std::vector<Word> map = MapOf(text);
    if (marker) map[3] = 0x800F;
    TSearchAndDoEngine e(true, true, kEnglish);
    TSearchStatsRec got;
    e.PrepareForConcordancing(u"", text.c_str(), map.data(), map.data() + text.size() + 1, 0,
                              static_cast<Integer>(text.size()), 0, false,
                              [](void*, const TSearchFound_Rec&) { return true; },
                              [&](void*, const TSearchStatsRec& s) { got = s; });
    auto rec = Word_(u"zzz");
    ASSERT_TRUE(e.SearchAndDo(&rec));
    EXPECT_EQ(got.number[word_stats], 4);
    EXPECT_EQ(got.position[paragraph_stats], 4);
    EXPECT_EQ(got.position[section_stats], 4);
    EXPECT_EQ(got.number[sentence_stats], marker ? 1 : 0);
    EXPECT_EQ(got.position[sentence_stats], marker ? 4 : 4);
    EXPECT_EQ(got.out_of[sentence_stats], got.position[sentence_stats]);
  }
}

TEST(Statistics, CountedOnceAcrossHitsAndEqualToScalarCount) {
  // Long enough for the vector blocks; markers and hits spread through it.
  string text;
  for (int i = 0; i < 300; ++i) text += (i % 7 == 0) ? u"cat  dog\tcat. " : u"one two, cat ";
  std::vector<Word> map = MapOf(text);
  std::vector<Integer> sentence_ends;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] == u'.') map[i] = 0x800F;
  Integer want_words = 0, want_sentences = 0;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (map[i] & 0x8000) {
      ++want_sentences;
      continue;
    }
    if ((map[i] & 0x68) && !(map[i + 1] & 0x68)) ++want_words;
  }
  static std::vector<Integer>* ends = nullptr;
  ends = &sentence_ends;
  HandleSentenceEndProc = [](Integer n, Integer) { ends->push_back(n); };
  for (const char16_t* w : {u"cat", u"zzz"}) {
    sentence_ends.clear();
    TSearchAndDoEngine e(true, true, kEnglish);
    TSearchStatsRec got;
    e.PrepareForConcordancing(u"", text.c_str(), map.data(), map.data() + text.size() + 1, 0,
                              static_cast<Integer>(text.size()), 0, false,
                              [](void*, const TSearchFound_Rec&) { return true; },
                              [&](void*, const TSearchStatsRec& s) { got = s; });
    auto rec = Word_(w);
    ASSERT_TRUE(e.SearchAndDo(&rec));
    EXPECT_EQ(got.number[word_stats], want_words) << Utf16ToUtf8(w);
    EXPECT_EQ(got.number[sentence_stats], want_sentences);
    ASSERT_EQ(static_cast<Integer>(sentence_ends.size()), want_sentences);
    for (Integer k = 0; k < want_sentences; ++k) EXPECT_EQ(sentence_ends[k], k);
  }
  HandleSentenceEndProc = [](Integer, Integer) {};
}

TEST(Statistics, AdditionalEngineKeepsItsOwnHeadingState) {
  const string text = u"a b c";
  std::vector<Word> map = MapOf(text);
  map[1] = 0x8013;  // a heading ends here
  Global_in_heading = true;
  TAdditionalSearchAndDoEngine ctx(true, true, kEnglish);
  auto rec = Word_(u"zzz");
  ctx.PrepareForConcordancing(u"", text.c_str(), map.data(), map.data() + text.size() + 1, 0,
                              static_cast<Integer>(text.size()), 0, false,
                              [](void*, const TSearchFound_Rec&) { return true; }, nullptr);
  ASSERT_TRUE(ctx.SearchAndDo(&rec));
  EXPECT_TRUE(Global_in_heading);
  Global_in_heading = false;
}

TEST(EightBit, CodePageBytesAndRefusals) {
  // cp1252: one byte per character.
  {
    const AnsiString text = WideToMultiByte(1252, u"Café CAFÉ caf x");
    TSearchAndDoEngine e(false, true, kEnglish);
    std::vector<Hit> hits;
    e.PrepareFirst(text.c_str(), 0, 0,
                   [&](void*, const TSearchFound_Rec& r) {
                     hits.push_back({r.hit_pos_in_characters, r.exact_hit_len, r.hit_characters});
                     return true;
                   },
                   nullptr);
    auto rec = Word_(u"café");
    ASSERT_TRUE(e.SearchAndDo(&rec));
    EXPECT_TRUE(rec.copies_converted);
    EXPECT_EQ(hits, (std::vector<Hit>{{0, 4, 4}, {5, 4, 4}}));
    auto omega = Word_(u"Ωmega");  // not in cp1252
    EXPECT_FALSE(e.SearchAndDo(&omega));
    auto longword = Word_(string(120, u'a'));
    EXPECT_FALSE(e.SearchAndDo(&longword));
  }
  // cp932: double-byte characters give patterns of their true byte length.
  {
    const LCID japanese = 0x0411;
    const AnsiString text = WideToMultiByte(932, u"日本語 テスト x");
    TSearchAndDoEngine e(false, true, japanese);
    std::vector<Hit> hits;
    e.PrepareFirst(text.c_str(), 0, 0,
                   [&](void*, const TSearchFound_Rec& r) {
                     hits.push_back({r.hit_pos_in_characters, r.exact_hit_len, r.hit_characters});
                     return true;
                   },
                   nullptr);
    auto rec = Word_(u"テスト");
    ASSERT_TRUE(e.SearchAndDo(&rec));
    EXPECT_EQ(hits, (std::vector<Hit>{{7, 6, 6}}));
  }
}

TEST(WLSearch, QuickSearch) {
  const string text = u"the cat sat";
  TWLSearchAndDo e(true, true, kEnglish);
  e.SetABuffer(text.c_str());
  e.SetSearchWord(u"CAT", kDefaultSearchFlags);
  EXPECT_TRUE(e.QuickSearchFoundIgnoringTags());
  e.SetSearchWord(u"ca", kDefaultSearchFlags);
  EXPECT_FALSE(e.QuickSearchFoundIgnoringTags());
  e.SetSearchWord(u"CAT", {myCaseIsSensitive, myLeftBounded, myRightBounded});
  EXPECT_FALSE(e.QuickSearchFoundIgnoringTags());
}

TEST(SearchFoundList, SortsByOffset) {
  TSearchFoundList list;
  const char16_t buf[8] = {};
  for (int at : {5, 1, 3}) {
    TSearchFound_Rec r;
    r.start_of_memory = buf;
    r.where_hit_started = buf + at;
    list.AddOne(r);
  }
  list.SortByOffset();
  std::vector<Integer> got;
  for (Integer i = 0; i < list.Count(); ++i) got.push_back(list.Holder(i)->fData.where_hit_started == buf + 1 ? 1 : 0);
  EXPECT_EQ(list.Holder(0)->fData.where_hit_started, buf + 1);
  EXPECT_EQ(list.Holder(2)->fData.where_hit_started, buf + 5);
}

}  // namespace
}  // namespace cv
