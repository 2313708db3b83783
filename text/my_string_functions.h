// Quick studies of one text held in memory: word and word-sequence
// frequency lists, a comparison of two texts' vocabularies, words of context
// round a position, occurrences of a string or of bracketed chunks handed to
// a callback, sentences that repeat within and across texts, and the plain
// text of a word-processor (DOCX) file.
//
// Texts are UTF-16 with 1-based positions.  Per-cent values are computed in
// 64 bits; a study of an empty text reports nothing and never divides by
// zero.  The loops over texts and sentences call MyYieldProcess once a step
// so that a long study leaves the user interface alive.
//
// Frequency lists are TStringLists whose object slot holds the frequency as
// an integer (FrequencyOfEntry).  They are counted on a hash of the
// case-folded word (words that differ only in case are one entry, spelled as
// first met) and sorted once, at the end: alphabetically with the list's own
// case-insensitive comparison, or by frequency descending and then
// alphabetically.
#pragma once

#include <functional>
#include <memory>
#include <string_view>
#include <unordered_map>

#include "files/useful_classes_files.h"
#include "lists/useful_classes_base.h"
#include "platform/classes.h"
#include "platform/types.h"

namespace cv {

// The condition kinds of a search requirement, stored as one byte (declared
// with their names where the search requirements are).
enum TSearchRequirementSeeks : Byte;

// ---------------------------------------------------------------------------
// Frequency lists

Integer FrequencyOfEntry(const TStringList& list, Integer i);
// Frequency descending, then the strings ascending under the list's
// comparison (for TStringList::CustomSort).
int StringListCompareFreqDescending(TStringList& list, Integer index1, Integer index2);

using TAcceptWordFunct = std::function<bool(const string& word)>;
using TPercentProgressFunct = std::function<void(Integer percent)>;

// Words are maximal runs of letters and decimal digits (text/word_frequency.h).
std::unique_ptr<TStringList> SimpleWordListOfTxt(std::u16string_view text, Integer min_word_length,
                                                 bool sort_by_freq);
std::unique_ptr<TStringList> SimpleWordListOfTxt(std::u16string_view text, const TAcceptWordFunct& accept,
                                                 bool sort_by_freq);

// Sequences of n words joined by single spaces.  Letters and numbers build
// words; a word starts only at a letter or decimal digit (other numbers
// continue one, or start one as the text's first character).  After a word,
// the first other character decides the boundary: spaces, controls, format
// and unassigned code points, symbols, connector and dash punctuation and ","
// slide the window on by one word; combining marks and all other
// punctuation empty it once it holds n words.  "<" after a word or between
// words starts a tag, which runs to the next ">" when that lies within
// max_tag_length units, else to the first unit at or below U+0020 from that
// length on; with max_tag_length < 1 there are no tags.  n < 1 gives an
// empty list.  progress (when set) hears position * 100 div length each time
// a new sequence enters the list.
std::unique_ptr<TStringList> SimpleNGramListOfTxt(std::u16string_view text, Integer n, Integer max_tag_length,
                                                  bool sort_by_freq, const TPercentProgressFunct& progress);

// ---------------------------------------------------------------------------
// Vocabulary difference

struct TFreqDifference {
  Integer first_text_freq = 0;
  Integer second_text_freq = 0;
  string wd;
};

// Both texts upper-cased and listed (words of at least min_word_length,
// frequency order).  The longer list (the second on equal counts) is walked
// first, then the other; the first word whose frequency in the list walked
// is at least min_freq and differs from its frequency in the other text
// (0 when absent) by more than max_difference is the answer.  No such word:
// wd empty, both counts 0.
TFreqDifference BagOfWordsSimilar(std::u16string_view first_text, std::u16string_view second_text,
                                  Integer max_difference, Integer min_freq, Integer min_word_length);

// ---------------------------------------------------------------------------
// Context

// The stretch round position (1-based) reaching n words out: both sides
// (ccp_FoundWithinNWordsOfSearchword, ccp_FoundWithinNWordsOf), the left
// only, up to the position excluded (..ToLeftOf...), or the right only, from
// the position to the right limit excluded (..ToRightOf...).  Any other kind,
// an empty text or a position outside it gives an empty string.
string NManyWordsContext(TSearchRequirementSeeks kind, std::u16string_view text, Integer position, Integer n);
// The at most n units directly before position (1-based); empty for n <= 0.
string PrecedingContext(std::u16string_view text, Integer n, Integer position);

// ---------------------------------------------------------------------------
// Find and study.  Plain case-sensitive substring searches from position 1;
// each stops when the callback answers true.  An empty sought or opening
// string finds nothing.

// For each occurrence at p (next search from p + 1): the n units before it,
// the sought string, the n units after it, p * 100 div length, p.  Result 0.
using TStudyStringFunct = std::function<bool(const string& before, const string& sought, const string& after,
                                             Integer percent, Integer position)>;
Integer FindAndStudyStringInText(std::u16string_view text, std::u16string_view sought,
                                 const TStudyStringFunct& study, Integer n);

// For each opening string at p with a closing string at or after p: the
// chunk from p to the end of the closing string; the next search starts at
// that end (at p + 1 when no closing string follows).  The callback hears
// PrecedingContext(text, n, p), the chunk, p * 100 div length and p.
// Result 0.
using TStudyChunkFunct =
    std::function<bool(const string& before, const string& chunk, Integer percent, Integer position)>;
Integer FindAndStudyStringInText(std::u16string_view text, std::u16string_view opening,
                                 std::u16string_view closing, const TStudyChunkFunct& study, Integer n);

// As above with a plain function; when no closing string follows, the next
// search starts after the opening string.  Chunks are numbered from 1 (i);
// the result is the number handed over.
struct TStringAndIntegerRec {
  string s;
  Integer i = 0;
};
using TStudyChunkProc = bool (*)(const TStringAndIntegerRec& chunk, void* user_value);
Integer FindAndStudyStringInText(std::u16string_view text, std::u16string_view opening,
                                 std::u16string_view closing, void* user_value, TStudyChunkProc study);

// The number of "<"..">" chunks, counting stops once it exceeds limit (so at
// most limit + 1).
Integer NumberOfTagsWithinChunk(std::u16string_view text, Integer limit = 2147483647);

// The first opening tag of text that is not closed later: closing tags are
// passed over, and so are (uppercase_only) tags with a lowercase letter,
// (skip_percent) tags holding "%", tags whose switched-off form occurs in the
// text, and tags the callback refuses (it hears the tag, its position and
// the context_width units before it).  Empty when every tag is passed over.
using TAcceptTagFunct = std::function<bool(const string& tag, Integer position, const string& context)>;
string OpenWithoutCloseTagInText(std::u16string_view text, const TAcceptTagFunct& accept, Integer context_width,
                                 bool uppercase_only, bool skip_percent);

// ---------------------------------------------------------------------------
// Files

// The part after the last "/" or "\", or the whole path.
string BothSlashesExtractFilename(std::u16string_view path);

// The most bytes read from one member of a DOCX package.
constexpr std::size_t kDocxMemberCap = 64u << 20;

// The plain text of a DOCX file, one paragraph a line (CR LF after each).
// The main document part is the target of the package's officeDocument
// relationship (failing that, the last member named document.xml in any
// folder).  Run texts are joined; <w:tab/> gives a tab and <w:br/> / <w:cr/>
// a space; character references and the five XML entities are decoded.
// Alternate content gives its fallback.  Empty when the file does not exist,
// the part is missing, or it is larger than kDocxMemberCap.  EZipError
// (lists/zip_archive.h) when the file is not a readable zip archive.
string DOCXFileText(const string& file_name);
// The same, from the bytes of a document part.
string DocumentXmlText(std::string_view xml);

// ---------------------------------------------------------------------------
// Repeated sentences within and across texts

// Pairs (file number, frequency).
class TListOfOccurrences : public TMultiLongintList {
 public:
  TListOfOccurrences() : TMultiLongintList(tml_2) {}
  Int64 TotalFrequency() const { return TotalOf(1); }
};

// Strings, each owning its TListOfOccurrences.  Strings are compared
// exactly (case-sensitive) when looked up.
class TStringlistWithListOfOccurrences : public TStringList {
 public:
  TStringlistWithListOfOccurrences();
  ~TStringlistWithListOfOccurrences() override;

