#include "search/find_wanted.h"

#include "text/char_details.h"
#include "text/char_types.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace cv {

namespace {
void NoSectionEnd(Integer, Integer) {}
}  // namespace

THandleTextSectionProc HandleSentenceEndProc = NoSectionEnd;
THandleTextSectionProc HandleParagraphEndProc = NoSectionEnd;
THandleTextSectionProc HandleHeadingEndProc = NoSectionEnd;
THandleTextSectionProc HandleSectionEndProc = NoSectionEnd;

namespace {

constexpr Word kSpaceLike = C1_SPACE | C1_CNTRL | C1_BLANK;
constexpr Word kSpaceOrPunct = kSpaceLike | C1_PUNCT;
constexpr Word kWordChar = C1_ALPHA | C1_DIGIT;
constexpr Word kLetter = C1_ALPHA;
constexpr Word kDigit = C1_DIGIT;
constexpr Word kMarkup = kDetailsPassOver;
constexpr Word kMarker = kDetailsStop;
constexpr Word kDefinedOnly = C1_DEFINED;
static_assert(kSpaceLike == 0x0068 && kSpaceOrPunct == 0x0078 && kWordChar == 0x0104);

inline bool IsMarkup(Word m) { return (m & (kMarkup | kMarker)) == kMarkup; }

inline unsigned Unit(char16_t c) { return c; }
inline unsigned Unit(char c) { return static_cast<unsigned char>(c); }

// A pattern unit that stands for itself (no code, no space): candidates for
// it can be found by comparing units.
inline bool IsLiteral(char16_t c) { return c > 0x20 || c == 0x10 || c == 0x13 || c == 21; }

void CallHook(THandleTextSectionProc hook, Integer a, Integer b) {
  if (hook) hook(a, b);
}

// One structure marker.
void HandleMarker(Word w, const TFindWantedContext& ctx) {
  TSearchStatsRec& st = *ctx.stats;
  const Word c = w & 0x07FF;
  auto end_of = [&st](text_stats_type s, THandleTextSectionProc hook) {
    CallHook(hook, st.number[s], st.position[s]);
    ++st.number[s];
    st.position[s] = 1;
  };
  switch (c) {
    case kMarkSentenceSoft:
      if (!ctx.sentence_tags) end_of(sentence_stats, HandleSentenceEndProc);
      break;
    case kMarkSentence:
      end_of(sentence_stats, HandleSentenceEndProc);
      break;
    case kMarkParagraphSoft:
      if (!ctx.paragraph_tags) end_of(paragraph_stats, HandleParagraphEndProc);
      break;
    case kMarkParagraph:
      end_of(paragraph_stats, HandleParagraphEndProc);
      break;
    case kMarkSectionSoft:
      if (!ctx.section_tags) end_of(section_stats, HandleSectionEndProc);
      break;
    case kMarkSection:
      end_of(section_stats, HandleSectionEndProc);
      break;
    case kMarkHeadingStart:
      *ctx.in_heading = true;
      if (!ctx.heading_tags) {
        end_of(heading_stats, HandleHeadingEndProc);
        *ctx.in_heading = false;
      }
      break;
    case kMarkHeadingEnd:
      end_of(heading_stats, HandleHeadingEndProc);
      *ctx.in_heading = false;
      break;
    default:
      break;
  }
}

void AddWords(Integer w, const TFindWantedContext& ctx) {
  if (w == 0) return;
  TSearchStatsRec& st = *ctx.stats;
  st.number[word_stats] += w;
  st.position[sentence_stats] += w;
  st.position[paragraph_stats] += w;
  st.position[section_stats] += w;
  if (*ctx.in_heading) st.position[heading_stats] += w;
}

void SetOutOf(const TFindWantedContext& ctx) {
  TSearchStatsRec& st = *ctx.stats;
  for (int s = sentence_stats; s <= section_stats; ++s) st.out_of[s] = st.position[s];
}

}  // namespace

