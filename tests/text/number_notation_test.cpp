#include "text/number_notation.h"

#include <gtest/gtest.h>

#include "files/wingenok.h"
#include "platform/classes.h"
#include "platform/sysutils.h"
#include "platform/utf.h"

namespace cv {
namespace {

class NumberNotation : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = UserDefaultFormatSettings;
    UserDefaultFormatSettings = InvariantFormatSettings();
    saved_default_ = DefaultFormatSettings();
    DefaultFormatSettings() = InvariantFormatSettings();
  }
  void TearDown() override {
    UserDefaultFormatSettings = saved_;
    DefaultFormatSettings() = saved_default_;
  }
  TFormatSettings saved_, saved_default_;
};

TEST_F(NumberNotation, CompactSizesAndOrdinals) {
  EXPECT_EQ(EasiestNRepresentationOfLargeNumber(1000), u"1,000");
  EXPECT_EQ(EasiestNRepresentationOfLargeNumber(1500), u"1.5K");
  EXPECT_EQ(EasiestNRepresentationOfLargeNumber(2.5e6f), u"2.5M");
  EXPECT_EQ(EasiestNRepresentationOfLargeNumber(2.5e12f), u"2.5Yikes");

  EXPECT_EQ(ValueToByteStr(1048576), u"1048576bytes");
  EXPECT_EQ(ValueToByteStr(1048577), u"1024Kb");
  EXPECT_EQ(ValueToByteStr(8388609), u"8Mb");
  EXPECT_EQ(ValueToByteStr(8589934593LL), u"8Gb");

  struct Case { Integer n; const char16_t* pattern; };
  const Case cases[] = {{1, u"%dst"}, {2, u"%dnd"}, {3, u"%drd"}, {4, u"%dth"}, {11, u"%dth"}, {12, u"%dth"},
                        {13, u"%dth"}, {21, u"%dst"}, {111, u"%dth"}, {112, u"%dth"}, {113, u"%dth"},
                        {122, u"%dnd"}, {-1, u"%dth"}, {0, u"%dth"}};
  for (const auto& c : cases) EXPECT_EQ(OrdinalFormatOf(c.n), c.pattern) << c.n;

  EXPECT_EQ(FormattedWithDecimals(1234.5f, 2, true, true), u"1,234.50%");
  EXPECT_EQ(FormattedWithDecimals(1234.5f, 1, false, false), u"1234.5");
  EXPECT_EQ(YesorNo(true), u"Yes");
  EXPECT_EQ(WithLeftZeros(4, 7), u"0007");
  EXPECT_EQ(WithLeftZeros(2, 12345), u"12345");
}

TEST_F(NumberNotation, PValues) {
  EXPECT_EQ(PValueStr(0.0500001), u"0.05");
  EXPECT_EQ(PValueStr(0.001), u"0.001");
  EXPECT_EQ(PValueStr(0.00999999), u"0.01");
  EXPECT_EQ(PValueStr(0.25), u"0.25");
}

TEST_F(NumberNotation, NumberTests) {
  EXPECT_TRUE(IsANumber(u""));
  EXPECT_TRUE(IsANumber(u"-12"));
  EXPECT_TRUE(IsANumber(u"1,000.5%"));
  EXPECT_TRUE(IsANumber(u"\u0661\u0662"));  // Arabic-Indic digits
  EXPECT_FALSE(IsANumber(u"12a"));
  EXPECT_EQ(DigitsOnlyOf(u"-12"), u"-12");
  EXPECT_EQ(DigitsOnlyOf(u"a1b2"), u"12");
  EXPECT_EQ(PositionOfNumberInString(u"ab3", 0), 3);
  EXPECT_EQ(PositionOfNumberInString(u"ab", 1), -1);
  EXPECT_EQ(IntegerInsideSquareBrackets(u"x[12]"), 12);
  EXPECT_EQ(IntegerInsideSquareBrackets(u"x"), 0);
  EXPECT_THROW(IntegerInsideSquareBrackets(u"x[a]"), EConvertError);
  EXPECT_EQ(ValueString(u"a=b=c"), u"b=c");
  EXPECT_EQ(ValueString(u"abc"), u"");
  EXPECT_EQ(BracedNumberStrToDigitalformat(u"x41"), u"$41");
  EXPECT_EQ(BracedNumberStrToDigitalformat(u"41h"), u"$41");
  EXPECT_EQ(BracedNumberStrToDigitalformat(u"65"), u"65");
}

