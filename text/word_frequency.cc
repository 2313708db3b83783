#include "text/word_frequency.h"

#include <unicode/uchar.h>

#include <array>
#include <stdexcept>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace cv {

namespace {

// Per-unit tables, built once.  `word_fold` is the folded unit of a word
// unit and 0 for any other unit (no word unit folds to 0), so the tokeniser
// makes one look-up per unit; `fold` folds every unit, for AddWord.
struct UnitTables {
  std::array<char16_t, 65536> word_fold{};
  std::array<char16_t, 65536> fold{};
  UnitTables() {
    for (UChar32 c = 0; c < 65536; ++c) {
      const int8_t t = u_charType(c);
      const bool word = t == U_UPPERCASE_LETTER || t == U_LOWERCASE_LETTER || t == U_TITLECASE_LETTER ||
                        t == U_MODIFIER_LETTER || t == U_OTHER_LETTER || t == U_DECIMAL_DIGIT_NUMBER;
      const UChar32 f = (c >= 0xD800 && c <= 0xDFFF) ? c : u_foldCase(c, U_FOLD_CASE_DEFAULT);
      fold[c] = f < 65536 ? static_cast<char16_t>(f) : static_cast<char16_t>(c);
      word_fold[c] = word ? fold[c] : 0;
    }
  }
};

const UnitTables& Tables() {
  static const UnitTables t;
  return t;
}

constexpr std::uint64_t kSeed = 0x9E3779B97F4A7C15ull;
constexpr std::uint64_t kHigh = 0xFFFFFFFF00000000ull;
constexpr std::size_t kHeader = 3;  // words before the key in a record

inline std::size_t Words(std::size_t len) { return (len + 3) / 4; }

// Hash of a key packed four units to a word.
inline std::uint64_t PackedHash(const std::uint64_t* w, std::size_t len) {
  std::uint64_t h = kSeed ^ len;
  const std::size_t n = Words(len);
  for (std::size_t i = 0; i < n; ++i) {
    h ^= w[i];
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 31;
  }
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDull;
  h ^= h >> 33;
  return h;
}

inline bool SameWords(const std::uint64_t* a, const std::uint64_t* b, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i)
    if (a[i] != b[i]) return false;
  return true;
}

inline char16_t UnitOf(const std::uint64_t* packed, std::size_t i) {
  return static_cast<char16_t>(packed[i >> 2] >> ((i & 3) * 16));
}

// Packs units into words (zero-padded); out has room for Words(len).
inline void Pack(const char16_t* units, std::size_t len, std::uint64_t* out) {
  for (std::size_t i = 0; i < Words(len); ++i) out[i] = 0;
  for (std::size_t i = 0; i < len; ++i) out[i >> 2] |= static_cast<std::uint64_t>(units[i]) << ((i & 3) * 16);
}

#if defined(__SSE2__)
// Eight units at a time for ASCII text.  The ASCII word units are the digits
// and the letters, and each folds to itself with bit 0x20 set.  Bits of the
// masks come two to a unit, as _mm_movemask_epi8 gives them.
inline __m128i Load8(const char16_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline unsigned AsciiWordBits(__m128i v) {
  const __m128i lw = _mm_or_si128(v, _mm_set1_epi16(0x20));
  const __m128i letter = _mm_and_si128(_mm_cmpgt_epi16(lw, _mm_set1_epi16(0x60)), _mm_cmplt_epi16(lw, _mm_set1_epi16(0x7B)));
  const __m128i digit = _mm_and_si128(_mm_cmpgt_epi16(v, _mm_set1_epi16(0x2F)), _mm_cmplt_epi16(v, _mm_set1_epi16(0x3A)));
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(letter, digit)));
}
inline unsigned NonAsciiBits(__m128i v) {
  const __m128i ascii = _mm_cmpeq_epi16(_mm_and_si128(v, _mm_set1_epi16(static_cast<short>(0xFF80))), _mm_setzero_si128());
  return static_cast<unsigned>(_mm_movemask_epi8(ascii)) ^ 0xFFFFu;
}
// The first r units of v folded, the rest zero.
inline __m128i FoldedAscii(__m128i v, unsigned r) {
  const __m128i keep = _mm_cmplt_epi16(_mm_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7), _mm_set1_epi16(static_cast<short>(r)));
  return _mm_and_si128(_mm_or_si128(v, _mm_set1_epi16(0x20)), keep);
}
#endif

}  // namespace

bool IsWordUnit(char16_t c) { return Tables().word_fold[c] != 0; }
char16_t FoldedUnit(char16_t c) { return Tables().fold[c]; }

