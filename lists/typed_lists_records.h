// Typed record lists: one holder object per entry, each owning a copy of a
// small record, in lists built on the streaming base lists.
//
// Holders stream their record little-endian in field order: first the plain
// fields, then each string field as a length-prefixed stream string.  Lists
// keep the stream forms of their base (count, [sorted flag], entries); a
// count that needs more bytes than the stream holds raises EFileReadError.
//
// Getters return a copy of the entry, or an all-zero record (0) for an index
// that is not an assigned entry; setters do nothing for such an index.
// Integer-tuple lists (T1LongintList ... T5LongintList) answer
// TMultiLongintList::kMissing instead.
#pragma once

#include <cstdint>
#include <cstring>

#include "files/my_kpsmall.h"
#include "lists/useful_classes_base.h"
#include "platform/classes.h"
#include "platform/types.h"

namespace cv {

// ---------------------------------------------------------------------------
// Entry records

struct T2_Pointer {
  void* p1 = nullptr;
  void* p2 = nullptr;
};
struct T2_longint_rec {
  Integer long0 = 0, long1 = 0;
};
struct T3_longint_rec {
  Integer long0 = 0, long1 = 0, long2 = 0;
};
struct T4_longint_rec {
  Integer long0 = 0, long1 = 0, long2 = 0, long3 = 0;
};
struct T5_longint_rec {
  Integer long0 = 0, long1 = 0, long2 = 0, long3 = 0, long4 = 0;
};
// `int_` is the record's integer field (`int` is reserved in C++).
struct TIntegerAndSingleRec {
  Integer int_ = 0;
  Single s = 0;
};
struct TIntegerAndSingleForScoringRec {
  Integer n = 0;
  Single score = 0;
};
struct T2LongintAndSingleRec {
  T2_longint_rec t2;
  Single s = 0;
};
struct T3LongintAndSingleRec {
  T3_longint_rec t3;
  Single s = 0;
};
struct T2StringsAnd2IntegersRec {
  Integer int1 = 0, int2 = 0;
  string s1, s2;
};
struct TStringTrueColumnAndColourRec {
  Integer true_column_number = 0;
  Integer background_colour = 0;
  string s;
};
struct TWordFreqAndSourceNum {
  string w;
  Integer f = 0;
  Integer source_num = 0;
};
struct TMeanAndSD_Rec {
  Single mean = 0, sd = 0;
};
struct TStringAndMeanAndSD_rec {
  TMeanAndSD_Rec score;
  string extra;
};

// Records swapped by the exchange routines.
using Tdouble_longint_rec = T2_longint_rec;
struct TSmallAndLongRec {
  SmallInt small = 0;
  Integer long_ = 0;
};
struct TPointerAnd2CardinalsRec {
  void* p = nullptr;
  Tdouble_cardinal_rec cards{};
};
struct TIndexAndPointerRec {
  Integer index = 0;
  void* p = nullptr;
};

void ExchangeTwoDoubleCardinalRecs(Tdouble_cardinal_rec& a, Tdouble_cardinal_rec& b);
void ExchangeTwoDoubleLongintRecs(Tdouble_longint_rec& a, Tdouble_longint_rec& b);
void ExchangeTwoSmallAndLongRecs(TSmallAndLongRec& a, TSmallAndLongRec& b);
void ExchangeTwoPointerAnd2CardinalsRecs(TPointerAnd2CardinalsRec& a, TPointerAnd2CardinalsRec& b);
void ExchangeTwoIndexAndPointerRecs(TIndexAndPointerRec& a, TIndexAndPointerRec& b);

TIntegerAndSingleForScoringRec IntegerAndSingleRecToIntegerAndSingleForScoringRec(const TIntegerAndSingleRec& r);
TIntegerAndSingleRec IntegerAndSingleForScoringRecToIntegerAndSingleRec(const TIntegerAndSingleForScoringRec& r);

// ---------------------------------------------------------------------------
// Plain-record codecs: the record's bytes, little-endian, in field order.

template <class R>
inline constexpr Int64 kRecBytes = 0;
template <> inline constexpr Int64 kRecBytes<Single> = 4;
template <> inline constexpr Int64 kRecBytes<Integer> = 4;
template <> inline constexpr Int64 kRecBytes<Cardinal> = 4;
template <> inline constexpr Int64 kRecBytes<SmallInt> = 2;
template <> inline constexpr Int64 kRecBytes<Int64> = 8;
template <> inline constexpr Int64 kRecBytes<T2_longint_rec> = 8;
template <> inline constexpr Int64 kRecBytes<TIntegerAndSingleRec> = 8;
template <> inline constexpr Int64 kRecBytes<T2LongintAndSingleRec> = 12;
template <> inline constexpr Int64 kRecBytes<T3LongintAndSingleRec> = 16;
template <> inline constexpr Int64 kRecBytes<TIntegerAnd3CardinalsRec> = 16;

void PutRec(std::uint8_t* p, Single v);
void PutRec(std::uint8_t* p, Integer v);
void PutRec(std::uint8_t* p, Cardinal v);
void PutRec(std::uint8_t* p, SmallInt v);
void PutRec(std::uint8_t* p, Int64 v);
void PutRec(std::uint8_t* p, const T2_longint_rec& v);
void PutRec(std::uint8_t* p, const TIntegerAndSingleRec& v);
void PutRec(std::uint8_t* p, const T2LongintAndSingleRec& v);
void PutRec(std::uint8_t* p, const T3LongintAndSingleRec& v);
void PutRec(std::uint8_t* p, const TIntegerAnd3CardinalsRec& v);
void GetRec(const std::uint8_t* p, Single& v);
void GetRec(const std::uint8_t* p, Integer& v);
void GetRec(const std::uint8_t* p, Cardinal& v);
void GetRec(const std::uint8_t* p, SmallInt& v);
void GetRec(const std::uint8_t* p, Int64& v);
void GetRec(const std::uint8_t* p, T2_longint_rec& v);
void GetRec(const std::uint8_t* p, TIntegerAndSingleRec& v);
void GetRec(const std::uint8_t* p, T2LongintAndSingleRec& v);
void GetRec(const std::uint8_t* p, T3LongintAndSingleRec& v);
void GetRec(const std::uint8_t* p, TIntegerAnd3CardinalsRec& v);

// A holder of one plain record; streams exactly kRecBytes<R> bytes.
template <class R>
class TPlainRecHolder : public TUsefulBaseListObject {
 public:
  static_assert(kRecBytes<R> > 0);
  TPlainRecHolder() = default;
  explicit TPlainRecHolder(const R& d) : data(d) {}
  R data{};
  bool ReadFromStream(TStream& stream) override {
    std::uint8_t b[kRecBytes<R>];
    if (stream.Read(b, kRecBytes<R>) != kRecBytes<R>) return false;
    GetRec(b, data);
    return true;
  }
  bool SaveToStream(TStream& stream) override {
    std::uint8_t b[kRecBytes<R>];
    PutRec(b, data);
    return stream.Write(b, kRecBytes<R>) == kRecBytes<R>;
  }
};

// Each holder is a class of its own: a list recognises its entries by class.
#define CV_PLAIN_HOLDER(name, rec)                  \
  class name : public TPlainRecHolder<rec> {        \
   public:                                          \
    using TPlainRecHolder<rec>::TPlainRecHolder;    \
  }
CV_PLAIN_HOLDER(TSingleHolder, Single);
CV_PLAIN_HOLDER(TLongIntHolder, Integer);
CV_PLAIN_HOLDER(TCardinalHolder, Cardinal);
CV_PLAIN_HOLDER(TSmallIntHolder, SmallInt);
CV_PLAIN_HOLDER(TInt64Holder, Int64);
CV_PLAIN_HOLDER(TTwoLongIntHolder, T2_longint_rec);
CV_PLAIN_HOLDER(TIntegerAndSingleHolder, TIntegerAndSingleRec);
CV_PLAIN_HOLDER(T2LongintAndSingleHolder, T2LongintAndSingleRec);
CV_PLAIN_HOLDER(T3LongintAndSingleHolder, T3LongintAndSingleRec);
CV_PLAIN_HOLDER(TIntegerAnd3CardinalsHolder, TIntegerAnd3CardinalsRec);
#undef CV_PLAIN_HOLDER

// Pointers mean nothing outside the process: this holder does not stream.
class T2PointerHolder : public TUsefulBaseListObject {
 public:
  T2PointerHolder() = default;
  explicit T2PointerHolder(const T2_Pointer& d) : data(d) {}
  T2_Pointer data;
  bool ReadFromStream(TStream&) override { return false; }
  bool SaveToStream(TStream&) override { return false; }
};

// Holders with strings: plain fields first, then the strings.
class T2StringsAnd2IntegersHolder : public TUsefulBaseListObject {
 public:
  T2StringsAnd2IntegersHolder() = default;
  explicit T2StringsAnd2IntegersHolder(const T2StringsAnd2IntegersRec& d) : data(d) {}
  T2StringsAnd2IntegersRec data;
  bool ReadFromStream(TStream& stream) override;  // int1 int2 s1 s2
  bool SaveToStream(TStream& stream) override;
};
class TStringTrueColumnAndColourHolder : public TUsefulBaseListObject {
 public:
  TStringTrueColumnAndColourHolder() = default;
  explicit TStringTrueColumnAndColourHolder(const TStringTrueColumnAndColourRec& d) : data(d) {}
  TStringTrueColumnAndColourRec data;
  bool ReadFromStream(TStream& stream) override;  // true_column_number background_colour s
  bool SaveToStream(TStream& stream) override;
};
class TWordFreqAndSourceNumHolder : public TUsefulBaseListObject {
 public:
  TWordFreqAndSourceNumHolder() = default;
  explicit TWordFreqAndSourceNumHolder(const TWordFreqAndSourceNum& d) : data(d) {}
  TWordFreqAndSourceNum data;
  bool ReadFromStream(TStream& stream) override;  // f source_num w
  bool SaveToStream(TStream& stream) override;
};
class TStringAndMeanAndSDHolder : public TUsefulBaseListObject {
 public:
  TStringAndMeanAndSDHolder() = default;
  explicit TStringAndMeanAndSDHolder(const TStringAndMeanAndSD_rec& d) : data(d) {}
  TStringAndMeanAndSD_rec data;
  bool ReadFromStream(TStream& stream) override;  // mean sd extra
  bool SaveToStream(TStream& stream) override;
};

// ---------------------------------------------------------------------------
// Comparison functions for TList::Sort over holders (ascending by value).

int SortLongints(void* a, void* b);      // TLongIntHolder
int SortCardinals(void* a, void* b);     // TCardinalHolder
int SortInt64s(void* a, void* b);        // TInt64Holder
int SortSingles(void* a, void* b);       // TSingleHolder
int SortIntegerAnd3CardinalsFreq(void* a, void* b);  // TIntegerAnd3CardinalsHolder, by freq

// ---------------------------------------------------------------------------
// The shared body of the record lists.

template <class H, class Base>
class TRecordList : public Base {
 public:
  using Rec = decltype(H::data);
  TRecordList() : Base(TUsefulBaseListObjectClass::Of<H>()) {}

