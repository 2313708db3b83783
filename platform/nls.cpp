#include "platform/nls.h"

#include <unicode/dcfmtsym.h>
#include <unicode/dtfmtsym.h>
#include <unicode/dtptngen.h>
#include <unicode/locid.h>
#include <unicode/ucol.h>
#include <unicode/uchar.h>
#include <unicode/uloc.h>
#include <unicode/ulocdata.h>
#include <unicode/ustring.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <cstdio>
#include <optional>

#include "platform/utf.h"

namespace cv {

namespace {

// ---------------------------------------------------------------------------
// Process-wide values that Windows would take from the system.

struct ProcessLocale {
  std::optional<LCID> user_lcid;
  Cardinal acp = kDefaultAnsiCodePage;
  Cardinal oemcp = kDefaultOemCodePage;
};

ProcessLocale& Process() {
  static ProcessLocale p;
  return p;
}

LCID LCIDFromEnvironment() {
  for (const char* var : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* v = std::getenv(var);
    if (v == nullptr || *v == '\0') continue;
    const LCID lcid = LCIDFromLocaleName(v);
    return lcid != 0 ? lcid : LCID_EN_US;
  }
  return LCID_EN_US;
}

std::u16string_view AsView(const icu::UnicodeString& s) {
  return {reinterpret_cast<const char16_t*>(s.getBuffer()), static_cast<size_t>(s.length())};
}

string FromIcu(const icu::UnicodeString& s) { return string(AsView(s)); }

// ---------------------------------------------------------------------------
// Code pages by language, as Windows reports them.  Languages that Windows
// treats as Unicode-only have ANSI page 0 and OEM page 1.

struct CodePages {
  Cardinal ansi;
  Cardinal oem;
};

constexpr CodePages kWestern{1252, 850};
constexpr CodePages kCentral{1250, 852};
constexpr CodePages kCyrillic{1251, 866};
constexpr CodePages kUnicodeOnly{0, 1};

std::optional<CodePages> CodePagesOf(LCID lcid) {
  const Word lang = PrimaryLangId(lcid);
  const Word sub = SubLangId(lcid);
  switch (lang) {
    case 0x09:  // English
      return lcid == 0x0409 ? CodePages{1252, 437} : kWestern;
    case 0x05: case 0x0E: case 0x15: case 0x18: case 0x1B: case 0x24: case 0x1C:
      return kCentral;  // cs hu pl ro sk sl sq
    case 0x1A:  // hr, sr, bs: the script decides
      switch (lcid) {
        case 0x0C1A: case 0x1C1A: case 0x281A: case 0x301A: return CodePages{1251, 855};
        case 0x201A: return CodePages{1251, 855};
        default: return kCentral;
      }
    case 0x19: case 0x22: case 0x23: case 0x02: case 0x2F: case 0x3F: case 0x40:
    case 0x44: case 0x6D: case 0x85: case 0x28:
      return kCyrillic;  // ru uk be bg mk kk ky tt ba sah tg
    case 0x50:  // Mongolian: Cyrillic, or traditional script
      return sub == 1 ? kCyrillic : kUnicodeOnly;
    case 0x08: return CodePages{1253, 737};
    case LANG_TURKISH: return CodePages{1254, 857};
    case LANG_AZERI: return sub == 2 ? CodePages{1251, 866} : CodePages{1254, 857};
    case 0x43: return sub == 2 ? CodePages{1251, 866} : CodePages{1254, 857};  // Uzbek
    case 0x0D: return CodePages{1255, 862};
    case 0x01: case 0x29: case 0x20: case 0x80: case 0x8C: case 0x92: case 0x63:
      return CodePages{1256, 720};  // ar fa ur ug prs ku ps
    case 0x25: case 0x26: case 0x27: return CodePages{1257, 775};
    case 0x2A: return CodePages{1258, 1258};
    case 0x1E: return CodePages{874, 874};
    case 0x11: return CodePages{932, 932};
    case 0x12: return CodePages{949, 949};
    case 0x04:
      switch (lcid) {
        case 0x0804: case 0x1004: case 0x0004: return CodePages{936, 936};
        default: return CodePages{950, 950};
      }
    case 0x39: case 0x4E: case 0x4F: case 0x49: case 0x4A: case 0x4B: case 0x4C:
    case 0x47: case 0x46: case 0x45: case 0x48: case 0x4D: case 0x61: case 0x5B:
    case 0x2B: case 0x37: case 0x53: case 0x54: case 0x5E: case 0x51: case 0x65:
    case 0x5A: case 0x5D: case 0x57: case 0x78: case 0x7E: case 0x30: case 0x32:
      // hi mr sa ta te kn ml gu pa bn or as ne si hy ka km lo am bo dv syr iu
      // kok ii co(?) ... Windows has no 8-bit page for these.
      return kUnicodeOnly;
    default:
      break;
  }
  if (LocaleNameFromLCID(lcid).empty()) return std::nullopt;
  return kWestern;
}

// ---------------------------------------------------------------------------
// Date and time pictures: ICU patterns to Delphi's picture language.

// Appends `count` repetitions of the Delphi token for ICU letter `c`.
void AppendDelphiToken(string& out, char16_t c, int count) {
  switch (c) {
    case u'y': case u'Y': case u'u':
      out += count == 2 ? u"yy" : u"yyyy";
      break;
    case u'M': case u'L':
      out += count == 1 ? u"m" : count == 2 ? u"mm" : count == 3 ? u"mmm" : u"mmmm";
      break;
    case u'd':
      out += count == 1 ? u"d" : u"dd";
      break;
    case u'E': case u'c': case u'e':
      out += count <= 3 ? u"ddd" : u"dddd";
      break;
    case u'h': case u'H': case u'k': case u'K':
      out += count == 1 ? u"h" : u"hh";
      break;
    case u'm':
      out += count == 1 ? u"n" : u"nn";
      break;
    case u's':
      out += count == 1 ? u"s" : u"ss";
      break;
    case u'a': case u'b': case u'B':
      out += u"AMPM";
      break;
    default:
      break;  // eras, zones, fractions: not in Delphi's pictures
  }
}

// Converts an ICU pattern; `separator` is the character that becomes the
// Delphi placeholder `placeholder` ('/' for dates, ':' for times).
string DelphiPicture(const icu::UnicodeString& pattern, char16_t separator, char16_t placeholder) {
  const std::u16string_view p = AsView(pattern);
  string out;
  for (size_t i = 0; i < p.size();) {
    const char16_t c = p[i];
    if (c == u'\'') {
      // Quoted literal; '' is a single quote.
      size_t j = i + 1;
      string lit;
      while (j < p.size()) {
        if (p[j] == u'\'') {
          if (j + 1 < p.size() && p[j + 1] == u'\'') {
            lit += u'\'';
            j += 2;
            continue;
          }
          break;
        }
        lit += p[j++];
      }
      if (i + 1 < p.size() && p[i + 1] == u'\'') {
        out += u"'\"'\"";  // a lone quote: not representable plainly; keep it literal
        i += 2;
        continue;
      }
      if (!lit.empty()) out += u'"' + lit + u'"';
      i = j + 1;
      continue;
    }
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) {
      size_t j = i;
      while (j < p.size() && p[j] == c) ++j;
      AppendDelphiToken(out, c, static_cast<int>(j - i));
      i = j;
      continue;
    }
    if (c == separator) {
      out += placeholder;
    } else if (c == u'"') {
      out += u"'\"'";
    } else {
      out += c;
    }
    ++i;
  }
  // ICU puts narrow no-break spaces before AM/PM in some locales; Delphi
  // pictures use a plain space.
  for (auto& ch : out)
    if (ch == 0x202F || ch == 0x00A0) ch = u' ';
  return out;
}

// The first character of a pattern that is neither a letter nor quoted.
char16_t FirstSeparator(const icu::UnicodeString& pattern, char16_t fallback) {
  const std::u16string_view p = AsView(pattern);
  bool quoted = false;
  for (char16_t c : p) {
    if (c == u'\'') {
      quoted = !quoted;
      continue;
    }
    if (quoted) continue;
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u' ') continue;
    return c;
  }
  return fallback;
}

