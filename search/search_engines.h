// The search-and-do engine: finds every hit of one parsed search word in a
// text buffer and hands each to the caller's event, keeping the text
// statistics (words, sentences, paragraphs, headings, sections) as it goes.
//
// Three parts: the matcher (find_wanted.h) says what matches; the engine
// feeds it a buffer and its character details map and restarts it one
// character after each hit (so overlapping hits are all reported); the
// caller's found-event decides what a hit means.
//
// Buffers are NUL-terminated, UTF-16 or 8-bit as the engine was created.  A
// buffer belongs to the caller and must outlive the searches; so does a
// details map that the caller supplies.  An 8-bit buffer is searched for the
// word's bytes in the code page of the engine's locale: the first search of
// a record converts its copies in place (copies_converted).
#pragma once

#include <functional>
#include <span>
#include <stdexcept>
#include <vector>

#include "lists/sortable_lists.h"
#include "search/find_wanted.h"
#include "search/search_types.h"

namespace cv {

struct TSearchFound_Rec {
  const void* start_of_text = nullptr;
  const void* start_of_memory = nullptr;
  const void* where_hit_started = nullptr;
  Single percent_of_file = 0;     // 0 when the complete file size is 0
  Integer hit_pos_in_wchar_kinds = 0;
  Cardinal FileBytePos = 0;
  Integer exact_hit_len = 0;
  Integer hit_characters = 0;
  Integer search_number = 0;
  Integer hit_pos_in_characters = 0;
  std::array<Byte, 20> spare{};
  // The counters at the hit; heading number and position are -1 outside a
  // heading.
  TSearchStatsRec count_stats;
};

using TTagsFoundArray = std::array<Integer, 8>;

// Returning false means that this hit does not count towards the word's
// limit.  Sender is the engine.
using TSearchFoundEvent = std::function<bool(void* Sender, const TSearchFound_Rec& SearchFound)>;
using TWordCountEvent = std::function<void(void* Sender, const TSearchStatsRec& Word_count)>;

// The heading state of the main engines, carried from one chunk of a file to
// the next.
extern bool Global_in_heading;
// When above 0, every (re)start of a search begins this many bytes after the
// buffer start.
extern Integer Global_LowestJumpTo;

// Raised when the search loop fails: "problem searching <file> for "<word>"".
class ESearchError : public std::runtime_error {
 public:
  explicit ESearchError(const string& message);
  const string& Message() const { return message_; }

 private:
  string message_;
};

class TSearchAndDoEngine {
 public:
  // An empty details span: the engine builds and owns a map per buffer.
  TSearchAndDoEngine(bool ABufferInUnicode, bool ASearchWordsInUnicode, LCID AnLCID,
                     std::span<Word> ABufferDetails = {});
  virtual ~TSearchAndDoEngine();
  TSearchAndDoEngine(const TSearchAndDoEngine&) = delete;
  TSearchAndDoEngine& operator=(const TSearchAndDoEngine&) = delete;

  void SetLCID(LCID lcid);
  // Takes a NUL-terminated buffer (nil clears it); builds a map unless the
  // caller supplied one.
  void SetABuffer(const void* b);
  void PrepareFirst(const void* ABuffer, Integer AComplete_file_Size, Integer ABufferStartPosInFile,
                    TSearchFoundEvent ASearchFoundEvent, TWordCountEvent AWordCountEvent);
  // For a buffer whose map the caller has built: ABufferDetailsEnd is the
  // address of map word ABuffer_Characters + 1.  Nothing is measured.
  void PrepareForConcordancing(const string& AFilename, const void* AStartOfText, Word* ABufferDetails,
                               Word* ABufferDetailsEnd, Integer AComplete_file_Size, Integer ABuffer_Characters,
                               Integer ABufferStartPosInFile, bool ASkipPunctuation,
                               TSearchFoundEvent ASearchFoundEvent, TWordCountEvent AWordCountEvent);
  // Joins the allowed middle characters into words in the map.
  void HandleAllowables(const string& wide_allowables, bool allow_middles_at_right, bool allow_middles_at_left);
  void SetArrayOfTagsFound(const TTagsFoundArray& anArrayOfTagsFound) { Arr_OfTextMarkersFound = anArrayOfTagsFound; }
  void ClearChunkTextStats() { ThisFileChunk_Stats = TSearchStatsRec{}; }
  void ClearCancel() { fCancelled = false; }
  void Cancel();
  // From the found-event: stop the current search after this hit.
  void FoundEnough() { fChega = true; }
  // From the found-event, after setting Global_LowestJumpTo: restart there.
  void LowestJumpToChanged() { fLowestJumpToChanged = true; }