  Integer AddOne(const Rec& r) { return this->Add(new H(r)); }
  Rec GetOne(Integer i) const { return this->IndexAssignedOK(i) ? At(i)->data : Rec{}; }
  void SetOne(Integer i, const Rec& r) {
    if (this->IndexAssignedOK(i)) At(i)->data = r;
  }

 protected:
  H* At(Integer i) const { return static_cast<H*>(this->List()[i]); }
  // The first assigned entry satisfying pred, yielding once per entry; -1.
  template <class Pred>
  Integer FirstWhere(Pred pred) const;
};

// Binary search over a list of holders sorted ascending by key(holder):
// nearest := the last probed position (-1 for an empty range); the index of
// an equal entry or -1.  Nil slots are passed over.  Yields once per probe.
template <class Key, class KeyOf>
Integer BinaryFindInList(const TList& list, Key key, KeyOf key_of, Integer& nearest);

// Where a key not found by BinaryFindInList goes to keep the list sorted.
template <class Key, class KeyOf>
Integer SortedInsertPosition(const TList& list, Key key, KeyOf key_of, Integer nearest) {
  if (nearest < 0) return list.Count();
  void* p = list.List()[nearest];
  if (p && !(key < key_of(p))) return nearest + 1;
  return nearest;
}

// ---------------------------------------------------------------------------
// Pattern B lists

class TCardinalList : public TRecordList<TCardinalHolder, TUsefulBaseListSorts> {
 public:
  Integer InsertOne(Integer i, Cardinal x);  // i clamped to [0, Count]
  Integer Find(Cardinal x);
  Integer IndexOf(Cardinal x);
  Cardinal GetAValue(Integer i) const { return GetOne(i); }
  void SortAscendingDefault() { Sort(SortCardinals); }
  Integer ComparedValues(Integer a, Integer b) override;

