#include "platform/nls.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/utf.h"

namespace cv {
namespace {

TEST(Lcid, LocaleNamesBothWays) {
  const struct {
    LCID lcid;
    const char* name;
  } cases[] = {
      {0x0409, "en_US"}, {0x0809, "en_GB"}, {0x0407, "de_DE"}, {0x040C, "fr_FR"},
      {0x0416, "pt_BR"}, {0x041F, "tr_TR"}, {0x0419, "ru_RU"}, {0x0411, "ja_JP"},
      {0x0804, "zh_CN"}, {0x0404, "zh_Hant_TW"}, {0x0401, "ar_SA"}, {0x042C, "az_Latn_AZ"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LocaleNameFromLCID(c.lcid), c.name) << std::hex << c.lcid;
    EXPECT_EQ(LCIDFromLocaleName(c.name), c.lcid) << c.name;
  }
  EXPECT_EQ(LCIDFromLocaleName("de_DE.UTF-8@euro"), 0x0407u);
  EXPECT_EQ(LCIDFromLocaleName("pt-BR"), 0x0416u);
  EXPECT_EQ(LCIDFromLocaleName("zh_TW.UTF-8"), 0x0404u);
  EXPECT_EQ(LCIDFromLocaleName("C"), LCID_EN_US);
  EXPECT_EQ(LCIDFromLocaleName("POSIX"), LCID_EN_US);
  EXPECT_EQ(LocaleNameFromLCID(0x7777), "");
  EXPECT_FALSE(IsValidLCID(0x7777));
}

TEST(Lcid, UserDefaultFollowsTheEnvironmentUnlessSet) {
  const char* saved_all = std::getenv("LC_ALL");
  const std::string keep = saved_all ? saved_all : "";
  setenv("LC_ALL", "C", 1);
  SetUserDefaultLCID(LOCALE_USER_DEFAULT);  // forget any earlier answer
  EXPECT_EQ(GetUserDefaultLCID(), LCID_EN_US);
  setenv("LC_ALL", "tr_TR.UTF-8", 1);
  SetUserDefaultLCID(0);
  EXPECT_EQ(GetUserDefaultLCID(), 0x041Fu);
  EXPECT_EQ(ResolveLCID(LOCALE_USER_DEFAULT), 0x041Fu);
  SetUserDefaultLCID(0x0407);
  EXPECT_EQ(ResolveLCID(LOCALE_SYSTEM_DEFAULT), 0x0407u);
  if (saved_all) setenv("LC_ALL", keep.c_str(), 1); else unsetenv("LC_ALL");
  SetUserDefaultLCID(0);
}

TEST(CodePages, AnsiAndOemPagesAsWindowsGivesThem) {
  const struct {
    LCID lcid;
    Cardinal ansi;
    Cardinal oem;
  } cases[] = {
      {0x0409, 1252, 437}, {0x0809, 1252, 850}, {0x0407, 1252, 850}, {0x0415, 1250, 852},
      {0x0419, 1251, 866}, {0x0C1A, 1251, 855}, {0x081A, 1250, 852}, {0x0408, 1253, 737},
      {0x041F, 1254, 857}, {0x082C, 1251, 866}, {0x040D, 1255, 862}, {0x0429, 1256, 720},
      {0x0427, 1257, 775}, {0x042A, 1258, 1258}, {0x041E, 874, 874}, {0x0411, 932, 932},
      {0x0804, 936, 936},  {0x0C04, 950, 950}, {0x0412, 949, 949}, {0x0439, 0, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AnsiCodePageOfLCID(c.lcid), c.ansi) << std::hex << c.lcid;
    EXPECT_EQ(OemCodePageOfLCID(c.lcid), c.oem) << std::hex << c.lcid;
    EXPECT_EQ(GetLocaleInfo(c.lcid, LOCALE_IDEFAULTANSICODEPAGE), IntToStr(c.ansi));
  }
  EXPECT_EQ(AnsiCodePageOfLCID(0x7777), 0u);
  EXPECT_EQ(GetACP(), kDefaultAnsiCodePage);
}

TEST(LocaleInfo, NamesUnitsAndSeparators) {
  EXPECT_EQ(GetLocaleInfo(0x0409, LOCALE_SNAME), u"en-US");
  EXPECT_EQ(GetLocaleInfo(0x0409, LOCALE_IMEASURE), u"1");
  EXPECT_EQ(GetLocaleInfo(0x0809, LOCALE_IMEASURE), u"0");
  EXPECT_EQ(GetLocaleInfo(0x0407, LOCALE_SENGLANGUAGE), u"German");
  EXPECT_EQ(GetLocaleInfo(0x0407, LOCALE_SNATIVELANGNAME), u"Deutsch");
  EXPECT_EQ(GetLocaleInfo(0x0407, LOCALE_SISO639LANGNAME), u"de");
  EXPECT_EQ(GetLocaleInfo(0x0407, LOCALE_SISO3166CTRYNAME), u"DE");
  EXPECT_EQ(GetLocaleInfo(0x0407, LOCALE_SDECIMAL), u",");
  EXPECT_EQ(GetLocaleInfo(0x0407, LOCALE_ILANGUAGE), u"0407");
  EXPECT_EQ(GetLocaleInfo(0x7777, LOCALE_SNAME), u"");
  EXPECT_FALSE(LocaleIsMetric(0x0409));
  EXPECT_TRUE(LocaleIsMetric(0x040C));
}

TEST(LocaleInfo, FormatSettingsInDelphiNotation) {
  const TFormatSettings us = FormatSettingsFromLCID(0x0409);
  EXPECT_EQ(us.DecimalSeparator, u'.');
  EXPECT_EQ(us.ThousandSeparator, u',');
  EXPECT_EQ(AsciiLowerCase(us.ShortDateFormat), u"m/d/yyyy");
  EXPECT_EQ(us.LongTimeFormat, u"h:nn:ss AMPM");
  EXPECT_EQ(us.LongMonthNames[0], u"January");
  EXPECT_EQ(us.ShortDayNames[0], u"Sun");

  const TFormatSettings de = FormatSettingsFromLCID(0x0407);
  EXPECT_EQ(de.DecimalSeparator, u',');
  EXPECT_EQ(de.ThousandSeparator, u'.');
  EXPECT_EQ(de.DateSeparator, u'.');
  EXPECT_EQ(de.LongTimeFormat, u"hh:nn:ss");
  EXPECT_EQ(de.LongMonthNames[2], u"M\u00E4rz");
  // The picture and separator together give the German date.
  EXPECT_EQ(FormatDateTime(de.ShortDateFormat, EncodeDate(2024, 3, 9), de), u"9.3.2024");
}

TEST(CaseMapping, TurkishAndAzeriDottedI) {
  EXPECT_EQ(UpperCaseLocale(u"i", 0x041F), u"\u0130");
  EXPECT_EQ(UpperCaseLocale(u"\u0131", 0x041F), u"I");
  EXPECT_EQ(LowerCaseLocale(u"I", 0x041F), u"\u0131");
  EXPECT_EQ(LowerCaseLocale(u"\u0130", 0x042C), u"i");
  EXPECT_EQ(UpperCaseLocale(u"i", 0x041F, /*linguistic=*/false), u"I");
  EXPECT_EQ(UpperCaseLocale(u"i", 0x0409), u"I");
  EXPECT_EQ(UnicodeUpperCase(u"stra\u00DFe \u0101\u1E9E"), u"STRA\u00DFE \u0100\u1E9E");
  EXPECT_EQ(UnicodeLowerCase(u"\u0391\u03A3"), u"\u03B1\u03C3");
  // Outside the BMP: Deseret.
  EXPECT_EQ(UnicodeUpperCase(u"\U00010428"), u"\U00010400");
}

TEST(CaseMapping, NeverChangesTheLength) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> unit(1, 0xFFFF);
  for (LCID lcid : {0x0409u, 0x041Fu, 0x042Cu}) {
    for (int round = 0; round < 200; ++round) {
      string s(64, u'\0');
      for (auto& c : s) c = static_cast<char16_t>(unit(rng));  // lone surrogates included
      const string up = UpperCaseLocale(s, lcid);
      const string low = LowerCaseLocale(s, lcid);
      ASSERT_EQ(up.size(), s.size());
      ASSERT_EQ(low.size(), s.size());
      for (size_t i = 0; i < s.size(); ++i) {
        // Surrogates never move or change alone.
        const bool sur = s[i] >= 0xD800 && s[i] <= 0xDFFF;
        ASSERT_EQ(up[i] >= 0xD800 && up[i] <= 0xDFFF, sur);
      }
    }
  }
  // Every BMP code point maps to one BMP code point.
  for (char32_t c = 0; c < 0x10000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const char16_t one[1] = {static_cast<char16_t>(c)};
    ASSERT_EQ(UnicodeUpperCase(std::u16string_view(one, 1)).size(), 1u);
  }
}

TEST(Collation, CompareStringWFlags) {
  EXPECT_EQ(CompareStringW(0x0409, 0, u"apple", u"Banana"), CSTR_LESS_THAN);
  EXPECT_EQ(CompareStringW(0x0409, 0, u"a", u"A"), CSTR_LESS_THAN);
  EXPECT_EQ(CompareStringW(0x0409, NORM_IGNORECASE, u"ABC", u"abc"), CSTR_EQUAL);
  EXPECT_EQ(CompareStringW(0x0409, NORM_IGNORECASE, u"r\u00E9sum\u00E9", u"resume"), CSTR_GREATER_THAN);
  EXPECT_EQ(CompareStringW(0x0409, NORM_IGNORENONSPACE | NORM_IGNORECASE, u"R\u00E9sum\u00E9", u"resume"),
            CSTR_EQUAL);
  EXPECT_EQ(CompareStringW(0x0409, NORM_IGNORESYMBOLS, u"co-op", u"coop"), CSTR_EQUAL);
  EXPECT_EQ(CompareStringW(0x0409, SORT_DIGITSASNUMBERS, u"file10", u"file9"), CSTR_GREATER_THAN);
  EXPECT_EQ(CompareStringW(0x0409, 0, u"file10", u"file9"), CSTR_LESS_THAN);
  // Swedish sorts z before \u00E4; German does not.
  EXPECT_EQ(CompareStringW(0x041D, 0, u"z", u"\u00E4"), CSTR_LESS_THAN);
  EXPECT_EQ(CompareStringW(0x0407, 0, u"z", u"\u00E4"), CSTR_GREATER_THAN);
  // An unknown locale still compares.
  EXPECT_EQ(CompareStringW(0x7777, 0, u"a", u"b"), CSTR_LESS_THAN);
}

TEST(Utf, ConversionsAndIllFormedInput) {
  EXPECT_EQ(Utf8ToUtf16("h\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), u"h\u00E9\u20AC\U0001F600");
  EXPECT_EQ(Utf16ToUtf8(u"h\u00E9\u20AC\U0001F600"), "h\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf8ToUtf16("a\xC0\xAF" "b"), u"a\uFFFD\uFFFDb");  // overlong
  EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
  EXPECT_EQ(Utf8ToUtf16("\xE2\x82"), u"\uFFFD\uFFFD");             // cut short
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, 0xD800)), "\xEF\xBF\xBD");
  EXPECT_TRUE(IsValidUtf8("plain \xC3\xA9"));
  EXPECT_FALSE(IsValidUtf8("\xFF"));
  EXPECT_EQ(Latin1ToUtf16("\xE9"), u"\u00E9");
}

}  // namespace
}  // namespace cv
