#include "text/word_frequency.h"

#include <unicode/uchar.h>

#include <array>
#include <cstring>
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
  slots_.assign(1024, Slot{});
  mask_ = slots_.size() - 1;
  keys_.clear();
  used_ = 0;
  tokens_ = 0;
  text_number_ = 0;
}

std::size_t TWordFrequencyCounter::Find(const char16_t* folded, std::size_t len, std::uint64_t hash) const {
  std::size_t i = hash & mask_;
  for (;;) {
    const Slot& s = slots_[i];
    if (s.order == 0) return i;
    if (s.hash == hash && s.key_len == len &&
        std::memcmp(keys_.data() + s.key_off, folded, len * sizeof(char16_t)) == 0)
      return i;
    i = (i + 1) & mask_;
  }
}

void TWordFrequencyCounter::Grow() {
  std::vector<Slot> old;
  old.swap(slots_);
  slots_.assign(old.size() * 2, Slot{});
  mask_ = slots_.size() - 1;
  for (const Slot& s : old) {
    if (s.order == 0) continue;
    std::size_t i = s.hash & mask_;
    while (slots_[i].order != 0) i = (i + 1) & mask_;
    slots_[i] = s;
  }
}

void TWordFrequencyCounter::Count(const char16_t* word, const char16_t* folded, std::size_t len,
                                  std::uint64_t hash) {
  ++tokens_;
  std::size_t i = Find(folded, len, hash);
  Slot& s = slots_[i];
  if (s.order != 0) {
    ++s.freq;
    if (s.last_text != text_number_) {
      s.last_text = text_number_;
      ++s.texts;
    }
    return;
  }
  // A new word: its folded key and its spelling go to the arena, whose
  // offsets are 32-bit.
  if (keys_.size() + 2 * len > 0xFFFFFFFFull) throw std::length_error("word list too large");
  s.hash = hash;
  s.key_off = static_cast<std::uint32_t>(keys_.size());
  s.key_len = static_cast<std::uint32_t>(len);
  keys_.insert(keys_.end(), folded, folded + len);
  if (std::memcmp(word, folded, len * sizeof(char16_t)) == 0) {
    s.spell_off = s.key_off;
  } else {
    s.spell_off = static_cast<std::uint32_t>(keys_.size());
    keys_.insert(keys_.end(), word, word + len);
  }
  s.order = static_cast<std::uint32_t>(++used_);
  s.freq = 1;
  s.texts = 1;
  s.last_text = text_number_;
  // At most half the slots are in use, so probes stay short.
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
  return slots_[i].order ? slots_[i].freq : 0;
}

std::vector<TWordCount> TWordFrequencyCounter::Entries() const {
  std::vector<TWordCount> out(used_);
  for (const Slot& s : slots_) {
    if (s.order == 0) continue;
    TWordCount& e = out[s.order - 1];
    e.word.assign(keys_.data() + s.spell_off, s.key_len);
    e.freq = s.freq;
    e.texts = s.texts;
  }
  return out;
}

}  // namespace cv