 protected:
  Int64 MinStreamedEntrySize() const override { return 4; }
};

class TCVInt64List : public TRecordList<TInt64Holder, TUsefulBaseListSorts> {
 public:
  // Sorted insert when the list is sorted (before an equal value).
  Integer AddOne(Int64 x);
  Integer FindInSorted(Int64 x);
  Integer IndexOf(Int64 x);
  Int64 GetAValue(Integer i) const { return GetOne(i); }
  void SortAscendingDefault() { Sort(SortInt64s); }
  Integer ComparedValues(Integer a, Integer b) override;

 protected:
  Int64 MinStreamedEntrySize() const override { return 8; }
};

class TIntegerAndSingleList : public TRecordList<TIntegerAndSingleHolder, TUsefulBaseListSorts> {
 public:
  Integer Find(Single s);  // over a list sorted by s
  Integer IndexOfInteger(Integer n) const;
  Integer IndexOfSingle(Single s) const;
  void SortAscendingDefault();  // by s

 protected:
  Int64 MinStreamedEntrySize() const override { return 8; }
};

class T2LongintAndSingleList : public TRecordList<T2LongintAndSingleHolder, TUsefulBaseListSorts> {
 public:
  Integer Find(Single s);
  Integer IndexOfInteger0(Integer n) const;
  Integer IndexOfInteger1(Integer n) const;
  Integer IndexOfSingle(Single s) const;
  void SortAscendingDefault();