// ---------------------------------------------------------------------------
// Case mapping

bool IsAscii(std::u16string_view s) {
  for (char16_t c : s)
    if (c >= 0x80) return false;
  return true;
}

template <typename MapFn>
void MapInPlace(char16_t* p, std::size_t count, MapFn map) {
  for (std::size_t i = 0; i < count; ++i) {
    const char16_t c = p[i];
    if (c < 0xD800 || c > 0xDFFF) {
      const char32_t m = map(c);
      if (m < 0x10000 && (m < 0xD800 || m > 0xDFFF)) p[i] = static_cast<char16_t>(m);
      continue;
    }
    if (c <= 0xDBFF && i + 1 < count && p[i + 1] >= 0xDC00 && p[i + 1] <= 0xDFFF) {
      const char32_t cp = 0x10000 + ((c - 0xD800) << 10) + (p[i + 1] - 0xDC00);
      const char32_t m = map(cp);
      if (m >= 0x10000 && m <= 0x10FFFF) {
        p[i] = static_cast<char16_t>(0xD800 + ((m - 0x10000) >> 10));
        p[i + 1] = static_cast<char16_t>(0xDC00 + ((m - 0x10000) & 0x3FF));
      }
      ++i;
    }
    // An unpaired surrogate stays as it is.
  }
}

