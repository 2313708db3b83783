// The search-word language: parsing one entry and splitting a typed line.
#include <gtest/gtest.h>

#include "platform/utf.h"
#include "search/search_parsing.h"

namespace cv {
namespace {

constexpr TMySearchFlags kBoth = kDefaultSearchFlags;
constexpr TMySearchFlags kRightOnly{myRightBounded};
constexpr TMySearchFlags kLeftOnly{myLeftBounded};
constexpr TMySearchFlags kNone{};

TSearch_word_format_rec Parse(const string& typed, TIgnore_tag_type tags = {}) {
  string s = typed;
  TSearch_word_format_rec rec;
  Parsed_SearchWord(tags, s, rec);
  return rec;
}

TEST(ParsedSearchWord, Table) {
  struct Case {
    const char16_t* typed;
    string search_text;
    TMySearchFlags flags;
    bool ambiguous;
  } cases[] = {
      {u"cat", u"cat", kBoth, false},
      {u"*ing", u"ing", kRightOnly, true},
      {u"walk*", u"walk", kLeftOnly, true},
      {u"*ing*", u"ing", kNone, true},
      {u"==Cat==", u"Cat", {myLeftBounded, myRightBounded, myCaseIsSensitive}, true},
      {u"==Cat", u"==Cat", kBoth, false},
      {u"~==Cat==", u"==Cat==", {myLeftBounded, myRightBounded, mySW_To_Avoid}, true},
      {u"a * b", string(u"a ") + kCodeAnyWord + u" b", kBoth, true},
      {u"a*b", string(u"a") + kCodeStar + u"b", kBoth, true},
      {u"x\"*\"", u"x*", kBoth, true},
      {u"}}}", string(1, kCodeTripleBrace) + u"}}", kBoth, true},
      {u"b?g", string(u"b") + kCodeOneChar + u"g", kBoth, true},
      {u"b^g", string(u"b") + kCodeLetter + u"g", kBoth, true},
      {u"room #", string(u"room ") + kCodeNumber, kBoth, true},
      {u"end/\\", string(u"end") + kCodeLineEndAfter, kBoth, true},
      {u"/\\start", string(1, kCodeLineEndBefore) + u"start", kBoth, true},
      {u"a{CHR(66)}c", u"aBc", kBoth, true},
      {u"a{chr($43)}", u"aC", kBoth, true},
      {u"\"?\"x\"#\"", u"?x#", kBoth, true},
      // Marks count on the trimmed entry; the typed text keeps its spaces.
      {u" *ing ", u"ing", kRightOnly, true},
      {u"  ==Cat== ", u"Cat", {myLeftBounded, myRightBounded, myCaseIsSensitive}, true},
      {u"", u"", kBoth, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.typed));
    const auto rec = Parse(c.typed);
    EXPECT_EQ(rec.typed_in_text, c.typed);
    EXPECT_EQ(rec.search_text, c.search_text);
    EXPECT_EQ(rec.flags.bits, c.flags.bits);
    EXPECT_EQ(rec.ambiguous, c.ambiguous);
    EXPECT_EQ(rec.copies[unchanged_copy], rec.search_text);
  }
}

TEST(ParsedSearchWord, CaseCopiesKeepOneLength) {
  // German sharp s and the ligature would grow under full case mapping.
  for (const char16_t* w : {u"straße", u"ﬁne", u"İstanbul", u"cat", u"ǅemal"}) {
    const auto rec = Parse(w);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(rec.copies[k].size(), rec.search_text.size()) << k;
  }
  const auto rec = Parse(u"cAt");
  EXPECT_EQ(rec.copies[upper_copy], u"CAT");
  EXPECT_EQ(rec.copies[lower_copy], u"cat");
  EXPECT_EQ(rec.copies[title_copy], u"Cat");
}

TEST(ParsedSearchWord, ContextWord) {
  const auto rec = Parse(u"bank context:=river");
  EXPECT_EQ(rec.search_text, u"bank");
  EXPECT_EQ(rec.sw_context_needed, u"river");
  EXPECT_TRUE(rec.has_file_based_context_word);
}

TEST(ParsedSearchWord, TagDelimiters) {
  TIgnore_tag_type tags{};
  tags[0] = u'<';
  tags[6] = u'>';
  auto rec = Parse(u"<w>", tags);
  EXPECT_EQ(rec.search_text, string(1, kCodeTagOpen) + u"w" + kCodeTagClose);
  EXPECT_TRUE(rec.contains_a_tag);
  rec = Parse(u"<w", tags);
  EXPECT_EQ(rec.search_text, string(1, kCodeTagOpen) + u"w");
  EXPECT_FALSE(rec.contains_a_tag);
  // Quoted delimiters stay literal.
  rec = Parse(u"\"<\"w\">\"", tags);
  EXPECT_EQ(rec.search_text, u"<w>");
  EXPECT_FALSE(rec.contains_a_tag);
}

TEST(ParsedSearchWord, EmptyEntryIsAllZeroExceptFlags) {
  const auto rec = Parse(u"");
  EXPECT_EQ(rec.flags, kDefaultSearchFlags);
  EXPECT_TRUE(rec.search_text.empty());
  EXPECT_FALSE(rec.ambiguous || rec.contains_a_tag || rec.has_file_based_context_word);
  EXPECT_EQ(rec.n_to_find, 0);
}

TEST(UnParsedSearchWord, NoTranslation) {
  string s = u"*a?b*";
  TSearch_word_format_rec rec;
  UnParsed_SearchWord(s, rec);
  EXPECT_EQ(rec.search_text, u"a?b");
  EXPECT_EQ(rec.flags.bits, kNone.bits);
  EXPECT_TRUE(rec.ambiguous);
}

TEST(SplitSWList, Table) {
  struct Case {
    const char16_t* line;
    bool splitting;
    std::vector<string> want;
  } cases[] = {
      {u"cat/dog", true, {u"cat", u"dog"}},
      {u"cat/dog", false, {u"cat/dog"}},
      {u"a\"/\"b", true, {u"a\"/\"b"}},
      {u"/cat", true, {u"/cat"}},
      {u"cat/", true, {u"cat/"}},
      {u"cat/\\", true, {u"cat", u"\\"}},
      {u"a / b/c", true, {u"a ", u" b", u"c"}},
      {u"", true, {}},
  };
  for (const auto& c : cases) {
    string s = c.line;
    auto list = SplitSWList(s, c.splitting);
    std::vector<string> got;
    for (Integer i = 0; i < list->Count(); ++i) got.push_back(list->Strings(i));
    EXPECT_EQ(got, c.want) << Utf16ToUtf8(c.line);
    EXPECT_TRUE(s.empty());
  }
}

TEST(TagWildcardConverted, OneOccurrencePerRow) {
  EXPECT_EQ(TagWildcardConverted(u"~a*b*"), string(1, kCodeNot) + u"a" + kCodeStar + u"b*");
  EXPECT_EQ(TagWildcardConverted(u"\"*\"x*"), u"*x*");
  EXPECT_EQ(TagWildcardConverted(u"^#?"), (string{kCodeLetter, kCodeNumber, kCodeOneChar}));
  EXPECT_EQ(TagWildcardConverted(u"plain"), u"plain");
}

TEST(ReadableEscapes, Forms) {
  EXPECT_EQ(ReadableEscapesToUnits(u"a{chr(66)}c#68#$45;"), u"aBcDE");
  EXPECT_EQ(ReadableEscapesToUnits(u"a#x"), u"a#x");
  EXPECT_EQ(ReadableEscapesToUnits(u"#x13;"), string(1, u'\x13'));
  EXPECT_EQ(ReadableEscapesToUnits(u"{CHR()}{CHR(65)}"), u"{CHR()}{CHR(65)}");
}

}  // namespace
}  // namespace cv
