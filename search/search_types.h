// The parsed form of one search word, shared by the parser, the search-word
// lists and the matcher.
//
// A search word as the user types it (`*ing`, `==Cat==`, `room #`) is parsed
// once into a TSearch_word_format_rec: its text with every special construct
// turned into one code character (below), its flags, and three case copies of
// the same length, so that the matcher compares one unit at a time without
// ever mapping case itself.
#pragma once

#include <array>

#include "platform/types.h"

namespace cv {

// ---------------------------------------------------------------------------
// Flags.  A one-byte set; bit 0 is myReplace.

enum TMySearchFlag : Byte {
  myReplace = 0,
  myConfirmFinds = 1,
  myCaseIsSensitive = 2,
  mySW_To_Avoid = 3,
  myLeftBounded = 4,
  myRightBounded = 5,
};

struct TMySearchFlags {
  Byte bits = 0;

  constexpr TMySearchFlags() = default;
  constexpr TMySearchFlags(std::initializer_list<TMySearchFlag> fs) {
    for (TMySearchFlag f : fs) bits = static_cast<Byte>(bits | (1u << f));
  }
  constexpr bool Has(TMySearchFlag f) const { return (bits >> f) & 1u; }
  constexpr void Include(TMySearchFlag f) { bits = static_cast<Byte>(bits | (1u << f)); }
  constexpr void Exclude(TMySearchFlag f) { bits = static_cast<Byte>(bits & ~(1u << f)); }
  friend constexpr bool operator==(TMySearchFlags a, TMySearchFlags b) { return a.bits == b.bits; }
};
static_assert(sizeof(TMySearchFlags) == 1);

// The flags of a search word typed without marks: it must start and end at
// word boundaries.
constexpr TMySearchFlags kDefaultSearchFlags{myLeftBounded, myRightBounded};

enum TSW_copy_type : Byte { unchanged_copy, upper_copy, lower_copy, title_copy };

// ---------------------------------------------------------------------------
// Codes inside a parsed search word.  The user cannot type them: the parser
// writes them and the matcher interprets them.

constexpr WideChar kCodeTagClose = 24;     // a closing tag delimiter: leaves tag mode
constexpr WideChar kCodeTagOpen = 25;      // an opening tag delimiter: enters tag mode
constexpr WideChar kCodeAnyWord = 26;      // " * ": exactly one word of any content
constexpr WideChar kCodeNumber = 27;       // "#": one or more digits
constexpr WideChar kCodeOneChar = 28;      // "?": one letter, digit or punctuation
constexpr WideChar kCodeStar = 29;         // "*" inside a word: a run of non-space characters
constexpr WideChar kCodeLetter = 30;       // "^": one letter
constexpr WideChar kCodeNot = 31;          // "~" in tag wildcards: "not"
constexpr WideChar kCodeTripleBrace = 21;  // the first brace of "}}}"
constexpr WideChar kCodeLineEndAfter = 0x13;   // a trailing "/\"
constexpr WideChar kCodeLineEndBefore = 0x10;  // a leading "/\"

inline bool IsWildcardCode(WideChar c) { return c >= 26 && c <= 31; }

// Tag delimiters: six pairs; unit i opens a tag and unit i + 6 closes the
// tag of the same pair.  A zero unit means that the pair has no delimiter
// there.
using TIgnore_tag_type = std::array<WideChar, 12>;

// ---------------------------------------------------------------------------
// One parsed search word.

struct TSearch_word_format_rec {
  string typed_in_text;        // the entry exactly as split off the typed line
  string search_text;          // flags stripped, codes written, trimmed
  std::array<string, 4> copies;  // indexed by TSW_copy_type; all of one length
  TMySearchFlags flags;
  Integer n_to_find = 0;       // most hits wanted; 0 or less: no limit
  Integer hits_found = 0;
  string sw_context_needed;    // the word after " context:="
  Integer spaces_in_sw = 0;
  std::array<Byte, 4> spareB{};
  Boolean ambiguous = false;
  Boolean auto_lemma_added = false;
  // The copies hold the word's bytes in the 8-bit buffer's code page, one
  // byte per unit (set by the engine the first time it searches an 8-bit
  // buffer with this record).
  Boolean copies_converted = false;
  Boolean has_file_based_context_word = false;
  Boolean achou_suficiente = false;
  Boolean contains_a_tag = false;
  SmallInt Langnum = 0;
  Integer SearchColumn = 0;
  Integer temp_int = 0;
  std::array<Byte, 52> extras{};
};

using pSearch_word_format_rec = TSearch_word_format_rec*;

}  // namespace cv
