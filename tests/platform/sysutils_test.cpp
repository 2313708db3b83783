// The Delphi run-time routines against Free Pascal's (fixtures/
// sysutils_oracle.tsv, made by fixtures/make_sysutils_oracle.sh), plus the
// cases no oracle covers: arguments that do not fit their Format items, the
// whole calendar, and text edge cases.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "platform/nls.h"
#include "platform/sysutils.h"
#include "platform/utf.h"

namespace cv {
namespace {

std::string U8(const string& s) { return Utf16ToUtf8(s); }
string U16(std::string_view s) { return Utf8ToUtf16(s); }

// Where Free Pascal is not Delphi, Delphi's result is expected instead:
//  - %e and %g use 15 significant digits by default (FPC uses 17);
//  - fixed formats fall back to general notation when the integer part has
//    more digits than the precision (FPC prints them all);
//  - digits come from the 18-digit expansion of the Extended the value is
//    widened to (FPC stops at 17);
//  - FloatToStrF ffGeneral honours Digits as the minimum exponent digits;
//  - an empty negative section of a FormatFloat picture means the positive
//    one (FPC falls back to general format);
//  - FormatDateTime copies an unknown letter as written (FPC upper-cases it),
//    and an "m" after an hour means minutes even with blanks between;
//  - StrToInt fails on numbers outside Integer's range, where FPC wraps, and
//    skips only spaces, not tabs.
const std::map<std::string, std::string>& DelphiDifferences() {
  static const std::map<std::string, std::string> m = {
      {"format\t%e|f:0", "0.00000000000000E+000"},
      {"format\t%e|f:-1234.5678", "-1.23456780000000E+003"},
      {"format.de\t%e|f:12.5", "1,25000000000000E+001"},
      {"format\t%g|f:1e15", "1E15"},
      {"format\t%g|f:1e16", "1E16"},
      {"format\t%g|f:0.00001", "0.00001"},
      {"format\t%g|f:0.000001", "1E-6"},
      {"format\t%g|f:0.1", "0.1"},
      {"format\t%g|f:2.675", "2.675"},
      {"format\t%.2f|f:1e20", "1E20"},
      {"formatfloat\t0.00;;zero|-5", "-5.00"},
      {"formatfloat\t0.00000000000000000000|0.1", "0.10000000000000000600"},
      {"floattostrf\tg,4,2|12345", "1.235E04"},
      {"floattostrf\tf,16,17|0.1", "0.10000000000000000"},
      {"floattostrf\tf,3,2|1234.567", "1.23E3"},
      {"floattostrf\tn,2,2|1234567", "1.2E6"},
      {"floattostrf\tf,15,2|1e16", "1E16"},
      {"datetime\tx [d] !|45000", "x [15] !"},
      {"datetime\th m s|45000.5007", "12 1 0"},
      {"strtoint\t2147483648", "!"},
      {"strtoint\t-2147483649", "!"},
      {"strtoint\t$100000000", "!"},
      {"strtoint\t9223372036854775807", "!"},
      {"strtoint\t-9223372036854775808", "!"},
      {"strtoint\t$FFFFFFFFFFFFFFFF", "!"},
      {"strtoint\t$7FFFFFFFFFFFFFFF", "!"},
      {"strtoint\t\t5", "!"},
      {"strtoint64\t\t5", "!"},
  };
  return m;
}

std::vector<std::string> Split(const std::string& s, char sep) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (;;) {
    const std::size_t p = s.find(sep, start);
    out.push_back(s.substr(start, p == std::string::npos ? std::string::npos : p - start));
    if (p == std::string::npos) return out;
    start = p + 1;
  }
}

// "2.675#4005666666666666" -> the double with those bits.
double Bits(const std::string& token) {
  const std::size_t hash = token.rfind('#');
  EXPECT_NE(hash, std::string::npos) << token;
  const std::uint64_t u = std::strtoull(token.c_str() + hash + 1, nullptr, 16);
  double d;
  std::memcpy(&d, &u, sizeof d);
  return d;
}

// The input with the "#bits" parts removed, for messages and the table above.
std::string Readable(const std::string& input) {
  std::string r;
  for (std::size_t i = 0; i < input.size(); ++i) {
    if (input[i] == '#' && i + 17 <= input.size()) {
      i += 16;
      continue;
    }
    r.push_back(input[i]);
  }
  return r;
}

TFormatSettings UsSettings() { return InvariantFormatSettings(); }

TFormatSettings GermanLikeSettings() {
  TFormatSettings fs = InvariantFormatSettings();
  fs.DecimalSeparator = u',';
  fs.ThousandSeparator = u'.';
  fs.DateSeparator = u'.';
  fs.CurrencyString = u"EUR";
  fs.CurrencyFormat = 3;
  fs.NegCurrFormat = 8;
  fs.ShortDateFormat = u"dd/MM/yyyy";
  fs.LongDateFormat = u"dddd, d. MMMM yyyy";
  fs.ShortTimeFormat = u"hh:nn";
  fs.LongTimeFormat = u"hh:nn:ss";
  fs.TimeAMString = u"";
  fs.TimePMString = u"";
  return fs;
}

std::string FormatCase(const std::string& input, const TFormatSettings& fs) {
  const std::vector<std::string> parts = Split(input, '|');
  std::vector<string> texts;
  texts.reserve(parts.size());
  std::vector<FmtArg> args;
  for (std::size_t i = 1; i < parts.size(); ++i) {
    const std::string& t = parts[i];
    const std::string v = t.substr(2);
    switch (t[0]) {
      case 'i': args.emplace_back(static_cast<int>(std::stol(v))); break;
      case 'l': args.emplace_back(static_cast<long long>(std::stoll(v))); break;
      case 'f': args.emplace_back(Bits(v)); break;
      case 's': texts.push_back(U16(v)); args.emplace_back(texts.back()); break;
      case 'c': args.emplace_back(static_cast<char16_t>(v[0])); break;
      case 'p':
        args.emplace_back(reinterpret_cast<const void*>(static_cast<std::uintptr_t>(std::stoull(v))));
        break;
      default: ADD_FAILURE() << "bad argument " << t;
    }
  }
  const string fmt = U16(parts[0]);
  string out;
  bool ok = false;
  switch (args.size()) {
    case 0: ok = TryFormat(out, fmt, {}, fs); break;
    case 1: ok = TryFormat(out, fmt, {args[0]}, fs); break;
    case 2: ok = TryFormat(out, fmt, {args[0], args[1]}, fs); break;
    case 3: ok = TryFormat(out, fmt, {args[0], args[1], args[2]}, fs); break;
    default: ADD_FAILURE() << "too many arguments"; break;
  }
  EXPECT_TRUE(ok) << input;
  const string plain = args.size() == 1   ? Format(fmt, {args[0]}, fs)
                       : args.size() == 2 ? Format(fmt, {args[0], args[1]}, fs)
                       : args.size() == 3 ? Format(fmt, {args[0], args[1], args[2]}, fs)
                                          : Format(fmt, {}, fs);
  EXPECT_EQ(U8(plain), U8(out)) << input;
  return U8(out);
}

std::string BitsHex(double d) {
  std::uint64_t u;
  std::memcpy(&u, &d, sizeof d);
  char buf[20];
  std::snprintf(buf, sizeof buf, "%016llX", static_cast<unsigned long long>(u));
  return buf;
}

std::string RunCase(const std::string& kind, const std::string& input) {
  const TFormatSettings us = UsSettings(), de = GermanLikeSettings();
  const bool german = kind.size() > 3 && kind.compare(kind.size() - 3, 3, ".de") == 0;
  const TFormatSettings& fs = german ? de : us;
  const std::string base = german ? kind.substr(0, kind.size() - 3) : kind;
  const std::size_t bar = input.rfind('|');
  const std::string head = bar == std::string::npos ? "" : input.substr(0, bar);
  const std::string tail = bar == std::string::npos ? input : input.substr(bar + 1);

  if (base == "format") return FormatCase(input, fs);
  if (base == "formatfloat") return U8(FormatFloat(U16(head), Bits(tail), fs));
  if (base == "floattostr") return U8(FloatToStr(Bits(input), fs));
  if (base == "floattostrf") {
    const std::vector<std::string> fmt_spec = Split(head, ',');
    const TFloatFormat f = fmt_spec[0] == "g"   ? TFloatFormat::ffGeneral
                           : fmt_spec[0] == "e" ? TFloatFormat::ffExponent
                           : fmt_spec[0] == "f" ? TFloatFormat::ffFixed
                           : fmt_spec[0] == "n" ? TFloatFormat::ffNumber
                                            : TFloatFormat::ffCurrency;
    return U8(FloatToStrF(Bits(tail), f, std::stoi(fmt_spec[1]), std::stoi(fmt_spec[2]), fs));
  }
  if (base == "round") {
    try {
      return std::to_string(Round(Bits(input)));
    } catch (const EInvalidOp&) {
      return "!";
    }
  }
  if (base == "datetime") return U8(FormatDateTime(U16(head), Bits(tail), fs));
  if (base == "curr") {
    const std::vector<std::string> fmt_spec = Split(head, ',');
    TFormatSettings c = fs;
    c.CurrencyFormat = static_cast<Byte>(std::stoi(fmt_spec[0]));
    c.NegCurrFormat = static_cast<Byte>(std::stoi(fmt_spec[1]));
    return U8(Format(u"%m", {Bits(tail)}, c));
  }
  if (base == "strtoint") {
    Integer v = 0;
    return TryStrToInt(U16(input), v) ? std::to_string(v) : "!";
  }
  if (base == "strtoint64") {
    Int64 v = 0;
    return TryStrToInt64(U16(input), v) ? std::to_string(v) : "!";
  }
  if (base == "strtofloat") {
    double v = 0;
    return TryStrToFloat(U16(input), v, fs) ? BitsHex(v) : "!";
  }
  ADD_FAILURE() << "unknown kind " << kind;
  return {};
}

TEST(SysUtilsOracle, MatchesFreePascalOrDelphi) {
  // The fixture sits beside this file.
  std::string dir = __FILE__;
  dir.resize(dir.rfind('/') + 1);
  if (const char* root = std::getenv("CV_SOURCE_DIR")) dir = std::string(root) + "/tests/platform/";
  std::ifstream in(dir + "fixtures/sysutils_oracle.tsv");
  ASSERT_TRUE(in.good()) << dir;
  std::string line;
  int cases = 0;
  std::map<std::string, int> used;
  while (std::getline(in, line)) {
    const std::size_t t1 = line.find('\t');
    const std::size_t t2 = line.rfind('\t');
    ASSERT_TRUE(t1 != std::string::npos && t2 > t1) << line;
    const std::string kind = line.substr(0, t1);
    const std::string input = line.substr(t1 + 1, t2 - t1 - 1);
    std::string expected = line.substr(t2 + 1);
    const std::string key = kind + "\t" + Readable(input);
    const auto diff = DelphiDifferences().find(key);
    if (diff != DelphiDifferences().end()) {
      expected = diff->second;
      ++used[key];
    }
    EXPECT_EQ(RunCase(kind, input), expected) << kind << " [" << Readable(input) << "]";
    ++cases;
  }
  EXPECT_GT(cases, 300);
  for (const auto& [key, value] : DelphiDifferences())
    EXPECT_EQ(used[key], 1) << "difference not in the fixture: " << key;
}

// ---------------------------------------------------------------------------
// Format with arguments that do not fit

TEST(SysUtilsFormat, MismatchesNeverThrowAndReportFalse) {
  const TFormatSettings fs = InvariantFormatSettings();
  int x = 0;
  struct Case {
    const char16_t* fmt;
    std::initializer_list<FmtArg> args;
    const char* expected;
  };
  const Case cases[] = {
      {u"%d", {u"abc"}, "abc"},
      {u"[%5d]", {u"ab"}, "[   ab]"},
      {u"%s", {42}, "42"},
      {u"%f", {7}, "7"},
      {u"%d", {2.5}, "2.5"},
      {u"%x", {1.5}, "1.5"},
      {u"%p", {12}, "12"},
      {u"%d", {u'c'}, "c"},
      {u"%d %d", {1}, "1 %d"},
      {u"%d", {}, "%d"},
      {u"%5:d", {1}, "%5:d"},
      {u"%2:s%s", {u"a", u"b", u"c"}, "c%s"},
      {u"%k", {1}, "%k"},
      {u"abc%", {1}, "abc%"},
      {u"%-", {1}, "%-"},
      {u"%.", {}, "%."},
      {u"%*d", {u"w", 5}, "5"},
      {u"%*d", {}, "%*d"},
      {u"%s", {static_cast<const void*>(&x)}, nullptr},
  };
  for (const Case& c : cases) {
    string out;
    EXPECT_FALSE(TryFormat(out, c.fmt, c.args, fs)) << U8(c.fmt);
    const string plain = Format(c.fmt, c.args, fs);
    if (c.expected) {
      EXPECT_EQ(U8(plain), c.expected) << U8(c.fmt);
    }
  }
}

TEST(SysUtilsFormat, HugeWidthsAndPrecisionsAreCapped) {
  const TFormatSettings fs = InvariantFormatSettings();
  string out;
  for (const char16_t* fmt : {u"%999999999d", u"%.999999999d", u"%99999999999999999999999s",
                              u"%.999999999f", u"%.99999e", u"%-999999999x"}) {
    const bool ok = TryFormat(out, fmt, {fmt[2] == u'9' && fmt[1] == u'.' ? FmtArg(1.5) : FmtArg(7)}, fs);
    (void)ok;
    EXPECT_LE(out.size(), 8192u) << U8(fmt);
  }
  EXPECT_FALSE(TryFormat(out, u"%999999999d", {1}, fs));
  EXPECT_FALSE(TryFormat(out, u"%*d", {1 << 30, 1}, fs));
  EXPECT_LE(Format(u"%*d", {1 << 30, 1}, fs).size(), 8192u);
  EXPECT_EQ(U8(Format(u"%*d", {-5, 1}, fs)), "1");
}

TEST(SysUtilsFormat, IntegerWidthsAndKinds) {
  const TFormatSettings fs = InvariantFormatSettings();
  const long long big = -1;
  EXPECT_EQ(U8(Format(u"%x %x %u", {-1, big, -1}, fs)), "FFFFFFFF FFFFFFFFFFFFFFFF 4294967295");
  EXPECT_EQ(U8(Format(u"%d", {18446744073709551615ull}, fs)), "18446744073709551615");
  EXPECT_EQ(U8(Format(u"%d", {std::numeric_limits<long long>::min()}, fs)), "-9223372036854775808");
  EXPECT_EQ(U8(Format(u"%s|%.1s", {u"", u"xyz"}, fs)), "|x");
  EXPECT_EQ(U8(Format(u"%f %e", {std::nan(""), -std::numeric_limits<double>::infinity()}, fs)),
            "NAN -INF");
  EXPECT_EQ(U8(Format(u"%p", {static_cast<const void*>(nullptr)}, fs)), "0000000000000000");
}

// ---------------------------------------------------------------------------
// Rounding beyond the fixture

TEST(SysUtilsRound, HalvesToEvenAndRangeErrors) {
  for (Int64 k = -2000; k <= 2000; ++k) {
    const double half = static_cast<double>(k) + 0.5;
    const Int64 even = (k % 2 == 0) ? k : k + 1;
    EXPECT_EQ(Round(half), even) << half;
  }
  EXPECT_EQ(Round(-9223372036854775808.0), std::numeric_limits<Int64>::min());
  EXPECT_EQ(Trunc(-2.9), -2);
  EXPECT_EQ(Trunc(2.9), 2);
  for (double bad : {std::nan(""), std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity(), 9223372036854775808.0, -1e19}) {
    EXPECT_THROW(Round(bad), EInvalidOp) << bad;
    EXPECT_THROW(Trunc(bad), EInvalidOp) << bad;
  }
}

// ---------------------------------------------------------------------------
// Conversions that throw

TEST(SysUtilsConvert, ThrowingAndDefaultForms) {
  EXPECT_THROW(StrToInt(u"12x"), EConvertError);
  EXPECT_THROW(StrToInt64(u""), EConvertError);
  EXPECT_THROW(StrToFloat(u"1.5.2", InvariantFormatSettings()), EConvertError);
  EXPECT_EQ(StrToIntDef(u"oops", -7), -7);
  EXPECT_EQ(StrToInt64Def(u"$10", -7), 16);
  EXPECT_EQ(StrToFloatDef(u"x", 2.5, InvariantFormatSettings()), 2.5);
  double v = 1;
  EXPECT_TRUE(TryStrToFloat(u"1e-400", v, InvariantFormatSettings()));
  EXPECT_EQ(v, 0.0);
  EXPECT_FALSE(TryStrToFloat(u"1e99999999999", v, InvariantFormatSettings()));
  EXPECT_TRUE(TryStrToFloat(u"1e-99999999999", v, InvariantFormatSettings()));
  EXPECT_EQ(U8(IntToHex(-1, 4)), "FFFFFFFFFFFFFFFF");
  EXPECT_EQ(U8(IntToHex(255, 4)), "00FF");
  EXPECT_EQ(U8(IntToStr(std::numeric_limits<Int64>::min())), "-9223372036854775808");
  EXPECT_EQ(U8(UIntToStr(18446744073709551615ull)), "18446744073709551615");
}

// ---------------------------------------------------------------------------
// Dates

TEST(SysUtilsDate, EveryDayOfTheCalendarRoundTrips) {
  TDateTime expected = -693593;  // 0001-01-01
  int day_of_week = 2;           // a Monday
  for (int y = 1; y <= 9999; ++y) {
    for (int m = 1; m <= 12; ++m) {
      for (int d = 1; d <= 31; ++d) {
        TDateTime t = 0;
        if (!TryEncodeDate(static_cast<Word>(y), static_cast<Word>(m), static_cast<Word>(d), t)) {
          ASSERT_GE(d, 28) << y << "-" << m << "-" << d;
          continue;
        }
        ASSERT_EQ(t, expected) << y << "-" << m << "-" << d;
        Word yy, mm, dd;
        DecodeDate(t, yy, mm, dd);
        ASSERT_TRUE(yy == y && mm == m && dd == d) << y << "-" << m << "-" << d;
        // The afternoon of the same day, also on the negative side.
        DecodeDate(t < 0 ? t - 0.75 : t + 0.75, yy, mm, dd);
        ASSERT_TRUE(yy == y && mm == m && dd == d) << y << "-" << m << "-" << d << " pm";
        ASSERT_EQ(DayOfWeek(t), day_of_week) << y << "-" << m << "-" << d;
        expected += 1;
        day_of_week = day_of_week % 7 + 1;
      }
    }
  }
  EXPECT_EQ(expected, 2958466);  // the day after 9999-12-31
}

TEST(SysUtilsDate, InvalidDatesAndTimes) {
  TDateTime t = 0;
  struct D { Word y, m, d; };
  for (const D& d : {D{0, 1, 1}, D{10000, 1, 1}, D{2023, 0, 1}, D{2023, 13, 1}, D{2023, 2, 29},
                     D{1900, 2, 29}, D{2023, 4, 31}, D{2023, 1, 0}}) {
    EXPECT_FALSE(TryEncodeDate(d.y, d.m, d.d, t));
    EXPECT_THROW(EncodeDate(d.y, d.m, d.d), EConvertError);
  }
  EXPECT_TRUE(TryEncodeDate(2000, 2, 29, t));
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(0, 0, 60, 0), EConvertError);
  EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
  Word h, n, s, ms;
  DecodeTime(EncodeTime(23, 59, 59, 999), h, n, s, ms);
  EXPECT_TRUE(h == 23 && n == 59 && s == 59 && ms == 999);
  // Values outside the calendar decode to zeros and format without crashing.
  Word y, m, d;
  for (double bad : {std::nan(""), 1e300, -1e300, 3e6, -7e5}) {
    DecodeDate(bad, y, m, d);
    EXPECT_TRUE(y == 0 && m == 0 && d == 0) << bad;
    DecodeTime(bad, h, n, s, ms);
    (void)FormatDateTime(u"c dddddd mmmm ddd", bad, InvariantFormatSettings());
    (void)DateTimeToUnix(bad);
  }
}

