#include "text/number_notation.h"

#include <unicode/uchar.h>

#include <cmath>

#include "files/wingenok.h"
#include "platform/classes.h"
#include "platform/sysutils.h"

namespace cv {

namespace {

// The suite's words for sizes and answers.
constexpr const char16_t* kBytes = u"bytes";
constexpr const char16_t* kKb = u"Kb";
constexpr const char16_t* kMb = u"Mb";
constexpr const char16_t* kGb = u"Gb";
constexpr const char16_t* kYes = u"Yes";
constexpr const char16_t* kNo = u"No";

bool IsAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsHexDigit(char16_t c) {
  return IsAsciiDigit(c) || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}
bool IsCharacterCode(Int64 v) { return v > 0 && v <= 0xFFFF; }

bool EndsWithDigit(const string& s) { return !s.empty() && IsAsciiDigit(s.back()); }

}  // namespace

string EasiestNRepresentationOfLargeNumber(Single x) {
  static constexpr const char16_t* kPatterns[] = {u"%0.n", u"%.1nK", u"%.1nM", u"%.1nG", u"%.1nYikes"};
  double v = x;
  int divisions = 0;
  while (v > 1000) {
    v /= 1000;
    ++divisions;
  }
  return Format(kPatterns[std::min(divisions, 4)], {v});
}

string FormattedWithDecimals(Single x, Integer decimals, Boolean thousands, Boolean percent) {
  string picture = thousands ? u"###0,." : u"###0.";
  if (decimals > 0) picture.append(static_cast<std::size_t>(decimals), u'0');
  string out = FormatFloat(picture, x, UserDefaultFormatSettings);
  if (percent) out += u'%';
  return out;
}

string PValueStr(double x) {
  auto near = [x](double target) {
    const double tolerance = target / 10000;
    return x > target - tolerance && x < target + tolerance;
  };
  if (near(0.05)) {
    x = 0.05;
  } else {
    for (int k = 1; k <= 10; ++k) {
      const double target = std::pow(10.0, -k);
      if (near(target)) {
        x = target;
        break;
      }
    }
  }
  string out = FloatToStrF(x, TFloatFormat::ffFixed, 16, 17, UserDefaultFormatSettings);
  while (!out.empty() && out.back() == u'0') out.pop_back();
  return out;
}

string OrdinalFormatOf(Integer n) {
  if (n < 0) return u"%dth";
  const Integer last_two = n % 100;
  if (last_two >= 11 && last_two <= 13) return u"%dth";
  switch (n % 10) {
    case 1: return u"%dst";
    case 2: return u"%dnd";
    case 3: return u"%drd";
    default: return u"%dth";
  }
}

string ValueToByteStr(Int64 size) {
  if (size <= 1048576) return IntToStr(size) + kBytes;
  if (size <= 8388608) return IntToStr(size / 1024) + kKb;
  if (size <= 8589934592LL) return IntToStr(size / 1048576) + kMb;
  return IntToStr(size / 1073741824LL) + kGb;
}

string YesorNo(Boolean b) { return b ? kYes : kNo; }

string WithLeftZeros(Integer width, Integer n) {
  string s = IntToStr(n);
  if (static_cast<Integer>(s.size()) < width) s.insert(0, static_cast<std::size_t>(width) - s.size(), u'0');
  return s;
}

Boolean IsANumber(std::u16string_view s) {
  Integer v;
  if (TryStrToInt(s, v)) return true;
  for (char16_t c : s) {
    if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')) return false;
    if (!(u_isdigit(c) || c == u',' || c == u'.' || c == u'%')) return false;
  }
  return true;
}

string DigitsOnlyOf(std::u16string_view s) {
  Integer v;
  if (TryStrToInt(s, v)) return string(s);
  string out;
  for (char16_t c : s)
    if (IsAsciiDigit(c)) out.push_back(c);
  return out;
}

Integer PositionOfNumberInString(std::u16string_view s, Integer start) {
  if (start < 1) start = 1;
  for (std::size_t i = static_cast<std::size_t>(start - 1); i < s.size(); ++i)
    if (IsAsciiDigit(s[i])) return static_cast<Integer>(i + 1);
  return -1;
}

Integer IntegerInsideSquareBrackets(std::u16string_view s) {
  const std::size_t lt = s.find(u'[');
  if (lt == std::u16string_view::npos) return 0;
  string digits;
  for (std::size_t i = lt + 1; i + 1 < s.size() && IsAsciiDigit(s[i]); ++i) digits.push_back(s[i]);
  return StrToInt(digits);
}

string ValueString(std::u16string_view s) {
  const std::size_t eq = s.find(u'=');
  return eq == std::u16string_view::npos ? string() : string(s.substr(eq + 1));
}

string BracedNumberStrToDigitalformat(std::u16string_view s) {
  string out = AsciiUpperCase(s);
  if (!out.empty() && out.front() == u'X') out.front() = u'$';
  if (!out.empty() && out.back() == u'H') {
    out.pop_back();
    out.insert(out.begin(), u'$');
  }
  return out;
}

std::unique_ptr<TStringList> TArrayOfIntegersToStringlist(std::span<const Integer> values, Integer offset) {
  auto list = std::make_unique<TStringList>();
  for (Integer v : values) list->Add(IntToStr(static_cast<Int64>(v) + offset));
  return list;
}

namespace {

// Builds '1-3,5,7-9' from integers in their own order; a run still open at
// the end is closed with its last number.
class NumberListWriter {
 public:
  void Add(Int64 v) {
    if (has_prev_ && v == prev_ + 1) {
      if (text_.empty() || text_.back() != u'-') text_ += u'-';
    } else if (!text_.empty() && text_.back() == u'-') {
      text_ += IntToStr(prev_) + u"," + IntToStr(v);
    } else {
      if (EndsWithDigit(text_)) text_ += u',';
      text_ += IntToStr(v);
    }
    prev_ = v;
    has_prev_ = true;
  }
  string Finish() {
    if (!text_.empty() && text_.back() == u'-') text_ += IntToStr(prev_);
    return text_;
  }

