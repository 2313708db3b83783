// Float conversion: Delphi's FloatToDecimal / FloatToText / FormatFloat
// model, Round and Trunc, and text-to-float parsing.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/sysutils.h"
#include "platform/sysutils_internal.h"

namespace cv {

using sysutils_detail::AppendAscii;
using sysutils_detail::FloatDigits;
using sysutils_detail::kMaxFloatPrecision;

namespace sysutils_detail {

FloatDigits FloatToDecimal(double value, int precision, int decimals) {
  FloatDigits r;
  if (std::isnan(value)) {
    r.nan = true;
    return r;
  }
  r.negative = std::signbit(value);
  if (std::isinf(value)) {
    r.infinite = true;
    return r;
  }
  if (value == 0) {
    r.negative = false;
    return r;
  }
  // 18 significant digits, correctly rounded from the binary value.
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific,
                           kMaxFloatPrecision - 1);
  *res.ptr = '\0';
  std::string digits;
  digits.push_back(buf[0]);
  const char* p = buf + 1;
  if (*p == '.') ++p;
  while (*p >= '0' && *p <= '9') digits.push_back(*p++);
  int exponent = 1;
  if (*p == 'e') exponent = std::atoi(p + 1) + 1;

  precision = std::clamp(precision, 0, kMaxFloatPrecision);
  // Digits kept: the precision, or fewer when `decimals` ends them earlier.
  const long long by_decimals = static_cast<long long>(exponent) + std::max(decimals, 0);
  const long long keep = std::min<long long>(precision, by_decimals);
  if (keep < 0) {
    return r;  // below half of the last place kept: zero
  }
  const std::size_t n = static_cast<std::size_t>(keep);
  if (n < digits.size()) {
    const bool up = digits[n] >= '5';
    digits.resize(n);
    if (up) {
      std::size_t i = n;
      while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
      if (i == 0) {
        digits.insert(digits.begin(), '1');
        digits.resize(std::max<std::size_t>(n, 1));
        ++exponent;
      } else {
        ++digits[i - 1];
      }
    }
  }
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  if (digits.empty()) return r;
  r.digits = std::move(digits);
  r.exponent = exponent;
  return r;
}

namespace {

void AppendExponentDigits(string& out, int e, int min_digits) {
  std::string s = std::to_string(e < 0 ? -static_cast<long>(e) : e);
  if (static_cast<int>(s.size()) < min_digits) s.insert(0, min_digits - s.size(), '0');
  AppendAscii(out, s);
}

// Integer digits of a FloatDigits shown in fixed notation ("0" when none).
std::string IntegerPart(const FloatDigits& d) {
  if (d.digits.empty() || d.exponent <= 0) return "0";
  std::string s = d.digits.substr(0, std::min<std::size_t>(d.digits.size(), d.exponent));
  s.append(d.exponent - s.size(), '0');
  return s;
}

// Fraction digits: exactly `count` places.
std::string FractionPart(const FloatDigits& d, int count) {
  std::string s;
  if (!d.digits.empty()) {
    if (d.exponent < 0) s.append(static_cast<std::size_t>(-d.exponent), '0');
    if (d.exponent < static_cast<int>(d.digits.size()))
      s.append(d.digits.substr(static_cast<std::size_t>(std::max(d.exponent, 0))));
  }
  s.resize(static_cast<std::size_t>(count), '0');
  return s;
}

void AppendGrouped(string& out, const std::string& digits, char16_t sep) {
  const std::size_t n = digits.size();
  for (std::size_t i = 0; i < n; ++i) {
    out.push_back(static_cast<char16_t>(digits[i]));
    const std::size_t left = n - 1 - i;
    if (sep != 0 && left > 0 && left % 3 == 0) out.push_back(sep);
  }
}

string GeneralText(const FloatDigits& d, int precision, int exp_digits, const TFormatSettings& fs) {
  if (d.digits.empty()) return u"0";
  string out;
  if (d.negative) out.push_back(u'-');
  const int e = d.exponent;
  if (e > precision || e < -4) {
    out.push_back(static_cast<char16_t>(d.digits[0]));
    if (d.digits.size() > 1) {
      out.push_back(fs.DecimalSeparator);
      AppendAscii(out, d.digits.substr(1));
    }
    out.push_back(u'E');
    if (e - 1 < 0) out.push_back(u'-');
    AppendExponentDigits(out, e - 1, exp_digits);
    return out;
  }
  if (e <= 0) {
    out.push_back(u'0');
    out.push_back(fs.DecimalSeparator);
    out.append(static_cast<std::size_t>(-e), u'0');
    AppendAscii(out, d.digits);
    return out;
  }
  AppendAscii(out, IntegerPart(d));
  if (static_cast<int>(d.digits.size()) > e) {
    out.push_back(fs.DecimalSeparator);
    AppendAscii(out, d.digits.substr(static_cast<std::size_t>(e)));
  }
  return out;
}

string CurrencyText(bool negative, const string& number, const TFormatSettings& fs) {
  const string& c = fs.CurrencyString;
  if (!negative) {
    switch (fs.CurrencyFormat) {
      case 1: return number + c;
      case 2: return c + u" " + number;
      case 3: return number + u" " + c;
      default: return c + number;
    }
  }
  const string& n = number;
  switch (fs.NegCurrFormat) {
    case 1: return u"-" + c + n;
    case 2: return c + u"-" + n;
    case 3: return c + n + u"-";
    case 4: return u"(" + n + c + u")";
    case 5: return u"-" + n + c;
    case 6: return n + u"-" + c;
    case 7: return n + c + u"-";
    case 8: return u"-" + n + u" " + c;
    case 9: return u"-" + c + u" " + n;
    case 10: return n + u" " + c + u"-";
    case 11: return c + u" " + n + u"-";
    case 12: return c + u" -" + n;
    case 13: return n + u"- " + c;
    case 14: return u"(" + c + u" " + n + u")";
    case 15: return u"(" + n + u" " + c + u")";
    default: return u"(" + c + n + u")";
  }
}

}  // namespace

string FloatToText(double value, TFloatFormat format, int precision, int digits,
                   const TFormatSettings& fs) {
  if (std::isnan(value)) return u"NAN";
  if (std::isinf(value)) return value < 0 ? u"-INF" : u"INF";
  switch (format) {
    case TFloatFormat::ffExponent: {
      precision = std::clamp(precision, 2, kMaxFloatPrecision);
      digits = std::clamp(digits, 0, 4);
      const FloatDigits d = FloatToDecimal(value, precision, 9999);
      std::string mant = d.digits;
      mant.resize(static_cast<std::size_t>(precision), '0');
      string out;
      if (d.negative && !d.digits.empty()) out.push_back(u'-');
      out.push_back(static_cast<char16_t>(mant[0]));
      out.push_back(fs.DecimalSeparator);
      AppendAscii(out, mant.substr(1));
      const int e = d.digits.empty() ? 0 : d.exponent - 1;
      out.push_back(u'E');
      out.push_back(e < 0 ? u'-' : u'+');
      AppendExponentDigits(out, e, digits);
      return out;
    }
    case TFloatFormat::ffFixed:
    case TFloatFormat::ffNumber:
    case TFloatFormat::ffCurrency: {
      precision = std::clamp(precision, 1, kMaxFloatPrecision);
      digits = std::clamp(digits, 0, kMaxFloatPrecision);
      const FloatDigits d = FloatToDecimal(value, precision, digits);
      if (d.exponent > precision) return GeneralText(d, precision, 0, fs);
      string number;
      const std::string ip = IntegerPart(d);
      if (format == TFloatFormat::ffFixed)
        AppendAscii(number, ip);
      else
        AppendGrouped(number, ip, fs.ThousandSeparator);
      if (digits > 0) {
        number.push_back(fs.DecimalSeparator);
        AppendAscii(number, FractionPart(d, digits));
      }
      const bool negative = d.negative && !d.digits.empty();
      if (format == TFloatFormat::ffCurrency) return CurrencyText(negative, number, fs);
      return negative ? u"-" + number : number;
    }
    case TFloatFormat::ffGeneral:
    default: {
      precision = std::clamp(precision, 2, kMaxFloatPrecision);
      digits = std::clamp(digits, 0, 4);
      return GeneralText(FloatToDecimal(value, precision, 9999), precision, digits, fs);
    }
  }
}

}  // namespace sysutils_detail

