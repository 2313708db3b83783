// What a word, a sentence and a tag are for the suite: sentence splitting,
// word-boundary and capitalisation tests, affix markup and tag handling.
//
// Positions are 1-based.  "Letter or digit" is the Unicode letter-or-digit
// test of one UTF-16 unit (general categories L* and Nd); "lowercase" and
// "uppercase" are the categories Ll and Lu.  Routines that return a new
// string list give it to the caller.
#pragma once

#include <array>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace cv {

class TStringList;

// Prefix, word and suffix of a word marked up with angle brackets.
using TPalavra = std::array<string, 3>;

// ---------------------------------------------------------------------------
// Sentences

// False for units 0-32 and 64-125; true for '!', '.', '?' and the sentence
// ends of other scripts; false otherwise.
Boolean IsPotentialSentenceTerminator(WideChar c);

// Position of the first sentence end at or after `start`, or -1.
Integer EndOfSentence(Integer start, std::u16string_view s);
Integer FirstLetterOrDigitPosAfterSentenceEnd(std::u16string_view s, Integer pos);
Boolean FirstCharAfterSentenceEndUpperCase(std::u16string_view s, Integer pos);
// The first position at or after `pos` that starts a sentence with a
// character that is not lowercase.  When none exists the text's length is
// returned (0 for an empty text).
Integer FirstValidStartOfSentence(std::u16string_view s, Integer pos);

// Sentences of a paragraph: a sentence starts at a capital, caseless letter
// or number and ends at a sentence terminator (not followed by a digit) once
// `min_length` word characters were seen; kept when longer than min_length.
std::unique_ptr<TStringList> SentencesExtractedFromParagraph(Boolean include_unterminated, Integer min_length,
                                                             std::u16string_view paragraph);

// Splits a paragraph at each occurrence of `separator`, or (empty separator)
// by the character details map with tags up to `max_tag_length` masked.
// Pieces are trimmed and empty ones dropped.
std::unique_ptr<TStringList> SentencesFromParagraph(std::u16string_view paragraph, std::u16string_view separator,
                                                    LCID lcid, Integer max_tag_length);

// ---------------------------------------------------------------------------
// Words and capitals

Integer BasicWordCount(std::u16string_view s);
Boolean ContainsAlphanumCharacter(std::u16string_view s);
Boolean IsAllUppercase(std::u16string_view s);
Boolean FirstLetterIsCapitalised(std::u16string_view s);
Boolean NextWordCapitalised(std::u16string_view s, Integer pos);
// The first lowercase character, or NUL when a capital, number or currency
// sign comes first or nothing decides.
WideChar FirstCharIsLowerCase(std::u16string_view s);
Boolean LastCharIsNotPunctuation(std::u16string_view s);
string TitleCasedString(std::u16string_view s, Boolean first_word_only);

Boolean BoundedAtLeft(std::u16string_view s, Integer start);
Boolean BoundedAtRight(std::u16string_view s, Integer last);
Boolean BoundedWholeWord(std::u16string_view s, Integer start, Integer last);
Boolean IsBoundedOnLeft(std::u16string_view s, Integer start);
Boolean IsBoundedOnRight(std::u16string_view s, Integer after);
Boolean IsWholeWord(std::u16string_view s, Integer start, Integer after);
Integer WholeWordPositionOfXinUpcaseText(Integer start, std::u16string_view word, std::u16string_view text);

constexpr Integer kMustBeBoundedAtLeft = 0x10;
constexpr Integer kMustBeBoundedAtRight = 0x20;
Integer PosWordFoundIn(std::u16string_view word, std::u16string_view text, Integer flags);
// Every such position (occurrences may overlap).
std::vector<Integer> PositionsWordFoundIn(std::u16string_view word, std::u16string_view text, Integer flags);

// ---------------------------------------------------------------------------
// Affixes and tags

Boolean HasAffixes(std::u16string_view s);
TPalavra PalavraFromString(std::u16string_view s);

Boolean IsAnOffTag(std::u16string_view tag);
string SameTagButSwitchedOff(std::u16string_view tag);
string TagOnNumbered(std::u16string_view tag, Integer n);
Boolean IsAngleBracketed(std::u16string_view s);
string Angle_Bracketed(std::u16string_view s);
string UNAngle_Bracketed(std::u16string_view s);
string AnyAngleBracketsToHTML(std::u16string_view s);
string SimpleTagValue(std::u16string_view name, std::u16string_view text, Boolean& found);
string TrimmedSimpleTagValue(std::u16string_view name, std::u16string_view text, Boolean& found);
string ExtractMarkupDataFromText(std::u16string_view text, std::u16string_view start_marker,
                                 std::u16string_view end_marker);
// Removes each tag whose '>' lies at most max_tag_length units after its
// '<' (a final unclosed '<' that near the end goes with the rest of the
// text); longer stretches stay.  max_tag_length < 1 leaves the text as it is.
string WithoutMarkup(std::u16string_view text, Integer max_tag_length);
string MarkupWithoutText(std::u16string_view text);
string MarkupFreeTextFromAFile(const string& file_name, Integer max_tag_length);
string ParaDivHeadingEndToCRLF(std::u16string_view text);

}  // namespace cv
