#include "search/search_parsing.h"

#include "platform/nls.h"
#include "platform/sysutils.h"

namespace cv {

namespace {

// The quoted tokens kept literal; token i gets the code base + i.
constexpr std::u16string_view kRetainedTokens[] = {
    u"\"^\"", u"\"/\"", u"\"*\"", u"\"==\"", u"\"?\"", u"\":\\\"",
    u"\"<\"", u"\">\"", u"\"#\"", u"\"}}}\"", u"\"/\\\"",
};
constexpr Integer kRetainBase = 0xE000;

constexpr std::u16string_view kContextMarker = u" context:=";

// The Unicode White_Space property.  The codes of a parsed word (0x10 to
// 0x1F) are not white space and survive the trim.
bool IsWhiteUnit(char16_t c) {
  if (c == 0x20 || (c >= 0x09 && c <= 0x0D)) return true;
  switch (c) {
    case 0x85: case 0xA0: case 0x1680: case 0x2028: case 0x2029: case 0x202F: case 0x205F:
    case 0x3000:
      return true;
    default:
      return c >= 0x2000 && c <= 0x200A;
  }
}

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// The number inside "{CHR(" ... ")}": decimal, "$" or "x" hexadecimal, or
// hexadecimal with an "h" suffix.
bool BracedNumber(std::u16string_view s, Int64& value) {
  const string t = Trim(s);
  std::u16string_view v = t;
  if (v.empty()) return false;
  int base = 10;
  if (v[0] == u'$' || v[0] == u'x' || v[0] == u'X') {
    base = 16;
    v.remove_prefix(1);
  } else if (v.size() > 1 && (v.back() == u'h' || v.back() == u'H')) {
    base = 16;
    v.remove_suffix(1);
  } else if (v.size() > 2 && v[0] == u'0' && (v[1] == u'x' || v[1] == u'X')) {
    base = 16;
    v.remove_prefix(2);
  }
  if (v.empty() || v.size() > 9) return false;
  Int64 n = 0;
  for (char16_t c : v) {
    const int d = HexValue(c);
    if (d < 0 || d >= base) return false;
    n = n * base + d;
  }
  value = n;
  return true;
}

bool StartsWithNoCase(std::u16string_view s, std::size_t at, std::u16string_view what) {
  if (at + what.size() > s.size()) return false;
  for (std::size_t i = 0; i < what.size(); ++i) {
    char16_t a = s[at + i], b = what[i];
    if (a >= u'a' && a <= u'z') a = static_cast<char16_t>(a - 32);
    if (a != b) return false;
  }
  return true;
}

}  // namespace

string TrimWhiteSpace(std::u16string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && IsWhiteUnit(s[b])) ++b;
  while (e > b && IsWhiteUnit(s[e - 1])) --e;
  return string(s.substr(b, e - b));
}

