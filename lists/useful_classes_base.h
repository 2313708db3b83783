// The foundation of the suite's result lists: three-way comparison
// functions, length-prefixed strings in streams, the owning and streaming
// base list, its sortable variant and the list of integer tuples.
//
// Comparison convention: 1 when the first argument is greater, -1 when it is
// smaller, 0 when equal -- except CompareDates/CompareJulianDates, which are
// reversed so that an order built with them puts the newest date first.
//
// Stream forms (little-endian, counts before data, no terminators):
//   string        := len:int32 unit:uint16{len}
//   TUsefulBaseList       := count:int32 entry{count}
//   TUsefulBaseListSorts  := count:int32 sorted:uint8 entry{count}
//   TMultiLongintList     := count:int32 sorted:uint8 (value:int32{tamanho}){count}
// A count or length that is negative, above its limit, or larger than the
// bytes left in the stream raises EFileReadError (platform/classes.h) with
// the routine's name; a short read of a count or entry gives false.
#pragma once

#include <cstdint>
#include <typeinfo>
#include <vector>

#include "platform/classes.h"
#include "platform/types.h"

namespace cv {

// ---------------------------------------------------------------------------
// Records compared here (shared with the typed lists)

struct Tdouble_cardinal_rec {
  Cardinal card1;
  Cardinal card2;
};
struct TTriple_cardinal_rec {
  Cardinal card1;
  Cardinal card2;
  Cardinal card3;
};
struct TIntegerAnd2CardinalsRec {
  Integer freq;
  Tdouble_cardinal_rec value;
};
struct TIntegerAnd3CardinalsRec {
  Integer freq;
  TTriple_cardinal_rec value;
};
static_assert(sizeof(Tdouble_cardinal_rec) == 8 && sizeof(TTriple_cardinal_rec) == 12);
static_assert(sizeof(TIntegerAnd2CardinalsRec) == 12 && sizeof(TIntegerAnd3CardinalsRec) == 16);

// ---------------------------------------------------------------------------
// Comparison functions

Integer CompareLongints(Integer a, Integer b);
Integer CompareCardinals(Cardinal a, Cardinal b);
Integer CompareInt64s(Int64 a, Int64 b);
Integer CompareSingles(Single a, Single b);
Integer CompareBytes(Byte a, Byte b);
Integer Compare16Bit(SmallInt a, SmallInt b);
Integer Compare16BitWords(Word a, Word b);
Integer CompareChars(WideChar a, WideChar b);
// Reversed: -1 when a is the later date.
Integer CompareDates(TDateTime a, TDateTime b);
Integer CompareJulianDates(Double a, Double b);
// By code units.
Integer Compare2Strings(std::u16string_view a, std::u16string_view b);
// The null-terminated code-unit comparison: each text ends at its first zero.
Integer CrudeStringComparison(std::u16string_view a, std::u16string_view b);
// Under the locale (CompareLCIDPchar); 0 when either text is empty.
Integer LCIDStringComparison(std::u16string_view a, std::u16string_view b, LCID lcid);
Integer Compare2CardinalsCard1(const Tdouble_cardinal_rec& a, const Tdouble_cardinal_rec& b);
Integer Compare2CardinalsCard2(const Tdouble_cardinal_rec& a, const Tdouble_cardinal_rec& b);
Integer CompareIntAnd2CardinalsCard1(const TIntegerAnd2CardinalsRec& a, const TIntegerAnd2CardinalsRec& b);
Integer CompareIntAnd2CardinalsCard2(const TIntegerAnd2CardinalsRec& a, const TIntegerAnd2CardinalsRec& b);
Integer CompareIntAnd2CardinalsFreq(const TIntegerAnd2CardinalsRec& a, const TIntegerAnd2CardinalsRec& b);
Integer CompareIntAnd3CardinalsCard1(const TIntegerAnd3CardinalsRec& a, const TIntegerAnd3CardinalsRec& b);
Integer CompareIntAnd3CardinalsCard2(const TIntegerAnd3CardinalsRec& a, const TIntegerAnd3CardinalsRec& b);
Integer CompareIntAnd3CardinalsCard3(const TIntegerAnd3CardinalsRec& a, const TIntegerAnd3CardinalsRec& b);
Integer CompareIntAnd3CardinalsFreq(const TIntegerAnd3CardinalsRec& a, const TIntegerAnd3CardinalsRec& b);

// ---------------------------------------------------------------------------
// Strings in streams

// The longest string ReadAString(stream) accepts; 5000 at start.
extern Integer global_string_safety_limit;

// Writes the length-prefixed form.  Refuses (false, nothing written) a
// string longer than `limit`, the limit its reader will apply -- so nothing
// is saved that cannot be loaded.  The two-argument form uses
// global_string_safety_limit.  False too when the stream takes fewer bytes.
bool WriteAString(TStream& stream, std::u16string_view s, Integer limit);
bool WriteAString(TStream& stream, std::u16string_view s);
// Reads the length-prefixed form.  A negative length, one above `limit` or
// one longer than what remains of the stream raises EFileReadError
// ("ReadAString"); a short read raises EReadError.
string ReadAString(TStream& stream, Integer limit);
string ReadAString(TStream& stream);

// ---------------------------------------------------------------------------
// Entries

class TUsefulBaseListObject {
 public:
  virtual ~TUsefulBaseListObject() = default;
  // Both return true and do nothing in the base.
  virtual bool ReadFromStream(TStream& stream);
  virtual bool SaveToStream(TStream& stream);
};

// The class of a list's entries: how to make one when reading, and how to
// recognise one when writing.
struct TUsefulBaseListObjectClass {
  TUsefulBaseListObject* (*create)() = nullptr;
  const std::type_info* type = nullptr;

