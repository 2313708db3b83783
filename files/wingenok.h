// Locale-aware case mapping and code pages, number and date helpers, small
// string routines, measurement constants and the start-up values of the work
// area and the user's format settings.
#pragma once

#include <cstddef>

#include "platform/classes.h"
#include "platform/sysutils.h"
#include "platform/types.h"

namespace cv {

extern const string CRLF;
extern const Byte UTF8_signature[3];
extern const string HexCharactersStr;   // "0123456789ABCDEFabcdef"
extern const string HexSignalStr;       // "Xx$Hh"
constexpr Single mm_to_inch = 0.03937008f;
constexpr Single inch_to_cm = 2.54f;
constexpr Single inch_to_mm = 25.4f;
constexpr Single inch_to_mm100 = 2540.0f;

struct TRect {
  Integer Left;
  Integer Top;
  Integer Right;
  Integer Bottom;
};

// The desktop work area, fixed at start-up.  Without a desktop it is a
// 1920 x 1040 area at the origin.
extern TRect Work_Area;
// The user's locale settings, made once at start-up.
extern TFormatSettings UserDefaultFormatSettings;
// The drive mask last read by the drive checks.
extern Cardinal DriveBits;

// A string list that knows the language of its texts and whether it is saved
// as UTF-16.
class TLanguageStringlist : public TStringList {
 public:
  explicit TLanguageStringlist(Cardinal language) : Language(language), SaveUnicode(true) {}

  Cardinal Language;  // a language identifier
  bool SaveUnicode;
};

bool IsOrdinaryNumberChar(char16_t ch);
bool IsADigitChar(char16_t ch);

// The locale's default ANSI code page; the process's (GetACP) when the locale
// is unknown.
Cardinal CodePageFromLocale(LCID lcid);
Cardinal LCIDToCodePage(LCID lcid);
// False for U.S. units, true for metric (also when the locale is unknown).
bool UserDefaultMeasurements(LCID lcid);

// Linguistic case mapping for a locale (Turkish and Azeri dotted i), one
// character to one character, of the text up to its first null.
string Lowercase(LCID lcid, std::u16string_view s);
string Uppercase(LCID lcid, std::u16string_view s);
// The same in place on a null-terminated buffer; nil is ignored.
void LowercaseIt(LCID lcid, char16_t* p);
void UppercaseIt(LCID lcid, char16_t* p);
// Locale-independent Unicode mapping of the whole text.
string Lowercase(std::u16string_view s);
string Uppercase(std::u16string_view s);

// The last n characters (all of s when shorter; empty for n <= 0).
string Rightstr(std::u16string_view s, Integer n);

// Doubles ampersands so that a caption shows them literally.  A pair "&&"
// already shows one ampersand and is left alone.
string DoubleAnyAmpersands(std::u16string_view s);

string BooleanToStr(bool b);
bool StrToBoolean(std::u16string_view s);

// r a s h d for read-only, archive, system, hidden, directory.
string AttributesToStr(Integer attr);

// "####,.00"; "*" when formatting fails.
string RealToDecStr(double x, const TFormatSettings& fs);
// Exact digits with thousands separators; "*" when formatting fails.
string IntToDecStr(Integer n, const TFormatSettings& fs);
string IntToDecStr(Int64 n, const TFormatSettings& fs);
Single Int64ToSingle(Int64 n);

// The running program's last-write time, as a date text and as "yyyy".
TDateTime Compilation_DateTime();
string Compilation_Date();
string Compilation_Year();

Integer TodayAsLongint();
// Whole seconds (rounded) from t to now; the full span, not modulo a day.
Int64 SecondsElapsedSince(TDateTime t);
// The time-of-day part of t in seconds, rounded.
Integer TodaysTimeInSeconds(TDateTime t);

// The system's text for the last error, at most 255 characters.
string GetLastErrorString();

// The first of at most count characters from p equal to ch; nil when there
// is none, when p is nil or when count is 0.
const char16_t* StrLScanW(const char16_t* p, char16_t ch, std::size_t count);
// Swaps the bytes of every character up to the terminator, in place.
void StrSwapByteOrder(char16_t* p);

}  // namespace cv