std::uint64_t FoldedKeyHash(const char16_t* folded, std::size_t len) {
  std::vector<std::uint64_t> packed(Words(len));
  Pack(folded, len, packed.data());
  return PackedHash(packed.data(), len);
}

TWordFrequencyCounter::TWordFrequencyCounter() { Clear(); }

void TWordFrequencyCounter::Clear() {
  slots_.assign(1024, 0);
  mask_ = slots_.size() - 1;
  arena_.clear();
  spellings_.clear();
  used_ = 0;
  tokens_ = 0;
  text_number_ = 0;
}

std::size_t TWordFrequencyCounter::Find(const std::uint64_t* packed, std::size_t len, std::uint64_t hash) const {
  const std::uint64_t high = hash & kHigh;
  const std::size_t n = Words(len);
  std::size_t i = hash & mask_;
  for (;;) {
    const std::uint64_t c = slots_[i];
    if (c == 0) return i;
    if ((c & kHigh) == high) {
      const std::uint64_t* r = arena_.data() + ((c & 0xFFFFFFFFu) - 1);
      if ((r[2] & 0xFFFFFFFFu) == len && SameWords(r + kHeader, packed, n)) return i;
    }
    i = (i + 1) & mask_;
  }
}

void TWordFrequencyCounter::Grow() {
  slots_.assign(slots_.size() * 2, 0);
  mask_ = slots_.size() - 1;
  for (std::size_t at = 0; at < arena_.size();) {
    const std::size_t len = arena_[at + 2] & 0xFFFFFFFFu;
    const std::uint64_t hash = PackedHash(arena_.data() + at + kHeader, len);
    std::size_t i = hash & mask_;
    while (slots_[i] != 0) i = (i + 1) & mask_;
    slots_[i] = (hash & kHigh) | (at + 1);
    at += kHeader + Words(len);
  }
}

void TWordFrequencyCounter::Count(const char16_t* word, std::size_t len, const std::uint64_t* packed,
                                  std::uint64_t hash) {
  ++tokens_;
  const std::size_t i = Find(packed, len, hash);
  if (slots_[i] != 0) {
    std::uint64_t* r = arena_.data() + ((slots_[i] & 0xFFFFFFFFu) - 1);
    ++r[0];
    if (static_cast<Integer>(r[1] >> 32) != text_number_)
      r[1] = ((r[1] + 1) & 0xFFFFFFFFu) | (static_cast<std::uint64_t>(static_cast<std::uint32_t>(text_number_)) << 32);
    return;
  }
  // A new word.  Record offsets, spelling offsets and lengths are 32-bit.
  const std::size_t n = Words(len);
  if (arena_.size() + kHeader + n >= 0xFFFFFFFFull || spellings_.size() + len >= 0xFFFFFFFFull)
    throw std::length_error("word list too large");
  bool same = true;
  for (std::size_t k = 0; k < len && same; ++k) same = word[k] == UnitOf(packed, k);
  std::uint64_t spell = 0;
  if (!same) {
    spell = spellings_.size() + 1;
    spellings_.insert(spellings_.end(), word, word + len);
  }
  const std::size_t at = arena_.size();
  arena_.push_back(1);
  arena_.push_back(1 | (static_cast<std::uint64_t>(static_cast<std::uint32_t>(text_number_)) << 32));
  arena_.push_back(len | (spell << 32));
  arena_.insert(arena_.end(), packed, packed + n);
  slots_[i] = (hash & kHigh) | (at + 1);
  ++used_;
  // At most half the cells are in use, so probes stay short.
  if (used_ * 2 > slots_.size()) Grow();
}

void TWordFrequencyCounter::AddWord(std::u16string_view word) {
  if (word.empty()) return;
  const UnitTables& t = Tables();
  scratch_.assign(Words(word.size()), 0);
  for (std::size_t i = 0; i < word.size(); ++i)
    scratch_[i >> 2] |= static_cast<std::uint64_t>(t.fold[word[i]]) << ((i & 3) * 16);
  Count(word.data(), word.size(), scratch_.data(), PackedHash(scratch_.data(), word.size()));
}