  template <class T>
  static TUsefulBaseListObjectClass Of() {
    return {[]() -> TUsefulBaseListObject* { return new T(); }, &typeid(T)};
  }
  // Same type_info object first: the name comparison is the slow path.
  bool IsClassOf(const TUsefulBaseListObject* p) const {
    return p && type && (&typeid(*p) == type || typeid(*p) == *type);
  }
};

// ---------------------------------------------------------------------------
// TUsefulBaseList: a TList that owns its entries and streams them.
//
// Entries are TUsefulBaseListObjects unless a derived list says otherwise; a
// derived list whose entries are anything else overrides FreeAndNilOne and
// calls Clear() in its own destructor.

class TUsefulBaseList : public TList {
 public:
  explicit TUsefulBaseList(TUsefulBaseListObjectClass entries_class);
  ~TUsefulBaseList() override;

  TUsefulBaseListObjectClass EntriesClass;
  TUsefulBaseListObject* AnInstance = nullptr;  // last entry made or visited while streaming

  // Base: -1 (no two entries compare equal).
  virtual Integer ComparedValues(Integer a, Integer b);
  // Frees the entry at index (if any) and leaves the slot nil.
  virtual void FreeAndNilOne(Integer index);
  virtual bool ReadFromStream(TStream& stream);
  virtual bool SaveToStream(TStream& stream);

  bool IndexAssignedOK(Integer index) const;
  // Frees the entries from the last down to position n, then packs.
  void ReduceTo(Integer n);
  void Clear() override;

  // Replaces the file only once the whole list was written; false (and the
  // old file kept) when an entry could not be written.
  bool SaveToFile(const string& file_name);
  bool LoadFromFile(const string& file_name);

 protected:
  // A new, empty entry for reading.
  virtual TUsefulBaseListObject* NewEntry();
  // The fewest bytes one streamed entry can take (at least 1): a count that
  // needs more than the stream holds is impossible.
  virtual Int64 MinStreamedEntrySize() const { return 1; }
  // The shared body of the stream forms: the count, then an optional header
  // written/read by the derived list, then the entries.
  bool SaveEntries(TStream& stream, const std::string& after_count);
  bool ReadEntries(TStream& stream, std::size_t header_bytes, std::string* header, const char16_t* routine);
};

// ---------------------------------------------------------------------------

class TUsefulBaseListSorts : public TUsefulBaseList {
 public:
  explicit TUsefulBaseListSorts(TUsefulBaseListObjectClass entries_class);

  Integer nearest = 0;
  bool sorted = false;

