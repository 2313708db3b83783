// Records shared between the lemmatiser's lists and the tools that walk them.
//
// TLemmaEntryRec and TMatchEntryRec are handed to the tools' visitors as they
// are stored: their layout is part of the library's interface and must not
// change.  The texts they point at belong to the list and stay valid until
// the list is cleared or loaded again.
#pragma once

#include <cstddef>
#include <functional>
#include <type_traits>

#include "core/basic_types.h"
#include "platform/types.h"

namespace cv {

// One variant and its head word.  `variantp` is 8-bit or UTF-16 text as the
// list's encoding; `headwordp` is always UTF-16 (null for the seed entries).
struct TLemmaEntryRec {
  void* variantp;
  char16_t* headwordp;
};
static_assert(std::is_standard_layout_v<TLemmaEntryRec>);
static_assert(offsetof(TLemmaEntryRec, variantp) == 0);
static_assert(offsetof(TLemmaEntryRec, headwordp) == sizeof(void*));

// One item of a match, stop or relation list, in the list's encoding.
struct TMatchEntryRec {
  void* searchp;
};
static_assert(std::is_standard_layout_v<TMatchEntryRec>);

enum TCaseSensitivity : Byte { cs_anyhow, cs_sensitive };

// The visitors of the lists' in-order walks.  `this_one` is the 1-based
// position in the walk and `out_of` the node count, the seed items included
// in both.
using THandleLemmaProc = std::function<void(TLemmaEntryRec& t, TCaseSensitivity case_sensitivity,
                                            Boolean in_unicode, Boolean consider_affixes,
                                            Integer this_one, Integer out_of)>;
using THandleMatchProc = std::function<void(void* searchp, TCaseSensitivity case_sensitivity,
                                            Boolean in_unicode, Boolean consider_affixes,
                                            Integer this_one, Integer out_of)>;
using THandleStopProc = THandleMatchProc;

// Told the estimated and the final line counts, with the list kind's name.
using TAnnounceNumberAndMessageProc = std::function<void(Integer n, const hundredwidechar& mess)>;
// Told the accepted-item count as a load goes on.
using TShowSomeProgressProc = std::function<void(Integer n)>;

}  // namespace cv