TEST(SysUtilsDate, UnixTimeBothSidesOf1899) {
  struct Case { Int64 secs; const char* text; };
  const Case cases[] = {
      {0, "1970-01-01 00:00:00"},
      {1678903200, "2023-03-15 18:00:00"},
      {-2209161600, "1899-12-30 00:00:00"},
      {-2209161600 - 86400 + 6 * 3600, "1899-12-29 06:00:00"},
      {-62135596800, "0001-01-01 00:00:00"},
      {253402300799, "9999-12-31 23:59:59"},
  };
  for (const Case& c : cases) {
    const TDateTime t = UnixToDateTime(c.secs);
    EXPECT_EQ(U8(FormatDateTime(u"yyyy-mm-dd hh:nn:ss", t, InvariantFormatSettings())), c.text) << c.secs;
    EXPECT_EQ(DateTimeToUnix(t), c.secs) << c.text;
  }
  EXPECT_EQ(UnixToDateTime(-2209161600 - 86400 + 6 * 3600), -1.25);
}

TEST(SysUtilsDate, NowIsLocalTimeWithMilliseconds) {
  const TDateTime before = Now();
  const TDateTime d = Date(), t = Time();
  EXPECT_GT(before, 44000);  // after 2020
  EXPECT_EQ(d, std::trunc(d));
  EXPECT_GE(t, 0);
  EXPECT_LT(t, 1);
  EXPECT_LE(std::fabs(d + t - before), 2.0 / 86400 + 1);  // same day, give or take midnight
}