  // Finds s (adding it with an empty sub-list when absent); adds
  // (file_number, freq) to its sub-list, or adds freq to that file's pair.
  // Returns the string's index.
  Integer AddOrIncOneByFreq(const string& s, Integer file_number, Integer freq);
  TListOfOccurrences* GetAListOfOccurrences(Integer i) const;
  // Strings found in more than one file.
  Integer Repeateds() const;
  void DeleteOne(Integer i);
  void ClearAll();
  // By total frequency descending / by first file number ascending; ties by
  // the string in descending code-unit order.
  void SortAllOccurrencesFreqDescending();
  void SortAllOccurrencesFileAscending();

 private:
  std::unordered_map<string, Integer> index_;
  bool index_valid_ = true;
};

using TProgressChangedFunct = std::function<bool(Integer percent)>;
using TTellCountEvent = std::function<void(Integer count)>;

class TRepeatedChunks {
 public:
  TRepeatedChunks();
  ~TRepeatedChunks();
  TRepeatedChunks(const TRepeatedChunks&) = delete;
  TRepeatedChunks& operator=(const TRepeatedChunks&) = delete;

  bool processing = false;
  bool include_unterminated_sentences = false;
  Integer min_sentence_length = 0;
  Integer min_hits = 1;
  Integer tag_span = 0;
  TProgressChangedFunct this_reporting;
  TProgressChangedFunct overall_reporting;
  TTellCountEvent running_total_reporting;
  string txt;
  std::unique_ptr<TMultiLongintList> display_index;  // one integer per entry; kept for the caller
  std::unique_ptr<TFolderEfficientFileStringlist> fnames;
  std::unique_ptr<TStringlistWithListOfOccurrences> chunks_list;

  void SetSettings(bool include_unterminated, Integer tag_span_, Integer min_hits_, Integer min_sentence_length_,
                   TProgressChangedFunct this_reporting_, TProgressChangedFunct overall_reporting_,
                   TTellCountEvent running_total_reporting_);
  // The file's number in fnames with its text (markup removed) in txt; -1
  // when the file does not exist.
  Integer LoadATextFile(const string& file_name);
  // Studies txt as file file_number of total_files (progress reported as
  // file_number * 100 div total_files; nothing when total_files < 1).
  void AddToRepeatedSentencesInTxt(Integer file_number, Integer total_files);
  // The study of one text; the number of new strings in chunks_list.  Every
  // paragraph counts, the last one included: the end of the text ends a
  // paragraph as a line end does.  std::logic_error when chunks_list is
  // missing.
  Integer AddedToRepeatedSentencesInTxt(Integer file_number, std::u16string_view text);
  void Stop() { processing = false; }
  string GetAFilename(Integer i) const;
  void SortDescendingFreq();
  void SortAScendingFilenumbers();
  void Clear();
};

}  // namespace cv
