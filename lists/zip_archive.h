// A small interface to zip archives (on libzip) for the runtime's readers
// of archive members and writers of batch archives.
//
// Members are numbered from 1 in the archive's central-directory order, as
// the suite counts them; every entry of the directory is a member (folder
// entries included).  Names are UTF-16 with '/' as libzip gives them.
// Failures to open or read an archive raise EZipError.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/classes.h"
#include "platform/types.h"

struct zip;

namespace cv {

class EZipError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};

// True for a relative name that stays inside the archive's root: no empty
// name, no leading '/' or '\', no drive letter, no ".." component.
bool IsSafeZipMemberName(std::u16string_view name);

class TZipArchiveReader {
 public:
  // EZipError when the file is missing or not a zip archive.
  explicit TZipArchiveReader(const string& file_name);
  ~TZipArchiveReader();
  TZipArchiveReader(const TZipArchiveReader&) = delete;
  TZipArchiveReader& operator=(const TZipArchiveReader&) = delete;

  // The archive comment (empty when none); UTF-8 or CP437 as flagged.
  string Comment() const;
  Integer MemberCount() const;
  // Name of member n (1-based); empty when out of range.
  string MemberName(Integer n) const;
  // Uncompressed size of member n; -1 when out of range.
  Int64 MemberSize(Integer n) const;
  // The member whose name matches (case-insensitively, '\' taken as '/');
  // 0 when none.
  Integer IndexOfName(std::u16string_view name) const;
  // The bytes of member n, at most max_bytes: false (out untouched) when n is
  // out of range or the member is larger; EZipError when it cannot be read.
  bool ReadMember(Integer n, std::size_t max_bytes, std::string& out) const;

 private:
  zip* za_ = nullptr;
  string file_name_;
};

// Builds a new archive in place of file_name; nothing is replaced until
// Commit succeeds.
class TZipArchiveWriter {
 public:
  explicit TZipArchiveWriter(const string& file_name);
  ~TZipArchiveWriter();  // discards an archive not committed
  TZipArchiveWriter(const TZipArchiveWriter&) = delete;
  TZipArchiveWriter& operator=(const TZipArchiveWriter&) = delete;

  void SetComment(std::u16string_view comment);
  // EZipError for an unsafe name or a libzip failure.
  void AddMember(std::u16string_view name, std::string bytes);
  void Commit();

 private:
  zip* za_ = nullptr;
  string file_name_;
  std::vector<std::unique_ptr<std::string>> pending_;
};

}  // namespace cv