TEST(SysUtilsDate, NestedPicturesStopAtOneLevel) {
  TFormatSettings fs = InvariantFormatSettings();
  fs.ShortDateFormat = u"ddddd c";  // would recurse for ever
  fs.LongTimeFormat = u"tt";
  EXPECT_EQ(U8(FormatDateTime(u"c", 45000.5, fs)), "   ");
  EXPECT_EQ(U8(FormatDateTime(u"", 45000, InvariantFormatSettings())), "3/15/2023");
  EXPECT_EQ(U8(DateTimeToStr(45000.5, InvariantFormatSettings())), "3/15/2023 12:00:00 PM");
  EXPECT_EQ(U8(DateToStr(45000.5, InvariantFormatSettings())), "3/15/2023");
  EXPECT_EQ(U8(TimeToStr(45000.5, InvariantFormatSettings())), "12:00:00 PM");
  EXPECT_EQ(U8(FormatDateTime(u"'unterminated", 0, InvariantFormatSettings())), "unterminated");
}

// ---------------------------------------------------------------------------
// Settings

TEST(SysUtilsSettings, DefaultComesFromTheUserLocaleAndIsShared) {
  TFormatSettings& a = DefaultFormatSettings();
  const TFormatSettings expected = FormatSettingsFromLCID(GetUserDefaultLCID());
  EXPECT_EQ(a.DecimalSeparator, expected.DecimalSeparator);
  EXPECT_EQ(U8(a.ShortDateFormat), U8(expected.ShortDateFormat));
  const char16_t saved = a.DecimalSeparator;
  a.DecimalSeparator = u'#';
  EXPECT_EQ(U8(FloatToStr(1.5)), "1#5");
  EXPECT_EQ(DefaultFormatSettings().DecimalSeparator, u'#');
  a.DecimalSeparator = saved;
}