// ---------------------------------------------------------------------------
// Collators, one per locale and flag set.

struct CollatorDeleter {
  void operator()(UCollator* c) const { ucol_close(c); }
};
using CollatorPtr = std::unique_ptr<UCollator, CollatorDeleter>;

UCollator* CollatorFor(LCID lcid, Cardinal flags) {
  static std::map<std::pair<LCID, Cardinal>, CollatorPtr> cache;
  const auto key = std::make_pair(lcid, flags);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second.get();

  UErrorCode status = U_ZERO_ERROR;
  const std::string name = LocaleNameFromLCID(lcid);
  CollatorPtr coll(ucol_open(name.c_str(), &status));
  if (U_FAILURE(status)) coll.reset();
  if (coll) {
    const bool ignore_case = flags & (NORM_IGNORECASE | LINGUISTIC_IGNORECASE);
    const bool ignore_marks = flags & (NORM_IGNORENONSPACE | LINGUISTIC_IGNOREDIACRITIC);
    UColAttributeValue strength = UCOL_TERTIARY;
    if (ignore_marks) {
      strength = UCOL_PRIMARY;
      if (!ignore_case) ucol_setAttribute(coll.get(), UCOL_CASE_LEVEL, UCOL_ON, &status);
    } else if (ignore_case) {
      strength = UCOL_SECONDARY;
    }
    ucol_setAttribute(coll.get(), UCOL_STRENGTH, strength, &status);
    if (flags & NORM_IGNORESYMBOLS)
      ucol_setAttribute(coll.get(), UCOL_ALTERNATE_HANDLING, UCOL_SHIFTED, &status);
    if (flags & SORT_DIGITSASNUMBERS)
      ucol_setAttribute(coll.get(), UCOL_NUMERIC_COLLATION, UCOL_ON, &status);
    if (U_FAILURE(status)) coll.reset();
  }
  UCollator* raw = coll.get();
  cache.emplace(key, std::move(coll));
  return raw;
}

}  // namespace

// ---------------------------------------------------------------------------
// Locales

LCID GetUserDefaultLCID() {
  auto& p = Process();
  if (!p.user_lcid) p.user_lcid = LCIDFromEnvironment();
  return *p.user_lcid;
}

void SetUserDefaultLCID(LCID lcid) {
  // The placeholders mean "whatever the environment says".
  if (lcid == 0 || lcid == LOCALE_USER_DEFAULT || lcid == LOCALE_SYSTEM_DEFAULT)
    Process().user_lcid.reset();
  else
    Process().user_lcid = lcid;
}

LCID ResolveLCID(LCID lcid) {
  if (lcid == 0 || lcid == LOCALE_USER_DEFAULT || lcid == LOCALE_SYSTEM_DEFAULT)
    return GetUserDefaultLCID();
  return lcid;
}

std::string LocaleNameFromLCID(LCID lcid) {
  lcid = ResolveLCID(lcid);
  char buf[ULOC_FULLNAME_CAPACITY] = {};
  UErrorCode status = U_ZERO_ERROR;
  const int32_t n = uloc_getLocaleForLCID(lcid, buf, sizeof buf - 1, &status);
  if (U_FAILURE(status) || n <= 0) return {};
  return std::string(buf, static_cast<size_t>(n));
}

