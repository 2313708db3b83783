// Integer conversion and Delphi's Format.
#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/sysutils.h"
#include "platform/sysutils_internal.h"

namespace cv {

using sysutils_detail::FloatToText;

// ---------------------------------------------------------------------------
// Integer to text

namespace {

string Decimal(UInt64 v) {
  char16_t buf[24];
  int n = 0;
  do {
    buf[n++] = static_cast<char16_t>(u'0' + v % 10);
    v /= 10;
  } while (v != 0);
  string s;
  while (n > 0) s.push_back(buf[--n]);
  return s;
}

string Hex(UInt64 v, int min_digits) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  string s;
  do {
    s.push_back(kDigits[v & 15]);
    v >>= 4;
  } while (v != 0);
  if (static_cast<int>(s.size()) < min_digits) s.append(static_cast<std::size_t>(min_digits) - s.size(), u'0');
  std::reverse(s.begin(), s.end());
  return s;
}

UInt64 Magnitude(Int64 v) { return v < 0 ? UInt64{0} - static_cast<UInt64>(v) : static_cast<UInt64>(v); }

// Width, precision and digit counts beyond this are taken as this.
constexpr int kMaxWidth = 4096;

}  // namespace

string IntToStr(Int64 value) {
  string s = Decimal(Magnitude(value));
  if (value < 0) s.insert(s.begin(), u'-');
  return s;
}

string UIntToStr(UInt64 value) { return Decimal(value); }

string IntToHex(Int64 value, int digits) {
  return Hex(static_cast<UInt64>(value), std::clamp(digits, 0, kMaxWidth));
}

// ---------------------------------------------------------------------------
// Text to integer (Delphi's Val)

namespace {

// Parses into the range of an integer of `bits` bits.  Decimal numbers must
// fit the signed range; hexadecimal ones may use every bit and wrap.
bool ParseInteger(std::u16string_view s, int bits, Int64& out) {
  std::size_t i = 0;
  const std::size_t n = s.size();
  while (i < n && s[i] == u' ') ++i;
  bool negative = false;
  if (i < n && (s[i] == u'+' || s[i] == u'-')) {
    negative = s[i] == u'-';
    ++i;
  }
  const UInt64 all_bits = bits == 64 ? ~UInt64{0} : (UInt64{1} << bits) - 1;
  bool hex = false;
  if (i < n && s[i] == u'$') {
    hex = true;
    ++i;
  } else if (i + 1 < n && s[i] == u'0' && (s[i + 1] == u'x' || s[i + 1] == u'X')) {
    hex = true;
    i += 2;
  }
  if (i >= n) return false;
  UInt64 v = 0;
  for (; i < n; ++i) {
    const char16_t c = s[i];
    unsigned d;
    if (c >= u'0' && c <= u'9')
      d = c - u'0';
    else if (hex && c >= u'a' && c <= u'f')
      d = c - u'a' + 10;
    else if (hex && c >= u'A' && c <= u'F')
      d = c - u'A' + 10;
    else
      return false;
    const unsigned base = hex ? 16 : 10;
    if (v > (all_bits - d) / base) return false;
    v = v * base + d;
  }
  if (hex) {
    // Two's complement of the given width, then the sign.
    Int64 signed_v;
    if (bits == 64) {
      signed_v = static_cast<Int64>(v);
    } else {
      signed_v = static_cast<Int64>(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
    }
    if (negative) signed_v = static_cast<Int64>(UInt64{0} - static_cast<UInt64>(signed_v));
    if (bits != 64) signed_v = static_cast<std::int32_t>(static_cast<std::uint32_t>(signed_v));
    out = signed_v;
    return true;
  }
  const UInt64 limit = UInt64{1} << (bits - 1);  // magnitude of the most negative value
  if (negative) {
    if (v > limit) return false;
    out = static_cast<Int64>(UInt64{0} - v);
  } else {
    if (v > limit - 1) return false;
    out = static_cast<Int64>(v);
  }
  return true;
}

[[noreturn]] void ThrowBadInteger(std::u16string_view s) {
  std::string t;
  for (char16_t c : s.substr(0, 200)) t.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  throw EConvertError("'" + t + "' is not a valid integer value");
}

}  // namespace

bool TryStrToInt(std::u16string_view s, Integer& value) {
  Int64 v = 0;
  if (!ParseInteger(s, 32, v)) return false;
  value = static_cast<Integer>(v);
  return true;
}

bool TryStrToInt64(std::u16string_view s, Int64& value) { return ParseInteger(s, 64, value); }

Integer StrToInt(std::u16string_view s) {
  Integer v = 0;
  if (!TryStrToInt(s, v)) ThrowBadInteger(s);
  return v;
}

Int64 StrToInt64(std::u16string_view s) {
  Int64 v = 0;
  if (!TryStrToInt64(s, v)) ThrowBadInteger(s);
  return v;
}

Integer StrToIntDef(std::u16string_view s, Integer def) {
  Integer v = 0;
  return TryStrToInt(s, v) ? v : def;
}

Int64 StrToInt64Def(std::u16string_view s, Int64 def) {
  Int64 v = 0;
  return TryStrToInt64(s, v) ? v : def;
}

// ---------------------------------------------------------------------------
// Format

namespace {

using Kind = FmtArg::Kind;

string PointerText(const void* p) {
  return Hex(static_cast<UInt64>(reinterpret_cast<std::uintptr_t>(p)), 2 * static_cast<int>(sizeof(void*)));
}

// The text of an argument shown by an item it does not fit.
string NaturalText(const FmtArg& a, const TFormatSettings& fs) {
  switch (a.kind()) {
    case Kind::kInt:
    case Kind::kInt64: return IntToStr(a.AsInt());
    case Kind::kUInt: return UIntToStr(a.AsUInt());
    case Kind::kFloat: return FloatToText(a.AsFloat(), TFloatFormat::ffGeneral, 15, 0, fs);
    case Kind::kString: return string(a.AsString());
    case Kind::kChar: return string(1, a.AsChar());
    case Kind::kPointer: return PointerText(a.AsPointer());
  }
  return {};
}

bool IsInteger(const FmtArg& a) {
  return a.kind() == Kind::kInt || a.kind() == Kind::kInt64 || a.kind() == Kind::kUInt;
}

// Digits with a minimum count, the sign in front of the zeros.
string WithMinDigits(string digits, bool negative, int precision) {
  if (static_cast<int>(digits.size()) < precision)
    digits.insert(0, static_cast<std::size_t>(precision) - digits.size(), u'0');
  if (negative) digits.insert(digits.begin(), u'-');
  return digits;
}

class Formatter {
 public:
  Formatter(std::u16string_view fmt, std::initializer_list<FmtArg> args, const TFormatSettings& fs)
      : fmt_(fmt), args_(args.begin()), count_(static_cast<int>(args.size())), fs_(fs) {}

