// Typed lists that build on the search-word language: plain search words
// with a wanted count (TSimpleSearchlist), the typed form of a word and its
// flags, key=value helpers and byte divisions of a file; and the cardinal
// and frequency list.
#pragma once

#include <vector>

#include "lists/useful_classes_base.h"
#include "platform/classes.h"
#include "search/search_types.h"

namespace cv {

// The typed form of a word and its flags, the inverse of FlagsFromSW: a
// leading `*` without myLeftBounded, a trailing `*` without myRightBounded,
// then the whole wrapped in "==" with myCaseIsSensitive.  mySW_To_Avoid is
// not written back.
string SWStringPlusFlags(std::u16string_view s, TMySearchFlags flags);

// The trimmed text before the first "=", empty when there is none.
string KeyOfKeyPlusValue(std::u16string_view s);
// The integer after the first "=" (trimmed); 0 when absent or not a number.
Integer ValueOfKeyPlusValue(std::u16string_view s);

// n cumulative division points of total: element i is total * (i + 1) / n,
// rounded to the nearest integer, so the last is total itself.  Empty for
// n < 1.
std::vector<Int64> ComputedByteDivisions(Integer n, Int64 total);

// ---------------------------------------------------------------------------

struct TSimpleSearch_rec {
  string seek;
  Integer n_wanted = 0;
  TMySearchFlags flags;
};

struct TSimpleSearchSettings {
  Integer spare_wordcount_multiplier = 1000;
  Integer markup_search_span = 200;
};

inline TSimpleSearchSettings DefaultSimpleSearchSettings() { return TSimpleSearchSettings{}; }

// Plain search words.  Owns its records.
class TSimpleSearchlist : public TList {
 public:
  explicit TSimpleSearchlist(const TSimpleSearchSettings& aSettings = DefaultSimpleSearchSettings())
      : Settings(aSettings) {}
  ~TSimpleSearchlist() override;

  TSimpleSearchSettings Settings;

  bool IndexAssignedOK(Integer i) const { return i >= 0 && i < Count() && Items(i) != nullptr; }
  Integer AddOne(const TSimpleSearch_rec& r);
  // Copies the settings and every entry; returns the sum of the new indices.
  Integer AddAll(const TSimpleSearchlist& other);
  // A copy of entry i; an all-zero record outside the list.
  TSimpleSearch_rec GetAValue(Integer i) const;
  void Clear() override;
  // SWStringPlusFlags of entry i; empty outside the list.
  string GetATypedInSW(Integer i) const;
  // The seek texts joined with separator.
  string AsText(std::u16string_view separator) const;

  // Clears; false when the file does not exist; otherwise reads it as text
  // and calls LoadFromAStringlist.
  bool LoadFromFile(const string& f, bool require_equals_sign);
  // Skips empty lines and lines starting ";" or "//".  Items end at " -> "
  // or ","; each is trimmed.  The word is the item, or with
  // require_equals_sign the text before its last "=" (nothing without one);
  // its flags come from FlagsFromSW and a word that is not case-sensitive is
  // upper-cased; n_wanted is the integer after the last "=", or 1 when that
  // is missing or below 1.  Empty words are skipped.
  void LoadFromAStringlist(const TStringList& lines, bool require_equals_sign);

 private:
  const TSimpleSearch_rec* Rec(Integer i) const { return static_cast<const TSimpleSearch_rec*>(Items(i)); }
};

// ---------------------------------------------------------------------------

struct TCardinalAndFreq {
  Cardinal c = 0;
  Integer f = 0;
};

class TCardinalAndFreqHolder : public TUsefulBaseListObject {
 public:
  TCardinalAndFreqHolder() = default;
  explicit TCardinalAndFreqHolder(const TCardinalAndFreq& d) : data(d) {}
  TCardinalAndFreq data;
  bool ReadFromStream(TStream& stream) override;
  bool SaveToStream(TStream& stream) override;
};

class TCardinalAndFreqList : public TUsefulBaseListSorts {
 public:
  TCardinalAndFreqList();
  Integer AddOne(const TCardinalAndFreq& cf);
  // Finds cf.c (binary search when sorted, with sorted insert of a new key;
  // linear otherwise); a key already there gets f + 1.  Returns the index.
  Integer AddOneOrIncFreq(const TCardinalAndFreq& cf);
  TCardinalAndFreq GetACardAndFreq(Integer i) const;
  void SetACardAndFreq(Integer i, const TCardinalAndFreq& cf);
  Integer IndexOf(Cardinal c);
  // Binary search over a list sorted by c; nearest := last probe (-1 when
  // empty).  Index or -1.
  Integer Find(Cardinal c);
  void SortOnCardinals();
  void SortOnFrequencies(bool descending);

 protected:
  Int64 MinStreamedEntrySize() const override { return 8; }

 private:
  TCardinalAndFreqHolder* H(Integer i) const { return static_cast<TCardinalAndFreqHolder*>(Items(i)); }
};

}  // namespace cv
