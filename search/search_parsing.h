// The search-word language: splitting a typed line into search words and
// parsing one search word into a TSearch_word_format_rec.
//
// What the user types, per search word:
//   leading `*`          the hit may start inside a word (myLeftBounded off)
//   trailing `*`         the hit may end inside a word (myRightBounded off)
//   `==word==`           case-sensitive
//   leading `~`          a word to avoid (mySW_To_Avoid)
//   ` * ` (spaced star)  any one word            -> code 26
//   `*` inside a word    any run of non-space units within the word -> 29
//   `?` / `^` / `#`      one letter-digit-or-punctuation / one letter /
//                        a whole number          -> 28 / 30 / 27
//   `"^"` `"/"` `"*"` `"=="` `"?"` `":\"` `"<"` `">"` `"#"` `"}}}"` `"/\"`
//                        that text literally, without its quotes
//   ` context:=word`     the context word
//   `/\` at the end (else at the start): followed (preceded) by U+0013 (U+0010)
//   `{CHR(n)}`           the unit n
//   tag delimiters       tag codes 25 and 24
// Only one leading mark counts (checked in the order `*`, `==`, `~`); the
// trailing `*` is checked in every case.  Marks are recognised on the entry
// with its surrounding white space removed, so " *ing" is the same word as
// "*ing"; `typed_in_text` still keeps the entry exactly as typed.
//
// Parsing never fails: whatever is not a mark is literal text.
#pragma once

#include <memory>

#include "platform/classes.h"
#include "search/search_types.h"

namespace cv {

// Strips the flag marks from s (after trimming it) and returns the flags.
TMySearchFlags FlagsFromSW(string& s);

// The full parse of one entry.  s is left holding the parsed text before the
// final trim.
void Parsed_SearchWord(const TIgnore_tag_type& ignore_tags, string& s, TSearch_word_format_rec& rec);

// For an entry already in parsed form: flags stripped, no translation.
void UnParsed_SearchWord(string& s, TSearch_word_format_rec& rec);

// Flags, retained tokens, codes, line-end marks, tags, escapes (the middle
// of Parsed_SearchWord).
void Parse_SWChunk(const TIgnore_tag_type& ignore_tags, bool& contains_a_tag, string& s,
                   TMySearchFlags& flags);

// `^` `#` `*` `?` and "}}}" to their codes; true when anything changed.
bool DoMainParse_Translates(string& s);

// Opening and closing delimiters to codes 25 and 24; true when some pair
// was found complete (see the .cpp for the exact rule).
bool ContainsPairedTagMarkup(const TIgnore_tag_type& ignore_tags, string& s);

// Splits a typed line into entries at `/` (not at the first or last unit,
// and not next to a double quote).  With splitting off the line is one
// entry.  Entries keep their surrounding spaces; s is consumed.  The caller
// collapses runs of spaces beforehand.
std::unique_ptr<TStringList> SplitSWList(string& s, bool splitting);

// While sub occurs in s, the first unit of its first occurrence becomes
// code; true when anything was replaced.
bool Parse_Translate(string& s, std::u16string_view sub, WideChar code);

// Quoted tokens kept literal through the parse: token i is replaced by the
// single unit base + i, and back again (without its quotes).
void Parse_RetainOne(string& s, Integer code, std::u16string_view token);
void Parse_Retain(string& s, Integer base);
void Parse_RestoreOne(string& s, Integer code, std::u16string_view token);
void Parse_Restore(string& s, Integer base);

// Tag-wildcard form of a text-selection string: for `~` `^` `*` `?` `#` in
// turn, the first quoted occurrence loses its quotes, or else the first bare
// occurrence becomes its code (31, 30, 29, 28, 27).  At most one occurrence
// of each is converted.
string TagWildcardConverted(std::u16string_view s);

// Trims Unicode white space (tab to CR, space, U+0085, U+00A0, the space
// separators) at both ends; the codes below U+0020 that a parsed word holds
// are not white space.
string TrimWhiteSpace(std::u16string_view s);

// Fills the three case copies from copies[unchanged_copy].  The mapping is
// one unit to one unit, so all four copies have the same length.
void MakeCaseCopies(TSearch_word_format_rec& rec);

// Turns "{CHR(n)}" and "#n" / "#xHH;" escapes into the units they name.
string ReadableEscapesToUnits(std::u16string_view s);

}  // namespace cv
