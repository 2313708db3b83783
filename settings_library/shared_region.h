// A named shared-memory region that lives exactly as long as some process
// holds it.
//
// On Linux the region is a POSIX shared-memory object named
//   "/" + name + ".u" + <effective uid>
// created with mode 0600.  An object that belongs to another user, or that is
// open to group or others, is refused.  Holding is tracked with locks: every
// holder keeps a read lock (an open-file-description lock, F_OFD_SETLK) on
// the object's first byte, and the kernel drops it when the process ends in
// any way, kill -9 included.  Attaching and
// detaching are serialised by an exclusive lock on a companion gate object
// (name + ".gate"); under that gate, a process that finds no other holder
// knows that the contents are left over from processes that have gone, so it
// resets the object to a fresh zero-filled area of the wanted size.  The last holder to detach
// cleanly also removes the object's name.
//
// The size of the view is the object's own size (fstat), never a value stored
// inside it.  Nothing here touches a disk file.
#pragma once

#include <cstddef>
#include <string>

namespace cv {

class TMemoryMapFile {
 public:
  // Opens or creates the region named `name` with `size_wanted` bytes.  Never
  // throws; on failure the object is closed (IsOpen() false, Base() null) and
  // LastError() says why.
  TMemoryMapFile(const std::string& name, std::size_t size_wanted);
  ~TMemoryMapFile();
  TMemoryMapFile(const TMemoryMapFile&) = delete;
  TMemoryMapFile& operator=(const TMemoryMapFile&) = delete;

  bool IsOpen() const { return base_ != nullptr; }
  void* Base() const { return base_; }
  // Bytes in the view; 0 when closed.
  std::size_t MapSize() const { return size_; }
  const std::string& MapName() const { return name_; }
  // True when this process created (or reset) the region.
  bool Created() const { return created_; }
  const std::string& LastError() const { return error_; }
  // True when some other process (or another object of this one) holds the
  // region too.
  bool OtherHoldersPresent() const;

  // Unmaps and releases the hold; the last holder removes the region.
  void Close();

  // Copies up to `count` bytes from the view at `index`; returns the number
  // copied (0 for a negative count or an index at or past the end).
  std::size_t ReadFromMemmap(void* buffer, long index, long count) const;
  // Copies `count` bytes into the view at `index`; refuses (false) a range
  // that does not lie wholly inside the view.
  bool WriteToMemmap(const void* buffer, long index, long count);

 private:
  bool Fail(const char* what);

  std::string name_;
  std::string object_;
  std::string gate_;
  int fd_ = -1;
  void* base_ = nullptr;
  std::size_t size_ = 0;
  bool created_ = false;
  std::string error_;
};

// The POSIX object name for a region name, per user.
std::string SharedObjectName(const std::string& name);

}  // namespace cv
