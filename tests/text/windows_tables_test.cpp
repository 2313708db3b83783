// The character typing and the code-page tables against the Win32 API's own
// answers, dumped under Wine (fixtures/make_ctype_fixture.sh).
#include <gtest/gtest.h>
#include <unicode/uchar.h>
#include <zlib.h>

#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "text/char_types.h"
#include "text/code_pages.h"

namespace cv {
namespace {

struct WindowsTables {
  std::vector<Word> c1, c2, c3;
  std::map<Cardinal, std::vector<char16_t>> single;                  // 256 per page
  std::map<Cardinal, std::map<unsigned, std::vector<char16_t>>> dbl;  // lead -> 256 trails
};

std::vector<char16_t> Units(const std::string& hex) {
  std::vector<char16_t> v;
  for (std::size_t i = 0; i + 4 <= hex.size(); i += 4)
    v.push_back(static_cast<char16_t>(std::stoul(hex.substr(i, 4), nullptr, 16)));
  return v;
}

const WindowsTables& Load() {
  static WindowsTables t = [] {
    WindowsTables w;
    w.c1.resize(65536);
    w.c2.resize(65536);
    w.c3.resize(65536);
    const std::string path = std::string(std::getenv("CV_SOURCE_DIR") ? std::getenv("CV_SOURCE_DIR") : ".") +
                             "/tests/text/fixtures/windows_tables.txt.gz";
    gzFile f = gzopen(path.c_str(), "rb");
    EXPECT_NE(f, nullptr) << path;
    if (f == nullptr) return w;
    std::vector<char> buf(1 << 20);
    while (gzgets(f, buf.data(), static_cast<int>(buf.size())) != nullptr) {
      std::istringstream line(buf.data());
      std::string tag, a, b, c;
      line >> tag >> a >> b;
      if (tag == "C1" || tag == "C2" || tag == "C3") {
        auto& dest = tag == "C1" ? w.c1 : tag == "C2" ? w.c2 : w.c3;
        const auto u = Units(b);
        const unsigned hi = std::stoul(a, nullptr, 16);
        for (unsigned lo = 0; lo < 256 && lo < u.size(); ++lo) dest[hi * 256 + lo] = u[lo];
      } else if (tag == "SB") {
        w.single[std::stoul(a)] = Units(b);
      } else if (tag == "DB") {
        line >> c;
        w.dbl[std::stoul(a)][std::stoul(b, nullptr, 16)] = Units(c);
      }
    }
    gzclose(f);
    return w;
  }();
  return t;
}

bool IsSymbolCategory(char16_t c) { return (U_GET_GC_MASK(c) & U_GC_S_MASK) != 0; }

// The one accepted difference between our CT_CTYPE1 and Wine's: symbols (Sm,
// Sc, Sk, So) outside Latin-1.  Windows classes every symbol as C1_PUNCT, so
// that no symbol joins a word; Wine's generated table does so only for the
// Latin-1 symbols and leaves the rest C1_DEFINED alone.  We follow Windows.
// Everything else, including the Latin-1 oddities (superscript digits are
// digits, the ordinal indicators are lowercase punctuation), must agree.
bool AcceptedCtype1Difference(char16_t c, Word ours, Word wine) {
  return IsSymbolCategory(c) && wine == C1_DEFINED && ours == (C1_PUNCT | C1_DEFINED);
}

TEST(CharTypes, Ctype1AgreesWithWindowsExceptAcceptedDifferences) {
  const auto& w = Load();
  const Word* ours = CType1Table();
  std::ostringstream diffs;
  int n = 0;
  for (unsigned c = 0; c < 65536; ++c) {
    if (ours[c] == w.c1[c] || AcceptedCtype1Difference(static_cast<char16_t>(c), ours[c], w.c1[c])) continue;
    if (n++ < 40) diffs << std::hex << " U+" << c << " ours " << ours[c] << " wine " << w.c1[c] << " cat "
                        << std::dec << int(u_charType(c)) << "\n";
  }
  EXPECT_EQ(n, 0) << diffs.str();
}

TEST(CharTypes, Ctype2AgreesWithWindows) {
  const auto& w = Load();
  const Word* ours = CType2Table();
  std::ostringstream diffs;
  int n = 0;
  for (unsigned c = 0; c < 65536; ++c) {
    if (ours[c] == w.c2[c]) continue;
    if (n++ < 40) diffs << std::hex << " U+" << c << " ours " << ours[c] << " wine " << w.c2[c] << "\n";
  }
  EXPECT_EQ(n, 0) << diffs.str();
}

// CT_CTYPE3 is a legacy classification: only the bits the runtime relies on
// (letter, ideograph, kashida, surrogate halves) must agree.  The diacritic,
// vowel-mark, symbol, kana and width bits are approximations from Unicode
// properties and differ at some hundreds of code points.
TEST(CharTypes, Ctype3AgreesOnTheBitsUsed) {
  const auto& w = Load();
  const Word* ours = CType3Table();
  const Word bits = C3_ALPHA | C3_IDEOGRAPH | C3_KASHIDA | C3_HIGHSURROGATE | C3_LOWSURROGATE;
  int n = 0;
  std::ostringstream diffs;
  for (unsigned c = 0; c < 65536; ++c) {
    if ((ours[c] & bits) == (w.c3[c] & bits)) continue;
    if (n++ < 20) diffs << std::hex << " U+" << c << " ours " << ours[c] << " wine " << w.c3[c] << "\n";
  }
  EXPECT_EQ(n, 0) << diffs.str();
}

TEST(CodePages, SingleBytesDecodeAsWindowsDecodesThem) {
  const auto& w = Load();
  ASSERT_FALSE(w.single.empty());
  for (const auto& [cp, units] : w.single) {
    ASSERT_TRUE(IsSupportedCodePage(cp)) << cp;
    for (unsigned b = 0; b < 256; ++b) {
      if (units[b] == 0xFFFF) continue;  // a lead byte of a double-byte page
      const std::string byte(1, static_cast<char>(b));
      EXPECT_EQ(MultiByteToWide(cp, byte), std::u16string(1, units[b]))
          << "cp " << cp << " byte " << std::hex << b;
    }
  }
}

TEST(CodePages, PairsDecodeAsWindowsDecodesThem) {
  const auto& w = Load();
  for (const auto& [cp, leads] : w.dbl) {
    for (const auto& [lead, units] : leads) {
      for (unsigned trail = 0x40; trail < 256; ++trail) {
        if (units[trail] == 0xFFFF) continue;
        const std::string two{static_cast<char>(lead), static_cast<char>(trail)};
        EXPECT_EQ(MultiByteToWide(cp, two), std::u16string(1, units[trail]))
            << "cp " << cp << " " << std::hex << lead << " " << trail;
      }
    }
  }
}

// Every byte (or pair) that decodes to a character other than the page's
// undefined marker encodes back to the same bytes.
TEST(CodePages, EveryMappableByteRoundTrips) {
  const auto& w = Load();
  for (const auto& [cp, units] : w.single) {
    for (unsigned b = 0; b < 256; ++b) {
      if (units[b] == 0xFFFF) continue;
      const std::string byte(1, static_cast<char>(b));
      EXPECT_EQ(WideToMultiByte(cp, MultiByteToWide(cp, byte)), byte) << "cp " << cp << " byte " << std::hex << b;
    }
  }
  for (const auto& [cp, leads] : w.dbl) {
    std::map<char16_t, int> seen;  // pairs that share a unit encode to one of them
    for (const auto& [lead, units] : leads)
      for (unsigned trail = 0x40; trail < 256; ++trail) ++seen[units[trail]];
    for (const auto& [lead, units] : leads) {
      for (unsigned trail = 0x40; trail < 256; ++trail) {
        const char16_t u = units[trail];
        if (u == 0xFFFF || u == u'?' || u == 0x30FB || seen[u] > 1) continue;
        const std::string two{static_cast<char>(lead), static_cast<char>(trail)};
        EXPECT_EQ(WideToMultiByte(cp, std::u16string(1, u)), two) << "cp " << cp << " " << std::hex << lead << " " << trail;
      }
    }
  }
}

}  // namespace
}  // namespace cv
