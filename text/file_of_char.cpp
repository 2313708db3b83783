#include "text/file_of_char.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/classes.h"
#include "platform/nls.h"
#include "platform/sysutils.h"
#include "platform/utf.h"
#include "text/code_pages.h"

namespace cv {

namespace {

[[noreturn]] void RaiseOSError(const string& file_name, const char* what) {
  const int code = errno;
  throw EOSError(code, std::string(what) + " " + Utf16ToUtf8(file_name) + ": " + std::strerror(code));
}

// Writes all of `bytes`, retrying short writes.
void WriteAll(int fd, const string& file_name, const void* bytes, std::size_t n) {
  const auto* p = static_cast<const char*>(bytes);
  while (n > 0) {
    const ssize_t w = ::write(fd, p, n);
    if (w < 0) {
      if (errno == EINTR) continue;
      RaiseOSError(file_name, "cannot write");
    }
    p += w;
    n -= static_cast<std::size_t>(w);
  }
}

class FileCloser {
 public:
  explicit FileCloser(int fd) : fd_(fd) {}
  ~FileCloser() { ::close(fd_); }
  FileCloser(const FileCloser&) = delete;
  FileCloser& operator=(const FileCloser&) = delete;

 private:
  int fd_;
};

std::string LittleEndianBytes(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

}  // namespace

void AddToFileOfChar(const string& file_name, const string& text) {
  if (file_name.empty()) return;
  const std::string path = Utf16ToUtf8(file_name);
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) RaiseOSError(file_name, "cannot open");
  FileCloser closer(fd);
  struct stat st {};
  if (::fstat(fd, &st) != 0) RaiseOSError(file_name, "cannot read the size of");
  // The file is a sequence of 2-byte records: continue after the last whole one.
  const off_t end = st.st_size - (st.st_size % 2);
  if (::lseek(fd, end, SEEK_SET) < 0) RaiseOSError(file_name, "cannot seek in");
  std::string bytes;
  if (end == 0) bytes = "\xFF\xFE";  // a new or empty file starts with the mark
  bytes += LittleEndianBytes(text);
  WriteAll(fd, file_name, bytes.data(), bytes.size());
}

void UnicodeAppendToTextFile(const string& file_name, const TStringList& lines) {
  string text;
  for (Integer i = 0; i < lines.Count(); ++i) {
    text += lines[i];
    text += u"\r\n";
  }
  AddToFileOfChar(file_name, text);
}

void AnsiAppendToTextFile(const string& file_name, const TStringList& lines) {
  const std::string path = Utf16ToUtf8(file_name);
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  if (fd < 0) RaiseOSError(file_name, "cannot open");
  FileCloser closer(fd);
  std::string bytes;
  for (Integer i = 0; i < lines.Count(); ++i) {
    bytes += WideToMultiByte(GetACP(), lines[i]);
    bytes += "\r\n";
  }
  WriteAll(fd, file_name, bytes.data(), bytes.size());
}

}  // namespace cv