void CountTextStats(const Word* map, Integer from, Integer to, Integer count, const TFindWantedContext& ctx) {
  if (to > count) to = count;
  Integer i = from;
  Integer words = 0;
  // A word starts at a space-like character followed by one that is not.
  // Blocks of eight map words without a structure marker are counted with
  // two overlapping loads; a block holding a marker goes one by one, so the
  // heading state is right for every word.
#if defined(__SSE2__)
  const __m128i space_mask = _mm_set1_epi16(static_cast<short>(kSpaceLike));
  const __m128i zero = _mm_setzero_si128();
  while (i + 8 < count && i + 8 <= to) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(map + i));
    if ((_mm_movemask_epi8(a) & 0xAAAA) != 0) {
      for (Integer e = i + 8; i < e; ++i) {
        const Word w = map[i];
        if (w & kMarker) {
          AddWords(words, ctx);
          words = 0;
          HandleMarker(w, ctx);
        } else if ((w & kSpaceLike) && !(map[i + 1] & kSpaceLike)) {
          ++words;
        }
      }
      continue;
    }
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(map + i + 1));
    const __m128i a_not_space = _mm_cmpeq_epi16(_mm_and_si128(a, space_mask), zero);
    const __m128i b_not_space = _mm_cmpeq_epi16(_mm_and_si128(b, space_mask), zero);
    const int starts = _mm_movemask_epi8(_mm_andnot_si128(a_not_space, b_not_space));
    words += __builtin_popcount(static_cast<unsigned>(starts)) / 2;
    i += 8;
  }
#endif
  for (; i < to; ++i) {
    const Word w = map[i];
    if (w & kMarker) {
      AddWords(words, ctx);
      words = 0;
      HandleMarker(w, ctx);
    } else if (w & kSpaceLike) {
      const Word next = (i + 1 < count) ? map[i + 1] : kSpaceLike;
      if (!(next & kSpaceLike)) ++words;
    }
  }
  AddWords(words, ctx);
}

namespace {

template <class Ch>
class Matcher {
 public:
  Matcher(const Ch* text, const Word* map, Integer n, Integer before, const TFindWantedPattern& p,
          const TFindWantedContext& ctx)
      : text_(text), map_(map), n_(n), before_(before), up_(p.upper), lo_(p.lower), ti_(p.title),
        len_(p.len), cs_(p.case_sensitive), lb_(p.left_bounded), rb_(p.right_bounded),
        space_run_(ctx.skip_punctuation ? kSpaceOrPunct : kSpaceLike) {}

  TFindWantedResult Run() {
    TFindWantedResult r;
    if (len_ <= 0 || n_ <= 0) return r;
    const char16_t p0 = lo_[0];
    const bool lit0 = IsLiteral(p0);
    const bool lit1 = len_ >= 2 && IsLiteral(lo_[1]);
    Integer i = 0;
    while (i < n_) {
      Integer c;
      if (lit0 && lit1)
        c = NextPairCandidate(i);
      else if (lit0)
        c = NextUnitCandidate(i);
      else
        c = i;
      if (c >= n_) break;
      Integer end;
      if (IsCandidate(c) && (end = MatchFrom(c)) >= 0) {
        r.hit = c;
        r.exact_len = end - c;
        Integer full = end;
        if (!rb_)
          while (full < n_ && !(map_[full] & kMarker) && ((map_[full] & kWordChar) || map_[full] == kDefinedOnly))
            ++full;
        r.full_len = full - c;
        return r;
      }
      i = c + 1;
    }
    return r;
  }

 private:
  unsigned T(Integer j) const { return Unit(text_[j]); }

  bool Lit(Integer j, Integer k) const {
    const unsigned t = T(j);
    return t == lo_[k] || (!cs_ && (t == up_[k] || t == ti_[k]));
  }

