#include "files/file_names.h"

#include "platform/nls.h"
#include "platform/utf.h"

namespace cv {

std::string SysPath(std::u16string_view name) { return Utf16ToUtf8(name); }

string FromSysPath(std::string_view path) { return Utf8ToUtf16(path); }

string ExtractFilePath(std::u16string_view name) {
  const std::size_t p = name.rfind(PathDelim);
  return p == std::u16string_view::npos ? string() : string(name.substr(0, p + 1));
}

string ExtractFileDir(std::u16string_view name) {
  const std::size_t p = name.rfind(PathDelim);
  if (p == std::u16string_view::npos) return string();
  return string(name.substr(0, p == 0 ? 1 : p));
}

string ExtractFileName(std::u16string_view name) {
  const std::size_t p = name.rfind(PathDelim);
  return string(p == std::u16string_view::npos ? name : name.substr(p + 1));
}

string ExtractFileExt(std::u16string_view name) {
  const std::size_t slash = name.rfind(PathDelim);
  const std::size_t dot = name.rfind(u'.');
  if (dot == std::u16string_view::npos || (slash != std::u16string_view::npos && dot < slash))
    return string();
  return string(name.substr(dot));
}

string ChangeFileExt(std::u16string_view name, std::u16string_view ext) {
  const std::size_t cut = name.size() - ExtractFileExt(name).size();
  string out(name.substr(0, cut));
  out += ext;
  return out;
}

string IncludeTrailingPathDelimiter(std::u16string_view s) {
  string out(s);
  if (out.empty() || out.back() != PathDelim) out += PathDelim;
  return out;
}

string ExcludeTrailingPathDelimiter(std::u16string_view s) {
  string out(s);
  if (out.size() > 1 && out.back() == PathDelim) out.pop_back();
  return out;
}

string UpperName(std::u16string_view s) { return UnicodeUpperCase(s); }

bool SameNameIgnoringCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && UpperName(a) == UpperName(b);
}

bool StartsWithIgnoringCase(std::u16string_view s, std::u16string_view prefix) {
  return s.size() >= prefix.size() && SameNameIgnoringCase(s.substr(0, prefix.size()), prefix);
}

}  // namespace cv
