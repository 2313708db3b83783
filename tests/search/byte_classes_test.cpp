// The details map of an 8-bit buffer: every byte of a single-byte page gets
// the class of its character, as typing the decoded text would give it; a
// double-byte character gives its class to both of its bytes.
#include <gtest/gtest.h>

#include <string>

#include "text/char_details.h"
#include "text/char_types.h"
#include "text/code_pages.h"

namespace cv {
namespace {

TEST(EightBitDetailsMap, EveryByteOfSingleBytePagesAgreesWithTheDecodedText) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  // Latin, Cyrillic, Greek and Thai locales: one byte per character.
  for (LCID lcid : {0x0409u, 0x0419u, 0x0408u, 0x041Eu}) {
    const Cardinal cp = CodePageOfLCIDOrACP(lcid);
    const string decoded = MultiByteToWide(cp, all);
    ASSERT_EQ(decoded.size(), all.size()) << cp;
    std::u16string_view view(decoded);
    std::vector<Word> map(all.size() + 2, 0);
    ASSERT_TRUE(GetStringTypeExNT2000(false, lcid, CT_CTYPE1, map.data(), 256, all.data()));
    for (int b = 0; b < 256; ++b) EXPECT_EQ(map[static_cast<std::size_t>(b)], CType1Of(view[static_cast<std::size_t>(b)])) << cp << " byte " << b;
    EXPECT_EQ(map[256], 0);  // nothing written past the count
  }
}

TEST(EightBitDetailsMap, DoubleBytePagesKeepTheirPairs) {
  // Shift-JIS: "a", HIRAGANA LETTER A (0x82 0xA0), "1", and a lead byte cut
  // off at the end.
  const std::string text = "a\x82\xA0" "1\x82";
  std::vector<Word> map(text.size() + 2, 0);
  ASSERT_TRUE(GetStringTypeExNT2000(false, 0x0411, CT_CTYPE1, map.data(), static_cast<Integer>(text.size()), text.data()));
  EXPECT_EQ(map[0], CType1Of(u'a'));
  EXPECT_EQ(map[1], CType1Of(u'\u3042'));
  EXPECT_EQ(map[2], map[1]);
  EXPECT_EQ(map[3], CType1Of(u'1'));
  EXPECT_EQ(map[4], CType1Of(u'?'));
}

}  // namespace
}  // namespace cv