 protected:
  Int64 MinStreamedEntrySize() const override { return 12; }
};

class T3LongintAndSingleList : public TRecordList<T3LongintAndSingleHolder, TUsefulBaseListSorts> {
 public:
  Integer Find(Single s);
  Integer IndexOfInteger0(Integer n) const;
  Integer IndexOfInteger1(Integer n) const;
  Integer IndexOfInteger2(Integer n) const;
  Integer IndexOfSingle(Single s) const;
  void SortAscendingDefault();

 protected:
  Int64 MinStreamedEntrySize() const override { return 16; }
};

class TIntegerAnd3CardinalsList : public TRecordList<TIntegerAnd3CardinalsHolder, TUsefulBaseList> {
 public:
  TIntegerAnd3CardinalsRec GetAValue(Integer i) const { return GetOne(i); }
  void SetAFreq(Integer i, Integer f);
  void SortAscendingDefault();  // by freq

 protected:
  Int64 MinStreamedEntrySize() const override { return 16; }
};

class TWordFreqAndSourceNumList : public TRecordList<TWordFreqAndSourceNumHolder, TUsefulBaseListSorts> {
 public:
  // The reading cursor (`this` in the suite's naming).
  Integer this_ = 0;
  // The entry at the cursor (zero record past the end), then advances.
  TWordFreqAndSourceNum GetNext();
  void Clear() override;
  Integer HighestFrequency() const;  // 0 for an empty list
  void SortOnFreqs();                 // by f ascending

 protected:
  Int64 MinStreamedEntrySize() const override { return 12; }
};

class T2StringsAnd2IntegersList : public TRecordList<T2StringsAnd2IntegersHolder, TUsefulBaseList> {
 public:
  T2StringsAnd2IntegersRec GetTwoStringsAndInt(Integer i) const { return GetOne(i); }

 protected:
  Int64 MinStreamedEntrySize() const override { return 16; }
};

class TStringColumnAndColourList : public TRecordList<TStringTrueColumnAndColourHolder, TUsefulBaseList> {
 public:
  Integer IndexOfTrueColumn(Integer truecol) const;
  string GetString(Integer i) const { return GetOne(i).s; }
  void SetString(Integer i, const string& s);
  Integer GetTrueColumn(Integer i) const { return GetOne(i).true_column_number; }
  void SetTrueColumn(Integer i, Integer truecol);
  Integer GetBackgroundColour(Integer i) const { return GetOne(i).background_colour; }
  void SetBackgroundColour(Integer i, Integer colour);

