#include "lemmatiser_library/head_word_list.h"

#include <algorithm>

#include "platform/nls.h"

namespace cv {

void THeadWordList::SetLocale(LCID lcid) {
  const LCID resolved = ResolveLCID(lcid);
  if (resolved == lcid_) return;
  lcid_ = resolved;
  turkic_ = IsTurkicLCID(resolved);
  // Keys and order depend on the locale.
  by_key_.clear();
  for (auto& e : entries_) by_key_.emplace(Key(e->text), e.get());
  sorted_valid_ = false;
}

string THeadWordList::Key(std::u16string_view s) const {
  string key(s);
  bool ascii = true;
  for (char16_t& c : key) {
    if (c >= 0x80) {
      ascii = false;
      break;
    }
    if (c >= u'a' && c <= u'z' && !(turkic_ && c == u'i')) c = static_cast<char16_t>(c - 32);
  }
  if (ascii && !turkic_) return key;
  return UpperCaseLocale(s, lcid_, true);
}

THeadWord& THeadWordList::Add(std::u16string_view head) {
  if (last_ != nullptr && last_->text == head) return *last_;
  string key = Key(head);
  auto it = by_key_.find(key);
  if (it != by_key_.end()) {
    last_ = it->second;
    return *last_;
  }
  auto entry = std::make_unique<THeadWord>();
  entry->text.assign(head);
  THeadWord* raw = entry.get();
  entries_.push_back(std::move(entry));
  by_key_.emplace(std::move(key), raw);
  sorted_valid_ = false;
  last_ = raw;
  return *raw;
}

THeadWord* THeadWordList::Find(std::u16string_view head) {
  auto it = by_key_.find(Key(head));
  return it == by_key_.end() ? nullptr : it->second;
}

const THeadWord* THeadWordList::Sorted(Integer index) {
  if (index < 0 || index >= Count()) return nullptr;
  if (!sorted_valid_) {
    sorted_.clear();
    sorted_.reserve(entries_.size());
    for (auto& e : entries_) sorted_.push_back(e.get());
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
  by_key_.clear();
  entries_.clear();
  sorted_.clear();
  last_ = nullptr;
  sorted_valid_ = true;
}

}  // namespace cv
