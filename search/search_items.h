// Lists of parsed search words: the search words of a search, and the
// context, exclusion and tag-context words that qualify its hits.
//
// Typed lines become entries through fAddedSearchWordsIndices: the line is
// split at slashes, the pieces are parsed from the last to the first, and a
// piece whose typed text is already held reuses that entry.  Entries are
// found by their typed text through an index, so adding or loading many
// thousands of entries stays linear.
//
// Text file: UTF-16LE with byte-order mark, one typed entry per line, CR LF.
// Stream form (little-endian):
//   list  := count:int32 entry{count}
//   entry := len:int32 unit:uint16{len}   -- typed_in_text TAB hits TAB Langnum
// The two numbers are read from the last two tabs, so a tab inside the typed
// text cannot corrupt them.  An entry longer than the read limit
// (global_string_safety_limit) is refused when saving.
//
// Every index is checked: getters answer zero, false, nil or an all-zero
// record outside 0 .. Count - 1, and setters do nothing there.
#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

#include "lists/typed_lists.h"
#include "platform/classes.h"
#include "search/search_engines.h"
#include "search/search_types.h"

namespace cv {

class TSWHolder {
 public:
  explicit TSWHolder(const TSearch_word_format_rec& d) : data(d) {}
  TSearch_word_format_rec data;
};

// Owns its holders.
class TSWList : public TList {
 public:
  ~TSWList() override { Clear(); }
  void Clear() override;
  TSWHolder* Holder(Integer i) const { return static_cast<TSWHolder*>(Items(i)); }
};

using TSearch_word_format_rec_Array = std::vector<TSearch_word_format_rec>;

class TBaseSearchItems {
 public:
  TBaseSearchItems();
  TBaseSearchItems(const TIgnore_tag_type& Aignore_tags, LCID AnLCID, bool aSplit_SWs_at_slashes);
  virtual ~TBaseSearchItems();
  TBaseSearchItems(const TBaseSearchItems&) = delete;
  TBaseSearchItems& operator=(const TBaseSearchItems&) = delete;

  // The one place where typed text becomes entries; the indices of the
  // entries it yielded, in processing order (last piece first).
  virtual std::vector<Integer> fAddedSearchWordsIndices(const string& s);

  std::vector<Integer> AddedSearchWords(const string& s) { return fAddedSearchWordsIndices(s); }
  std::vector<Integer> AddedSearchWords(const string& s, SmallInt Language);
  std::vector<Integer> AddedSearchWords(const string& s, bool auto_lemma);
  std::vector<Integer> AddedSearchWords(const string& s, Integer max_to_get);
  Integer AddOneSW(const TSearch_word_format_rec& anItem);
  Integer EnsureContains(const TSearch_word_format_rec& arec);
  // Adds s, then brings its pieces to the top in the order of the returned
  // array; the indices returned name the pieces' entries after the moves.
  std::vector<Integer> InsertSearchWordsAtTop(const string& s, bool use_any_lemmas);
  void MoveToTop(Integer old_index);

  Integer TypeInIndexOf(std::u16string_view s);
  Integer IndexOf(const TSearch_word_format_rec& s);

  TSearch_word_format_rec* GetPtr(Integer i) const;
  void GetSWR(Integer i, TSearch_word_format_rec& rec) const;
  void PutSWR(Integer i, const TSearch_word_format_rec& rec);
  TMySearchFlags GetAFlag(Integer i) const;
  void SetAFlag(Integer i, TMySearchFlags flags);
  bool GetAutoLemmaAdded(Integer i) const;
  void SetAutoLemmaAdded(Integer i, bool value);
  Integer GetHitsFound(Integer i) const;
  void SetHitsFound(Integer i, Integer n);
  void IncrementHits(Integer i);
  SmallInt GetLanguage(Integer i) const;
  void SetLanguage(Integer i, SmallInt n);
  Integer GetNToFind(Integer i) const;
  void SetNToFind(Integer i, Integer n);
  bool GetSearchFound(Integer i) const;
  void SetSearchFound(Integer i, bool b);
  Integer GetSpacesInSW(Integer i) const;

  Integer Count() const { return fSearchWordList.Count(); }
  void Clear();
  void ClearOne(Integer n);
  void ClearHits();
  void SetHits(const std::vector<Integer>& a);
  Int64 TotalHits() const;
  string AllTypedSearchWordsAsOne(bool abbreviated) const;
  std::unique_ptr<TStringList> TypedInWordsAsStringlist() const;
  std::unique_ptr<TStringList> TypeInParts(const string& s) const;
  Integer SearchesPlannedCount() const;
  TSearch_word_format_rec_Array CopyOfArrayOFSWItems(const std::vector<Integer>& from) const;
  // Rebuilt plain forms; still owned by the list.
  TSimpleSearchlist* ComputePlainSearchWords();

  // Replaces the file only once it is complete.
  bool SaveToFile(const string& Filename) const;
  // Raises the text reader's exception for a missing or unreadable file.
  bool LoadFromFile(const string& Filename, Integer n_wanted);
  bool SaveToStream(TStream& Stream) const;
  bool ReadFromStream(TStream& Stream);

  Integer fCurrentSearch = 0;
  LCID fLCID = 0;
  bool fSplitting_at_slashes = false;
  bool fFormatPreChecked = false;
  bool fFrom_a_file = false;
  Integer process_one_specific_SW_number = -1;
  TIgnore_tag_type ignore_tags{};

 protected:
  TSWHolder* H(Integer i) const { return fSearchWordList.Holder(i); }
  bool InRange(Integer i) const { return i >= 0 && i < Count(); }
  Integer AppendHolder(const TSearch_word_format_rec& rec);
  void IndexChanged() { fIndexValid = false; }

  std::unique_ptr<TSimpleSearchlist> fPlainSWS;
  TSWList fSearchWordList;

 private:
  void RebuildIndex();
  // typed_in_text -> the first entry holding it.
  std::unordered_map<string, Integer> fIndex;
  bool fIndexValid = true;
};

class TContextWordItems;

class TSearchWordItems : public TBaseSearchItems {
 public:
  using TBaseSearchItems::TBaseSearchItems;
  ~TSearchWordItems() override;
  std::vector<Integer> fAddedSearchWordsIndices(const string& s) override;
  bool GetHasContextWord(Integer i);

  std::unique_ptr<TSearchAndDoEngine> ftempEngine;
  std::unique_ptr<TContextWordItems> ftempCWItems;
  Integer ColunaPraProcura = 0;
  bool HasAnyContextWords = false;
};

class TContextWordItems : public TBaseSearchItems {
 public:
  using TBaseSearchItems::TBaseSearchItems;
  Integer sought_context_word_pos = 0;
  bool require_one_context_word_position = false;
  bool require_all_context_words = false;
};

class TExclusionWordItems : public TBaseSearchItems {
 public:
  using TBaseSearchItems::TBaseSearchItems;
};

class TTagContextWordItems : public TBaseSearchItems {
 public:
  using TBaseSearchItems::TBaseSearchItems;
};

}  // namespace cv
