// Format settings and the small string routines.
#include <algorithm>
#include <string>

#include "platform/nls.h"
#include "platform/sysutils.h"

namespace cv {

TFormatSettings InvariantFormatSettings() { return TFormatSettings{}; }

TFormatSettings& DefaultFormatSettings() {
  static TFormatSettings settings = FormatSettingsFromLCID(GetUserDefaultLCID());
  return settings;
}

// ---------------------------------------------------------------------------
// Strings

namespace {

char16_t AsciiUpper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }
char16_t AsciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

}  // namespace

string Trim(std::u16string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && s[b] <= u' ') ++b;
  while (e > b && s[e - 1] <= u' ') --e;
  return string(s.substr(b, e - b));
}

string TrimLeft(std::u16string_view s) {
  std::size_t b = 0;
  while (b < s.size() && s[b] <= u' ') ++b;
  return string(s.substr(b));
}

string TrimRight(std::u16string_view s) {
  std::size_t e = s.size();
  while (e > 0 && s[e - 1] <= u' ') --e;
  return string(s.substr(0, e));
}

string AsciiUpperCase(std::u16string_view s) {
  string r(s);
  for (char16_t& c : r) c = AsciiUpper(c);
  return r;
}

string AsciiLowerCase(std::u16string_view s) {
  string r(s);
  for (char16_t& c : r) c = AsciiLower(c);
  return r;
}

int CompareStr(std::u16string_view a, std::u16string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i)
    if (a[i] != b[i]) return static_cast<int>(a[i]) - static_cast<int>(b[i]);
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

int CompareText(std::u16string_view a, std::u16string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t x = AsciiUpper(a[i]), y = AsciiUpper(b[i]);
    if (x != y) return static_cast<int>(x) - static_cast<int>(y);
  }
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

bool SameText(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && CompareText(a, b) == 0;
}

int Pos(std::u16string_view sub, std::u16string_view s, int offset) {
  if (sub.empty() || offset < 1 || static_cast<std::size_t>(offset) > s.size()) return 0;
  const std::size_t p = s.find(sub, static_cast<std::size_t>(offset - 1));
  return p == std::u16string_view::npos ? 0 : static_cast<int>(p + 1);
}

string Copy(std::u16string_view s, Int64 index, Int64 count) {
  if (index < 1) index = 1;
  const Int64 len = static_cast<Int64>(s.size());
  if (index > len || count <= 0) return {};
  const Int64 n = std::min(count, len - index + 1);
  return string(s.substr(static_cast<std::size_t>(index - 1), static_cast<std::size_t>(n)));
}

string StringReplace(std::u16string_view s, std::u16string_view old_pattern,
                     std::u16string_view new_pattern, int flags) {
  if (old_pattern.empty()) return string(s);
  const bool all = (flags & rfReplaceAll) != 0;
  const bool nocase = (flags & rfIgnoreCase) != 0;
  // Case-insensitive search compares one-to-one upper-case mappings, which
  // keep every position in place.
  string hay, needle;
  std::u16string_view h = s, nd = old_pattern;
  if (nocase) {
    hay = UnicodeUpperCase(s);
    needle = UnicodeUpperCase(old_pattern);
    h = hay;
    nd = needle;
  }
  string out;
  std::size_t from = 0;
  while (from <= s.size()) {
    const std::size_t p = h.find(nd, from);
    if (p == std::u16string_view::npos) break;
    out.append(s.substr(from, p - from));
    out.append(new_pattern);
    from = p + nd.size();
    if (!all) break;
  }
  out.append(s.substr(std::min(from, s.size())));
  return out;
}

string StringOfChar(char16_t c, Int64 count) {
  if (count <= 0) return {};
  return string(static_cast<std::size_t>(count), c);
}

string QuotedStr(std::u16string_view s) { return AnsiQuotedStr(s, u'\''); }

string AnsiQuotedStr(std::u16string_view s, char16_t quote) {
  string r;
  r.reserve(s.size() + 2);
  r.push_back(quote);
  for (char16_t c : s) {
    r.push_back(c);
    if (c == quote) r.push_back(quote);
  }
  r.push_back(quote);
  return r;
}

string AnsiDequotedStr(std::u16string_view s, char16_t quote) {
  if (s.empty() || s[0] != quote) return string(s);
  // Extract up to the closing quote; a doubled quote stands for one.
  string r;
  std::size_t i = 1;
  while (i < s.size()) {
    if (s[i] == quote) {
      if (i + 1 < s.size() && s[i + 1] == quote) {
        r.push_back(quote);
        i += 2;
        continue;
      }
      ++i;
      break;
    }
    r.push_back(s[i++]);
  }
  // As Delphi: when the quoted part gives nothing or takes the whole text,
  // a text that does not also end with the quote is returned as it was.
  const bool rest_empty = i >= s.size();
  if ((r.empty() || rest_empty) && s.back() != quote) return string(s);
  return r;
}

}  // namespace cv
