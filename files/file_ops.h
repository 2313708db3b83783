// Whole-file operations that never leave a half-written file behind.
//
// Every write goes to a temporary file in the target's folder, is flushed to
// the disk, and only then renamed over the target: a full disk, a read-only
// folder or an interrupted copy leaves the old target as it was.
#pragma once

#include <sys/types.h>

#include <string>

#include "platform/types.h"

namespace cv {

// The identity and times of a file system entry (following symbolic links
// unless `lstat_only`).
struct TFileFacts {
  bool exists = false;
  bool is_dir = false;
  bool is_symlink = false;
  dev_t dev = 0;
  ino_t ino = 0;
  Int64 size = 0;
  Int64 mtime_sec = 0;
  long mtime_nsec = 0;
  Int64 atime_sec = 0;
  long atime_nsec = 0;
  unsigned mode = 0;
};
TFileFacts FileFacts(const string& name, bool lstat_only = false);

// True when both names exist and are the same file (device and inode).
bool IsSameFile(const string& a, const string& b);

// Copies source over target (replacing it), keeping the source's permission
// bits.  False, with the target untouched, when the source cannot be read,
// the target is the source itself, or the copy cannot be written whole.
bool CopyAFile(const string& source, const string& target);

// Writes bytes as the whole new content of name.  False, with the old file
// untouched, when it cannot be written whole.
bool WriteFileAtomically(const string& name, std::string_view bytes);

// Reads the whole file; false when it cannot be opened or read, or is larger
// than max_bytes.
bool ReadWholeFile(const string& name, std::string& out, Int64 max_bytes = Int64(1) << 40);

// Sets the last-write time (seconds and nanoseconds since 1970, UTC).
bool SetFileWriteTime(const string& name, Int64 sec, long nsec);

}  // namespace cv
