#include "text/bare_assemb.h"

#include <bit>
#include <cstring>
#include <numeric>

#include "text/simd_scan.h"

namespace cv {

namespace {

template <typename C>
std::size_t CStrLen(const C* s) {
  std::size_t n = 0;
  while (s[n] != 0) ++n;
  return n;
}

// Exact search on the model of a string-instruction scan: find the pattern's
// first unit with a vector scan, then compare the rest.
const WideChar* FindPatternW(const WideChar* buf, std::size_t n, const WideChar* pat, std::size_t m) {
  const WideChar* const last_start = buf + (n - m);
  const WideChar* p = buf;
  while (p <= last_start) {
    p = simd::FindW(p, static_cast<std::size_t>(last_start - p) + 1, pat[0]);
    if (p == nullptr) return nullptr;
    if (std::memcmp(p + 1, pat + 1, (m - 1) * sizeof(WideChar)) == 0) return p;
    ++p;
  }
  return nullptr;
}

template <typename C>
bool MatchesEitherForm(const C* p, const C* f1, const C* f2, std::size_t m) {
  for (std::size_t k = 1; k < m; ++k)
    if (p[k] != f1[k] && p[k] != f2[k]) return false;
  return true;
}

Integer ClampCount(std::span<const Integer> arr, Integer count) {
  if (count <= 0) return 0;
  return static_cast<Integer>(std::min<std::size_t>(static_cast<std::size_t>(count), arr.size()));
}

std::size_t LetterSetLength(const ANSILower_or_upperStr_type& s) {
  return s.length > 128 ? 128 : s.length;
}

// Index of c among the first n characters of the set, or -1.
int IndexInSet(const ANSILower_or_upperStr_type& s, std::size_t n, AnsiChar c) {
  for (std::size_t i = 0; i < n; ++i)
    if (s.chars[i] == c) return static_cast<int>(i);
  return -1;
}

}  // namespace

// ---------------------------------------------------------------------------
// Searching

const AnsiChar* FastStrPos(const AnsiChar* buf, const AnsiChar* pattern, Integer count) {
  if (buf == nullptr || pattern == nullptr || count <= 0) return nullptr;
  const std::size_t m = std::strlen(pattern);
  if (m == 0 || m > static_cast<std::size_t>(count)) return nullptr;
  // memmem finds the same first occurrence as a first-byte scan followed by a
  // compare, and is never slower.
  return static_cast<const AnsiChar*>(memmem(buf, static_cast<std::size_t>(count), pattern, m));
}

const WideChar* FastStrPosW(const WideChar* buf, const WideChar* pattern, Integer count) {
  if (buf == nullptr || pattern == nullptr || count <= 0) return nullptr;
  const std::size_t m = CStrLen(pattern);
  if (m == 0 || m > static_cast<std::size_t>(count)) return nullptr;
  return FindPatternW(buf, static_cast<std::size_t>(count), pattern, m);
}

const AnsiChar* FastStrIPos(const AnsiChar* buf, const AnsiChar* form1, const AnsiChar* form2,
                            Integer count) {
  if (buf == nullptr || form1 == nullptr || form2 == nullptr || count <= 0) return nullptr;
  const std::size_t m = std::strlen(form1);
  if (m != std::strlen(form2) || m == 0 || m > static_cast<std::size_t>(count)) return nullptr;
  const AnsiChar* const last_start = buf + (static_cast<std::size_t>(count) - m);
  const AnsiChar* p = buf;
  while (p <= last_start) {
    p = simd::Find2A(p, static_cast<std::size_t>(last_start - p) + 1, form1[0], form2[0]);
    if (p == nullptr) return nullptr;
    if (MatchesEitherForm(p, form1, form2, m)) return p;
    ++p;
  }
  return nullptr;
}

const WideChar* FastStrIPosW(const WideChar* buf, const WideChar* form1, const WideChar* form2,
                             Integer count) {
  if (buf == nullptr || form1 == nullptr || form2 == nullptr || count <= 0) return nullptr;
  const std::size_t m = CStrLen(form1);
  if (m != CStrLen(form2) || m == 0 || m > static_cast<std::size_t>(count)) return nullptr;
  const WideChar* const last_start = buf + (static_cast<std::size_t>(count) - m);
  const WideChar* p = buf;
  while (p <= last_start) {
    p = simd::Find2W(p, static_cast<std::size_t>(last_start - p) + 1, form1[0], form2[0]);
    if (p == nullptr) return nullptr;
    if (MatchesEitherForm(p, form1, form2, m)) return p;
    ++p;
  }
  return nullptr;
}

const AnsiChar* FastStrScan(const AnsiChar* buf, AnsiChar c, Integer count) {
  if (buf == nullptr || count <= 0) return nullptr;
  return static_cast<const AnsiChar*>(
      std::memchr(buf, static_cast<unsigned char>(c), static_cast<std::size_t>(count)));
}

const WideChar* FastStrScanW(const WideChar* buf, WideChar c, Integer count) {
  if (buf == nullptr || count <= 0) return nullptr;
  return simd::FindW(buf, static_cast<std::size_t>(count), c);
}

Integer SearchAndReplaceFastW(WideChar* buf, const WideChar* search, const WideChar* replacement,
                              Integer count, Integer search_len) {
  if (buf == nullptr || search == nullptr || replacement == nullptr || count <= 0 ||
      search_len <= 0 || search_len > count)
    return 0;
  const std::size_t m = static_cast<std::size_t>(search_len);
  Integer done = 0;
  WideChar* p = buf;
  WideChar* const end = buf + count;
  while (static_cast<std::size_t>(end - p) >= m) {
    WideChar* hit = const_cast<WideChar*>(FindPatternW(p, static_cast<std::size_t>(end - p), search, m));
    if (hit == nullptr) break;
    std::memcpy(hit, replacement, m * sizeof(WideChar));
    ++done;
    p = hit + m;
  }
  return done;
}

// ---------------------------------------------------------------------------
// Counting and testing

Integer Chr13sInPAnsichar(const AnsiChar* buf, Integer count) {
  if (count <= 0) return 0;
  return static_cast<Integer>(simd::CountA(buf, static_cast<std::size_t>(count), '\r'));
}

Integer Chr13sInPChar(const WideChar* buf, Integer count) { return WideChrsInPChar(buf, count, u'\r'); }

Integer WideChrsInPChar(const WideChar* buf, Integer count, WideChar c) {
  if (count <= 0) return 0;
  return static_cast<Integer>(simd::CountW(buf, static_cast<std::size_t>(count), c));
}

Boolean ContainsADigitA(const AnsiChar* s) {
  if (s == nullptr) return false;
  for (; *s != 0; ++s)
    if (*s >= '0' && *s <= '9') return true;
  return false;
}

Boolean ContainsADigitW(const WideChar* s) {
  if (s == nullptr) return false;
  for (; *s != 0; ++s)
    if (*s >= u'0' && *s <= u'9') return true;
  return false;
}

Boolean UnicodeSigned(const void* first_bytes) {
  if (first_bytes == nullptr) return false;
  const auto* b = static_cast<const Byte*>(first_bytes);
  return (b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0xFE && b[1] == 0xFF);
}

Boolean UnicodeByteReversed(const void* first_bytes) {
  if (first_bytes == nullptr) return false;
  const auto* b = static_cast<const Byte*>(first_bytes);
  return b[0] == 0xFE && b[1] == 0xFF;
}

Boolean EqualContentsA(const AnsiChar* a, const AnsiChar* b, Integer count) {
  return count <= 0 || std::memcmp(a, b, static_cast<std::size_t>(count)) == 0;
}

Boolean EqualContentsW(const WideChar* a, const WideChar* b, Integer count) {
  return count <= 0 || std::memcmp(a, b, static_cast<std::size_t>(count) * sizeof(WideChar)) == 0;
}

namespace {
template <typename C>
Integer HowFarEqual(const C* a, const C* b, Integer count) {
  for (Integer i = 0; i < count; ++i)
    if (a[i] != b[i]) return count - i - 1;
  return 0;
}
}  // namespace

Integer HowFarEqualContentsA(const AnsiChar* a, const AnsiChar* b, Integer count) {
  return HowFarEqual(a, b, count);
}

Integer HowFarEqualContentsW(const WideChar* a, const WideChar* b, Integer count) {
  return HowFarEqual(a, b, count);
}

// ---------------------------------------------------------------------------
// Checksums

Word My2Checksum(const void* p, Integer words) {
  if (p == nullptr || words <= 0) return 0;
  const auto* b = static_cast<const Byte*>(p);
  std::uint32_t sum = 0;
  for (Integer i = 0; i < words; ++i) sum += static_cast<std::uint32_t>(b[2 * i] | (b[2 * i + 1] << 8));
  return static_cast<Word>(sum);
}

Integer My4Checksum(const void* p, Integer length_in_bytes) {
  if (p == nullptr || length_in_bytes < 4) return 0;
  const auto* b = static_cast<const Byte*>(p);
  const std::size_t words = static_cast<std::size_t>(length_in_bytes) / 4;
  std::uint32_t sum = 0;
  std::size_t i = 0;
  if constexpr (std::endian::native == std::endian::little) {
#if defined(__SSE2__)
    __m128i acc0 = _mm_setzero_si128(), acc1 = _mm_setzero_si128();
    __m128i acc2 = _mm_setzero_si128(), acc3 = _mm_setzero_si128();
    for (; i + 16 <= words; i += 16) {
      const auto* q = reinterpret_cast<const __m128i*>(b + 4 * i);
      acc0 = _mm_add_epi32(acc0, _mm_loadu_si128(q));
      acc1 = _mm_add_epi32(acc1, _mm_loadu_si128(q + 1));
      acc2 = _mm_add_epi32(acc2, _mm_loadu_si128(q + 2));
      acc3 = _mm_add_epi32(acc3, _mm_loadu_si128(q + 3));
    }
    alignas(16) std::uint32_t lanes[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(lanes),
                    _mm_add_epi32(_mm_add_epi32(acc0, acc1), _mm_add_epi32(acc2, acc3)));
    sum = lanes[0] + lanes[1] + lanes[2] + lanes[3];
#endif
    for (; i < words; ++i) {
      std::uint32_t w;
      std::memcpy(&w, b + 4 * i, 4);
      sum += w;
    }
  } else {
    for (; i < words; ++i)
      sum += static_cast<std::uint32_t>(b[4 * i]) | (static_cast<std::uint32_t>(b[4 * i + 1]) << 8) |
             (static_cast<std::uint32_t>(b[4 * i + 2]) << 16) |
             (static_cast<std::uint32_t>(b[4 * i + 3]) << 24);
  }
  return static_cast<Integer>(sum);
}

// ---------------------------------------------------------------------------
// Rewriting in place, same length

void ReplaceCharacterBySpace(AnsiChar* buf, AnsiChar c, Integer count) {
  for (Integer i = 0; i < count; ++i)
    if (buf[i] == c) buf[i] = ' ';
}

void ReplaceCharacterBySpaceW(WideChar* buf, WideChar c, Integer count) {
  for (Integer i = 0; i < count; ++i)
    if (buf[i] == c) buf[i] = u' ';
}

void ReplaceChar1ByChar2(WideChar* buf, WideChar find, WideChar replacement, Integer count) {
  for (Integer i = 0; i < count; ++i)
    if (buf[i] == find) buf[i] = replacement;
}

void ReplaceChar1ByChar2W(WideChar* buf, WideChar find, WideChar replacement, Integer count) {
  ReplaceChar1ByChar2(buf, find, replacement, count);
}

void ReplaceControlCharsBySpaceA(AnsiChar* buf, Integer count) {
  for (Integer i = 0; i < count; ++i)
    if (static_cast<Byte>(buf[i]) < 32) buf[i] = ' ';
}

void ReplaceControlCharsBySpaceW(WideChar* buf, Integer count) {
  for (Integer i = 0; i < count; ++i)
    if (buf[i] < 32) buf[i] = u' ';
}

namespace {
template <typename C>
void CarriageReturnsToSpace(C* buf, Integer count) {
  for (Integer i = 0; i < count; ++i) {
    if (buf[i] != 13) continue;
    buf[i] = 32;
    if (i + 1 < count && buf[i + 1] == 10) buf[++i] = 32;
  }
}
}  // namespace

void ReplaceCarriageReturnsBySpaceA(AnsiChar* buf, Integer count) { CarriageReturnsToSpace(buf, count); }
void ReplaceCarriageReturnsBySpaceW(WideChar* buf, Integer count) { CarriageReturnsToSpace(buf, count); }

void ReplaceTabsBySpace(AnsiChar* buf, Integer count) { ReplaceCharacterBySpace(buf, '\t', count); }

void BlankOutSomeBytesA(AnsiChar* buf, Integer count) {
  if (count > 0) std::memset(buf, ' ', static_cast<std::size_t>(count));
}

void BlankOutSomeBytesW(WideChar* buf, Integer count) {
  for (Integer i = 0; i < count; ++i) buf[i] = u' ';
}

void ZeroSomeBytesW(WideChar* buf, Integer count) {
  if (count > 0) std::memset(buf, 0, static_cast<std::size_t>(count) * sizeof(WideChar));
}

void CapitaliseABuffer(AnsiChar* buf, const ANSILower_or_upperStr_type& lowers,
                       const ANSILower_or_upperStr_type& uppers, Integer count) {
  const std::size_t k = std::min(LetterSetLength(lowers), LetterSetLength(uppers));
  for (Integer i = 0; i < count; ++i) {
    const Byte b = static_cast<Byte>(buf[i]);
    if (b < 'a') continue;
    if (b <= 'z') {
      buf[i] = static_cast<AnsiChar>(b - 32);
    } else {
      const int at = IndexInSet(lowers, k, buf[i]);
      if (at >= 0) buf[i] = uppers.chars[at];
    }
  }
}

void CutLowercaseWords(AnsiChar* buf, const ANSILower_or_upperStr_type& lowers,
                       const ANSILower_or_upperStr_type& uppers, Integer count) {
  const std::size_t nl = LetterSetLength(lowers), nu = LetterSetLength(uppers);
  bool has_upper = false;
  for (Integer i = 0; i < count; ++i) {
    const Byte b = static_cast<Byte>(buf[i]);
    if (b <= 32) {
      has_upper = false;
    } else if (b <= 64) {
      // digits and punctuation: no change of state
    } else if (b <= 'Z') {
      has_upper = true;
    } else if (has_upper) {
      // the word already has its capital: keep everything
    } else if (b >= 'a' && b <= 'z') {
      buf[i] = ' ';
    } else if (b > 'z') {
      if (IndexInSet(lowers, nl, buf[i]) >= 0)
        buf[i] = ' ';
      else if (IndexInSet(uppers, nu, buf[i]) >= 0)
        has_upper = true;
    }
  }
}

void Swap2Strings(WideChar* buf, Integer len_a, Integer len_b) {
  if (buf == nullptr || len_a <= 0 || len_b <= 0 || buf[0] == 0) return;
  // Rotate right by len_b by following cycles: there are gcd(n, len_b)
  // cycles, each of n / gcd elements; every unit moves exactly once.
  const std::size_t n = static_cast<std::size_t>(len_a) + static_cast<std::size_t>(len_b);
  const std::size_t shift = static_cast<std::size_t>(len_b);
  const std::size_t cycles = std::gcd(n, shift);
  for (std::size_t start = 0; start < cycles; ++start) {
    WideChar carried = buf[start];
    std::size_t pos = start;
    do {
      pos = (pos + shift) % n;
      std::swap(carried, buf[pos]);
    } while (pos != start);
  }
}

// ---------------------------------------------------------------------------
// Compacting

namespace {

// Shared walk of ClearBetweenChars and CleanBetweenChars.  A negative
// `max_span` means "to the end of the window".
Integer BetweenChars(AnsiChar* buf, AnsiChar open, AnsiChar close, Integer count, Integer max_span,
                     bool remove) {
  Integer w = 0;
  Integer r = 0;
  while (r < count) {
    if (buf[r] != open) {
      buf[w++] = buf[r++];
      continue;
    }
    Integer limit = count - r;  // characters from the opening one to the window's end
    if (max_span >= 0 && max_span < limit) limit = max_span;
    const void* hit = std::memchr(buf + r, static_cast<unsigned char>(close), static_cast<std::size_t>(limit));
    if (hit == nullptr) {
      ++r;  // an unclosed opening character is dropped alone
      continue;
    }
    const Integer end = static_cast<Integer>(static_cast<const AnsiChar*>(hit) - buf);
    if (remove) {
      r = end + 1;
    } else {
      while (r <= end) {
        buf[w++] = ' ';
        ++r;
      }
    }
  }
  buf[w] = 0;
  return w;
}

template <typename C>
Integer RemoveOne(C* buf, C c, Integer count) {
  if (count <= 0) return 0;
  Integer w = 0;
  for (Integer r = 0; r < count; ++r)
    if (buf[r] != c) buf[w++] = buf[r];
  buf[w] = 0;
  return w;
}

}  // namespace

Integer ClearBetweenChars(AnsiChar* buf, AnsiChar open, AnsiChar close, Integer count) {
  return BetweenChars(buf, open, close, count < 0 ? 0 : count, -1, true);
}

Integer CleanBetweenChars(AnsiChar* buf, AnsiChar open, AnsiChar close, Integer count, Integer max_span,
                          Boolean remove) {
  return BetweenChars(buf, open, close, count < 0 ? 0 : count, max_span < 0 ? 0 : max_span, remove);
}

Integer RemoveRedundantSpaceW(WideChar* buf, Integer count) {
  if (count < 0) count = 0;
  Integer w = 0;
  bool after_space = false;
  for (Integer r = 0; r < count; ++r) {
    const bool space = buf[r] == u' ';
    if (!(space && after_space)) buf[w++] = buf[r];
    after_space = space;
  }
  buf[w] = 0;
  return w;
}

Integer CutDoubleCRLFsW(WideChar* buf, Integer count) {
  if (count <= 0) return 0;
  Integer w = 0, r = 0;
  while (r < count) {
    if (r + 3 < count && buf[r] == 13 && buf[r + 1] == 10 && buf[r + 2] == 13 && buf[r + 3] == 10) {
      r += 2;
      continue;
    }
    buf[w++] = buf[r++];
  }
  if (w < count) buf[w] = 0;
  return w;
}

Integer LengthConvertedToUnix(AnsiChar* buf, Integer count) {
  Integer w = 0;
  for (Integer r = 0; r < count; ++r)
    if (buf[r] != '\n') buf[w++] = buf[r];
  return w;
}

Integer RemoveCharA(AnsiChar* buf, AnsiChar c, Integer count) { return RemoveOne(buf, c, count); }
Integer RemoveCharW(WideChar* buf, WideChar c, Integer count) { return RemoveOne(buf, c, count); }

// ---------------------------------------------------------------------------
// Integer arrays

Integer PositionInIntegerArray(Integer value, std::span<const Integer> arr, Integer count) {
  const Integer n = ClampCount(arr, count);
  for (Integer i = 0; i < n; ++i)
    if (arr[static_cast<std::size_t>(i)] == value) return i;
  return -1;
}

Integer PositionInArrayOfInteger(std::span<const Integer> arr, Integer value) {
  for (std::size_t i = arr.size(); i-- > 0;)
    if (arr[i] == value) return static_cast<Integer>(i);
  return -1;
}

Integer PositionInAscendingArrayOfInteger(std::span<const Integer> arr, Integer value,
                                          Boolean& beyond_the_end) {
  if (arr.empty()) return -1;
  if (static_cast<Cardinal>(value) > static_cast<Cardinal>(arr.back())) {
    beyond_the_end = true;
    return -1;
  }
  beyond_the_end = false;
  return PositionInArrayOfInteger(arr, value);
}

Integer ScanForIntBigger(Integer value, std::span<const Integer> arr, Integer count) {
  const Integer n = ClampCount(arr, count);
  for (Integer i = 0; i < n; ++i)
    if (static_cast<Cardinal>(arr[static_cast<std::size_t>(i)]) > static_cast<Cardinal>(value)) return i;
  return 0;
}

Integer ScanForInt(Integer value, std::span<const Integer> arr, Integer count) {
  const Integer n = ClampCount(arr, count);
  for (Integer i = 0; i < n; ++i)
    if (arr[static_cast<std::size_t>(i)] == value) return i + 1;
  return value;
}

}  // namespace cv