  // Returns false when some item did not fit; the text is complete anyway.
  bool Run(string& out) {
    out.clear();
    out.reserve(fmt_.size());
    std::size_t i = 0;
    while (i < fmt_.size()) {
      const char16_t c = fmt_[i];
      if (c != u'%') {
        out.push_back(c);
        ++i;
        continue;
      }
      if (i + 1 < fmt_.size() && fmt_[i + 1] == u'%') {
        out.push_back(u'%');
        i += 2;
        continue;
      }
      i = Item(i, out);
    }
    return ok_;
  }

 private:
  // Reads digits or '*' at pos; -1 when neither is there.
  int Number(std::size_t& pos) {
    if (pos < fmt_.size() && fmt_[pos] == u'*') {
      ++pos;
      if (next_ >= count_ || !IsInteger(args_[next_])) {
        ok_ = false;
        if (next_ < count_) ++next_;
        return 0;
      }
      const Int64 v = args_[next_++].AsInt();
      if (v > kMaxWidth) {
        ok_ = false;
        return kMaxWidth;
      }
      return v < 0 ? 0 : static_cast<int>(v);
    }
    if (pos >= fmt_.size() || fmt_[pos] < u'0' || fmt_[pos] > u'9') return -1;
    Int64 v = 0;
    while (pos < fmt_.size() && fmt_[pos] >= u'0' && fmt_[pos] <= u'9') {
      if (v <= kMaxWidth) v = v * 10 + (fmt_[pos] - u'0');
      ++pos;
    }
    if (v > kMaxWidth) {
      ok_ = false;
      return kMaxWidth;
    }
    return static_cast<int>(v);
  }