string ReadableEscapesToUnits(std::u16string_view in) {
  string s(in);
  // "{CHR(n)}", found without regard to case.  An escape with nothing inside
  // or without its ")}" ends this pass.
  for (std::size_t from = 0;;) {
    std::size_t open = string::npos;
    for (std::size_t i = from; i + 5 <= s.size(); ++i)
      if (StartsWithNoCase(s, i, u"{CHR(")) {
        open = i;
        break;
      }
    if (open == string::npos) break;
    const std::size_t close = s.find(u")}", open + 5);
    if (close == string::npos || close == open + 5) break;
    Int64 v = 0;
    if (BracedNumber(std::u16string_view(s).substr(open + 5, close - open - 5), v)) {
      s.replace(open, close + 2 - open, 1, static_cast<char16_t>(v & 0xFFFF));
    }
    from = open + 1;
  }
  // "#" escapes: "#" then x/X/$/h/H marks and hexadecimal digits (with an
  // optional ";"), or decimal digits.
  for (std::size_t i = 0; i < s.size();) {
    if (s[i] != u'#') {
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    bool hex = false;
    while (j < s.size() && (s[j] == u'x' || s[j] == u'X' || s[j] == u'$' || s[j] == u'h' || s[j] == u'H')) {
      ++j;
      hex = true;
    }
    Int64 v = 0;
    std::size_t digits = 0;
    while (j < s.size() && digits < 9) {
      const int d = HexValue(s[j]);
      if (d < 0 || (!hex && d > 9)) break;
      v = v * (hex ? 16 : 10) + d;
      ++j;
      ++digits;
    }
    if (digits == 0) {
      ++i;
      continue;
    }
    if (hex && j < s.size() && s[j] == u';') ++j;
    s.replace(i, j - i, 1, static_cast<char16_t>(v & 0xFFFF));
    ++i;
  }
  return s;
}

TMySearchFlags FlagsFromSW(string& s) {
  TMySearchFlags flags = kDefaultSearchFlags;
  s = TrimWhiteSpace(s);
  if (s.empty()) return flags;
  if (s[0] == u'*') {
    s.erase(0, 1);
    flags.Exclude(myLeftBounded);
  } else if (s.size() >= 4 && s.compare(0, 2, u"==") == 0 && s.compare(s.size() - 2, 2, u"==") == 0) {
    s.erase(0, 2);
    s.erase(s.size() - 2);
    flags.Include(myCaseIsSensitive);
  } else if (s[0] == u'~') {
    s.erase(0, 1);
    flags.Include(mySW_To_Avoid);
  }
  if (!s.empty() && s.back() == u'*') {
    s.pop_back();
    flags.Exclude(myRightBounded);
  }
  return flags;
}

bool Parse_Translate(string& s, std::u16string_view sub, WideChar code) {
  if (sub.empty()) return false;
  bool any = false;
  // A code never equals the first unit of sub (codes are below U+0020 and
  // subs are printable), so each pass makes progress.
  if (sub[0] == code) return false;
  for (std::size_t at = s.find(sub); at != string::npos; at = s.find(sub, at)) {
    s[at] = code;
    any = true;
  }
  return any;
}

void Parse_RetainOne(string& s, Integer code, std::u16string_view token) {
  if (token.empty()) return;
  for (std::size_t at = s.find(token); at != string::npos; at = s.find(token, at))
    s.replace(at, token.size(), 1, static_cast<char16_t>(code));
}

void Parse_Retain(string& s, Integer base) {
  if (s.find(u'"') == string::npos) return;  // every retained token is quoted
  for (std::size_t i = 0; i < std::size(kRetainedTokens); ++i)
    Parse_RetainOne(s, base + static_cast<Integer>(i), kRetainedTokens[i]);
}

void Parse_RestoreOne(string& s, Integer code, std::u16string_view token) {
  const char16_t c = static_cast<char16_t>(code);
  std::size_t at = s.find(c);
  if (at == string::npos) return;  // the usual case: nothing was retained
  string bare = Trim(token);
  std::erase(bare, u'"');
  for (; at != string::npos; at = s.find(c, at + bare.size()))
    s.replace(at, 1, bare);
}

void Parse_Restore(string& s, Integer base) {
  for (std::size_t i = 0; i < std::size(kRetainedTokens); ++i)
    Parse_RestoreOne(s, base + static_cast<Integer>(i), kRetainedTokens[i]);
}

bool DoMainParse_Translates(string& s) {
  bool any = false;
  any |= Parse_Translate(s, u"^", kCodeLetter);
  any |= Parse_Translate(s, u"#", kCodeNumber);
  any |= Parse_Translate(s, u"*", kCodeStar);
  any |= Parse_Translate(s, u"?", kCodeOneChar);
  any |= Parse_Translate(s, u"}}}", kCodeTripleBrace);
  return any;
}

bool ContainsPairedTagMarkup(const TIgnore_tag_type& ignore_tags, string& s) {
  // The flag carries over from pair to pair: a later pair without any
  // opening delimiter in s leaves an earlier pair's answer standing.
  bool flag = false;
  for (int i = 0; i < 6; ++i) {
    const char16_t open = ignore_tags[i];
    const char16_t close = ignore_tags[i + 6];
    if (open != 0 && Parse_Translate(s, std::u16string_view(&open, 1), kCodeTagOpen)) flag = true;
    if (flag && close != 0 && !Parse_Translate(s, std::u16string_view(&close, 1), kCodeTagClose))
      flag = false;
  }
  return flag;
}

void Parse_SWChunk(const TIgnore_tag_type& ignore_tags, bool& contains_a_tag, string& s,
                   TMySearchFlags& flags) {
  flags = FlagsFromSW(s);
  Parse_Retain(s, kRetainBase);
  // An asterisk between two spaces stands for one word.
  for (std::size_t i = 1; i + 1 < s.size(); ++i)
    if (s[i] == u'*' && s[i - 1] == u' ' && s[i + 1] == u' ') s[i] = kCodeAnyWord;
  DoMainParse_Translates(s);
  if (s.find(u"/\\") != string::npos) {
    if (s.size() >= 2 && s.compare(s.size() - 2, 2, u"/\\") == 0)
      s.replace(s.size() - 2, 2, u"#x13;");
    else if (s.compare(0, 2, u"/\\") == 0)
      s.replace(0, 2, u"#x10;");
  }
  contains_a_tag = ContainsPairedTagMarkup(ignore_tags, s);
  s = ReadableEscapesToUnits(s);
  Parse_Restore(s, kRetainBase);
}

void MakeCaseCopies(TSearch_word_format_rec& rec) {
  const string& base = rec.copies[unchanged_copy];
  rec.copies[upper_copy] = UnicodeUpperCase(base);
  rec.copies[lower_copy] = UnicodeLowerCase(base);
  // The mappings are one unit to one unit; should a mapping ever change the
  // length, the copy falls back to the unchanged text so that the matcher
  // can rely on equal lengths.
  for (int k : {upper_copy, lower_copy})
    if (rec.copies[k].size() != base.size()) rec.copies[k] = base;
  string title = rec.copies[lower_copy];
  if (!title.empty()) title[0] = rec.copies[upper_copy][0];
  rec.copies[title_copy] = title;
}

namespace {

void FinishRecord(TSearch_word_format_rec& rec) {
  rec.ambiguous = rec.typed_in_text != rec.search_text;
  if (!rec.ambiguous)
    for (char16_t c : rec.search_text)
      if (IsWildcardCode(c)) {
        rec.ambiguous = true;
        break;
      }
  rec.copies[unchanged_copy] = rec.search_text;
  MakeCaseCopies(rec);
}

}  // namespace

void Parsed_SearchWord(const TIgnore_tag_type& ignore_tags, string& s, TSearch_word_format_rec& rec) {
  rec = TSearch_word_format_rec{};
  rec.typed_in_text = s;
  const std::size_t p = s.find(kContextMarker);
  if (p != string::npos) {
    rec.has_file_based_context_word = true;
    rec.sw_context_needed = s.substr(p + kContextMarker.size());
    s.erase(p);
  }
  bool tag = false;
  Parse_SWChunk(ignore_tags, tag, s, rec.flags);
  rec.contains_a_tag = tag;
  rec.search_text = TrimWhiteSpace(s);
  FinishRecord(rec);
}

void UnParsed_SearchWord(string& s, TSearch_word_format_rec& rec) {
  rec = TSearch_word_format_rec{};
  rec.typed_in_text = s;
  rec.flags = FlagsFromSW(s);
  rec.search_text = s;
  FinishRecord(rec);
}

std::unique_ptr<TStringList> SplitSWList(string& s, bool splitting) {
  auto list = std::make_unique<TStringList>();
  if (splitting) {
    // 0-based i here is the 1-based position i + 1: the first unit is never
    // a separator, nor is the last.
    std::size_t i = 1;
    while (i + 1 < s.size()) {
      if (s[i] == u'/' && s[i - 1] != u'"' && s[i + 1] != u'"') {
        list->Add(s.substr(0, i));
        s.erase(0, i + 1);
        i = 1;
      } else {
        ++i;
      }
    }
  }
  if (!s.empty()) list->Add(s);
  s.clear();
  return list;
}

string TagWildcardConverted(std::u16string_view in) {
  struct Row {
    char16_t original;
    char16_t replacement;
  };
  constexpr Row kRows[] = {{u'~', kCodeNot}, {u'^', kCodeLetter}, {u'*', kCodeStar},
                           {u'?', kCodeOneChar}, {u'#', kCodeNumber}};
  string s(in);
  for (const Row& r : kRows) {
    const char16_t quoted[3] = {u'"', r.original, u'"'};
    const std::size_t q = s.find(std::u16string_view(quoted, 3));
    if (q != string::npos) {
      s.replace(q, 3, 1, r.original);
    } else {
      const std::size_t b = s.find(r.original);
      if (b != string::npos) s[b] = r.replacement;
    }
  }
  return s;
}

}  // namespace cv
