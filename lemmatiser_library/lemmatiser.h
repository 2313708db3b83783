/* The lemmatiser library (libCV7CorvaneLemmatiser.so): its exported C
 * functions.
 *
 * The library keeps 18 slots, one per tool (the tool_type ordinal), each
 * with a lemma list, a match list, a stop list and a relation list, all
 * created at first use with case folding and freed when the library is
 * unloaded.  A slot is a byte below 18 and a list kind a byte below 4
 * (0 lemma, 1 match, 2 stop, 3 relation).  Every export checks its slot,
 * kind and indexes and answers its failure value (0, null, an empty text)
 * when they are out of range; no exception ever leaves the library.
 *
 * Texts: PWideChar is NUL-terminated UTF-16 (char16_t).  An 8-bit text is
 * NUL-terminated in the default ANSI code page.  A list read from a UTF-16
 * or UTF-8 file is a UTF-16 list; one read from any other file is an 8-bit
 * list, and its items are 8-bit texts.
 *
 * Results: texts returned through the two static buffers of the library
 * (255 characters and a NUL, 8-bit or UTF-16) are overwritten by the next
 * call that returns text; copy them at once.  Head words returned by
 * FoundInTheList and LemmaHeadWords point into the list and stay valid until
 * it is cleared or loaded again.
 *
 * Truth values returned are 16-bit: -1 for true, 0 for false.  Truth values
 * passed in are one byte: 0 false, anything else true.
 *
 * Callbacks: each callback type below has the parameters the tools expect,
 * followed by a `void* context`, which the library passes back unchanged
 * (it is given next to the callback in the same call).  Callbacks are
 * called on the caller's thread, during the call that was given them.  A
 * callback may call CancelOne or any lookup; clearing or loading the list
 * being walked from inside its own walk is refused (ClearOne answers false).
 *
 * Not thread-safe: call from one thread.
 */
#ifndef CV_LEMMATISER_H
#define CV_LEMMATISER_H

#include <stdint.h>
#ifndef __cplusplus
#include <uchar.h>
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef int16_t CVWordBool;   /* -1 true, 0 false */
typedef uint8_t CVBoolean;    /* one byte, 0 false */
typedef char16_t* PWideChar;

/* As the lists hold them: `variantp` in the list's encoding, `headwordp`
 * UTF-16. */
typedef struct CVLemmaEntryRec {
  void* variantp;
  char16_t* headwordp;
} CVLemmaEntryRec;

/* n and a NUL-terminated name of at most 100 characters in a field of 101
 * units ("lemmas", "match list", "stop list"). */
typedef void (*TAnnounceNumberAndMessageProc)(int32_t n, const char16_t* mess, void* context);
typedef void (*TShowSomeProgressProc)(int32_t n, void* context);
/* this_one: 1-based position in the walk; out_of: node count (both count
 * the list's 19 seed items, which are never reported). */
typedef void (*THandleLemmaProc)(CVLemmaEntryRec* t, uint8_t case_sensitivity, CVBoolean in_unicode,
                                 CVBoolean consider_affixes, int32_t this_one, int32_t out_of,
                                 void* context);
typedef void (*THandleMatchProc)(void* searchp, uint8_t case_sensitivity, CVBoolean in_unicode,
                                 CVBoolean consider_affixes, int32_t this_one, int32_t out_of,
                                 void* context);
typedef THandleMatchProc THandleStopProc;

/* Loads a list file into the slot's list of that kind.  True when the file
 * was read and at least one item accepted.  The line-count callback hears the
 * estimated line count, then the accepted-item count (and for a lemma list
 * the stored pair count); the progress callback hears the accepted-item
 * count every 256 items.  case_sensitivity: 0 fold case (the texts are
 * upper-cased for `lcid`), 1 keep it; anything else fails. */
CVWordBool LoadedOne(uint8_t slot, const char16_t* file_name, uint8_t kind,
                     TAnnounceNumberAndMessageProc set_n_lines, void* set_n_lines_context,
                     TShowSomeProgressProc progress, void* progress_context, uint32_t lcid,
                     uint8_t case_sensitivity, CVBoolean allow_strings_with_commas);
/* True, also for a kind above 3 (which does nothing); false for a bad slot
 * or when the list is being walked. */
CVWordBool ClearOne(uint8_t slot, uint8_t kind);
/* Stops a load of that list in progress before its next item. */
void CancelOne(uint8_t slot, uint8_t kind);

/* For a lemma list, the head word (UTF-16) of the variant `word`; for the
 * other kinds the stored item (in the list's encoding); null when absent.
 * The word is converted to the list's encoding when it differs; its case is
 * not folded. */
const void* FoundInTheList(uint8_t slot, const void* word, CVBoolean word_in_unicode, uint8_t kind);
/* The head word of `word` (given in the lemma list's encoding, not folded)
 * in a static buffer, UTF-16 or 8-bit as asked; an empty text when `word` is
 * no variant; null for a null word or a bad slot.  lcid is not used. */
const void* WordlistChangeWord(uint8_t slot, const void* word, uint32_t lcid, CVBoolean want_unicode);
const void* KwicChangeWord(const void* word, uint32_t lcid, CVBoolean want_unicode);      /* slot 1 */
const void* KeyWordsChangeWord(const void* word, uint32_t lcid, CVBoolean want_unicode);  /* slot 2 */
/* The head word's variants in file order joined by the separator (static
 * UTF-16 buffer), cut before the first variant that does not fit whole. */
PWideChar LemmaVariantsOf(uint8_t slot, const char16_t* headword, const char16_t* separator);
/* The index-th head word in the locale's case-insensitive order; null when
 * out of range. */
PWideChar LemmaHeadWords(uint8_t slot, int32_t index);
/* The slot is the low byte. */
int32_t LemmaHeadWordsCount(int32_t slot);
int32_t LemmaPairEntriesAltogether(int32_t slot);
int32_t MatchListWordsCount(int32_t slot);  /* items accepted by the last load */
int32_t StopListWordsCount(int32_t slot);

/* Install the callback as the list's visitor and walk the list in order. */
void TraverseLemmasDoing(uint8_t slot, THandleLemmaProc proc, void* context);
void TraverseMatchesDoing(uint8_t slot, THandleMatchProc proc, void* context);
void TraverseRelationsDoing(uint8_t slot, THandleMatchProc proc, void* context);
void TraverseStopsDoing(uint8_t slot, THandleStopProc proc, void* context);
/* Collects display lines of the list ("VARIANT (HEAD)" for lemmas, the item
 * otherwise), at most max_lines + 1 of them; returns their number. */
int32_t TraversedOne(uint8_t slot, int32_t max_lines, uint8_t kind);
/* The index-th collected line in a static buffer (UTF-16 or 8-bit); null
 * when the index is out of range. */
const void* GetAString(int32_t index, CVBoolean want_unicode, uint32_t lcid);

#ifdef __cplusplus
}
#endif

#endif
