// The Delphi run-time behaviours the runtime relies on: rounding, integer and
// float conversion, Format/FormatFloat, dates and times, and small string
// routines.  They live here once and every subsystem uses them.
//
// Failure model: the Str-to-number conversions and EncodeDate/EncodeTime throw
// EConvertError as their Delphi counterparts do, and each has a Try/Def form
// that never throws.  Format never throws and never crashes: an argument that
// does not fit its format item is written as its natural text (TryFormat
// reports the mismatch instead).  Round and Trunc throw EInvalidOp for NaN,
// infinities and values outside the 64-bit range.
#pragma once

#include <array>
#include <initializer_list>
#include <stdexcept>

#include "platform/types.h"

namespace cv {

// ---------------------------------------------------------------------------
// Exceptions

class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class EInvalidOp : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class EZeroDivide : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class EOverflow : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An operating-system failure; code is the errno value.
class EOSError : public std::runtime_error {
 public:
  EOSError(int code, const std::string& what) : std::runtime_error(what), code_(code) {}
  int code() const { return code_; }

 private:
  int code_;
};

// ---------------------------------------------------------------------------
// Format settings

struct TFormatSettings {
  WideChar DecimalSeparator = u'.';
  WideChar ThousandSeparator = u',';
  WideChar DateSeparator = u'/';
  WideChar TimeSeparator = u':';
  WideChar ListSeparator = u',';
  string CurrencyString = u"$";
  Byte CurrencyFormat = 0;    // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
  Byte NegCurrFormat = 0;     // Windows LOCALE_INEGCURR, 0..15
  Byte CurrencyDecimals = 2;
  string ShortDateFormat = u"M/d/yyyy";
  string LongDateFormat = u"dddd, MMMM d, yyyy";
  string ShortTimeFormat = u"h:mm AMPM";
  string LongTimeFormat = u"h:mm:ss AMPM";
  string TimeAMString = u"AM";
  string TimePMString = u"PM";
  std::array<string, 12> ShortMonthNames{u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                         u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
  std::array<string, 12> LongMonthNames{u"January", u"February", u"March",     u"April",
                                        u"May",     u"June",     u"July",      u"August",
                                        u"September", u"October", u"November", u"December"};
  // Sunday first, as Delphi's DayOfWeek counts.
  std::array<string, 7> ShortDayNames{u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
  std::array<string, 7> LongDayNames{u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                     u"Thursday", u"Friday", u"Saturday"};
  Word TwoDigitYearCenturyWindow = 50;
};

// Delphi's TFormatSettings.Invariant: the values above.
TFormatSettings InvariantFormatSettings();

// The process-wide settings used by every routine below that is called
// without explicit settings.  Initialised from the user's locale at first use
// (see platform/nls.h); a program may assign to it.
TFormatSettings& DefaultFormatSettings();

// ---------------------------------------------------------------------------
// Rounding

// Round half to even, as Delphi's Round does under the default FPU mode.
Int64 Round(double x);
// Towards zero.
Int64 Trunc(double x);

// ---------------------------------------------------------------------------
// Integer and float conversion

string IntToStr(Int64 value);
string UIntToStr(UInt64 value);
// Upper-case hex, at least `digits` digits; negative values are shown as
// their 64-bit two's complement.
string IntToHex(Int64 value, int digits);

// Delphi's Val rules: optional leading blanks, a sign, decimal digits or a
// hex number introduced by '$', "0x" or "0X".  Anything else fails.
bool TryStrToInt(std::u16string_view s, Integer& value);
bool TryStrToInt64(std::u16string_view s, Int64& value);
Integer StrToInt(std::u16string_view s);              // EConvertError
Int64 StrToInt64(std::u16string_view s);              // EConvertError
Integer StrToIntDef(std::u16string_view s, Integer def);
Int64 StrToInt64Def(std::u16string_view s, Int64 def);

bool TryStrToFloat(std::u16string_view s, double& value, const TFormatSettings& fs);
bool TryStrToFloat(std::u16string_view s, double& value);
double StrToFloat(std::u16string_view s, const TFormatSettings& fs);   // EConvertError
double StrToFloat(std::u16string_view s);
double StrToFloatDef(std::u16string_view s, double def, const TFormatSettings& fs);
double StrToFloatDef(std::u16string_view s, double def);

enum class TFloatFormat : Byte { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// Delphi's FloatToStr: general format, 15 significant digits.
string FloatToStr(double value, const TFormatSettings& fs);
string FloatToStr(double value);
string FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                   const TFormatSettings& fs);
string FloatToStrF(double value, TFloatFormat format, int precision, int digits);

// Delphi's FormatFloat picture language: up to three sections separated by
// ';' (positive; negative; zero), '0' and '#' digit places, '.' the decimal
// point, ',' thousands grouping, "E+"/"E-"/"e+"/"e-" exponent, quoted
// literals.  An empty picture gives FloatToStr.
string FormatFloat(std::u16string_view picture, double value, const TFormatSettings& fs);
string FormatFloat(std::u16string_view picture, double value);

// ---------------------------------------------------------------------------
// Format

// One argument of Format: the C++ stand-in for Delphi's array of const.
class FmtArg {
 public:
  // kInt is a 32-bit Integer and kInt64 a 64-bit one: %x and %u show a
  // negative value as the two's complement of its own width, as Delphi does
  // for vtInteger and vtInt64.  AsInt() gives the value of either.
  enum class Kind : Byte { kInt, kUInt, kFloat, kString, kChar, kPointer, kInt64 };

  FmtArg(int v) : kind_(Kind::kInt), i_(v) {}
  FmtArg(long v) : kind_(sizeof(long) > 4 ? Kind::kInt64 : Kind::kInt), i_(v) {}
  FmtArg(long long v) : kind_(Kind::kInt64), i_(v) {}
  FmtArg(unsigned v) : kind_(Kind::kUInt), u_(v) {}
  FmtArg(unsigned long v) : kind_(Kind::kUInt), u_(v) {}
  FmtArg(unsigned long long v) : kind_(Kind::kUInt), u_(v) {}
  FmtArg(double v) : kind_(Kind::kFloat), f_(v) {}
  FmtArg(float v) : kind_(Kind::kFloat), f_(v) {}
  FmtArg(char16_t c) : kind_(Kind::kChar), c_(c) {}
  FmtArg(std::u16string_view s) : kind_(Kind::kString), s_(s) {}
  FmtArg(const string& s) : kind_(Kind::kString), s_(s) {}
  FmtArg(const char16_t* s) : kind_(Kind::kString), s_(s ? std::u16string_view(s) : std::u16string_view()) {}
  FmtArg(const void* p) : kind_(Kind::kPointer), p_(p) {}
  FmtArg(bool) = delete;  // ambiguous in Delphi too; pass BooleanToStr(b)

  Kind kind() const { return kind_; }
  Int64 AsInt() const { return i_; }
  UInt64 AsUInt() const { return u_; }
  double AsFloat() const { return f_; }
  char16_t AsChar() const { return c_; }
  std::u16string_view AsString() const { return s_; }
  const void* AsPointer() const { return p_; }

 private:
  Kind kind_;
  union {
    Int64 i_;
    UInt64 u_;
    double f_;
    char16_t c_;
    const void* p_;
  };
  std::u16string_view s_;
};

// Delphi's Format: items "%" [index ":"] ["-"] [width] ["." precision] type,
// with type one of d u e f g n m p s x (either case), "*" for a width or
// precision taken from the arguments, and "%%" for a percent sign.
string Format(std::u16string_view fmt, std::initializer_list<FmtArg> args,
              const TFormatSettings& fs);
string Format(std::u16string_view fmt, std::initializer_list<FmtArg> args);
// As Format, but false (and `out` undefined) when an item does not fit its
// argument, an argument is missing, or the format is malformed.
bool TryFormat(string& out, std::u16string_view fmt, std::initializer_list<FmtArg> args,
               const TFormatSettings& fs);

// ---------------------------------------------------------------------------
// Dates and times (TDateTime: days since 30 December 1899)

TDateTime Now();
TDateTime Date();
TDateTime Time();
bool IsLeapYear(Word year);
bool TryEncodeDate(Word year, Word month, Word day, TDateTime& date);
TDateTime EncodeDate(Word year, Word month, Word day);    // EConvertError
void DecodeDate(TDateTime date, Word& year, Word& month, Word& day);
bool TryEncodeTime(Word hour, Word min, Word sec, Word msec, TDateTime& time);
TDateTime EncodeTime(Word hour, Word min, Word sec, Word msec);   // EConvertError
void DecodeTime(TDateTime time, Word& hour, Word& min, Word& sec, Word& msec);
// 1 = Sunday ... 7 = Saturday.
Word DayOfWeek(TDateTime date);
TDateTime UnixToDateTime(Int64 seconds);       // UTC seconds -> TDateTime
Int64 DateTimeToUnix(TDateTime value);

// Delphi's FormatDateTime picture language (c d dd ddd dddd ddddd dddddd m mm
// mmm mmmm yy yyyy h hh n nn s ss z zzz t tt am/pm a/p ampm / : and quoted
// literals).
string FormatDateTime(std::u16string_view picture, TDateTime value, const TFormatSettings& fs);
string FormatDateTime(std::u16string_view picture, TDateTime value);
string DateToStr(TDateTime value, const TFormatSettings& fs);
string DateToStr(TDateTime value);
string TimeToStr(TDateTime value, const TFormatSettings& fs);
string TimeToStr(TDateTime value);
string DateTimeToStr(TDateTime value, const TFormatSettings& fs);
string DateTimeToStr(TDateTime value);

// ---------------------------------------------------------------------------
// Small string routines (Delphi SysUtils/StrUtils semantics; positions 1-based)

// Characters at or below ' ' are trimmed, as Delphi's Trim does.
string Trim(std::u16string_view s);
string TrimLeft(std::u16string_view s);
string TrimRight(std::u16string_view s);
// ASCII-only case mapping and comparison, as SysUtils.UpperCase/SameText.
// Locale-aware mapping is in platform/nls.h.
string AsciiUpperCase(std::u16string_view s);
string AsciiLowerCase(std::u16string_view s);
int CompareStr(std::u16string_view a, std::u16string_view b);    // <0, 0, >0 by code unit
int CompareText(std::u16string_view a, std::u16string_view b);   // ASCII case-insensitive
bool SameText(std::u16string_view a, std::u16string_view b);
// 1-based position of sub in s at or after `offset`, 0 when absent (or when
// sub is empty or offset is out of range).
int Pos(std::u16string_view sub, std::u16string_view s, int offset = 1);
// Delphi's Copy: index and count are clamped, never out of range.
string Copy(std::u16string_view s, Int64 index, Int64 count);
enum TReplaceFlags : Byte { rfNone = 0, rfReplaceAll = 1, rfIgnoreCase = 2 };
string StringReplace(std::u16string_view s, std::u16string_view old_pattern,
                     std::u16string_view new_pattern, int flags);
string StringOfChar(char16_t c, Int64 count);
string QuotedStr(std::u16string_view s);   // 'it''s'
string AnsiQuotedStr(std::u16string_view s, char16_t quote);
// Removes the quotes of a quoted text (doubling undone); unchanged when s
// does not start with `quote`.
string AnsiDequotedStr(std::u16string_view s, char16_t quote);

}  // namespace cv