LCID LCIDFromLocaleName(std::string_view name) {
  std::string s(name);
  // POSIX names carry a code set and a modifier: de_DE.UTF-8@euro.
  if (const auto at = s.find('@'); at != std::string::npos) s.erase(at);
  if (const auto dot = s.find('.'); dot != std::string::npos) s.erase(dot);
  if (s.empty() || s == "C" || s == "POSIX") return LCID_EN_US;
  for (auto& c : s)
    if (c == '-') c = '_';
  char canon[ULOC_FULLNAME_CAPACITY] = {};
  UErrorCode status = U_ZERO_ERROR;
  uloc_canonicalize(s.c_str(), canon, sizeof canon - 1, &status);
  if (U_FAILURE(status)) return 0;
  LCID lcid = uloc_getLCID(canon);
  if (lcid == 0) {
    // A language with an unusual region: fall back to the likely locale.
    char full[ULOC_FULLNAME_CAPACITY] = {};
    status = U_ZERO_ERROR;
    uloc_addLikelySubtags(canon, full, sizeof full - 1, &status);
    if (U_SUCCESS(status)) lcid = uloc_getLCID(full);
  }
  return lcid;
}

bool IsValidLCID(LCID lcid) { return !LocaleNameFromLCID(lcid).empty(); }

// ---------------------------------------------------------------------------
// Code pages

Cardinal GetACP() { return Process().acp; }
void SetACP(Cardinal code_page) { Process().acp = code_page; }
Cardinal GetOEMCP() { return Process().oemcp; }
void SetOEMCP(Cardinal code_page) { Process().oemcp = code_page; }

Cardinal AnsiCodePageOfLCID(LCID lcid) {
  const auto cp = CodePagesOf(ResolveLCID(lcid));
  return cp ? cp->ansi : 0;
}

Cardinal OemCodePageOfLCID(LCID lcid) {
  const auto cp = CodePagesOf(ResolveLCID(lcid));
  return cp ? cp->oem : 0;
}

// ---------------------------------------------------------------------------
// Locale information

bool LocaleIsMetric(LCID lcid) {
  const std::string name = LocaleNameFromLCID(lcid);
  if (name.empty()) return true;
  UErrorCode status = U_ZERO_ERROR;
  const UMeasurementSystem ms = ulocdata_getMeasurementSystem(name.c_str(), &status);
  if (U_FAILURE(status)) return true;
  return ms != UMS_US;
}

string GetLocaleInfo(LCID lcid, Cardinal item) {
  lcid = ResolveLCID(lcid);
  const std::string name = LocaleNameFromLCID(lcid);
  if (name.empty()) return {};
  const icu::Locale loc(name.c_str());
  icu::UnicodeString us;
  switch (item) {
    case LOCALE_ILANGUAGE: {
      char buf[8];
      std::snprintf(buf, sizeof buf, "%04x", static_cast<unsigned>(lcid & 0xFFFF));
      return Latin1ToUtf16(buf);
    }
    case LOCALE_SLANGUAGE:
      return FromIcu(loc.getDisplayName(icu::Locale(LocaleNameFromLCID(0).c_str()), us));
    case LOCALE_SENGLANGUAGE:
      return FromIcu(loc.getDisplayLanguage(icu::Locale::getEnglish(), us));
    case LOCALE_SNATIVELANGNAME:
      return FromIcu(loc.getDisplayLanguage(loc, us));
    case LOCALE_SENGCOUNTRY:
      return FromIcu(loc.getDisplayCountry(icu::Locale::getEnglish(), us));
    case LOCALE_SNATIVECTRYNAME:
      return FromIcu(loc.getDisplayCountry(loc, us));
    case LOCALE_IDEFAULTANSICODEPAGE:
      return IntToStr(AnsiCodePageOfLCID(lcid));
    case LOCALE_IDEFAULTCODEPAGE:
      return IntToStr(OemCodePageOfLCID(lcid));
    case LOCALE_IMEASURE:
      return LocaleIsMetric(lcid) ? u"0" : u"1";
    case LOCALE_SISO639LANGNAME:
      return Latin1ToUtf16(loc.getLanguage());
    case LOCALE_SISO3166CTRYNAME:
      return Latin1ToUtf16(loc.getCountry());
    case LOCALE_SNAME: {
      char tag[ULOC_FULLNAME_CAPACITY] = {};
      UErrorCode status = U_ZERO_ERROR;
      uloc_toLanguageTag(name.c_str(), tag, sizeof tag - 1, false, &status);
      return U_SUCCESS(status) ? Latin1ToUtf16(tag) : string();
    }
    case LOCALE_SDECIMAL:
    case LOCALE_STHOUSAND:
    case LOCALE_SLIST: {
      UErrorCode status = U_ZERO_ERROR;
      icu::DecimalFormatSymbols sym(loc, status);
      if (U_FAILURE(status)) return {};
      if (item == LOCALE_SDECIMAL)
        return FromIcu(sym.getSymbol(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol));
      if (item == LOCALE_STHOUSAND)
        return FromIcu(sym.getSymbol(icu::DecimalFormatSymbols::kGroupingSeparatorSymbol));
      // Windows uses ';' where the decimal separator is a comma.
      return sym.getSymbol(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol) == u","
                 ? u";"
                 : u",";
    }
    default:
      return {};
  }
}

