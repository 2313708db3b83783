#include "lemmatiser_library/lemma_and_match_lists.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lemmatiser_library/list_file_text.h"
#include "platform/nls.h"
#include "platform/utf.h"

namespace cv {
namespace {

constexpr LCID kEnglish = 0x0409;

std::string Utf16LE(std::u16string_view s, bool bom = true) {
  std::string out = bom ? std::string("\xFF\xFE", 2) : std::string();
  for (char16_t c : s) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>(c >> 8));
  }
  return out;
}

std::string Utf16BE(std::u16string_view s) {
  std::string out("\xFE\xFF", 2);
  for (char16_t c : s) {
    out.push_back(static_cast<char>(c >> 8));
    out.push_back(static_cast<char>(c & 0xFF));
  }
  return out;
}

// "VARIANT (HEAD)" lines of a lemma list's walk, in walk order.
std::vector<std::string> LemmaLines(TLemmaList& list) {
  std::vector<std::string> out;
  list.ShowProc = [&](TLemmaEntryRec& t, TCaseSensitivity, Boolean in_unicode, Boolean, Integer, Integer) {
    const std::string variant = in_unicode ? Utf16ToUtf8(static_cast<const char16_t*>(t.variantp))
                                           : std::string(static_cast<const char*>(t.variantp));
    out.push_back(variant + " (" + Utf16ToUtf8(t.headwordp) + ")");
  };
  list.Traverse();
  return out;
}

std::vector<std::string> MatchItems(TMatchList& list) {
  std::vector<std::string> out;
  list.ShowProc = [&](void* p, TCaseSensitivity, Boolean in_unicode, Boolean, Integer, Integer) {
    out.push_back(in_unicode ? Utf16ToUtf8(static_cast<const char16_t*>(p)) : std::string(static_cast<const char*>(p)));
  };
  list.Traverse();
  return out;
}

std::string HeadOf(TLemmaList& list, const std::string& variant) {
  TLemmaEntryRec found{};
  bool hit;
  string wide;
  if (list.using_unicode) {
    wide = Utf8ToUtf16(variant);
    hit = list.FoundVariant(wide.c_str(), found);
  } else {
    hit = list.FoundVariant(variant.c_str(), found);
  }
  return hit && found.headwordp != nullptr ? Utf16ToUtf8(found.headwordp) : std::string("<none>");
}

