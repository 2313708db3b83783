// The text of a lemma, match, stop or relation list file, and the small
// scanning rules its reader shares.
//
// A list file is plain text in one of these encodings, recognised from its
// first bytes:
//   FF FE ...           UTF-16 little-endian (an odd last byte is ignored)
//   FE FF ...           UTF-16 big-endian
//   EF BB BF ...        UTF-8; the signature is dropped
//   anything else       UTF-8 when the text is well-formed UTF-8 and holds a
//                       byte above 7F; otherwise 8-bit text in the default
//                       ANSI code page
// UTF-8 text is decoded to UTF-16, so a list read from it is a UTF-16 list.
// The text ends at its first NUL: nothing after it is ever parsed.
//
// Within the text, items end at a line end (LF, FF, CR, and in UTF-16 text
// also VT) or, unless commas are allowed inside items, at a comma.  An item
// is trimmed of every character up to and including the space (code 32 or
// below) at both ends; in 8-bit text that is done on the bytes.
#pragma once

#include <string_view>
#include <type_traits>

#include "platform/types.h"

namespace cv {

enum class TListFileEncoding : Byte { lfe_ansi, lfe_utf16le, lfe_utf16be, lfe_utf8 };

struct TListFileText {
  TListFileEncoding encoding = TListFileEncoding::lfe_ansi;
  // The text when the encoding is not lfe_ansi; cut at its first NUL.
  string wide;
  // The text when the encoding is lfe_ansi; cut at its first NUL.
  AnsiString ansi;
  bool in_unicode() const { return encoding != TListFileEncoding::lfe_ansi; }
};

// False (and `out` left empty) for fewer than 2 bytes, which is no list file.
bool DecodeListFileBytes(std::string_view bytes, TListFileText& out);

// Line breaks in the text: CR LF, a lone CR and a lone LF count one each.
Integer CountLineBreaks(std::string_view text);
Integer CountLineBreaks(std::u16string_view text);

inline bool IsListLineEnd(char c) { return c == '\n' || c == '\f' || c == '\r' || c == '\0'; }
inline bool IsListLineEnd(char16_t c) {
  return c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r' || c == u'\0';
}

// The item without the characters up to and including the space at either end.
template <typename Ch>
std::basic_string_view<Ch> TrimListItem(std::basic_string_view<Ch> s) {
  auto blank = [](Ch c) {
    using U = std::make_unsigned_t<Ch>;
    return static_cast<U>(c) <= 32;
  };
  std::size_t b = 0;
  std::size_t e = s.size();
  while (b < e && blank(s[b])) ++b;
  while (e > b && blank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

}  // namespace cv
