#include "search/search_engines.h"

#include <climits>
#include <cstring>

#include "core/logging_utilities.h"
#include "files/my_kpsmall.h"
#include "platform/nls.h"
#include "platform/sysutils.h"
#include "platform/utf.h"
#include "text/char_details.h"
#include "text/char_types.h"
#include "text/code_pages.h"

namespace cv {

bool Global_in_heading = false;
Integer Global_LowestJumpTo = 0;

ESearchError::ESearchError(const string& message)
    : std::runtime_error(Utf16ToUtf8(message)), message_(message) {}

namespace {

// The longest 8-bit form of a search word.
constexpr std::size_t kMaxConvertedBytes = 99;

Integer LengthOfBuffer(const void* b, bool unicode) {
  if (unicode) return static_cast<Integer>(std::char_traits<char16_t>::length(static_cast<const char16_t*>(b)));
  return static_cast<Integer>(std::strlen(static_cast<const char*>(b)));
}

string BoolText(bool b) { return b ? u"True" : u"False"; }

string Quoted(std::u16string_view s) { return u"\"" + string(s) + u"\""; }

// A fresh map of n characters plus the two spare words, which take the class
// of the terminating NUL (a control character).
void BuildMap(std::vector<Word>& map, const void* buffer, Integer n, bool unicode, LCID lcid) {
  map.assign(static_cast<std::size_t>(n) + 2, C1_CNTRL);
  if (n > 0 && !GetStringTypeExNT2000(unicode, lcid, CT_CTYPE1, map.data(), n, buffer))
    std::fill(map.begin(), map.begin() + n, Word{0});
}

}  // namespace

// ---------------------------------------------------------------------------

TSearchAndDoEngine::TSearchAndDoEngine(bool ABufferInUnicode, bool ASearchWordsInUnicode, LCID AnLCID,
                                       std::span<Word> ABufferDetails)
    : fSearchWordsInUnicode(ASearchWordsInUnicode), fBufferInUnicode(ABufferInUnicode), fLCID(AnLCID) {
  Codepage = static_cast<Integer>(CodePageOfLCIDOrACP(fLCID));
  if (!ABufferDetails.empty()) {
    fBufferDetails = ABufferDetails.data();
    fBufferDetailsStart = fBufferDetails;
    fBufferDetailsEnd = fBufferDetails + ABufferDetails.size() - 1;
    fPreAssigned = true;
  }
}

TSearchAndDoEngine::~TSearchAndDoEngine() = default;

void TSearchAndDoEngine::SetLCID(LCID lcid) {
  if (lcid == fLCID) return;
  fLCID = lcid;
  Codepage = static_cast<Integer>(CodePageOfLCIDOrACP(fLCID));
}

void TSearchAndDoEngine::ReleaseOwnMap() {
  if (fPreAssigned) return;
  fOwnMap.clear();
  fOwnMap.shrink_to_fit();
  fBufferDetails = fBufferDetailsStart = fBufferDetailsEnd = nullptr;
}

void TSearchAndDoEngine::SetABuffer(const void* b) {
  fBuffer = b;
  ReleaseOwnMap();
  if (!b) {
    fBuffer_Characters = 0;
    return;
  }
  fBuffer_Characters = LengthOfBuffer(b, fBufferInUnicode);
  if (!fPreAssigned) {
    BuildMap(fOwnMap, b, fBuffer_Characters, fBufferInUnicode, fLCID);
    fBufferDetails = fBufferDetailsStart = fOwnMap.data();
    fBufferDetailsEnd = fOwnMap.data() + fBuffer_Characters + 1;
  }
}

void TSearchAndDoEngine::PrepareFirst(const void* ABuffer, Integer AComplete_file_Size,
                                      Integer ABufferStartPosInFile, TSearchFoundEvent ASearchFoundEvent,
                                      TWordCountEvent AWordCountEvent) {
  FileBytePos = static_cast<Cardinal>(ABufferStartPosInFile);
  fSearchFoundEvent = std::move(ASearchFoundEvent);
  fWordCountEvent = std::move(AWordCountEvent);
  SetABuffer(ABuffer);
  fComplete_file_size = AComplete_file_Size;
  fReady = static_cast<bool>(fSearchFoundEvent);
}

void TSearchAndDoEngine::PrepareForConcordancing(const string& AFilename, const void* AStartOfText,
                                                 Word* ABufferDetails, Word* ABufferDetailsEnd,
                                                 Integer AComplete_file_Size, Integer ABuffer_Characters,
                                                 Integer ABufferStartPosInFile, bool ASkipPunctuation,
                                                 TSearchFoundEvent ASearchFoundEvent,
                                                 TWordCountEvent AWordCountEvent) {
  fFilename = AFilename;
  fComplete_file_size = AComplete_file_Size;
  FileBytePos = static_cast<Cardinal>(ABufferStartPosInFile);
  fSkipPunctuation = ASkipPunctuation;
  fSearchFoundEvent = std::move(ASearchFoundEvent);
  fWordCountEvent = std::move(AWordCountEvent);
  fSkipAnyTags = true;
  fPreAssigned = false;
  SetABuffer(nullptr);
  fBuffer = AStartOfText;
  fBufferDetailsEnd = ABufferDetailsEnd;
  fBufferDetails = fBufferDetailsStart = ABufferDetails;
  fPreAssigned = ABufferDetails != nullptr;
  fBuffer_Characters = ABuffer_Characters < 0 ? 0 : ABuffer_Characters;
  // A map that ends before the stated length would be read past its end.
  if (fBufferDetails && fBufferDetailsEnd && fBufferDetailsEnd >= fBufferDetails) {
    const Integer in_map = static_cast<Integer>(fBufferDetailsEnd - fBufferDetails) - 1;
    if (in_map < fBuffer_Characters) fBuffer_Characters = in_map < 0 ? 0 : in_map;
  }
  fReady = static_cast<bool>(fSearchFoundEvent);
}

void TSearchAndDoEngine::HandleAllowables(const string& wide_allowables, bool allow_middles_at_right,
                                          bool allow_middles_at_left) {
  MyYieldProcess();
  if (!fBuffer || !fBufferDetails || fBuffer_Characters <= 0) return;
  HandleMiddleChars(fBuffer, fBufferDetails, wide_allowables, static_cast<Integer>(wide_allowables.size()),
                    fBuffer_Characters, fBufferInUnicode, allow_middles_at_right, allow_middles_at_left);
}

void TSearchAndDoEngine::Cancel() {
  fCancelled = true;
  MyYieldProcess();
}

bool TSearchAndDoEngine::ConvertCopies(TSearch_word_format_rec& item) {
  std::array<string, 4> bytes;
  const Cardinal cp = static_cast<Cardinal>(Codepage);
  for (int k = 0; k < 4; ++k) {
    AnsiString out;
    bool used_default = false;
    // A character the page cannot hold would be searched for as '?'.
    if (!WideToMultiByte(cp, item.copies[k], out, &used_default) || used_default ||
        out.size() > kMaxConvertedBytes) {
      if (keeping_log && !IsAdditionalEngine)
        AddToLogFile(u"search word " + Quoted(item.typed_in_text) + u" does not fit code page " +
                     IntToStr(cp));
      return false;
    }
    bytes[k].resize(out.size());
    for (std::size_t i = 0; i < out.size(); ++i) bytes[k][i] = static_cast<unsigned char>(out[i]);
  }
  for (int k = 1; k < 4; ++k)
    if (bytes[k].size() != bytes[0].size()) {
      if (keeping_log && !IsAdditionalEngine)
        AddToLogFile(u"search word " + Quoted(item.typed_in_text) +
                     u" has case forms of different byte lengths in code page " + IntToStr(cp));
      return false;
    }
  item.copies = std::move(bytes);
  item.copies_converted = true;
  return true;
}

TFindWantedContext TSearchAndDoEngine::MakeContext(TSearchStatsRec& stats, bool& in_heading) const {
  TFindWantedContext ctx;
  ctx.skip_punctuation = fSkipPunctuation;
  ctx.sentence_tags = Arr_OfTextMarkersFound[1] > 0;
  ctx.paragraph_tags = Arr_OfTextMarkersFound[3] > 0;
  ctx.heading_tags = Arr_OfTextMarkersFound[5] > 0;
  ctx.section_tags = Arr_OfTextMarkersFound[7] > 0;
  ctx.stats = &stats;
  ctx.in_heading = &in_heading;
  return ctx;
}

bool TSearchAndDoEngine::SearchAndDo(pSearch_word_format_rec item, Integer item_num) {
  current_search_number = item_num;
  return SearchAndDo(item);
}

bool TSearchAndDoEngine::SearchAndDo(pSearch_word_format_rec item) {
  if (!fReady || !fBuffer || !item || item->search_text.empty() || !fBufferDetails) {
    if (keeping_log)
      AddToLogFile(Format(u"item = nil: %s and buffer = nil: %s ",
                          {BoolText(item == nullptr), BoolText(fBuffer == nullptr)}));
    return false;
  }
  fCancelled = false;
  fChega = false;
  const Integer limit = item->n_to_find < 1 ? INT_MAX : item->n_to_find;
  if (!fBufferInUnicode && !item->copies_converted && !ConvertCopies(*item)) return false;
  if (item->flags.Has(myCaseIsSensitive)) {
    item->copies[upper_copy] = item->copies[unchanged_copy];
    item->copies[lower_copy] = item->copies[unchanged_copy];
    item->copies[title_copy] = item->copies[unchanged_copy];
  }
  const std::size_t len = item->copies[lower_copy].size();
  if (len == 0 || item->copies[upper_copy].size() != len || item->copies[title_copy].size() != len) {
    if (keeping_log && !IsAdditionalEngine)
      AddToLogFile(u"search word " + Quoted(item->typed_in_text) + u" has case copies of different lengths");
    return false;
  }

  TFindWantedPattern pattern;
  pattern.upper = item->copies[upper_copy].data();
  pattern.lower = item->copies[lower_copy].data();
  pattern.title = item->copies[title_copy].data();
  pattern.len = static_cast<Integer>(len);
  pattern.case_sensitive = item->flags.Has(myCaseIsSensitive);
  pattern.left_bounded = item->flags.Has(myLeftBounded);
  pattern.right_bounded = item->flags.Has(myRightBounded);

  const Integer cs = CharSize();
  auto start_pos = [&]() -> Integer {
    if (Global_LowestJumpTo <= 0) return 0;
    return Global_LowestJumpTo / cs;
  };
  Integer pos = start_pos();
  fLowestJumpToChanged = false;

  if (keeping_log && !IsAdditionalEngine) {
    string head;
    if (fBufferInUnicode) {
      head.assign(static_cast<const char16_t*>(fBuffer),
                  static_cast<std::size_t>(std::min<Integer>(50, fBuffer_Characters)));
    } else {
      head = DecodeCodePage(std::string_view(static_cast<const char*>(fBuffer),
                                             static_cast<std::size_t>(std::min<Integer>(50, fBuffer_Characters))),
                            static_cast<Cardinal>(Codepage));
    }
    AddToLogFile(u"seeking " + item->search_text + u" " + Quoted(item->copies[upper_copy]) + u" " +
                 Quoted(item->copies[lower_copy]) + u" " + Quoted(item->copies[title_copy]) + u" in " + head);
  }

  bool& in_heading = InHeading();
  const TFindWantedContext ctx = MakeContext(ThisFileChunk_Stats, in_heading);
  Integer accepted = 0;
  try {
    for (;;) {
      MyYieldProcess();
      const Integer remaining = fBuffer_Characters - pos;
      if (remaining < 1 || pos < 0) break;
      TFindWantedResult r;
      if (fBufferInUnicode)
        r = NewFindWantedInBuffer(static_cast<const char16_t*>(fBuffer) + pos, fBufferDetails + pos, remaining,
                                  pos, pattern, ctx);
      else
        r = NewFindWantedInBuffer(static_cast<const char*>(fBuffer) + pos, fBufferDetails + pos, remaining, pos,
                                  pattern, ctx);
      if (r.hit < 0) break;
      const Integer hit = pos + r.hit;
      TSearchFound_Rec found;
      found.start_of_text = fBuffer;
      found.start_of_memory = fBuffer;
      found.where_hit_started = static_cast<const char*>(fBuffer) + static_cast<std::size_t>(hit) * cs;
      found.percent_of_file =
          fComplete_file_size > 0
              ? static_cast<Single>((static_cast<double>(hit) * cs + FileBytePos) * 100.0 / fComplete_file_size)
              : 0.0f;
      found.hit_pos_in_wchar_kinds = hit;
      found.FileBytePos = FileBytePos;
      found.exact_hit_len = r.exact_len;
      found.hit_characters = r.full_len;
      found.search_number = current_search_number;
      found.hit_pos_in_characters = hit;
      found.count_stats = ThisFileChunk_Stats;
      if (!in_heading) {
        found.count_stats.number[heading_stats] = -1;
        found.count_stats.position[heading_stats] = -1;
      }
      ++fHits_found;
      ++accepted;
      if (keeping_log && !IsAdditionalEngine)
        AddToLogFile(u"hit at " + IntToStr(hit) + u" length " + IntToStr(r.exact_len));
      if (!fSearchFoundEvent(this, found)) --accepted;
      if (fLowestJumpToChanged) {
        fLowestJumpToChanged = false;
        pos = start_pos();
      } else {
        pos = hit + 1;
      }
      if (accepted >= limit || fChega || fCancelled || panic_mode != panic_no_panic) break;
    }
    if (fWordCountEvent) fWordCountEvent(this, ThisFileChunk_Stats);
  } catch (const ESearchError&) {
    throw;
  } catch (const std::exception&) {
    throw ESearchError(u"problem searching " + fFilename + u" for " + Quoted(item->typed_in_text));
  }
  return true;
}

// ---------------------------------------------------------------------------

TAdditionalSearchAndDoEngine::TAdditionalSearchAndDoEngine(bool ABufferInUnicode, bool ASearchWordsInUnicode,
                                                           LCID AnLCID, std::span<Word> ABufferDetails)
    : TSearchAndDoEngine(ABufferInUnicode, ASearchWordsInUnicode, AnLCID, ABufferDetails) {
  IsAdditionalEngine = true;
}

// ---------------------------------------------------------------------------

void TWLSearchAndDo::SetSearchWord(const string& aSearchWord, TMySearchFlags AFlags) {
  flags = AFlags;
  if (AFlags.Has(myCaseIsSensitive)) {
    search_text = lo_copy = title_copy = aSearchWord;
    return;
  }
  search_text = UnicodeUpperCase(aSearchWord);
  lo_copy = UnicodeLowerCase(aSearchWord);
  title_copy = lo_copy;
  if (!title_copy.empty() && search_text.size() == title_copy.size()) title_copy[0] = search_text[0];
}

bool TWLSearchAndDo::QuickSearchFoundIgnoringTags() {
  if (!fBuffer || search_text.empty()) return false;
  string up = search_text, lo = lo_copy, ti = title_copy;
  if (!fBufferInUnicode) {
    TSearch_word_format_rec rec;
    rec.copies = {up, up, lo, ti};
    if (!ConvertCopies(rec)) return false;
    up = rec.copies[upper_copy];
    lo = rec.copies[lower_copy];
    ti = rec.copies[TSW_copy_type::title_copy];
  }
  if (lo.size() != up.size() || ti.size() != up.size()) return false;
  Integer n = static_cast<Integer>(up.size());
  if (n > 0 && up.back() == kCodeStar) --n;
  const Integer chars = LengthOfBuffer(fBuffer, fBufferInUnicode);
  if (n <= 0 || chars < n) return false;
  std::vector<Word> map;
  BuildMap(map, fBuffer, chars, fBufferInUnicode, fLCID);
  TSearchStatsRec stats;
  bool in_heading = false;
  const TFindWantedContext ctx = MakeContext(stats, in_heading);
  TFindWantedPattern p;
  p.upper = up.data();
  p.lower = lo.data();
  p.title = ti.data();
  p.len = n;
  p.case_sensitive = flags.Has(myCaseIsSensitive);
  p.left_bounded = flags.Has(myLeftBounded);
  p.right_bounded = flags.Has(myRightBounded);
  const TFindWantedResult r =
      fBufferInUnicode ? NewFindWantedInBuffer(static_cast<const char16_t*>(fBuffer), map.data(), chars, 0, p, ctx)
                       : NewFindWantedInBuffer(static_cast<const char*>(fBuffer), map.data(), chars, 0, p, ctx);
  return r.hit >= 0;
}

// ---------------------------------------------------------------------------

string CleanToTagOnOff(std::u16string_view s) {
  string out(s);
  for (std::size_t i = s.find(u'<'); i != std::u16string_view::npos; i = s.find(u'<', i + 1)) {
    const std::size_t j = s.find(u'>', i + 1);
    if (j == std::u16string_view::npos) continue;
    out[i] = kCodeTagOpen;
    out[j] = kCodeTagClose;
  }
  return out;
}

// ---------------------------------------------------------------------------

TSearchFoundList::~TSearchFoundList() { Clear(); }

void TSearchFoundList::Clear() {
  for (Integer i = 0; i < Count(); ++i) delete Holder(i);
  T3SortYieldingList::Clear();
}

namespace {
Int64 HitOffset(const TSearchFoundHolder* h) {
  return static_cast<const char*>(h->fData.where_hit_started) - static_cast<const char*>(h->fData.start_of_memory);
}
}  // namespace

void TSearchFoundList::SetBase(void* p, Integer) { base_int = HitOffset(static_cast<TSearchFoundHolder*>(p)); }

Integer TSearchFoundList::Compare(void* a) const {
  const Int64 v = HitOffset(static_cast<TSearchFoundHolder*>(a));
  if (v == base_int) return 0;
  return v > base_int ? -1 : 1;
}

void TSearchFoundList::SortByOffset() {
  DoASingleSort([this](void* e) { return Compare(e); }, 0);
}

}  // namespace cv
