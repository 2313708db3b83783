// Choosing the text files a tool reads: the walker (TPeruseDir) lists the
// accepted files of one folder, optionally with the matching members of the
// zip archives there, and walks the folder tree below a folder, reporting
// each subfolder; TFolderful keeps one folder's accepted files.
//
// Order.  Within one HandleAllFilesIn call, zip members come first (archive
// by archive), then the ordinary files file mask by file mask; within one
// folder, entries come by upper-cased name (then by name), so a listing does
// not depend on the file system.  Subfolders are reported depth first, each
// before its own subfolders.
//
// Linux.  Paths use '/'; a name matches a mask ignoring case; "hidden" is a
// name beginning with "."; "system" is anything that is neither a file nor a
// folder (devices, sockets, pipes).  Links to folders are never followed.
// Excluded-folder masks given with '\' (stored Windows data) are read with
// '/'.  A zip member's ShortName is the archive's full path, "/" and the
// member's stored name with any '\' turned into '/'.
//
// Stored form of a folder (TFolderful::SaveToStream), little-endian:
//   folder  := sort:uint8 starts:int32 ends:int32 dirnum:int32 dirname:str
//              count:int32 entry{count}
//   entry   := datetime:float64 size:int32 attr:int32 number_within_zip:int16
//              pad:uint16(0) shortname:str
//   str     := n:int32 unit:uint16{n}
// Reading checks every count and length against what the stream still
// holds and raises EFileReadError on an impossible one.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "files/useful_classes_files.h"
#include "platform/classes.h"
#include "platform/types.h"

namespace cv {

struct TMySearchRec {
  TDateTime DateTime = 0;
  Integer Size = 0;            // bytes; 2 GiB and more is stored as 0x7FFFFFFF, never negative
  Integer Attr = 0;
  SmallInt Number_Within_Zip = 0;  // 0, or the member's position in its archive from 1
  string ShortName;
};

class TMySearchRecHolder {
 public:
  explicit TMySearchRecHolder(const TMySearchRec& d) : data(d) {}
  TMySearchRec data;
};

enum TMySearchRecSort : Byte {
  sr_sort_none,
  sr_sort_by_name,
  sr_sort_by_date,
  sr_sort_by_size,
  sr_sort_by_attr,
  sr_sort_by_extension
};

// A list of owned TMySearchRecHolders.
class TMySearchRecList : public TList {
 public:
  TMySearchRecList() = default;
  ~TMySearchRecList() override;

  TMySearchRecSort fSort = sr_sort_none;

  TMySearchRecHolder* Holder(Integer i) const;
  Integer AddRec(const TMySearchRec& r);
  // Sorts (newest first by date; the others ascending); nothing when wanted
  // is the current order.  Entries with equal keys keep their order.
  void SetSort(TMySearchRecSort wanted);
  // Index of the entry with the same Size, DateTime and ShortName (case
  // matters), or -1; binary search when the list is in a known order.
  Integer Find(const TMySearchRec& item) const;
  Integer IndexOF(const TMySearchRec& item) const { return Find(item); }
  TMySearchRec GetAMySearchRec(Integer i) const;  // zeroed outside
  void Clear() override;

  void SaveToStream(TStream& stream) const;
  // Appends the stored entries; EFileReadError for an impossible count or
  // length, EReadError for a short stream.
  void ReadFromStream(TStream& stream);

 private:
  Integer ScanFor(const TMySearchRec& item) const;
};

class TPeruseDir;

class TFolderful {
 public:
  explicit TFolderful(const string& ADirname);
  ~TFolderful();
  TFolderful(const TFolderful&) = delete;
  TFolderful& operator=(const TFolderful&) = delete;

  TMySearchRecSort CurrentSort() const { return fSort; }
  void SetCurrentSort(TMySearchRecSort wanted) { fSetSort(wanted); }
  Integer dirnum() const { return fdirnum; }
  void set_dirnum(Integer v) { fdirnum = v; }
  Integer Starts() const { return fstarts; }
  void SetStarts(Integer v) { fstarts = v; }
  Integer Ends() const { return fends; }
  void SetEnds(Integer v) { fends = v; }
  TMySearchRecList* ListOfFiles() const { return fThisList.get(); }
  const string& DirName() const { return fDirname; }
  void SetDirName(const string& s) { fDirname = s; }
  bool Folder_Processing_Files() const { return fProcessing_files; }
  void SetFolder_Processing_Files(bool v) { fProcessing_files = v; }

  void FillList(TPeruseDir& t);
  void Clear();

  bool SaveToStream(TStream& stream) const;
  bool ReadFromStream(TStream& stream);
  bool SaveToFile(TStream& stream) const { return SaveToStream(stream); }
  bool ReadFromFile(TStream& stream) { return ReadFromStream(stream); }

