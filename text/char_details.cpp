#include "text/char_details.h"

#include "text/char_types.h"
#include "text/simd_scan.h"

namespace cv {

bool GetStringTypeExNT2000(Boolean is_unicode, LCID lcid, Cardinal info_type, Word* details, Integer count,
                           const void* buffer) {
  if (is_unicode) return GetStringTypeExW(lcid, info_type, static_cast<const char16_t*>(buffer), count, details);
  return GetStringTypeExA(lcid, info_type, static_cast<const char*>(buffer), count, details);
}

namespace {
void SetWhereUnit(const WideChar* buffer, Word* details, Integer count, WideChar unit, Word value) {
  if (buffer == nullptr || details == nullptr || count <= 0) return;
  const WideChar* p = buffer;
  const WideChar* const end = buffer + count;
  while ((p = simd::FindW(p, static_cast<std::size_t>(end - p), unit)) != nullptr) {
    details[p - buffer] = value;
    ++p;
  }
}

// The walk from an occurrence towards one side.  Returns 0 when refused,
// else the class the neighbour asks for: 0x0204 for a digit, 0x0302 for a
// letter.
Word NeighbourClass(const Word* details, Integer from, Integer step, Integer length) {
  for (Integer i = from + step; i >= 0 && i < length; i += step) {
    const Word d = details[i];
    if (d & kDetailsStop) return 0;
    if (d & kDetailsPassOver) continue;
    if (d & kDetailsDigit) return kDetailsDefinedDigit;
    if (d & kDetailsLetter) return kDetailsDefinedLowerLetter;
    return 0;
  }
  return 0;  // ran past the buffer's edge
}

void JoinAt(Word* details, Integer i, Integer length, bool right_edge_ok, bool left_edge_ok) {
  if (details[i] & kDetailsPassOver) return;
  Word value = kDetailsDefinedLowerLetter;
  if (!left_edge_ok) {
    const Word left = NeighbourClass(details, i, -1, length);
    if (left == 0) return;
    value = left;
  }
  if (!right_edge_ok) {
    const Word right = NeighbourClass(details, i, +1, length);
    if (right == 0) return;
    if (right == kDetailsDefinedDigit) value = kDetailsDefinedDigit;
  }
  details[i] = value;
}
}  // namespace

void SetZeroWidthJoinersToDefined(const WideChar* buffer, Word* details, Integer count) {
  SetWhereUnit(buffer, details, count, u'\u200D', kDetailsDefined);
}

void SetZeroWidthNonJoinersToDefinedAlpha(const WideChar* buffer, Word* details, Integer count) {
  SetWhereUnit(buffer, details, count, u'\u200C', kDetailsDefinedLetter);
}

void HandleMiddleChars(const void* buffer, Word* details, std::u16string_view allowed, Integer allowed_count,
                       Integer length, Boolean is_unicode, Boolean right_edge_ok, Boolean left_edge_ok) {
  if (buffer == nullptr || details == nullptr || allowed_count <= 0 || length <= 0) return;
  const std::size_t n_allowed = std::min<std::size_t>(static_cast<std::size_t>(allowed_count), allowed.size());
  const std::size_t n = static_cast<std::size_t>(length);
  for (std::size_t k = 0; k < n_allowed; ++k) {
    // Vector scan for each allowed character: occurrences are rare, so the
    // pass costs little more than reading the buffer once per character.
    if (is_unicode) {
      const auto* text = static_cast<const WideChar*>(buffer);
      const WideChar* p = text;
      while ((p = simd::FindW(p, n - static_cast<std::size_t>(p - text), allowed[k])) != nullptr) {
        JoinAt(details, static_cast<Integer>(p - text), length, right_edge_ok, left_edge_ok);
        ++p;
      }
    } else {
      const auto* text = static_cast<const char*>(buffer);
      const char c = static_cast<char>(allowed[k] & 0xFF);
      const char* p = text;
      while ((p = static_cast<const char*>(std::memchr(p, static_cast<unsigned char>(c),
                                                       n - static_cast<std::size_t>(p - text)))) != nullptr) {
        JoinAt(details, static_cast<Integer>(p - text), length, right_edge_ok, left_edge_ok);
        ++p;
      }
    }
  }
}

void HandleMiddleCharsInNumbers(Boolean is_unicode, Boolean spaces_join_numbers, const void* buffer,
                                Word* details, Integer count) {
  if (buffer == nullptr || details == nullptr || count < 3) return;
  auto join = [details](Integer mid) {
    if ((details[mid - 1] & kDetailsDigit) && !(details[mid] & kDetailsDigit) && (details[mid + 1] & kDetailsDigit))
      details[mid] = kDetailsDefinedDigit;
  };
  if (is_unicode) {
    // Only the separators can change, so jump from one to the next with a
    // vector scan instead of testing every entry.
    const char16_t separators[4] = {u'.', u',', u'\u00B7', u' '};
    const int k = spaces_join_numbers ? 4 : 3;
    const auto* text = static_cast<const WideChar*>(buffer);
    const WideChar* const last = text + count - 1;  // a separator needs a digit after it
    const WideChar* p = text + 1;
    while (p < last && (p = simd::FindAnyW(p, static_cast<std::size_t>(last - p), separators, k)) != nullptr) {
      join(static_cast<Integer>(p - text));
      ++p;
    }
    return;
  }
  const auto* bytes = static_cast<const Byte*>(buffer);
  for (Integer mid = 1; mid + 1 < count; ++mid) {
    const Byte c = bytes[mid];
    if (c == '.' || c == ',' || c == 0xB7 || (spaces_join_numbers && c == ' ')) join(mid);
  }
}

}  // namespace cv