 private:
  string text_;
  Int64 prev_ = 0;
  bool has_prev_ = false;
};

// Calls `emit` for each number of an expanded list, up to kMaxExpandedNumbers.
template <typename Emit>
void ExpandNumberList(std::u16string_view list, Emit emit) {
  Integer produced = 0;
  auto put = [&](Int64 v) {
    if (produced >= kMaxExpandedNumbers) return false;
    ++produced;
    emit(v);
    return true;
  };
  string digits;
  std::size_t i = 0;
  while (i < list.size()) {
    const char16_t c = list[i];
    if (IsAsciiDigit(c)) {
      digits.push_back(c);
      ++i;
    } else if (c == u',') {
      Int64 v;
      if (!digits.empty() && TryStrToInt64(digits, v)) put(v);
      digits.clear();
      ++i;
    } else if (c == u'-') {
      string end_digits;
      ++i;
      while (i < list.size() && IsAsciiDigit(list[i])) end_digits.push_back(list[i++]);
      Int64 a, b;
      if (!digits.empty() && !end_digits.empty() && TryStrToInt64(digits, a) && TryStrToInt64(end_digits, b))
        for (Int64 v = a; v <= b && put(v); ++v) {
        }
      digits.clear();
    } else {
      ++i;
    }
  }
  Int64 v;
  if (!digits.empty() && TryStrToInt64(digits, v)) put(v);
}

}  // namespace

string HumanAbbreviatedNumberListString(std::span<const Integer> values, Integer offset) {
  NumberListWriter w;
  for (Integer v : values) w.Add(static_cast<Int64>(v) + offset);
  return w.Finish();
}

string HumanAbbreviatedNumberListString(const TStringList& numbers) {
  NumberListWriter w;
  for (Integer i = 0; i < numbers.Count(); ++i) {
    Integer v;
    if (TryStrToInt(numbers[i], v)) w.Add(v);
  }
  return w.Finish();
}

string HumanAbbreviatedNumberListStringExpanded(std::u16string_view list) {
  string out;
  ExpandNumberList(list, [&](Int64 v) {
    if (!out.empty()) out += u',';
    out += IntToStr(v);
  });
  return out;
}

void HumanAbbreviatedNumberListStringAsIntegers(std::u16string_view list, Integer offset, std::vector<Integer>& out) {
  out.clear();
  ExpandNumberList(list, [&](Int64 v) { out.push_back(static_cast<Integer>(v - offset)); });
}

string ANumberInHumanString(std::u16string_view list, Integer n) {
  string found;
  Integer k = 0;
  ExpandNumberList(list, [&](Int64 v) {
    if (++k == n) found = IntToStr(v);
  });
  Integer check;
  return TryStrToInt(found, check) ? found : string();
}

string HumanAbbreviatedNumberListStringToMonths(std::u16string_view s) {
  string out(s);
  for (int m = 1; m <= 12; ++m) {
    const string key = WithLeftZeros(2, m);
    const std::size_t at = out.find(key);
    if (at != string::npos) out.replace(at, 2, UserDefaultFormatSettings.ShortMonthNames[m - 1]);
  }
  return out;
}

void ConvertStringToRangeOfBoolean(std::u16string_view text, Boolean zero_based, std::span<Boolean> marks) {
  for (auto& m : marks) m = false;
  if (marks.empty()) return;
  const Int64 last = static_cast<Int64>(marks.size()) - 1;
  auto index = [&](Int64 n) {
    const Int64 i = zero_based ? n : n - 1;
    return i < 0 ? 0 : (i > last ? last : i);
  };
  auto mark = [&](Int64 a, Int64 b) {
    for (Int64 i = a; i <= b; ++i) marks[static_cast<std::size_t>(i)] = true;
  };
  std::size_t from = 0;
  while (from <= text.size()) {
    std::size_t comma = text.find(u',', from);
    if (comma == std::u16string_view::npos) comma = text.size();
    const string piece = Trim(text.substr(from, comma - from));
    from = comma + 1;
    if (piece.empty()) continue;
    const std::size_t dash = piece.find(u'-');
    Int64 a, b;
    if (dash == string::npos) {
      if (TryStrToInt64(piece, a)) mark(index(a), index(a));
    } else if (dash == 0) {
      if (TryStrToInt64(Trim(std::u16string_view(piece).substr(1)), b)) mark(0, index(b));
    } else if (TryStrToInt64(Trim(std::u16string_view(piece).substr(0, dash)), a) &&
               TryStrToInt64(Trim(std::u16string_view(piece).substr(dash + 1)), b) && b >= a) {
      mark(index(a), index(b));
    }
  }
}

string ToHexNumStr(std::u16string_view s) {
  string out;
  for (char16_t c : s) out += IntToHex(c, 2) + u",";
  return out;
}

string FromHexNumStr(std::u16string_view s) {
  string out;
  std::size_t from = 0;
  for (std::size_t comma; (comma = s.find(u',', from)) != std::u16string_view::npos; from = comma + 1) {
    const std::u16string_view piece = s.substr(from, comma - from);
    if (piece.empty() || piece.size() > 4) continue;
    Cardinal v = 0;
    bool ok = true;
    for (char16_t c : piece) {
      if (!IsHexDigit(c)) {
        ok = false;
        break;
      }
      v = v * 16 + (IsAsciiDigit(c) ? c - u'0' : (c | 0x20) - u'a' + 10);
    }
    if (ok) out.push_back(static_cast<char16_t>(v));
  }
  return out;
}

string PwdToNumStr(std::u16string_view s) {
  string out;
  for (char16_t c : s) out += IntToStr(c) + u",";
  return out;
}

string FromNumStr(std::u16string_view s) {
  string out;
  std::size_t from = 0;
  for (std::size_t comma; (comma = s.find(u',', from)) != std::u16string_view::npos; from = comma + 1) {
    Integer v;
    if (TryStrToInt(s.substr(from, comma - from), v) && v >= 0 && v <= 0xFFFF) out.push_back(static_cast<char16_t>(v));
  }
  return out;
}

string CVFormattedWorkStringToReadableString(std::u16string_view s, Integer limit) {
  string out;
  for (char16_t c : s) {
    if (static_cast<Integer>(c) < limit)
      out += u"{CHR(" + IntToStr(c) + u")}";
    else
      out.push_back(c);
  }
  return out;
}

string CVFormattedReadableStringToWorkString(std::u16string_view s) {
  string out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    if (s[i] == u'{' && s.size() - i >= 5 && CompareText(s.substr(i, 5), u"{CHR(") == 0) {
      const std::size_t close = s.find(u")}", i + 5);
      if (close != std::u16string_view::npos && close > i + 5) {
        Integer v;
        if (TryStrToInt(BracedNumberStrToDigitalformat(s.substr(i + 5, close - i - 5)), v) && IsCharacterCode(v)) {
          out.push_back(static_cast<char16_t>(v));
          i = close + 2;
          continue;
        }
      }
    } else if (s[i] == u'#') {
      std::size_t j = i + 1;
      while (j < s.size() && (s[j] == u'X' || s[j] == u'x' || s[j] == u'$' || s[j] == u'H' || s[j] == u'h')) ++j;
      const bool hex = j > i + 1;
      const std::size_t digits_from = j;
      Int64 v = 0;
      while (j < s.size() && (hex ? IsHexDigit(s[j]) : IsAsciiDigit(s[j])) && v <= 0xFFFF) {
        const char16_t c = s[j++];
        v = v * (hex ? 16 : 10) + (IsAsciiDigit(c) ? c - u'0' : (c | 0x20) - u'a' + 10);
      }
      const bool more = j < s.size() && (hex ? IsHexDigit(s[j]) : IsAsciiDigit(s[j]));
      if (j > digits_from && !more && IsCharacterCode(v)) {
        if (hex && j < s.size() && s[j] == u';') ++j;
        out.push_back(static_cast<char16_t>(v));
        i = j;
        continue;
      }
    }
    out.push_back(s[i++]);
  }
  return out;
}

}  // namespace cv
