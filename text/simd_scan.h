// Vector helpers for the buffer scans of bare_assemb (internal to text/).
//
// Each helper finds or counts code units in a window of n units.  They use
// SSE2, which every x86-64 processor has, and fall back to plain loops on
// other targets.  Loads are unaligned and never touch a byte outside the
// window: the tail shorter than one vector is handled by a scalar loop.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace cv::simd {

// First unit of [p, p+n) equal to c, or nullptr.
inline const char16_t* FindW(const char16_t* p, std::size_t n, char16_t c) {
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i v = _mm_set1_epi16(static_cast<short>(c));
  for (; i + 32 <= n; i += 32) {
    const __m128i a = _mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)), v);
    const __m128i b = _mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 8)), v);
    const __m128i d = _mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 16)), v);
    const __m128i e = _mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 24)), v);
    const __m128i any = _mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(d, e));
    if (_mm_movemask_epi8(any) != 0) {
      const __m128i parts[4] = {a, b, d, e};
      for (int k = 0; k < 4; ++k) {
        const int m = _mm_movemask_epi8(parts[k]);
        if (m != 0) return p + i + 8 * k + (__builtin_ctz(static_cast<unsigned>(m)) >> 1);
      }
    }
  }
  for (; i + 8 <= n; i += 8) {
    const int m = _mm_movemask_epi8(
        _mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)), v));
    if (m != 0) return p + i + (__builtin_ctz(static_cast<unsigned>(m)) >> 1);
  }
#endif
  for (; i < n; ++i)
    if (p[i] == c) return p + i;
  return nullptr;
}

// First unit of [p, p+n) equal to c1 or c2, or nullptr.
inline const char16_t* Find2W(const char16_t* p, std::size_t n, char16_t c1, char16_t c2) {
  if (c1 == c2) return FindW(p, n, c1);
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i v1 = _mm_set1_epi16(static_cast<short>(c1));
  const __m128i v2 = _mm_set1_epi16(static_cast<short>(c2));
  for (; i + 16 <= n; i += 16) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 8));
    const __m128i a = _mm_or_si128(_mm_cmpeq_epi16(x, v1), _mm_cmpeq_epi16(x, v2));
    const __m128i b = _mm_or_si128(_mm_cmpeq_epi16(y, v1), _mm_cmpeq_epi16(y, v2));
    const unsigned m = static_cast<unsigned>(_mm_movemask_epi8(a)) |
                       (static_cast<unsigned>(_mm_movemask_epi8(b)) << 16);
    if (m != 0) return p + i + (__builtin_ctz(m) >> 1);
  }
#endif
  for (; i < n; ++i)
    if (p[i] == c1 || p[i] == c2) return p + i;
  return nullptr;
}

// First unit of [p, p+n) equal to any of set[0..k), 1 <= k <= 4, or nullptr.
inline const char16_t* FindAnyW(const char16_t* p, std::size_t n, const char16_t* set, int k) {
  std::size_t i = 0;
#if defined(__SSE2__)
  __m128i v[4];
  for (int j = 0; j < 4; ++j) v[j] = _mm_set1_epi16(static_cast<short>(set[j < k ? j : 0]));
  for (; i + 16 <= n; i += 16) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 8));
    __m128i a = _mm_cmpeq_epi16(x, v[0]), b = _mm_cmpeq_epi16(y, v[0]);
    for (int j = 1; j < 4; ++j) {
      a = _mm_or_si128(a, _mm_cmpeq_epi16(x, v[j]));
      b = _mm_or_si128(b, _mm_cmpeq_epi16(y, v[j]));
    }
    const unsigned m = static_cast<unsigned>(_mm_movemask_epi8(a)) |
                       (static_cast<unsigned>(_mm_movemask_epi8(b)) << 16);
    if (m != 0) return p + i + (__builtin_ctz(m) >> 1);
  }
#endif
  for (; i < n; ++i)
    for (int j = 0; j < k; ++j)
      if (p[i] == set[j]) return p + i;
  return nullptr;
}

// First byte of [p, p+n) equal to c1 or c2, or nullptr.
inline const char* Find2A(const char* p, std::size_t n, char c1, char c2) {
  if (c1 == c2) return static_cast<const char*>(std::memchr(p, static_cast<unsigned char>(c1), n));
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i v1 = _mm_set1_epi8(c1);
  const __m128i v2 = _mm_set1_epi8(c2);
  for (; i + 32 <= n; i += 32) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 16));
    const __m128i a = _mm_or_si128(_mm_cmpeq_epi8(x, v1), _mm_cmpeq_epi8(x, v2));
    const __m128i b = _mm_or_si128(_mm_cmpeq_epi8(y, v1), _mm_cmpeq_epi8(y, v2));
    const unsigned m = static_cast<unsigned>(_mm_movemask_epi8(a)) |
                       (static_cast<unsigned>(_mm_movemask_epi8(b)) << 16);
    if (m != 0) return p + i + __builtin_ctz(m);
  }
#endif
  for (; i < n; ++i)
    if (p[i] == c1 || p[i] == c2) return p + i;
  return nullptr;
}

// Number of bytes of [p, p+n) equal to c.
inline std::size_t CountA(const char* p, std::size_t n, char c) {
  std::size_t total = 0, i = 0;
#if defined(__SSE2__)
  const __m128i v = _mm_set1_epi8(c);
  while (i + 16 <= n) {
    // Per-lane byte counters overflow after 255 steps: fold them every 255.
    __m128i acc = _mm_setzero_si128();
    const std::size_t steps = std::min<std::size_t>((n - i) / 16, 255);
    for (std::size_t s = 0; s < steps; ++s, i += 16)
      acc = _mm_sub_epi8(acc, _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)), v));
    const __m128i sums = _mm_sad_epu8(acc, _mm_setzero_si128());
    total += static_cast<std::size_t>(_mm_cvtsi128_si32(sums)) +
             static_cast<std::size_t>(_mm_extract_epi16(sums, 4));
  }
#endif
  for (; i < n; ++i) total += (p[i] == c);
  return total;
}

// Number of units of [p, p+n) equal to c.
inline std::size_t CountW(const char16_t* p, std::size_t n, char16_t c) {
  std::size_t total = 0, i = 0;
#if defined(__SSE2__)
  const __m128i v = _mm_set1_epi16(static_cast<short>(c));
  while (i + 8 <= n) {
    __m128i acc = _mm_setzero_si128();
    const std::size_t steps = std::min<std::size_t>((n - i) / 8, 32767);
    for (std::size_t s = 0; s < steps; ++s, i += 8)
      acc = _mm_sub_epi16(acc, _mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)), v));
    alignas(16) std::uint16_t lanes[8];
    _mm_store_si128(reinterpret_cast<__m128i*>(lanes), acc);
    for (std::uint16_t l : lanes) total += l;
  }
#endif
  for (; i < n; ++i) total += (p[i] == c);
  return total;
}

}  // namespace cv::simd
