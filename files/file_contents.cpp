// Content types of files and buffers (declared in file_utils.h).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <memory>

#include "files/file_names.h"
#include "files/file_utils.h"
#include "files/my_kpsmall.h"

namespace cv {
namespace {

// One pass over the bytes of a file or buffer gathers everything the tests
// need: the first four bytes, the statistics of the UTF-16 test, and the
// UTF-8 verdict on the bytes before the first NUL.
class ContentScanner {
 public:
  void Feed(const std::uint8_t* p, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
      const std::uint8_t b = p[i];
      if (total_ < 4) head_[total_] = b;
      if ((total_ & 1) == 0) {
        low_ = b;
      } else {
        Unit(low_, b);
      }
      if (utf8_ == Utf8::kSearching || utf8_ == Utf8::kInSequence) Utf8Byte(b);
      ++total_;
    }
  }

  std::uint64_t total() const { return total_; }
  const std::uint8_t* head() const { return head_; }

  bool LooksLikeUtf16() const {
    if (total_ < 2 || (total_ & 1) != 0) return false;
    const std::uint64_t n = total_ / 2;
    if (high_nul_ == 0) return false;                 // no NUL byte where ASCII would put one
    if (nul_units_ * 64 > n) return false;            // binary data, not text
    if (low_nul_ * 8 > high_nul_) return false;       // big-endian or binary
    if (high_nul_ * 16 < n) return false;             // too few ASCII-range characters
    if (odd_controls_ * 100 > high_nul_) return false;  // control codes, not text
    return true;
  }

  bool Utf8Verdict() const { return utf8_ == Utf8::kUtf8; }

 private:
  enum class Utf8 { kSearching, kInSequence, kUtf8, kNotUtf8 };

  void Unit(std::uint8_t lo, std::uint8_t hi) {
    if (lo == 0 && hi == 0) {
      ++nul_units_;
    } else if (hi == 0) {
      ++high_nul_;
      if (lo < 0x20 && lo != 0x09 && lo != 0x0A && lo != 0x0D && lo != 0x0C) ++odd_controls_;
    } else if (lo == 0) {
      ++low_nul_;
    }
  }

  // Well-formed UTF-8 (no overlongs, surrogates or values past U+10FFFF).
  void Utf8Byte(std::uint8_t b) {
    if (utf8_ == Utf8::kSearching) {
      if (b == 0) {
        utf8_ = Utf8::kNotUtf8;  // ASCII up to the first NUL
      } else if (b >= 0x80) {
        lo_ = 0x80;
        hi_ = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
          need_ = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
          need_ = 2;
          if (b == 0xE0) lo_ = 0xA0;
          if (b == 0xED) hi_ = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
          need_ = 3;
          if (b == 0xF0) lo_ = 0x90;
          if (b == 0xF4) hi_ = 0x8F;
        } else {
          utf8_ = Utf8::kNotUtf8;
          return;
        }
        utf8_ = Utf8::kInSequence;
      }
      return;
    }
    if (b < lo_ || b > hi_) {
      utf8_ = Utf8::kNotUtf8;
      return;
    }
    lo_ = 0x80;
    hi_ = 0xBF;
    if (--need_ == 0) utf8_ = Utf8::kUtf8;
  }

  std::uint64_t total_ = 0;
  std::uint8_t head_[4] = {0, 0, 0, 0};
  std::uint8_t low_ = 0;
  std::uint64_t high_nul_ = 0, low_nul_ = 0, nul_units_ = 0, odd_controls_ = 0;
  Utf8 utf8_ = Utf8::kSearching;
  int need_ = 0;
  std::uint8_t lo_ = 0x80, hi_ = 0xBF;
};

std::uint32_t Head32(const std::uint8_t* h) {
  return static_cast<std::uint32_t>(h[0]) | (static_cast<std::uint32_t>(h[1]) << 8) |
         (static_cast<std::uint32_t>(h[2]) << 16) | (static_cast<std::uint32_t>(h[3]) << 24);
}

std::uint16_t Head16(const std::uint8_t* h) { return static_cast<std::uint16_t>(h[0] | (h[1] << 8)); }

bool Signed(const std::uint8_t* h) { return Head16(h) == 0xFEFF || Head16(h) == 0xFFFE; }

