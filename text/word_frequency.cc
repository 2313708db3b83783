#include "text/word_frequency.h"

#include <unicode/uchar.h>

#include <array>
#include <stdexcept>

namespace cv {

namespace {

// Per-unit tables, built once: 64 K flags and 64 K folded units.
struct UnitTables {
  std::array<std::uint8_t, 65536> word{};
  std::array<char16_t, 65536> fold{};
  UnitTables() {
    for (UChar32 c = 0; c < 65536; ++c) {
      const int8_t t = u_charType(c);
      word[c] = (t == U_UPPERCASE_LETTER || t == U_LOWERCASE_LETTER || t == U_TITLECASE_LETTER ||
                 t == U_MODIFIER_LETTER || t == U_OTHER_LETTER || t == U_DECIMAL_DIGIT_NUMBER)
                    ? 1
                    : 0;
      const UChar32 f = (c >= 0xD800 && c <= 0xDFFF) ? c : u_foldCase(c, U_FOLD_CASE_DEFAULT);
      fold[c] = f < 65536 ? static_cast<char16_t>(f) : static_cast<char16_t>(c);
    }
  }
};

const UnitTables& Tables() {
  static const UnitTables t;
  return t;
}

constexpr std::uint64_t kSeed = 0x9E3779B97F4A7C15ull;

inline std::uint64_t Step(std::uint64_t h, char16_t c) { return (h ^ c) * 0x100000001B3ull; }
inline std::uint64_t Finish(std::uint64_t h) {
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDull;
  h ^= h >> 33;
  return h;
}

}  // namespace

bool IsWordUnit(char16_t c) { return Tables().word[c] != 0; }
char16_t FoldedUnit(char16_t c) { return Tables().fold[c]; }

std::uint64_t FoldedKeyHash(const char16_t* folded, std::size_t len) {
  std::uint64_t h = kSeed;
  for (std::size_t i = 0; i < len; ++i) h = Step(h, folded[i]);
  return Finish(h);
}

TWordFrequencyCounter::TWordFrequencyCounter() { Clear(); }

void TWordFrequencyCounter::Clear() {
  slots_.assign(1024, 0);
  mask_ = slots_.size() - 1;
  entries_.clear();
  keys_.clear();
  used_ = 0;
  tokens_ = 0;
  text_number_ = 0;
}

namespace {
inline std::uint64_t Cell(std::uint64_t hash, std::size_t number) { return (hash & 0xFFFFFFFF00000000ull) | number; }
inline bool SameUnits(const char16_t* a, const char16_t* b, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i)
    if (a[i] != b[i]) return false;
  return true;
}
}  // namespace

std::size_t TWordFrequencyCounter::Find(const char16_t* folded, std::size_t len, std::uint64_t hash) const {
  const std::uint64_t high = hash & 0xFFFFFFFF00000000ull;
  std::size_t i = hash & mask_;
  for (;;) {
    const std::uint64_t c = slots_[i];
    if (c == 0) return i;
    if ((c & 0xFFFFFFFF00000000ull) == high) {
      const Entry& e = entries_[(c & 0xFFFFFFFFu) - 1];
      if (e.key_len == len && SameUnits(keys_.data() + e.key_off, folded, len)) return i;
    }
    i = (i + 1) & mask_;
  }
}

void TWordFrequencyCounter::Grow() {
  slots_.assign(slots_.size() * 2, 0);
  mask_ = slots_.size() - 1;
  for (std::size_t n = 0; n < entries_.size(); ++n) {
    std::size_t i = entries_[n].hash & mask_;
    while (slots_[i] != 0) i = (i + 1) & mask_;
    slots_[i] = Cell(entries_[n].hash, n + 1);
  }
}

void TWordFrequencyCounter::Count(const char16_t* word, const char16_t* folded, std::size_t len,
                                  std::uint64_t hash) {
  ++tokens_;
  const std::size_t i = Find(folded, len, hash);
  if (slots_[i] != 0) {
    Entry& e = entries_[(slots_[i] & 0xFFFFFFFFu) - 1];
    ++e.freq;
    if (e.last_text != text_number_) {
      e.last_text = text_number_;
      ++e.texts;
    }
    return;
  }
  // A new word: its folded key and its spelling go to the arena, whose
  // offsets are 32-bit, as are entry numbers.
  if (keys_.size() + 2 * len > 0xFFFFFFFFull || entries_.size() >= 0xFFFFFFFEull)
    throw std::length_error("word list too large");
  Entry e{};
  e.hash = hash;
  e.key_off = static_cast<std::uint32_t>(keys_.size());
  e.key_len = static_cast<std::uint32_t>(len);
  keys_.insert(keys_.end(), folded, folded + len);
  if (SameUnits(word, folded, len)) {
    e.spell_off = e.key_off;
  } else {
    e.spell_off = static_cast<std::uint32_t>(keys_.size());
    keys_.insert(keys_.end(), word, word + len);
  }
  e.freq = 1;
  e.texts = 1;
  e.last_text = text_number_;
  entries_.push_back(e);
  slots_[i] = Cell(hash, entries_.size());
  used_ = entries_.size();
  // At most half the cells are in use, so probes stay short.
  if (used_ * 2 > slots_.size()) Grow();
}

void TWordFrequencyCounter::AddWord(std::u16string_view word) {
  if (word.empty()) return;
  const UnitTables& t = Tables();
  scratch_.resize(word.size());
  std::uint64_t h = kSeed;
  for (std::size_t i = 0; i < word.size(); ++i) {
    const char16_t f = t.fold[word[i]];
    scratch_[i] = f;
    h = Step(h, f);
  }
  Count(word.data(), scratch_.data(), word.size(), Finish(h));
}

void TWordFrequencyCounter::AddText(const char16_t* text, std::size_t n, Integer min_len) {
  const UnitTables& t = Tables();
  if (scratch_.size() < 256) scratch_.resize(256);
  std::size_t i = 0;
  while (i < n) {
    // Skip to the next word unit.
    while (i < n && !t.word[text[i]]) ++i;
    if (i >= n) break;
    const std::size_t start = i;
    std::uint64_t h = kSeed;
    std::size_t len = 0;
    while (i < n && t.word[text[i]]) {
      if (len == scratch_.size()) scratch_.resize(scratch_.size() * 2);
      const char16_t f = t.fold[text[i]];
      scratch_[len++] = f;
      h = Step(h, f);
      ++i;
    }
    if (len >= static_cast<std::size_t>(min_len < 1 ? 1 : min_len)) Count(text + start, scratch_.data(), len, Finish(h));
  }
}

Int64 TWordFrequencyCounter::FrequencyOf(std::u16string_view word) const {
  if (word.empty()) return 0;
  std::vector<char16_t> folded(word.size());
  for (std::size_t i = 0; i < word.size(); ++i) folded[i] = FoldedUnit(word[i]);
  const std::size_t i = Find(folded.data(), folded.size(), FoldedKeyHash(folded.data(), folded.size()));
  return slots_[i] ? entries_[(slots_[i] & 0xFFFFFFFFu) - 1].freq : 0;
}

std::vector<TWordCount> TWordFrequencyCounter::Entries() const {
  std::vector<TWordCount> out(entries_.size());
  for (std::size_t n = 0; n < entries_.size(); ++n) {
    const Entry& e = entries_[n];
    out[n].word.assign(keys_.data() + e.spell_off, e.key_len);
    out[n].freq = e.freq;
    out[n].texts = e.texts;
  }
  return out;
}

}  // namespace cv