  // Whether text j can be the first character of pattern element k.
  bool Accepts(Integer j, Integer k, bool tag) const {
    const Word m = map_[j];
    const unsigned t = T(j);
    switch (lo_[k]) {
      case u' ': return t == u' ' || (!tag && (m & kSpaceOrPunct));
      case 26: return !(m & kSpaceLike);
      case 27: return (m & kDigit) && m != 0x880F;
      case 28: return m & (kLetter | kDigit | 0x0010);
      case 29: return t > 0x20 && !(m & kSpaceLike);
      case 30: return m & kLetter;
      default: return Lit(j, k);
    }
  }

  bool LeftBoundaryOK(Integer c) const {
    if (!lb_) return true;
    if (c == 0 && before_ <= 0) return true;
    const Word prev = map_[c - 1];  // map[-1] exists when before_ > 0
    if (prev & (kMarkup | kMarker)) return true;
    return !(prev & kWordChar);
  }

  bool IsCandidate(Integer c) const {
    if (IsMarkup(map_[c]) && lo_[0] != 25) return false;
    return LeftBoundaryOK(c);
  }

  // First index >= i whose unit equals one of the first element's forms.
  Integer NextUnitCandidate(Integer i) const {
    const unsigned a = lo_[0], b = up_[0], d = ti_[0];
    if constexpr (sizeof(Ch) == 2) {
#if defined(__SSE2__)
      const __m128i va = _mm_set1_epi16(static_cast<short>(a));
      const __m128i vb = _mm_set1_epi16(static_cast<short>(b));
      const __m128i vd = _mm_set1_epi16(static_cast<short>(d));
      for (; i + 8 <= n_; i += 8) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text_ + i));
        const __m128i eq = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(x, va), _mm_cmpeq_epi16(x, vb)),
                                        _mm_cmpeq_epi16(x, vd));
        const int m = _mm_movemask_epi8(eq);
        if (m) return i + (__builtin_ctz(static_cast<unsigned>(m)) >> 1);
      }
#endif
    } else {
#if defined(__SSE2__)
      const __m128i va = _mm_set1_epi8(static_cast<char>(a));
      const __m128i vb = _mm_set1_epi8(static_cast<char>(b));
      const __m128i vd = _mm_set1_epi8(static_cast<char>(d));
      for (; i + 16 <= n_; i += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text_ + i));
        const __m128i eq = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(x, va), _mm_cmpeq_epi8(x, vb)),
                                        _mm_cmpeq_epi8(x, vd));
        const int m = _mm_movemask_epi8(eq);
        if (m) return i + __builtin_ctz(static_cast<unsigned>(m));
      }
