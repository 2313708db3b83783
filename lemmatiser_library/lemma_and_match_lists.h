// Lemma, match, stop and relation lists read from list files.
//
// List file grammar (after decoding, see list_file_text.h):
//   file     = { line } ;
//   line     = item { "," item } line-end ;      commas separate items unless
//                                                 allow_strings_with_commas
//   item     = comment | lemma-item | word ;
//   comment  = (";" | "[") ... to the end of the line, commas included
//   lemma-item = [ head "->" ] variant ;          lemma lists only
// A lemma item without "->" belongs to the head word of the last "->" item
// of the same load ('GO -> GOES, GOING' then 'WENT' on the next line gives
// three pairs for GO).  The first pairing of a variant wins.  With
// cs_anyhow the whole text is upper-cased for the load's locale first.
//
// Every load first inserts 19 seed items (texts holding "_8z"); they are
// found by lookups but never reported by walks, and they are counted in the
// positions a walk reports.
//
// Lists compare their texts code unit by code unit (byte by byte for 8-bit
// lists) in the list's own encoding and case form; lookups do not fold case.
//
// Static buffers: CopyOfPointer, LemmaVariantsOf and the library's exports
// return texts in the two buffers below, which the next such call
// overwrites.  Nothing here is thread-safe.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "core/basic_types.h"
#include "lemmatiser_library/general_trees.h"
#include "lemmatiser_library/head_word_list.h"
#include "lemmatiser_library/lemma_stop_match_types.h"
#include "platform/classes.h"
#include "platform/types.h"

namespace cv {

constexpr int kLemmaResultUnits = 256;
// 255 characters and a NUL.
extern AnsiChar lemma_result_bufferA[kLemmaResultUnits];
extern WideChar lemma_result_bufferW[kLemmaResultUnits];

// Copies the NUL-terminated text p, cut to 255 units, into the static buffer
// of its kind and returns that buffer.
const WideChar* CopyToResultBufferW(std::u16string_view text);
const AnsiChar* CopyToResultBufferA(std::string_view text);

// The list files a reader accepts are at most this big; a bigger one is
// refused with an exception before anything is read.
constexpr Int64 kMaxListFileBytes = Int64{1} << 30;

// Raised for a list file that cannot be read as a whole.
class EListFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TReadFileTree : public TGeneral_Tree {
 public:
  explicit TReadFileTree(TCaseSensitivity aCase_sensitivity);

  // False when the file does not exist (the list is left as it was).
  // Otherwise records the locale and case sensitivity, installs the
  // callbacks (null ones do nothing), clears the list and reads the file.
  // EFOpenError / EListFileError when the file cannot be opened or read.
  bool LoadFromFile(TAnnounceNumberAndMessageProc aSetNLinesProc, TShowSomeProgressProc aProgressProc,
                    LCID anLCID, TCaseSensitivity ACaseSensitivity, const string& Filename);
  // Replaces the list's contents with the list read from the rest of the
  // stream.  False, with the list untouched, for fewer than 2 bytes; true
  // otherwise, also when cancelled part way.
  bool LoadFromStream(TStream& Stream);
  bool LoadFromBytes(std::string_view bytes);

  // lines 0, cancelled and This_list_has_data false, every node freed.
  void Clear() override;
  void TellTotalLines(Integer n);

  // Parse and store one trimmed, non-empty item; true when acceptable.
  virtual bool FormatIsOKA(std::string_view item) = 0;
  virtual bool FormatIsOKW(std::u16string_view item) = 0;
  virtual void SetUsingUnicode(bool value);

  // The probe itself when its encoding is the list's; otherwise a copy
  // converted with the default ANSI code page into a static buffer.
  const void* CopyOfPointer(const void* p, bool p_in_unicode);

  bool IsASeed(void* item) override;

  bool This_list_has_data = false;
  TCaseSensitivity case_sensitivity;
  Integer fCodepage = 0;
  LCID fLCID = 0x0409;
  hundredwidechar name_of_process{};
  Integer lines = 0;
  bool cancelled = false;
  bool using_unicode = false;
  bool allow_strings_with_commas = false;