void TWordFrequencyCounter::AddText(const char16_t* text, std::size_t n, Integer min_len) {
  // Words go in batches: the whole batch is cut and hashed first and the
  // table cells, then the records, of all its words are fetched ahead, so
  // the cache misses of a batch overlap instead of following one another.
  constexpr std::size_t kBatch = 64;
  struct TPending {
    const char16_t* word;
    std::size_t len;
    std::size_t key_at;
    std::uint64_t hash;
  } pending[kBatch];
  const char16_t* wf = Tables().word_fold.data();
  const std::size_t least = static_cast<std::size_t>(min_len < 1 ? 1 : min_len);
  if (scratch_.size() < 1024) scratch_.resize(1024);
  std::size_t i = 0;
  while (i < n) {
    std::size_t count = 0, key_used = 0;
    while (count < kBatch && i < n) {
      // Skip to the next word unit.
#if defined(__SSE2__)
      while (i + 8 <= n) {
        const __m128i v = Load8(text + i);
        const unsigned stop = AsciiWordBits(v) | NonAsciiBits(v);
        if (!stop) {
          i += 8;
          continue;
        }
        i += static_cast<std::size_t>(__builtin_ctz(stop)) >> 1;
        if (wf[text[i]]) break;
        ++i;
      }
#endif
      while (i < n && !wf[text[i]]) ++i;
      if (i >= n) break;
      const std::size_t start = i;
      std::uint64_t w = 0;
      std::size_t len = 0;
      bool ended = false;
#if defined(__SSE2__)
      // Whole vectors of ASCII word units; the scalar loop below takes over
      // at a unit that is not ASCII and at the text's last few units.
      while (i + 8 <= n) {
        if (key_used + (len >> 2) + 2 >= scratch_.size()) scratch_.resize(scratch_.size() * 2);
        const __m128i v = Load8(text + i);
        const unsigned not_word = ~AsciiWordBits(v) & 0xFFFFu;
        const unsigned r = not_word ? static_cast<unsigned>(__builtin_ctz(not_word)) >> 1 : 8;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(scratch_.data() + key_used + (len >> 2)), FoldedAscii(v, r));
        len += r;
        i += r;
        if (r < 8) {
          const unsigned non_ascii = NonAsciiBits(v);
          ended = !non_ascii || static_cast<unsigned>(__builtin_ctz(non_ascii)) >> 1 != r;
          if (!ended && (len & 3)) w = scratch_[key_used + (len >> 2)];
          break;
        }
      }
#endif
      while (!ended) {
        const char16_t f = i < n ? wf[text[i]] : 0;
        if (!f) break;
        w |= static_cast<std::uint64_t>(f) << ((len & 3) * 16);
        ++len;
        ++i;
        if ((len & 3) == 0) {
          if (key_used + (len >> 2) >= scratch_.size()) scratch_.resize(scratch_.size() * 2);
          scratch_[key_used + (len >> 2) - 1] = w;
          w = 0;
        }
      }
      if ((len & 3) && !ended) scratch_[key_used + (len >> 2)] = w;
      if (len < least) continue;
      const std::uint64_t hash = PackedHash(scratch_.data() + key_used, len);
      __builtin_prefetch(slots_.data() + (hash & mask_));
      pending[count++] = {text + start, len, key_used, hash};
      key_used += Words(len);
      if (key_used + 1 >= scratch_.size()) scratch_.resize(scratch_.size() * 2);
    }
    for (std::size_t k = 0; k < count; ++k) {
      const std::uint64_t c = slots_[pending[k].hash & mask_];
      if (c) __builtin_prefetch(arena_.data() + ((c & 0xFFFFFFFFu) - 1));
    }
    for (std::size_t k = 0; k < count; ++k)
      Count(pending[k].word, pending[k].len, scratch_.data() + pending[k].key_at, pending[k].hash);
  }
}

Int64 TWordFrequencyCounter::FrequencyOf(std::u16string_view word) const {
  if (word.empty()) return 0;
  std::vector<std::uint64_t> packed(Words(word.size()));
  for (std::size_t i = 0; i < word.size(); ++i)
    packed[i >> 2] |= static_cast<std::uint64_t>(FoldedUnit(word[i])) << ((i & 3) * 16);
  const std::size_t i = Find(packed.data(), word.size(), PackedHash(packed.data(), word.size()));
  return slots_[i] ? static_cast<Int64>(arena_[(slots_[i] & 0xFFFFFFFFu) - 1]) : 0;
}

std::vector<TWordCount> TWordFrequencyCounter::Entries() const {
  std::vector<TWordCount> out;
  out.reserve(used_);
  for (std::size_t at = 0; at < arena_.size();) {
    const std::uint64_t* r = arena_.data() + at;
    const std::size_t len = r[2] & 0xFFFFFFFFu;
    const std::size_t spell = r[2] >> 32;
    TWordCount e;
    if (spell) {
      e.word.assign(spellings_.data() + (spell - 1), len);
    } else {
      e.word.resize(len);
      for (std::size_t k = 0; k < len; ++k) e.word[k] = UnitOf(r + kHeader, k);
    }
    e.freq = static_cast<Int64>(r[0]);
    e.texts = static_cast<Integer>(r[1] & 0xFFFFFFFFu);
    out.push_back(std::move(e));
    at += kHeader + Words(len);
  }
  return out;
}

}  // namespace cv