#endif
    }
    for (; i < n_; ++i) {
      const unsigned t = T(i);
      if (t == a || t == b || t == d) return i;
    }
    return n_;
  }

  // First index >= i where the first two elements could start: unit i is a
  // form of element 0 and unit i + 1 a form of element 1, or markup (which
  // the match steps over).  Exact: it never drops a position where a match
  // could start, since a whole pattern of two or more units needs i + 1.
  Integer NextPairCandidate(Integer i) const {
    const unsigned a0 = lo_[0], b0 = up_[0], d0 = ti_[0];
    const unsigned a1 = lo_[1], b1 = up_[1], d1 = ti_[1];
#if defined(__SSE2__)
    if constexpr (sizeof(Ch) == 2) {
      const __m128i va0 = _mm_set1_epi16(static_cast<short>(a0)), vb0 = _mm_set1_epi16(static_cast<short>(b0)),
                    vd0 = _mm_set1_epi16(static_cast<short>(d0));
      const __m128i va1 = _mm_set1_epi16(static_cast<short>(a1)), vb1 = _mm_set1_epi16(static_cast<short>(b1)),
                    vd1 = _mm_set1_epi16(static_cast<short>(d1));
      const __m128i markup = _mm_set1_epi16(static_cast<short>(kMarkup));
      const __m128i zero = _mm_setzero_si128();
      for (; i + 9 <= n_; i += 8) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text_ + i));
        const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text_ + i + 1));
        const __m128i e0 = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(x, va0), _mm_cmpeq_epi16(x, vb0)),
                                        _mm_cmpeq_epi16(x, vd0));
        const int m0 = _mm_movemask_epi8(e0);
        if (!m0) continue;
        const __m128i my = _mm_loadu_si128(reinterpret_cast<const __m128i*>(map_ + i + 1));
        const __m128i not_markup = _mm_cmpeq_epi16(_mm_and_si128(my, markup), zero);
        const __m128i e1 = _mm_or_si128(
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(y, va1), _mm_cmpeq_epi16(y, vb1)), _mm_cmpeq_epi16(y, vd1)),
            _mm_andnot_si128(not_markup, _mm_set1_epi16(-1)));
        const int m = _mm_movemask_epi8(_mm_and_si128(e0, e1));
        if (m) return i + (__builtin_ctz(static_cast<unsigned>(m)) >> 1);
      }
    } else {
      const __m128i va0 = _mm_set1_epi8(static_cast<char>(a0)), vb0 = _mm_set1_epi8(static_cast<char>(b0)),
                    vd0 = _mm_set1_epi8(static_cast<char>(d0));
      const __m128i va1 = _mm_set1_epi8(static_cast<char>(a1)), vb1 = _mm_set1_epi8(static_cast<char>(b1)),
                    vd1 = _mm_set1_epi8(static_cast<char>(d1));
      const __m128i markup = _mm_set1_epi16(static_cast<short>(kMarkup));
      const __m128i zero = _mm_setzero_si128();
      for (; i + 17 <= n_; i += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text_ + i));
        const __m128i e0 = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(x, va0), _mm_cmpeq_epi8(x, vb0)),
                                        _mm_cmpeq_epi8(x, vd0));
        if (!_mm_movemask_epi8(e0)) continue;
        const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text_ + i + 1));
        const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(map_ + i + 1));
        const __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(map_ + i + 9));
        const __m128i is_markup = _mm_packs_epi16(_mm_cmpgt_epi16(_mm_and_si128(lo, markup), zero),
                                                  _mm_cmpgt_epi16(_mm_and_si128(hi, markup), zero));
        const __m128i e1 = _mm_or_si128(
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(y, va1), _mm_cmpeq_epi8(y, vb1)), _mm_cmpeq_epi8(y, vd1)),
            is_markup);
        const int m = _mm_movemask_epi8(_mm_and_si128(e0, e1));
        if (m) return i + __builtin_ctz(static_cast<unsigned>(m));
      }
    }
