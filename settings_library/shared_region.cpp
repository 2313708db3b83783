#include "settings_library/shared_region.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cv {

namespace {

int FlockRetry(int fd, int op) {
  int r;
  do {
    r = ::flock(fd, op);
  } while (r != 0 && errno == EINTR);
  return r;
}

// Opens (creating if needed) an object that must be ours and private.
int OpenPrivateObject(const std::string& object, std::string& error, bool create = true) {
  const int fd = ::shm_open(object.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | (create ? O_CREAT : 0), 0600);
  if (fd < 0) {
    error = "shm_open " + object + ": " + std::strerror(errno);
    return -1;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    error = "fstat " + object + ": " + std::strerror(errno);
  } else if (st.st_uid != ::geteuid()) {
    error = object + " belongs to another user";
  } else if ((st.st_mode & 077) != 0) {
    error = object + " is open to other users";
  } else {
    return fd;
  }
  ::close(fd);
  return -1;
}

// Holds the gate for the lifetime of the object.
class Gate {
 public:
  Gate(const std::string& object, std::string& error, bool create = true) {
    fd_ = OpenPrivateObject(object, error, create);
    if (fd_ >= 0 && FlockRetry(fd_, LOCK_EX) != 0) {
      error = "flock " + object + ": " + std::strerror(errno);
      ::close(fd_);
      fd_ = -1;
    }
  }
  ~Gate() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
  }
  bool ok() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

// Holders keep a read lock on byte 0 of the region; these are open-file-
// description locks, released by the kernel when the holder's descriptor
// closes, whatever way the process ends.
bool HoldLock(int fd) {
  struct flock fl {};
  fl.l_type = F_RDLCK;
  fl.l_whence = SEEK_SET;
  fl.l_start = 0;
  fl.l_len = 1;
  int r;
  do {
    r = ::fcntl(fd, F_OFD_SETLK, &fl);
  } while (r != 0 && errno == EINTR);
  return r == 0;
}

// True when a description other than fd's holds the region.
bool OthersHold(int fd) {
  struct flock fl {};
  fl.l_type = F_WRLCK;
  fl.l_whence = SEEK_SET;
  fl.l_start = 0;
  fl.l_len = 1;
  if (::fcntl(fd, F_OFD_GETLK, &fl) != 0) return true;  // unknown: assume so
  return fl.l_type != F_UNLCK;
}

}  // namespace

std::string SharedObjectName(const std::string& name) {
  return "/" + name + ".u" + std::to_string(::geteuid());
}

TMemoryMapFile::TMemoryMapFile(const std::string& name, std::size_t size_wanted)
    : name_(name), object_(SharedObjectName(name)), gate_(object_ + ".gate") {
  if (name.empty() || name.find('/') != std::string::npos || size_wanted == 0) {
    Fail("invalid region name or size");
    return;
  }
  Gate gate(gate_, error_);
  if (!gate.ok()) return;

  fd_ = OpenPrivateObject(object_, error_);
  if (fd_ < 0) return;

  if (!OthersHold(fd_)) {
    // Nobody holds the object: whatever it holds is left over from holders
    // that have gone.  Start afresh.  (Attaching is serialised by the gate,
    // so nobody can join between this test and our own hold.)
    if (::ftruncate(fd_, 0) != 0 || ::ftruncate(fd_, static_cast<off_t>(size_wanted)) != 0) {
      Fail("ftruncate");
      return;
    }
    created_ = true;
  }
  if (!HoldLock(fd_)) {
    Fail("fcntl");
    return;
  }

  struct stat st {};
  if (::fstat(fd_, &st) != 0) {
    Fail("fstat");
    return;
  }
  if (st.st_size < static_cast<off_t>(size_wanted)) {
    // Made by someone with another idea of the layout: not ours to use.
    Fail("region is smaller than wanted");
    return;
  }
  void* p = ::mmap(nullptr, static_cast<std::size_t>(st.st_size), PROT_READ | PROT_WRITE,
                   MAP_SHARED, fd_, 0);
  if (p == MAP_FAILED) {
    Fail("mmap");
    return;
  }
  base_ = p;
  size_ = static_cast<std::size_t>(st.st_size);
}

TMemoryMapFile::~TMemoryMapFile() { Close(); }

bool TMemoryMapFile::OtherHoldersPresent() const { return fd_ >= 0 && OthersHold(fd_); }

bool TMemoryMapFile::Fail(const char* what) {
  if (error_.empty()) error_ = std::string(what) + " " + object_ + ": " + std::strerror(errno);
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  return false;
}

void TMemoryMapFile::Close() {
  if (base_ != nullptr) {
    ::munmap(base_, size_);
    base_ = nullptr;
    size_ = 0;
  }
  if (fd_ >= 0) {
    // The gate exists as long as the region does; should someone have removed
    // it, the region's name is left alone rather than a new gate made.
    std::string ignored;
    Gate gate(gate_, ignored, false);
    // The last holder takes the region's name with it.
    if (gate.ok() && !OthersHold(fd_)) ::shm_unlink(object_.c_str());
    ::close(fd_);
    fd_ = -1;
  }
}

std::size_t TMemoryMapFile::ReadFromMemmap(void* buffer, long index, long count) const {
  if (base_ == nullptr || count < 0 || index < 0) return 0;
  if (static_cast<std::size_t>(index) >= size_) return 0;
  const std::size_t available = size_ - static_cast<std::size_t>(index);
  const std::size_t n = std::min(static_cast<std::size_t>(count), available);
  std::memcpy(buffer, static_cast<const char*>(base_) + index, n);
  return n;
}

bool TMemoryMapFile::WriteToMemmap(const void* buffer, long index, long count) {
  if (base_ == nullptr || index < 0 || count < 0) return false;
  const std::size_t i = static_cast<std::size_t>(index), n = static_cast<std::size_t>(count);
  if (i > size_ || n > size_ - i) return false;
  std::memcpy(static_cast<char*>(base_) + i, buffer, n);
  return true;
}

}  // namespace cv