// ---------------------------------------------------------------------------
// Strings

TEST(SysUtilsStrings, TrimCaseAndCompare) {
  EXPECT_EQ(U8(Trim(u"\t a b \r\n")), "a b");
  EXPECT_EQ(U8(TrimLeft(u"  x ")), "x ");
  EXPECT_EQ(U8(TrimRight(u"  x \x01")), "  x");
  EXPECT_EQ(U8(Trim(u"   ")), "");
  EXPECT_EQ(U8(AsciiUpperCase(u"abz\u00e9")), U8(u"ABZ\u00e9"));
  EXPECT_EQ(U8(AsciiLowerCase(u"ABZ\u00c9")), U8(u"abz\u00c9"));
  EXPECT_LT(CompareStr(u"a", u"b"), 0);
  EXPECT_LT(CompareStr(u"B", u"a"), 0);
  EXPECT_LT(CompareStr(u"ab", u"abc"), 0);
  EXPECT_GT(CompareStr(u"\uffff", u"a"), 0);
  EXPECT_EQ(CompareText(u"HeLLo", u"hello"), 0);
  EXPECT_GT(CompareText(u"b", u"A"), 0);
  EXPECT_TRUE(SameText(u"ABC", u"abc"));
  EXPECT_FALSE(SameText(u"ABC", u"abcd"));
  EXPECT_FALSE(SameText(u"\u00e9", u"\u00c9"));
}

