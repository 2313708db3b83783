// Naming rules for files inside zip archives.
#include "lists/zip_utils.h"

#include <sys/stat.h>

#include "platform/utf.h"

namespace cv {

string global_current_zip_ext_slash;

namespace {

// ASCII lower case: positions in the result are positions in the name.
string LowerAscii(std::u16string_view s) {
  string out(s);
  for (auto& c : out)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
  return out;
}

// Delphi's ExtractFileExt: from the last '.' after the last path delimiter.
std::u16string_view Extension(std::u16string_view name) {
  const std::size_t dot = name.find_last_of(u".\\/:");
  if (dot == std::u16string_view::npos || name[dot] != u'.') return {};
  return name.substr(dot);
}

// Position of the split character, or npos.
std::size_t SplitPoint(std::u16string_view name, std::u16string_view marker) {
  const string lower = LowerAscii(name);
  std::size_t best = std::u16string_view::npos;
  for (std::u16string_view tag : {std::u16string_view(u".zip\\"), std::u16string_view(u".zip/")}) {
    const std::size_t p = lower.find(tag);
    if (p != string::npos && (best == std::u16string_view::npos || p + 4 < best)) best = p + 4;
  }
  if (best != std::u16string_view::npos) return best;
  if (!marker.empty()) {
    const std::size_t p = name.find(marker);
    if (p != std::u16string_view::npos) return p + marker.size() - 1;
  }
  return std::u16string_view::npos;
}

bool FileExists(std::u16string_view name) {
  struct stat st;
  return !name.empty() && ::stat(Utf16ToUtf8(name).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

bool IsAZipFile(std::u16string_view name) {
  return LowerAscii(Extension(name).substr(0, 4)) == u".zip";
}

Integer ZipFilePlusNumber(std::u16string_view name) {
  const std::u16string_view ext = Extension(name);
  if (ext.size() < 5) return -1;
  std::u16string_view digits = ext.substr(4);
  bool negative = false;
  if (digits[0] == u'+' || digits[0] == u'-') {
    negative = digits[0] == u'-';
    digits.remove_prefix(1);
  }
  if (digits.empty() || digits.size() > 10) return -1;
  Int64 v = 0;
  for (char16_t c : digits) {
    if (c < u'0' || c > u'9') return -1;
    v = v * 10 + (c - u'0');
  }
  if (negative) v = -v;
  if (v > 0x7FFFFFFF || v < -0x7FFFFFFFLL - 1) return -1;
  return static_cast<Integer>(v);
}

bool IsWithinAZipFile(std::u16string_view name, std::u16string_view marker) {
  if (FileExists(name)) return false;
  const string lower = LowerAscii(name);
  if (lower.find(u".zip\\") != string::npos || lower.find(u".zip/") != string::npos) return true;
  return !marker.empty() && lower.find(marker) != string::npos;
}

string ZipFileFullFileName(std::u16string_view name, std::u16string_view marker) {
  const std::size_t p = SplitPoint(name, marker);
  return p == std::u16string_view::npos ? string() : string(name.substr(0, p));
}

string ZipFileWantedFileNameWithin(std::u16string_view name, std::u16string_view marker) {
  const std::size_t p = SplitPoint(name, marker);
  return p == std::u16string_view::npos ? string() : string(name.substr(p + 1));
}

}  // namespace cv