  void Clear() override;
  // The list sort (nil slots are packed away first); sorted := true.
  void Sort(TListSortCompare compare);
  void ReverseTheSort();
  // Frees each entry equal (ComparedValues = 0) to the first of its run of
  // neighbours; keeps the first of each run.
  void RemoveDuplicates();
  bool ReadFromStream(TStream& stream) override;
  bool SaveToStream(TStream& stream) override;
};

// ---------------------------------------------------------------------------
// Integer tuples

enum TMultiLongintSize : Byte { tml_0, tml_1, tml_2, tml_3, tml_4, tml_5, tml_6 };

// The integers of one entry: at most tml_6 of them, held inline so that an
// entry is a single allocation.
class TMultiLongintArray {
 public:
  static constexpr std::size_t kCapacity = 6;
  std::size_t size() const { return n_; }
  bool empty() const { return n_ == 0; }
  Integer& operator[](std::size_t i) { return v_[i]; }
  const Integer& operator[](std::size_t i) const { return v_[i]; }
  Integer* data() { return v_; }
  const Integer* data() const { return v_; }
  Integer* begin() { return v_; }
  Integer* end() { return v_ + n_; }
  const Integer* begin() const { return v_; }
  const Integer* end() const { return v_ + n_; }
  // n is capped at kCapacity.
  void assign(std::size_t n, Integer value) {
    n_ = static_cast<Byte>(n < kCapacity ? n : kCapacity);
    for (std::size_t i = 0; i < kCapacity; ++i) v_[i] = value;
  }

 private:
  Byte n_ = 0;
  Integer v_[kCapacity] = {};
};

struct TMultiLongintRec {
  TMultiLongintArray dados;
};

class TMultiLongintHolder : public TUsefulBaseListObject {
 public:
  // Lists of millions of tuples allocate and free holders in bulk: they come
  // from a free list of slabs, which this single-threaded runtime keeps for
  // reuse (sanitizer builds use the ordinary heap, to keep its checks).
  static void* operator new(std::size_t size);
  static void operator delete(void* p, std::size_t size);

  TMultiLongintRec data;
  // Reading fills exactly this many integers (set by the list).
  Integer expected_size = 0;
  bool ReadFromStream(TStream& stream) override;
  bool SaveToStream(TStream& stream) override;
};

class TMultiLongintList : public TUsefulBaseListSorts {
 public:
  static constexpr Integer kMissing = -999999;

  TMultiLongintList(TUsefulBaseListObjectClass entries_class, TMultiLongintSize size);
  explicit TMultiLongintList(TMultiLongintSize size)
      : TMultiLongintList(TUsefulBaseListObjectClass::Of<TMultiLongintHolder>(), size) {}
  ~TMultiLongintList() override;

  TMultiLongintSize tamanho;

  // An entry of exactly tamanho integers filled from arr as far as both
  // reach (the rest 0), appended or inserted at where; returns its index.
  Integer AddOne(const std::vector<Integer>& arr);
  Integer InsertOne(Integer where, const std::vector<Integer>& arr);
  // kMissing when index is not an assigned entry or has no element which.
  Integer GetAValue(Integer index, Integer which) const;
  void SetAValue(Integer index, Integer which, Integer value);
  void AddToOneFreq(Integer index, Integer freq, Integer which);
  void IncOne(Integer index, Integer which);
  Integer LongIndexOf(Integer n, Integer which) const;
  Int64 TotalOf(Integer which) const;
  std::vector<Integer> ToArrayOfInteger(Integer which) const;
  void SingleSort(Integer which);
  void DoubleSort(Integer first, Integer second);
  void TripleSort(Integer first, Integer second, Integer third);
  void FreeAndNilOne(Integer index) override;
  TMultiLongintHolder* Holder(Integer index) const;
  // The stream form; plain TMultiLongintHolder entries are encoded and
  // decoded in blocks rather than one stream call per entry.
  bool ReadFromStream(TStream& stream) override;
  bool SaveToStream(TStream& stream) override;

 protected:
  TUsefulBaseListObject* NewEntry() override;
  Int64 MinStreamedEntrySize() const override { return 4 * static_cast<Int64>(tamanho); }

 private:
  void SortBy(std::initializer_list<Integer> keys);
};

}  // namespace cv
