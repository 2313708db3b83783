#include "files/file_ops.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "files/file_names.h"

namespace cv {
namespace {

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() { Close(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  bool Close() {
    if (fd_ < 0) return true;
    const int r = ::close(fd_);
    fd_ = -1;
    return r == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, const char* p, std::size_t n) {
  while (n > 0) {
    const ssize_t w = ::write(fd, p, n);
    if (w < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += w;
    n -= static_cast<std::size_t>(w);
  }
  return true;
}

// A temporary file beside target; removed on destruction unless committed.
class TempBeside {
 public:
  explicit TempBeside(const std::string& target) : target_(target) {
    const std::size_t slash = target.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    path_ = dir + "." + base + ".XXXXXX";
    fd_ = ::mkostemp(path_.data(), O_CLOEXEC);
    if (fd_ < 0) path_.clear();
  }
  ~TempBeside() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  int fd() const { return fd_; }
  // Flushes, closes and renames over the target.
  bool Commit(unsigned mode) {
    if (fd_ < 0) return false;
    if (::fchmod(fd_, mode & 07777) != 0 || ::fsync(fd_) != 0) return false;
    const int r = ::close(fd_);
    fd_ = -1;
    if (r != 0) return false;
    if (::rename(path_.c_str(), target_.c_str()) != 0) return false;
    path_.clear();
    return true;
  }

 private:
  std::string target_;
  std::string path_;
  int fd_ = -1;
};

unsigned DefaultMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

TFileFacts FileFacts(const string& name, bool lstat_only) {
  TFileFacts f;
  struct stat st;
  const std::string p = SysPath(name);
  if (p.empty()) return f;
  if ((lstat_only ? ::lstat(p.c_str(), &st) : ::stat(p.c_str(), &st)) != 0) return f;
  f.exists = true;
  f.is_dir = S_ISDIR(st.st_mode);
  f.is_symlink = S_ISLNK(st.st_mode);
  f.dev = st.st_dev;
  f.ino = st.st_ino;
  f.size = st.st_size;
  f.mtime_sec = st.st_mtim.tv_sec;
  f.mtime_nsec = st.st_mtim.tv_nsec;
  f.atime_sec = st.st_atim.tv_sec;
  f.atime_nsec = st.st_atim.tv_nsec;
  f.mode = st.st_mode;
  return f;
}

bool IsSameFile(const string& a, const string& b) {
  const TFileFacts fa = FileFacts(a), fb = FileFacts(b);
  return fa.exists && fb.exists && fa.dev == fb.dev && fa.ino == fb.ino;
}

bool CopyAFile(const string& source, const string& target) {
  const std::string src = SysPath(source);
  const std::string dst = SysPath(target);
  if (src.empty() || dst.empty()) return false;
  Fd in(::open(src.c_str(), O_RDONLY | O_CLOEXEC));
  if (in.get() < 0) return false;
  struct stat st;
  if (::fstat(in.get(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  struct stat dt;
  if (::stat(dst.c_str(), &dt) == 0 && dt.st_dev == st.st_dev && dt.st_ino == st.st_ino) return false;
  TempBeside tmp(dst);
  if (tmp.fd() < 0) return false;
  std::unique_ptr<char[]> buf(new char[1 << 16]);
  for (;;) {
    const ssize_t r = ::read(in.get(), buf.get(), 1 << 16);
    if (r < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (r == 0) break;
    if (!WriteAll(tmp.fd(), buf.get(), static_cast<std::size_t>(r))) return false;
  }
  return tmp.Commit(st.st_mode);
}

bool WriteFileAtomically(const string& name, std::string_view bytes) {
  const std::string dst = SysPath(name);
  if (dst.empty()) return false;
  struct stat dt;
  const unsigned mode = ::stat(dst.c_str(), &dt) == 0 ? dt.st_mode : DefaultMode();
  TempBeside tmp(dst);
  if (tmp.fd() < 0) return false;
  if (!WriteAll(tmp.fd(), bytes.data(), bytes.size())) return false;
  return tmp.Commit(mode);
}

bool ReadWholeFile(const string& name, std::string& out, Int64 max_bytes) {
  const std::string p = SysPath(name);
  if (p.empty()) return false;
  Fd in(::open(p.c_str(), O_RDONLY | O_CLOEXEC));
  if (in.get() < 0) return false;
  struct stat st;
  if (::fstat(in.get(), &st) != 0 || S_ISDIR(st.st_mode) || st.st_size > max_bytes) return false;
  std::string data;
  data.reserve(static_cast<std::size_t>(st.st_size));
  char buf[1 << 16];
  for (;;) {
    const ssize_t r = ::read(in.get(), buf, sizeof buf);
    if (r < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (r == 0) break;
    if (static_cast<Int64>(data.size()) + r > max_bytes) return false;
    data.append(buf, static_cast<std::size_t>(r));
  }
  out.swap(data);
  return true;
}

bool SetFileWriteTime(const string& name, Int64 sec, long nsec) {
  const std::string p = SysPath(name);
  if (p.empty()) return false;
  struct timespec ts[2];
  ts[0].tv_sec = 0;
  ts[0].tv_nsec = UTIME_OMIT;
  ts[1].tv_sec = static_cast<time_t>(sec);
  ts[1].tv_nsec = nsec;
  return ::utimensat(AT_FDCWD, p.c_str(), ts, 0) == 0;
}

}  // namespace cv
