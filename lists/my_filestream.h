// File streams with checksums, pointer strings and short strings in
// streams, and zip members read as text.
//
// Stream forms (little-endian, no terminators; readers add one):
//   counted pointer string := n:int32 char{n}      (char: 2 bytes wide, 1 byte 8-bit;
//                                                   nothing after n < 1)
//   wide pointer string    := n:int32 unit:uint16{n}           (StreamWritePchar)
//   8-bit pointer string   := n:uint16 byte{n}                 (StreamWritePAnsichar)
//   short string           := n:uint8 byte{n}                  (WriteShortString)
// Readers check every count against their limit and against the bytes left
// in the stream before allocating, raising EFileReadError on a bad one.
// Writers refuse (false) what the matching reader would refuse.
#pragma once

#include "platform/classes.h"
#include "platform/types.h"

namespace cv {

// The largest count the pointer-string readers accept by default.
constexpr Integer kPointerStringLimit = 50000;

// The count most recently read by ReadUnknownLengthPointerMaxSize.
extern Integer temp_pointer_chars_allocated;

class TMyFileStream : public TFileStream {
 public:
  using TFileStream::TFileStream;
  bool WriteAShortString(std::string_view s);
};

class TMyCheckSumFileStream : public TFileStream {
 public:
  using TFileStream::TFileStream;
  // My4Checksum of the Size() bytes from the current position, read in
  // chunks; EReadError when fewer bytes are there (the position was not at
  // the start).
  Integer GetChecksum();
};

// 0 when the file does not exist; otherwise GetChecksum of the whole file.
// An existing file that cannot be opened raises EFOpenError.
Integer CheckSumOfAFile(const string& file_name);

// ---------------------------------------------------------------------------
// Pointer strings.  P is a char16_t* when wide, else a char*; results are
// heap strings (new[]) freed with DeletePChar / DeletePAnsichar.

// Writes n, then n characters of P when n >= 1.  False when n > limit (the
// reader's limit) or a write was short.
bool WriteKnownLengthPointer(TStream& stream, const void* p, bool wide, Integer n,
                             Integer limit = kPointerStringLimit);
// The same with n := length of P up to its terminator (0 for nil).
bool WriteUnknownLengthPointer(TStream& stream, const void* p, bool wide,
                               Integer limit = kPointerStringLimit);
// Reads the counted form.  A count below 0, above maxsize or longer than the
// stream raises EFileReadError("ReadUnknownLengthPointer <count>"); a short
// read raises EReadError.
void* ReadUnknownLengthPointerMaxSize(TStream& stream, bool wide, Integer maxsize);
void* ReadUnknownLengthPointer(TStream& stream, bool wide);

bool StreamWritePchar(TStream& stream, const char16_t* p);
// EFileReadError("StreamReadPchar") for a count below 0, above
// kPointerStringLimit or longer than the stream.
char16_t* StreamReadPchar(TStream& stream);
// False (nothing written) for more than 65535 bytes.
bool StreamWritePAnsichar(TStream& stream, const char* p);
char* StreamReadPAnsichar(TStream& stream);

// False (nothing written) for more than 255 bytes.
bool WriteShortString(TStream& stream, std::string_view s);
// EReadError on a short read.
AnsiString ReadShortString(TStream& stream);

// ---------------------------------------------------------------------------
// Zip members as text

// The most bytes of one member read as text.
constexpr std::size_t kMaxZipMemberTextBytes = 256u << 20;

// Member text: a byte-order mark picks UTF-16LE/BE or UTF-8; otherwise valid
// UTF-8 is read as UTF-8 and anything else in the ANSI code page.
string DecodeMemberText(std::string_view bytes);

// path names a member inside an archive (zip_utils.h).  Empty when there is
// no such member, the name is unsafe ("..", absolute) or the member is over
// the size cap.  EZipError for a missing or damaged archive.
string ContentsOfFileWithinZipFile(const string& path);
// Member n (1-based); empty when out of range or over the cap.
string ContentsOfFileWithinZipFile(const string& zipname, Integer n);

// The per-user folder for unpacked members: <base>/cvane7-<uid>, created
// with mode 0700; refused (empty) when it exists as a link, as something
// other than a folder, or with another owner or wider permissions.  base is
// the runtime's temporary folder, or $TMPDIR / /tmp when empty.
string ZipTempFolder(const string& base);
// Writes member n as UTF-16LE text with a byte-order mark to "tempzip.txt"
// in ZipTempFolder(base) and returns its path.  Any earlier file there is
// removed first; the file is created exclusively (never through a link).
// Empty when the member was not written (n out of range, over the cap, a
// write failure).  EZipError for a missing or damaged archive.
string OpenedAZipFileToTempDir(const string& zipname, Integer n, const string& base = string());

}  // namespace cv
