#include "files/wingenok.h"

#include <sys/stat.h>

#include <cmath>
#include <ctime>
#include <cstring>

#include "core/logging_utilities.h"
#include "core/resource_strings.h"
#include "platform/nls.h"
#include "platform/process.h"
#include "platform/utf.h"

namespace cv {

const string CRLF = u"\r\n";
const Byte UTF8_signature[3] = {0xEF, 0xBB, 0xBF};
const string HexCharactersStr = u"0123456789ABCDEFabcdef";
const string HexSignalStr = u"Xx$Hh";

TRect Work_Area{0, 0, 1920, 1040};
TFormatSettings UserDefaultFormatSettings = FormatSettingsFromLCID(GetUserDefaultLCID());
Cardinal DriveBits = 0;

namespace {

struct ShutdownNote {
  ShutdownNote() { EnsureLogInitialised(); }
  ~ShutdownNote() {
    if (keeping_log) AddToLogFile(u"quit wingenok, ", false);
  }
} shutdown_note;

std::u16string_view UpToNull(std::u16string_view s) {
  const auto z = s.find(u'\0');
  return z == std::u16string_view::npos ? s : s.substr(0, z);
}

size_t NullTerminatedLength(const char16_t* p) {
  size_t n = 0;
  while (p[n] != 0) ++n;
  return n;
}

}  // namespace

bool IsOrdinaryNumberChar(char16_t ch) { return ch >= u'0' && ch <= u'9'; }

bool IsADigitChar(char16_t ch) { return IsUnicodeDigit(ch); }

Cardinal CodePageFromLocale(LCID lcid) {
  if (!IsValidLCID(lcid)) return GetACP();
  return AnsiCodePageOfLCID(lcid);
}

Cardinal LCIDToCodePage(LCID lcid) { return CodePageFromLocale(lcid); }

bool UserDefaultMeasurements(LCID lcid) { return LocaleIsMetric(lcid); }

string Lowercase(LCID lcid, std::u16string_view s) { return LowerCaseLocale(UpToNull(s), lcid); }
string Uppercase(LCID lcid, std::u16string_view s) { return UpperCaseLocale(UpToNull(s), lcid); }

void LowercaseIt(LCID lcid, char16_t* p) {
  if (p != nullptr) LowerCaseInPlace(p, NullTerminatedLength(p), lcid);
}

void UppercaseIt(LCID lcid, char16_t* p) {
  if (p != nullptr) UpperCaseInPlace(p, NullTerminatedLength(p), lcid);
}

string Lowercase(std::u16string_view s) { return UnicodeLowerCase(s); }
string Uppercase(std::u16string_view s) { return UnicodeUpperCase(s); }

string Rightstr(std::u16string_view s, Integer n) {
  if (n <= 0) return {};
  if (static_cast<size_t>(n) >= s.size()) return string(s);
  return string(s.substr(s.size() - static_cast<size_t>(n)));
}

string DoubleAnyAmpersands(std::u16string_view s) {
  string out;
  out.reserve(s.size() + 4);
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != u'&') {
      out += s[i];
    } else if (i + 1 < s.size() && s[i + 1] == u'&') {
      out += u"&&";  // already a literal ampersand
      ++i;
    } else {
      out += u"&&";
    }
  }
  return out;
}

string BooleanToStr(bool b) { return b ? _CVTrue : _CVFalse; }

bool StrToBoolean(std::u16string_view s) { return UnicodeUpperCase(s) == UnicodeUpperCase(_CVTrue); }

string AttributesToStr(Integer attr) {
  string r;
  if (attr & 0x01) r += u'r';
  if (attr & 0x20) r += u'a';
  if (attr & 0x04) r += u's';
  if (attr & 0x02) r += u'h';
  if (attr & 0x10) r += u'd';
  return r;
}

string RealToDecStr(double x, const TFormatSettings& fs) {
  try {
    if (!std::isfinite(x)) return u"*";
    return FormatFloat(u"####,.00", x, fs);
  } catch (...) {
    return u"*";
  }
}

string IntToDecStr(Int64 n, const TFormatSettings& fs) {
  // Exact digits: the value is never passed through a float.
  UInt64 magnitude = n < 0 ? UInt64(0) - static_cast<UInt64>(n) : static_cast<UInt64>(n);
  string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  string r;
  if (n < 0) r += u'-';
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0 && fs.ThousandSeparator != 0) r += fs.ThousandSeparator;
    r += digits[i];
  }
  return r;
}

string IntToDecStr(Integer n, const TFormatSettings& fs) { return IntToDecStr(static_cast<Int64>(n), fs); }

Single Int64ToSingle(Int64 n) { return static_cast<Single>(n); }

TDateTime Compilation_DateTime() {
  struct stat sb {};
  if (stat(Utf16ToUtf8(ExecutablePath()).c_str(), &sb) != 0) return 0;
  // Local time, as the file's time stamp is shown to the user.
  const time_t t = sb.st_mtime;
  struct tm lt {};
  localtime_r(&t, &lt);
  return UnixToDateTime(static_cast<Int64>(t) + lt.tm_gmtoff);
}

string Compilation_Date() { return DateToStr(Compilation_DateTime(), UserDefaultFormatSettings); }

string Compilation_Year() { return FormatDateTime(u"yyyy", Compilation_DateTime(), UserDefaultFormatSettings); }

Integer TodayAsLongint() { return static_cast<Integer>(Trunc(Date())); }

Int64 SecondsElapsedSince(TDateTime t) { return Round((Now() - t) * 86400.0); }

Integer TodaysTimeInSeconds(TDateTime t) {
  double frac = std::fabs(t - std::trunc(t));
  return static_cast<Integer>(Round(frac * 86400.0));
}

string GetLastErrorString() { return SysErrorMessage(GetLastError()).substr(0, 255); }

const char16_t* StrLScanW(const char16_t* p, char16_t ch, std::size_t count) {
  if (p == nullptr) return nullptr;
  for (std::size_t i = 0; i < count; ++i)
    if (p[i] == ch) return p + i;
  return nullptr;
}

void StrSwapByteOrder(char16_t* p) {
  if (p == nullptr) return;
  for (; *p != 0; ++p) *p = static_cast<char16_t>((*p >> 8) | (*p << 8));
}

}  // namespace cv
