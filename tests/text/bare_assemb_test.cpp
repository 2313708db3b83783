#include "text/bare_assemb.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace cv {
namespace {

using std::u16string;

// Random text over a tiny alphabet, so that partial matches are frequent.
std::string RandomText(std::mt19937& rng, std::size_t n, const char* alphabet = "abc") {
  const std::size_t k = std::strlen(alphabet);
  std::string s(n, ' ');
  for (auto& c : s) c = alphabet[rng() % k];
  return s;
}

u16string Widen(const std::string& s) { return u16string(s.begin(), s.end()); }

TEST(FastSearch, AgreesWithStdSearchOnRandomText) {
  std::mt19937 rng(7);
  for (int round = 0; round < 3000; ++round) {
    const std::size_t n = rng() % 90;
    // Text is embedded in a larger buffer so that a scan running past the
    // window would find the sentinel pattern there.
    std::string text = RandomText(rng, n);
    const std::string pat = RandomText(rng, 1 + rng() % 4);
    std::string backing = text + pat + pat;
    const std::size_t expect = text.find(pat);
    const char* got = FastStrPos(backing.c_str(), pat.c_str(), static_cast<Integer>(n));
    EXPECT_EQ(got ? static_cast<std::size_t>(got - backing.c_str()) : std::string::npos, expect)
        << text << " / " << pat;

    u16string wbacking = Widen(backing), wpat = Widen(pat);
    const char16_t* wgot = FastStrPosW(wbacking.c_str(), wpat.c_str(), static_cast<Integer>(n));
    EXPECT_EQ(wgot ? static_cast<std::size_t>(wgot - wbacking.c_str()) : std::string::npos, expect);

    // The case-insensitive search with one form upper- and one lowercase.
    std::string upper_pat = pat, upper_text = text;
    for (auto& c : upper_pat) c = static_cast<char>(std::toupper(c));
    for (std::size_t i = 0; i < upper_text.size(); ++i)
      if (rng() & 1) upper_text[i] = static_cast<char>(std::toupper(upper_text[i]));
    std::string ibacking = upper_text + pat + pat;
    const char* igot = FastStrIPos(ibacking.c_str(), upper_pat.c_str(), pat.c_str(), static_cast<Integer>(n));
    EXPECT_EQ(igot ? static_cast<std::size_t>(igot - ibacking.c_str()) : std::string::npos, expect);
    u16string wib = Widen(ibacking), wup = Widen(upper_pat);
    const char16_t* wigot = FastStrIPosW(wib.c_str(), wup.c_str(), wpat.c_str(), static_cast<Integer>(n));
    EXPECT_EQ(wigot ? static_cast<std::size_t>(wigot - wib.c_str()) : std::string::npos, expect);
  }
}

TEST(FastSearch, EdgeCases) {
  const char* abc = "abc";
  EXPECT_EQ(FastStrPos(abc, "abc", 3), abc);       // pattern equals the window
  EXPECT_EQ(FastStrPos(abc, "abcd", 3), nullptr);  // longer than the window
  EXPECT_EQ(FastStrPos(abc, "", 3), nullptr);
  EXPECT_EQ(FastStrPos(abc, "c", 2), nullptr);     // outside the window
  EXPECT_EQ(FastStrPos(static_cast<const char*>(nullptr), "a", 3), nullptr);
  EXPECT_EQ(FastStrPos(abc, nullptr, 3), nullptr);
  EXPECT_EQ(FastStrPos(abc, "a", 0), nullptr);

  // A match that ends on the window's last character is found, as the exact
  // search finds it.
  const char* xab = "xaB";
  EXPECT_EQ(FastStrIPos(xab, "AB", "ab", 3), xab + 1);
  const char* xaby = "xaBy";
  EXPECT_EQ(FastStrIPos(xaby, "AB", "ab", 4), xaby + 1);
  EXPECT_EQ(FastStrIPos(abc, "ABC", "abc", 3), abc);
  EXPECT_EQ(FastStrIPos(abc, "AB", "abc", 3), nullptr);  // forms of different lengths
  EXPECT_EQ(FastStrIPos(abc, "A", "a", 0), nullptr);
  const char16_t* w = u"xaB";
  EXPECT_EQ(FastStrIPosW(w, u"AB", u"ab", 3), w + 1);

  EXPECT_EQ(FastStrScan(abc, 'a', 0), nullptr);
  EXPECT_EQ(FastStrScan(abc, 'c', 3), abc + 2);
  EXPECT_EQ(FastStrScanW(w, u'B', 3), w + 2);
  EXPECT_EQ(FastStrScanW(w, u'B', 2), nullptr);
}

TEST(FastSearch, WideScanAndCountAgreeWithStdOnAllTailLengths) {
  std::mt19937 rng(3);
  for (std::size_t n = 0; n < 200; ++n) {
    u16string s(n + 8, u'z');
    for (std::size_t i = 0; i < n; ++i) s[i] = (rng() % 9 == 0) ? u'\r' : u'a';
    const Integer count = static_cast<Integer>(n);
    const auto expect = std::find(s.begin(), s.begin() + n, u'\r');
    const char16_t* got = FastStrScanW(s.data(), u'\r', count);
    EXPECT_EQ(got ? got - s.data() : static_cast<std::ptrdiff_t>(n), expect - s.begin());
    EXPECT_EQ(Chr13sInPChar(s.data(), count), std::count(s.begin(), s.begin() + n, u'\r'));
    std::string a(s.begin(), s.end());
    EXPECT_EQ(Chr13sInPAnsichar(a.data(), count), std::count(a.begin(), a.begin() + n, '\r'));
  }
  // Byte counters fold correctly on long runs.
  std::string cr(100000, '\r');
  EXPECT_EQ(Chr13sInPAnsichar(cr.data(), 99999), 99999);
  u16string wcr(100000, u'\r');
  EXPECT_EQ(Chr13sInPChar(wcr.data(), 99999), 99999);
}

TEST(Comparing, HowFarAndEqual) {
  struct Case { const char* a; const char* b; Integer n; Integer how_far; bool equal; };
  const Case cases[] = {
      {"abc", "xbc", 3, 2, false}, {"abc", "abc", 3, 0, true}, {"abc", "abx", 3, 0, false},
      {"abc", "axc", 3, 1, false}, {"abc", "xyz", 0, 0, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HowFarEqualContentsA(c.a, c.b, c.n), c.how_far) << c.a << c.b;
    EXPECT_EQ(EqualContentsA(c.a, c.b, c.n), c.equal);
    const u16string wa = Widen(c.a), wb = Widen(c.b);
    EXPECT_EQ(HowFarEqualContentsW(wa.c_str(), wb.c_str(), c.n), c.how_far);
    EXPECT_EQ(EqualContentsW(wa.c_str(), wb.c_str(), c.n), c.equal);
  }
  EXPECT_TRUE(ContainsADigitA("ab3"));
  EXPECT_FALSE(ContainsADigitA("abc"));
  EXPECT_FALSE(ContainsADigitW(nullptr));
  EXPECT_TRUE(ContainsADigitW(u"x9"));
  const unsigned char le[] = {0xFF, 0xFE}, be[] = {0xFE, 0xFF}, none[] = {0xEF, 0xBB};
  EXPECT_TRUE(UnicodeSigned(le));
  EXPECT_TRUE(UnicodeSigned(be));
  EXPECT_FALSE(UnicodeSigned(none));
  EXPECT_FALSE(UnicodeByteReversed(le));
  EXPECT_TRUE(UnicodeByteReversed(be));
}

// The stored checksum: compared with a byte-by-byte reference over every
// length and alignment, so the vector path and its tail are covered.
TEST(Checksums, My4ChecksumMatchesLittleEndianWordSum) {
  std::mt19937 rng(11);
  std::vector<unsigned char> bytes(300);
  for (auto& b : bytes) b = static_cast<unsigned char>(rng());
  for (std::size_t offset = 0; offset < 4; ++offset) {
    for (std::size_t len = 0; len + offset <= bytes.size(); ++len) {
      std::uint32_t expect = 0;
      for (std::size_t w = 0; w < len / 4; ++w) {
        const unsigned char* q = bytes.data() + offset + 4 * w;
        expect += q[0] | (q[1] << 8) | (q[2] << 16) | (static_cast<std::uint32_t>(q[3]) << 24);
      }
      ASSERT_EQ(My4Checksum(bytes.data() + offset, static_cast<Integer>(len)), static_cast<Integer>(expect))
          << "offset " << offset << " len " << len;
    }
  }
  const unsigned char seven[] = {1, 0, 0, 0, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(My4Checksum(seven, 7), 1);  // the trailing 3 bytes are ignored
  const unsigned char wrap[] = {0xFF, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0};
  EXPECT_EQ(My4Checksum(wrap, 8), 1);
  const unsigned char neg[] = {0, 0, 0, 0x80};
  EXPECT_EQ(My4Checksum(neg, 4), INT32_MIN);  // a signed result
  EXPECT_EQ(My4Checksum(nullptr, 0), 0);
  const unsigned char words[] = {0xFF, 0xFF, 2, 0};
  EXPECT_EQ(My2Checksum(words, 2), 1);
}

TEST(SameLength, Replacements) {
  std::string a = "a\r\nb\nc\r\r\n";
  ReplaceCarriageReturnsBySpaceA(a.data(), 9);
  EXPECT_EQ(a, "a  b\nc   ");
  std::string edge = "a\r\n";  // the LF lies outside the window
  ReplaceCarriageReturnsBySpaceA(edge.data(), 2);
  EXPECT_EQ(edge, "a \n");
  u16string w = u"\r\n\n";
  ReplaceCarriageReturnsBySpaceW(w.data(), 3);
  EXPECT_EQ(w, u"  \n");
  std::string ctl = "a\x01\tb\x1F";
  ReplaceControlCharsBySpaceA(ctl.data(), 5);
  EXPECT_EQ(ctl, "a  b ");
  std::string blank = "abc";
  BlankOutSomeBytesA(blank.data(), -1);
  EXPECT_EQ(blank, "abc");
  BlankOutSomeBytesA(blank.data(), 2);
  EXPECT_EQ(blank, "  c");
  u16string z = u"abc";
  ZeroSomeBytesW(z.data(), 2);
  EXPECT_EQ(z, u16string(u"\0\0c", 3));
}

ANSILower_or_upperStr_type LetterSet(const std::string& s) {
  ANSILower_or_upperStr_type set;
  set.length = static_cast<Byte>(s.size());
  std::memcpy(set.chars, s.data(), s.size());
  return set;
}

TEST(SameLength, CapitaliseAndCutLowercaseWords) {
  // cp1252: e-acute E9 / C9, a-grave E0 / C0; the uppercase set is shorter,
  // so only the first pair is used.
  const auto lowers = LetterSet("\xE9\xE0"), uppers = LetterSet("\xC9");
  std::string s = "abz\xE9\xE0{1";
  CapitaliseABuffer(s.data(), lowers, uppers, static_cast<Integer>(s.size()));
  EXPECT_EQ(s, "ABZ\xC9\xE0{1");

  struct Case { const char* in; const char* out; };
  const Case cases[] = {
      {"iPhone x", " Phone  "},
      {"the Cat sat", "    Cat    "},
      {"\xE9t\xC9 ab", "  \xC9   "},   // an extra lowercase letter goes, an extra capital sets the state
      {"a1b [x]", " 1  [ ]"},
  };
  const auto el = LetterSet("\xE9"), eu = LetterSet("\xC9");
  for (const auto& c : cases) {
    std::string t = c.in;
    CutLowercaseWords(t.data(), el, eu, static_cast<Integer>(t.size()));
    EXPECT_EQ(t, c.out) << c.in;
  }
}

TEST(SameLength, Swap2StringsRotatesForAnyLengths) {
  EXPECT_EQ([] { u16string s = u"abcXY"; Swap2Strings(s.data(), 3, 2); return s; }(), u"XYabc");
  EXPECT_EQ([] { u16string s = u"abXY"; Swap2Strings(s.data(), 2, 2); return s; }(), u"XYab");
  for (Integer a = 0; a <= 12; ++a) {
    for (Integer b = 0; b <= 12; ++b) {
      u16string s;
      for (Integer i = 0; i < a + b; ++i) s += static_cast<char16_t>(u'A' + i);
      u16string expect = s;
      std::rotate(expect.begin(), expect.begin() + a, expect.end());
      s += u"#";  // must stay untouched
      Swap2Strings(s.data(), a, b);
      EXPECT_EQ(s, expect + u"#") << a << "," << b;
    }
  }
}

TEST(Compacting, BracketedStretches) {
  struct Case { const char* in; char open, close; Integer span; bool remove; const char* out; Integer len; };
  const Case cases[] = {
      {"a<b>c<d", '<', '>', -1, true, "acd", 3},
      {"x\"y\"z", '"', '"', -1, true, "xyz", 3},           // same character: only it goes
      {"a<bc>d", '<', '>', 3, true, "abc>d", 5},            // closing one beyond the span
      {"a<bc>d", '<', '>', 4, false, "a    d", 6},
      {"a<bc>d", '<', '>', 4, true, "ad", 2},
      {"<>", '<', '>', 1, true, ">", 1},                    // span 1 never reaches '>'
  };
  for (const auto& c : cases) {
    std::string s = c.in;
    s.push_back('#');  // room for the NUL
    const Integer n = static_cast<Integer>(std::strlen(c.in));
    const Integer got = c.span < 0 ? ClearBetweenChars(s.data(), c.open, c.close, n)
                                   : CleanBetweenChars(s.data(), c.open, c.close, n, c.span, c.remove);
    EXPECT_EQ(got, c.len) << c.in;
    EXPECT_STREQ(s.c_str(), c.out) << c.in;
  }
}

TEST(Compacting, SpacesLinesAndCharacters) {
  struct Case { const char16_t* in; const char16_t* out; Integer len; };
  const Case spaces[] = {{u"a  b", u"a b", 3}, {u"a   ", u"a ", 2}, {u"  a  b ", u" a b ", 5}, {u"", u"", 0}};
  for (const auto& c : spaces) {
    u16string s = u16string(c.in) + u'#';
    EXPECT_EQ(RemoveRedundantSpaceW(s.data(), static_cast<Integer>(s.size() - 1)), c.len);
    EXPECT_EQ(u16string(s.c_str()), c.out);
  }

  u16string crlf = u"\r\n\r\n\r\nx\r\ny#";
  EXPECT_EQ(CutDoubleCRLFsW(crlf.data(), 10), 6);
  EXPECT_EQ(u16string(crlf.c_str()), u"\r\nx\r\ny");
  u16string single = u"a\r\nb#";
  EXPECT_EQ(CutDoubleCRLFsW(single.data(), 4), 4);
  EXPECT_EQ(single, u"a\r\nb#");  // nothing removed, so no NUL written

  std::string unix_text = "a\r\nb";
  EXPECT_EQ(LengthConvertedToUnix(unix_text.data(), 4), 3);
  EXPECT_EQ(unix_text.substr(0, 3), "a\rb");

  std::string r = "xaxbx#";
  EXPECT_EQ(RemoveCharA(r.data(), 'x', 5), 2);
  EXPECT_STREQ(r.c_str(), "ab");
  std::string untouched = "x";
  EXPECT_EQ(RemoveCharA(untouched.data(), 'x', 0), 0);
  EXPECT_EQ(untouched, "x");
  u16string wr = u"a-b-#";
  EXPECT_EQ(RemoveCharW(wr.data(), u'-', 4), 2);
  EXPECT_EQ(u16string(wr.c_str()), u"ab");
}

TEST(SameLength, SearchAndReplaceFastW) {
  u16string s = u"abab-ab";
  EXPECT_EQ(SearchAndReplaceFastW(s.data(), u"ab", u"XY", 7, 2), 3);
  EXPECT_EQ(s, u"XYXY-XY");
  u16string o = u"aaaa";
  EXPECT_EQ(SearchAndReplaceFastW(o.data(), u"aa", u"bb", 3, 2), 1);  // non-overlapping, inside the window
  EXPECT_EQ(o, u"bbaa");
}

TEST(IntegerArrays, LookupsStayInsideTheArray) {
  const std::vector<Integer> a{5, 7, 5};
  EXPECT_EQ(PositionInArrayOfInteger(a, 5), 2);
  EXPECT_EQ(PositionInIntegerArray(5, a, 3), 0);
  EXPECT_EQ(PositionInIntegerArray(7, a, 1), -1);
  EXPECT_EQ(PositionInIntegerArray(7, a, 0), -1);
  EXPECT_EQ(PositionInArrayOfInteger({}, 5), -1);

  // Counts beyond the array are clamped (ASan would catch an over-read).
  EXPECT_EQ(PositionInIntegerArray(9, a, 1000), -1);
  EXPECT_EQ(ScanForInt(9, a, 1000), 9);
  EXPECT_EQ(ScanForIntBigger(9, a, 1000), 0);
  EXPECT_EQ(ScanForInt(1, {}, 5), 1);

  const std::vector<Integer> asc{1, 4, 9};
  Boolean beyond = false;
  EXPECT_EQ(PositionInAscendingArrayOfInteger(asc, 10, beyond), -1);
  EXPECT_TRUE(beyond);
  EXPECT_EQ(PositionInAscendingArrayOfInteger(asc, 4, beyond), 1);
  EXPECT_FALSE(beyond);
  beyond = true;
  EXPECT_EQ(PositionInAscendingArrayOfInteger({}, 4, beyond), -1);
  EXPECT_TRUE(beyond);  // untouched
  EXPECT_EQ(PositionInAscendingArrayOfInteger(asc, -1, beyond), -1);  // 0xFFFFFFFF unsigned
  EXPECT_TRUE(beyond);

  const std::vector<Integer> b{5, 1};
  EXPECT_EQ(ScanForIntBigger(3, b, 2), 0);
  EXPECT_EQ(ScanForIntBigger(9, b, 2), 0);
  EXPECT_EQ(ScanForIntBigger(0, b, 2), 0);
  EXPECT_EQ(ScanForIntBigger(2, std::vector<Integer>{1, -1}, 2), 1);  // -1 is the largest unsigned
  EXPECT_EQ(ScanForInt(7, std::vector<Integer>{3, 7}, 2), 2);
  EXPECT_EQ(ScanForInt(8, std::vector<Integer>{3, 7}, 2), 8);
}

}  // namespace
}  // namespace cv
