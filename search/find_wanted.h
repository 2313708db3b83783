// The matcher: finds the next hit of one parsed search word in a text buffer
// and its character details map, keeping the text statistics on the way.
//
// Unit model.  A UTF-16 buffer is matched unit by unit (a surrogate pair is
// two characters, each with its own details word); an 8-bit buffer byte by
// byte, with the pattern given as bytes (one byte per char16_t unit, values
// up to 0xFF) in the buffer's code page.  Positions and lengths count
// characters of the buffer.
//
// The details map has one class word per character (text/char_details.h);
// the matcher reads
//   0x0104 letter or digit (a word character), 0x0100 letter, 0x0004 digit,
//   0x0068 space-like (space, blank, control), 0x0010 punctuation,
//   0x0200 alone: a defined non-letter such as a combining mark,
//   0x0800 without 0x8000: markup that matching steps over,
//   0x8000: a text-structure marker whose code is in bits 0..10.
//
// A hit is reported only when the whole pattern has been matched inside the
// window; a pattern cut off by the end of the window is no hit, and a word
// completed on the window's last character is one (the end of the window is
// a word boundary).  The hit starts at the character that matched the
// pattern's first element, whatever that element is.
//
// Statistics are counted for every character from the window's start up to
// and including the hit's first character (to the window's end when there is
// no hit), so a caller that resumes one character after each hit counts each
// character exactly once.
#pragma once

#include <array>

#include "platform/types.h"

namespace cv {

enum text_stats_type : Byte { word_stats, sentence_stats, paragraph_stats, heading_stats, section_stats };

struct TSearchStatsRec {
  std::array<Integer, 5> number{};
  std::array<Integer, 5> position{};
  std::array<Integer, 5> out_of{};
};

// Hooks called when a structure ends: (its number, the word position in it).
// Each defaults to a procedure that does nothing; a tool may replace them.
using THandleTextSectionProc = void (*)(Integer aNumber, Integer aEnds_at);
extern THandleTextSectionProc HandleSentenceEndProc;
extern THandleTextSectionProc HandleParagraphEndProc;
extern THandleTextSectionProc HandleHeadingEndProc;
extern THandleTextSectionProc HandleSectionEndProc;

// Structure-marker codes (bits 0..10 of a map word with 0x8000).
constexpr Word kMarkSentenceSoft = 0x0E, kMarkSentence = 0x0F;
constexpr Word kMarkParagraphSoft = 0x10, kMarkParagraph = 0x11;
constexpr Word kMarkHeadingStart = 0x12, kMarkHeadingEnd = 0x13;
constexpr Word kMarkSectionSoft = 0x14, kMarkSection = 0x15;

struct TFindWantedPattern {
  // The three case copies, each of `len` units.  For a case-sensitive word
  // all three are the word itself.
  const char16_t* upper = nullptr;
  const char16_t* lower = nullptr;
  const char16_t* title = nullptr;
  Integer len = 0;
  bool case_sensitive = false;
  bool left_bounded = true;
  bool right_bounded = true;
};

struct TFindWantedContext {
  bool skip_punctuation = false;
  // The text has explicit sentence / paragraph / heading / section tags.
  bool sentence_tags = false, paragraph_tags = false, heading_tags = false, section_tags = false;
  TSearchStatsRec* stats = nullptr;  // required
  bool* in_heading = nullptr;        // required; carried across calls
};

struct TFindWantedResult {
  Integer hit = -1;        // index of the hit in the window, -1 for none
  Integer full_len = 0;    // including the rest of the word when not right-bounded
  Integer exact_len = 0;   // characters matched by the pattern
};

// Searches the window text[0 .. count) with map[0 .. count).  `before` is the
// number of characters (and map words) that lie before the window in the
// same buffer: the left-boundary test looks at map[-1] when before > 0.
// `text` is const char16_t* for UTF-16 and const char* for 8-bit buffers.
TFindWantedResult NewFindWantedInBuffer(const char16_t* text, const Word* map, Integer count, Integer before,
                                        const TFindWantedPattern& pattern, const TFindWantedContext& ctx);
TFindWantedResult NewFindWantedInBuffer(const char* text, const Word* map, Integer count, Integer before,
                                        const TFindWantedPattern& pattern, const TFindWantedContext& ctx);

// Counts the statistics of map[from .. to) (used by the matcher for the span
// it has passed; exposed for tests and for callers that skip text).
// `count` is the window length, so map[count] is never read: the character
// after the window counts as space-like.
void CountTextStats(const Word* map, Integer from, Integer to, Integer count, const TFindWantedContext& ctx);

}  // namespace cv
