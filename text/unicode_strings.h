// Code-page conversion of strings, locale case mapping, precomposition, line
// ends and small wide-string utilities.
//
// Code pages: the overloads that take a code page take it as a Word; those
// that take a locale take an LCID (32 bits) and use the locale's ANSI code
// page, or the process's when the locale has none.  Pass a Word variable (or
// Word{932}) to choose the code-page form.  See text/code_pages.h for the
// pages supported and for what happens to unmappable characters
// (substitution with '?', never best fit).
#pragma once

#include <string_view>

#include "platform/types.h"

namespace cv {

// A fixed field of 80 UTF-16 units and a terminating NUL.
using search_word_type32 = WideChar[81];

// ---------------------------------------------------------------------------
// Code-page conversion

// `count` bytes of 8-bit text to UTF-16; empty for a null pointer.
string ConvertedToWideString(Word code_page, const AnsiChar* text, Integer count);
// NUL-terminated 8-bit text with the locale's ANSI code page.
string ConvertedToWideString(LCID lcid, const AnsiChar* text);
// NUL-terminated 8-bit text with the process's ANSI code page.
string ConvertedToWideString(const AnsiChar* text);

// NUL-terminated UTF-16 text to 8-bit; empty for a null pointer.  The result
// has room for every character, also on double-byte pages.
AnsiString ConvertedFromWideString(Word code_page, const WideChar* text);
AnsiString ConvertedFromWideString(LCID lcid, const WideChar* text);
AnsiString ConvertedFromWideString(const WideChar* text);

// The GetCopyOf... functions return pointers into two static buffers of the
// module (256 bytes and 256 units), NUL-terminated, overwritten by the next
// call that uses the same buffer.  Not for use from more than one thread.
const WideChar* GetCopyOfAnsiEncodedAsUnicode(const AnsiString& s, LCID lcid);  // cut to 255 units
const AnsiChar* GetCopyOfAnsiEncodedAsAnsi(const AnsiString& s, LCID lcid);     // cut to 255 bytes
const WideChar* GetCopyOfWideSTringEncodedASUnicode(const string& s, LCID lcid);
const AnsiChar* GetCopyOfWideSTringEncodedAsAnsi(const string& s, LCID lcid);

// Base letters followed by combining marks become the precomposed letter
// where one exists (Unicode NFC), except that a character NFC would replace
// on its own (a singleton such as U+212B ANGSTROM SIGN, or a composition
// exclusion) is kept as it is.
string EnsurePrecomposed(std::u16string_view s);

// The unit of that value below 65536, otherwise '?'.
WideChar WideCharFromCardinal(Cardinal n);
string WideStringFromCardinal(Cardinal n);

// ---------------------------------------------------------------------------
// Case mapping in place, with the locale's linguistic casing (Turkish and
// Azeri dotted i), one character to one character.  `buffer` is a
// NUL-terminated UTF-16 buffer when `is_unicode`, else a NUL-terminated 8-bit
// buffer in the locale's ANSI code page.

void* WinLowerCased(LCID lcid, void* buffer, Boolean is_unicode);
void* WinUpperCased(LCID lcid, void* buffer, Boolean is_unicode);
// As WinUpperCased; returns the number of characters mapped (0 on failure).
Integer Capitalise(LCID lcid, void* buffer, Boolean is_unicode);

// 1-based position of sub in s after both are uppercased (Unicode casing, no
// locale); 0 when absent.
Integer CaseInsensitivePos(std::u16string_view sub, std::u16string_view s);
// As CaseInsensitivePos, with `upper_sub` already uppercased.
Integer CaseInsensitiveUpperedPos(std::u16string_view upper_sub, std::u16string_view s);

// ---------------------------------------------------------------------------
// Line ends and small utilities

// Every lone LF becomes CR LF and every lone CR gets an LF after it, except a
// CR at the very end.  Text after the first NUL is dropped.  `inserted`
// receives the number of characters inserted (untouched for an empty input).
AnsiString UnixStringToWindowsString(Integer& inserted, std::string_view s);
string UnixStringToWindowsStringW(Integer& inserted, std::u16string_view s);

// Each tab becomes n spaces (no tab stops).
string ExpandTabbedWideString(std::u16string_view s, Integer n);
// 1-based index of c at or after the 1-based start; 0 when none.
Integer StrScanIndex(std::u16string_view s, WideChar c, Integer start);
// Fills size_in_bytes div 2 units with c.
void FillWChar(void* buffer, Integer size_in_bytes, WideChar c);

void StringToSearch_word_type32(std::u16string_view s, search_word_type32& out);
string Search_word_type32ToString(const search_word_type32* field);

// Replaces the escapes "{CHR(n)}" and "#n" by the character of code n and
// returns the last code used, or -1.  Decoding is a single pass: a
// replacement is never read again as the start of another escape.  A code of
// 0 or above 0xFFFF is not a character: the escape stays as it is.
Integer MyFormatValidNumberStr(string& s);

Boolean IsHashSymbol(WideChar c);   // the unit 27
Boolean IsHashOrBrace(WideChar c);  // '#' or '{'

}  // namespace cv
