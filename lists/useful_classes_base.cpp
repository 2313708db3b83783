// Comparison functions, stream strings, and the base lists.
#include "lists/useful_classes_base.h"

#include <algorithm>
#include <memory>

#include "files/my_kpsmall.h"
#include "lists/pointer_utils.h"
#include "platform/coding.h"

#if defined(__SANITIZE_ADDRESS__)
#define CV_HOLDER_POOL 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CV_HOLDER_POOL 0
#endif
#endif
#ifndef CV_HOLDER_POOL
#define CV_HOLDER_POOL 1
#endif

namespace cv {

namespace {

// The yield hook, called only when one is set (the common case on long
// list loops is none).
inline void YieldIfHooked() {
  if (AYieldProcessProc) MyYieldProcess();
}

template <class T>
Integer Cmp(T a, T b) {
  return a > b ? 1 : (a < b ? -1 : 0);
}

}  // namespace

// ---------------------------------------------------------------------------
// Comparison functions

Integer CompareLongints(Integer a, Integer b) { return Cmp(a, b); }
Integer CompareCardinals(Cardinal a, Cardinal b) { return Cmp(a, b); }
Integer CompareInt64s(Int64 a, Int64 b) { return Cmp(a, b); }
Integer CompareSingles(Single a, Single b) { return Cmp(a, b); }
Integer CompareBytes(Byte a, Byte b) { return Cmp(a, b); }
Integer Compare16Bit(SmallInt a, SmallInt b) { return Cmp(a, b); }
Integer Compare16BitWords(Word a, Word b) { return Cmp(a, b); }
Integer CompareChars(WideChar a, WideChar b) { return Cmp(a, b); }
Integer CompareDates(TDateTime a, TDateTime b) { return -Cmp(a, b); }
Integer CompareJulianDates(Double a, Double b) { return -Cmp(a, b); }

Integer Compare2Strings(std::u16string_view a, std::u16string_view b) {
  const int c = a.compare(b);
  return c > 0 ? 1 : (c < 0 ? -1 : 0);
}

Integer CrudeStringComparison(std::u16string_view a, std::u16string_view b) {
  auto upto_zero = [](std::u16string_view s) { return s.substr(0, std::min(s.find(u'\0'), s.size())); };
  return Compare2Strings(upto_zero(a), upto_zero(b));
}

Integer LCIDStringComparison(std::u16string_view a, std::u16string_view b, LCID lcid) {
  if (a.empty() || b.empty()) return 0;
  return CompareLCIDPchar(lcid, a, b);
}

Integer Compare2CardinalsCard1(const Tdouble_cardinal_rec& a, const Tdouble_cardinal_rec& b) {
  return Cmp(a.card1, b.card1);
}
Integer Compare2CardinalsCard2(const Tdouble_cardinal_rec& a, const Tdouble_cardinal_rec& b) {
  return Cmp(a.card2, b.card2);
}
Integer CompareIntAnd2CardinalsCard1(const TIntegerAnd2CardinalsRec& a, const TIntegerAnd2CardinalsRec& b) {
  return Cmp(a.value.card1, b.value.card1);
}
Integer CompareIntAnd2CardinalsCard2(const TIntegerAnd2CardinalsRec& a, const TIntegerAnd2CardinalsRec& b) {
  return Cmp(a.value.card2, b.value.card2);
}
Integer CompareIntAnd2CardinalsFreq(const TIntegerAnd2CardinalsRec& a, const TIntegerAnd2CardinalsRec& b) {
  return Cmp(a.freq, b.freq);
}
Integer CompareIntAnd3CardinalsCard1(const TIntegerAnd3CardinalsRec& a, const TIntegerAnd3CardinalsRec& b) {
  return Cmp(a.value.card1, b.value.card1);
}
Integer CompareIntAnd3CardinalsCard2(const TIntegerAnd3CardinalsRec& a, const TIntegerAnd3CardinalsRec& b) {
  return Cmp(a.value.card2, b.value.card2);
}
Integer CompareIntAnd3CardinalsCard3(const TIntegerAnd3CardinalsRec& a, const TIntegerAnd3CardinalsRec& b) {
  return Cmp(a.value.card3, b.value.card3);
}
Integer CompareIntAnd3CardinalsFreq(const TIntegerAnd3CardinalsRec& a, const TIntegerAnd3CardinalsRec& b) {
  return Cmp(a.freq, b.freq);
}

// ---------------------------------------------------------------------------
// Strings in streams

Integer global_string_safety_limit = 5000;

bool WriteAString(TStream& stream, std::u16string_view s, Integer limit) {
  if (s.size() > static_cast<std::size_t>(std::max<Integer>(limit, 0))) return false;
  std::string bytes;
  bytes.reserve(4 + 2 * s.size());
  PutFixed32(bytes, static_cast<std::uint32_t>(s.size()));
  PutUtf16(bytes, s);
  return stream.Write(bytes.data(), static_cast<Int64>(bytes.size())) == static_cast<Int64>(bytes.size());
}

bool WriteAString(TStream& stream, std::u16string_view s) {
  return WriteAString(stream, s, global_string_safety_limit);
}

string ReadAString(TStream& stream, Integer limit) {
  std::uint8_t head[4];
  stream.ReadBuffer(head, 4);
  const auto n = static_cast<Integer>(DecodeFixed32(head));
  if (n == 0) return string();
  if (n < 0 || n > limit || 2 * static_cast<Int64>(n) > stream.Remaining())
    throw EFileReadError(u"ReadAString");
  std::string bytes(2 * static_cast<std::size_t>(n), '\0');
  stream.ReadBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
  string s(static_cast<std::size_t>(n), u'\0');
  DecodeUtf16(reinterpret_cast<const std::uint8_t*>(bytes.data()), s.size(), s.data());
  return s;
}

string ReadAString(TStream& stream) { return ReadAString(stream, global_string_safety_limit); }

// ---------------------------------------------------------------------------
// TUsefulBaseListObject

bool TUsefulBaseListObject::ReadFromStream(TStream&) { return true; }
bool TUsefulBaseListObject::SaveToStream(TStream&) { return true; }

// ---------------------------------------------------------------------------
// TUsefulBaseList

TUsefulBaseList::TUsefulBaseList(TUsefulBaseListObjectClass entries_class) : EntriesClass(entries_class) {}

TUsefulBaseList::~TUsefulBaseList() {
  // A derived list that overrides FreeAndNilOne has emptied itself already;
  // what is left here are TUsefulBaseListObjects.
  for (Integer i = Count() - 1; i >= 0; --i) delete static_cast<TUsefulBaseListObject*>(List()[i]);
}

Integer TUsefulBaseList::ComparedValues(Integer, Integer) { return -1; }

void TUsefulBaseList::FreeAndNilOne(Integer index) {
  if (!IndexAssignedOK(index)) return;
  delete static_cast<TUsefulBaseListObject*>(Items(index));
  List()[index] = nullptr;
}

bool TUsefulBaseList::IndexAssignedOK(Integer index) const {
  return index >= 0 && index < Count() && List()[index] != nullptr;
}

void TUsefulBaseList::ReduceTo(Integer n) {
  if (n < 0) n = 0;
  for (Integer i = Count() - 1; i >= n; --i) FreeAndNilOne(i);
  Pack();
}

void TUsefulBaseList::Clear() {
  ReduceTo(0);
  TList::Clear();
}

TUsefulBaseListObject* TUsefulBaseList::NewEntry() {
  return EntriesClass.create ? EntriesClass.create() : new TUsefulBaseListObject();
}

bool TUsefulBaseList::SaveEntries(TStream& stream, const std::string& after_count) {
  Integer n = 0;
  for (Integer i = 0; i < Count(); ++i) {
    auto* p = static_cast<TUsefulBaseListObject*>(List()[i]);
    if (!p) continue;  // a slot freed by FreeAndNilOne: not written, not counted
    if (EntriesClass.type && !EntriesClass.IsClassOf(p)) return false;
    ++n;
  }
  std::string head;
  PutFixed32(head, static_cast<std::uint32_t>(n));
  head += after_count;
  if (stream.Write(head.data(), static_cast<Int64>(head.size())) != static_cast<Int64>(head.size()))
    return false;
  for (Integer i = 0; i < Count(); ++i) {
    auto* p = static_cast<TUsefulBaseListObject*>(List()[i]);
    if (!p) continue;
    AnInstance = p;
    YieldIfHooked();
    if (!p->SaveToStream(stream)) return false;
  }
  return true;
}

bool TUsefulBaseList::ReadEntries(TStream& stream, std::size_t header_bytes, std::string* header,
                                  const char16_t* routine) {
  std::uint8_t buf[16];
  const Int64 want = 4 + static_cast<Int64>(header_bytes);
  if (stream.Read(buf, want) != want) return false;
  const auto n = static_cast<Integer>(DecodeFixed32(buf));
  if (header) header->assign(reinterpret_cast<const char*>(buf + 4), header_bytes);
  const Int64 min_size = std::max<Int64>(1, MinStreamedEntrySize());
  if (n < 0 || (n > 0 && n > stream.Remaining() / min_size)) throw EFileReadError(routine);
  for (Integer i = 0; i < n; ++i) {
    YieldIfHooked();
    TUsefulBaseListObject* p = NewEntry();
    Add(p);
    AnInstance = p;
    if (!p->ReadFromStream(stream)) return false;
  }
  return true;
}

bool TUsefulBaseList::ReadFromStream(TStream& stream) {
  return ReadEntries(stream, 0, nullptr, u"TUsefulBaseList.ReadFromStream");
}

bool TUsefulBaseList::SaveToStream(TStream& stream) { return SaveEntries(stream, std::string()); }

bool TUsefulBaseList::SaveToFile(const string& file_name) {
  // An entry that cannot be written aborts the save, so the old file stays.
  struct Refused {};
  try {
    SaveFileAtomically(file_name, [this](TStream& s) {
      if (!SaveToStream(s)) throw Refused{};
    });
  } catch (const Refused&) {
    return false;
  }
  return true;
}

bool TUsefulBaseList::LoadFromFile(const string& file_name) {
  TFileStream f(file_name, fmOpenRead | fmShareDenyWrite);
  return ReadFromStream(f);
}

// ---------------------------------------------------------------------------
// TUsefulBaseListSorts

TUsefulBaseListSorts::TUsefulBaseListSorts(TUsefulBaseListObjectClass entries_class)
    : TUsefulBaseList(entries_class) {}

void TUsefulBaseListSorts::Clear() {
  TUsefulBaseList::Clear();
  sorted = false;
}

void TUsefulBaseListSorts::Sort(TListSortCompare compare) {
  Pack();  // comparison functions dereference their arguments
  TList::Sort(compare);
  sorted = true;
}

void TUsefulBaseListSorts::ReverseTheSort() {
  for (Integer i = 0, j = Count() - 1; i < j; ++i, --j) Exchange(i, j);
}

void TUsefulBaseListSorts::RemoveDuplicates() {
  Integer i = 0;
  while (i < Count()) {
    if (!List()[i]) {
      ++i;
      continue;
    }
    Integer j = i + 1;
    while (j < Count() && List()[j] && ComparedValues(i, j) == 0) {
      FreeAndNilOne(j);
      ++j;
    }
    i = j;
  }
  Pack();
}

bool TUsefulBaseListSorts::SaveToStream(TStream& stream) {
  return SaveEntries(stream, std::string(1, sorted ? '\1' : '\0'));
}

bool TUsefulBaseListSorts::ReadFromStream(TStream& stream) {
  std::string head;
  const bool ok = ReadEntries(stream, 1, &head, u"TUsefulBaseListSorts.ReadFromStream");
  if (!head.empty()) sorted = head[0] != 0;
  return ok;
}

// ---------------------------------------------------------------------------
// TMultiLongintList

namespace {

struct HolderPool {
  struct Node {
    Node* next;
  };
  static constexpr std::size_t kPerSlab = 4096;
  Node* free_list = nullptr;
  std::vector<std::unique_ptr<unsigned char[]>> slabs;

