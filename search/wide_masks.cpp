#include "search/wide_masks.h"

#include "platform/nls.h"
#include "platform/sysutils.h"

namespace cv {

namespace {

inline char16_t FoldUnit(char16_t c) {
  if (c < 0x80) return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
  if (c >= 0xD800 && c <= 0xDFFF) return c;
  // Only mappings that come back again: the shell leaves the dotless i and
  // the long s alone rather than calling them I and S.
  const char32_t u = UpperCodePoint(c, false);
  if (u == c || u > 0xFFFF || LowerCodePoint(u, false) != c) return c;
  return static_cast<char16_t>(u);
}

// One mask (no ';' inside) against the whole name.  The classic
// single-back-track glob walk: on a mismatch after a star, the star takes one
// more unit and the rest of the mask is tried again from there.  Only the
// last star needs remembering, because a later star can absorb whatever an
// earlier one would have.
bool MatchOneMask(std::u16string_view name, std::u16string_view mask) {
  std::size_t n = 0, m = 0;
  std::size_t star = std::u16string_view::npos;  // mask index after the last star
  std::size_t resume = 0;                        // name index that star has reached
  while (n < name.size()) {
    if (m < mask.size()) {
      const char16_t mc = mask[m];
      if (mc == u'*') {
        star = ++m;
        resume = n;
        continue;
      }
      if (mc == u'?' || FoldUnit(mc) == FoldUnit(name[n])) {
        ++n;
        ++m;
        continue;
      }
    }
    if (star == std::u16string_view::npos) return false;
    m = star;
    n = ++resume;
  }
  while (m < mask.size() && mask[m] == u'*') ++m;
  return m == mask.size();
}

}  // namespace

void BuildAMask(std::vector<string>& masks, std::u16string_view s) {
  masks.clear();
  const string text = StringReplace(Trim(s), u"\r\n", u";", rfReplaceAll | rfIgnoreCase);
  std::size_t from = 0;
  for (;;) {
    const std::size_t semi = text.find(u';', from);
    if (semi == string::npos) break;
    masks.emplace_back(text, from, semi - from);
    from = semi + 1;
  }
  if (from < text.size()) masks.emplace_back(text, from);
}

bool MatchesMask(std::u16string_view name, std::u16string_view mask_list) {
  if (name.empty()) return false;
  if (mask_list == u"*.*") return true;
  std::size_t from = 0;
  while (from < mask_list.size()) {
    while (from < mask_list.size() && mask_list[from] == u' ') ++from;
    std::size_t end = mask_list.find(u';', from);
    if (end == std::u16string_view::npos) end = mask_list.size();
    if (MatchOneMask(name, mask_list.substr(from, end - from))) return true;
    from = end + 1;
  }
  return false;
}

Integer WhereInAMask(std::u16string_view name, const std::vector<string>& masks) {
  for (std::size_t i = 0; i < masks.size(); ++i)
    if (!masks[i].empty() && MatchesMask(name, masks[i])) return static_cast<Integer>(i);
  return -1;
}

}  // namespace cv
