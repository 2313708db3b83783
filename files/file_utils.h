// File utilities: content types, existence, questions before overwriting or
// deleting, backups, new file names, file dates and text files.
//
// Paths are native ('/'); a name beginning with two delimiters ("//server/
// share/...") is a network path and is only touched when the caller asks.
// Every routine that rewrites a file writes a temporary file beside it and
// renames it into place, so a failure leaves the original whole; copying a
// file onto itself (the same device and inode) is refused.
//
// Questions go through MessageBoxW (platform/process.h), whose handler the
// program installs.
#pragma once

#include "files/julian_date_routines.h"
#include "platform/classes.h"
#include "platform/types.h"

namespace cv {

// ---------------------------------------------------------------------------
// Content types

enum TFileContentsTypes : Byte { _8_bit, _UTF8, _16_bit, _early_Word, _Storage, _Zip, _16_bit_reversed };
// Bit n stands for ordinal n; 0 (empty) means unreadable or too short.
using TFileContentsSet = Byte;
constexpr TFileContentsSet FileContentsBit(TFileContentsTypes t) {
  return static_cast<TFileContentsSet>(1u << t);
}
constexpr bool InFileContents(TFileContentsSet s, TFileContentsTypes t) { return (s & FileContentsBit(t)) != 0; }

enum TCVFilestatus : Byte { fs_unknown, fs_exists, fs_moved };

// The quick test looks at the first four bytes; the thorough one at all of
// them (see FileContentsType).
TFileContentsSet FileBufferType(const void* buffer, Int64 size, bool thorough);
// The quick test reads four bytes; the thorough one streams the whole file
// in blocks, never holding it whole.  The empty set for a file shorter than
// four bytes or one that cannot be read.
TFileContentsSet FileContentsType(const string& filename, bool thorough);
Integer FileContentsComparison(TFileContentsSet a, TFileContentsSet b);

// Whether bytes without a byte-order mark are UTF-16 little-endian text:
// an even count, NUL high bytes on a good share of the characters (spaces,
// line breaks, digits, Latin letters) and hardly any NUL low bytes, and no
// NUL character pairs.  Text with no NUL byte at all (ASCII, UTF-8, 8-bit
// code pages) is never taken for UTF-16.
bool IsTextUnicode(const void* buffer, Int64 size);
// Size above 3 and a UTF-16 byte-order mark, or IsTextUnicode.
bool StringIsInUnicode(const void* buffer, Int64 size);
// StringIsInUnicode of the file (streamed); false for an empty file.
bool TextFileInUnicode(const string& filename);

// ---------------------------------------------------------------------------
// Existence and status

bool IsNetworkPath(std::u16string_view name);
bool DriveAndFileExist(const string& name);
bool DriveAndFileExist(const string& name, bool checkUNC, bool valueIfUNC);
bool DriveAndFolderExist(const string& dir);
bool DriveAndFolderExist(const string& dir, bool checkUNC, bool valueIfUNC);
TCVFilestatus GetFileStatusOfAFile(const string& name, bool checkUNC);

// Attribute bits as the suite knows them, from the system's facts: read-only
// (0x01) when nobody may write, hidden (0x02) for a name beginning with ".",
// system (0x04) for what is neither file, folder nor link, folder (0x10),
// archive (0x20) for a file.  -1 when the entry does not exist.
constexpr Integer faReadOnly = 0x01;
constexpr Integer faHidden = 0x02;
constexpr Integer faSysFile = 0x04;
constexpr Integer faDirectory = 0x10;
constexpr Integer faArchive = 0x20;
Integer FileGetAttr(const string& name);

bool ReadOnlyFileW(const string& name);
bool ReadOnlyFolderW(const string& dir);
// Whether a file can be made in dir: an anonymous temporary file is made and
// dropped, so no name in the folder matters.
bool IsDirectoryWriteable(const string& dir);
Int64 FileSize(const string& name);  // -1 when missing
bool sIsADirectory(const string& name);
bool FileNameHasWildCards(std::u16string_view name);

// ---------------------------------------------------------------------------
// Questions, backups, disk space

bool OKToOverwrite(const string& name);
// On Yes, the file is first copied to its ".bak" name; false when that copy
// failed (the file is then not to be overwritten).
bool OKToOverwriteWithBackup(const string& name);
// On OK the file is deleted; EOSError when that fails.
bool OKToDeleteFile(const string& name);
bool CopyAFileWithBackup(const string& name);
// Free space is what an ordinary user may still write on the volume.
bool ProceedIfLittleDiskSpace(const string& path, UInt64 needed);

// ---------------------------------------------------------------------------
// Names, copies and dates

// The runtime's temporary folder, set by the program (empty at start).
extern string my_temp_path;

void SetBatchFileStartNumberTo(Integer n);
Integer GetBatchFileStartNumber();
// Makes name one that no file has yet by appending "_" and a batch number
// (at least three digits) before the extension of the file name (never of a
// folder name).  Returns true; false only when the batch number runs out.
bool ForcedToBeNewFile(string& name);

bool CopyFileRetainingDate(const string& source, const string& target);
bool CopyDateOfFile(const string& source, const string& target);
// 12:00 local time of the day; false unless 1980 <= year <= 2106 and the day
// exists.
bool SetFileDate(const string& name, const TYearMonthDay& ymd);
bool SetFileDate(const string& name, Integer day, Integer month, Integer year);
bool SetFileDate(const string& name, std::u16string_view day, std::u16string_view month,
                 std::u16string_view year);
// Exactly 10 characters: day 1-2, month 4-5, year 7-10.
bool SetFileDate(const string& name, std::u16string_view date);

// ---------------------------------------------------------------------------
// Text files

class TPossiblyDodgyTextStringlist : public TStringList {
 public:
  bool SignedUTF8 = false;
  // Reads even a file another program holds open; the encoding comes from
  // the byte-order mark.  EFOpenError when it cannot be opened.
  void LoadFromFile(const string& file_name);
};

string TextFileContents(const string& name);
// Writes FF FE and the text as UTF-16LE; false for empty text (the file is
// not touched) or when the file cannot be written.
bool SavedTextAsStream(std::u16string_view text, const string& name);
// Rewrites an 8-bit file as UTF-16LE with byte-order mark: a UTF-8-signed
// file is decoded as UTF-8, another with the locale's ANSI code page.  True
// when the file exists and is (now) UTF-16; false when it is missing or the
// rewrite failed.
bool ConvertATextFileAnsiToUTF16(const string& name, LCID locale);
// Insert text before character pos (from 1; clamped to the text) and save in
// the encoding the file had (A) or as UTF-16LE (W).  With backup the file is
// first copied to its ".bak" name.  False, with the file unchanged, when the
// backup, the reading or the saving fails.
bool InsertIntoFileA(const string& name, std::u16string_view text, bool backup, Integer pos);
bool InsertIntoFileW(const string& name, std::u16string_view text, bool backup, Integer pos);

// By file name (A-Z ignoring case), ties by the whole path; or by last
// access time.  Objects move with their strings.
void SortListOfFiles(TStringList& list, bool byAccessTime, bool ascending);

}  // namespace cv