TFormatSettings FormatSettingsFromLCID(LCID lcid) {
  TFormatSettings fs = InvariantFormatSettings();
  const std::string name = LocaleNameFromLCID(lcid);
  if (name.empty()) return fs;
  const icu::Locale loc(name.c_str());

  UErrorCode status = U_ZERO_ERROR;
  icu::DecimalFormatSymbols sym(loc, status);
  if (U_SUCCESS(status)) {
    auto first = [](const icu::UnicodeString& s, char16_t def) {
      return s.length() > 0 ? static_cast<char16_t>(s.charAt(0)) : def;
    };
    fs.DecimalSeparator = first(sym.getSymbol(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol), u'.');
    fs.ThousandSeparator = first(sym.getSymbol(icu::DecimalFormatSymbols::kGroupingSeparatorSymbol), u',');
    if (fs.ThousandSeparator == 0x202F || fs.ThousandSeparator == 0x00A0) fs.ThousandSeparator = 0x00A0;
    fs.ListSeparator = fs.DecimalSeparator == u',' ? u';' : u',';
    fs.CurrencyString = FromIcu(sym.getSymbol(icu::DecimalFormatSymbols::kCurrencySymbol));
  }

  status = U_ZERO_ERROR;
  icu::DateFormatSymbols dsym(loc, status);
  if (U_SUCCESS(status)) {
    int32_t n = 0;
    const icu::UnicodeString* names = dsym.getMonths(n, icu::DateFormatSymbols::FORMAT,
                                                     icu::DateFormatSymbols::WIDE);
    for (int32_t i = 0; i < n && i < 12; ++i) fs.LongMonthNames[i] = FromIcu(names[i]);
    names = dsym.getMonths(n, icu::DateFormatSymbols::FORMAT, icu::DateFormatSymbols::ABBREVIATED);
    for (int32_t i = 0; i < n && i < 12; ++i) fs.ShortMonthNames[i] = FromIcu(names[i]);
    // ICU's weekday arrays start with an empty entry at index 0 (Sunday is 1).
    names = dsym.getWeekdays(n, icu::DateFormatSymbols::FORMAT, icu::DateFormatSymbols::WIDE);
    for (int32_t i = 1; i < n && i <= 7; ++i) fs.LongDayNames[i - 1] = FromIcu(names[i]);
    names = dsym.getWeekdays(n, icu::DateFormatSymbols::FORMAT, icu::DateFormatSymbols::ABBREVIATED);
    for (int32_t i = 1; i < n && i <= 7; ++i) fs.ShortDayNames[i - 1] = FromIcu(names[i]);
    names = dsym.getAmPmStrings(n);
    if (n >= 2) {
      fs.TimeAMString = FromIcu(names[0]);
      fs.TimePMString = FromIcu(names[1]);
    }
  }

  status = U_ZERO_ERROR;
  std::unique_ptr<icu::DateTimePatternGenerator> gen(
      icu::DateTimePatternGenerator::createInstance(loc, status));
  if (U_SUCCESS(status) && gen) {
    auto best = [&](const char16_t* skeleton) {
      UErrorCode st = U_ZERO_ERROR;
      icu::UnicodeString r = gen->getBestPattern(icu::UnicodeString(skeleton), st);
      return U_SUCCESS(st) ? r : icu::UnicodeString();
    };
    const icu::UnicodeString short_date = best(u"yMd");
    const icu::UnicodeString long_date = best(u"yMMMMEEEEd");
    const icu::UnicodeString short_time = best(u"jmm");
    const icu::UnicodeString long_time = best(u"jmmss");
    fs.DateSeparator = FirstSeparator(short_date, u'/');
    fs.TimeSeparator = FirstSeparator(long_time, u':');
    if (!short_date.isEmpty()) fs.ShortDateFormat = DelphiPicture(short_date, fs.DateSeparator, u'/');
    if (!long_date.isEmpty()) fs.LongDateFormat = DelphiPicture(long_date, 0, 0);
    if (!short_time.isEmpty()) fs.ShortTimeFormat = DelphiPicture(short_time, fs.TimeSeparator, u':');
    if (!long_time.isEmpty()) fs.LongTimeFormat = DelphiPicture(long_time, fs.TimeSeparator, u':');
  }
  return fs;
}

