// TStream, TMemoryStream, TFileStream (buffered) and atomic file saving.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>

#include "platform/classes.h"
#include "platform/utf.h"

namespace cv {

namespace {

string ErrnoText(int err) { return Utf8ToUtf16(std::strerror(err)); }

// The largest single read/write handed to the kernel.
constexpr Int64 kMaxIo = 1 << 30;

}  // namespace

// ---------------------------------------------------------------------------
// TStream

Int64 TStream::Size() {
  const Int64 pos = Seek(0, TSeekOrigin::soCurrent);
  const Int64 end = Seek(0, TSeekOrigin::soEnd);
  Seek(pos, TSeekOrigin::soBeginning);
  return end;
}

Int64 TStream::Remaining() {
  const Int64 pos = Position();
  const Int64 size = Size();
  return size > pos ? size - pos : 0;
}

void TStream::ReadBuffer(void* buffer, Int64 count) {
  if (count < 0) throw EReadError(u"Stream read error");
  auto* p = static_cast<Byte*>(buffer);
  while (count > 0) {
    const Int64 n = Read(p, count);
    if (n <= 0) throw EReadError(u"Stream read error");
    p += n;
    count -= n;
  }
}

void TStream::WriteBuffer(const void* buffer, Int64 count) {
  if (count < 0) throw EWriteError(u"Stream write error");
  const auto* p = static_cast<const Byte*>(buffer);
  while (count > 0) {
    const Int64 n = Write(p, count);
    if (n <= 0) throw EWriteError(u"Stream write error");
    p += n;
    count -= n;
  }
}

Int64 TStream::CopyFrom(TStream& source, Int64 count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  const Int64 total = count;
  std::vector<Byte> buf(static_cast<std::size_t>(std::min<Int64>(count, 64 * 1024)));
  while (count > 0) {
    const Int64 n = std::min<Int64>(count, static_cast<Int64>(buf.size()));
    source.ReadBuffer(buf.data(), n);
    WriteBuffer(buf.data(), n);
    count -= n;
  }
  return total;
}

// ---------------------------------------------------------------------------
// TMemoryStream

Int64 TMemoryStream::Read(void* buffer, Int64 count) {
  const Int64 size = Size();
  if (count <= 0 || pos_ >= size) return 0;
  const Int64 n = std::min(count, size - pos_);
  std::memcpy(buffer, data_.data() + pos_, static_cast<std::size_t>(n));
  pos_ += n;
  return n;
}

Int64 TMemoryStream::Write(const void* buffer, Int64 count) {
  if (count <= 0 || pos_ < 0) return 0;
  const Int64 end = pos_ + count;
  if (end > Size()) {
    if (static_cast<UInt64>(end) > data_.max_size()) return 0;
    if (static_cast<std::size_t>(end) > data_.capacity())
      data_.reserve(std::max<std::size_t>(static_cast<std::size_t>(end), data_.capacity() * 2));
    data_.resize(static_cast<std::size_t>(end));
  }
  std::memcpy(data_.data() + pos_, buffer, static_cast<std::size_t>(count));
  pos_ = end;
  return count;
}

Int64 TStream::SeekTarget(Int64 offset, TSeekOrigin origin, Int64 current) {
  Int64 base = 0;
  if (origin == TSeekOrigin::soCurrent) base = current;
  if (origin == TSeekOrigin::soEnd) base = Size();
  const Int64 target = base + offset;
  if (target < 0) throw EStreamError(u"Stream seek error");
  return target;
}

Int64 TMemoryStream::Seek(Int64 offset, TSeekOrigin origin) {
  pos_ = SeekTarget(offset, origin, pos_);
  return pos_;
}

void TMemoryStream::SetSize(Int64 new_size) {
  if (new_size < 0) throw EStreamError(u"Stream size error");
  data_.resize(static_cast<std::size_t>(new_size));
  if (pos_ > new_size) pos_ = new_size;
}

void TMemoryStream::Clear() {
  data_.clear();
  data_.shrink_to_fit();
  pos_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
  stream.SetPosition(0);
  const Int64 n = stream.Size();
  SetSize(n);
  pos_ = 0;
  if (n > 0) stream.ReadBuffer(data_.data(), n);
}

void TMemoryStream::SaveToStream(TStream& stream) {
  if (!data_.empty()) stream.WriteBuffer(data_.data(), Size());
}

void TMemoryStream::LoadFromFile(const string& file_name) {
  TFileStream f(file_name, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(f);
}

void TMemoryStream::SaveToFile(const string& file_name) {
  SaveFileAtomically(file_name, [this](TStream& s) { SaveToStream(s); });
}

TBytesStream::TBytesStream(std::string_view bytes) {
  if (!bytes.empty()) WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
  SetPosition(0);
}

// ---------------------------------------------------------------------------
// TFileStream
//
// The logical position is pos_; the kernel's file offset is never used
// (pread/pwrite).  At most one of the two buffers holds data at a time:
// reading flushes pending writes first, writing drops the read buffer.

TFileStream::TFileStream(const string& file_name, Word mode) : file_name_(file_name) {
  const std::string path = Utf16ToUtf8(file_name);
  int flags = O_CLOEXEC;
  if (mode == fmCreate || (mode & 0xFF00) == fmCreate) {
    flags |= O_RDWR | O_CREAT | O_TRUNC;
  } else {
    switch (mode & 0x3) {
      case fmOpenWrite: flags |= O_WRONLY; readable_ = false; break;
      case fmOpenReadWrite: flags |= O_RDWR; break;
      default: flags |= O_RDONLY; writable_ = false; break;
    }
  }
  fd_ = ::open(path.c_str(), flags, 0666);
  if (fd_ < 0) {
    const int err = errno;
    const string msg = u"Cannot " + string((flags & O_CREAT) ? u"create" : u"open") + u" file \"" +
                       file_name + u"\". " + ErrnoText(err);
    if (flags & O_CREAT) throw EFCreateError(msg);
    throw EFOpenError(msg);
  }
  struct stat st;
  if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd_);
    fd_ = -1;
    throw EFOpenError(u"Cannot open file \"" + file_name + u"\". " + ErrnoText(EISDIR));
  }
  size_ = FileSize();
}

