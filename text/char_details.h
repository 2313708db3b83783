// The character details map: one 16-bit class word per character of a text
// buffer, plus two spare words after the last (allocate count + 2).  It is
// what defines a word for the search engine.
//
// Bits 0-9 are the CT_CTYPE1 classes (text/char_types.h).  Two more are set
// by callers and only read here:
//   kDetailsPassOver (0x0800)  word-neighbour walks step over the entry;
//   kDetailsStop     (0x8000)  word-neighbour walks stop at the entry.
// The adjustments below write whole words: 0x0200 (defined only), 0x0300
// (defined letter), 0x0302 (defined lowercase letter), 0x0204 (defined digit).
#pragma once

#include <string_view>

#include "platform/types.h"

namespace cv {

constexpr Word kDetailsLetter = 0x0100;
constexpr Word kDetailsDigit = 0x0004;
constexpr Word kDetailsLetterOrDigit = 0x0104;
constexpr Word kDetailsPassOver = 0x0800;
constexpr Word kDetailsStop = 0x8000;
constexpr Word kDetailsDefined = 0x0200;
constexpr Word kDetailsDefinedLetter = 0x0300;
constexpr Word kDetailsDefinedLowerLetter = 0x0302;
constexpr Word kDetailsDefinedDigit = 0x0204;

// Fills details[0..count) with the character typing of `buffer` (UTF-16 when
// `is_unicode`, else 8-bit text in the locale's ANSI code page).  info_type is
// CT_CTYPE1 (1), CT_CTYPE2 (2) or CT_CTYPE3 (4).  False for another info type
// or bad arguments.
bool GetStringTypeExNT2000(Boolean is_unicode, LCID lcid, Cardinal info_type, Word* details, Integer count,
                           const void* buffer);

// Every U+200D gets 0x0200; every U+200C gets 0x0300.
void SetZeroWidthJoinersToDefined(const WideChar* buffer, Word* details, Integer count);
void SetZeroWidthNonJoinersToDefinedAlpha(const WideChar* buffer, Word* details, Integer count);

// Joins the allowed middle characters (apostrophes, hyphens ...) into words:
// an occurrence between a letter or digit on each side (stepping over
// pass-over entries, stopping at stop entries) becomes a lowercase letter
// (0x0302), or a digit (0x0204) when a neighbour is a digit.  With
// `right_edge_ok` no right-hand neighbour is needed, with `left_edge_ok` no
// left-hand one.  For 8-bit buffers the low byte of each allowed character is
// compared.  Every position, the last included, is considered.
void HandleMiddleChars(const void* buffer, Word* details, std::u16string_view allowed, Integer allowed_count,
                       Integer length, Boolean is_unicode, Boolean right_edge_ok, Boolean left_edge_ok);

// A '.', ',', U+00B7 or (with `spaces_join_numbers`) a space between two
// digits becomes a digit (0x0204): '3.5', '1,000', '1 000'.
void HandleMiddleCharsInNumbers(Boolean is_unicode, Boolean spaces_join_numbers, const void* buffer,
                                Word* details, Integer count);

}  // namespace cv