TEST(ListFileText, RecognisesEncodings) {
  struct Case {
    const char* name;
    std::string bytes;
    TListFileEncoding encoding;
    std::u16string text;
  };
  const Case cases[] = {
      {"utf16le", Utf16LE(u"go\u00E9"), TListFileEncoding::lfe_utf16le, u"go\u00E9"},
      {"utf16le odd byte", Utf16LE(u"ab") + "x", TListFileEncoding::lfe_utf16le, u"ab"},
      {"utf16be", Utf16BE(u"go\u00E9"), TListFileEncoding::lfe_utf16be, u"go\u00E9"},
      {"utf16 cut at NUL", Utf16LE(std::u16string(u"ab\0cd", 5)), TListFileEncoding::lfe_utf16le, u"ab"},
      {"utf8 signature", "\xEF\xBB\xBFgo", TListFileEncoding::lfe_utf8, u"go"},
      {"utf8 signature only", "\xEF\xBB\xBF", TListFileEncoding::lfe_utf8, u""},
      {"utf8 unsigned", "caf\xC3\xA9", TListFileEncoding::lfe_utf8, u"caf\u00E9"},
      {"ill-formed utf8 is 8-bit", "caf\xE9", TListFileEncoding::lfe_ansi, u"caf\u00E9"},
      {"ascii is 8-bit", "go", TListFileEncoding::lfe_ansi, u"go"},
      {"utf8 after NUL ignored", std::string("ab\0\xC3\xA9", 5), TListFileEncoding::lfe_ansi, u"ab"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TListFileText text;
    ASSERT_TRUE(DecodeListFileBytes(c.bytes, text));
    EXPECT_EQ(text.encoding, c.encoding);
    if (text.in_unicode())
      EXPECT_EQ(text.wide, c.text);
    else
      EXPECT_EQ(Latin1ToUtf16(text.ansi), c.text);
  }
  TListFileText text;
  EXPECT_FALSE(DecodeListFileBytes("x", text));
  EXPECT_FALSE(DecodeListFileBytes("", text));
}

TEST(ListFileText, CountsEveryKindOfLineBreak) {
  const std::pair<const char*, Integer> cases[] = {
      {"", 0}, {"a", 0}, {"a\r\nb", 1}, {"a\nb\n", 2}, {"a\rb\r", 2}, {"a\r\n\r\nb", 2}, {"a\n\rb", 2}, {"\r\r\n\n", 3},
  };
  for (const auto& [text, breaks] : cases) {
    EXPECT_EQ(CountLineBreaks(std::string_view(text)), breaks) << text;
    EXPECT_EQ(CountLineBreaks(Latin1ToUtf16(text)), breaks) << text;
  }
}

// The lemma list behaviours the file format promises, in both encodings.
TEST(LemmaList, FileFormat) {
  for (bool wide : {false, true}) {
    SCOPED_TRACE(wide ? "UTF-16" : "8-bit");
    auto bytes = [&](const char* s) { return wide ? Utf16LE(Latin1ToUtf16(s)) : std::string(s); };
    TLemmaList list(cs_anyhow);

    // Pairs, continuation lines, comments, rejected items, first pairing wins.
    ASSERT_TRUE(list.LoadFromBytes(bytes("go -> goes, going\r\nwent\n"
                                         "; notes, more -> x\n"
                                         "[section] -> y, z\n"
                                         "come -> came, goes\n"
                                         "be -> be\n"
                                         "do -> does, ;did, done\n")));
    EXPECT_EQ(list.using_unicode, wide);
    EXPECT_EQ(LemmaLines(list), (std::vector<std::string>{"CAME (COME)", "DOES (DO)", "GOES (GO)", "GOING (GO)",
                                                            "WENT (GO)"}));
    EXPECT_EQ(list.lemma_pair_entries, 5);
    EXPECT_EQ(list.lines, 6) << "the duplicate GOES counts as a line, not as a pair";
    EXPECT_EQ(list.counter, 19 + 5);
    EXPECT_EQ(HeadOf(list, "GOES"), "GO");
    EXPECT_EQ(HeadOf(list, "goes"), "<none>") << "lookups never fold case";
    EXPECT_EQ(HeadOf(list, "M_8z"), "<none>") << "seeds are found but have no head word";
    EXPECT_EQ(list.HeadWordCount(), 3) << "BE is no head word: 'be -> be' was rejected";

    // Variants of a head word, found ignoring case, in file order.
    EXPECT_EQ(std::u16string(list.LemmaVariantsOf(u"go", u", ")), u"GOES, GOING, WENT");
    EXPECT_EQ(std::u16string(list.LemmaVariantsOf(u"Come", u"|")), u"CAME");
    EXPECT_EQ(std::u16string(list.LemmaVariantsOf(u"nothing", u"|")), u"");
    EXPECT_EQ(std::u16string(list.HeadWordAt(0)), u"COME");
    EXPECT_EQ(std::u16string(list.HeadWordAt(2)), u"GO");
    EXPECT_EQ(list.HeadWordAt(3), nullptr);
    EXPECT_EQ(list.HeadWordAt(-1), nullptr);

    // "-> X" remembers an empty head word: bare items after it are rejected.
    ASSERT_TRUE(list.LoadFromBytes(bytes("go -> goes\n-> x\ny\nbe -> is\nare")));
    EXPECT_EQ(LemmaLines(list), (std::vector<std::string>{"ARE (BE)", "GOES (GO)", "IS (BE)"}));
    EXPECT_EQ(list.lines, 3);

    // A bare first line never attaches to the previous load's head word.
    ASSERT_TRUE(list.LoadFromBytes(bytes("orphan\nrun -> ran")));
    EXPECT_EQ(LemmaLines(list), (std::vector<std::string>{"RAN (RUN)"}));
  }
}

TEST(LemmaList, CaseSensitiveListsKeepCaseAndMergeHeadWordsIgnoringIt) {
  TLemmaList list(cs_sensitive);
  ASSERT_TRUE(list.LoadFromBytes("Go -> goes\nGO -> going\nGo -> GO\ngo -> Go"));
  EXPECT_EQ(LemmaLines(list), (std::vector<std::string>{"GO (Go)", "Go (Go)", "goes (Go)", "going (Go)"}))
      << "variants differing from their head word only in case are kept when case is";
  EXPECT_EQ(list.HeadWordCount(), 1);
  EXPECT_EQ(std::u16string(list.LemmaVariantsOf(u"gO", u",")), u"goes,going,GO,Go");
}

TEST(LemmaList, UpperCasingFollowsTheLocale) {
  TLemmaList list(cs_anyhow);
  list.fLCID = 0x041F;  // Turkish: i upper-cases to dotted capital I
  ASSERT_TRUE(list.LoadFromBytes(Utf16LE(u"git -> gitti")));
  EXPECT_EQ(LemmaLines(list), (std::vector<std::string>{"G\u0130TT\u0130 (G\u0130T)"}));

  // Head words that differ only in case are one head word, by the locale's
  // casing: in Turkish git and G\u0130T are one, in English git and GIT.
  const std::string file = Utf16LE(u"git -> a\nG\u0130T -> b\nGIT -> c");
  for (const auto& [lcid, git_variants] : {std::pair<LCID, std::u16string>{0x041F, u"a,b"}, {kEnglish, u"a,c"}}) {
    TLemmaList heads(cs_sensitive);
    heads.fLCID = lcid;
    ASSERT_TRUE(heads.LoadFromBytes(file));
    EXPECT_EQ(heads.HeadWordCount(), 2);
    EXPECT_EQ(std::u16string(heads.LemmaVariantsOf(u"git", u",")), git_variants) << lcid;
  }
}

TEST(LemmaList, Utf8FilesBecomeUtf16ListsWithoutTheSignature) {
  for (const std::string& sig : {std::string("\xEF\xBB\xBF"), std::string()}) {
    TLemmaList list(cs_anyhow);
    ASSERT_TRUE(list.LoadFromBytes(sig + "\xC3\xA9tre -> \xC3\xA9t\xC3\xA9, suis\nstra\xC3\x9F" "e -> stra\xC3\x9F" "en"));
    EXPECT_TRUE(list.using_unicode);
    EXPECT_EQ(LemmaLines(list), (std::vector<std::string>{"STRA\xC3\x9F" "EN (STRA\xC3\x9F" "E)", "SUIS (\xC3\x89TRE)",
                                                            "\xC3\x89T\xC3\x89 (\xC3\x89TRE)"}))
        << "the signature must not stick to the first head word, and \xC3\x9F keeps its bytes";
  }
}

TEST(LemmaList, UTF16BigEndianLoadsLikeLittleEndian) {
  TLemmaList le(cs_anyhow), be(cs_anyhow);
  const std::u16string text = u"go -> goes, went\n\u00E9tre -> \u00E9t\u00E9";
  ASSERT_TRUE(le.LoadFromBytes(Utf16LE(text)));
  ASSERT_TRUE(be.LoadFromBytes(Utf16BE(text)));
  EXPECT_EQ(LemmaLines(le), LemmaLines(be));
  EXPECT_EQ(LemmaLines(le).size(), 3u);
}

TEST(LemmaList, VariantsAreCutAtAVariantBoundary) {
  TLemmaList list(cs_sensitive);
  std::string file = "H -> ";
  std::vector<std::u16string> variants;
  for (int i = 0; i < 40; ++i) {
    std::string v = "v" + std::to_string(100000 + i);  // 7 characters each
    file += (i ? ", " : "") + v;
    variants.push_back(Latin1ToUtf16(v));
  }
  ASSERT_TRUE(list.LoadFromBytes(file));
  const std::u16string joined = list.LemmaVariantsOf(u"H", u" / ");
  // 7 + 24 * 10 = 247 fits; one more would be 257.
  std::u16string expected;
  for (int i = 0; i < 25; ++i) expected += (i ? u" / " : u"") + variants[static_cast<std::size_t>(i)];
  EXPECT_EQ(joined, expected);
  EXPECT_LE(joined.size(), 255u);
}

TEST(LemmaList, ByteWiseTrimKeepsBytesTheCodePageCannotRoundTrip) {
  const Cardinal saved = GetACP();
  SetACP(932);
  TLemmaList list(cs_sensitive);
  // 0x82 is a lone lead byte in code page 932: a round trip through UTF-16
  // would turn it into '?'.
  ASSERT_TRUE(list.LoadFromBytes("  h\x82 ->\t v\x82  \r\n"));
  SetACP(saved);
  ASSERT_EQ(list.lemma_pair_entries, 1);
  TLemmaEntryRec found{};
  ASSERT_TRUE(list.FoundVariant("v\x82", found));
  EXPECT_EQ(std::string(static_cast<const char*>(found.variantp)), "v\x82");
}

TEST(LemmaList, ProgressLineCountsAndCancel) {
  std::string file;
  for (int i = 0; i < 600; ++i) file += "h -> v" + std::to_string(i) + (i % 3 == 0 ? "\n" : (i % 3 == 1 ? "\r" : "\r\n"));
  TLemmaList list(cs_anyhow);
  std::vector<Integer> progress, line_counts;
  std::vector<std::u16string> names;
  TAnnounceNumberAndMessageProc on_lines = [&](Integer n, const hundredwidechar& mess) {
    line_counts.push_back(n);
    names.emplace_back(mess);
  };
  TShowSomeProgressProc on_progress = [&](Integer n) { progress.push_back(n); };
  const std::string path = testing::TempDir() + "lemma_progress.txt";
  {
    TFileStream out(Utf8ToUtf16(path), fmCreate);
    out.WriteBuffer(file.data(), static_cast<Int64>(file.size()));
  }
  ASSERT_TRUE(list.LoadFromFile(on_lines, on_progress, kEnglish, cs_anyhow, Utf8ToUtf16(path)));
  EXPECT_EQ(line_counts, (std::vector<Integer>{601, 600}));
  EXPECT_EQ(names.front(), u"lemmas");
  EXPECT_EQ(progress, (std::vector<Integer>{0, 256, 512}));

  // A cancel from the progress callback (called at the end of line 257,
  // whose item is then stored) stops the load before the next item.
  TShowSomeProgressProc cancel_at_256 = [&](Integer n) {
    if (n == 256) list.cancelled = true;
  };
  ASSERT_TRUE(list.LoadFromFile(nullptr, cancel_at_256, kEnglish, cs_anyhow, Utf8ToUtf16(path)));
  EXPECT_EQ(list.lines, 257);
  EXPECT_EQ(list.lemma_pair_entries, 257);

  // A missing file leaves the list as it was.
  EXPECT_FALSE(list.LoadFromFile(nullptr, nullptr, kEnglish, cs_anyhow, u"/nonexistent/list.txt"));
  EXPECT_EQ(list.lemma_pair_entries, 257);
  // So does a file of one byte, which is not even seeded.
  TLemmaList fresh(cs_anyhow);
  EXPECT_FALSE(fresh.LoadFromBytes("x"));
  EXPECT_EQ(fresh.counter, 0);
}

TEST(MatchList, ItemsCommasAndSeeds) {
  struct Case {
    const char* name;
    std::string file;
    bool commas_allowed;
    TCaseSensitivity cs;
    std::vector<std::string> walked;
    Integer lines;
  };
  const Case cases[] = {
      {"duplicates count as lines", "a, b, a", false, cs_anyhow, {"A", "B"}, 3},
      {"commas allowed", "New York, NY\nParis", true, cs_anyhow, {"NEW YORK, NY", "PARIS"}, 2},
      {"arrow has no meaning", "a -> b", false, cs_anyhow, {"A -> B"}, 1},
      {"comment eats the rest of its line", "a, ;b, c\nd\n[x], e", false, cs_anyhow, {"A", "D"}, 2},
      {"seed-like items are stored but never walked", "e_8z, f", false, cs_sensitive, {"f"}, 2},
      {"empty items, blanks; VT ends no 8-bit item", " ,\t,\x0c a\x0b" "b ,", false, cs_anyhow, {"A\x0B" "B"}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TMatchList list(c.cs);
    list.allow_strings_with_commas = c.commas_allowed;
    ASSERT_TRUE(list.LoadFromBytes(c.file));
    EXPECT_EQ(MatchItems(list), c.walked);
    EXPECT_EQ(list.lines, c.lines);
  }
  TMatchList list(cs_sensitive);
  ASSERT_TRUE(list.LoadFromBytes("e_8z, f"));
  EXPECT_NE(list.FoundItem("e_8z"), nullptr) << "seed-like items can still be looked up";
}

TEST(MatchList, ReportsAffixesAndPositions) {
  TMatchList list(cs_sensitive);
  ASSERT_TRUE(list.LoadFromBytes("<un>do, do<, x>y<"));
  std::vector<std::pair<std::string, bool>> seen;
  std::vector<Integer> positions;
  list.ShowProc = [&](void* p, TCaseSensitivity, Boolean, Boolean affixes, Integer this_one, Integer out_of) {
    seen.emplace_back(static_cast<const char*>(p), affixes);
    positions.push_back(this_one);
    EXPECT_EQ(out_of, 22);
  };
  list.Traverse();
  EXPECT_EQ(seen, (std::vector<std::pair<std::string, bool>>{{"<un>do", true}, {"do<", false}, {"x>y<", false}}));
  for (Integer p : positions) EXPECT_TRUE(p >= 1 && p <= 22);
}

TEST(ReadFileTree, CopyOfPointerConvertsWithTheAnsiCodePage) {
  TMatchList ansi(cs_sensitive), wide(cs_sensitive);
  ASSERT_TRUE(ansi.LoadFromBytes("caf\xE9"));
  ASSERT_TRUE(wide.LoadFromBytes(Utf16LE(u"caf\u00E9")));
  EXPECT_NE(ansi.FoundItem(ansi.CopyOfPointer(u"caf\u00E9", true)), nullptr);
  EXPECT_NE(wide.FoundItem(wide.CopyOfPointer("caf\xE9", false)), nullptr);
  const char* same = "x";
  EXPECT_EQ(ansi.CopyOfPointer(same, false), same);
  // Long probes are cut to 255 characters.
  const std::u16string long_probe(400, u'a');
  EXPECT_EQ(std::string(static_cast<const char*>(ansi.CopyOfPointer(long_probe.c_str(), true))).size(), 255u);
}

}  // namespace
}  // namespace cv
