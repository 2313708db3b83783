// National-language services on ICU: Windows locale identifiers (LCIDs),
// their ANSI and OEM code pages, locale information, the measurement system,
// one-to-one case mapping and string collation.
//
// The LCID is the currency of the whole runtime (settings record, language
// details, sorting), so every query here takes one.  LOCALE_USER_DEFAULT,
// LOCALE_SYSTEM_DEFAULT and 0 stand for the process's user locale, which
// comes from the environment (LC_ALL, LC_CTYPE, LANG) and may be overridden
// with SetUserDefaultLCID.  Under the C or POSIX locale it is 0x0409 (U.S.
// English, U.S. units).
#pragma once

#include <cstddef>

#include "platform/sysutils.h"
#include "platform/types.h"

namespace cv {

constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;
constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
constexpr LCID LOCALE_NEUTRAL = 0x0000;
constexpr LCID LCID_EN_US = 0x0409;

constexpr Word PrimaryLangId(LCID lcid) { return static_cast<Word>(lcid & 0x3FF); }
constexpr Word SubLangId(LCID lcid) { return static_cast<Word>((lcid & 0xFFFF) >> 10); }
constexpr LCID MakeLangId(Word primary, Word sub) { return (static_cast<LCID>(sub) << 10) | primary; }

constexpr Word LANG_AZERI = 0x2C;
constexpr Word LANG_TURKISH = 0x1F;

// ---------------------------------------------------------------------------
// Locales

// The user's locale.  Resolved once from the environment, unless set.
LCID GetUserDefaultLCID();
void SetUserDefaultLCID(LCID lcid);
// 0x0400, 0x0800 and 0 become the user default; anything else is returned.
LCID ResolveLCID(LCID lcid);

// ICU locale name ("en_US", "sr_Latn_RS") for an LCID; empty when the LCID is
// not known.
std::string LocaleNameFromLCID(LCID lcid);
// The LCID of an ICU or POSIX locale name ("de_DE", "pt-BR", "tr_TR.UTF-8");
// 0 when none applies.
LCID LCIDFromLocaleName(std::string_view name);
bool IsValidLCID(LCID lcid);

// ---------------------------------------------------------------------------
// Code pages

constexpr Cardinal CP_ACP = 0;
constexpr Cardinal CP_OEMCP = 1;
constexpr Cardinal CP_UTF8 = 65001;
constexpr Cardinal CP_UTF16LE = 1200;
constexpr Cardinal CP_UTF16BE = 1201;
constexpr Cardinal kDefaultAnsiCodePage = 1252;
constexpr Cardinal kDefaultOemCodePage = 437;

// The process's ANSI and OEM code pages (GetACP, GetOEMCP).  Linux has none:
// they are 1252 and 437 unless set.
Cardinal GetACP();
void SetACP(Cardinal code_page);
Cardinal GetOEMCP();
void SetOEMCP(Cardinal code_page);

// The default ANSI / OEM code page of a locale, as Windows gives them
// (LOCALE_IDEFAULTANSICODEPAGE, LOCALE_IDEFAULTCODEPAGE).  Locales that
// Windows treats as Unicode-only give 0; an unknown LCID gives 0 too.
Cardinal AnsiCodePageOfLCID(LCID lcid);
Cardinal OemCodePageOfLCID(LCID lcid);

// ---------------------------------------------------------------------------
// Locale information (a subset of GetLocaleInfoW)

constexpr Cardinal LOCALE_ILANGUAGE = 0x0001;
constexpr Cardinal LOCALE_SLANGUAGE = 0x0002;          // localized display name
constexpr Cardinal LOCALE_SENGLANGUAGE = 0x1001;
constexpr Cardinal LOCALE_SNATIVELANGNAME = 0x0004;
constexpr Cardinal LOCALE_SENGCOUNTRY = 0x1002;
constexpr Cardinal LOCALE_SNATIVECTRYNAME = 0x0008;
constexpr Cardinal LOCALE_IDEFAULTCODEPAGE = 0x000B;
constexpr Cardinal LOCALE_IDEFAULTANSICODEPAGE = 0x1004;
constexpr Cardinal LOCALE_IMEASURE = 0x000D;
constexpr Cardinal LOCALE_SDECIMAL = 0x000E;
constexpr Cardinal LOCALE_STHOUSAND = 0x000F;
constexpr Cardinal LOCALE_SLIST = 0x000C;
constexpr Cardinal LOCALE_SISO639LANGNAME = 0x0059;
constexpr Cardinal LOCALE_SISO3166CTRYNAME = 0x005A;
constexpr Cardinal LOCALE_SNAME = 0x005C;              // "en-US"

// Empty when the LCID is unknown or the item is not supported.
string GetLocaleInfo(LCID lcid, Cardinal item);

// The format settings of a locale, from ICU's data: separators, month and day
// names, short date and long time pictures in Delphi's notation.
TFormatSettings FormatSettingsFromLCID(LCID lcid);

// True for metric units; false for U.S. units.
bool LocaleIsMetric(LCID lcid);

// ---------------------------------------------------------------------------
// Case mapping
//
// Always one code point to one code point (ICU's simple case mapping), so a
// mapped text keeps its length in code units: a mapping that would change the
// UTF-16 length leaves the character as it is, and unpaired surrogates stay.
// With `linguistic` set and a Turkish or Azeri LCID, i/I map to U+0130/U+0131
// as those languages want (LCMAP_LINGUISTIC_CASING).

bool IsTurkicLCID(LCID lcid);
char32_t UpperCodePoint(char32_t c, bool turkic);
char32_t LowerCodePoint(char32_t c, bool turkic);

void UpperCaseInPlace(char16_t* p, std::size_t count, LCID lcid, bool linguistic = true);
void LowerCaseInPlace(char16_t* p, std::size_t count, LCID lcid, bool linguistic = true);
string UpperCaseLocale(std::u16string_view s, LCID lcid, bool linguistic = true);
string LowerCaseLocale(std::u16string_view s, LCID lcid, bool linguistic = true);
// Locale-independent Unicode mapping.
string UnicodeUpperCase(std::u16string_view s);
string UnicodeLowerCase(std::u16string_view s);

// True for a decimal digit of any script (general category Nd).
bool IsUnicodeDigit(char32_t c);

// ---------------------------------------------------------------------------
// Collation (CompareStringW)

constexpr Cardinal NORM_IGNORECASE = 0x00000001;
constexpr Cardinal NORM_IGNORENONSPACE = 0x00000002;
constexpr Cardinal NORM_IGNORESYMBOLS = 0x00000004;
constexpr Cardinal NORM_IGNOREKANATYPE = 0x00010000;
constexpr Cardinal NORM_IGNOREWIDTH = 0x00020000;
constexpr Cardinal SORT_STRINGSORT = 0x00001000;
constexpr Cardinal LINGUISTIC_IGNORECASE = 0x00000010;
constexpr Cardinal LINGUISTIC_IGNOREDIACRITIC = 0x00000020;
constexpr Cardinal SORT_DIGITSASNUMBERS = 0x00000008;

constexpr int CSTR_LESS_THAN = 1;
constexpr int CSTR_EQUAL = 2;
constexpr int CSTR_GREATER_THAN = 3;

// Compares with the locale's collation (an ICU collator cached per locale and
// flags).  Returns CSTR_LESS_THAN, CSTR_EQUAL or CSTR_GREATER_THAN; never
// fails: when no collator can be had, code units are compared.
int CompareStringW(LCID lcid, Cardinal flags, std::u16string_view a, std::u16string_view b);

}  // namespace cv
