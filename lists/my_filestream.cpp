// File streams with checksums, pointer and short strings, zip members as text.
#include "lists/my_filestream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "lists/pointer_utils.h"
#include "lists/zip_archive.h"
#include "lists/zip_utils.h"
#include "platform/coding.h"
#include "platform/nls.h"
#include "platform/utf.h"
#include "text/bare_assemb.h"

namespace cv {

Integer temp_pointer_chars_allocated = 0;

namespace {

bool WriteAll(TStream& stream, const std::string& bytes) {
  return stream.Write(bytes.data(), static_cast<Int64>(bytes.size())) == static_cast<Int64>(bytes.size());
}

string IntText(Int64 v) { return Latin1ToUtf16(std::to_string(v)); }

}  // namespace

// ---------------------------------------------------------------------------
// Checksums

bool TMyFileStream::WriteAShortString(std::string_view s) { return WriteShortString(*this, s); }

Integer TMyCheckSumFileStream::GetChecksum() {
  // Chunks are whole 32-bit words, so the sum of the chunks' sums is the
  // sum of the whole: the file is never held in memory at once.
  constexpr Int64 kChunk = 1 << 20;
  static_assert(kChunk % 4 == 0);
  Int64 left = Size();
  std::string buf(static_cast<std::size_t>(std::min(left, kChunk)), '\0');
  std::uint32_t sum = 0;
  while (left > 0) {
    const Int64 n = std::min(left, kChunk);
    ReadBuffer(buf.data(), n);
    sum += static_cast<std::uint32_t>(My4Checksum(buf.data(), static_cast<Integer>(n)));
    left -= n;
  }
  return static_cast<Integer>(sum);
}

Integer CheckSumOfAFile(const string& file_name) {
  struct stat st;
  if (::stat(Utf16ToUtf8(file_name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return 0;
  TMyCheckSumFileStream f(file_name, fmOpenRead | fmShareDenyNone);
  return f.GetChecksum();
}

// ---------------------------------------------------------------------------
// Pointer strings

// n bytes of the stream in a new zero-terminated buffer (delete[] it).
static char* ReadTerminatedAnsi(TStream& stream, std::size_t n) {
  std::unique_ptr<char[]> p(new char[n + 1]);
  stream.ReadBuffer(p.get(), static_cast<Int64>(n));
  p[n] = '\0';
  return p.release();
}

bool WriteKnownLengthPointer(TStream& stream, const void* p, bool wide, Integer n, Integer limit) {
  if (n > limit || (n >= 1 && !p)) return false;
  std::string bytes;
  PutFixed32(bytes, static_cast<std::uint32_t>(n));
  if (n >= 1) {
    if (wide)
      PutUtf16(bytes, std::u16string_view(static_cast<const char16_t*>(p), static_cast<std::size_t>(n)));
    else
      bytes.append(static_cast<const char*>(p), static_cast<std::size_t>(n));
  }
  return WriteAll(stream, bytes);
}

bool WriteUnknownLengthPointer(TStream& stream, const void* p, bool wide, Integer limit) {
  const Integer n = !p ? 0 : wide ? StrLenW(static_cast<const char16_t*>(p)) : StrLenA(static_cast<const char*>(p));
  return WriteKnownLengthPointer(stream, p, wide, n, limit);
}

void* ReadUnknownLengthPointerMaxSize(TStream& stream, bool wide, Integer maxsize) {
  std::uint8_t head[4];
  stream.ReadBuffer(head, 4);
  const auto n = static_cast<Integer>(DecodeFixed32(head));
  temp_pointer_chars_allocated = n;
  const Int64 unit = wide ? 2 : 1;
  if (n < 0 || n > maxsize || unit * n > stream.Remaining())
    throw EFileReadError(u"ReadUnknownLengthPointer " + IntText(n));
  if (wide) {
    std::string bytes(2 * static_cast<std::size_t>(n), '\0');
    stream.ReadBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
    auto* p = new char16_t[static_cast<std::size_t>(n) + 1];
    DecodeUtf16(reinterpret_cast<const std::uint8_t*>(bytes.data()), static_cast<std::size_t>(n), p);
    p[n] = u'\0';
    return p;
  }
  return ReadTerminatedAnsi(stream, static_cast<std::size_t>(n));
}

void* ReadUnknownLengthPointer(TStream& stream, bool wide) {
  return ReadUnknownLengthPointerMaxSize(stream, wide, kPointerStringLimit);
}

bool StreamWritePchar(TStream& stream, const char16_t* p) {
  const Integer n = StrLenW(p);
  if (n > kPointerStringLimit) return false;
  std::string bytes;
  PutFixed32(bytes, static_cast<std::uint32_t>(n));
  PutUtf16(bytes, PcharView(p));
  return WriteAll(stream, bytes);
}

char16_t* StreamReadPchar(TStream& stream) {
  std::uint8_t head[4];
  stream.ReadBuffer(head, 4);
  const auto n = static_cast<Integer>(DecodeFixed32(head));
  if (n < 0 || n > kPointerStringLimit || 2 * static_cast<Int64>(n) > stream.Remaining())
    throw EFileReadError(u"StreamReadPchar");
  std::string bytes(2 * static_cast<std::size_t>(n), '\0');
  stream.ReadBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
  auto* p = new char16_t[static_cast<std::size_t>(n) + 1];
  DecodeUtf16(reinterpret_cast<const std::uint8_t*>(bytes.data()), static_cast<std::size_t>(n), p);
  p[n] = u'\0';
  return p;
}

bool StreamWritePAnsichar(TStream& stream, const char* p) {
  const std::string_view s = PAnsicharView(p);
  if (s.size() > 0xFFFF) return false;
  std::string bytes;
  PutFixed16(bytes, static_cast<std::uint16_t>(s.size()));
  bytes.append(s);
  return WriteAll(stream, bytes);
}

char* StreamReadPAnsichar(TStream& stream) {
  std::uint8_t head[2];
  stream.ReadBuffer(head, 2);
  const std::uint16_t n = DecodeFixed16(head);
  if (n > stream.Remaining()) throw EFileReadError(u"StreamReadPAnsichar");
  return ReadTerminatedAnsi(stream, static_cast<std::size_t>(n));
}

bool WriteShortString(TStream& stream, std::string_view s) {
  if (s.size() > 255) return false;
  std::string bytes(1, static_cast<char>(s.size()));
  bytes.append(s);
  return WriteAll(stream, bytes);
}

AnsiString ReadShortString(TStream& stream) {
  std::uint8_t n;
  stream.ReadBuffer(&n, 1);
  AnsiString s(n, '\0');
  stream.ReadBuffer(s.data(), n);
  return s;
}

// ---------------------------------------------------------------------------
// Zip members

string DecodeMemberText(std::string_view b) {
  auto starts = [&](std::string_view bom) { return b.substr(0, bom.size()) == bom; };
  if (starts("\xFF\xFE") || starts("\xFE\xFF")) {
    const bool le = b[0] == '\xFF';
    b.remove_prefix(2);
    string s(b.size() / 2, u'\0');
    const auto* p = reinterpret_cast<const std::uint8_t*>(b.data());
    for (std::size_t i = 0; i < s.size(); ++i)
      s[i] = le ? static_cast<char16_t>(DecodeFixed16(p + 2 * i))
                : static_cast<char16_t>((p[2 * i] << 8) | p[2 * i + 1]);
    return s;
  }
  if (starts("\xEF\xBB\xBF")) return Utf8ToUtf16(b.substr(3));
  if (IsValidUtf8(b)) return Utf8ToUtf16(b);
  return DecodeCodePage(b, CP_ACP);
}

string ContentsOfFileWithinZipFile(const string& path) {
  const string archive = ZipFileFullFileName(path, global_current_zip_ext_slash);
  const string wanted = ZipFileWantedFileNameWithin(path, global_current_zip_ext_slash);
  if (archive.empty() || !IsSafeZipMemberName(wanted)) return string();
  TZipArchiveReader zip(archive);
  const Integer n = zip.IndexOfName(wanted);
  std::string bytes;
  if (n < 1 || !zip.ReadMember(n, kMaxZipMemberTextBytes, bytes)) return string();
  return DecodeMemberText(bytes);
}

string ContentsOfFileWithinZipFile(const string& zipname, Integer n) {
  TZipArchiveReader zip(zipname);
  std::string bytes;
  if (!zip.ReadMember(n, kMaxZipMemberTextBytes, bytes)) return string();
  return DecodeMemberText(bytes);
}

string ZipTempFolder(const string& base) {
  std::string root = Utf16ToUtf8(base);
  if (root.empty()) {
    const char* t = std::getenv("TMPDIR");
    root = (t && *t) ? t : "/tmp";
  }
  while (root.size() > 1 && root.back() == '/') root.pop_back();
  const std::string folder = root + "/cvane7-" + std::to_string(::getuid());
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return string();
  struct stat st;
  if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() ||
      (st.st_mode & 077) != 0)
    return string();
  return Utf8ToUtf16(folder);
}

string OpenedAZipFileToTempDir(const string& zipname, Integer n, const string& base) {
  const string folder = ZipTempFolder(base);
  if (folder.empty()) return string();
  const string path = folder + u"/tempzip.txt";
  const std::string path8 = Utf16ToUtf8(path);
  // The old file goes first, so a failure below never leaves stale text to
  // be taken for this member's.
  if (::unlink(path8.c_str()) != 0 && errno != ENOENT) return string();
  std::string bytes;
  {
    TZipArchiveReader zip(zipname);
    if (n < 1 || !zip.ReadMember(n, kMaxZipMemberTextBytes, bytes)) return string();
  }
  std::string out("\xFF\xFE");
  PutUtf16(out, DecodeMemberText(bytes));
  const int fd = ::open(path8.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return string();
  std::size_t done = 0;
  while (done < out.size()) {
    const ssize_t w = ::write(fd, out.data() + done, out.size() - done);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) break;
    done += static_cast<std::size_t>(w);
  }
  const bool ok = done == out.size() && ::close(fd) == 0;
  if (!ok) {
    if (done != out.size()) ::close(fd);
    ::unlink(path8.c_str());
    return string();
  }
  return path;
}

}  // namespace cv
