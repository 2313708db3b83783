#include "lists/typed_lists.h"

#include <cstdio>
#include <filesystem>

#include "files/my_kpsmall.h"
#include "platform/coding.h"
#include "platform/nls.h"
#include "platform/sysutils.h"
#include "platform/utf.h"
#include "search/search_parsing.h"

namespace cv {

string SWStringPlusFlags(std::u16string_view s, TMySearchFlags flags) {
  string out(s);
  if (!flags.Has(myLeftBounded)) out.insert(out.begin(), u'*');
  if (!flags.Has(myRightBounded)) out.push_back(u'*');
  if (flags.Has(myCaseIsSensitive)) out = u"==" + out + u"==";
  return out;
}

string KeyOfKeyPlusValue(std::u16string_view s) {
  const std::size_t eq = s.find(u'=');
  if (eq == std::u16string_view::npos) return string();
  return Trim(s.substr(0, eq));
}

Integer ValueOfKeyPlusValue(std::u16string_view s) {
  const std::size_t eq = s.find(u'=');
  if (eq == std::u16string_view::npos) return 0;
  return StrToIntDef(Trim(s.substr(eq + 1)), 0);
}

std::vector<Int64> ComputedByteDivisions(Integer n, Int64 total) {
  std::vector<Int64> out;
  if (n < 1) return out;
  out.reserve(static_cast<std::size_t>(n));
  for (Integer i = 1; i <= n; ++i) {
    // Exact in 128 bits; rounded half away from zero.
    const __int128 num = static_cast<__int128>(total) * i;
    const __int128 q = (num >= 0 ? num + n / 2 : num - n / 2) / n;
    out.push_back(static_cast<Int64>(q));
  }
  return out;
}

// ---------------------------------------------------------------------------

TSimpleSearchlist::~TSimpleSearchlist() { Clear(); }

Integer TSimpleSearchlist::AddOne(const TSimpleSearch_rec& r) { return Add(new TSimpleSearch_rec(r)); }

Integer TSimpleSearchlist::AddAll(const TSimpleSearchlist& other) {
  Settings = other.Settings;
  Integer sum = 0;
  for (Integer i = 0; i < other.Count(); ++i) sum += AddOne(other.GetAValue(i));
  return sum;
}

TSimpleSearch_rec TSimpleSearchlist::GetAValue(Integer i) const {
  if (!IndexAssignedOK(i)) return TSimpleSearch_rec{};
  return *Rec(i);
}

void TSimpleSearchlist::Clear() {
  for (Integer i = 0; i < Count(); ++i) delete Rec(i);
  TList::Clear();
}

string TSimpleSearchlist::GetATypedInSW(Integer i) const {
  if (!IndexAssignedOK(i)) return string();
  return SWStringPlusFlags(Rec(i)->seek, Rec(i)->flags);
}

string TSimpleSearchlist::AsText(std::u16string_view separator) const {
  string out;
  for (Integer i = 0; i < Count(); ++i) {
    if (i > 0) out += separator;
    if (IndexAssignedOK(i)) out += Rec(i)->seek;
  }
  return out;
}

bool TSimpleSearchlist::LoadFromFile(const string& f, bool require_equals_sign) {
  Clear();
  std::error_code ec;
  if (!std::filesystem::is_regular_file(std::filesystem::path(Utf16ToUtf8(f)), ec)) return false;
  TStringList lines;
  lines.LoadFromFile(f);
  LoadFromAStringlist(lines, require_equals_sign);
  return true;
}

void TSimpleSearchlist::LoadFromAStringlist(const TStringList& lines, bool require_equals_sign) {
  auto add_item = [&](std::u16string_view raw) {
    const string item = Trim(raw);
    const std::size_t eq = item.rfind(u'=');
    string word;
    if (require_equals_sign)
      word = eq == string::npos ? string() : Trim(std::u16string_view(item).substr(0, eq));
    else
      word = item;
    const TMySearchFlags flags = FlagsFromSW(word);
    if (word.empty()) return;
    if (!flags.Has(myCaseIsSensitive)) word = UnicodeUpperCase(word);
    Integer wanted = 1;
    if (eq != string::npos) wanted = StrToIntDef(Trim(std::u16string_view(item).substr(eq + 1)), 1);
    if (wanted < 1) wanted = 1;
    AddOne(TSimpleSearch_rec{word, wanted, flags});
  };
  for (Integer l = 0; l < lines.Count(); ++l) {
    if (l % 1024 == 0) MyYieldProcess();
    const string& line = lines.Strings(l);
    const string t = Trim(line);
    if (t.empty() || t.starts_with(u";") || t.starts_with(u"//")) continue;
    std::u16string_view rest = line;
    for (;;) {
      const std::size_t arrow = rest.find(u" -> ");
      const std::size_t comma = rest.find(u',');
      const std::size_t cut = std::min(arrow, comma);
      if (cut == std::u16string_view::npos) break;
      add_item(rest.substr(0, cut));
      rest.remove_prefix(cut + (cut == arrow ? 4 : 1));
    }
    add_item(rest);
  }
}

// ---------------------------------------------------------------------------

bool TCardinalAndFreqHolder::ReadFromStream(TStream& stream) {
  std::uint8_t b[8];
  if (stream.Read(b, 8) != 8) return false;
  data.c = DecodeFixed32(b);
  data.f = static_cast<Integer>(DecodeFixed32(b + 4));
  return true;
}

bool TCardinalAndFreqHolder::SaveToStream(TStream& stream) {
  std::uint8_t b[8];
  EncodeFixed32(b, data.c);
  EncodeFixed32(b + 4, static_cast<std::uint32_t>(data.f));
  return stream.Write(b, 8) == 8;
}

TCardinalAndFreqList::TCardinalAndFreqList()
    : TUsefulBaseListSorts(TUsefulBaseListObjectClass::Of<TCardinalAndFreqHolder>()) {}

Integer TCardinalAndFreqList::AddOne(const TCardinalAndFreq& cf) { return Add(new TCardinalAndFreqHolder(cf)); }

Integer TCardinalAndFreqList::Find(Cardinal c) {
  Integer lo = 0, hi = Count() - 1;
  nearest = -1;
  while (lo <= hi) {
    MyYieldProcess();
    const Integer mid = lo + (hi - lo) / 2;
    nearest = mid;
    const TCardinalAndFreqHolder* h = H(mid);
    const Cardinal v = h ? h->data.c : 0;
    if (v == c) return mid;
    if (v < c)
      lo = mid + 1;
    else
      hi = mid - 1;
  }
  return -1;
}

Integer TCardinalAndFreqList::IndexOf(Cardinal c) {
  if (sorted) return Find(c);
  for (Integer i = 0; i < Count(); ++i) {
    MyYieldProcess();
    if (H(i) && H(i)->data.c == c) return i;
  }
  return -1;
}

Integer TCardinalAndFreqList::AddOneOrIncFreq(const TCardinalAndFreq& cf) {
  if (!sorted) {
    const Integer at = IndexOf(cf.c);
    if (at >= 0) {
      ++H(at)->data.f;
      return at;
    }
    return AddOne(cf);
  }
  const Integer at = Find(cf.c);
  if (at >= 0) {
    ++H(at)->data.f;
    return at;
  }
  Integer where;
  if (nearest < 0)
    where = Count();
  else if (H(nearest) && H(nearest)->data.c <= cf.c)
    where = nearest + 1;
  else
    where = nearest;
  Insert(where, new TCardinalAndFreqHolder(cf));
  return where;
}

TCardinalAndFreq TCardinalAndFreqList::GetACardAndFreq(Integer i) const {
  if (!IndexAssignedOK(i)) return TCardinalAndFreq{};
  return H(i)->data;
}

void TCardinalAndFreqList::SetACardAndFreq(Integer i, const TCardinalAndFreq& cf) {
  if (IndexAssignedOK(i)) H(i)->data = cf;
}

void TCardinalAndFreqList::SortOnCardinals() {
  Sort([](void* a, void* b) -> int {
    const Cardinal x = static_cast<TCardinalAndFreqHolder*>(a)->data.c;
    const Cardinal y = static_cast<TCardinalAndFreqHolder*>(b)->data.c;
    return x > y ? 1 : (x < y ? -1 : 0);
  });
}

void TCardinalAndFreqList::SortOnFrequencies(bool descending) {
  if (descending)
    Sort([](void* a, void* b) -> int {
      const Integer x = static_cast<TCardinalAndFreqHolder*>(a)->data.f;
      const Integer y = static_cast<TCardinalAndFreqHolder*>(b)->data.f;
      return x < y ? 1 : (x > y ? -1 : 0);
    });
  else
    Sort([](void* a, void* b) -> int {
      const Integer x = static_cast<TCardinalAndFreqHolder*>(a)->data.f;
      const Integer y = static_cast<TCardinalAndFreqHolder*>(b)->data.f;
      return x > y ? 1 : (x < y ? -1 : 0);
    });
  // Sorted by frequency, not by key: Find must not be used.
  sorted = false;
}

}  // namespace cv
