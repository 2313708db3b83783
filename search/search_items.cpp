#include "search/search_items.h"

#include <algorithm>

#include "core/logging_utilities.h"
#include "files/my_kpsmall.h"
#include "lists/useful_classes_base.h"
#include "platform/coding.h"
#include "platform/sysutils.h"
#include "search/search_parsing.h"

namespace cv {

namespace {

constexpr char16_t kEtc[] = u"etc.";

string CollapseSpaces(std::u16string_view s) {
  string out;
  out.reserve(s.size());
  for (char16_t c : s)
    if (!(c == u' ' && !out.empty() && out.back() == u' ')) out.push_back(c);
  return out;
}

}  // namespace

void TSWList::Clear() {
  for (Integer i = 0; i < Count(); ++i) delete Holder(i);
  TList::Clear();
}

// ---------------------------------------------------------------------------

TBaseSearchItems::TBaseSearchItems() : fPlainSWS(std::make_unique<TSimpleSearchlist>()) {}

TBaseSearchItems::TBaseSearchItems(const TIgnore_tag_type& Aignore_tags, LCID AnLCID, bool aSplit_SWs_at_slashes)
    : TBaseSearchItems() {
  ignore_tags = Aignore_tags;
  fSplitting_at_slashes = aSplit_SWs_at_slashes;
  fLCID = AnLCID;
}

TBaseSearchItems::~TBaseSearchItems() = default;

void TBaseSearchItems::RebuildIndex() {
  fIndex.clear();
  fIndex.reserve(static_cast<std::size_t>(Count()));
  for (Integer i = 0; i < Count(); ++i) fIndex.try_emplace(H(i)->data.typed_in_text, i);
  fIndexValid = true;
}

Integer TBaseSearchItems::TypeInIndexOf(std::u16string_view s) {
  MyYieldProcess();
  if (!fIndexValid) RebuildIndex();
  const auto it = fIndex.find(string(s));
  return it == fIndex.end() ? -1 : it->second;
}

Integer TBaseSearchItems::IndexOf(const TSearch_word_format_rec& s) {
  const Integer i = TypeInIndexOf(s.typed_in_text);
  if (i < 0 || H(i)->data.Langnum != s.Langnum) return -1;
  return i;
}

Integer TBaseSearchItems::AppendHolder(const TSearch_word_format_rec& rec) {
  const Integer i = fSearchWordList.Add(new TSWHolder(rec));
  if (fIndexValid) fIndex.try_emplace(rec.typed_in_text, i);
  return i;
}

std::vector<Integer> TBaseSearchItems::fAddedSearchWordsIndices(const string& s) {
  string line = CollapseSpaces(s);
  const auto pieces = SplitSWList(line, fSplitting_at_slashes);
  std::vector<Integer> indices;
  for (Integer p = pieces->Count() - 1; p >= 0; --p) {
    string piece = pieces->Strings(p);
    TSearch_word_format_rec rec;
    if (fFormatPreChecked)
      UnParsed_SearchWord(piece, rec);
    else
      Parsed_SearchWord(ignore_tags, piece, rec);
    if (keeping_log) AddToLogFile(u"\"" + rec.typed_in_text + u"\" = \"" + rec.search_text + u"\"");
    if (rec.search_text.empty()) continue;
    Integer at = TypeInIndexOf(rec.typed_in_text);
    if (at < 0) at = AppendHolder(rec);
    indices.push_back(at);
  }
  return indices;
}

std::vector<Integer> TBaseSearchItems::AddedSearchWords(const string& s, SmallInt Language) {
  auto r = fAddedSearchWordsIndices(s);
  for (Integer i : r)
    if (InRange(i)) H(i)->data.Langnum = Language;
  return r;
}

std::vector<Integer> TBaseSearchItems::AddedSearchWords(const string& s, bool auto_lemma) {
  auto r = fAddedSearchWordsIndices(s);
  for (Integer i : r)
    if (InRange(i)) H(i)->data.auto_lemma_added = auto_lemma;
  return r;
}

std::vector<Integer> TBaseSearchItems::AddedSearchWords(const string& s, Integer max_to_get) {
  auto r = fAddedSearchWordsIndices(s);
  for (Integer i : r)
    if (InRange(i)) H(i)->data.n_to_find = max_to_get;
  return r;
}

Integer TBaseSearchItems::AddOneSW(const TSearch_word_format_rec& anItem) { return AppendHolder(anItem); }

Integer TBaseSearchItems::EnsureContains(const TSearch_word_format_rec& arec) {
  const Integer i = IndexOf(arec);
  return i >= 0 ? i : AddOneSW(arec);
}

std::vector<Integer> TBaseSearchItems::InsertSearchWordsAtTop(const string& s, bool use_any_lemmas) {
  std::vector<Integer> r = AddedSearchWords(s, use_any_lemmas);
  const Integer n = static_cast<Integer>(r.size());
  // Remember which entry each place names, move, then report where each
  // entry ended up: a move shifts the entries between its two ends.
  std::vector<TSWHolder*> named(r.size());
  for (std::size_t k = 0; k < r.size(); ++k) named[k] = InRange(r[k]) ? H(r[k]) : nullptr;
  for (Integer k = n - 1; k >= 0; --k) {
    if (!named[k]) continue;
    const Integer now = fSearchWordList.IndexOf(named[k]);
    if (now >= n && k < Count()) fSearchWordList.Move(now, k);
  }
  IndexChanged();
  for (std::size_t k = 0; k < r.size(); ++k)
    if (named[k]) r[k] = fSearchWordList.IndexOf(named[k]);
  return r;
}

void TBaseSearchItems::MoveToTop(Integer old_index) {
  if (old_index > 0 && old_index < Count()) {
    fSearchWordList.Move(old_index, 0);
    IndexChanged();
  }
}

// ---------------------------------------------------------------------------
// Accessors

TSearch_word_format_rec* TBaseSearchItems::GetPtr(Integer i) const { return InRange(i) ? &H(i)->data : nullptr; }

void TBaseSearchItems::GetSWR(Integer i, TSearch_word_format_rec& rec) const {
  rec = InRange(i) ? H(i)->data : TSearch_word_format_rec{};
}

void TBaseSearchItems::PutSWR(Integer i, const TSearch_word_format_rec& rec) {
  if (!InRange(i)) return;
  H(i)->data = rec;
  IndexChanged();
}

TMySearchFlags TBaseSearchItems::GetAFlag(Integer i) const { return InRange(i) ? H(i)->data.flags : TMySearchFlags{}; }
void TBaseSearchItems::SetAFlag(Integer i, TMySearchFlags flags) {
  if (InRange(i)) H(i)->data.flags = flags;
}
bool TBaseSearchItems::GetAutoLemmaAdded(Integer i) const { return InRange(i) && H(i)->data.auto_lemma_added; }
void TBaseSearchItems::SetAutoLemmaAdded(Integer i, bool value) {
  if (InRange(i)) H(i)->data.auto_lemma_added = value;
}
Integer TBaseSearchItems::GetHitsFound(Integer i) const { return InRange(i) ? H(i)->data.hits_found : 0; }
void TBaseSearchItems::SetHitsFound(Integer i, Integer n) {
  if (InRange(i)) H(i)->data.hits_found = n;
}
void TBaseSearchItems::IncrementHits(Integer i) {
  if (InRange(i)) ++H(i)->data.hits_found;
}
SmallInt TBaseSearchItems::GetLanguage(Integer i) const { return InRange(i) ? H(i)->data.Langnum : 0; }
void TBaseSearchItems::SetLanguage(Integer i, SmallInt n) {
  if (InRange(i)) H(i)->data.Langnum = n;
}
Integer TBaseSearchItems::GetNToFind(Integer i) const { return InRange(i) ? H(i)->data.n_to_find : 0; }
void TBaseSearchItems::SetNToFind(Integer i, Integer n) {
  if (InRange(i)) H(i)->data.n_to_find = n;
}
bool TBaseSearchItems::GetSearchFound(Integer i) const { return InRange(i) && H(i)->data.achou_suficiente; }
void TBaseSearchItems::SetSearchFound(Integer i, bool b) {
  if (InRange(i)) H(i)->data.achou_suficiente = b;
}
Integer TBaseSearchItems::GetSpacesInSW(Integer i) const { return InRange(i) ? H(i)->data.spaces_in_sw : 0; }

// ---------------------------------------------------------------------------
// Whole list

void TBaseSearchItems::Clear() {
  fPlainSWS->Clear();
  fSearchWordList.Clear();
  fIndex.clear();
  fIndexValid = true;
  fFrom_a_file = false;
}

void TBaseSearchItems::ClearOne(Integer n) {
  if (!InRange(n)) return;
  delete H(n);
  fSearchWordList.Delete(n);
  IndexChanged();
}

void TBaseSearchItems::ClearHits() {
  for (Integer i = 0; i < Count(); ++i) H(i)->data.hits_found = 0;
}

void TBaseSearchItems::SetHits(const std::vector<Integer>& a) {
  const Integer n = std::min<Integer>(Count(), static_cast<Integer>(a.size()));
  for (Integer k = 0; k < n; ++k) H(k)->data.hits_found = a[k];
}

Int64 TBaseSearchItems::TotalHits() const {
  Int64 t = 0;
  for (Integer i = 0; i < Count(); ++i) t += H(i)->data.hits_found;
  return t;
}

string TBaseSearchItems::AllTypedSearchWordsAsOne(bool abbreviated) const {
  string out;
  const Integer n = abbreviated ? std::min<Integer>(Count(), 10) : Count();
  for (Integer i = 0; i < n; ++i) {
    if (i > 0) out += u'/';
    out += H(i)->data.typed_in_text;
  }
  if (abbreviated && Count() > 10) out += string(u" ") + kEtc;
  return out;
}

std::unique_ptr<TStringList> TBaseSearchItems::TypedInWordsAsStringlist() const {
  auto list = std::make_unique<TStringList>();
  for (Integer i = 0; i < Count(); ++i) list->Add(H(i)->data.typed_in_text);
  return list;
}

std::unique_ptr<TStringList> TBaseSearchItems::TypeInParts(const string& s) const {
  string line = CollapseSpaces(s);
  return SplitSWList(line, fSplitting_at_slashes);
}

Integer TBaseSearchItems::SearchesPlannedCount() const { return TypeInParts(AllTypedSearchWordsAsOne(false))->Count(); }

TSearch_word_format_rec_Array TBaseSearchItems::CopyOfArrayOFSWItems(const std::vector<Integer>& from) const {
  TSearch_word_format_rec_Array out(from.size());
  for (std::size_t k = 0; k < from.size(); ++k)
    if (InRange(from[k])) out[k] = H(from[k])->data;
  return out;
}

TSimpleSearchlist* TBaseSearchItems::ComputePlainSearchWords() {
  fPlainSWS->Clear();
  for (Integer i = 0; i < Count(); ++i) {
    string seek = H(i)->data.typed_in_text;
    const TMySearchFlags flags = FlagsFromSW(seek);
    fPlainSWS->AddOne(TSimpleSearch_rec{seek, 1, flags});
  }
  return fPlainSWS.get();
}

// ---------------------------------------------------------------------------
// Storage

bool TBaseSearchItems::SaveToFile(const string& Filename) const {
  const auto lines = TypedInWordsAsStringlist();
  SaveFileAtomically(Filename, [&](TStream& st) { lines->SaveToStream(st, TTextEncoding::teUTF16LE); });
  return true;
}

bool TBaseSearchItems::LoadFromFile(const string& Filename, Integer n_wanted) {
  TStringList lines;
  lines.LoadFromFile(Filename);
  Clear();
  bool any = false;
  for (Integer i = 0; i < lines.Count(); ++i) {
    if (lines.Strings(i).empty()) continue;
    if (!AddedSearchWords(lines.Strings(i), n_wanted).empty()) any = true;
  }
  fFrom_a_file = any;
  return any;
}

bool TBaseSearchItems::SaveToStream(TStream& Stream) const {
  try {
    std::string head;
    PutFixed32(head, static_cast<std::uint32_t>(Count()));
    Stream.WriteBuffer(head.data(), static_cast<Int64>(head.size()));
    for (Integer i = 0; i < Count(); ++i) {
      MyYieldProcess();
      const auto& d = H(i)->data;
      const string entry = d.typed_in_text + u'\t' + IntToStr(d.hits_found) + u'\t' + IntToStr(d.Langnum);
      // Refused beyond the read limit: such a file would lose the entry.
      if (!WriteAString(Stream, entry)) return false;
    }
    return true;
  } catch (...) {
    return false;
  }
}

bool TBaseSearchItems::ReadFromStream(TStream& Stream) {
  try {
    std::uint8_t b[4];
    if (Stream.Read(b, 4) != 4) return false;
    const Integer count = static_cast<Integer>(DecodeFixed32(b));
    if (count < 0 || count > Stream.Remaining() / 4) return false;
    for (Integer i = 0; i < count; ++i) {
      MyYieldProcess();
      const string entry = ReadAString(Stream);
      string typed = entry;
      Integer hits = -1, lang = -1;
      const std::size_t t2 = entry.rfind(u'\t');
      if (t2 != string::npos) {
        const std::size_t t1 = t2 > 0 ? entry.rfind(u'\t', t2 - 1) : string::npos;
        if (t1 != string::npos) {
          typed = entry.substr(0, t1);
          hits = StrToIntDef(std::u16string_view(entry).substr(t1 + 1, t2 - t1 - 1), -1);
          lang = StrToIntDef(std::u16string_view(entry).substr(t2 + 1), -1);
        } else {
          typed = entry.substr(0, t2);
        }
      }
      for (Integer k : fAddedSearchWordsIndices(typed)) {
        if (!InRange(k)) continue;
        if (hits >= 0) H(k)->data.hits_found = hits;
        if (lang >= 0) H(k)->data.Langnum = static_cast<SmallInt>(lang);
      }
    }
    return true;
  } catch (...) {
    return false;
  }
}

// ---------------------------------------------------------------------------

TSearchWordItems::~TSearchWordItems() {
  ftempEngine.reset();
  ftempCWItems.reset();
}

std::vector<Integer> TSearchWordItems::fAddedSearchWordsIndices(const string& s) {
  if (TypeInIndexOf(s) >= 0) return {};
  const Integer before = Count();
  auto r = TBaseSearchItems::fAddedSearchWordsIndices(s);
  if (Count() > before && Count() > 0 && H(0)->data.has_file_based_context_word && !ftempCWItems && !ftempEngine) {
    ftempCWItems = std::make_unique<TContextWordItems>(ignore_tags, fLCID, true);
    ftempEngine = std::make_unique<TSearchAndDoEngine>(false, true, fLCID);
  }
  return r;
}

bool TSearchWordItems::GetHasContextWord(Integer i) {
  if (!InRange(i)) return false;
  const bool has = H(i)->data.has_file_based_context_word;
  if (has) HasAnyContextWords = true;
  return has;
}

}  // namespace cv