  // Searches the buffer for *item and reports each hit; false (and nothing
  // called) when there is no buffer, item, search text or found-event, or
  // when the word cannot be put into the buffer's code page.
  bool SearchAndDo(pSearch_word_format_rec item);
  bool SearchAndDo(pSearch_word_format_rec item, Integer item_num);

  Integer Hits_found() const { return fHits_found; }
  Integer Buffer_Characters() const { return fBuffer_Characters; }
  const Word* BufferDetails() const { return fBufferDetails; }
  bool Ready() const { return fReady; }
  bool Cancelled() const { return fCancelled; }
  LCID GetLCID() const { return fLCID; }

  TSearchStatsRec ThisFileChunk_Stats;
  Integer Codepage = 0;
  Integer current_search_row = 0;
  Integer current_search_number = 0;
  bool IsAdditionalEngine = false;
  TTagsFoundArray Arr_OfTextMarkersFound{};
  Cardinal FileBytePos = 0;

 protected:
  // The heading flag this engine reads and writes.
  virtual bool& InHeading() { return Global_in_heading; }
  // Converts the copies to the buffer's code page once; false when they do
  // not fit it.
  bool ConvertCopies(TSearch_word_format_rec& item);
  void ReleaseOwnMap();
  Integer CharSize() const { return fBufferInUnicode ? 2 : 1; }
  TFindWantedContext MakeContext(TSearchStatsRec& stats, bool& in_heading) const;

  TSearchFoundEvent fSearchFoundEvent;
  TWordCountEvent fWordCountEvent;
  Word* fBufferDetails = nullptr;
  Word* fBufferDetailsStart = nullptr;
  Word* fBufferDetailsEnd = nullptr;
  const void* fBuffer = nullptr;
  Integer fHits_found = 0;
  Integer fComplete_file_size = 0;
  Integer fBuffer_Characters = 0;
  bool fChega = false;
  bool fSkipPunctuation = false;
  bool fSkipAnyTags = false;
  bool fCancelled = false;
  bool fPreAssigned = false;
  bool fReady = false;
  bool fLowestJumpToChanged = false;
  bool fSearchWordsInUnicode = true;
  bool fBufferInUnicode = true;
  string fReplace_text;
  LCID fLCID = 0;
  string fFilename;
  std::vector<Word> fOwnMap;
};

// A second engine for context words: it keeps its own heading state, so
// scanning another buffer never disturbs the main engine's, and it does not
// log.
class TAdditionalSearchAndDoEngine : public TSearchAndDoEngine {
 public:
  TAdditionalSearchAndDoEngine(bool ABufferInUnicode, bool ASearchWordsInUnicode, LCID AnLCID,
                               std::span<Word> ABufferDetails = {});
  void SetContext_exact_gap_required(Integer Value) { context_exact_gap_required = Value; }
  Integer context_exact_gap_required = 0;

 protected:
  bool& InHeading() override { return own_in_heading_; }

 private:
  bool own_in_heading_ = false;
};

// A one-shot test whether a word occurs in a buffer (word-list filtering).
class TWLSearchAndDo : public TSearchAndDoEngine {
 public:
  using TSearchAndDoEngine::TSearchAndDoEngine;
  void SetSearchWord(const string& aSearchWord, TMySearchFlags AFlags);
  // Whether the word occurs in the buffer given by SetABuffer/PrepareFirst,
  // on a fresh details map.
  bool QuickSearchFoundIgnoringTags();

  string lo_copy, title_copy, search_text;
  TMySearchFlags flags;
};

// '<' ... '>' pairs to the tag codes 25 and 24, so that a text matches the
// tag delimiters of search words.
string CleanToTagOnOff(std::u16string_view s);

// ---------------------------------------------------------------------------
// Collected hits.

class TSearchFoundHolder {
 public:
  explicit TSearchFoundHolder(const TSearchFound_Rec& d) : fData(d) {}
  TSearchFound_Rec fData;
};

class TSearchFoundList : public T3SortYieldingList {
 public:
  ~TSearchFoundList() override;
  void Clear() override;
  Integer AddOne(const TSearchFound_Rec& r) { return Add(new TSearchFoundHolder(r)); }
  TSearchFoundHolder* Holder(Integer i) const { return static_cast<TSearchFoundHolder*>(Items(i)); }
  // base_int := the hit offset in bytes of holder p.
  void SetBase(void* p, Integer SortVar) override;
  // 0 when holder a's hit offset equals base_int, -1 when greater, 1 when
  // smaller.
  Integer Compare(void* a) const;
  // Sorts by hit offset.
  void SortByOffset();
  Int64 base_int = 0;
};

}  // namespace cv
