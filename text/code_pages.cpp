#include "text/code_pages.h"

#include <unicode/ucnv.h>

#include <array>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/nls.h"
#include "platform/utf.h"

namespace cv {

namespace {

constexpr char16_t kNoUnit = 0xFFFF;   // table entry: byte (pair) not defined
constexpr std::uint16_t kNoBytes = 0;  // from-Unicode entry: unmappable

// One code page as lookup tables.
//   single[b]   the unit of byte b (kNoUnit for a lead byte)
//   lead[b]     b starts a two-byte character (double-byte pages only)
//   pair[l<<8|t] the unit of the pair l,t (double-byte pages only)
//   from[u]     the bytes of unit u: one byte in the low 8 bits, or a pair
//               as lead<<8|trail; kNoBytes when unmappable (U+0000 is 0x00
//               and handled apart)
struct PageTables {
  bool dbcs = false;
  char16_t undefined_pair = u'?';
  std::array<char16_t, 256> single{};
  std::array<bool, 256> lead{};
  std::vector<char16_t> pair;
  std::vector<std::uint16_t> from;
};

const char* IcuName(Cardinal cp) {
  switch (cp) {
    case 874: return "windows-874";
    case 932: return "windows-932";
    case 936: return "windows-936";
    case 949: return "windows-949";
    case 950: return "windows-950";
    case 1250: return "windows-1250";
    case 1251: return "windows-1251";
    case 1252: return "windows-1252";
    case 1253: return "windows-1253";
    case 1254: return "windows-1254";
    case 1255: return "windows-1255";
    case 1256: return "windows-1256";
    case 1257: return "windows-1257";
    case 1258: return "windows-1258";
    case 437: return "ibm-437";
    case 720: return "ibm-720";
    case 737: return "ibm-737";
    case 775: return "ibm-775";
    case 850: return "ibm-850";
    case 852: return "ibm-852";
    case 855: return "ibm-855";
    case 857: return "ibm-857";
    case 862: return "ibm-862";
    case 866: return "ibm-866";
    default: return nullptr;
  }
}

struct ConverterCloser {
  void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// Decodes exactly the given bytes with ICU; kNoUnit unless they make exactly
// one unit without error.
char16_t IcuDecode(UConverter* cnv, const char* bytes, int n) {
  ucnv_reset(cnv);
  UChar out[4];
  UErrorCode err = U_ZERO_ERROR;
  const int32_t got = ucnv_toUChars(cnv, out, 4, bytes, n, &err);
  return (U_SUCCESS(err) && got == 1) ? out[0] : kNoUnit;
}

// Where Windows decodes a single byte differently from ICU's table for the
// page (checked against the Win32 API under Wine).  ICU's OEM and cp932
// tables follow IBM, which swaps 0x1A, 0x1C and 0x7F; Windows keeps every
// byte below 0x80 as ASCII, and that rule is applied apart from this list.
struct ByteFix {
  Cardinal cp;
  Byte byte;
  char16_t unit;
};
constexpr ByteFix kWindowsByteFixes[] = {
    {932, 0xA0, 0xF8F0}, {932, 0xFD, 0xF8F1}, {932, 0xFE, 0xF8F2}, {932, 0xFF, 0xF8F3},
    {1253, 0xAA, 0xF8F9}, {1253, 0xD2, 0xF8FA}, {1253, 0xFF, 0xF8FB},
    {1255, 0xCA, 0x05BA}, {1255, 0xD9, 0xF88D}, {1255, 0xDA, 0xF88E}, {1255, 0xDB, 0xF88F},
    {1255, 0xDC, 0xF890}, {1255, 0xDD, 0xF891}, {1255, 0xDE, 0xF892}, {1255, 0xDF, 0xF893},
    {1255, 0xFB, 0xF894}, {1255, 0xFC, 0xF895}, {1255, 0xFF, 0xF896}, {1257, 0xA1, 0xF8FC}, {1257, 0xA5, 0xF8FD},
    {437, 0xE6, 0x00B5},  {862, 0xE6, 0x00B5},  {852, 0xAA, 0x00AC},  {857, 0xD5, 0xF8BB},
    {857, 0xE7, 0xF8BC},  {857, 0xF2, 0xF8BD},
};

std::unique_ptr<PageTables> BuildTables(Cardinal cp) {
  const char* name = IcuName(cp);
  if (name == nullptr) return nullptr;
  UErrorCode err = U_ZERO_ERROR;
  Converter cnv(ucnv_open(name, &err));
  if (U_FAILURE(err) || !cnv) return nullptr;
  // Undefined input must fail, not turn into a substitute we could mistake
  // for a mapping.
  err = U_ZERO_ERROR;
  ucnv_setToUCallBack(cnv.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &err);
  err = U_ZERO_ERROR;
  ucnv_setFromUCallBack(cnv.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &err);
  ucnv_setFallback(cnv.get(), false);

  auto t = std::make_unique<PageTables>();
  t->dbcs = ucnv_getMaxCharSize(cnv.get()) > 1;
  t->undefined_pair = (cp == 932) ? u'\u30FB' : u'?';
  if (t->dbcs) {
    UBool starters[256];
    err = U_ZERO_ERROR;
    ucnv_getStarters(cnv.get(), starters, &err);
    for (unsigned b = 0; b < 256; ++b) t->lead[b] = U_SUCCESS(err) && starters[b];
  }
  for (unsigned b = 0; b < 256; ++b) {
    const char byte = static_cast<char>(b);
    const char16_t u = IcuDecode(cnv.get(), &byte, 1);
    if (u != kNoUnit) {
      t->single[b] = u;
      continue;
    }
    // Windows defines every byte: one ICU leaves unmapped stands for the
    // unit of the same value (cp1252 0x81 is U+0081).
    t->single[b] = t->lead[b] ? kNoUnit : static_cast<char16_t>(b);
  }
  for (unsigned b = 0; b < 0x80; ++b)
    if (!t->lead[b]) t->single[b] = static_cast<char16_t>(b);
  for (const ByteFix& fix : kWindowsByteFixes)
    if (fix.cp == cp) t->single[fix.byte] = fix.unit;
  if (t->dbcs) {
    // cp932's 0x80 and 0xA0 and cp936's 0x80 are single bytes to Windows.
    t->pair.assign(65536, kNoUnit);
    for (unsigned l = 0; l < 256; ++l) {
      if (!t->lead[l]) continue;
      for (unsigned trail = 0; trail < 256; ++trail) {
        const char two[2] = {static_cast<char>(l), static_cast<char>(trail)};
        t->pair[l << 8 | trail] = IcuDecode(cnv.get(), two, 2);
      }
    }
  }

  // From Unicode: ICU's round-trip mappings (fallbacks are off), then the
  // single bytes that only the Windows corrections above define.
  t->from.assign(65536, kNoBytes);
  for (UChar32 u = 1; u < 0x10000; ++u) {
    if (u >= 0xD800 && u <= 0xDFFF) continue;
    const UChar unit = static_cast<UChar>(u);
    char bytes[8];
    ucnv_resetFromUnicode(cnv.get());
    err = U_ZERO_ERROR;
    const int32_t n = ucnv_fromUChars(cnv.get(), bytes, sizeof bytes, &unit, 1, &err);
    if (U_FAILURE(err)) continue;
    if (n == 1)
      t->from[u] = static_cast<Byte>(bytes[0]);
    else if (n == 2)
      t->from[u] = static_cast<std::uint16_t>(static_cast<Byte>(bytes[0]) << 8 | static_cast<Byte>(bytes[1]));
  }
  // Keep only mappings that decode back to the same unit (the byte
  // corrections above change some), then give every defined byte a way back.
  for (UChar32 u = 1; u < 0x10000; ++u) {
    const std::uint16_t b = t->from[u];
    if (b == kNoBytes) continue;
    const char16_t back = b > 0xFF ? t->pair[b] : (t->lead[b] ? kNoUnit : t->single[b]);
    if (back != u) t->from[u] = kNoBytes;
  }
  for (unsigned b = 1; b < 256; ++b) {
    const char16_t u = t->single[b];
    if (u != kNoUnit && t->from[u] == kNoBytes) t->from[u] = static_cast<std::uint16_t>(b);
  }
  return t;
}

const PageTables* TablesFor(Cardinal cp) {
  static std::mutex mutex;
  static std::map<Cardinal, std::unique_ptr<PageTables>> pages;
  std::lock_guard<std::mutex> lock(mutex);
  auto it = pages.find(cp);
  if (it == pages.end()) it = pages.emplace(cp, BuildTables(cp)).first;
  return it->second.get();
}

Integer Utf8SequenceLength(const char* p, Integer avail) {
  const Byte b = static_cast<Byte>(p[0]);
  const Integer n = b < 0x80 ? 1 : (b >= 0xC2 && b <= 0xDF) ? 2 : (b >= 0xE0 && b <= 0xEF) ? 3
                  : (b >= 0xF0 && b <= 0xF4) ? 4 : 1;
  if (n == 1 || n > avail) return 1;
  return IsValidUtf8(std::string_view(p, static_cast<std::size_t>(n))) ? n : 1;
}

}  // namespace

Cardinal ResolveCodePage(Cardinal code_page) {
  if (code_page == CP_ACP) return GetACP();
  if (code_page == CP_OEMCP) return GetOEMCP();
  return code_page;
}

bool IsSupportedCodePage(Cardinal code_page) {
  const Cardinal cp = ResolveCodePage(code_page);
  return cp == CP_UTF8 || IcuName(cp) != nullptr;
}

Cardinal CodePageOfLCIDOrACP(LCID lcid) {
  const Cardinal cp = AnsiCodePageOfLCID(ResolveLCID(lcid));
  return cp != 0 ? cp : GetACP();
}

bool MultiByteToWide(Cardinal code_page, std::string_view bytes, string& out) {
  const Cardinal cp = ResolveCodePage(code_page);
  out.clear();
  if (cp == CP_UTF8) {
    out = Utf8ToUtf16(bytes);
    return true;
  }
  const PageTables* t = TablesFor(cp);
  if (t == nullptr) {
    out = Latin1ToUtf16(bytes);
    return false;
  }
  out.resize(bytes.size());
  std::size_t w = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const Byte b = static_cast<Byte>(bytes[i]);
    if (!t->dbcs || !t->lead[b]) {
      out[w++] = t->single[b];
    } else if (i + 1 < bytes.size()) {
      const char16_t u = t->pair[b << 8 | static_cast<Byte>(bytes[i + 1])];
      if (u == kNoUnit && static_cast<Byte>(bytes[i + 1]) < 0x40) {
        // An invalid trail byte stands for itself: the lead alone is undefined.
        out[w++] = t->undefined_pair;
        continue;
      }
      out[w++] = u == kNoUnit ? t->undefined_pair : u;
      ++i;
    } else {
      out[w++] = u'?';  // a lead byte cut off at the end
    }
  }
  out.resize(w);
  return true;
}

string MultiByteToWide(Cardinal code_page, std::string_view bytes) {
  string s;
  MultiByteToWide(code_page, bytes, s);
  return s;
}

bool WideToMultiByte(Cardinal code_page, std::u16string_view text, AnsiString& out, bool* used_default) {
  const Cardinal cp = ResolveCodePage(code_page);
  out.clear();
  if (used_default) *used_default = false;
  if (cp == CP_UTF8) {
    out = Utf16ToUtf8(text);
    return true;
  }
  const PageTables* t = TablesFor(cp);
  if (t == nullptr) return false;
  out.reserve(text.size() * (t->dbcs ? 2 : 1));
  for (char16_t u : text) {
    const std::uint16_t b = u == 0 ? 0 : t->from[u];
    if (u != 0 && b == kNoBytes) {
      out.push_back('?');
      if (used_default) *used_default = true;
    } else if (b > 0xFF) {
      out.push_back(static_cast<char>(b >> 8));
      out.push_back(static_cast<char>(b & 0xFF));
    } else {
      out.push_back(static_cast<char>(b));
    }
  }
  return true;
}

AnsiString WideToMultiByte(Cardinal code_page, std::u16string_view text) {
  AnsiString s;
  WideToMultiByte(code_page, text, s);
  return s;
}

Integer CharByteLength(Cardinal code_page, const char* p, Integer avail) {
  if (avail <= 1) return 1;
  const Cardinal cp = ResolveCodePage(code_page);
  if (cp == CP_UTF8) return Utf8SequenceLength(p, avail);
  const PageTables* t = TablesFor(cp);
  if (t == nullptr || !t->dbcs || !t->lead[static_cast<Byte>(p[0])]) return 1;
  return static_cast<Byte>(p[1]) >= 0x40 ? 2 : 1;
}

char16_t DecodeOneChar(Cardinal code_page, const char* p, Integer len) {
  if (len <= 0) return u'?';
  const Cardinal cp = ResolveCodePage(code_page);
  if (cp != CP_UTF8) {
    const PageTables* t = TablesFor(cp);
    if (t == nullptr) return static_cast<Byte>(p[0]);
    const Byte b = static_cast<Byte>(p[0]);
    if (!t->dbcs || !t->lead[b]) return t->single[b];
    if (len < 2) return u'?';
    const char16_t u = t->pair[b << 8 | static_cast<Byte>(p[1])];
    return u == kNoUnit ? t->undefined_pair : u;
  }
  const string s = Utf8ToUtf16(std::string_view(p, static_cast<std::size_t>(len)));
  return s.empty() ? u'?' : s[0];
}

}  // namespace cv