TFileStream::~TFileStream() {
  if (fd_ >= 0) {
    FlushWrites();
    ::close(fd_);
  }
}

bool TFileStream::FlushWrites() {
  Int64 done = 0;
  while (done < wlen_) {
    const ssize_t n = ::pwrite(fd_, wbuf_.get() + done, static_cast<std::size_t>(wlen_ - done),
                               static_cast<off_t>(wstart_ + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      // Keep what was not written out of the buffer's way: the error is
      // reported once and the bytes are lost, as a failed WriteFile loses them.
      wlen_ = 0;
      return false;
    }
    done += n;
  }
  wlen_ = 0;
  return true;
}

void TFileStream::Flush() {
  if (!FlushWrites()) throw EWriteError(u"Stream write error: " + file_name_);
}

Int64 TFileStream::FileSize() {
  struct stat st;
  if (::fstat(fd_, &st) != 0) throw EStreamError(u"Cannot get size of " + file_name_);
  return static_cast<Int64>(st.st_size);
}

Int64 TFileStream::Read(void* buffer, Int64 count) {
  if (count <= 0 || !readable_) return 0;
  if (wlen_ > 0 && !FlushWrites()) return 0;
  auto* out = static_cast<Byte*>(buffer);
  Int64 total = 0;
  while (count > 0) {
    if (pos_ >= rstart_ && pos_ < rstart_ + rlen_) {
      const Int64 n = std::min(count, rstart_ + rlen_ - pos_);
      std::memcpy(out, rbuf_.get() + (pos_ - rstart_), static_cast<std::size_t>(n));
      out += n;
      pos_ += n;
      total += n;
      count -= n;
      continue;
    }
    if (count >= static_cast<Int64>(kBufferSize)) {
      // Large reads go straight to the caller's memory.
      const ssize_t n = ::pread(fd_, out, static_cast<std::size_t>(std::min(count, kMaxIo)),
                                static_cast<off_t>(pos_));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      out += n;
      pos_ += n;
      total += n;
      count -= n;
      continue;
    }
    if (!rbuf_) rbuf_.reset(new Byte[kBufferSize]);
    const ssize_t n = ::pread(fd_, rbuf_.get(), kBufferSize, static_cast<off_t>(pos_));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      rlen_ = 0;
      break;
    }
    rstart_ = pos_;
    rlen_ = n;
  }
  return total;
}

Int64 TFileStream::Write(const void* buffer, Int64 count) {
  if (count <= 0 || !writable_) return 0;
  rlen_ = 0;  // the read buffer may now be stale
  const auto* in = static_cast<const Byte*>(buffer);
  if (wlen_ > 0 && pos_ != wstart_ + wlen_ && !FlushWrites()) return 0;
  if (wlen_ + count > static_cast<Int64>(kBufferSize)) {
    if (!FlushWrites()) return 0;
    if (count >= static_cast<Int64>(kBufferSize)) {
      Int64 done = 0;
      while (done < count) {
        const ssize_t n = ::pwrite(fd_, in + done, static_cast<std::size_t>(std::min(count - done, kMaxIo)),
                                   static_cast<off_t>(pos_ + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
      }
      pos_ += done;
      size_ = std::max(size_, pos_);
      return done;
    }
  }
  if (!wbuf_) wbuf_.reset(new Byte[kBufferSize]);
  if (wlen_ == 0) wstart_ = pos_;
  std::memcpy(wbuf_.get() + wlen_, in, static_cast<std::size_t>(count));
  wlen_ += count;
  pos_ += count;
  size_ = std::max(size_, pos_);
  return count;
}

Int64 TFileStream::Seek(Int64 offset, TSeekOrigin origin) {
  pos_ = SeekTarget(offset, origin, pos_);
  return pos_;
}

Int64 TFileStream::Size() { return size_; }

void TFileStream::SetSize(Int64 new_size) {
  Flush();
  rlen_ = 0;
  if (new_size < 0 || ::ftruncate(fd_, static_cast<off_t>(new_size)) != 0)
    throw EStreamError(u"Stream size error: " + file_name_);
  size_ = new_size;
  if (pos_ > new_size) pos_ = new_size;
}

// ---------------------------------------------------------------------------

void SaveFileAtomically(const string& file_name, const std::function<void(TStream&)>& writer) {
  static std::mt19937_64 rng{std::random_device{}()};
  const string tmp = file_name + u".tmp" + Latin1ToUtf16(std::to_string(::getpid())) + u"_" +
                     Latin1ToUtf16(std::to_string(rng() % 1000000));
  const std::string tmp8 = Utf16ToUtf8(tmp);
  try {
    {
      TFileStream f(tmp, fmCreate);
      writer(f);
      f.Flush();
      if (::fsync(f.Handle()) != 0) throw EWriteError(u"Cannot write " + tmp);
    }
    if (::rename(tmp8.c_str(), Utf16ToUtf8(file_name).c_str()) != 0)
      throw EFCreateError(u"Cannot create file \"" + file_name + u"\". " + ErrnoText(errno));
  } catch (...) {
    ::unlink(tmp8.c_str());
    throw;
  }
}

}  // namespace cv