  string fGetAShortName(Integer i) const;
  string fGetAFullname(Integer i) const;
  TMySearchRec fGetASearchRec(Integer i) const;
  TMySimpleSearchRec fGetASimpleSearchRec(Integer i) const;
  Int64 GetAFileSize(Integer i) const;  // -1 outside
  bool fGetIsZipfile(Integer i) const;
  // Renames DirName+ShortName(i) to name, never replacing an existing file;
  // EFileRenameError ("cannot rename %s") when refused.
  void fSetAFullName(Integer i, const string& name);
  Integer fGetTotalFiles() const;
  Integer Count() const { return fGetTotalFiles(); }
  Integer Files() const { return fGetTotalFiles(); }
  bool fEmpty() const { return fGetTotalFiles() == 0; }
  bool Empty() const { return fEmpty(); }
  void fSetSort(TMySearchRecSort wanted);
  const string& fGetDirName() const { return fDirname; }

 private:
  TMySearchRecSort fSort = sr_sort_none;
  Integer fdirnum = 0;
  Integer fstarts = 0;
  Integer fends = 0;
  std::unique_ptr<TMySearchRecList> fThisList;
  string fDirname;
  bool fProcessing_files = true;
};

class EFileRenameError : public EClassesError {
 public:
  using EClassesError::EClassesError;
};

using TProcessingAFileEvent = std::function<void(const string& FullFileName, const TMySearchRec& SR)>;
using TCheckFileAcceptableEvent = std::function<bool(const TMySearchRec& SR, bool InAZip)>;
using TFoundDirEvent = std::function<void(const string& DirName)>;
using TMyDirProgressEvent = std::function<void(Integer dirnum)>;
using TZipReadingEvent = std::function<void(Integer num, Integer out_of)>;
using TZipDoneReadingEvent = std::function<void(Integer zips_handled)>;
using TZipStartReadingEvent = std::function<void(const string& zipfilename)>;
using TNotifyEvent = std::function<void(void* Sender)>;

class TPeruseDir {
 public:
  TPeruseDir(const string& filemask, const string& dirmask, const string& zipmask,
             const string& excluded_dirs_mask, const string& excluded_exts, bool ACheckingMACOS_files,
             bool zips_too, bool aTreatZipsLikeAnyOtherFile, bool AAcceptSystemFiles, bool AAcceptHiddenFiles);

  // Appends the accepted files of the one folder dir (not its subfolders) to
  // list (which may be nil); true when at least one ordinary file was taken.
  // A damaged archive is reported through OnZipProblem and passed over.
  bool HandleAllFilesIn(const string& dir, TMySearchRecList* ASearchRecList);
  // Raises OnFoundDir for every subfolder taken below s, depth first, once
  // per folder mask.
  void ProcessAllSubDirectories(const string& s);

  bool fIsAZipfile(std::u16string_view name) const;
  static bool IsDot_UnderscoreFile(std::u16string_view name);
  bool HasExcludedExtension(std::u16string_view name) const;
  bool IsExcludedFolder(std::u16string_view path) const;
  void EnsureExcludedFoldersHavePathmarks();
  void AddAZip(TMySearchRecList* list, const string& folder, const string& zipname);

  string ZipExtension() const { return fZipExtension; }
  void SetZipExtension(const string& s) { fZipExtension = s; }
  Integer TotalFilesInZips() const { return ftotal_files_in_zips; }
  Integer ZipsExamined() const { return fzips_examined; }
  Integer SubDirsFound() const { return fsubdir_counter; }
  bool CheckingMACOSFiles() const { return fCheckingMACOS_files; }
  void SetCheckingMACOSFiles(bool v) { fCheckingMACOS_files = v; }
  bool Peruse_Processing_Files() const { return fProcessing_files; }
  void SetPeruse_Processing_Files(bool v) { fProcessing_files = v; }

  TZipStartReadingEvent OnZipStartReading;
  TCheckFileAcceptableEvent OnCheckFileAcceptable;
  TFoundDirEvent OnFoundDir;
  TZipReadingEvent OnZipReading;
  TZipDoneReadingEvent OnDoneZipReading;
  TNotifyEvent OnZipProblem;

 private:
  void fCountAnySubDirectories(const string& pattern, std::size_t k);
  void ZipSkipped();

  string fFilemaskStr;
  string fZipExtension;
  std::vector<string> fZipMasks;
  std::vector<string> fDirExcludeMasks;
  std::vector<string> fExtExcludeMasks;
  std::vector<string> fDirmasks;
  Integer ftotal_files_in_zips = 0;
  Integer fzips_examined = 0;
  Integer fsubdir_counter = 0;
  bool fCheckingMACOS_files;
  bool fTreatZipsLikeAnyOtherFile;
  bool fAcceptSystemFiles;
  bool fAcceptHiddenFiles;
  bool fProcessing_files = true;
  bool fExamineZips;
};

}  // namespace cv
