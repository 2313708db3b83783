// Heap null-terminated strings and their comparisons.
//
// Every routine has a UTF-16 form (PChar, char16_t) and an 8-bit form
// (PAnsichar, char).  Heap copies are made with new[] and freed with the
// matching Delete routine by whoever received them.  Comparisons return 1, 0
// or -1.
#pragma once

#include <string_view>

#include "platform/types.h"

namespace cv {

// The CompareStringW flags of the locale comparisons; 0 at start.  They map
// to the collator: NORM_IGNORECASE to secondary strength, NORM_IGNORENONSPACE
// to primary, NORM_IGNORESYMBOLS to shifted alternate handling.
extern Cardinal my_default_sort;

char16_t* MyNewPChar(std::u16string_view s);
char* MyNewPAnsichar(std::string_view s);
void DeletePChar(char16_t* p);
void DeletePAnsichar(char* p);

// A heap copy of the first n characters of s, terminated; the empty string
// for a nil s or n <= 0.  s must hold n characters (a terminator within the
// first n ends the copy).
char16_t* CheckedNewLenPchar(const char16_t* s, Integer n);
char* CheckedNewLenPAnsichar(const char* s, Integer n);

// Length up to the terminator; 0 for nil.
Integer StrLenW(const char16_t* p);
Integer StrLenA(const char* p);

// The text of a null-terminated string (empty for nil).
inline std::u16string_view PcharView(const char16_t* p) {
  return p ? std::u16string_view(p) : std::u16string_view();
}
inline std::string_view PAnsicharView(const char* p) { return p ? std::string_view(p) : std::string_view(); }

Integer ComparePchar(std::u16string_view a, std::u16string_view b);
Integer ComparePAnsichar(std::string_view a, std::string_view b);

// CompareStringW / CompareStringA under lcid with my_default_sort.  When the
// collator cannot compare, falls back to code units, so the result is always
// -1, 0 or 1.  The 8-bit form reads its texts in the locale's ANSI code page.
Integer CompareLCIDPchar(LCID lcid, std::u16string_view a, std::u16string_view b);
Integer CompareLCIDPAnsichar(LCID lcid, std::string_view a, std::string_view b);

// a1 with b1, then a2 with b2, then a3 with b3.
Integer CompareWdPrefixSuffixPchar(std::u16string_view a1, std::u16string_view b1, std::u16string_view a2,
                                   std::u16string_view b2, std::u16string_view a3, std::u16string_view b3);
Integer CompareWdPrefixSuffixPAnsichar(std::string_view a1, std::string_view b1, std::string_view a2,
                                       std::string_view b2, std::string_view a3, std::string_view b3);
Integer CompareLCIDWdPrefixSuffixPchar(LCID lcid, std::u16string_view a1, std::u16string_view b1,
                                       std::u16string_view a2, std::u16string_view b2, std::u16string_view a3,
                                       std::u16string_view b3);
Integer CompareLCIDWdPrefixSuffixPAnsichar(LCID lcid, std::string_view a1, std::string_view b1,
                                           std::string_view a2, std::string_view b2, std::string_view a3,
                                           std::string_view b3);

// A containment test that returns 0 for a match.  any_digit: 0 when s holds
// a digit 0-9, else 1 (pattern unused).  at_start: pattern compared with the
// first characters of s.  at_end: pattern compared with the last characters
// of s (1 when s is shorter).  Neither: 0 when pattern occurs in s, else 1.
// A nil s or pattern gives 1; lcid is not used.
Integer ComparePosPchar(LCID lcid, const char16_t* s, const char16_t* pattern, bool at_start, bool at_end,
                        bool any_digit);
Integer ComparePosPAnsichar(LCID lcid, const char* s, const char* pattern, bool at_start, bool at_end,
                            bool any_digit);

}  // namespace cv
