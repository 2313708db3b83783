#include "lists/typed_lists_strings.h"

#include <cstdint>

#include "files/my_kpsmall.h"
#include "platform/coding.h"
#include "platform/sysutils.h"

namespace cv {

namespace {

template <class T>
int Cmp3(const T& a, const T& b) {
  return a > b ? 1 : (a < b ? -1 : 0);
}

template <class H>
void DeleteHolder(void* p) {
  delete static_cast<H*>(p);
}

// Plain integers in object slots.
void* IntToObj(Integer v) { return reinterpret_cast<void*>(static_cast<std::intptr_t>(v)); }
Integer ObjToInt(void* p) { return static_cast<Integer>(reinterpret_cast<std::intptr_t>(p)); }

template <class H>
const auto& Data(TStringList& list, Integer i) {
  return static_cast<H*>(list.Objects(i))->data;
}

}  // namespace

// ---------------------------------------------------------------------------
// TIndexCheckStringlist

void TIndexCheckStringlist::FreeAndNilOne(Integer i) {
  if (IndexAssignedOK(i)) SetObject(i, nullptr);  // frees an owned object
}

void TIndexCheckStringlist::ReduceTo(Integer n) {
  if (n < 0) n = 0;
  for (Integer i = Count() - 1; i >= n; --i) {
    FreeAndNilOne(i);
    Delete(i);
  }
}

void TIndexCheckStringlist::ReverseTheSort() {
  const bool was_sorted = Sorted();
  // Exchange is refused on a sorted list; reversing leaves it unsorted.
  if (was_sorted) SetSorted(false);
  for (Integer i = 0, j = Count() - 1; i < j; ++i, --j) Exchange(i, j);
}

Integer TIndexCheckStringlist::AddOwned(const string& s, void* obj) {
  const Integer at = AddObject(s, obj);
  // A sorted list that ignores duplicates kept the entry already there and
  // did not take obj: the caller still owns it.
  return Objects(at) == obj ? at : -at - 1;
}

// ---------------------------------------------------------------------------

// Adds s with a new holder of value; the holder is freed when the list kept
// an entry already there.
#define CV_ADD_HOLDER(H, s, value)                 \
  [&]() {                                          \
    auto* h = new H(value);                        \
    const Integer at = AddOwned(s, h);             \
    if (at < 0) {                                  \
      delete h;                                    \
      return -at - 1;                              \
    }                                              \
    return at;                                     \
  }()

// ---------------------------------------------------------------------------
// TStringListWithALongint

TStringListWithALongint::TStringListWithALongint() { OwnObjects(DeleteHolder<TLongIntHolder>); }

Integer TStringListWithALongint::AddOne(const string& s, Integer value) {
  return CV_ADD_HOLDER(TLongIntHolder, s, value);
}

Integer TStringListWithALongint::AddOrIncOne(const string& s, Integer value) {
  const Integer at = IndexOf(s);
  if (at < 0) return AddOne(s, value);
  if (auto* h = HolderAt<TLongIntHolder>(at)) ++h->data;
  return at;
}

Integer TStringListWithALongint::GetOne(Integer i) const {
  const auto* h = HolderAt<TLongIntHolder>(i);
  return h ? h->data : 0;
}

void TStringListWithALongint::SetOne(Integer i, Integer value) {
  if (auto* h = HolderAt<TLongIntHolder>(i)) h->data = value;
}

void TStringListWithALongint::SetTextStr(std::u16string_view text) {
  Clear();
  std::size_t i = 0;
  const std::size_t n = text.size();
  Integer lines = 0;
  while (i < n) {
    if (++lines % 4096 == 0) MyYieldProcess();
    std::size_t j = i;
    while (j < n && text[j] != u'\r' && text[j] != u'\n') ++j;
    const std::u16string_view line = text.substr(i, j - i);
    if (j < n && text[j] == u'\r') ++j;
    if (j < n && text[j] == u'\n') ++j;
    i = j;
    const std::size_t tab = line.size() > 1 ? line.find(u'\t', 1) : std::u16string_view::npos;
    Integer value = 0;
    if (tab != std::u16string_view::npos && TryStrToInt(line.substr(tab + 1), value))
      AddOne(string(line.substr(0, tab)), value);
    else
      AddOne(string(line), -1);
  }
}

Integer TStringListWithALongint::HighestFrequency() const {
  Integer best = 0;
  for (Integer i = 0; i < Count(); ++i)
    if (i == 0 || GetOne(i) > best) best = GetOne(i);
  return best;
}

void TStringListWithALongint::SortOnFreq() {
  CustomSort([](TStringList& l, Integer a, Integer b) {
    return Cmp3(Data<TLongIntHolder>(l, b), Data<TLongIntHolder>(l, a));
  });
}

// ---------------------------------------------------------------------------
// TStringListWithASingle

TStringListWithASingle::TStringListWithASingle() { OwnObjects(DeleteHolder<TSingleHolder>); }

Integer TStringListWithASingle::AddOne(const string& s, Single value) {
  return CV_ADD_HOLDER(TSingleHolder, s, value);
}

Integer TStringListWithASingle::AddOrIncOne(const string& s, Single value) {
  const Integer at = IndexOf(s);
  if (at < 0) return AddOne(s, value);
  if (auto* h = HolderAt<TSingleHolder>(at)) h->data += 1;
  return at;
}

Single TStringListWithASingle::GetOne(Integer i) const {
  const auto* h = HolderAt<TSingleHolder>(i);
  return h ? h->data : 0;
}

void TStringListWithASingle::SetOne(Integer i, Single value) {
  if (auto* h = HolderAt<TSingleHolder>(i)) h->data = value;
}

void TStringListWithASingle::SortOnFreq() {
  CustomSort([](TStringList& l, Integer a, Integer b) {
    return Cmp3(Data<TSingleHolder>(l, a), Data<TSingleHolder>(l, b));
  });
}

// ---------------------------------------------------------------------------
// TStringListWithIntAndSingle

TStringListWithIntAndSingle::TStringListWithIntAndSingle() { OwnObjects(DeleteHolder<TIntegerAndSingleHolder>); }

Integer TStringListWithIntAndSingle::AddOne(const string& s, const TIntegerAndSingleRec& value) {
  return CV_ADD_HOLDER(TIntegerAndSingleHolder, s, value);
}

Integer TStringListWithIntAndSingle::AddOrIncOne(const string& s, const TIntegerAndSingleRec& value) {
  const Integer at = IndexOf(s);
  if (at < 0) return AddOne(s, value);
  if (auto* h = HolderAt<TIntegerAndSingleHolder>(at)) ++h->data.int_;
  return at;
}

TIntegerAndSingleRec TStringListWithIntAndSingle::GetOne(Integer i) const {
  const auto* h = HolderAt<TIntegerAndSingleHolder>(i);
  return h ? h->data : TIntegerAndSingleRec{};
}

void TStringListWithIntAndSingle::SetOne(Integer i, const TIntegerAndSingleRec& value) {
  if (auto* h = HolderAt<TIntegerAndSingleHolder>(i)) h->data = value;
}

namespace {
int ByStringThenInt(TStringList& l, Integer a, Integer b) {
  int c = l.CompareStrings(l.Strings(a), l.Strings(b));
  c = c > 0 ? 1 : (c < 0 ? -1 : 0);
  return c != 0 ? c : Cmp3(Data<TIntegerAndSingleHolder>(l, a).int_, Data<TIntegerAndSingleHolder>(l, b).int_);
}
int ByIntThenSingle(TStringList& l, Integer a, Integer b) {
  const auto& x = Data<TIntegerAndSingleHolder>(l, a);
  const auto& y = Data<TIntegerAndSingleHolder>(l, b);
  const int c = Cmp3(x.int_, y.int_);
  return c != 0 ? c : Cmp3(x.s, y.s);
}
int BySingleThenInt(TStringList& l, Integer a, Integer b) {
  const auto& x = Data<TIntegerAndSingleHolder>(l, a);
  const auto& y = Data<TIntegerAndSingleHolder>(l, b);
  const int c = Cmp3(x.s, y.s);
  return c != 0 ? c : Cmp3(x.int_, y.int_);
}
}  // namespace

void TStringListWithIntAndSingle::SortOnStrings(bool ascending) {
  if (ascending)
    CustomSort(ByStringThenInt);
  else
    CustomSort([](TStringList& l, Integer a, Integer b) { return ByStringThenInt(l, b, a); });
}
void TStringListWithIntAndSingle::SortOnInt(bool ascending) {
  if (ascending)
    CustomSort(ByIntThenSingle);
  else
    CustomSort([](TStringList& l, Integer a, Integer b) { return ByIntThenSingle(l, b, a); });
}
void TStringListWithIntAndSingle::SortOnSingle(bool ascending) {
  if (ascending)
    CustomSort(BySingleThenInt);
  else
    CustomSort([](TStringList& l, Integer a, Integer b) { return BySingleThenInt(l, b, a); });
}

// ---------------------------------------------------------------------------
// TStringListWithStringAndMeanAndSD_rec

TStringListWithStringAndMeanAndSD_rec::TStringListWithStringAndMeanAndSD_rec() {
  OwnObjects(DeleteHolder<TStringAndMeanAndSDHolder>);
}

Integer TStringListWithStringAndMeanAndSD_rec::AddOne(const string& s, const TStringAndMeanAndSD_rec& value) {
  return CV_ADD_HOLDER(TStringAndMeanAndSDHolder, s, value);
}

TStringAndMeanAndSD_rec TStringListWithStringAndMeanAndSD_rec::GetOne(Integer i) const {
  const auto* h = HolderAt<TStringAndMeanAndSDHolder>(i);
  return h ? h->data : TStringAndMeanAndSD_rec{};
}

void TStringListWithStringAndMeanAndSD_rec::SetOne(Integer i, const TStringAndMeanAndSD_rec& value) {
  if (auto* h = HolderAt<TStringAndMeanAndSDHolder>(i)) h->data = value;
}

void TStringListWithStringAndMeanAndSD_rec::SortOnMeans() {
  CustomSort([](TStringList& l, Integer a, Integer b) {
    const auto& x = Data<TStringAndMeanAndSDHolder>(l, a).score;
    const auto& y = Data<TStringAndMeanAndSDHolder>(l, b).score;
    const int c = Cmp3(x.mean, y.mean);
    return c != 0 ? c : Cmp3(x.sd, y.sd);
  });
}

// ---------------------------------------------------------------------------
// TStringListWithLongintList

TStringListWithLongintList::TStringListWithLongintList() { OwnObjects(DeleteHolder<T1LongintList>); }

Integer TStringListWithLongintList::AddOrIncOne(const string& s, Integer m) {
  Integer at = IndexOf(s);
  if (at < 0) {
    auto* sub = new T1LongintList();
    at = AddOwned(s, sub);
    if (at < 0) {  // cannot happen after IndexOf found nothing; kept safe
      delete sub;
      at = -at - 1;
    }
  }
  T1LongintList* sub = GetSubList(at);
  if (!sub) {
    sub = new T1LongintList();
    SetObject(at, sub);
  }
  bool present = false;
  for (Integer i = 0; i < sub->Count() && !present; ++i) present = sub->IndexAssignedOK(i) && sub->GetAValue(i) == m;
  if (!present) sub->AddOne(m);
  return sub->Count();
}

// ---------------------------------------------------------------------------
// TStringListWith2LongintList

TStringListWith2LongintList::TStringListWith2LongintList() { OwnObjects(DeleteHolder<TTwoLongIntHolder>); }

Integer TStringListWith2LongintList::AddOne(const string& s, const T2_longint_rec& value) {
  return CV_ADD_HOLDER(TTwoLongIntHolder, s, value);
}

Integer TStringListWith2LongintList::AddOrIncOne(const string& s, const T2_longint_rec& value) {
  const Integer at = IndexOf(s);
  if (at < 0) return AddOne(s, value);
  if (auto* h = HolderAt<TTwoLongIntHolder>(at)) ++h->data.long0;
  return at;
}

T2_longint_rec TStringListWith2LongintList::GetOne(Integer i) const {
  const auto* h = HolderAt<TTwoLongIntHolder>(i);
  return h ? h->data : T2_longint_rec{};
}

void TStringListWith2LongintList::SetOne(Integer i, const T2_longint_rec& value) {
  if (auto* h = HolderAt<TTwoLongIntHolder>(i)) h->data = value;
}

void TStringListWith2LongintList::AddToOneFreq(Integer index, Integer freq, Integer which) {
  auto* h = HolderAt<TTwoLongIntHolder>(index);
  if (!h) return;
  if (which == 0)
    h->data.long0 += freq;
  else if (which == 1)
    h->data.long1 += freq;
}

Integer TStringListWith2LongintList::Repeateds(Integer which) const {
  if (which != 0 && which != 1) return 0;
  Integer n = 0;
  for (Integer i = 0; i < Count(); ++i) {
    const T2_longint_rec r = GetOne(i);
    if ((which == 0 ? r.long0 : r.long1) > 1) ++n;
  }
  return n;
}

void TStringListWith2LongintList::SortOnFreq() {
  CustomSort([](TStringList& l, Integer a, Integer b) {
    const auto& x = Data<TTwoLongIntHolder>(l, a);
    const auto& y = Data<TTwoLongIntHolder>(l, b);
    const int c = Cmp3(x.long0, y.long0);
    return c != 0 ? c : Cmp3(x.long1, y.long1);
  });
}

// ---------------------------------------------------------------------------
// Integers in the object slots

int StringListCompareDescFreq(TStringList& list, Integer index1, Integer index2) {
  const int c = Cmp3(ObjToInt(list.Objects(index2)), ObjToInt(list.Objects(index1)));
  if (c != 0) return c;
  const int s = list.CompareStrings(list.Strings(index1), list.Strings(index2));
  return s > 0 ? 1 : (s < 0 ? -1 : 0);
}

Integer TStringListWithFreqPointers::AddOne(const string& s, Integer value) {
  const Integer at = AddObject(s, IntToObj(value));
  return at;
}

Integer TStringListWithFreqPointers::AddOrIncOne(const string& s, Integer value) {
  const Integer at = IndexOf(s);
  if (at < 0) return AddOne(s, value);
  SetObject(at, IntToObj(ObjToInt(Objects(at)) + 1));
  return at;
}

Integer TStringListWithFreqPointers::GetOne(Integer i) const { return IndexAssignedOK(i) ? ObjToInt(Objects(i)) : 0; }

void TStringListWithFreqPointers::SetOne(Integer i, Integer value) {
  if (IndexAssignedOK(i)) SetObject(i, IntToObj(value));
}

Integer TMySaveStringList::AddOne(const string& s, Integer value) { return AddObject(s, IntToObj(value)); }

Integer TMySaveStringList::GetOne(Integer i) const { return IndexAssignedOK(i) ? ObjToInt(Objects(i)) : 0; }

void TMySaveStringList::SetOne(Integer i, Integer value) {
  if (IndexAssignedOK(i)) SetObject(i, IntToObj(value));
}

bool TMySaveStringList::SaveToStream(TStream& stream) const {
  // Everything is checked before the first byte is written.
  for (Integer i = 0; i < Count(); ++i)
    if (Strings(i).size() > static_cast<std::size_t>(std::max<Integer>(global_string_safety_limit, 0))) return false;
  std::string bytes;
  PutFixed32(bytes, static_cast<std::uint32_t>(Count()));
  for (Integer i = 0; i < Count(); ++i) {
    if (i % 1024 == 0) MyYieldProcess();
    if (saving_objects_as_integer) PutFixed32(bytes, static_cast<std::uint32_t>(ObjToInt(Objects(i))));
    PutFixed32(bytes, static_cast<std::uint32_t>(Strings(i).size()));
    PutUtf16(bytes, Strings(i));
  }
  return stream.Write(bytes.data(), static_cast<Int64>(bytes.size())) == static_cast<Int64>(bytes.size());
}

bool TMySaveStringList::LoadFromStream(TStream& stream) {
  Clear();
  std::uint8_t b[4];
  if (stream.Read(b, 4) != 4) return false;
  const auto n = static_cast<Integer>(DecodeFixed32(b));
  const Int64 min_entry = saving_objects_as_integer ? 8 : 4;
  if (n < 0 || static_cast<Int64>(n) > stream.Remaining() / min_entry)
    throw EFileReadError(u"TMySaveStringList.LoadFromStream");
  for (Integer i = 0; i < n; ++i) {
    MyYieldProcess();
    Integer value = 0;
    if (saving_objects_as_integer) {
      if (stream.Read(b, 4) != 4) return false;
      value = static_cast<Integer>(DecodeFixed32(b));
    }
    AddObject(ReadAString(stream), IntToObj(value));
  }
  return true;
}

}  // namespace cv