TEST(SysUtilsStrings, PosAndCopyStayInRange) {
  struct P { const char16_t* sub; const char16_t* s; int offset; int expected; };
  for (const P& p : {P{u"b", u"abcb", 1, 2}, P{u"b", u"abcb", 3, 4}, P{u"b", u"abcb", 5, 0},
                     P{u"b", u"abcb", 0, 0}, P{u"b", u"abcb", -3, 0}, P{u"", u"abc", 1, 0},
                     P{u"abcd", u"abc", 1, 0}, P{u"c", u"abc", 3, 3}}) {
    EXPECT_EQ(Pos(p.sub, p.s, p.offset), p.expected) << U8(p.sub) << " in " << U8(p.s) << " @" << p.offset;
  }
  struct C { Int64 index, count; const char* expected; };
  for (const C& c : {C{1, 2, "ab"}, C{0, 2, "ab"}, C{-5, 100, "abcde"}, C{4, 100, "de"}, C{6, 1, ""},
                     C{3, -1, ""}, C{2, std::numeric_limits<Int64>::max(), "bcde"},
                     C{std::numeric_limits<Int64>::max(), 1, ""}}) {
    EXPECT_EQ(U8(Copy(u"abcde", c.index, c.count)), c.expected) << c.index << "," << c.count;
  }
  EXPECT_EQ(U8(StringOfChar(u'x', 3)), "xxx");
  EXPECT_EQ(U8(StringOfChar(u'x', -3)), "");
}