bool Utf8Signed(const std::uint8_t* h) { return h[0] == 0xEF && h[1] == 0xBB && h[2] == 0xBF; }

// The container signatures that decide alone; 0 when none.
TFileContentsSet Container(const std::uint8_t* h) {
  switch (Head32(h)) {
    case 0xE011CFD0: return FileContentsBit(_Storage);
    case 0x002DA5DB: return FileContentsBit(_early_Word);
    case 0x04034B50: return FileContentsBit(_Zip);
    default: return 0;
  }
}

TFileContentsSet Quick(const std::uint8_t* h) {
  if (const TFileContentsSet c = Container(h)) return c;
  TFileContentsSet s = 0;
  if (Utf8Signed(h)) s |= FileContentsBit(_UTF8);
  if (Head16(h) == 0xFFFE)
    s |= FileContentsBit(_16_bit_reversed);
  else if (Head16(h) == 0xFEFF)
    s |= FileContentsBit(_16_bit);
  else
    s |= FileContentsBit(_8_bit);
  return s;
}

TFileContentsSet Thorough(const ContentScanner& sc) {
  const std::uint8_t* h = sc.head();
  if (const TFileContentsSet c = Container(h)) return c;
  const bool even = (sc.total() & 1) == 0;
  if (even && (Signed(h) || sc.LooksLikeUtf16()))
    return Head16(h) == 0xFFFE ? FileContentsBit(_16_bit_reversed) : FileContentsBit(_16_bit);
  if (Utf8Signed(h)) return FileContentsBit(_UTF8);
  return sc.Utf8Verdict() ? FileContentsBit(_UTF8) : FileContentsBit(_8_bit);
}

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

// Streams the file through a scanner (all of it, or its first max bytes);
// false when it cannot be opened or read.
bool ScanFile(const string& filename, ContentScanner& sc, std::uint64_t max) {
  const std::string p = SysPath(filename);
  if (p.empty()) return false;
  Fd fd(::open(p.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return false;
  struct stat st;
  if (::fstat(fd.get(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  constexpr std::size_t kBlock = 1 << 16;
  std::unique_ptr<std::uint8_t[]> buf(new std::uint8_t[kBlock]);
  while (sc.total() < max) {
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(kBlock, max - sc.total()));
    const ssize_t r = ::read(fd.get(), buf.get(), want);
    if (r < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (r == 0) break;
    sc.Feed(buf.get(), static_cast<std::size_t>(r));
    if (sc.total() >= (1u << 20)) MyYieldProcess();
  }
  return true;
}

}  // namespace

bool IsTextUnicode(const void* buffer, Int64 size) {
  if (buffer == nullptr || size < 2) return false;
  ContentScanner sc;
  sc.Feed(static_cast<const std::uint8_t*>(buffer), static_cast<std::size_t>(size));
  return sc.LooksLikeUtf16();
}

bool StringIsInUnicode(const void* buffer, Int64 size) {
  if (buffer == nullptr || size <= 3) return false;
  return Signed(static_cast<const std::uint8_t*>(buffer)) || IsTextUnicode(buffer, size);
}

TFileContentsSet FileBufferType(const void* buffer, Int64 size, bool thorough) {
  if (buffer == nullptr || size < 4) return 0;
  const auto* p = static_cast<const std::uint8_t*>(buffer);
  if (!thorough) return Quick(p);
  ContentScanner sc;
  sc.Feed(p, static_cast<std::size_t>(size));
  return Thorough(sc);
}

TFileContentsSet FileContentsType(const string& filename, bool thorough) {
  ContentScanner sc;
  if (!ScanFile(filename, sc, thorough ? UINT64_MAX : 4) || sc.total() < 4) return 0;
  return thorough ? Thorough(sc) : Quick(sc.head());
}

Integer FileContentsComparison(TFileContentsSet a, TFileContentsSet b) {
  return a > b ? 1 : (a < b ? -1 : 0);
}

bool TextFileInUnicode(const string& filename) {
  ContentScanner sc;
  if (!ScanFile(filename, sc, UINT64_MAX) || sc.total() <= 3) return false;
  return Signed(sc.head()) || sc.LooksLikeUtf16();
}

}  // namespace cv
