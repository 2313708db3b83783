// The head words of a lemma list, each once, with its variants in file order.
//
// Head words are one head word when they differ only in case under the
// list's locale (Turkish and Azeri dotted and dotless i included); the
// spelling met first is kept.  Finding and adding cost one hash probe.  The
// display order, by the locale's collation ignoring case (ties in code-unit
// order), is worked out when first asked for after a change.
#pragma once

#include <cstddef>
#include <deque>
#include <string_view>
#include <vector>

#include "lemmatiser_library/lemma_stop_match_types.h"
#include "platform/types.h"

namespace cv {

// A stored variant: the entry the tools see, and the link to the next
// variant of the same head word (the head word's TLemmaPointerHolder list).
struct TLemmaEntryNode {
  TLemmaEntryRec rec;
  TLemmaEntryNode* next_variant = nullptr;
};
static_assert(offsetof(TLemmaEntryNode, rec) == 0, "a node is used as its entry");

// One head word.  `text` never changes once added, so entries may point at
// text.c_str() until the list is cleared.
struct THeadWord {
  string text;
  string key;  // the case-folded text; empty when equal to text
  TLemmaEntryNode* first_variant = nullptr;
  TLemmaEntryNode* last_variant = nullptr;
  Integer variant_count = 0;

  void AppendVariant(TLemmaEntryNode* v);
};

class THeadWordList {
 public:
  void SetLocale(LCID lcid);
  // The head word equal to `head` ignoring case, added when absent.
  THeadWord& Add(std::u16string_view head);
  // Null when absent.
  THeadWord* Find(std::u16string_view head);
  Integer Count() const { return static_cast<Integer>(entries_.size()); }
  // The index-th head word in display order; null when out of range.
  const THeadWord* Sorted(Integer index);
  void Clear();

 private:
  struct Slot {
    std::size_t hash = 0;
    THeadWord* word = nullptr;
  };
  // Sets key to the folded form of s; false when s is its own folded form
  // (key is then left empty).
  bool Fold(std::u16string_view s, string& key) const;
  // The slot holding `key`, or the empty slot where it would go.
  Slot& Probe(std::u16string_view key, std::size_t hash);
  void Grow();

  LCID lcid_ = 0x0409;
  bool turkic_ = false;
  std::deque<THeadWord> entries_;
  std::vector<Slot> table_;  // open addressing, power-of-two size, at most half full
  THeadWord* last_ = nullptr;  // most files list a head word's variants together
  std::vector<THeadWord*> sorted_;
  bool sorted_valid_ = true;
};

}  // namespace cv
