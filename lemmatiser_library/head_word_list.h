// The head words of a lemma list, each once, with its variants in file order.
//
// Head words are one head word when they differ only in case under the
// list's locale (Turkish and Azeri dotted and dotless i included); the
// spelling met first is kept.  Finding and adding cost a hash lookup.  The
// display order, by the locale's collation ignoring case (ties in code-unit
// order), is worked out when first asked for after a change.
#pragma once

#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "lemmatiser_library/lemma_stop_match_types.h"
#include "platform/types.h"

namespace cv {

// One head word.  `text` never changes once added, so entries may point at
// text.c_str() until the list is cleared.
struct THeadWord {
  string text;
  // One per stored variant (TLemmaPointerHolder), in file order.
  std::vector<TLemmaEntryRec*> variants;
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
  string Key(std::u16string_view s) const;

  LCID lcid_ = 0x0409;
  bool turkic_ = false;
  std::vector<std::unique_ptr<THeadWord>> entries_;
  std::unordered_map<string, THeadWord*> by_key_;
  THeadWord* last_ = nullptr;   // most files list a head word's variants together
  std::vector<THeadWord*> sorted_;
  bool sorted_valid_ = true;
};

}  // namespace cv
