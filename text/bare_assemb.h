// The lowest layer of text handling: single-pass operations on raw character
// buffers given as a pointer and a count.
//
// Buffer model
//   * An 8-bit buffer (`A` routines, and the routines without a suffix except
//     ReplaceChar1ByChar2, Chr13sInPChar and WideChrsInPChar) holds one byte
//     per character of the active ANSI code page.
//   * A wide buffer (`W` routines and the three named above) holds UTF-16
//     code units.  A surrogate pair is two characters here: nothing in this
//     layer looks at pairs.
//   * The window is the first `count` characters.  Counts are characters
//     (bytes or code units) except for My4Checksum (bytes) and My2Checksum
//     (16-bit words).  A count of 0 or below is an empty window.
//   * Routines that compact a buffer in place write a NUL after the last
//     character kept, so the buffer must have room for count + 1 characters
//     (in practice: a NUL-terminated string whose count is its length).
//
// Nothing here allocates, keeps state or reports errors.  Null buffers are
// accepted only by the search routines and the integer-array lookups (which
// answer nullptr or -1); every other routine requires a valid buffer of at
// least `count` characters.
#pragma once

#include <span>

#include "platform/types.h"

namespace cv {

// A short 8-bit letter set: a length byte (0..128) and that many characters.
// The k-th character of the lowercase set is the case partner of the k-th of
// the uppercase set.  A length above 128 is read as 128.
struct ANSILower_or_upperStr_type {
  Byte length = 0;
  AnsiChar chars[128] = {};
};
static_assert(sizeof(ANSILower_or_upperStr_type) == 129);

// ---------------------------------------------------------------------------
// Searching.  Each returns a pointer into the buffer, or nullptr.

// First occurrence of the NUL-terminated pattern inside the window; nullptr
// for a null buffer or pattern, count <= 0, an empty pattern or one longer
// than the window.
const AnsiChar* FastStrPos(const AnsiChar* buf, const AnsiChar* pattern, Integer count);
const WideChar* FastStrPosW(const WideChar* buf, const WideChar* pattern, Integer count);

// Case-insensitive search with the pattern given in two case forms (made by
// the caller, typically upper- and lowercase): a text character matches
// position k when it equals either form's character k.  nullptr for null
// arguments, forms of different lengths, count <= 0 or a pattern longer than
// the window.  A match may end on the window's last character.
const AnsiChar* FastStrIPos(const AnsiChar* buf, const AnsiChar* form1, const AnsiChar* form2,
                            Integer count);
const WideChar* FastStrIPosW(const WideChar* buf, const WideChar* form1, const WideChar* form2,
                             Integer count);

// First occurrence of one character inside the window.
const AnsiChar* FastStrScan(const AnsiChar* buf, AnsiChar c, Integer count);
const WideChar* FastStrScanW(const WideChar* buf, WideChar c, Integer count);

// Mutable-buffer forms of the searches.
inline AnsiChar* FastStrPos(AnsiChar* buf, const AnsiChar* pattern, Integer count) {
  return const_cast<AnsiChar*>(FastStrPos(static_cast<const AnsiChar*>(buf), pattern, count));
}
inline WideChar* FastStrPosW(WideChar* buf, const WideChar* pattern, Integer count) {
  return const_cast<WideChar*>(FastStrPosW(static_cast<const WideChar*>(buf), pattern, count));
}
inline AnsiChar* FastStrScan(AnsiChar* buf, AnsiChar c, Integer count) {
  return const_cast<AnsiChar*>(FastStrScan(static_cast<const AnsiChar*>(buf), c, count));
}
inline WideChar* FastStrScanW(WideChar* buf, WideChar c, Integer count) {
  return const_cast<WideChar*>(FastStrScanW(static_cast<const WideChar*>(buf), c, count));
}

// Replaces, in place, each non-overlapping occurrence of `search` (of
// `search_len` units) by the first `search_len` units of `replacement`, which
// must be at least that long; the buffer never changes length.  Returns the
// number of replacements.
Integer SearchAndReplaceFastW(WideChar* buf, const WideChar* search, const WideChar* replacement,
                              Integer count, Integer search_len);

// ---------------------------------------------------------------------------
// Counting and testing

Integer Chr13sInPAnsichar(const AnsiChar* buf, Integer count);
Integer Chr13sInPChar(const WideChar* buf, Integer count);
Integer WideChrsInPChar(const WideChar* buf, Integer count, WideChar c);

// True when a character before the terminating NUL is one of '0'..'9'.  A null
// pointer contains no digit.
Boolean ContainsADigitA(const AnsiChar* s);
Boolean ContainsADigitW(const WideChar* s);

// Byte-order-mark tests on the first two bytes of a file (the caller makes
// sure two bytes are there; a null pointer gives false).  UnicodeSigned: FF FE
// or FE FF.  UnicodeByteReversed: FE FF only.
Boolean UnicodeSigned(const void* first_bytes);
Boolean UnicodeByteReversed(const void* first_bytes);

// True when the two windows are equal; true for count <= 0.
Boolean EqualContentsA(const AnsiChar* a, const AnsiChar* b, Integer count);
Boolean EqualContentsW(const WideChar* a, const WideChar* b, Integer count);

// The number of characters after the first unequal pair: 0 when the windows
// are equal, when the first difference is the last character, or count <= 0.
Integer HowFarEqualContentsA(const AnsiChar* a, const AnsiChar* b, Integer count);
Integer HowFarEqualContentsW(const WideChar* a, const WideChar* b, Integer count);

// ---------------------------------------------------------------------------
// Checksums.  Unseeded wrapping sums (not CRCs): empty or all-zero input sums
// to 0.  My4Checksum is stored in results files: it adds the length div 4
// little-endian 32-bit words and ignores the 1 to 3 bytes left over.

Word My2Checksum(const void* p, Integer words);
Integer My4Checksum(const void* p, Integer length_in_bytes);

// ---------------------------------------------------------------------------
// Rewriting in place, same length

void ReplaceCharacterBySpace(AnsiChar* buf, AnsiChar c, Integer count);
void ReplaceCharacterBySpaceW(WideChar* buf, WideChar c, Integer count);
void ReplaceChar1ByChar2(WideChar* buf, WideChar find, WideChar replacement, Integer count);
void ReplaceChar1ByChar2W(WideChar* buf, WideChar find, WideChar replacement, Integer count);
// Characters below 32 become spaces.
void ReplaceControlCharsBySpaceA(AnsiChar* buf, Integer count);
void ReplaceControlCharsBySpaceW(WideChar* buf, Integer count);
// CR becomes a space, and so does an LF directly after a CR inside the
// window; a lone LF stays.
void ReplaceCarriageReturnsBySpaceA(AnsiChar* buf, Integer count);
void ReplaceCarriageReturnsBySpaceW(WideChar* buf, Integer count);
void ReplaceTabsBySpace(AnsiChar* buf, Integer count);
void BlankOutSomeBytesA(AnsiChar* buf, Integer count);
void BlankOutSomeBytesW(WideChar* buf, Integer count);
void ZeroSomeBytesW(WideChar* buf, Integer count);

// Uppercases a..z, and bytes above 'z' found among the first k characters of
// `lowers` (k = the shorter set's length) to their partner in `uppers`.
void CapitaliseABuffer(AnsiChar* buf, const ANSILower_or_upperStr_type& lowers,
                       const ANSILower_or_upperStr_type& uppers, Integer count);

// Blanks out the lowercase letters of each word that come before its first
// uppercase letter: 'the Cat sat' becomes '    Cat    '.
void CutLowercaseWords(AnsiChar* buf, const ANSILower_or_upperStr_type& lowers,
                       const ANSILower_or_upperStr_type& uppers, Integer count);

// Exchanges two adjacent blocks in place: A (len_a units) followed by B
// (len_b units) becomes B followed by A.  Any lengths >= 0 work; negative
// lengths, or a buffer whose first unit is NUL, leave it untouched.
void Swap2Strings(WideChar* buf, Integer len_a, Integer len_b);

// ---------------------------------------------------------------------------
// Rewriting in place, compacting (a NUL follows the result unless noted)

// Removes each stretch from `open` through the next `close`; an `open` with no
// `close` after it is dropped alone.  With open == close only that one
// character goes.  Returns the new length.
Integer ClearBetweenChars(AnsiChar* buf, AnsiChar open, AnsiChar close, Integer count);

// As ClearBetweenChars, but the `close` must lie within `max_span` characters
// counting the `open` as the first.  With `remove` false a stretch found is
// overwritten with spaces instead of removed.  Returns the new length.
Integer CleanBetweenChars(AnsiChar* buf, AnsiChar open, AnsiChar close, Integer count,
                          Integer max_span, Boolean remove);

// Each run of spaces becomes one space.  Returns the new length.
Integer RemoveRedundantSpaceW(WideChar* buf, Integer count);

// Each run of two or more CR LF pairs becomes one pair.  The NUL is written
// only when the text became shorter.  Returns the new length.
Integer CutDoubleCRLFsW(WideChar* buf, Integer count);

// Removes every LF byte and returns the new length; writes no NUL.
Integer LengthConvertedToUnix(AnsiChar* buf, Integer count);

// Removes every occurrence of c.  For count <= 0 nothing is written.  Returns
// the new length.
Integer RemoveCharA(AnsiChar* buf, AnsiChar c, Integer count);
Integer RemoveCharW(WideChar* buf, WideChar c, Integer count);

// ---------------------------------------------------------------------------
// Integer arrays.  An empty array is an empty span.  Where a count of
// elements is given, it is clamped to the array's length.

// 0-based index of the first element equal to value among the first `count`;
// -1 when none.
Integer PositionInIntegerArray(Integer value, std::span<const Integer> arr, Integer count);
// 0-based index of the last element equal to value; -1 when none.
Integer PositionInArrayOfInteger(std::span<const Integer> arr, Integer value);
// For an ascending array.  Empty: -1, flag untouched.  Value above the last
// element (unsigned comparison): -1, flag true.  Otherwise flag false and the
// result of PositionInArrayOfInteger.
Integer PositionInAscendingArrayOfInteger(std::span<const Integer> arr, Integer value,
                                          Boolean& beyond_the_end);
// 0-based index of the first of `count` elements greater than value (unsigned
// comparison); 0 when there is none.
Integer ScanForIntBigger(Integer value, std::span<const Integer> arr, Integer count);
// 1-based position of the first of `count` elements equal to value; value
// itself when there is none.
Integer ScanForInt(Integer value, std::span<const Integer> arr, Integer count);

}  // namespace cv
