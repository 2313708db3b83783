// String lists whose strings carry data in their object slots: a holder
// record, a nested list or a plain integer.
//
// Lists with holders own them: Delete, Clear, ReduceTo, replacing an object
// and destruction free them.  AddOne(S, value) appends S with its value (on a
// sorted list that ignores duplicates, an S already there keeps its entry and
// its value); AddOrIncOne(S, value) looks S up with the list's own IndexOf
// (following Sorted and CaseSensitive): a new S is added with value, an S
// already there has its count raised by one.  Both return the index.
// Getters answer 0 (or a zero record) for an index outside the list.
#pragma once

#include "lists/typed_lists_records.h"
#include "platform/classes.h"

namespace cv {

class TIndexCheckStringlist : public TStringList {
 public:
  TIndexCheckStringlist() = default;

  bool IndexAssignedOK(Integer i) const { return i >= 0 && i < Count(); }
  // Frees the object of entry i (when the list owns its objects) and leaves
  // the slot nil.
  void FreeAndNilOne(Integer i);
  // Frees the objects from the last entry down to n, then drops them.
  void ReduceTo(Integer n);
  void Clear() { ReduceTo(0); }
  // Exchanges the ends towards the middle.
  void ReverseTheSort();

 protected:
  // Makes the list the owner of objects freed by deleter.
  void OwnObjects(void (*deleter)(void*)) {
    SetOwnsObjects(true);
    SetObjectDeleter(deleter);
  }
  // AddObject: the index when obj was taken, -(index + 1) when a sorted list
  // kept the entry already there instead (obj stays the caller's).
  Integer AddOwned(const string& s, void* obj);
  template <class H>
  H* HolderAt(Integer i) const {
    return IndexAssignedOK(i) ? static_cast<H*>(Objects(i)) : nullptr;
  }
};

// Split at the list's line break, or at CR, LF or CR LF; a line with a tab
// after its first character and an integer after the tab gives the part
// before the tab with that integer, any other line itself with -1.
class TStringListWithALongint : public TIndexCheckStringlist {
 public:
  TStringListWithALongint();
  Integer AddOne(const string& s, Integer value);
  Integer AddOrIncOne(const string& s, Integer value);
  Integer GetOne(Integer i) const;
  void SetOne(Integer i, Integer value);
  void SetTextStr(std::u16string_view text);
  Integer HighestFrequency() const;  // 0 for an empty list
  void SortOnFreq();                 // by the integer, descending
};

class TStringListWithASingle : public TIndexCheckStringlist {
 public:
  TStringListWithASingle();
  Integer AddOne(const string& s, Single value);
  Integer AddOrIncOne(const string& s, Single value);
  Single GetOne(Integer i) const;
  void SetOne(Integer i, Single value);
  void SortOnFreq();  // by the value, ascending
};

// Each sort compares its own key first and the other number second.
class TStringListWithIntAndSingle : public TIndexCheckStringlist {
 public:
  TStringListWithIntAndSingle();
  Integer AddOne(const string& s, const TIntegerAndSingleRec& value);
  // An S already there has its integer raised by one.
  Integer AddOrIncOne(const string& s, const TIntegerAndSingleRec& value);
  TIntegerAndSingleRec GetOne(Integer i) const;
  void SetOne(Integer i, const TIntegerAndSingleRec& value);
  void SortOnStrings(bool ascending);  // string, then the integer
  void SortOnInt(bool ascending);      // integer, then the single
  void SortOnSingle(bool ascending);   // single, then the integer
};

class TStringListWithStringAndMeanAndSD_rec : public TIndexCheckStringlist {
 public:
  TStringListWithStringAndMeanAndSD_rec();
  Integer AddOne(const string& s, const TStringAndMeanAndSD_rec& value);
  TStringAndMeanAndSD_rec GetOne(Integer i) const;
  void SetOne(Integer i, const TStringAndMeanAndSD_rec& value);
  void SortOnMeans();  // mean, then sd, ascending
};

class TStringListWithLongintList : public TIndexCheckStringlist {
 public:
  TStringListWithLongintList();
  // Creates the sub-list of a new string; adds m to the sub-list unless it
  // is there already.  Returns the sub-list's count.
  Integer AddOrIncOne(const string& s, Integer m);
  // The sub-list of entry i (the list's), nil outside the list.
  T1LongintList* GetSubList(Integer i) const { return HolderAt<T1LongintList>(i); }
};

// Every entry holds a TTwoLongIntHolder.
class TStringListWith2LongintList : public TIndexCheckStringlist {
 public:
  TStringListWith2LongintList();
  Integer AddOne(const string& s, const T2_longint_rec& value);
  // An S already there has long0 raised by one.
  Integer AddOrIncOne(const string& s, const T2_longint_rec& value);
  T2_longint_rec GetOne(Integer i) const;
  void SetOne(Integer i, const T2_longint_rec& value);
  // Add to long0 (which = 0) or long1 (which = 1); nothing otherwise.
  void AddToOneFreq(Integer index, Integer freq, Integer which);
  void IncOne(Integer index, Integer which) { AddToOneFreq(index, 1, which); }
  // How many strings have the chosen field above 1.
  Integer Repeateds(Integer which) const;
  void SortOnFreq();  // by long0 ascending, then long1
};

// The object slot holds a plain integer.
int StringListCompareDescFreq(TStringList& list, Integer index1, Integer index2);

class TStringListWithFreqPointers : public TIndexCheckStringlist {
 public:
  Integer AddOne(const string& s, Integer value);
  Integer AddOrIncOne(const string& s, Integer value);
  Integer GetOne(Integer i) const;
  void SetOne(Integer i, Integer value);
  // By the integer descending, then the string ascending.
  void SortOnFreq() { CustomSort(StringListCompareDescFreq); }
};

// A string list with an optional integer per string, and its stream form:
//   count:int32 ( [object:int32] string ){count}
// (object values only when saving_objects_as_integer).
class TMySaveStringList : public TIndexCheckStringlist {
 public:
  explicit TMySaveStringList(bool saving_objects_as_integer = false)
      : saving_objects_as_integer(saving_objects_as_integer) {}
  bool saving_objects_as_integer;

  Integer AddOne(const string& s, Integer value);
  Integer GetOne(Integer i) const;
  void SetOne(Integer i, Integer value);
  // False when a string is longer than the read limit (nothing that cannot
  // be read back is written) or the stream takes fewer bytes.
  bool SaveToStream(TStream& stream) const;
  // Clears, then reads.  A count that is negative or needs more bytes than
  // remain, or a bad string length, raises EFileReadError; a stream that
  // ends within the count gives false.
  bool LoadFromStream(TStream& stream);
};

}  // namespace cv