using sysutils_detail::AppendExponentDigits;
using sysutils_detail::FloatToDecimal;
using sysutils_detail::FloatToText;
using sysutils_detail::FractionPart;
using sysutils_detail::IntegerPart;

string FloatToStr(double value, const TFormatSettings& fs) {
  return FloatToText(value, TFloatFormat::ffGeneral, 15, 0, fs);
}

string FloatToStr(double value) { return FloatToStr(value, DefaultFormatSettings()); }

string FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                   const TFormatSettings& fs) {
  return FloatToText(value, format, precision, digits, fs);
}

string FloatToStrF(double value, TFloatFormat format, int precision, int digits) {
  return FloatToText(value, format, precision, digits, DefaultFormatSettings());
}

// ---------------------------------------------------------------------------
// FormatFloat

namespace {

// Splits a picture into its sections at ';' outside quotes (at most three).
std::vector<std::u16string_view> PictureSections(std::u16string_view picture) {
  std::vector<std::u16string_view> out;
  std::size_t start = 0;
  char16_t quote = 0;
  for (std::size_t i = 0; i < picture.size(); ++i) {
    const char16_t c = picture[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == u'"' || c == u'\'') {
      quote = c;
    } else if (c == u';') {
      out.push_back(picture.substr(start, i - start));
      start = i + 1;
      if (out.size() == 3) return out;
    }
  }
  out.push_back(picture.substr(start));
  if (out.size() > 3) out.resize(3);
  return out;
}

bool IsExponentMark(std::u16string_view s, std::size_t i) {
  return (s[i] == u'E' || s[i] == u'e') && i + 1 < s.size() && (s[i + 1] == u'+' || s[i + 1] == u'-');
}

struct PictureLayout {
  int int_places = 0;    // '0' and '#' before the decimal point
  int frac_places = 0;   // after it
  int min_int = 0;       // integer digits always shown
  int min_frac = 0;      // fraction digits always shown
  bool thousands = false;
  bool scientific = false;
  int exp_digits = 0;
};

PictureLayout Analyse(std::u16string_view s) {
  PictureLayout l;
  bool dot = false;
  int first_zero = -1;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (c == u'"' || c == u'\'') {
      const std::size_t end = s.find(c, i + 1);
      i = end == std::u16string_view::npos ? s.size() : end;
    } else if (c == u'0' || c == u'#') {
      if (!dot) {
        if (c == u'0' && first_zero < 0) first_zero = l.int_places;
        ++l.int_places;
      } else {
        ++l.frac_places;
        if (c == u'0') l.min_frac = l.frac_places;
      }
    } else if (c == u'.') {
      dot = true;
    } else if (c == u',') {
      l.thousands = true;
    } else if (!l.scientific && IsExponentMark(s, i)) {
      l.scientific = true;
      i += 2;
      while (i < s.size() && s[i] == u'0') {
        ++l.exp_digits;
        ++i;
      }
      --i;
    }
  }
  l.exp_digits = std::min(l.exp_digits, 4);
  if (first_zero >= 0) l.min_int = l.int_places - first_zero;
  return l;
}