  // Formats the item starting at '%' at `start`; returns the position after it.
  std::size_t Item(std::size_t start, string& out) {
    std::size_t pos = start + 1;
    int n = Number(pos);
    if (n >= 0 && pos < fmt_.size() && fmt_[pos] == u':') {
      next_ = n;
      ++pos;
      n = -1;
    }
    bool left = false;
    if (n < 0 && pos < fmt_.size() && fmt_[pos] == u'-') {
      left = true;
      ++pos;
    }
    int width = n >= 0 ? n : Number(pos);
    int precision = -1;
    if (pos < fmt_.size() && fmt_[pos] == u'.') {
      ++pos;
      precision = Number(pos);
      if (precision < 0) precision = 0;
    }
    if (pos >= fmt_.size()) {  // the format ends inside the item
      ok_ = false;
      out.append(fmt_.substr(start));
      return fmt_.size();
    }
    const char16_t type = fmt_[pos] >= u'A' && fmt_[pos] <= u'Z' ? fmt_[pos] + 32 : fmt_[pos];
    ++pos;
    static constexpr std::u16string_view kTypes = u"duefgnmpsx";
    if (kTypes.find(type) == std::u16string_view::npos || next_ < 0 || next_ >= count_) {
      ok_ = false;
      out.append(fmt_.substr(start, pos - start));
      if (next_ >= 0 && next_ < count_) ++next_;
      return pos;
    }
    const FmtArg& a = args_[next_++];
    string text;
    if (!Convert(type, a, precision, text)) {
      ok_ = false;
      text = NaturalText(a, fs_);
    }
    if (width > static_cast<int>(text.size())) {
      const std::size_t pad = static_cast<std::size_t>(width) - text.size();
      if (left)
        text.append(pad, u' ');
      else
        text.insert(0, pad, u' ');
    }
    out += text;
    return pos;
  }

  bool Convert(char16_t type, const FmtArg& a, int precision, string& text) {
    const Kind k = a.kind();
    switch (type) {
      case u'd':
        if (k == Kind::kUInt) {
          text = WithMinDigits(Decimal(a.AsUInt()), false, precision);
        } else if (k == Kind::kInt || k == Kind::kInt64) {
          text = WithMinDigits(Decimal(Magnitude(a.AsInt())), a.AsInt() < 0, precision);
        } else {
          return false;
        }
        return true;
      case u'u':
      case u'x': {
        UInt64 v;
        if (k == Kind::kUInt)
          v = a.AsUInt();
        else if (k == Kind::kInt)
          v = static_cast<std::uint32_t>(a.AsInt());
        else if (k == Kind::kInt64)
          v = static_cast<UInt64>(a.AsInt());
        else
          return false;
        text = type == u'u' ? WithMinDigits(Decimal(v), false, precision) : Hex(v, precision);
        return true;
      }
      case u'e':
      case u'f':
      case u'g':
      case u'n':
      case u'm': {
        if (k != Kind::kFloat) return false;
        const double v = a.AsFloat();
        switch (type) {
          case u'e':
            text = FloatToText(v, TFloatFormat::ffExponent, precision < 0 ? 15 : precision, 3, fs_);
            break;
          case u'f':
            text = FloatToText(v, TFloatFormat::ffFixed, 18, precision < 0 ? 2 : precision, fs_);
            break;
          case u'g':
            text = FloatToText(v, TFloatFormat::ffGeneral, precision < 0 ? 15 : precision, 0, fs_);
            break;
          case u'n':
            text = FloatToText(v, TFloatFormat::ffNumber, 18, precision < 0 ? 2 : precision, fs_);
            break;
          default:
            text = FloatToText(v, TFloatFormat::ffCurrency, 18,
                               precision < 0 ? fs_.CurrencyDecimals : precision, fs_);
            break;
        }
        return true;
      }
      case u'p':
        if (k != Kind::kPointer) return false;
        text = PointerText(a.AsPointer());
        return true;
      case u's':
        if (k == Kind::kString) {
          std::u16string_view s = a.AsString();
          if (precision >= 0 && static_cast<std::size_t>(precision) < s.size()) s = s.substr(0, precision);
          text = string(s);
        } else if (k == Kind::kChar) {
          text = string(1, a.AsChar());
        } else {
          return false;
        }
        return true;
      default:
        return false;
    }
  }

  std::u16string_view fmt_;
  const FmtArg* args_;
  int count_;
  const TFormatSettings& fs_;
  int next_ = 0;
  bool ok_ = true;
};

}  // namespace

string Format(std::u16string_view fmt, std::initializer_list<FmtArg> args, const TFormatSettings& fs) {
  string out;
  Formatter(fmt, args, fs).Run(out);
  return out;
}

string Format(std::u16string_view fmt, std::initializer_list<FmtArg> args) {
  return Format(fmt, args, DefaultFormatSettings());
}

bool TryFormat(string& out, std::u16string_view fmt, std::initializer_list<FmtArg> args,
               const TFormatSettings& fs) {
  return Formatter(fmt, args, fs).Run(out);
}

}  // namespace cv