// ---------------------------------------------------------------------------
// Case mapping

bool IsTurkicLCID(LCID lcid) {
  const Word lang = PrimaryLangId(ResolveLCID(lcid));
  return lang == LANG_TURKISH || lang == LANG_AZERI;
}

char32_t UpperCodePoint(char32_t c, bool turkic) {
  if (c < 0x80) {
    if (c >= U'a' && c <= U'z') return turkic && c == U'i' ? 0x130 : c - 32;
    return c;
  }
  return static_cast<char32_t>(u_toupper(static_cast<UChar32>(c)));
}

char32_t LowerCodePoint(char32_t c, bool turkic) {
  if (c < 0x80) {
    if (c >= U'A' && c <= U'Z') return turkic && c == U'I' ? 0x131 : c + 32;
    return c;
  }
  return static_cast<char32_t>(u_tolower(static_cast<UChar32>(c)));
}

void UpperCaseInPlace(char16_t* p, std::size_t count, LCID lcid, bool linguistic) {
  if (p == nullptr) return;
  const bool turkic = linguistic && IsTurkicLCID(lcid);
  MapInPlace(p, count, [turkic](char32_t c) { return UpperCodePoint(c, turkic); });
}

void LowerCaseInPlace(char16_t* p, std::size_t count, LCID lcid, bool linguistic) {
  if (p == nullptr) return;
  const bool turkic = linguistic && IsTurkicLCID(lcid);
  MapInPlace(p, count, [turkic](char32_t c) { return LowerCodePoint(c, turkic); });
}

string UpperCaseLocale(std::u16string_view s, LCID lcid, bool linguistic) {
  string r(s);
  UpperCaseInPlace(r.data(), r.size(), lcid, linguistic);
  return r;
}

string LowerCaseLocale(std::u16string_view s, LCID lcid, bool linguistic) {
  string r(s);
  LowerCaseInPlace(r.data(), r.size(), lcid, linguistic);
  return r;
}

string UnicodeUpperCase(std::u16string_view s) {
  string r(s);
  if (IsAscii(s)) {
    for (auto& c : r)
      if (c >= u'a' && c <= u'z') c -= 32;
    return r;
  }
  MapInPlace(r.data(), r.size(), [](char32_t c) { return UpperCodePoint(c, false); });
  return r;
}

string UnicodeLowerCase(std::u16string_view s) {
  string r(s);
  if (IsAscii(s)) {
    for (auto& c : r)
      if (c >= u'A' && c <= u'Z') c += 32;
    return r;
  }
  MapInPlace(r.data(), r.size(), [](char32_t c) { return LowerCodePoint(c, false); });
  return r;
}

bool IsUnicodeDigit(char32_t c) { return u_charType(static_cast<UChar32>(c)) == U_DECIMAL_DIGIT_NUMBER; }

// ---------------------------------------------------------------------------
// Collation

int CompareStringW(LCID lcid, Cardinal flags, std::u16string_view a, std::u16string_view b) {
  UCollator* coll = CollatorFor(ResolveLCID(lcid), flags);
  int r;
  if (coll != nullptr) {
    r = ucol_strcoll(coll, reinterpret_cast<const UChar*>(a.data()), static_cast<int32_t>(a.size()),
                     reinterpret_cast<const UChar*>(b.data()), static_cast<int32_t>(b.size()));
  } else {
    r = a.compare(b);
  }
  return r < 0 ? CSTR_LESS_THAN : r > 0 ? CSTR_GREATER_THAN : CSTR_EQUAL;
}

}  // namespace cv
