#include "lemmatiser_library/list_file_text.h"

#include <algorithm>

#include "platform/utf.h"

namespace cv {

namespace {

template <typename Ch>
Integer CountBreaks(std::basic_string_view<Ch> text) {
  Integer n = 0;
  const std::size_t size = text.size();
  for (std::size_t i = 0; i < size; ++i) {
    if (text[i] == Ch('\r')) {
      ++n;
      if (i + 1 < size && text[i + 1] == Ch('\n')) ++i;
    } else if (text[i] == Ch('\n')) {
      ++n;
    }
  }
  return n;
}

bool HasByteAbove7F(std::string_view s) {
  return std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) > 0x7F; });
}

std::string_view UpToNul(std::string_view s) { return s.substr(0, std::min(s.find('\0'), s.size())); }

}  // namespace

Integer CountLineBreaks(std::string_view text) { return CountBreaks(text); }
Integer CountLineBreaks(std::u16string_view text) { return CountBreaks(text); }

bool DecodeListFileBytes(std::string_view bytes, TListFileText& out) {
  out = TListFileText{};
  if (bytes.size() < 2) return false;
  const auto b0 = static_cast<unsigned char>(bytes[0]);
  const auto b1 = static_cast<unsigned char>(bytes[1]);
  if ((b0 == 0xFF && b1 == 0xFE) || (b0 == 0xFE && b1 == 0xFF)) {
    const bool big_endian = b0 == 0xFE;
    out.encoding = big_endian ? TListFileEncoding::lfe_utf16be : TListFileEncoding::lfe_utf16le;
    const std::size_t units = (bytes.size() - 2) / 2;
    out.wide.reserve(units);
    for (std::size_t i = 0; i < units; ++i) {
      const auto lo = static_cast<unsigned char>(bytes[2 + 2 * i + (big_endian ? 1 : 0)]);
      const auto hi = static_cast<unsigned char>(bytes[2 + 2 * i + (big_endian ? 0 : 1)]);
      const auto unit = static_cast<char16_t>(lo | (hi << 8));
      if (unit == u'\0') break;
      out.wide.push_back(unit);
    }
    return true;
  }
  if (bytes.size() >= 3 && b0 == 0xEF && b1 == 0xBB && static_cast<unsigned char>(bytes[2]) == 0xBF) {
    out.encoding = TListFileEncoding::lfe_utf8;
    out.wide = Utf8ToUtf16(UpToNul(bytes.substr(3)));
    return true;
  }
  const std::string_view text = UpToNul(bytes);
  if (HasByteAbove7F(text) && IsValidUtf8(text)) {
    out.encoding = TListFileEncoding::lfe_utf8;
    out.wide = Utf8ToUtf16(text);
    return true;
  }
  out.encoding = TListFileEncoding::lfe_ansi;
  out.ansi.assign(text);
  return true;
}

}  // namespace cv