  void* Get() {
    if (!free_list) {
      constexpr std::size_t sz = sizeof(TMultiLongintHolder);
      static_assert(sz >= sizeof(Node) && sz % alignof(TMultiLongintHolder) == 0);
      slabs.emplace_back(new unsigned char[sz * kPerSlab]);
      unsigned char* base = slabs.back().get();
      for (std::size_t i = kPerSlab; i-- > 0;) {
        auto* n = reinterpret_cast<Node*>(base + i * sz);
        n->next = free_list;
        free_list = n;
      }
    }
    Node* n = free_list;
    free_list = n->next;
    return n;
  }
  void Put(void* p) {
    auto* n = static_cast<Node*>(p);
    n->next = free_list;
    free_list = n;
  }
};

// Never destroyed: holders of lists that outlive static destruction may
// still be returned to it.
HolderPool& Pool() {
  static HolderPool* pool = new HolderPool;
  return *pool;
}

}  // namespace

void* TMultiLongintHolder::operator new(std::size_t size) {
  if (!CV_HOLDER_POOL || size != sizeof(TMultiLongintHolder)) return ::operator new(size);
  return Pool().Get();
}

void TMultiLongintHolder::operator delete(void* p, std::size_t size) {
  if (!p) return;
  if (!CV_HOLDER_POOL || size != sizeof(TMultiLongintHolder)) {
    ::operator delete(p);
    return;
  }
  Pool().Put(p);
}

bool TMultiLongintHolder::ReadFromStream(TStream& stream) {
  const std::size_t n = static_cast<std::size_t>(std::clamp<Integer>(expected_size, 0, TMultiLongintArray::kCapacity));
  data.dados.assign(n, 0);
  std::uint8_t bytes[4 * TMultiLongintArray::kCapacity];
  if (stream.Read(bytes, static_cast<Int64>(4 * n)) != static_cast<Int64>(4 * n)) return false;
  for (std::size_t i = 0; i < n; ++i) data.dados[i] = static_cast<Integer>(DecodeFixed32(bytes + 4 * i));
  return true;
}

bool TMultiLongintHolder::SaveToStream(TStream& stream) {
  std::uint8_t bytes[4 * TMultiLongintArray::kCapacity];
  const std::size_t n = data.dados.size();
  for (std::size_t i = 0; i < n; ++i) EncodeFixed32(bytes + 4 * i, static_cast<std::uint32_t>(data.dados[i]));
  return stream.Write(bytes, static_cast<Int64>(4 * n)) == static_cast<Int64>(4 * n);
}

TMultiLongintList::TMultiLongintList(TUsefulBaseListObjectClass entries_class, TMultiLongintSize size)
    : TUsefulBaseListSorts(entries_class), tamanho(size) {}

TMultiLongintList::~TMultiLongintList() { Clear(); }

TUsefulBaseListObject* TMultiLongintList::NewEntry() {
  TUsefulBaseListObject* p = TUsefulBaseList::NewEntry();
  if (auto* h = dynamic_cast<TMultiLongintHolder*>(p)) h->expected_size = tamanho;
  return p;
}

TMultiLongintHolder* TMultiLongintList::Holder(Integer index) const {
  if (!IndexAssignedOK(index)) return nullptr;
  return static_cast<TMultiLongintHolder*>(List()[index]);
}

namespace {
TMultiLongintHolder* MakeHolder(const TUsefulBaseListObjectClass& cls, TMultiLongintSize size,
                                const std::vector<Integer>& arr) {
  TUsefulBaseListObject* p = cls.create ? cls.create() : new TMultiLongintHolder();
  auto* h = static_cast<TMultiLongintHolder*>(p);
  h->data.dados.assign(size, 0);
  std::copy_n(arr.begin(), std::min<std::size_t>(arr.size(), size), h->data.dados.begin());
  return h;
}
}  // namespace

Integer TMultiLongintList::AddOne(const std::vector<Integer>& arr) {
  return Add(MakeHolder(EntriesClass, tamanho, arr));
}

Integer TMultiLongintList::InsertOne(Integer where, const std::vector<Integer>& arr) {
  where = std::clamp<Integer>(where, 0, Count());
  Insert(where, MakeHolder(EntriesClass, tamanho, arr));
  return where;
}

Integer TMultiLongintList::GetAValue(Integer index, Integer which) const {
  const TMultiLongintHolder* h = Holder(index);
  if (!h || which < 0 || static_cast<std::size_t>(which) >= h->data.dados.size()) return kMissing;
  return h->data.dados[static_cast<std::size_t>(which)];
}

void TMultiLongintList::SetAValue(Integer index, Integer which, Integer value) {
  TMultiLongintHolder* h = Holder(index);
  if (!h || which < 0 || static_cast<std::size_t>(which) >= h->data.dados.size()) return;
  h->data.dados[static_cast<std::size_t>(which)] = value;
}

void TMultiLongintList::AddToOneFreq(Integer index, Integer freq, Integer which) {
  TMultiLongintHolder* h = Holder(index);
  if (!h || which < 0 || static_cast<std::size_t>(which) >= h->data.dados.size()) return;
  auto& v = h->data.dados[static_cast<std::size_t>(which)];
  v = static_cast<Integer>(static_cast<std::uint32_t>(v) + static_cast<std::uint32_t>(freq));
}

void TMultiLongintList::IncOne(Integer index, Integer which) { AddToOneFreq(index, 1, which); }

Integer TMultiLongintList::LongIndexOf(Integer n, Integer which) const {
  for (Integer i = 0; i < Count(); ++i) {
    const TMultiLongintHolder* h = Holder(i);
    if (h && which >= 0 && static_cast<std::size_t>(which) < h->data.dados.size() &&
        h->data.dados[static_cast<std::size_t>(which)] == n)
      return i;
  }
  return -1;
}

Int64 TMultiLongintList::TotalOf(Integer which) const {
  Int64 total = 0;
  for (Integer i = 0; i < Count(); ++i) {
    const TMultiLongintHolder* h = Holder(i);
    if (h && which >= 0 && static_cast<std::size_t>(which) < h->data.dados.size())
      total += h->data.dados[static_cast<std::size_t>(which)];
  }
  return total;
}

std::vector<Integer> TMultiLongintList::ToArrayOfInteger(Integer which) const {
  std::vector<Integer> out(static_cast<std::size_t>(Count()));
  for (Integer i = 0; i < Count(); ++i) out[static_cast<std::size_t>(i)] = GetAValue(i, which);
  return out;
}

void TMultiLongintList::SortBy(std::initializer_list<Integer> keys) {
  Pack();
  auto key = [](void* p, Integer which) {
    const auto& d = static_cast<TMultiLongintHolder*>(p)->data.dados;
    return which >= 0 && static_cast<std::size_t>(which) < d.size() ? d[static_cast<std::size_t>(which)] : kMissing;
  };
  SortWith([&](void* a, void* b) {
    for (Integer k : keys) {
      const Integer c = CompareLongints(key(a, k), key(b, k));
      if (c != 0) return c;
    }
    return 0;
  });
  sorted = true;
}

void TMultiLongintList::SingleSort(Integer which) { SortBy({which}); }
void TMultiLongintList::DoubleSort(Integer first, Integer second) { SortBy({first, second}); }
void TMultiLongintList::TripleSort(Integer first, Integer second, Integer third) {
  SortBy({first, second, third});
}

namespace {
constexpr std::size_t kBlock = 256 * 1024;  // above the file buffer: read and written directly
}  // namespace

bool TMultiLongintList::SaveToStream(TStream& stream) {
  if (!EntriesClass.type || *EntriesClass.type != typeid(TMultiLongintHolder))
    return TUsefulBaseListSorts::SaveToStream(stream);
  // Counting looks at the slots only; the entries themselves are visited
  // once, while they are encoded (a stranger among them stops the save).
  const Integer n = static_cast<Integer>(Count() - std::count(List(), List() + Count(), nullptr));
  std::unique_ptr<std::uint8_t[]> block(new std::uint8_t[kBlock + 64]);
  EncodeFixed32(block.get(), static_cast<std::uint32_t>(n));
  block[4] = sorted ? 1 : 0;
  std::size_t used = 5;
  for (Integer i = 0; i < Count(); ++i) {
    auto* p = static_cast<TUsefulBaseListObject*>(List()[i]);
    if (!p) continue;
    if (!EntriesClass.IsClassOf(p)) return false;
    auto* h = static_cast<TMultiLongintHolder*>(p);
    AnInstance = h;
    YieldIfHooked();
    const std::size_t k = h->data.dados.size();
    for (std::size_t j = 0; j < k; ++j)
      EncodeFixed32(block.get() + used + 4 * j, static_cast<std::uint32_t>(h->data.dados[j]));
    used += 4 * k;
    if (used >= kBlock) {
      if (stream.Write(block.get(), static_cast<Int64>(used)) != static_cast<Int64>(used)) return false;
      used = 0;
    }
  }
  return stream.Write(block.get(), static_cast<Int64>(used)) == static_cast<Int64>(used);
}

bool TMultiLongintList::ReadFromStream(TStream& stream) {
  if (!EntriesClass.type || *EntriesClass.type != typeid(TMultiLongintHolder))
    return TUsefulBaseListSorts::ReadFromStream(stream);
  std::uint8_t head[5];
  if (stream.Read(head, 5) != 5) return false;
  const auto n = static_cast<Integer>(DecodeFixed32(head));
  sorted = head[4] != 0;
  const std::size_t entry = 4 * static_cast<std::size_t>(tamanho);
  if (n < 0 || (n > 0 && n > stream.Remaining() / static_cast<Int64>(std::max<std::size_t>(entry, 1))))
    throw EFileReadError(u"TMultiLongintList.ReadFromStream");
  // The slots are made at once and filled in place; on a short read the
  // list is cut back to the entries read whole.
  const Integer first = Count();
  SetCount(first + n);
  void** slots = List() + first;
  std::string block;
  std::size_t at = 0;
  for (Integer i = 0; i < n; ++i) {
    YieldIfHooked();
    if (block.size() - at < entry) {
      // Refill with whole entries only.
      const std::size_t want = entry * std::min<std::size_t>(static_cast<std::size_t>(n - i),
                                                             std::max<std::size_t>(kBlock / std::max<std::size_t>(entry, 1), 1));
      block.resize(want);
      at = 0;
      const Int64 got = stream.Read(block.data(), static_cast<Int64>(want));
      block.resize(static_cast<std::size_t>(std::max<Int64>(got, 0)));
      if (block.size() < entry) {
        SetCount(first + i);
        return false;
      }
    }
    auto* h = new TMultiLongintHolder();
    h->expected_size = tamanho;
    h->data.dados.assign(tamanho, 0);
    const auto* p = reinterpret_cast<const std::uint8_t*>(block.data() + at);
    for (std::size_t k = 0; k < tamanho; ++k) h->data.dados[k] = static_cast<Integer>(DecodeFixed32(p + 4 * k));
    at += entry;
    slots[i] = h;
    AnInstance = h;
  }
  return true;
}

void TMultiLongintList::FreeAndNilOne(Integer index) {
  if (!IndexAssignedOK(index)) return;
  delete static_cast<TMultiLongintHolder*>(List()[index]);
  List()[index] = nullptr;
}

}  // namespace cv
