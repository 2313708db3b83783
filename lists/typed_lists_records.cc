#include "lists/typed_lists_records.h"

#include <algorithm>
#include <utility>

#include "files/my_kpsmall.h"
#include "platform/coding.h"

namespace cv {

void ExchangeTwoDoubleCardinalRecs(Tdouble_cardinal_rec& a, Tdouble_cardinal_rec& b) { std::swap(a, b); }
void ExchangeTwoDoubleLongintRecs(Tdouble_longint_rec& a, Tdouble_longint_rec& b) { std::swap(a, b); }
void ExchangeTwoSmallAndLongRecs(TSmallAndLongRec& a, TSmallAndLongRec& b) { std::swap(a, b); }
void ExchangeTwoPointerAnd2CardinalsRecs(TPointerAnd2CardinalsRec& a, TPointerAnd2CardinalsRec& b) {
  std::swap(a, b);
}
void ExchangeTwoIndexAndPointerRecs(TIndexAndPointerRec& a, TIndexAndPointerRec& b) { std::swap(a, b); }

TIntegerAndSingleForScoringRec IntegerAndSingleRecToIntegerAndSingleForScoringRec(const TIntegerAndSingleRec& r) {
  return TIntegerAndSingleForScoringRec{r.int_, r.s};
}
TIntegerAndSingleRec IntegerAndSingleForScoringRecToIntegerAndSingleRec(const TIntegerAndSingleForScoringRec& r) {
  return TIntegerAndSingleRec{r.n, r.score};
}

// ---------------------------------------------------------------------------
// Codecs

namespace {
std::uint32_t SingleBits(Single v) {
  std::uint32_t u;
  std::memcpy(&u, &v, 4);
  return u;
}
Single BitsSingle(std::uint32_t u) {
  Single v;
  std::memcpy(&v, &u, 4);
  return v;
}
Integer I32(const std::uint8_t* p) { return static_cast<Integer>(DecodeFixed32(p)); }
void PutI32(std::uint8_t* p, Integer v) { EncodeFixed32(p, static_cast<std::uint32_t>(v)); }
}  // namespace

void PutRec(std::uint8_t* p, Single v) { EncodeFixed32(p, SingleBits(v)); }
void PutRec(std::uint8_t* p, Integer v) { PutI32(p, v); }
void PutRec(std::uint8_t* p, Cardinal v) { EncodeFixed32(p, v); }
void PutRec(std::uint8_t* p, SmallInt v) { EncodeFixed16(p, static_cast<std::uint16_t>(v)); }
void PutRec(std::uint8_t* p, Int64 v) { EncodeFixed64(p, static_cast<std::uint64_t>(v)); }
void PutRec(std::uint8_t* p, const T2_longint_rec& v) {
  PutI32(p, v.long0);
  PutI32(p + 4, v.long1);
}
void PutRec(std::uint8_t* p, const TIntegerAndSingleRec& v) {
  PutI32(p, v.int_);
  PutRec(p + 4, v.s);
}
void PutRec(std::uint8_t* p, const T2LongintAndSingleRec& v) {
  PutRec(p, v.t2);
  PutRec(p + 8, v.s);
}
void PutRec(std::uint8_t* p, const T3LongintAndSingleRec& v) {
  PutI32(p, v.t3.long0);
  PutI32(p + 4, v.t3.long1);
  PutI32(p + 8, v.t3.long2);
  PutRec(p + 12, v.s);
}
void PutRec(std::uint8_t* p, const TIntegerAnd3CardinalsRec& v) {
  PutI32(p, v.freq);
  EncodeFixed32(p + 4, v.value.card1);
  EncodeFixed32(p + 8, v.value.card2);
  EncodeFixed32(p + 12, v.value.card3);
}

void GetRec(const std::uint8_t* p, Single& v) { v = BitsSingle(DecodeFixed32(p)); }
void GetRec(const std::uint8_t* p, Integer& v) { v = I32(p); }
void GetRec(const std::uint8_t* p, Cardinal& v) { v = DecodeFixed32(p); }
void GetRec(const std::uint8_t* p, SmallInt& v) { v = static_cast<SmallInt>(DecodeFixed16(p)); }
void GetRec(const std::uint8_t* p, Int64& v) { v = static_cast<Int64>(DecodeFixed64(p)); }
void GetRec(const std::uint8_t* p, T2_longint_rec& v) {
  v.long0 = I32(p);
  v.long1 = I32(p + 4);
}
void GetRec(const std::uint8_t* p, TIntegerAndSingleRec& v) {
  v.int_ = I32(p);
  GetRec(p + 4, v.s);
}
void GetRec(const std::uint8_t* p, T2LongintAndSingleRec& v) {
  GetRec(p, v.t2);
  GetRec(p + 8, v.s);
}
void GetRec(const std::uint8_t* p, T3LongintAndSingleRec& v) {
  v.t3.long0 = I32(p);
  v.t3.long1 = I32(p + 4);
  v.t3.long2 = I32(p + 8);
  GetRec(p + 12, v.s);
}
void GetRec(const std::uint8_t* p, TIntegerAnd3CardinalsRec& v) {
  v.freq = I32(p);
  v.value.card1 = DecodeFixed32(p + 4);
  v.value.card2 = DecodeFixed32(p + 8);
  v.value.card3 = DecodeFixed32(p + 12);
}

// ---------------------------------------------------------------------------
// Holders with strings

namespace {
bool ReadPlain(TStream& stream, std::uint8_t* b, Int64 n) { return stream.Read(b, n) == n; }
bool WritePlain(TStream& stream, const std::uint8_t* b, Int64 n) { return stream.Write(b, n) == n; }
}  // namespace

bool T2StringsAnd2IntegersHolder::ReadFromStream(TStream& stream) {
  std::uint8_t b[8];
  if (!ReadPlain(stream, b, 8)) return false;
  data.int1 = I32(b);
  data.int2 = I32(b + 4);
  data.s1 = ReadAString(stream);
  data.s2 = ReadAString(stream);
  return true;
}
bool T2StringsAnd2IntegersHolder::SaveToStream(TStream& stream) {
  std::uint8_t b[8];
  PutI32(b, data.int1);
  PutI32(b + 4, data.int2);
  return WritePlain(stream, b, 8) && WriteAString(stream, data.s1) && WriteAString(stream, data.s2);
}

bool TStringTrueColumnAndColourHolder::ReadFromStream(TStream& stream) {
  std::uint8_t b[8];
  if (!ReadPlain(stream, b, 8)) return false;
  data.true_column_number = I32(b);
  data.background_colour = I32(b + 4);
  data.s = ReadAString(stream);
  return true;
}
bool TStringTrueColumnAndColourHolder::SaveToStream(TStream& stream) {
  std::uint8_t b[8];
  PutI32(b, data.true_column_number);
  PutI32(b + 4, data.background_colour);
  return WritePlain(stream, b, 8) && WriteAString(stream, data.s);
}

bool TWordFreqAndSourceNumHolder::ReadFromStream(TStream& stream) {
  std::uint8_t b[8];
  if (!ReadPlain(stream, b, 8)) return false;
  data.f = I32(b);
  data.source_num = I32(b + 4);
  data.w = ReadAString(stream);
  return true;
}
bool TWordFreqAndSourceNumHolder::SaveToStream(TStream& stream) {
  std::uint8_t b[8];
  PutI32(b, data.f);
  PutI32(b + 4, data.source_num);
  return WritePlain(stream, b, 8) && WriteAString(stream, data.w);
}

bool TStringAndMeanAndSDHolder::ReadFromStream(TStream& stream) {
  std::uint8_t b[8];
  if (!ReadPlain(stream, b, 8)) return false;
  GetRec(b, data.score.mean);
  GetRec(b + 4, data.score.sd);
  data.extra = ReadAString(stream);
  return true;
}
bool TStringAndMeanAndSDHolder::SaveToStream(TStream& stream) {
  std::uint8_t b[8];
  PutRec(b, data.score.mean);
  PutRec(b + 4, data.score.sd);
  return WritePlain(stream, b, 8) && WriteAString(stream, data.extra);
}

// ---------------------------------------------------------------------------
// Comparison functions

namespace {
template <class T>
int Cmp3(const T& a, const T& b) {
  return a > b ? 1 : (a < b ? -1 : 0);
}
template <class H>
const auto& D(void* p) {
  return static_cast<const H*>(p)->data;
}
}  // namespace

int SortLongints(void* a, void* b) { return Cmp3(D<TLongIntHolder>(a), D<TLongIntHolder>(b)); }
int SortCardinals(void* a, void* b) { return Cmp3(D<TCardinalHolder>(a), D<TCardinalHolder>(b)); }
int SortInt64s(void* a, void* b) { return Cmp3(D<TInt64Holder>(a), D<TInt64Holder>(b)); }
int SortSingles(void* a, void* b) { return Cmp3(D<TSingleHolder>(a), D<TSingleHolder>(b)); }
int SortIntegerAnd3CardinalsFreq(void* a, void* b) {
  return CompareIntAnd3CardinalsFreq(D<TIntegerAnd3CardinalsHolder>(a), D<TIntegerAnd3CardinalsHolder>(b));
}

// ---------------------------------------------------------------------------
// TCardinalList

Integer TCardinalList::InsertOne(Integer i, Cardinal x) {
  i = std::clamp<Integer>(i, 0, Count());
  Insert(i, new TCardinalHolder(x));
  return i;
}

Integer TCardinalList::Find(Cardinal x) {
  return BinaryFindInList(*this, x, [](void* p) { return D<TCardinalHolder>(p); }, nearest);
}

Integer TCardinalList::IndexOf(Cardinal x) {
  if (sorted) return Find(x);
  return FirstWhere([x](Cardinal v) { return v == x; });
}

Integer TCardinalList::ComparedValues(Integer a, Integer b) {
  return CompareCardinals(GetAValue(a), GetAValue(b));
}

// ---------------------------------------------------------------------------
// TCVInt64List

Integer TCVInt64List::AddOne(Int64 x) {
  if (!sorted) return Add(new TInt64Holder(x));
  auto key = [](void* p) { return D<TInt64Holder>(p); };
  Integer where = FindInSorted(x);
  if (where < 0) where = SortedInsertPosition(*this, x, key, nearest);
  Insert(where, new TInt64Holder(x));
  return where;
}

Integer TCVInt64List::FindInSorted(Int64 x) {
  return BinaryFindInList(*this, x, [](void* p) { return D<TInt64Holder>(p); }, nearest);
}

Integer TCVInt64List::IndexOf(Int64 x) {
  if (sorted) return FindInSorted(x);
  return FirstWhere([x](Int64 v) { return v == x; });
}

Integer TCVInt64List::ComparedValues(Integer a, Integer b) { return CompareInt64s(GetAValue(a), GetAValue(b)); }

// ---------------------------------------------------------------------------
// Lists keyed by a Single

Integer TIntegerAndSingleList::Find(Single s) {
  return BinaryFindInList(*this, s, [](void* p) { return D<TIntegerAndSingleHolder>(p).s; }, nearest);
}
Integer TIntegerAndSingleList::IndexOfInteger(Integer n) const {
  return FirstWhere([n](const TIntegerAndSingleRec& r) { return r.int_ == n; });
}
Integer TIntegerAndSingleList::IndexOfSingle(Single s) const {
  return FirstWhere([s](const TIntegerAndSingleRec& r) { return r.s == s; });
}
void TIntegerAndSingleList::SortAscendingDefault() {
  Sort([](void* a, void* b) { return Cmp3(D<TIntegerAndSingleHolder>(a).s, D<TIntegerAndSingleHolder>(b).s); });
}

Integer T2LongintAndSingleList::Find(Single s) {
  return BinaryFindInList(*this, s, [](void* p) { return D<T2LongintAndSingleHolder>(p).s; }, nearest);
}
Integer T2LongintAndSingleList::IndexOfInteger0(Integer n) const {
  return FirstWhere([n](const T2LongintAndSingleRec& r) { return r.t2.long0 == n; });
}
Integer T2LongintAndSingleList::IndexOfInteger1(Integer n) const {
  return FirstWhere([n](const T2LongintAndSingleRec& r) { return r.t2.long1 == n; });
}
Integer T2LongintAndSingleList::IndexOfSingle(Single s) const {
  return FirstWhere([s](const T2LongintAndSingleRec& r) { return r.s == s; });
}
void T2LongintAndSingleList::SortAscendingDefault() {
  Sort([](void* a, void* b) { return Cmp3(D<T2LongintAndSingleHolder>(a).s, D<T2LongintAndSingleHolder>(b).s); });
}

Integer T3LongintAndSingleList::Find(Single s) {
  return BinaryFindInList(*this, s, [](void* p) { return D<T3LongintAndSingleHolder>(p).s; }, nearest);
}
Integer T3LongintAndSingleList::IndexOfInteger0(Integer n) const {
  return FirstWhere([n](const T3LongintAndSingleRec& r) { return r.t3.long0 == n; });
}
Integer T3LongintAndSingleList::IndexOfInteger1(Integer n) const {
  return FirstWhere([n](const T3LongintAndSingleRec& r) { return r.t3.long1 == n; });
}
Integer T3LongintAndSingleList::IndexOfInteger2(Integer n) const {
  return FirstWhere([n](const T3LongintAndSingleRec& r) { return r.t3.long2 == n; });
}
Integer T3LongintAndSingleList::IndexOfSingle(Single s) const {
  return FirstWhere([s](const T3LongintAndSingleRec& r) { return r.s == s; });
}
void T3LongintAndSingleList::SortAscendingDefault() {
  Sort([](void* a, void* b) { return Cmp3(D<T3LongintAndSingleHolder>(a).s, D<T3LongintAndSingleHolder>(b).s); });
}

// ---------------------------------------------------------------------------

void TIntegerAnd3CardinalsList::SetAFreq(Integer i, Integer f) {
  if (IndexAssignedOK(i)) At(i)->data.freq = f;
}

void TIntegerAnd3CardinalsList::SortAscendingDefault() {
  Pack();
  TList::Sort(SortIntegerAnd3CardinalsFreq);
}

TWordFreqAndSourceNum TWordFreqAndSourceNumList::GetNext() {
  if (this_ < 0 || this_ >= Count()) return TWordFreqAndSourceNum{};
  return GetOne(this_++);
}

void TWordFreqAndSourceNumList::Clear() {
  TUsefulBaseListSorts::Clear();
  this_ = 0;
}

Integer TWordFreqAndSourceNumList::HighestFrequency() const {
  Integer best = 0;
  bool any = false;
  for (Integer i = 0; i < Count(); ++i) {
    if (!IndexAssignedOK(i)) continue;
    if (!any || At(i)->data.f > best) best = At(i)->data.f;
    any = true;
  }
  return best;
}

void TWordFreqAndSourceNumList::SortOnFreqs() {
  Sort([](void* a, void* b) { return Cmp3(D<TWordFreqAndSourceNumHolder>(a).f, D<TWordFreqAndSourceNumHolder>(b).f); });
}

Integer TStringColumnAndColourList::IndexOfTrueColumn(Integer truecol) const {
  return FirstWhere([truecol](const TStringTrueColumnAndColourRec& r) { return r.true_column_number == truecol; });
}
void TStringColumnAndColourList::SetString(Integer i, const string& s) {
  if (IndexAssignedOK(i)) At(i)->data.s = s;
}
void TStringColumnAndColourList::SetTrueColumn(Integer i, Integer truecol) {
  if (IndexAssignedOK(i)) At(i)->data.true_column_number = truecol;
}
void TStringColumnAndColourList::SetBackgroundColour(Integer i, Integer colour) {
  if (IndexAssignedOK(i)) At(i)->data.background_colour = colour;
}

// ---------------------------------------------------------------------------
// Integer tuples

Integer T1LongintList::Find(Integer m) {
  return BinaryFindInList(*this, m, [](void* p) {
    const auto& d = static_cast<const TMultiLongintHolder*>(p)->data.dados;
    return d.empty() ? kMissing : d[0];
  }, nearest);
}

Integer T1LongintList::AddOne(Integer m) {
  if (!sorted) return TMultiLongintList::AddOne({m});
  Integer where = Find(m);
  if (where < 0)
    where = SortedInsertPosition(*this, m, [](void* p) {
      const auto& d = static_cast<const TMultiLongintHolder*>(p)->data.dados;
      return d.empty() ? kMissing : d[0];
    }, nearest);
  return TMultiLongintList::InsertOne(where, {m});
}

Integer T1LongintList::InsertOne(Integer i, Integer m) {
  return TMultiLongintList::InsertOne(std::clamp<Integer>(i, 0, Count()), {m});
}

Integer T1LongintList::FindAndFree(Integer m) {
  Integer at = -1;
  if (sorted) {
    at = Find(m);
  } else {
    for (Integer i = 0; i < Count() && at < 0; ++i) {
      MyYieldProcess();
      if (IndexAssignedOK(i) && GetAValue(i) == m) at = i;
    }
  }
  if (at >= 0) FreeAndNilOne(at);
  return at;
}

T1LongintList* T1LongintList::GetACopyOfSelf() const {
  auto* copy = new T1LongintList();
  for (Integer i = 0; i < Count(); ++i)
    if (IndexAssignedOK(i)) copy->TMultiLongintList::AddOne({GetAValue(i)});
  copy->sorted = sorted;
  return copy;
}

T2_longint_rec T2LongintList::GetAValue(Integer i) const { return {GetAValue(i, 0), GetAValue(i, 1)}; }
void T2LongintList::SetAValue(Integer i, const T2_longint_rec& r) {
  if (!IndexAssignedOK(i)) return;
  SetAValue(i, 0, r.long0);
  SetAValue(i, 1, r.long1);
}
T3_longint_rec T3LongintList::GetAValue(Integer i) const {
  return {GetAValue(i, 0), GetAValue(i, 1), GetAValue(i, 2)};
}
void T3LongintList::SetAValue(Integer i, const T3_longint_rec& r) {
  if (!IndexAssignedOK(i)) return;
  SetAValue(i, 0, r.long0);
  SetAValue(i, 1, r.long1);
  SetAValue(i, 2, r.long2);
}
T4_longint_rec T4LongintList::GetAValue(Integer i) const {
  return {GetAValue(i, 0), GetAValue(i, 1), GetAValue(i, 2), GetAValue(i, 3)};
}
void T4LongintList::SetAValue(Integer i, const T4_longint_rec& r) {
  if (!IndexAssignedOK(i)) return;
  SetAValue(i, 0, r.long0);
  SetAValue(i, 1, r.long1);
  SetAValue(i, 2, r.long2);
  SetAValue(i, 3, r.long3);
}
T5_longint_rec T5LongintList::GetAValue(Integer i) const {
  return {GetAValue(i, 0), GetAValue(i, 1), GetAValue(i, 2), GetAValue(i, 3), GetAValue(i, 4)};
}
void T5LongintList::SetAValue(Integer i, const T5_longint_rec& r) {
  if (!IndexAssignedOK(i)) return;
  SetAValue(i, 0, r.long0);
  SetAValue(i, 1, r.long1);
  SetAValue(i, 2, r.long2);
  SetAValue(i, 3, r.long3);
  SetAValue(i, 4, r.long4);
}

Integer TCVActiveLongintList::AddOneAndSetCountCurrent(Integer x) {
  AddOne(x);
  fcurrentItem = Count() - 1;
  return Count();
}

Integer TCVActiveLongintList::CurrentItemValue() const {
  if (!IndexAssignedOK(fcurrentItem)) return -1;
  return GetAValue(fcurrentItem);
}

Integer TCVActiveLongintList::FindAndFree(Integer x) {
  const Integer at = T1LongintList::FindAndFree(x);
  if (at >= 0 && at == fcurrentItem) fcurrentItem = at > 0 ? at - 1 : Count() - 1;
  return at;
}

void TCVActiveLongintList::Clear() {
  T1LongintList::Clear();
  fcurrentItem = -1;
}

// ---------------------------------------------------------------------------
// TSmallintList

TSmallintList::~TSmallintList() { Clear(); }

Integer TSmallintList::AddOne(SmallInt v) { return Add(new TSmallIntHolder(v)); }

SmallInt TSmallintList::GetAValue(Integer i) const {
  if (i < 0 || i >= Count() || !List()[i]) return 0;
  return static_cast<const TSmallIntHolder*>(List()[i])->data;
}

void TSmallintList::Clear() {
  for (Integer i = 0; i < Count(); ++i) delete static_cast<TSmallIntHolder*>(List()[i]);
  TList::Clear();
}

bool TSmallintList::ReadFromStream(Integer n, TStream& stream) {
  try {
    if (n < 0 || static_cast<Int64>(n) * 2 > stream.Remaining()) return false;
    for (Integer i = 0; i < n; ++i) {
      MyYieldProcess();
      auto* h = new TSmallIntHolder();
      Add(h);
      if (!h->ReadFromStream(stream)) return false;
    }
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool TSmallintList::SaveToStream(TStream& stream) {
  try {
    for (Integer i = 0; i < Count(); ++i) {
      MyYieldProcess();
      TSmallIntHolder h(GetAValue(i));
      if (!h.SaveToStream(stream)) return false;
    }
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace cv