string FormatSection(std::u16string_view s, double value, bool add_minus, const TFormatSettings& fs) {
  const PictureLayout l = Analyse(s);
  std::string ip, fp;
  int shown_exponent = 0;
  const double magnitude = std::fabs(value);
  if (!l.scientific) {
    const FloatDigits d = FloatToDecimal(magnitude, kMaxFloatPrecision, l.frac_places);
    if (d.exponent >= kMaxFloatPrecision) return FloatToText(value, TFloatFormat::ffGeneral, 15, 0, fs);
    if (!d.digits.empty() && d.exponent > 0) ip = IntegerPart(d);
    fp = FractionPart(d, l.frac_places);
  } else {
    const int places = std::max(l.int_places + l.frac_places, 1);
    const FloatDigits d = FloatToDecimal(magnitude, std::min(places, kMaxFloatPrecision), 9999);
    if (!d.digits.empty()) {
      ip = d.digits.substr(0, std::min<std::size_t>(d.digits.size(), l.int_places));
      ip.resize(static_cast<std::size_t>(l.int_places), '0');
      if (static_cast<int>(d.digits.size()) > l.int_places) fp = d.digits.substr(l.int_places);
      shown_exponent = d.exponent - l.int_places;
    }
    fp.resize(static_cast<std::size_t>(l.frac_places), '0');
  }
  while (!fp.empty() && static_cast<int>(fp.size()) > l.min_frac && fp.back() == '0') fp.pop_back();
  if (static_cast<int>(ip.size()) < l.min_int) ip.insert(0, l.min_int - ip.size(), '0');
  const char16_t sep = l.thousands ? fs.ThousandSeparator : 0;

  string out;
  if (add_minus) out.push_back(u'-');
  const int len = static_cast<int>(ip.size());
  int int_index = 0, frac_index = 0;
  bool dot = false, exponent_done = false;
  auto emit_int = [&](int k) {
    out.push_back(static_cast<char16_t>(ip[static_cast<std::size_t>(k)]));
    const int left = len - 1 - k;
    if (sep != 0 && left > 0 && left % 3 == 0) out.push_back(sep);
  };
  auto emit_leading = [&]() {  // integer digits with no place of their own
    for (int k = 0; k < len - l.int_places; ++k) emit_int(k);
  };
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (c == u'"' || c == u'\'') {
      const std::size_t end = s.find(c, i + 1);
      const std::size_t stop = end == std::u16string_view::npos ? s.size() : end;
      out.append(s.substr(i + 1, stop - i - 1));
      i = stop;
    } else if (c == u'0' || c == u'#') {
      if (!dot) {
        if (int_index == 0) emit_leading();
        const int k = int_index - (l.int_places - len);
        if (k >= 0) emit_int(k);
        ++int_index;
      } else {
        if (frac_index < static_cast<int>(fp.size())) out.push_back(static_cast<char16_t>(fp[frac_index]));
        ++frac_index;
      }
    } else if (c == u'.') {
      if (!dot) {
        dot = true;
        if (l.int_places == 0) emit_leading();
        if (!fp.empty()) out.push_back(fs.DecimalSeparator);
      }
    } else if (c == u',') {
      // grouping is decided by Analyse
    } else if (l.scientific && !exponent_done && IsExponentMark(s, i)) {
      exponent_done = true;
      out.push_back(c);
      if (shown_exponent < 0)
        out.push_back(u'-');
      else if (s[i + 1] == u'+')
        out.push_back(u'+');
      AppendExponentDigits(out, shown_exponent, l.exp_digits);
      i += 2;
      while (i < s.size() && s[i] == u'0') ++i;
      --i;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace

string FormatFloat(std::u16string_view picture, double value, const TFormatSettings& fs) {
  if (picture.empty() || !std::isfinite(value)) return FloatToStr(value, fs);
  const std::vector<std::u16string_view> sec = PictureSections(picture);
  std::u16string_view chosen = sec[0];
  bool add_minus = false;
  if (value == 0 && sec.size() >= 3 && !sec[2].empty()) {
    chosen = sec[2];
  } else if (value < 0 && sec.size() >= 2 && !sec[1].empty()) {
    chosen = sec[1];
  } else {
    add_minus = value < 0;
  }
  if (chosen.empty()) return FloatToStr(value, fs);
  return FormatSection(chosen, value, add_minus, fs);
}

string FormatFloat(std::u16string_view picture, double value) {
  return FormatFloat(picture, value, DefaultFormatSettings());
}

// ---------------------------------------------------------------------------
// Rounding

namespace {
constexpr double kTwo63 = 9223372036854775808.0;
}

Int64 Round(double x) {
  // nearbyint rounds half to even in the default rounding mode, exactly.
  const double r = std::nearbyint(x);
  if (!(r >= -kTwo63 && r < kTwo63)) throw EInvalidOp("Invalid floating point operation");
  return static_cast<Int64>(r);
}

Int64 Trunc(double x) {
  const double r = std::trunc(x);
  if (!(r >= -kTwo63 && r < kTwo63)) throw EInvalidOp("Invalid floating point operation");
  return static_cast<Int64>(r);
}

// ---------------------------------------------------------------------------
// Text to float

bool TryStrToFloat(std::u16string_view s, double& value, const TFormatSettings& fs) {
  std::size_t b = 0, e = s.size();
  while (b < e && s[b] == u' ') ++b;
  while (e > b && s[e - 1] == u' ') --e;
  // [sign] digits [sep digits] [(e|E) [sign] digits], at least one mantissa digit.
  std::string ascii;
  std::size_t i = b;
  if (i < e && (s[i] == u'+' || s[i] == u'-')) {
    if (s[i] == u'-') ascii.push_back('-');
    ++i;
  }
  int mantissa_digits = 0;
  long lead_exponent = 0;  // decimal position of the first nonzero digit
  bool seen_nonzero = false, after_point = false;
  for (; i < e; ++i) {
    const char16_t c = s[i];
    if (c >= u'0' && c <= u'9') {
      ++mantissa_digits;
      if (c != u'0' && !seen_nonzero) seen_nonzero = true;
      if (!seen_nonzero && after_point) --lead_exponent;
      if (seen_nonzero && !after_point) ++lead_exponent;
      ascii.push_back(static_cast<char>(c));
    } else if (c == fs.DecimalSeparator && !after_point) {
      after_point = true;
      ascii.push_back('.');
    } else {
      break;
    }
  }
  if (mantissa_digits == 0) return false;
  long exp_value = 0;
  if (i < e && (s[i] == u'e' || s[i] == u'E')) {
    ascii.push_back('e');
    ++i;
    bool neg = false;
    if (i < e && (s[i] == u'+' || s[i] == u'-')) {
      neg = s[i] == u'-';
      ascii.push_back(static_cast<char>(s[i]));
      ++i;
    }
    int exp_digits = 0;
    for (; i < e && s[i] >= u'0' && s[i] <= u'9'; ++i) {
      ++exp_digits;
      ascii.push_back(static_cast<char>(s[i]));
      if (exp_value < 100000) exp_value = exp_value * 10 + (s[i] - u'0');
    }
    if (exp_digits == 0) return false;
    if (neg) exp_value = -exp_value;
  }
  if (i != e) return false;
  double v = 0;
  const char* first = ascii.data();
  const char* last = ascii.data() + ascii.size();
  bool negative = false;
  if (*first == '-') {
    negative = true;
    ++first;
  }
  auto res = std::from_chars(first, last, v);
  if (res.ec == std::errc::result_out_of_range) {
    // Underflow gives zero, as the FPU does; overflow fails.
    if (!seen_nonzero || lead_exponent + exp_value < 0)
      v = 0;
    else
      return false;
  } else if (res.ec != std::errc() || res.ptr != last) {
    return false;
  }
  value = negative ? -v : v;
  return true;
}

bool TryStrToFloat(std::u16string_view s, double& value) {
  return TryStrToFloat(s, value, DefaultFormatSettings());
}

namespace {
[[noreturn]] void ThrowBadFloat(std::u16string_view s) {
  std::string t;
  for (char16_t c : s.substr(0, 200)) t.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  throw EConvertError("'" + t + "' is not a valid floating point value");
}
}  // namespace

double StrToFloat(std::u16string_view s, const TFormatSettings& fs) {
  double v = 0;
  if (!TryStrToFloat(s, v, fs)) ThrowBadFloat(s);
  return v;
}

double StrToFloat(std::u16string_view s) { return StrToFloat(s, DefaultFormatSettings()); }

double StrToFloatDef(std::u16string_view s, double def, const TFormatSettings& fs) {
  double v = 0;
  return TryStrToFloat(s, v, fs) ? v : def;
}

double StrToFloatDef(std::u16string_view s, double def) {
  return StrToFloatDef(s, def, DefaultFormatSettings());
}

}  // namespace cv