TEST_F(NumberNotation, NumberLists) {
  const std::vector<Integer> a{1, 2, 3, 5, 7, 8, 9};
  EXPECT_EQ(HumanAbbreviatedNumberListString(a, 0), u"1-3,5,7-9");
  EXPECT_EQ(HumanAbbreviatedNumberListString(std::vector<Integer>{4, 5}, 0), u"4-5");
  EXPECT_EQ(HumanAbbreviatedNumberListString(std::vector<Integer>{3, 1, 2}, 0), u"3,1-2");
  EXPECT_EQ(HumanAbbreviatedNumberListString(std::vector<Integer>{0, 1}, 1), u"1-2");
  TStringList list;
  for (const char16_t* s : {u"1", u"2", u"x"}) list.Add(s);  // the run is closed at the end
  EXPECT_EQ(HumanAbbreviatedNumberListString(list), u"1-2");
  auto strings = TArrayOfIntegersToStringlist(std::vector<Integer>{1, 2}, 10);
  EXPECT_EQ(strings->Count(), 2);
  EXPECT_EQ((*strings)[1], u"12");

  EXPECT_EQ(HumanAbbreviatedNumberListStringExpanded(u"1-3,5"), u"1,2,3,5");
  EXPECT_EQ(HumanAbbreviatedNumberListStringExpanded(u"7-5"), u"");
  EXPECT_EQ(HumanAbbreviatedNumberListStringExpanded(u"5,7-9"), u"5,7,8,9");
  std::vector<Integer> ints;
  HumanAbbreviatedNumberListStringAsIntegers(u"1-3", 1, ints);
  EXPECT_EQ(ints, (std::vector<Integer>{0, 1, 2}));
  // A huge range stops at the stated cap instead of exhausting memory.
  HumanAbbreviatedNumberListStringAsIntegers(u"1-2000000000", 0, ints);
  EXPECT_EQ(ints.size(), static_cast<std::size_t>(kMaxExpandedNumbers));
  EXPECT_EQ(ints.back(), kMaxExpandedNumbers);
  EXPECT_EQ(ANumberInHumanString(u"1-3,7", 4), u"7");
  EXPECT_EQ(ANumberInHumanString(u"1-3,7", 5), u"");
  EXPECT_EQ(HumanAbbreviatedNumberListStringToMonths(u"01,03-05"), u"Jan,Mar-May");
}

TEST_F(NumberNotation, BooleanRanges) {
  struct Case { const char16_t* text; bool zero_based; std::vector<int> marked; };
  const Case cases[] = {
      {u"2, 5-6", false, {1, 4, 5}}, {u"-3", false, {0, 1, 2}}, {u"99", false, {9}},
      {u"0,9", true, {0, 9}},        {u"6-5", false, {}},       {u"x, 3-y", false, {}},
      {u"-5", true, {0, 1, 2, 3, 4, 5}},  // an open start, not a negative number
  };
  for (const auto& c : cases) {
    Boolean marks[10];
    std::fill(std::begin(marks), std::end(marks), true);
    ConvertStringToRangeOfBoolean(c.text, c.zero_based, marks);
    std::vector<int> got;
    for (int i = 0; i < 10; ++i)
      if (marks[i]) got.push_back(i);
    EXPECT_EQ(got, c.marked) << Utf16ToUtf8(c.text);
  }
  ConvertStringToRangeOfBoolean(u"1,-3,7-9", false, std::span<Boolean>());  // empty: nothing written
}

TEST_F(NumberNotation, EscapeNotations) {
  EXPECT_EQ(ToHexNumStr(u"A\u4E2D"), u"41,4E2D,");
  EXPECT_EQ(FromHexNumStr(ToHexNumStr(u"A\u4E2D\u00FF")), u"A\u4E2D\u00FF");  // units above 255 come back
  EXPECT_EQ(FromHexNumStr(u"41,zz,42"), u"A");
  EXPECT_EQ(PwdToNumStr(u"AB"), u"65,66,");
  EXPECT_EQ(FromNumStr(u"65,x,66,67"), u"AB");
  EXPECT_EQ(CVFormattedWorkStringToReadableString(u"a\tb", 32), u"a{CHR(9)}b");

  struct Case { const char16_t* in; const char16_t* out; };
  const Case cases[] = {
      {u"a{chr(66)}c#68#$45;", u"aBcDE"},
      {u"a#x", u"a#x"},
      {u"{CHR(x41)}{chr(42H)}{CHR($43)}", u"ABC"},
      {u"{CHR()}x{CHR(65)}", u"{CHR()}xA"},       // a malformed escape does not stop the rest
      {u"{CHR(35)}66", u"#66"},                   // decoded once: the new '#' is not read again
      {u"#0{CHR(0)}", u"#0{CHR(0)}"},             // 0 is no character
      {u"#70000#x10000", u"#70000#x10000"},       // nor is anything above 0xFFFF
      {u"#xe9", u"\u00E9"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CVFormattedReadableStringToWorkString(c.in), c.out) << Utf16ToUtf8(c.in);
}

}  // namespace
}  // namespace cv
