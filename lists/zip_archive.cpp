// Zip archives on libzip.
#include "lists/zip_archive.h"

#include <zip.h>

#include <cstdio>

#include "platform/utf.h"

namespace cv {

namespace {

string ZipErrorText(int code) {
  zip_error_t err;
  zip_error_init_with_code(&err, code);
  string s = Utf8ToUtf16(zip_error_strerror(&err));
  zip_error_fini(&err);
  return s;
}

std::string NormalisedName(std::u16string_view name) {
  string n(name);
  for (auto& c : n)
    if (c == u'\\') c = u'/';
  return Utf16ToUtf8(n);
}

}  // namespace

bool IsSafeZipMemberName(std::u16string_view name) {
  if (name.empty() || name[0] == u'/' || name[0] == u'\\') return false;
  if (name.size() >= 2 && name[1] == u':') return false;
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t end = name.find_first_of(u"/\\", start);
    if (end == std::u16string_view::npos) end = name.size();
    if (name.substr(start, end - start) == u"..") return false;
    start = end + 1;
  }
  return true;
}

TZipArchiveReader::TZipArchiveReader(const string& file_name) : file_name_(file_name) {
  int code = 0;
  za_ = zip_open(Utf16ToUtf8(file_name).c_str(), ZIP_RDONLY, &code);
  if (!za_) throw EZipError(u"Cannot open zip archive \"" + file_name + u"\": " + ZipErrorText(code));
}

TZipArchiveReader::~TZipArchiveReader() {
  if (za_) zip_discard(za_);
}

string TZipArchiveReader::Comment() const {
  int len = 0;
  const char* c = zip_get_archive_comment(za_, &len, ZIP_FL_ENC_GUESS);
  if (!c || len <= 0) return string();
  return Utf8ToUtf16(std::string_view(c, static_cast<std::size_t>(len)));
}

Integer TZipArchiveReader::MemberCount() const {
  const zip_int64_t n = zip_get_num_entries(za_, 0);
  return n < 0 ? 0 : static_cast<Integer>(std::min<zip_int64_t>(n, 0x7FFFFFFF));
}

string TZipArchiveReader::MemberName(Integer n) const {
  if (n < 1 || n > MemberCount()) return string();
  const char* name = zip_get_name(za_, static_cast<zip_uint64_t>(n - 1), ZIP_FL_ENC_GUESS);
  return name ? Utf8ToUtf16(name) : string();
}

Int64 TZipArchiveReader::MemberSize(Integer n) const {
  if (n < 1 || n > MemberCount()) return -1;
  zip_stat_t st;
  zip_stat_init(&st);
  if (zip_stat_index(za_, static_cast<zip_uint64_t>(n - 1), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE))
    return -1;
  return static_cast<Int64>(st.size);
}

Integer TZipArchiveReader::IndexOfName(std::u16string_view name) const {
  const zip_int64_t i = zip_name_locate(za_, NormalisedName(name).c_str(), ZIP_FL_NOCASE | ZIP_FL_ENC_GUESS);
  return i < 0 || i >= 0x7FFFFFFF ? 0 : static_cast<Integer>(i + 1);
}

bool TZipArchiveReader::ReadMember(Integer n, std::size_t max_bytes, std::string& out) const {
  const Int64 size = MemberSize(n);
  if (size < 0 || static_cast<UInt64>(size) > max_bytes) return false;
  zip_file_t* f = zip_fopen_index(za_, static_cast<zip_uint64_t>(n - 1), 0);
  if (!f) throw EZipError(u"Cannot read member " + MemberName(n) + u" of \"" + file_name_ + u"\"");
  std::string bytes(static_cast<std::size_t>(size), '\0');
  zip_int64_t done = 0;
  while (done < size) {
    const zip_int64_t r = zip_fread(f, bytes.data() + done, static_cast<zip_uint64_t>(size - done));
    if (r <= 0) break;
    done += r;
  }
  // One byte more than declared means the directory lied about the size.
  char extra;
  const bool overlong = done == size && zip_fread(f, &extra, 1) > 0;
  zip_fclose(f);
  if (done != size || overlong)
    throw EZipError(u"Damaged member " + MemberName(n) + u" of \"" + file_name_ + u"\"");
  out.swap(bytes);
  return true;
}

TZipArchiveWriter::TZipArchiveWriter(const string& file_name) : file_name_(file_name) {
  int code = 0;
  za_ = zip_open(Utf16ToUtf8(file_name).c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  if (!za_) throw EZipError(u"Cannot create zip archive \"" + file_name + u"\": " + ZipErrorText(code));
}

TZipArchiveWriter::~TZipArchiveWriter() {
  if (za_) zip_discard(za_);
}

void TZipArchiveWriter::SetComment(std::u16string_view comment) {
  const std::string c = Utf16ToUtf8(comment);
  if (c.size() > 0xFFFF || zip_set_archive_comment(za_, c.data(), static_cast<zip_uint16_t>(c.size())) != 0)
    throw EZipError(u"Cannot set the comment of \"" + file_name_ + u"\"");
}

void TZipArchiveWriter::AddMember(std::u16string_view name, std::string bytes) {
  if (!IsSafeZipMemberName(name)) throw EZipError(u"Unsafe member name " + string(name));
  // libzip reads the data at Commit, so it must stay alive until then.
  pending_.push_back(std::make_unique<std::string>(std::move(bytes)));
  const std::string& data = *pending_.back();
  zip_source_t* src = zip_source_buffer(za_, data.data(), data.size(), 0);
  if (!src) throw EZipError(u"Cannot add " + string(name));
  if (zip_file_add(za_, NormalisedName(name).c_str(), src, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0) {
    zip_source_free(src);
    throw EZipError(u"Cannot add " + string(name) + u" to \"" + file_name_ + u"\"");
  }
}

void TZipArchiveWriter::Commit() {
  // libzip writes a temporary file and renames it over the old one.
  if (zip_close(za_) != 0) {
    const string msg = u"Cannot write zip archive \"" + file_name_ + u"\": " + Utf8ToUtf16(zip_strerror(za_));
    zip_discard(za_);
    za_ = nullptr;
    throw EZipError(msg);
  }
  za_ = nullptr;
  pending_.clear();
}

}  // namespace cv
