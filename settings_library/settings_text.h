// Fixed-text helpers for the settings exports.
//
// The stored form of a text is what a setter would leave in the field: the
// text cut to N - 1 units (never between the two halves of a surrogate pair)
// and zero-padded to N units.  Setters compare stored forms, so setting the
// same over-long text twice reports a change only once.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

#include "core/basic_types.h"
#include "platform/types.h"

namespace cv {

// Reads a caller's zero-terminated text, looking at no more than `limit`
// units (the rest cannot reach a field of limit units anyway).
inline std::u16string_view CallerText(const char16_t* p, std::size_t limit) {
  if (p == nullptr) return {};
  std::size_t n = 0;
  while (n < limit && p[n] != 0) ++n;
  return {p, n};
}

// How many units of s fit into a field of `units` units.
inline std::size_t FittingUnits(std::u16string_view s, std::size_t units) {
  std::size_t n = std::min(s.size(), units - 1);
  // Never keep a high surrogate whose low half was cut off.
  if (n < s.size() && n > 0 && s[n - 1] >= 0xD800 && s[n - 1] <= 0xDBFF) --n;
  return n;
}

template <std::size_t N>
void MakeStoredForm(char16_t (&out)[N], std::u16string_view s) {
  const std::size_t n = FittingUnits(s, N);
  std::copy_n(s.data(), n, out);
  std::fill(out + n, out + N, u'\0');
}

// Plain text rule: compares the texts up to their terminators.
template <std::size_t N>
bool SetPlainText(char16_t (&field)[N], std::u16string_view s) {
  char16_t stored[N];
  MakeStoredForm(stored, s);
  if (FixedText(field) == FixedText(stored)) return false;
  std::memcpy(field, stored, sizeof stored);
  return true;
}

// Whole-array rule: compares all N units.
template <std::size_t N>
bool SetWholeArray(char16_t (&field)[N], const char16_t (&stored)[N]) {
  if (std::memcmp(field, stored, sizeof field) == 0) return false;
  std::memcpy(field, stored, sizeof field);
  return true;
}

// Makes sure the field is terminated inside its width and returns it.
template <std::size_t N>
const char16_t* TerminatedField(char16_t (&field)[N]) {
  TerminateFixedText(field);
  return field;
}

// Copies a text into a caller's buffer of `capacity` units, cut to fit and
// terminated; returns the text's whole length.
inline std::int32_t CopyOut(std::u16string_view s, char16_t* buffer, std::int32_t capacity) {
  if (buffer != nullptr && capacity > 0) {
    const std::size_t n = FittingUnits(s, static_cast<std::size_t>(capacity));
    std::copy_n(s.data(), n, buffer);
    buffer[n] = 0;
  }
  return static_cast<std::int32_t>(s.size());
}

}  // namespace cv
