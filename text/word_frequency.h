// Counting words: the frequency table behind the word lists of the text
// studies and of the command-line tool.
//
// A word is a maximal run of UTF-16 units that pass the letter-or-digit test
// (general categories L* and Nd, one unit at a time, so a surrogate is never
// part of a word).  Words that differ only in case are one entry: the key is
// the word with each unit simple-case-folded (Unicode CaseFolding C + S), and
// the entry keeps the spelling met first.
//
// The table is an open-addressing hash on the folded key, so counting costs
// one hash and (nearly always) one key comparison per token whatever the
// size of the list; nothing is sorted until the caller asks for the entries.
// Each entry also counts the texts it was met in: call NextText() between
// texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace cv {

// The letter-or-digit test of one unit (L* or Nd).
bool IsWordUnit(char16_t c);
// The simple case folding of one unit (itself when it has none in the BMP).
char16_t FoldedUnit(char16_t c);

struct TWordCount {
  string word;       // the first spelling met
  Int64 freq = 0;
  Integer texts = 0;  // number of texts it was met in
};

class TWordFrequencyCounter {
 public:
  TWordFrequencyCounter();

  // Counts every word of text[0 .. n).  A word that touches either end of
  // the span counts as it stands: callers that feed a text in pieces cut
  // between words.  With min_len > 1, shorter words are not counted.
  void AddText(const char16_t* text, std::size_t n, Integer min_len = 1);
  // Counts one word (its units taken as they are, even non-word units).
  void AddWord(std::u16string_view word);
  // Later words are counted as met in another text.
  void NextText() { ++text_number_; }
  void Clear();

  std::size_t Distinct() const { return used_; }
  Int64 Tokens() const { return tokens_; }
  // Frequency of a word (0 when absent), looked up by its folded key.
  Int64 FrequencyOf(std::u16string_view word) const;

  // The entries in the order they were first met.
  std::vector<TWordCount> Entries() const;

 private:
  // Each entry is a record in the arena of 64-bit words, in the order the
  // words were first met:
  //   [0] frequency
  //   [1] texts (low 32 bits) | number of the last text met in (high 32)
  //   [2] key length in units (low 32) | 1 + offset of the first spelling
  //       in spellings_, or 0 when it equals the key (high 32)
  //   [3..] the folded key, four units to a word, the last word zero-padded
  // The key sits beside the counts, so a token that finds its word touches
  // one table cell and one record.  The table holds 8-byte cells: the
  // hash's high 32 bits and 1 + the record's offset (0 = empty).
  void Count(const char16_t* word, std::size_t len, const std::uint64_t* packed, std::uint64_t hash);
  void Grow();
  std::size_t Find(const std::uint64_t* packed, std::size_t len, std::uint64_t hash) const;

  std::vector<std::uint64_t> slots_;
  std::vector<std::uint64_t> arena_;
  std::vector<char16_t> spellings_;
  std::vector<std::uint64_t> scratch_;  // the folded key being counted, packed
  std::size_t used_ = 0;
  std::size_t mask_ = 0;
  Int64 tokens_ = 0;
  Integer text_number_ = 0;
};

// Hash of a folded key, as the counter computes it.
std::uint64_t FoldedKeyHash(const char16_t* folded, std::size_t len);

}  // namespace cv
