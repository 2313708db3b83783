// The tool's results files: the suite's 57-byte results-file header, then
// the content, then a checksum of the content.
//
//   file     := header:57 content crc:uint32
//   content  := version:int32 body            -- little-endian throughout
//   string   := len:int32 unit:uint16{len}    -- len <= kMaxStoredString
//
// The concordance body:
//   search:string nfiles:int32 file:string{nfiles} count:int32 hit{count}
//   hit := file:int32 pos:int64 left:string word:string right:string
// The word-list body:
//   nfiles:int32 file:string{nfiles} tokens:int64 count:int32 entry{count}
//   entry := word:string freq:int64 texts:int32
//
// Writers go through a temporary file renamed into place only when
// complete.  The reader takes the whole file, checks the header, the
// checksum and then every count and length against the bytes left, and
// refuses anything else with TToolError.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/my_types_mini.h"
#include "platform/classes.h"
#include "platform/types.h"

namespace cv::tool {

constexpr Integer kResultsVersion = 1;
constexpr Integer kMaxStoredString = 1 << 20;

// Little-endian fields onto a stream.
class TResultsWriter {
 public:
  explicit TResultsWriter(TStream& s) : s_(s) {}
  void Int32(Integer v);
  void Int64v(Int64 v);
  void String(std::u16string_view v);
  void Bytes(const void* p, std::size_t n);
  // Rewrites the four bytes at `at` (a position from Stream().Position()).
  void PatchInt32(std::size_t at, Integer v);
  TStream& Stream() { return s_; }

 private:
  TStream& s_;
};

class TResultsReader {
 public:
  TResultsReader(std::string bytes, std::string name) : b_(std::move(bytes)), name_(std::move(name)) {}
  Integer Int32();
  Int64 Int64v();
  string String();
  // A count whose entries take at least min_entry bytes each.
  Integer Count(std::size_t min_entry);
  bool AtEnd() const { return pos_ == end_; }
  void SetRange(std::size_t from, std::size_t to) { pos_ = from; end_ = to; }
  [[noreturn]] void Damaged(const std::string& what) const;

 private:
  void Need(std::size_t n) const;
  std::string b_;
  std::string name_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
};

std::uint32_t Crc32(std::uint32_t crc, const void* p, std::size_t n);

// Writes header + content + checksum atomically; `body` writes the content
// after the version.
void SaveResults(const std::string& file_name, tool_type tool, TCorvaneList list,
                 const std::function<void(TResultsWriter&)>& body);
// Reads a results file of that tool and list: the reader is positioned after
// the version, over the content only.  TToolError for a missing, short,
// foreign or damaged file.
std::unique_ptr<TResultsReader> OpenResults(const std::string& file_name, tool_type tool, TCorvaneList list);
// True when the file starts with the header of that tool and list.
bool IsResultsFile(const std::string& file_name, tool_type tool, TCorvaneList list);

}  // namespace cv::tool