#endif
    for (; i + 1 < n_; ++i) {
      const unsigned t = T(i);
      if (t != a0 && t != b0 && t != d0) continue;
      const unsigned u = T(i + 1);
      if (u == a1 || u == b1 || u == d1 || (map_[i + 1] & kMarkup)) return i;
    }
    return n_;
  }

  // Matches the whole pattern from text c; the index after the match, or -1.
  Integer MatchFrom(Integer c) const {
    bool tag = false;
    Integer j = c, k = 0;
    // The last star whose target has been found: the pattern index of its
    // target, the text index where the target matched, the tag mode there.
    Integer star_k = -1, star_j = -1;
    bool star_tag = false;
    for (;;) {
      bool ok = true;
      while (k < len_) {
        const char16_t pc = lo_[k];
        if (pc == 25) tag = true;
        if (k > 0 && !tag)
          while (j < n_ && IsMarkup(map_[j])) ++j;
        if (j >= n_) {
          ok = false;
          break;
        }
        const Word m = map_[j];
        const unsigned t = T(j);
        switch (pc) {
          case u' ':
            if (t == u' ' || (!tag && (m & kSpaceOrPunct))) {
              ++j;
              if (m & space_run_)
                while (j < n_ && (map_[j] & space_run_)) ++j;
            } else {
              ok = false;
            }
            break;
          case 26:
            if (m & kSpaceLike) {
              ok = false;
              break;
            }
            ++j;
            while (j < n_ && !(map_[j] & kSpaceLike)) ++j;
            break;
          case 28:
          case 30: {
            const bool next_is_space = k + 1 < len_ && lo_[k + 1] == u' ';
            if (next_is_space && (m & kSpaceOrPunct)) break;  // matches nothing
            if (m & (pc == 30 ? kLetter : (kLetter | kDigit | 0x0010)))
              ++j;
            else
              ok = false;
            break;
          }
          case 27:
            if ((m & kDigit) && m != 0x880F) {
              ++j;
              while (j < n_ && (map_[j] & kDigit)) ++j;
            } else {
              ok = false;
            }
            break;
          case 29: {
            // A star before a space, or at the end of the pattern, runs to
            // the end of the word (or matches nothing before a space or
            // punctuation character).
            if (k + 1 >= len_ || lo_[k + 1] == u' ') {
              if (m & kSpaceOrPunct) break;
              ++j;
              while (j < n_ && !(map_[j] & kSpaceOrPunct)) ++j;
              break;
            }
            // Otherwise it takes one or more non-space characters up to the
            // first that can start the next element (its target).
            if (t <= 0x20 || (m & kSpaceLike)) {
              ok = false;
              break;
            }
            ++j;
            const Integer at = NextTarget(j, k + 1, tag);
            if (at < 0) {
              ok = false;
              break;
            }
            j = at;
            star_k = k + 1;
            star_j = at;
            star_tag = tag;
            break;
          }
          default:
            if (Lit(j, k)) {
              ++j;
              if (pc == 24) tag = false;
            } else {
              ok = false;
            }
            break;
        }
        if (!ok) break;
        ++k;
      }
      if (ok) {
        if (!rb_ || j >= n_ || (map_[j] & kMarker) || !(map_[j] & kWordChar)) return j;
      }
      // Let the last star take more: its next target further on.
      if (star_k < 0) return -1;
      const Integer at = NextTarget(star_j + 1, star_k, star_tag);
      if (at < 0) return -1;
      star_j = at;
      j = at;
      k = star_k;
      tag = star_tag;
    }
  }

  // From text j on, the first character that can start element k, passing
  // only non-space characters; -1 when a space, a control character or the
  // end comes first.
  Integer NextTarget(Integer j, Integer k, bool tag) const {
    for (; j < n_; ++j) {
      if (T(j) <= 0x20 || (map_[j] & kSpaceLike)) return -1;
      if (Accepts(j, k, tag)) return j;
    }
    return -1;
  }

  const Ch* text_;
  const Word* map_;
  Integer n_;
  Integer before_;
  const char16_t* up_;
  const char16_t* lo_;
  const char16_t* ti_;
  Integer len_;
  bool cs_, lb_, rb_;
  Word space_run_;
};

template <class Ch>
TFindWantedResult Find(const Ch* text, const Word* map, Integer count, Integer before, const TFindWantedPattern& p,
                       const TFindWantedContext& ctx) {
  TFindWantedResult r;
  if (text && map && count > 0 && p.len > 0 && p.upper && p.lower && p.title)
    r = Matcher<Ch>(text, map, count, before, p, ctx).Run();
  if (map && count > 0) CountTextStats(map, 0, r.hit >= 0 ? r.hit + 1 : count, count, ctx);
  SetOutOf(ctx);
  return r;
}

}  // namespace

TFindWantedResult NewFindWantedInBuffer(const char16_t* text, const Word* map, Integer count, Integer before,
                                        const TFindWantedPattern& pattern, const TFindWantedContext& ctx) {
  return Find(text, map, count, before, pattern, ctx);
}

TFindWantedResult NewFindWantedInBuffer(const char* text, const Word* map, Integer count, Integer before,
                                        const TFindWantedPattern& pattern, const TFindWantedContext& ctx) {
  return Find(text, map, count, before, pattern, ctx);
}

}  // namespace cv
