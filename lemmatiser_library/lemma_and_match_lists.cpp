#include "lemmatiser_library/lemma_and_match_lists.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <new>
#include <type_traits>
#include <vector>

#include "core/lemmastopmatchtypes.h"
#include "files/my_kpsmall.h"
#include "lemmatiser_library/list_file_text.h"
#include "platform/nls.h"
#include "platform/utf.h"
#include "text/code_pages.h"
#include "text/unicode_strings.h"

namespace cv {

AnsiChar lemma_result_bufferA[kLemmaResultUnits];
WideChar lemma_result_bufferW[kLemmaResultUnits];

namespace {

constexpr std::size_t kResultChars = kLemmaResultUnits - 1;

// The seeds, in insertion order; 0xC0 and 0xE0 are the accented capital and
// small A in both forms.
constexpr const char* kSeedsA[] = {"M_8z", "F_8z", "S_8z", "C_8z", "U_8z", "\xC0_8z", "}_8z",
                                   "P_8z", "\xE0_8z", "J_8z", "T_8z", "m_8z", "f_8z", "s_8z",
                                   "c_8z", "u_8z", "p_8z", "j_8z", "t_8z"};
constexpr const char16_t* kSeedsW[] = {u"M_8z", u"F_8z", u"S_8z", u"C_8z", u"U_8z", u"\u00C0_8z", u"}_8z",
                                       u"P_8z", u"\u00E0_8z", u"J_8z", u"T_8z", u"m_8z", u"f_8z", u"s_8z",
                                       u"c_8z", u"u_8z", u"p_8z", u"j_8z", u"t_8z"};
static_assert(std::size(kSeedsA) == 19 && std::size(kSeedsW) == 19);

std::string_view ViewA(const void* p) { return std::string_view(static_cast<const char*>(p)); }
std::u16string_view ViewW(const void* p) { return std::u16string_view(static_cast<const char16_t*>(p)); }

// Ordinal comparison of the NUL-terminated texts in the entries' first fields.
int CompareEntriesA(void* a, void* b) {
  const auto* x = static_cast<const unsigned char*>(*static_cast<void**>(a));
  const auto* y = static_cast<const unsigned char*>(*static_cast<void**>(b));
  while (*x != 0 && *x == *y) {
    ++x;
    ++y;
  }
  return static_cast<int>(*x) - static_cast<int>(*y);
}

int CompareEntriesW(void* a, void* b) {
  const auto* x = static_cast<const char16_t*>(*static_cast<void**>(a));
  const auto* y = static_cast<const char16_t*>(*static_cast<void**>(b));
  while (*x != 0 && *x == *y) {
    ++x;
    ++y;
  }
  return static_cast<int>(*x) - static_cast<int>(*y);
}

template <typename Ch>
bool ContainsSeedMark(std::basic_string_view<Ch> s) {
  const Ch mark[] = {Ch('_'), Ch('8'), Ch('z')};
  return s.find(std::basic_string_view<Ch>(mark, 3)) != std::basic_string_view<Ch>::npos;
}

template <typename Ch>
bool HasAffixMarks(std::basic_string_view<Ch> s) {
  const auto open = s.find(Ch('<'));
  return open != std::basic_string_view<Ch>::npos && s.find(Ch('>'), open + 1) != std::basic_string_view<Ch>::npos;
}

string AnsiToWide(std::string_view s) { return MultiByteToWide(CP_ACP, s); }

}  // namespace

// The text may be (part of) the buffer itself, when a caller hands a result
// back: it is copied out before the buffer is cleared.
const WideChar* CopyToResultBufferW(std::u16string_view text) {
  const string copy(text.substr(0, std::min(text.size(), kResultChars)));
  std::fill(std::begin(lemma_result_bufferW), std::end(lemma_result_bufferW), u'\0');
  std::copy(copy.begin(), copy.end(), lemma_result_bufferW);
  return lemma_result_bufferW;
}

const AnsiChar* CopyToResultBufferA(std::string_view text) {
  const AnsiString copy(text.substr(0, std::min(text.size(), kResultChars)));
  std::fill(std::begin(lemma_result_bufferA), std::end(lemma_result_bufferA), '\0');
  std::copy(copy.begin(), copy.end(), lemma_result_bufferA);
  return lemma_result_bufferA;
}

// ---------------------------------------------------------------------------
// TReadFileTree

TReadFileTree::TReadFileTree(TCaseSensitivity aCase_sensitivity) : case_sensitivity(aCase_sensitivity) {
  SetUsingUnicode(false);
}

void* TReadFileTree::TEntryArena::Allocate(std::size_t bytes) {
  constexpr std::size_t kAlign = alignof(std::max_align_t);
  bytes = (bytes + kAlign - 1) / kAlign * kAlign;
  if (chunks_.empty() || chunk_size_ - used_ < bytes) {
    // 4 KiB first (most lists hold only their seeds), doubling up to 1 MiB;
    // a bigger record gets a chunk of its own size.
    chunk_size_ = chunks_.empty() ? 4096 : std::min<std::size_t>(chunk_size_ * 2, 1 << 20);
    chunk_size_ = std::max(chunk_size_, bytes);
    chunks_.emplace_back(new unsigned char[chunk_size_]);
    used_ = 0;
  }
  last_ = chunks_.back().get() + used_;
  used_ += bytes;
  return last_;
}

void TReadFileTree::TEntryArena::ReleaseLast(void* p) {
  if (p == nullptr || p != last_) return;
  used_ = static_cast<std::size_t>(static_cast<unsigned char*>(p) - chunks_.back().get());
  last_ = nullptr;
}

void TReadFileTree::TEntryArena::Reset() {
  chunks_.clear();
  chunk_size_ = 0;
  used_ = 0;
  last_ = nullptr;
}

template <typename Rec, typename Ch>
Rec* TReadFileTree::NewEntry(std::basic_string_view<Ch> text) {
  static_assert(sizeof(Rec) % alignof(Ch) == 0);
  static_assert(std::is_trivially_destructible_v<Rec>);
  void* mem = arena_.Allocate(sizeof(Rec) + (text.size() + 1) * sizeof(Ch));
  auto* rec = new (mem) Rec{};
  auto* copy = reinterpret_cast<Ch*>(static_cast<char*>(mem) + sizeof(Rec));
  std::copy(text.begin(), text.end(), copy);
  copy[text.size()] = Ch(0);
  *reinterpret_cast<void**>(rec) = copy;
  return rec;
}

void TReadFileTree::SetUsingUnicode(bool value) {
  // Items of two encodings must never meet in one tree.
  if (value != using_unicode && counter > 0) Clear();
  using_unicode = value;
  SetTreeInUnicode(value);
  SetCompareFunctionOfObject(value ? CompareEntriesW : CompareEntriesA);
}

bool TReadFileTree::IsASeed(void* item) {
  if (item == nullptr) return false;
  const void* text = *static_cast<void**>(item);
  if (text == nullptr) return false;
  return using_unicode ? ContainsSeedMark(ViewW(text)) : ContainsSeedMark(ViewA(text));
}

void TReadFileTree::Clear() {
  lines = 0;
  This_list_has_data = false;
  cancelled = false;
  TGeneral_Tree::Clear();
  arena_.Reset();
}

void TReadFileTree::TellTotalLines(Integer n) {
  if (fSetNLinesProc) fSetNLinesProc(n, name_of_process);
}

bool TReadFileTree::StopRequested() const {
  return cancelled || panic_mode == panic_stop_asap || panic_mode == panic_stop;
}

bool TReadFileTree::LoadFromFile(TAnnounceNumberAndMessageProc aSetNLinesProc,
                                 TShowSomeProgressProc aProgressProc, LCID anLCID,
                                 TCaseSensitivity ACaseSensitivity, const string& Filename) {
  std::error_code ec;
  const std::filesystem::path path(Utf16ToUtf8(Filename));
  if (Filename.empty() || !std::filesystem::exists(path, ec) || std::filesystem::is_directory(path, ec))
    return false;
  fLCID = anLCID;
  fCodepage = static_cast<Integer>(CodePageOfLCIDOrACP(anLCID));
  case_sensitivity = ACaseSensitivity;
  fSetNLinesProc = std::move(aSetNLinesProc);
  fProgressProc = std::move(aProgressProc);
  Clear();
  TFileStream stream(Filename, fmOpenRead | fmShareDenyNone);
  return LoadFromStream(stream);
}

bool TReadFileTree::LoadFromStream(TStream& Stream) {
  if (Walking()) throw ETreeBusy();
  const Int64 remaining = Stream.Remaining();
  if (remaining > kMaxListFileBytes) throw EListFileError("list file too large");
  std::string bytes(static_cast<std::size_t>(std::max<Int64>(remaining, 0)), '\0');
  Int64 got = 0;
  while (got < remaining) {
    const Int64 n = Stream.Read(bytes.data() + got, remaining - got);
    if (n <= 0) break;
    got += n;
  }
  bytes.resize(static_cast<std::size_t>(got));
  return LoadFromBytes(bytes);
}

bool TReadFileTree::LoadFromBytes(std::string_view bytes) {
  if (Walking()) throw ETreeBusy();
  lines = 0;
  TListFileText text;
  if (!DecodeListFileBytes(bytes, text)) return false;
  const bool keep_cancel = cancelled;
  Clear();
  cancelled = keep_cancel;
  SetUsingUnicode(text.in_unicode());
  StartLoad();
  InsertSeeds();
  if (text.in_unicode()) {
    TellTotalLines(CountLineBreaks(text.wide) + 1);
    if (case_sensitivity == cs_anyhow) UpperCaseInPlace(text.wide.data(), text.wide.size(), fLCID, true);
    Parse<char16_t>(text.wide);
  } else {
    TellTotalLines(CountLineBreaks(text.ansi) + 1);
    if (case_sensitivity == cs_anyhow) WinUpperCased(fLCID, text.ansi.data(), false);
    // The case mapping keeps the text's length; its NUL still ends it.
    text.ansi.resize(std::strlen(text.ansi.c_str()));
    Parse<char>(text.ansi);
  }
  TellTotalLines(lines);
  return true;
}

void TReadFileTree::InsertSeeds() {
  for (std::size_t i = 0; i < std::size(kSeedsA); ++i) {
    void* entry = NewSeedEntry(kSeedsA[i], kSeedsW[i]);
    current = anything{};
    current.this_ = entry;
    if (!Add_One(current)) FreeEntry(entry);
  }
  current = anything{};
}

template <typename Ch>
void TReadFileTree::Parse(std::basic_string_view<Ch> text) {
  const std::size_t size = text.size();
  std::size_t p = 0;
  const bool commas_separate = !allow_strings_with_commas;
  while (p < size && !StopRequested()) {
    std::size_t q = p;
    while (q < size && !IsListLineEnd(text[q]) && !(commas_separate && text[q] == Ch(','))) ++q;
    const bool at_comma = q < size && text[q] == Ch(',');
    if (!at_comma && lines % 256 == 0 && fProgressProc) fProgressProc(lines);
    const std::basic_string_view<Ch> item = TrimListItem(text.substr(p, q - p));
    if (!item.empty()) {
      if (item.front() == Ch(';') || item.front() == Ch('[')) {
        while (q < size && !IsListLineEnd(text[q])) ++q;
      } else {
        bool ok;
        if constexpr (sizeof(Ch) == 1)
          ok = FormatIsOKA(item);
        else
          ok = FormatIsOKW(item);
        if (ok) ++lines;
      }
    }
    if (q < size) {
      if (text[q] == Ch('\r') && q + 1 < size && text[q + 1] == Ch('\n')) ++q;
      ++q;
    }
    p = q;
  }
}

const void* TReadFileTree::CopyOfPointer(const void* p, bool p_in_unicode) {
  if (p == nullptr || p_in_unicode == using_unicode) return p;
  if (p_in_unicode) {
    std::u16string_view probe = ViewW(p);
    probe = probe.substr(0, std::min(probe.size(), kResultChars));
    return CopyToResultBufferA(WideToMultiByte(CP_ACP, probe));
  }
  std::string_view probe = ViewA(p);
  probe = probe.substr(0, std::min(probe.size(), kResultChars));
  return CopyToResultBufferW(AnsiToWide(probe));
}

// ---------------------------------------------------------------------------
// TLemmaList

TLemmaList::TLemmaList(TCaseSensitivity aCase_sensitivity) : TReadFileTree(aCase_sensitivity) {
  SetFixedText(name_of_process, LemmaMatchStopnames_of_processes[as_lemma]);
}

TLemmaList::~TLemmaList() { TLemmaList::Clear(); }

void TLemmaList::Clear() {
  TReadFileTree::Clear();
  headwords.Clear();
  lemma_pair_entries = 0;
}

void TLemmaList::StartLoad() {
  // A bare first line of a file never belongs to another file's head word.
  last_replaceA.clear();
  last_replaceW.clear();
  headwords.SetLocale(fLCID);
  lemma_pair_entries = 0;
}

void* TLemmaList::NewSeedEntry(std::string_view seedA, std::u16string_view seedW) {
  return using_unicode ? NewEntry<TLemmaEntryNode>(seedW) : NewEntry<TLemmaEntryNode>(seedA);
}

bool TLemmaList::FormatIsOKA(std::string_view item) { return FormatIsOK(item, last_replaceA); }
bool TLemmaList::FormatIsOKW(std::u16string_view item) { return FormatIsOK(item, last_replaceW); }

template <typename Ch>
bool TLemmaList::FormatIsOK(std::basic_string_view<Ch> item, std::basic_string<Ch>& last_replace) {
  const Ch arrow[] = {Ch('-'), Ch('>')};
  const auto at = item.find(std::basic_string_view<Ch>(arrow, 2));
  std::basic_string_view<Ch> variant = item;
  if (at != std::basic_string_view<Ch>::npos) {
    last_replace.assign(TrimListItem(item.substr(0, at)));
    variant = TrimListItem(item.substr(at + 2));
  }
  const std::basic_string_view<Ch> head = last_replace;
  if (variant.empty() || head.empty() || variant == head) return false;

  This_list_has_data = true;
  THeadWord* hw;
  if constexpr (sizeof(Ch) == 1)
    hw = &headwords.Add(AnsiToWide(head));
  else
    hw = &headwords.Add(head);
  auto* entry = NewEntry<TLemmaEntryNode>(variant);
  entry->rec.headwordp = hw->text.data();
  current = anything{};
  current.this_ = entry;
  bool inserted = false;
  try {
    inserted = Add_One(current);
  } catch (...) {
    FreeEntry(entry);
    throw;
  }
  if (inserted) {
    hw->AppendVariant(entry);
    ++lemma_pair_entries;
  } else {
    FreeEntry(entry);
  }
  return true;
}

bool TLemmaList::FoundVariant(const void* text, TLemmaEntryRec& found) {
  found.variantp = const_cast<void*>(text);
  found.headwordp = nullptr;
  if (text == nullptr) return false;
  TLemmaEntryRec probe{const_cast<void*>(text), nullptr};
  anything key;
  key.this_ = &probe;
  anything_ptr node = WhereIs(key);
  if (node == nullptr) return false;
  found = *static_cast<TLemmaEntryRec*>(node->this_);
  return true;
}

const WideChar* TLemmaList::LemmaVariantsOf(const WideChar* headword, const WideChar* separated_with) {
  // Either argument may be a result buffer handed back by the caller; both
  // are read before the buffer is written.
  const THeadWord* hw = headword != nullptr ? headwords.Find(ViewW(headword)) : nullptr;
  if (hw == nullptr) return CopyToResultBufferW(u"");
  const string sep = separated_with != nullptr ? string(ViewW(separated_with)) : string();
  string joined;
  bool first = true;
  for (const TLemmaEntryNode* node = hw->first_variant; node != nullptr; node = node->next_variant) {
    const TLemmaEntryRec* entry = &node->rec;
    const string converted = using_unicode ? string(ViewW(entry->variantp)) : AnsiToWide(ViewA(entry->variantp));
    const std::size_t extra = converted.size() + (first ? 0 : sep.size());
    if (joined.size() + extra > kResultChars) break;
    if (!first) joined.append(sep);
    joined.append(converted);
    first = false;
  }
  return CopyToResultBufferW(joined);
}

const WideChar* TLemmaList::HeadWordAt(Integer index) {
  const THeadWord* hw = headwords.Sorted(index);
  return hw == nullptr ? nullptr : hw->text.c_str();
}

void TLemmaList::Do_In_Order(anything_ptr item) {
  if (!ShowProc || item == nullptr || item->this_ == nullptr) return;
  auto* entry = static_cast<TLemmaEntryRec*>(item->this_);
  if (entry->variantp == nullptr || entry->headwordp == nullptr || IsASeed(entry)) return;
  const bool affixes = using_unicode ? HasAffixMarks(ViewW(entry->variantp))
                                     : HasAffixMarks(std::u16string_view(AnsiToWide(ViewA(entry->variantp))));
  ShowProc(*entry, case_sensitivity, using_unicode, affixes, going, counter);
}

// The records live in the list's arena, which Clear releases after the walk.
void TLemmaList::Do_Deleting(anything_ptr) {}

// ---------------------------------------------------------------------------
// TMatchList, TStopList

TMatchList::TMatchList(TCaseSensitivity aCase_sensitivity) : TReadFileTree(aCase_sensitivity) {
  SetFixedText(name_of_process, LemmaMatchStopnames_of_processes[as_match]);
}

TMatchList::~TMatchList() { TMatchList::Clear(); }

void* TMatchList::NewSeedEntry(std::string_view seedA, std::u16string_view seedW) {
  return using_unicode ? NewEntry<TMatchEntryRec>(seedW) : NewEntry<TMatchEntryRec>(seedA);
}

bool TMatchList::FormatIsOKA(std::string_view item) { return FormatIsOK(item); }
bool TMatchList::FormatIsOKW(std::u16string_view item) { return FormatIsOK(item); }

template <typename Ch>
bool TMatchList::FormatIsOK(std::basic_string_view<Ch> item) {
  This_list_has_data = true;
  auto* entry = NewEntry<TMatchEntryRec>(item);
  current = anything{};
  current.this_ = entry;
  bool inserted = false;
  try {
    inserted = Add_One(current);
  } catch (...) {
    FreeEntry(entry);
    throw;
  }
  if (!inserted) FreeEntry(entry);
  return true;
}

const void* TMatchList::FoundItem(const void* text) {
  if (text == nullptr) return nullptr;
  TMatchEntryRec probe{const_cast<void*>(text)};
  anything key;
  key.this_ = &probe;
  anything_ptr node = WhereIs(key);
  return node == nullptr ? nullptr : static_cast<TMatchEntryRec*>(node->this_)->searchp;
}

void TMatchList::Do_In_Order(anything_ptr item) {
  if (!ShowProc || item == nullptr || item->this_ == nullptr) return;
  auto* entry = static_cast<TMatchEntryRec*>(item->this_);
  if (entry->searchp == nullptr || IsASeed(entry)) return;
  const bool affixes = using_unicode ? HasAffixMarks(ViewW(entry->searchp))
                                     : HasAffixMarks(std::u16string_view(AnsiToWide(ViewA(entry->searchp))));
  ShowProc(entry->searchp, case_sensitivity, using_unicode, affixes, going, counter);
}

void TMatchList::Do_Deleting(anything_ptr) {}

TStopList::TStopList(TCaseSensitivity aCase_sensitivity) : TMatchList(aCase_sensitivity) {
  SetFixedText(name_of_process, LemmaMatchStopnames_of_processes[as_stop]);
}

}  // namespace cv