TEST(SysUtilsStrings, ReplaceAndQuotes) {
  EXPECT_EQ(U8(StringReplace(u"aXbxc", u"x", u"-", rfNone)), "aXb-c");
  EXPECT_EQ(U8(StringReplace(u"aXbxc", u"x", u"-", rfReplaceAll | rfIgnoreCase)), "a-b-c");
  EXPECT_EQ(U8(StringReplace(u"aaa", u"aa", u"a", rfReplaceAll)), "aa");
  EXPECT_EQ(U8(StringReplace(u"abc", u"", u"-", rfReplaceAll)), "abc");
  EXPECT_EQ(U8(StringReplace(u"\u00e9t\u00c9", u"\u00e9", u"e", rfReplaceAll | rfIgnoreCase)), "ete");
  EXPECT_EQ(U8(QuotedStr(u"it's")), "'it''s'");
  EXPECT_EQ(U8(AnsiQuotedStr(u"a\"b", u'"')), "\"a\"\"b\"");
  struct Q { const char16_t* in; const char* out; };
  for (const Q& q : {Q{u"'it''s'", "it's"}, Q{u"abc", "abc"}, Q{u"'abc", "'abc"}, Q{u"'ab'c", "ab"},
                     Q{u"''", ""}, Q{u"'", ""}, Q{u"", ""}, Q{u"'a''", "a'"}}) {
    EXPECT_EQ(U8(AnsiDequotedStr(q.in, u'\'')), q.out) << U8(q.in);
  }
}

}  // namespace
}  // namespace cv