 protected:
  // A record of type Rec followed by a NUL-terminated copy of the text; the
  // text's address goes into the record's first field.  Records live in the
  // list's arena until the list is cleared; FreeEntry gives back the most
  // recent one (a duplicate that was not stored).
  template <typename Rec, typename Ch>
  Rec* NewEntry(std::basic_string_view<Ch> text);
  void FreeEntry(void* rec) { arena_.ReleaseLast(rec); }
  // Inserts the 19 seed items with NewSeedEntry.
  void InsertSeeds();
  virtual void* NewSeedEntry(std::string_view seedA, std::u16string_view seedW) = 0;
  // Called at the start of every load, after the list was emptied.
  virtual void StartLoad() {}

  TAnnounceNumberAndMessageProc fSetNLinesProc;
  TShowSomeProgressProc fProgressProc;

 private:
  // Bump allocation in chunks; everything is released by Reset.
  class TEntryArena {
   public:
    void* Allocate(std::size_t bytes);
    void ReleaseLast(void* p);
    void Reset();

   private:
    std::vector<std::unique_ptr<unsigned char[]>> chunks_;
    std::size_t chunk_size_ = 0;
    std::size_t used_ = 0;
    void* last_ = nullptr;
  };
  TEntryArena arena_;

  template <typename Ch>
  void Parse(std::basic_string_view<Ch> text);
  bool StopRequested() const;
};

class TLemmaList : public TReadFileTree {
 public:
  explicit TLemmaList(TCaseSensitivity aCase_sensitivity);
  ~TLemmaList() override;

  void Clear() override;
  bool FormatIsOKA(std::string_view item) override;
  bool FormatIsOKW(std::u16string_view item) override;

  // Looks the text (in the list's encoding) up as a variant.  On success
  // `found` holds the stored variant and its head word; otherwise the given
  // text and a null head word.
  bool FoundVariant(const void* text, TLemmaEntryRec& found);
  // The head word's variants in file order joined by the separator, in the
  // static UTF-16 buffer; cut before the first variant that does not fit
  // whole in 255 units.  Empty for an unknown head word.
  const WideChar* LemmaVariantsOf(const WideChar* headword, const WideChar* separated_with);

  Integer HeadWordCount() const { return headwords.Count(); }
  // The index-th head word in the head-word list's order; null out of range.
  const WideChar* HeadWordAt(Integer index);

  void Do_In_Order(anything_ptr item) override;
  void Do_Deleting(anything_ptr item) override;

  AnsiString last_replaceA;
  string last_replaceW;
  THeadWordList headwords;
  Integer lemma_pair_entries = 0;
  THandleLemmaProc ShowProc;

 protected:
  void* NewSeedEntry(std::string_view seedA, std::u16string_view seedW) override;
  void StartLoad() override;

 private:
  template <typename Ch>
  bool FormatIsOK(std::basic_string_view<Ch> item, std::basic_string<Ch>& last_replace);
};

class TMatchList : public TReadFileTree {
 public:
  explicit TMatchList(TCaseSensitivity aCase_sensitivity);
  ~TMatchList() override;

  bool FormatIsOKA(std::string_view item) override;
  bool FormatIsOKW(std::u16string_view item) override;
  // The stored text equal to the given one (in the list's encoding), or null.
  const void* FoundItem(const void* text);

  void Do_In_Order(anything_ptr item) override;
  void Do_Deleting(anything_ptr item) override;

  THandleMatchProc ShowProc;

 protected:
  void* NewSeedEntry(std::string_view seedA, std::u16string_view seedW) override;

 private:
  template <typename Ch>
  bool FormatIsOK(std::basic_string_view<Ch> item);
};

// A match list under the name of a stop list.  Walks report through
// ShowProc; HandleStopProc is kept for callers that set it.
class TStopList : public TMatchList {
 public:
  explicit TStopList(TCaseSensitivity aCase_sensitivity);
  THandleStopProc HandleStopProc;
};

}  // namespace cv
