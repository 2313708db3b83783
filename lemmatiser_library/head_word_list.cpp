#include "lemmatiser_library/head_word_list.h"

#include <algorithm>
#include <functional>

#include "platform/nls.h"

namespace cv {

namespace {

std::u16string_view KeyOf(const THeadWord& w) { return w.key.empty() ? std::u16string_view(w.text) : w.key; }

}  // namespace

void THeadWord::AppendVariant(TLemmaEntryNode* v) {
  v->next_variant = nullptr;
  if (last_variant == nullptr)
    first_variant = v;
  else
    last_variant->next_variant = v;
  last_variant = v;
  ++variant_count;
}

void THeadWordList::SetLocale(LCID lcid) {
  const LCID resolved = ResolveLCID(lcid);
  if (resolved == lcid_) return;
  lcid_ = resolved;
  turkic_ = IsTurkicLCID(resolved);
  // Keys and order depend on the locale.
  if (table_.empty()) return;
  std::fill(table_.begin(), table_.end(), Slot{});
  for (THeadWord& w : entries_) {
    w.key.clear();
    string key;
    if (Fold(w.text, key)) w.key = std::move(key);
    const std::size_t hash = std::hash<std::u16string_view>()(KeyOf(w));
    Slot& slot = Probe(KeyOf(w), hash);
    if (slot.word == nullptr) slot = Slot{hash, &w};
  }
  sorted_valid_ = false;
  last_ = nullptr;
}

bool THeadWordList::Fold(std::u16string_view s, string& key) const {
  bool ascii = true;
  bool changes = false;
  for (char16_t c : s) {
    if (c >= 0x80 || (turkic_ && (c == u'i' || c == u'I'))) {
      ascii = false;
      break;
    }
    if (c >= u'a' && c <= u'z') changes = true;
  }
  if (ascii) {
    if (!changes) return false;
    key.assign(s);
    for (char16_t& c : key)
      if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    return true;
  }
  key = UpperCaseLocale(s, lcid_, true);
  if (key == s) {
    key.clear();
    return false;
  }
  return true;
}

THeadWordList::Slot& THeadWordList::Probe(std::u16string_view key, std::size_t hash) {
  const std::size_t mask = table_.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    Slot& slot = table_[i];
    if (slot.word == nullptr || (slot.hash == hash && KeyOf(*slot.word) == key)) return slot;
  }
}

void THeadWordList::Grow() {
  std::vector<Slot> old = std::move(table_);
  table_.assign(old.empty() ? 64 : old.size() * 2, Slot{});
  for (const Slot& s : old)
    if (s.word != nullptr) Probe(KeyOf(*s.word), s.hash) = s;
}

THeadWord& THeadWordList::Add(std::u16string_view head) {
  if (last_ != nullptr && last_->text == head) return *last_;
  string folded;
  const std::u16string_view key = Fold(head, folded) ? std::u16string_view(folded) : head;
  const std::size_t hash = std::hash<std::u16string_view>()(key);
  if ((entries_.size() + 1) * 2 > table_.size()) Grow();
  Slot& slot = Probe(key, hash);
  if (slot.word == nullptr) {
    THeadWord& w = entries_.emplace_back();
    w.text.assign(head);
    w.key = std::move(folded);
    slot = Slot{hash, &w};
    sorted_valid_ = false;
  }
  last_ = slot.word;
  return *last_;
}

THeadWord* THeadWordList::Find(std::u16string_view head) {
  if (table_.empty()) return nullptr;
  string folded;
  const std::u16string_view key = Fold(head, folded) ? std::u16string_view(folded) : head;
  return Probe(key, std::hash<std::u16string_view>()(key)).word;
}

const THeadWord* THeadWordList::Sorted(Integer index) {
  if (index < 0 || index >= Count()) return nullptr;
  if (!sorted_valid_) {
    sorted_.clear();
    sorted_.reserve(entries_.size());
    for (THeadWord& w : entries_) sorted_.push_back(&w);
    const LCID lcid = lcid_;
    std::sort(sorted_.begin(), sorted_.end(), [lcid](const THeadWord* a, const THeadWord* b) {
      const int c = CompareStringW(lcid, NORM_IGNORECASE, a->text, b->text);
      if (c != CSTR_EQUAL) return c == CSTR_LESS_THAN;
      return a->text < b->text;
    });
    sorted_valid_ = true;
  }
  return sorted_[static_cast<std::size_t>(index)];
}

void THeadWordList::Clear() {
  table_.clear();
  entries_.clear();
  sorted_.clear();
  last_ = nullptr;
  sorted_valid_ = true;
}

}  // namespace cv
