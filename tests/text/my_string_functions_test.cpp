// Text studies: word and n-gram lists, vocabulary difference, context,
// find-and-study, DOCX text and repeated sentences.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <unistd.h>

#include "lists/zip_archive.h"
#include "platform/utf.h"
#include "text/my_string_functions.h"
#include "text/word_frequency.h"

namespace cv {
namespace {

using Pairs = std::vector<std::pair<std::string, Integer>>;

Pairs AsPairs(const TStringList& l) {
  Pairs out;
  for (Integer i = 0; i < l.Count(); ++i) out.emplace_back(Utf16ToUtf8(l[i]), FrequencyOfEntry(l, i));
  return out;
}

std::map<std::string, Integer> AsMap(const TStringList& l) {
  std::map<std::string, Integer> out;
  for (Integer i = 0; i < l.Count(); ++i) out[Utf16ToUtf8(l[i])] = FrequencyOfEntry(l, i);
  return out;
}

TEST(WordLists, FrequencyOrderAndCaseFolding) {
  EXPECT_EQ(AsPairs(*SimpleWordListOfTxt(u"The cat saw the cat", 1, true)),
            (Pairs{{"cat", 2}, {"The", 2}, {"saw", 1}}));
  // Alphabetical, case-insensitive; the spelling met first is kept.
  EXPECT_EQ(AsPairs(*SimpleWordListOfTxt(u"b B a A2 a2 ÉTÉ été", 1, false)),
            (Pairs{{"a", 1}, {"A2", 2}, {"b", 2}, {"ÉTÉ", 2}}));
  EXPECT_EQ(AsPairs(*SimpleWordListOfTxt(u"a bb ccc bb", 2, false)), (Pairs{{"bb", 2}, {"ccc", 1}}));
  EXPECT_EQ(SimpleWordListOfTxt(u"", 1, true)->Count(), 0);
  const auto accepted = SimpleWordListOfTxt(u"one two three two", [](const string& w) { return w != u"two"; }, false);
  EXPECT_EQ(AsPairs(*accepted), (Pairs{{"one", 1}, {"three", 1}}));
}

TEST(WordLists, CounterCountsTextsAndGrows) {
  TWordFrequencyCounter c;
  string big;
  for (int i = 0; i < 5000; ++i) big += u"w" + Utf8ToUtf16(std::to_string(i)) + u" ";
  c.AddText(big.data(), big.size());
  c.NextText();
  c.AddText(u"W1 w1 x", 7);
  EXPECT_EQ(c.Distinct(), 5001u);
  EXPECT_EQ(c.Tokens(), 5003);
  EXPECT_EQ(c.FrequencyOf(u"W1"), 3);
  const auto e = c.Entries();
  EXPECT_EQ(e[1].word, u"w1");
  EXPECT_EQ(e[1].texts, 2);
  EXPECT_EQ(e.back().word, u"x");
  EXPECT_EQ(e.back().texts, 1);
}

// The counter cuts ASCII text eight units at a time and looks words up in
// batches; whatever the cut, its counts must equal a plain unit-by-unit
// count.  The texts put word ends on every lane of a vector, non-ASCII
// letters and separators at and after the cut, words longer than any buffer
// and more words than one batch.
TEST(WordLists, CounterAgreesWithAUnitByUnitCount) {
  auto reference = [](const string& t, std::size_t least) {
    std::map<string, std::pair<Int64, string>> m;  // folded key: count, first spelling
    std::size_t i = 0;
    while (i < t.size()) {
      if (!IsWordUnit(t[i])) {
        ++i;
        continue;
      }
      const std::size_t start = i;
      while (i < t.size() && IsWordUnit(t[i])) ++i;
      if (i - start < least) continue;
      const string w = t.substr(start, i - start);
      string key = w;
      for (char16_t& c : key) c = FoldedUnit(c);
      auto& e = m[key];
      if (e.first++ == 0) e.second = w;
    }
    return m;
  };
  string long_word(5000, u'Q');
  for (std::size_t k = 0; k < long_word.size(); k += 7) long_word[k] = u'a' + static_cast<char16_t>(k % 26);
  string many;
  for (int k = 0; k < 300; ++k) many += u"W" + Utf8ToUtf16(std::to_string(k % 97)) + (k % 3 ? u" " : u"\u00e9 ");
  const string texts[] = {
      u"a ab abc abcd abcde abcdef abcdefg abcdefgh abcdefghi ABCDEFGHIJKLMNOPQ abcdefghijklmnopq",
      u"Caf\u00e9 CAF\u00c9 caf\u00e9s na\u00efve NA\u00cfVE \u00c9t\u00e9 abcdefg\u00e9 abcdefgh\u00e9 abcdefghi\u00e9",
      u"abcdefg\u2014abcdefgh\u2019s x\u00a0y Stra\u00dfe STRASSE \u03a3\u03bf\u03c6\u03af\u03b1 \u0434\u043e\u043c 123 4x5",
      u"[tag]word_word@host.com 0x1F 3.14 l'homme _a_ {b} \U0001F600emoji\U0001F600",
      u"tail7ch",
      u"\u00e9",
      long_word + u" " + long_word.substr(1) + u"\u00e9" + long_word,
      many,
  };
  for (const string& t : texts) {
    for (const std::size_t least : {std::size_t{1}, std::size_t{4}}) {
      TWordFrequencyCounter c;
      c.AddText(t.data(), t.size(), static_cast<Integer>(least));
      const auto want = reference(t, least);
      const auto got = c.Entries();
      ASSERT_EQ(got.size(), want.size()) << Utf16ToUtf8(t.substr(0, 60));
      Int64 tokens = 0;
      for (const TWordCount& e : got) {
        string key = e.word;
        for (char16_t& u : key) u = FoldedUnit(u);
        const auto it = want.find(key);
        ASSERT_NE(it, want.end()) << Utf16ToUtf8(e.word);
        EXPECT_EQ(e.freq, it->second.first) << Utf16ToUtf8(e.word);
        EXPECT_EQ(e.word, it->second.second);
        EXPECT_EQ(c.FrequencyOf(e.word), e.freq);
        tokens += e.freq;
      }
      EXPECT_EQ(c.Tokens(), tokens);
    }
  }
}

TEST(NGrams, WindowRules) {
  struct Case {
    const char16_t* text;
    Integer n;
    std::map<std::string, Integer> want;
  } cases[] = {
      {u"a b c. d e", 2, {{"a b", 1}, {"b c", 1}, {"d e", 1}}},
      {u"a. b c", 2, {{"a b", 1}, {"b c", 1}}},
      {u"x, y", 2, {{"x y", 1}}},
      {u" ,x, y", 2, {{"x y", 1}}},
      {u"a <b>tag</b> c", 2, {{"a tag", 1}, {"tag c", 1}}},
      {u"A b a B a b", 2, {{"A b", 3}, {"b a", 2}}},
      {u"one two three", 1, {{"one", 1}, {"three", 1}, {"two", 1}}},
      {u"one two", 3, {}},
      {u"one two", 0, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.text));
    EXPECT_EQ(AsMap(*SimpleNGramListOfTxt(c.text, c.n, 200, true, nullptr)), c.want);
  }
  std::vector<Integer> reports;
  SimpleNGramListOfTxt(u"a b a b c", 2, 0, false, [&](Integer p) { reports.push_back(p); });
  EXPECT_EQ(reports, (std::vector<Integer>{33, 55, 100}));
}

TEST(BagOfWords, FindsTheFirstDifferenceInEitherList) {
  auto d = BagOfWordsSimilar(u"the cat the dog", u"the cat the dog", 0, 1, 1);
  EXPECT_TRUE(d.wd.empty());
  EXPECT_EQ(d.first_text_freq, 0);
  EXPECT_EQ(d.second_text_freq, 0);
  d = BagOfWordsSimilar(u"a a a b", u"a b", 1, 1, 1);
  EXPECT_EQ(d.wd, u"A");
  EXPECT_EQ(d.first_text_freq, 3);
  EXPECT_EQ(d.second_text_freq, 1);
  // The word that differs is only in the shorter list.
  d = BagOfWordsSimilar(u"zebra zebra", u"x y z", 0, 2, 1);
  EXPECT_EQ(d.wd, u"ZEBRA");
  EXPECT_EQ(d.first_text_freq, 2);
  EXPECT_EQ(d.second_text_freq, 0);
}

TEST(Context, WordsAndCharacters) {
  const auto left = static_cast<TSearchRequirementSeeks>(12);
  const auto right = static_cast<TSearchRequirementSeeks>(13);
  const auto both = static_cast<TSearchRequirementSeeks>(11);
  EXPECT_EQ(NManyWordsContext(left, u"aa bb cc", 7, 1), u" bb ");
  EXPECT_EQ(NManyWordsContext(right, u"aa bb cc", 1, 1), u"aa bb ");
  EXPECT_EQ(NManyWordsContext(both, u"aa bb cc", 4, 0), u" bb ");
  EXPECT_EQ(NManyWordsContext(static_cast<TSearchRequirementSeeks>(1), u"aa bb cc", 4, 1), u"");
  // A walk to the end of the text keeps the last character.
  EXPECT_EQ(NManyWordsContext(right, u"aa bb", 1, 5), u"aa bb");
  EXPECT_EQ(NManyWordsContext(both, u"aa bb", 5, 1), u"aa bb");
  EXPECT_EQ(NManyWordsContext(left, u"aa bb", 0, 1), u"");
  EXPECT_EQ(NManyWordsContext(left, u"aa bb", 99, 1), u"");
  EXPECT_EQ(PrecedingContext(u"abcdef", 3, 5), u"bcd");
  EXPECT_EQ(PrecedingContext(u"abcdef", 10, 3), u"ab");
  EXPECT_EQ(PrecedingContext(u"abcdef", 0, 3), u"");
  EXPECT_EQ(PrecedingContext(u"abc", 2, 99), u"bc");
}

TEST(FindAndStudy, StringsChunksAndTags) {
  std::vector<std::string> seen;
  FindAndStudyStringInText(u"aXbXXc", u"X",
                           [&](const string& b, const string& s, const string& a, Integer pc, Integer p) {
                             seen.push_back(Utf16ToUtf8(b + u"|" + s + u"|" + a) + " " + std::to_string(pc) +
                                            " " + std::to_string(p));
                             return false;
                           },
                           1);
  EXPECT_EQ(seen, (std::vector<std::string>{"a|X|b 33 2", "b|X|X 66 4", "X|X|c 83 5"}));
  seen.clear();
  FindAndStudyStringInText(u"ab<i>c</i> <x", u"<", u">",
                           [&](const string& b, const string& chunk, Integer, Integer p) {
                             seen.push_back(Utf16ToUtf8(b + u"|" + chunk) + " " + std::to_string(p));
                             return p > 5;  // stops at the second chunk
                           },
                           2);
  EXPECT_EQ(seen, (std::vector<std::string>{"ab|<i> 3", ">c|</i> 7"}));
  EXPECT_EQ(NumberOfTagsWithinChunk(u"<a><b> <c> <d"), 3);
  EXPECT_EQ(NumberOfTagsWithinChunk(u"<a><b><c><d>", 1), 2);
  EXPECT_EQ(NumberOfTagsWithinChunk(u""), 0);
  Integer calls = 0;
  FindAndStudyStringInText(u"abc", u"", [&](const string&, const string&, const string&, Integer, Integer) {
    ++calls;
    return false;
  }, 1);
  EXPECT_EQ(calls, 0);
}

TEST(Tags, OpenWithoutClose) {
  EXPECT_EQ(OpenWithoutCloseTagInText(u"<b>x</b> <i>y <u>z</u>", nullptr, 5, false, false), u"<i>");
  EXPECT_EQ(OpenWithoutCloseTagInText(u"<i>y <B>x", nullptr, 5, true, false), u"<B>");
  EXPECT_EQ(OpenWithoutCloseTagInText(u"<%x> <i>", nullptr, 5, false, true), u"<i>");
  EXPECT_EQ(OpenWithoutCloseTagInText(u"<b>x</b>", nullptr, 5, false, false), u"");
  EXPECT_EQ(OpenWithoutCloseTagInText(u"ab<i>c <u>", [](const string& t, Integer p, const string& ctx) {
              return t == u"<u>" && p == 8 && ctx == u"c ";
            }, 2, false, false),
            u"<u>");
}

class TempDir : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("cv_studies_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  string Path(const char* name) const { return Utf8ToUtf16((dir_ / name).string()); }
  std::filesystem::path dir_;
};

using Docx = TempDir;

void MakeZip(const string& name, const std::vector<std::pair<std::u16string, std::string>>& members) {
  TZipArchiveWriter w(name);
  for (const auto& [n, bytes] : members) w.AddMember(n, bytes);
  w.Commit();
}

constexpr char kRels[] =
    "<?xml version=\"1.0\"?><Relationships xmlns=\"x\"><Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"word/main.xml\"/></Relationships>";

TEST_F(Docx, RunsParagraphsEntitiesAndWhiteSpace) {
  const std::string doc =
      "<w:document><w:body>"
      "<w:p><w:pPr><w:jc/></w:pPr><w:r><w:t>Hel</w:t></w:r><w:r><w:t xml:space=\"preserve\">lo</w:t></w:r></w:p>"
      "<w:p/>"
      "<w:p w:rsid=\"1\"><w:r><w:t>a</w:t><w:tab/><w:t>b</w:t><w:br/><w:t>R&amp;D &lt;&#233;&#x4E2D;&gt;</w:t></w:r></w:p>"
      "<w:p><mc:AlternateContent><mc:Choice><w:t>choice</w:t></mc:Choice><mc:Fallback><w:t>fallback</w:t></mc:Fallback></mc:AlternateContent></w:p>"
      "</w:body></w:document>";
  // The main part is named by the relationships; a decoy document.xml
  // elsewhere is not read.
  MakeZip(Path("a.docx"), {{u"_rels/.rels", kRels},
                           {u"word/main.xml", doc},
                           {u"other/document.xml", "<w:p><w:t>decoy</w:t></w:p>"}});
  EXPECT_EQ(Utf16ToUtf8(DOCXFileText(Path("a.docx"))),
            "Hello\r\na\tb R&D <\xC3\xA9\xE4\xB8\xAD>\r\nfallback\r\n");
  // Without relationships, the document.xml member is used.
  MakeZip(Path("b.docx"), {{u"word/document.xml", "<w:p><w:r><w:t>x</w:t></w:r></w:p>"}});
  EXPECT_EQ(DOCXFileText(Path("b.docx")), u"x\r\n");
  EXPECT_EQ(DOCXFileText(Path("missing.docx")), u"");
  MakeZip(Path("c.docx"), {{u"readme.txt", "x"}});
  EXPECT_EQ(DOCXFileText(Path("c.docx")), u"");
  FILE* f = std::fopen((dir_ / "d.docx").c_str(), "wb");
  std::fputs("not a zip archive at all", f);
  std::fclose(f);
  EXPECT_THROW(DOCXFileText(Path("d.docx")), EZipError);
  EXPECT_EQ(BothSlashesExtractFilename(u"a\\b/c.xml"), u"c.xml");
  EXPECT_EQ(BothSlashesExtractFilename(u"c.xml"), u"c.xml");
}

TEST(RepeatedSentences, EveryParagraphIncludingTheLast) {
  TRepeatedChunks rc;
  rc.SetSettings(true, 0, 1, 0, nullptr, nullptr, nullptr);
  rc.processing = true;
  const string text1 = u"The sky is blue. The grass is green.\r\nThe sky is blue.\r\nA last line here.";
  EXPECT_EQ(rc.AddedToRepeatedSentencesInTxt(0, text1), 3);
  const Integer sky = rc.chunks_list->IndexOf(u"The sky is blue.");
  ASSERT_GE(sky, 0);
  EXPECT_EQ(rc.chunks_list->GetAListOfOccurrences(sky)->GetAValue(0, 1), 2);
  EXPECT_GE(rc.chunks_list->IndexOf(u"A last line here."), 0);
  rc.processing = true;
  EXPECT_EQ(rc.AddedToRepeatedSentencesInTxt(1, u"A last line here.\r\n"), 0);
  EXPECT_EQ(rc.chunks_list->Repeateds(), 1);
  rc.SortDescendingFreq();
  EXPECT_EQ(rc.chunks_list->Strings(0), u"The sky is blue.");
  rc.SortAScendingFilenumbers();
  EXPECT_EQ(rc.chunks_list->GetAListOfOccurrences(0)->GetAValue(0, 0), 0);
  // Progress over no files divides by nothing.
  rc.AddToRepeatedSentencesInTxt(0, 0);
  EXPECT_EQ(rc.GetAFilename(5), u"");
  rc.chunks_list.reset();
  EXPECT_THROW(rc.AddedToRepeatedSentencesInTxt(0, u"x"), std::logic_error);
}

}  // namespace
}  // namespace cv
