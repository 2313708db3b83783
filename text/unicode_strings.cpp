#include "text/unicode_strings.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <cstring>

#include "files/my_kpsmall.h"
#include "platform/nls.h"
#include "platform/sysutils.h"
#include "text/code_pages.h"

namespace cv {

namespace {

constexpr std::size_t kYieldEvery = 4096;

// The module's two static result buffers.
AnsiChar g_ansi_buffer[256];
WideChar g_wide_buffer[256];

std::size_t WideLength(const WideChar* p) {
  std::size_t n = 0;
  while (p[n] != 0) ++n;
  return n;
}

const WideChar* CopyToWideBuffer(std::u16string_view s) {
  const std::size_t n = std::min<std::size_t>(s.size(), 255);
  std::memcpy(g_wide_buffer, s.data(), n * sizeof(WideChar));
  g_wide_buffer[n] = 0;
  return g_wide_buffer;
}

const AnsiChar* CopyToAnsiBuffer(std::string_view s) {
  const std::size_t n = std::min<std::size_t>(s.size(), 255);
  std::memcpy(g_ansi_buffer, s.data(), n);
  g_ansi_buffer[n] = 0;
  return g_ansi_buffer;
}

}  // namespace

// ---------------------------------------------------------------------------
// Code-page conversion

string ConvertedToWideString(Word code_page, const AnsiChar* text, Integer count) {
  if (text == nullptr || count <= 0) return string();
  return MultiByteToWide(code_page, std::string_view(text, static_cast<std::size_t>(count)));
}

string ConvertedToWideString(LCID lcid, const AnsiChar* text) {
  if (text == nullptr) return string();
  return MultiByteToWide(CodePageOfLCIDOrACP(lcid), std::string_view(text));
}

string ConvertedToWideString(const AnsiChar* text) {
  if (text == nullptr) return string();
  return MultiByteToWide(GetACP(), std::string_view(text));
}

AnsiString ConvertedFromWideString(Word code_page, const WideChar* text) {
  if (text == nullptr) return AnsiString();
  return WideToMultiByte(code_page, std::u16string_view(text, WideLength(text)));
}

AnsiString ConvertedFromWideString(LCID lcid, const WideChar* text) {
  if (text == nullptr) return AnsiString();
  return WideToMultiByte(CodePageOfLCIDOrACP(lcid), std::u16string_view(text, WideLength(text)));
}

AnsiString ConvertedFromWideString(const WideChar* text) {
  if (text == nullptr) return AnsiString();
  return WideToMultiByte(GetACP(), std::u16string_view(text, WideLength(text)));
}

const WideChar* GetCopyOfAnsiEncodedAsUnicode(const AnsiString& s, LCID lcid) {
  return CopyToWideBuffer(MultiByteToWide(CodePageOfLCIDOrACP(lcid), s));
}

const AnsiChar* GetCopyOfAnsiEncodedAsAnsi(const AnsiString& s, LCID) { return CopyToAnsiBuffer(s); }

const WideChar* GetCopyOfWideSTringEncodedASUnicode(const string& s, LCID) { return CopyToWideBuffer(s); }

const AnsiChar* GetCopyOfWideSTringEncodedAsAnsi(const string& s, LCID lcid) {
  return CopyToAnsiBuffer(WideToMultiByte(CodePageOfLCIDOrACP(lcid), s));
}

string EnsurePrecomposed(std::u16string_view s) {
  if (s.empty()) return string();
  UErrorCode err = U_ZERO_ERROR;
  const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(err);
  if (U_FAILURE(err)) return string(s);
  // Characters that can never occur in NFC text (singletons, composition
  // exclusions) are ones precomposition alone would keep: copy them as they
  // are and normalise only the stretches between them.
  string out;
  out.reserve(s.size());
  std::size_t run_start = 0;
  auto flush = [&](std::size_t end) {
    if (end <= run_start) return;
    const icu::UnicodeString in(false, s.data() + run_start, static_cast<int32_t>(end - run_start));
    UErrorCode e = U_ZERO_ERROR;
    const icu::UnicodeString norm = nfc->normalize(in, e);
    if (U_FAILURE(e))
      out.append(s.substr(run_start, end - run_start));
    else
      out.append(reinterpret_cast<const char16_t*>(norm.getBuffer()), static_cast<std::size_t>(norm.length()));
  };
  std::size_t i = 0;
  while (i < s.size()) {
    UChar32 c = s[i];
    std::size_t len = 1;
    if (U16_IS_LEAD(s[i]) && i + 1 < s.size() && U16_IS_TRAIL(s[i + 1])) {
      c = U16_GET_SUPPLEMENTARY(s[i], s[i + 1]);
      len = 2;
    }
    if (c >= 0x80 && u_getIntPropertyValue(c, UCHAR_NFC_QUICK_CHECK) == UNORM_NO) {
      flush(i);
      out.append(s.substr(i, len));
      run_start = i + len;
    }
    i += len;
  }
  flush(s.size());
  return out;
}

WideChar WideCharFromCardinal(Cardinal n) { return n < 65536 ? static_cast<WideChar>(n) : u'?'; }

string WideStringFromCardinal(Cardinal n) { return string(1, WideCharFromCardinal(n)); }

// ---------------------------------------------------------------------------
// Case mapping

namespace {

Integer MapCase(LCID lcid, void* buffer, bool is_unicode, bool upper) {
  if (buffer == nullptr) return 0;
  const LCID locale = ResolveLCID(lcid);
  if (is_unicode) {
    auto* p = static_cast<WideChar*>(buffer);
    const std::size_t n = WideLength(p);
    if (upper)
      UpperCaseInPlace(p, n, locale, true);
    else
      LowerCaseInPlace(p, n, locale, true);
    return static_cast<Integer>(n);
  }
  // 8-bit text goes through the locale's code page; a character whose other
  // case the page cannot hold is left as it was.
  auto* p = static_cast<AnsiChar*>(buffer);
  const std::size_t n = std::strlen(p);
  const Cardinal cp = CodePageOfLCIDOrACP(locale);
  string wide = MultiByteToWide(cp, std::string_view(p, n));
  const string original = wide;
  if (upper)
    UpperCaseInPlace(wide.data(), wide.size(), locale, true);
  else
    LowerCaseInPlace(wide.data(), wide.size(), locale, true);
  AnsiString back;
  std::size_t w = 0;
  for (std::size_t i = 0; i < wide.size(); ++i) {
    bool lost = false;
    AnsiString one;
    WideToMultiByte(cp, std::u16string_view(&wide[i], 1), one, &lost);
    if (lost) WideToMultiByte(cp, std::u16string_view(&original[i], 1), one);
    back += one;
  }
  // Case partners have the same byte length on every supported page; never
  // write past the original text in any case.
  w = std::min(back.size(), n);
  std::memcpy(p, back.data(), w);
  return static_cast<Integer>(wide.size());
}

}  // namespace

void* WinLowerCased(LCID lcid, void* buffer, Boolean is_unicode) {
  MapCase(lcid, buffer, is_unicode, false);
  return buffer;
}

void* WinUpperCased(LCID lcid, void* buffer, Boolean is_unicode) {
  MapCase(lcid, buffer, is_unicode, true);
  return buffer;
}

Integer Capitalise(LCID lcid, void* buffer, Boolean is_unicode) { return MapCase(lcid, buffer, is_unicode, true); }

Integer CaseInsensitivePos(std::u16string_view sub, std::u16string_view s) {
  return Pos(UnicodeUpperCase(sub), UnicodeUpperCase(s));
}

Integer CaseInsensitiveUpperedPos(std::u16string_view upper_sub, std::u16string_view s) {
  return Pos(upper_sub, UnicodeUpperCase(s));
}

// ---------------------------------------------------------------------------
// Line ends and small utilities

namespace {

template <typename Str, typename View>
Str ToWindowsLineEnds(Integer& inserted, View s) {
  const std::size_t end = std::min(s.size(), s.find(typename View::value_type(0)));
  if (end == 0) return Str();
  Str out;
  out.reserve(end * 2);
  Integer added = 0;
  typename View::value_type prev = 0;
  for (std::size_t i = 0; i < end; ++i) {
    const auto c = s[i];
    if (c != 10 && prev == 13) {
      out.push_back(10);
      ++added;
    } else if (c == 10 && prev != 13) {
      out.push_back(13);
      ++added;
    }
    out.push_back(c);
    prev = c;
    if ((i + 1) % kYieldEvery == 0) MyYieldProcess();
  }
  inserted = added;
  return out;
}

}  // namespace

AnsiString UnixStringToWindowsString(Integer& inserted, std::string_view s) {
  return ToWindowsLineEnds<AnsiString>(inserted, s);
}

string UnixStringToWindowsStringW(Integer& inserted, std::u16string_view s) {
  return ToWindowsLineEnds<string>(inserted, s);
}

string ExpandTabbedWideString(std::u16string_view s, Integer n) {
  string out;
  out.reserve(s.size());
  for (char16_t c : s) {
    if (c == u'\t')
      out.append(static_cast<std::size_t>(n > 0 ? n : 0), u' ');
    else
      out.push_back(c);
  }
  return out;
}

Integer StrScanIndex(std::u16string_view s, WideChar c, Integer start) {
  if (start < 1) start = 1;
  if (static_cast<std::size_t>(start) > s.size()) return 0;
  const std::size_t at = s.find(c, static_cast<std::size_t>(start - 1));
  return at == std::u16string_view::npos ? 0 : static_cast<Integer>(at + 1);
}

void FillWChar(void* buffer, Integer size_in_bytes, WideChar c) {
  if (buffer == nullptr || size_in_bytes < 2) return;
  auto* p = static_cast<WideChar*>(buffer);
  for (Integer i = 0; i < size_in_bytes / 2; ++i) p[i] = c;
}

void StringToSearch_word_type32(std::u16string_view s, search_word_type32& out) {
  std::memset(out, 0, sizeof out);
  std::memcpy(out, s.data(), std::min<std::size_t>(s.size(), 80) * sizeof(WideChar));
}

string Search_word_type32ToString(const search_word_type32* field) {
  if (field == nullptr) return string();
  std::size_t n = 0;
  while (n < 81 && (*field)[n] != 0) ++n;  // never past the field
  return string(*field, n);
}

namespace {

bool StartsWithNoCase(std::u16string_view s, std::size_t at, std::u16string_view what) {
  if (s.size() - at < what.size()) return false;
  for (std::size_t k = 0; k < what.size(); ++k) {
    char16_t c = s[at + k];
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    if (c != what[k]) return false;
  }
  return true;
}

bool IsCharacterCode(Int64 v) { return v > 0 && v <= 0xFFFF; }

}  // namespace

Integer MyFormatValidNumberStr(string& s) {
  Integer last = -1;
  string out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    if (s[i] == u'{' && StartsWithNoCase(s, i, u"{CHR(")) {
      const std::size_t close = s.find(u")}", i + 5);
      if (close != string::npos) {
        Integer v = 0;
        if (TryStrToInt(std::u16string_view(s).substr(i + 5, close - i - 5), v) && IsCharacterCode(v)) {
          out.push_back(static_cast<char16_t>(v));
          last = v;
          i = close + 2;
          continue;
        }
        // Not a character: the whole escape stays as text.
        out.append(s, i, close + 2 - i);
        i = close + 2;
        continue;
      }
    } else if (s[i] == u'#') {
      std::size_t j = i + 1;
      Int64 v = 0;
      while (j < s.size() && s[j] >= u'0' && s[j] <= u'9' && v <= 0xFFFF) v = v * 10 + (s[j++] - u'0');
      const bool more_digits = j < s.size() && s[j] >= u'0' && s[j] <= u'9';
      if (j > i + 1 && !more_digits && IsCharacterCode(v)) {
        out.push_back(static_cast<char16_t>(v));
        last = static_cast<Integer>(v);
        i = j;
        continue;
      }
    }
    out.push_back(s[i++]);
  }
  s = std::move(out);
  return last;
}

Boolean IsHashSymbol(WideChar c) { return c == 27; }

Boolean IsHashOrBrace(WideChar c) { return c == u'#' || c == u'{'; }

}  // namespace cv
