#include "text/words_and_markup.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/classes.h"
#include "platform/utf.h"
#include "text/char_details.h"
#include "text/char_types.h"

namespace cv {
namespace {

std::vector<std::u16string> Items(const TStringList& list) {
  std::vector<std::u16string> v;
  for (Integer i = 0; i < list.Count(); ++i) v.push_back(list[i]);
  return v;
}

std::vector<Word> DetailsOf(const std::u16string& text) {
  std::vector<Word> d(text.size() + 2, 0);
  EXPECT_TRUE(GetStringTypeExNT2000(true, 0x0409, CT_CTYPE1, d.data(), static_cast<Integer>(text.size()), text.data()));
  return d;
}

// ---------------------------------------------------------------------------
// The details map and its adjustments

TEST(DetailsMap, EightBitTypingGoesThroughTheCodePage) {
  // cp1252: 0xE9 is e-acute (a lowercase letter), 0x80 the euro sign.
  const char text[] = "a\xE9\x80 1";
  Word d[7] = {};
  ASSERT_TRUE(GetStringTypeExNT2000(false, 0x0409, CT_CTYPE1, d, 5, text));
  EXPECT_EQ(d[1], C1_LOWER | C1_ALPHA | C1_DEFINED);
  EXPECT_EQ(d[2], C1_PUNCT | C1_DEFINED);
  EXPECT_EQ(d[3], C1_SPACE | C1_BLANK | C1_DEFINED);
  // cp932: a two-byte character gives its class to both bytes.
  const char sjis[] = "\x93\xFA" "a";
  ASSERT_TRUE(GetStringTypeExNT2000(false, 0x0411, CT_CTYPE1, d, 3, sjis));
  EXPECT_EQ(d[0], C1_ALPHA | C1_DEFINED);
  EXPECT_EQ(d[1], C1_ALPHA | C1_DEFINED);
  EXPECT_FALSE(GetStringTypeExNT2000(true, 0x0409, 3, d, 1, u"a"));  // no such info type
}

struct MiddleCase {
  const char16_t* text;
  const char16_t* allowed;
  bool right_ok, left_ok;
  std::vector<int> joined;  // positions (0-based) that must become part of a word
  Word value;               // the class they get
};

TEST(DetailsMap, HandleMiddleChars) {
  const MiddleCase cases[] = {
      {u"rock'n'roll", u"'", false, false, {4, 6}, 0x0302},
      {u"'tis", u"'", false, false, {}, 0},
      {u"'tis", u"'", false, true, {0}, 0x0302},
      {u"a'3", u"'", false, false, {1}, 0x0204},   // the right-hand digit decides
      {u"3-4", u"-", false, false, {1}, 0x0204},
      {u"well-known", u"-'", false, false, {4}, 0x0302},
      {u"dogs'", u"'", true, false, {4}, 0x0302},  // the very last character is considered
      {u"dogs'", u"'", false, false, {}, 0},
      {u"a - b", u"-", false, false, {}, 0},
  };
  for (const auto& c : cases) {
    const std::u16string text = c.text;
    auto d = DetailsOf(text);
    const auto before = d;
    HandleMiddleChars(text.data(), d.data(), c.allowed, static_cast<Integer>(std::u16string(c.allowed).size()),
                      static_cast<Integer>(text.size()), true, c.right_ok, c.left_ok);
    for (std::size_t i = 0; i < text.size(); ++i) {
      const bool want = std::find(c.joined.begin(), c.joined.end(), static_cast<int>(i)) != c.joined.end();
      EXPECT_EQ(d[i], want ? c.value : before[i]) << Utf16ToUtf8(text) << " at " << i;
    }
  }
  // Pass-over entries are stepped over, stop entries refuse.
  const std::u16string t = u"a''b";
  auto d = DetailsOf(t);
  d[1] |= kDetailsPassOver;
  HandleMiddleChars(t.data(), d.data(), u"'", 1, 4, true, false, false);
  EXPECT_EQ(d[2], 0x0302);
  d = DetailsOf(t);
  d[3] |= kDetailsStop;
  HandleMiddleChars(t.data(), d.data(), u"'", 1, 4, true, false, false);
  EXPECT_EQ(d[1], DetailsOf(t)[1]);
  // 8-bit buffers compare the low byte.
  const char a8[] = "don't";
  Word d8[7] = {};
  GetStringTypeExNT2000(false, 0x0409, CT_CTYPE1, d8, 5, a8);
  HandleMiddleChars(a8, d8, u"'", 1, 5, false, false, false);
  EXPECT_EQ(d8[3], 0x0302);
}

TEST(DetailsMap, NumbersAndZeroWidthCharacters) {
  struct Case { const char16_t* text; bool spaces; int pos; bool joined; };
  const Case cases[] = {
      {u"3.5", false, 1, true}, {u"3.", false, 1, false}, {u"3,a", false, 1, false},
      {u"1,000", false, 1, true}, {u"1 000", false, 1, false}, {u"1 000", true, 1, true},
      {u"1\u00B72", false, 1, true}, {u"1;2", false, 1, false},
  };
  for (const auto& c : cases) {
    const std::u16string text = c.text;
    auto d = DetailsOf(text);
    const Word before = d[c.pos];
    HandleMiddleCharsInNumbers(true, c.spaces, text.data(), d.data(), static_cast<Integer>(text.size()));
    EXPECT_EQ(d[c.pos], c.joined ? 0x0204 : before) << Utf16ToUtf8(text);
  }
  const std::u16string z = u"a\u200Db\u200Cc";
  auto d = DetailsOf(z);
  SetZeroWidthJoinersToDefined(z.data(), d.data(), 5);
  SetZeroWidthNonJoinersToDefinedAlpha(z.data(), d.data(), 5);
  EXPECT_EQ(d[1], 0x0200);
  EXPECT_EQ(d[3], 0x0300);
}

// ---------------------------------------------------------------------------
// Sentences

TEST(Sentences, EndsAndStarts) {
  EXPECT_FALSE(IsPotentialSentenceTerminator(u'@'));
  EXPECT_FALSE(IsPotentialSentenceTerminator(u'}'));
  EXPECT_TRUE(IsPotentialSentenceTerminator(u'\u3002'));
  EXPECT_TRUE(IsPotentialSentenceTerminator(u'?'));
  EXPECT_FALSE(IsPotentialSentenceTerminator(u','));

  EXPECT_EQ(EndOfSentence(1, u"Dr. Smith"), 3);
  EXPECT_EQ(EndOfSentence(1, u"3.5 kg"), 6);
  EXPECT_EQ(EndOfSentence(7, u"3.5 kg"), -1);
  EXPECT_EQ(EndOfSentence(1, u"... ."), -1);
  EXPECT_EQ(FirstLetterOrDigitPosAfterSentenceEnd(u". . x", 1), 5);
  EXPECT_EQ(FirstLetterOrDigitPosAfterSentenceEnd(u". .", 1), 3);
  EXPECT_FALSE(FirstCharAfterSentenceEndUpperCase(u"ab", 1));
  EXPECT_TRUE(FirstCharAfterSentenceEndUpperCase(u"ab", 2));
  EXPECT_EQ(FirstValidStartOfSentence(u"so. Then", 1), 5);
  EXPECT_EQ(FirstValidStartOfSentence(u"a.", 1), 2);  // no valid start: the end of the text
  EXPECT_EQ(FirstValidStartOfSentence(u"", 1), 0);
}

TEST(Sentences, Extracted) {
  struct Case { const char16_t* text; bool unterminated; int min; std::vector<std::u16string> out; };
  const Case cases[] = {
      {u"He came. she went. It rained", false, 0, {u"He came."}},
      {u"He came. she went. It rained", true, 0, {u"He came.", u"It rained"}},
      {u"It cost 3.5 euros. Fine.", false, 0, {u"It cost 3.5 euros.", u"Fine."}},
      {u"Hi. Hello there.", false, 3, {u"Hi. Hello there."}},
      {u"only lowercase text", true, 0, {}},  // no sentence ever started: nothing emitted
      {u"", true, 0, {}},
  };
  for (const auto& c : cases) {
    auto list = SentencesExtractedFromParagraph(c.unterminated, c.min, c.text);
    EXPECT_EQ(Items(*list), c.out) << Utf16ToUtf8(c.text);
  }
}

TEST(Sentences, FromParagraph) {
  struct Case { const char16_t* text; const char16_t* sep; int max_tag; std::vector<std::u16string> out; };
  const Case cases[] = {
      {u"a|b|c", u"|", 0, {u"a", u"b", u"c"}},
      {u" one || two |", u"|", 0, {u"one", u"two"}},
      {u"ab<->cd<->ef", u"<->", 0, {u"ab", u"cd", u"ef"}},
      {u"He came. She went. e.g. this one.", u"", 0, {u"He came.", u"She went. e.g. this one."}},
      {u"It is 3.5 now. \"Yes.\" Done", u"", 0, {u"It is 3.5 now.", u"\"Yes.\"", u"Done"}},
      {u"Hi: you (there). Go", u"", 0, {u"Hi: you (there).", u"Go"}},
      {u"See <a href=\"x. Y\">here</a> now. Next", u"", 40,
       {u"See <a href=\"x. Y\">here</a> now.", u"Next"}},
      {u"\u4F60\u597D\u3002\u518D\u89C1\u3002", u"", 0, {u"\u4F60\u597D\u3002", u"\u518D\u89C1\u3002"}},
      {u"A. B", u"", 0, {u"A.", u"B"}},
      {u"", u"", 0, {}},
  };
  for (const auto& c : cases) {
    auto list = SentencesFromParagraph(c.text, c.sep, 0x0409, c.max_tag);
    EXPECT_EQ(Items(*list), c.out) << Utf16ToUtf8(c.text);
  }
}

// ---------------------------------------------------------------------------
// Words

TEST(Words, CountsCapitalsAndTitles) {
  EXPECT_EQ(BasicWordCount(u"it's 3 o'clock, \u00E9t\u00E9"), 6);
  EXPECT_TRUE(ContainsAlphanumCharacter(u"--7"));
  EXPECT_FALSE(ContainsAlphanumCharacter(u"--"));
  EXPECT_TRUE(IsAllUppercase(u""));
  EXPECT_TRUE(IsAllUppercase(u"ABC 1!"));
  EXPECT_FALSE(IsAllUppercase(u"ABc"));
  EXPECT_TRUE(FirstLetterIsCapitalised(u"Abc"));
  EXPECT_FALSE(FirstLetterIsCapitalised(u""));
  EXPECT_TRUE(NextWordCapitalised(u"x, Yes", 2));
  EXPECT_FALSE(NextWordCapitalised(u"x, yes", 2));
  EXPECT_EQ(FirstCharIsLowerCase(u"(abc"), u'a');
  EXPECT_EQ(FirstCharIsLowerCase(u"$abc"), 0);
  EXPECT_EQ(FirstCharIsLowerCase(u"..."), 0);
  EXPECT_TRUE(LastCharIsNotPunctuation(u"abc  "));
  EXPECT_FALSE(LastCharIsNotPunctuation(u"abc."));
  EXPECT_FALSE(LastCharIsNotPunctuation(u""));
  EXPECT_EQ(TitleCasedString(u"o-neil van DYKE", false), u"O-neil Van Dyke");
  EXPECT_EQ(TitleCasedString(u"o-neil van DYKE", true), u"O-neil van dyke");
}

TEST(Words, Boundaries) {
  EXPECT_FALSE(IsWholeWord(u"cats", 1, 4));
  EXPECT_TRUE(IsWholeWord(u"cat", 1, 4));
  EXPECT_TRUE(IsWholeWord(u"cat,", 1, 4));
  EXPECT_FALSE(IsWholeWord(u"scat", 2, 5));
  EXPECT_TRUE(BoundedWholeWord(u"a cat.", 3, 5));
  EXPECT_EQ(WholeWordPositionOfXinUpcaseText(1, u"CAT", u"CATS CAT"), 6);
  EXPECT_EQ(WholeWordPositionOfXinUpcaseText(1, u"DOG", u"CATS CAT"), 0);
  EXPECT_EQ(PosWordFoundIn(u"cat", u"scat cat", kMustBeBoundedAtLeft), 6);
  EXPECT_EQ(PosWordFoundIn(u"cat", u"scat cat", 0), 2);
  EXPECT_EQ(PosWordFoundIn(u"cat", u"cats", kMustBeBoundedAtRight), -1);
  EXPECT_EQ(PosWordFoundIn(u"", u"cats", 0), -1);
  EXPECT_EQ(PositionsWordFoundIn(u"aa", u"aaa", 0), (std::vector<Integer>{1, 2}));
}

// ---------------------------------------------------------------------------
// Affixes and tags

TEST(Markup, AffixesAndTags) {
  EXPECT_EQ(PalavraFromString(u"<un>do"), (TPalavra{u"<un>", u"do", u""}));
  EXPECT_EQ(PalavraFromString(u"walk<ing>"), (TPalavra{u"", u"walk", u"<ing>"}));
  EXPECT_EQ(PalavraFromString(u"wa<x>lk"), (TPalavra{u"", u"walk", u"<x>"}));
  EXPECT_EQ(PalavraFromString(u"wa<lk"), (TPalavra{u"", u"wa<lk", u""}));
  EXPECT_TRUE(HasAffixes(u"a<b>"));
  EXPECT_FALSE(HasAffixes(u"a>b<"));

  EXPECT_TRUE(IsAnOffTag(u"</b>"));
  EXPECT_EQ(SameTagButSwitchedOff(u"<b>"), u"</b>");
  EXPECT_EQ(SameTagButSwitchedOff(u"b"), u"/b");
  EXPECT_EQ(SameTagButSwitchedOff(u""), u"");
  EXPECT_EQ(TagOnNumbered(u"<s>", 7), u"<s \"7\">");
  EXPECT_EQ(TagOnNumbered(u"s", 7), u"s");
  EXPECT_TRUE(IsAngleBracketed(u"<x>"));
  EXPECT_EQ(Angle_Bracketed(u"x"), u"<x>");
  EXPECT_EQ(Angle_Bracketed(u"<x>"), u"<x>");
  EXPECT_EQ(UNAngle_Bracketed(u"<x>"), u"x");
  EXPECT_EQ(AnyAngleBracketsToHTML(u"a<b>"), u"a&lt;b&gt;");

  Boolean found = false;
  EXPECT_EQ(SimpleTagValue(u"t", u"x<t> v </t>", found), u" v ");
  EXPECT_TRUE(found);
  EXPECT_EQ(TrimmedSimpleTagValue(u"t", u"x<t> v </t>", found), u"v");
  EXPECT_EQ(SimpleTagValue(u"t", u"</t><t>", found), u"");
  EXPECT_FALSE(found);
  EXPECT_EQ(ExtractMarkupDataFromText(u"a[[x]]b]]", u"[[", u"]]"), u"x");
  EXPECT_EQ(ExtractMarkupDataFromText(u"a[[x", u"[[", u"]]"), u"");

  EXPECT_EQ(WithoutMarkup(u"a<b>c<verylongtag>d", 3), u"ac<verylongtag>d");
  EXPECT_EQ(WithoutMarkup(u"a<b>c", 0), u"a<b>c");
  EXPECT_EQ(WithoutMarkup(u"ab<c", 3), u"ab");  // a final unclosed '<' near the end
  EXPECT_EQ(WithoutMarkup(u"<x>", 2), u"");
  EXPECT_EQ(WithoutMarkup(u"<xy>", 2), u"<xy>");
  EXPECT_EQ(MarkupWithoutText(u"a<b>c</b>d<"), u"<b></b>");
  EXPECT_EQ(ParaDivHeadingEndToCRLF(u"a</P>b</div>c</Head>"), u"a\r\nb\r\nc\r\n");
}

TEST(Markup, MarkupFreeTextFromAFile) {
  const auto path = std::filesystem::temp_directory_path() / ("cv_text_markup_" + std::to_string(::getpid()) + ".txt");
  std::ofstream(path, std::ios::binary) << "\xEF\xBB\xBF" "a<b>c\nd <very long tag>\n";
  EXPECT_EQ(MarkupFreeTextFromAFile(Utf8ToUtf16(path.string()), 5), u"ac\r\nd <very long tag>\r\n");
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace cv
