// Heap null-terminated strings and their comparisons.
#include "lists/pointer_utils.h"

#include <algorithm>
#include <cstring>

#include "platform/classes.h"
#include "platform/nls.h"

namespace cv {

Cardinal my_default_sort = 0;

namespace {

template <class Ch>
Ch* NewCopy(const Ch* s, std::size_t n) {
  Ch* p = new Ch[n + 1];
  if (n) std::memcpy(p, s, n * sizeof(Ch));
  p[n] = Ch{};
  return p;
}

template <class View>
Integer CodeUnitCompare(View a, View b) {
  // Unsigned code units, as the null-terminated comparisons do.
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = static_cast<std::make_unsigned_t<typename View::value_type>>(a[i]);
    const auto y = static_cast<std::make_unsigned_t<typename View::value_type>>(b[i]);
    if (x != y) return x > y ? 1 : -1;
  }
  return a.size() == b.size() ? 0 : (a.size() > b.size() ? 1 : -1);
}

template <class Ch>
Integer ComparePos(const Ch* s, const Ch* pattern, bool at_start, bool at_end, bool any_digit) {
  if (!s || !pattern) return 1;
  const std::basic_string_view<Ch> sv(s), pv(pattern);
  if (any_digit) {
    return std::any_of(sv.begin(), sv.end(), [](Ch c) { return c >= Ch('0') && c <= Ch('9'); }) ? 0 : 1;
  }
  if (at_start) return CodeUnitCompare(pv, sv.substr(0, pv.size()));
  if (at_end) {
    if (sv.size() < pv.size()) return 1;
    return CodeUnitCompare(pv, sv.substr(sv.size() - pv.size()));
  }
  return sv.find(pv) != std::basic_string_view<Ch>::npos ? 0 : 1;
}

}  // namespace

char16_t* MyNewPChar(std::u16string_view s) { return NewCopy(s.data(), s.size()); }
char* MyNewPAnsichar(std::string_view s) { return NewCopy(s.data(), s.size()); }
void DeletePChar(char16_t* p) { delete[] p; }
void DeletePAnsichar(char* p) { delete[] p; }

char16_t* CheckedNewLenPchar(const char16_t* s, Integer n) {
  if (!s || n <= 0) return NewCopy(u"", 0);
  const auto len = static_cast<std::size_t>(std::find(s, s + n, u'\0') - s);
  return NewCopy(s, len);
}

char* CheckedNewLenPAnsichar(const char* s, Integer n) {
  if (!s || n <= 0) return NewCopy("", 0);
  const auto len = static_cast<std::size_t>(std::find(s, s + n, '\0') - s);
  return NewCopy(s, len);
}

Integer StrLenW(const char16_t* p) { return p ? static_cast<Integer>(std::u16string_view(p).size()) : 0; }
Integer StrLenA(const char* p) { return p ? static_cast<Integer>(std::strlen(p)) : 0; }

Integer ComparePchar(std::u16string_view a, std::u16string_view b) { return CodeUnitCompare(a, b); }
Integer ComparePAnsichar(std::string_view a, std::string_view b) { return CodeUnitCompare(a, b); }

Integer CompareLCIDPchar(LCID lcid, std::u16string_view a, std::u16string_view b) {
  const int r = CompareStringW(lcid, my_default_sort, a, b);
  if (r < CSTR_LESS_THAN || r > CSTR_GREATER_THAN) return CodeUnitCompare(a, b);
  return r - CSTR_EQUAL;
}

Integer CompareLCIDPAnsichar(LCID lcid, std::string_view a, std::string_view b) {
  Cardinal cp = AnsiCodePageOfLCID(ResolveLCID(lcid));
  if (cp == 0) cp = GetACP();
  return CompareLCIDPchar(lcid, DecodeCodePage(a, cp), DecodeCodePage(b, cp));
}

Integer CompareWdPrefixSuffixPchar(std::u16string_view a1, std::u16string_view b1, std::u16string_view a2,
                                   std::u16string_view b2, std::u16string_view a3, std::u16string_view b3) {
  Integer r = ComparePchar(a1, b1);
  if (r == 0) r = ComparePchar(a2, b2);
  if (r == 0) r = ComparePchar(a3, b3);
  return r;
}

Integer CompareWdPrefixSuffixPAnsichar(std::string_view a1, std::string_view b1, std::string_view a2,
                                       std::string_view b2, std::string_view a3, std::string_view b3) {
  Integer r = ComparePAnsichar(a1, b1);
  if (r == 0) r = ComparePAnsichar(a2, b2);
  if (r == 0) r = ComparePAnsichar(a3, b3);
  return r;
}

Integer CompareLCIDWdPrefixSuffixPchar(LCID lcid, std::u16string_view a1, std::u16string_view b1,
                                       std::u16string_view a2, std::u16string_view b2, std::u16string_view a3,
                                       std::u16string_view b3) {
  Integer r = CompareLCIDPchar(lcid, a1, b1);
  if (r == 0) r = CompareLCIDPchar(lcid, a2, b2);
  if (r == 0) r = CompareLCIDPchar(lcid, a3, b3);
  return r;
}

Integer CompareLCIDWdPrefixSuffixPAnsichar(LCID lcid, std::string_view a1, std::string_view b1,
                                           std::string_view a2, std::string_view b2, std::string_view a3,
                                           std::string_view b3) {
  Integer r = CompareLCIDPAnsichar(lcid, a1, b1);
  if (r == 0) r = CompareLCIDPAnsichar(lcid, a2, b2);
  if (r == 0) r = CompareLCIDPAnsichar(lcid, a3, b3);
  return r;
}

Integer ComparePosPchar(LCID, const char16_t* s, const char16_t* pattern, bool at_start, bool at_end,
                        bool any_digit) {
  return ComparePos(s, pattern, at_start, at_end, any_digit);
}

Integer ComparePosPAnsichar(LCID, const char* s, const char* pattern, bool at_start, bool at_end,
                            bool any_digit) {
  return ComparePos(s, pattern, at_start, at_end, any_digit);
}

}  // namespace cv
