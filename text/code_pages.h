// Code-page conversion between 8-bit Windows code pages and UTF-16, the
// stand-in for MultiByteToWideChar / WideCharToMultiByte.
//
// Supported: the ANSI pages 874, 932, 936, 949, 950, 1250-1258, the OEM pages
// that the locale table names (437, 720, 737, 775, 850, 852, 855, 857, 862,
// 866), UTF-8 (65001), and CP_ACP / CP_OEMCP (0 and 1, the process's pages).
//
// Each page is served from tables built once, at first use, from ICU's
// converter for it, with the corrections Windows needs: Windows maps every
// byte of the single-byte pages (cp1252 0x81 becomes U+0081, for instance),
// where ICU leaves some unmapped.
//
// Unmappable characters (UTF-16 to 8-bit): SUBSTITUTION, not best fit.  A
// character the page cannot hold becomes '?'; no look-alike is chosen (best
// fit would turn U+0142 into 'l' and U+221E into '8', so a word written back
// would silently become a different word).  This is what Windows does with
// WC_NO_BEST_FIT_CHARS.  An unpaired surrogate is unmappable too.
//
// Undecodable bytes (8-bit to UTF-16): a byte sequence the page does not
// define becomes U+003F for a double-byte page's unassigned pair and U+FFFD
// for a malformed UTF-8 sequence; a lead byte at the very end becomes U+003F.
#pragma once

#include <string_view>

#include "platform/types.h"

namespace cv {

// True for the code pages listed above (after resolving 0 and 1).
bool IsSupportedCodePage(Cardinal code_page);

// 0 and 1 become the process's ANSI and OEM pages; others are returned.
Cardinal ResolveCodePage(Cardinal code_page);

// LCIDToCodePage: the locale's default ANSI code page, or the process's
// ANSI page when the locale has none (Unicode-only or unknown).
Cardinal CodePageOfLCIDOrACP(LCID lcid);

// 8-bit text to UTF-16.  An unsupported page decodes as Latin-1 and returns
// false.
bool MultiByteToWide(Cardinal code_page, std::string_view bytes, string& out);
string MultiByteToWide(Cardinal code_page, std::string_view bytes);

// UTF-16 to 8-bit text, with substitution ('?') for unmappable characters.
// `used_default` (when given) tells whether any substitution happened.  An
// unsupported page returns false and an empty result.
bool WideToMultiByte(Cardinal code_page, std::u16string_view text, AnsiString& out,
                     bool* used_default = nullptr);
AnsiString WideToMultiByte(Cardinal code_page, std::u16string_view text);

// The number of bytes (1 or 2) of the character that starts at p, given
// `avail` >= 1 bytes; for UTF-8 the length of a well-formed sequence, else 1.
Integer CharByteLength(Cardinal code_page, const char* p, Integer avail);

// The single UTF-16 unit of one character of `len` bytes (a character
// outside the BMP gives its high surrogate).
char16_t DecodeOneChar(Cardinal code_page, const char* p, Integer len);

}  // namespace cv
