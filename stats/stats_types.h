// Records and enumerations of the statistics routines.
//
// The enumerations are stored one byte each in the settings record and in the
// tools' results files, so their ordinals never change.  TText_stats_rec is
// part of the stored per-text statistics (12 bytes).  TKeyword_entry_rec is the
// in-memory keyness result: its scalar part (the first 44 bytes) has a fixed
// layout; the four pointers that follow are 4 bytes each in the 32-bit build
// (60 bytes in all) and 8 bytes each, after 4 zero bytes of alignment, in a
// 64-bit build.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/types.h"
#include "settings_library/settings_records.h"

namespace cv {

// TMutualInfoStats, TKeyness_procedure and Tdouble_smallint_type are the
// settings record's own types.

// Count, mean and sample standard deviation (divisor n - 1) of a group.
struct TText_stats_rec {
  Integer n = 0;
  Single mean = 0;
  Single std_dev = 0;
};
static_assert(sizeof(TText_stats_rec) == 12);
static_assert(offsetof(TText_stats_rec, mean) == 4);
static_assert(offsetof(TText_stats_rec, std_dev) == 8);

class TMyStreamableStringlist;  // the stored string list; owned by the caller

// The shared empty text that the text pointers of a fresh keyness record
// point at.  One object for the whole program, so a pointer can be compared
// against it.
inline constexpr WideChar EmptyWideText[1] = {0};

struct TKeyword_entry_rec {
  Integer f[2] = {0, 0};        // O1 (text), O2 (reference corpus)
  Single LL = 0;                // signed log-likelihood: negative when under-used
  Integer n_texts = 0;
  Single BIC_Score = 0;
  Single unused_Percentdiff = 0;
  Single LogRatio = 0;
  Boolean negative_score = false;
  Byte padding_29[3] = {0, 0, 0};
  Integer spare1 = 0;
  Integer spare2[2] = {0, 0};
#if UINTPTR_MAX > 0xFFFFFFFFu
  Byte padding_44[4] = {0, 0, 0, 0};
#endif
  // Not owned by the record: whoever attaches a list frees it.
  TMyStreamableStringlist* lemma_words = nullptr;
  const WideChar* w = EmptyWideText;
  const WideChar* prefix_or_tag = EmptyWideText;
  const WideChar* suffix = EmptyWideText;
};
static_assert(offsetof(TKeyword_entry_rec, f) == 0);
static_assert(offsetof(TKeyword_entry_rec, LL) == 8);
static_assert(offsetof(TKeyword_entry_rec, n_texts) == 12);
static_assert(offsetof(TKeyword_entry_rec, BIC_Score) == 16);
static_assert(offsetof(TKeyword_entry_rec, unused_Percentdiff) == 20);
static_assert(offsetof(TKeyword_entry_rec, LogRatio) == 24);
static_assert(offsetof(TKeyword_entry_rec, negative_score) == 28);
static_assert(offsetof(TKeyword_entry_rec, spare1) == 32);
static_assert(offsetof(TKeyword_entry_rec, spare2) == 36);
static_assert(offsetof(TKeyword_entry_rec, lemma_words) == (sizeof(void*) == 4 ? 44 : 48));
static_assert(offsetof(TKeyword_entry_rec, w) == offsetof(TKeyword_entry_rec, lemma_words) + sizeof(void*));
static_assert(offsetof(TKeyword_entry_rec, suffix) == offsetof(TKeyword_entry_rec, lemma_words) + 3 * sizeof(void*));
static_assert(sizeof(TKeyword_entry_rec) == (sizeof(void*) == 4 ? 60 : 80));

}  // namespace cv