 protected:
  Int64 MinStreamedEntrySize() const override { return 12; }
};

// Holds addresses: saving and reading are refused (false).
class TDoublePointerList : public TRecordList<T2PointerHolder, TUsefulBaseList> {
 public:
  T2_Pointer GetADoublePointer(Integer i) const { return GetOne(i); }
  void SetADoublePointer(Integer i, const T2_Pointer& e) { SetOne(i, e); }
  bool ReadFromStream(TStream&) override { return false; }
  bool SaveToStream(TStream&) override { return false; }
};

// ---------------------------------------------------------------------------
// Integer tuples

class T1LongintList : public TMultiLongintList {
 public:
  T1LongintList() : TMultiLongintList(tml_1) {}
  using TMultiLongintList::GetAValue;
  using TMultiLongintList::SetAValue;
  // Sorted insert when the list is sorted (before an equal value).
  Integer AddOne(Integer m);
  Integer InsertOne(Integer i, Integer m);  // i clamped to [0, Count]
  // Binary search over a sorted list (nil slots passed over); nearest as
  // TCardinalAndFreqList::Find.
  Integer Find(Integer m);
  // Frees the entry holding m (binary search when sorted, else the first
  // one), leaving a nil slot; returns its index or -1.
  virtual Integer FindAndFree(Integer m);
  Integer GetAValue(Integer i) const { return GetAValue(i, 0); }
  void SetAValue(Integer i, Integer m) { SetAValue(i, 0, m); }
  // A new list (the caller's) with the assigned values in order.
  T1LongintList* GetACopyOfSelf() const;
};

class T2LongintList : public TMultiLongintList {
 public:
  T2LongintList() : TMultiLongintList(tml_2) {}
  using TMultiLongintList::GetAValue;
  using TMultiLongintList::SetAValue;
  Integer AddOne(const T2_longint_rec& r) { return TMultiLongintList::AddOne({r.long0, r.long1}); }
  T2_longint_rec GetAValue(Integer i) const;
  void SetAValue(Integer i, const T2_longint_rec& r);
};
class T3LongintList : public TMultiLongintList {
 public:
  T3LongintList() : TMultiLongintList(tml_3) {}
  using TMultiLongintList::GetAValue;
  using TMultiLongintList::SetAValue;
  Integer AddOne(const T3_longint_rec& r) { return TMultiLongintList::AddOne({r.long0, r.long1, r.long2}); }
  T3_longint_rec GetAValue(Integer i) const;
  void SetAValue(Integer i, const T3_longint_rec& r);
};
class T4LongintList : public TMultiLongintList {
 public:
  T4LongintList() : TMultiLongintList(tml_4) {}
  using TMultiLongintList::GetAValue;
  using TMultiLongintList::SetAValue;
  Integer AddOne(const T4_longint_rec& r) {
    return TMultiLongintList::AddOne({r.long0, r.long1, r.long2, r.long3});
  }
  T4_longint_rec GetAValue(Integer i) const;
  void SetAValue(Integer i, const T4_longint_rec& r);
};
class T5LongintList : public TMultiLongintList {
 public:
  T5LongintList() : TMultiLongintList(tml_5) {}
  using TMultiLongintList::GetAValue;
  using TMultiLongintList::SetAValue;
  Integer AddOne(const T5_longint_rec& r) {
    return TMultiLongintList::AddOne({r.long0, r.long1, r.long2, r.long3, r.long4});
  }
  T5_longint_rec GetAValue(Integer i) const;
  void SetAValue(Integer i, const T5_longint_rec& r);
};

// A T1LongintList with a current entry (-1 when none).
class TCVActiveLongintList : public T1LongintList {
 public:
  Integer fcurrentItem = -1;
  // Adds x and makes the last entry current; returns the new count.
  Integer AddOneAndSetCountCurrent(Integer x);
  // The current entry's value; -1 when there is none or its slot was freed.
  Integer CurrentItemValue() const;
  // As T1LongintList; when the freed entry was current, the current entry
  // moves back by one (to the last entry when it was the first).
  Integer FindAndFree(Integer x) override;
  void Clear() override;
};

// ---------------------------------------------------------------------------

// SmallInt holders without a stored count.
class TSmallintList : public TList {
 public:
  ~TSmallintList() override;
  Integer AddOne(SmallInt v);
  SmallInt GetAValue(Integer i) const;  // 0 outside the list
  void Clear() override;
  // Appends n 2-byte values.  False when n is negative, when the stream
  // holds fewer than 2n bytes, or on any stream error.
  bool ReadFromStream(Integer n, TStream& stream);
  // Each value's 2 bytes; false on any stream error.
  bool SaveToStream(TStream& stream);
};

// ---------------------------------------------------------------------------

template <class H, class Base>
template <class Pred>
Integer TRecordList<H, Base>::FirstWhere(Pred pred) const {
  for (Integer i = 0; i < this->Count(); ++i) {
    MyYieldProcess();
    if (H* h = At(i); h && pred(h->data)) return i;
  }
  return -1;
}

template <class Key, class KeyOf>
Integer BinaryFindInList(const TList& list, Key key, KeyOf key_of, Integer& nearest) {
  Integer lo = 0, hi = list.Count() - 1;
  nearest = -1;
  void* const* items = list.List();
  while (lo <= hi) {
    MyYieldProcess();
    Integer mid = lo + (hi - lo) / 2;
    // A nil slot has no key: probe the nearest assigned one in range.
    if (!items[mid]) {
      Integer j = mid - 1;
      while (j >= lo && !items[j]) --j;
      if (j < lo) {
        j = mid + 1;
        while (j <= hi && !items[j]) ++j;
        if (j > hi) break;
      }
      mid = j;
    }
    nearest = mid;
    const Key v = key_of(items[mid]);
    if (v == key) return mid;
    if (v < key)
      lo = mid + 1;
    else
      hi = mid - 1;
  }
  return -1;
}

}  // namespace cv
