// Fixed-width text arrays for records that cross process or file boundaries.
//
// A type named for N holds N characters and the terminating zero (N + 1 code
// units).  Writers copy at most N characters and always leave the terminator;
// readers never look past the array, whatever its contents.
#pragma once

#include <algorithm>
#include <cstddef>

#include "platform/types.h"

namespace cv {

template <std::size_t Units>
using TFixedWideChars = char16_t[Units];

using maxpathwidechar = char16_t[261];
using eightywidechar = char16_t[81];
using fiftywidechar = char16_t[51];
using thirtywidechar = char16_t[31];
using tenwidechar = char16_t[11];
using hundredwidechar = char16_t[101];
using ninety_ninewidechar = char16_t[100];
using twohundred22widechar = char16_t[223];
using eightychar = char[81];

// The text held in a fixed array: up to the first zero, or the whole array
// when the terminator is missing (damaged or hostile data).
template <std::size_t Units>
std::u16string_view FixedText(const char16_t (&a)[Units]) {
  const char16_t* end = std::find(a, a + Units, u'\0');
  return {a, static_cast<std::size_t>(end - a)};
}

template <std::size_t Units>
std::string_view FixedText(const char (&a)[Units]) {
  const char* end = std::find(a, a + Units, '\0');
  return {a, static_cast<std::size_t>(end - a)};
}

// Stores s cut to Units - 1 characters; the rest of the array is zeroed, so
// equal texts give equal bytes.  Returns the number of characters stored.
template <std::size_t Units>
std::size_t SetFixedText(char16_t (&a)[Units], std::u16string_view s) {
  const std::size_t n = std::min(s.size(), Units - 1);
  std::copy_n(s.data(), n, a);
  std::fill(a + n, a + Units, u'\0');
  return n;
}

template <std::size_t Units>
std::size_t SetFixedText(char (&a)[Units], std::string_view s) {
  const std::size_t n = std::min(s.size(), Units - 1);
  std::copy_n(s.data(), n, a);
  std::fill(a + n, a + Units, '\0');
  return n;
}

// Forces the terminator into the last unit, for records copied in whole.
template <typename Ch, std::size_t Units>
void TerminateFixedText(Ch (&a)[Units]) {
  a[Units - 1] = Ch{};
}

}  // namespace cv
