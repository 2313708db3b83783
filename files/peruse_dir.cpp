#include "files/peruse_dir.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <ctime>
#include <cstring>

#include "core/logging_utilities.h"
#include "files/dir_listing.h"
#include "files/file_names.h"
#include "files/file_ops.h"
#include "files/file_utils.h"
#include "files/my_kpsmall.h"
#include "lists/sortable_lists.h"
#include "lists/useful_classes_base.h"
#include "lists/zip_archive.h"
#include "platform/coding.h"
#include "platform/sysutils.h"
#include "platform/utf.h"
#include "search/wide_masks.h"

namespace cv {
namespace {

constexpr TDateTime kUnixEpochDateTime = 25569.0;  // 1 January 1970
// Longest name the stored form accepts (far beyond any real path).
constexpr Integer kMaxStoredName = 32767;
// The fixed part of a stored entry: datetime, size, attr, number, padding.
constexpr Int64 kEntryFixedBytes = 20;

TDateTime LocalDateTime(Int64 sec, long nsec) {
  const time_t t = static_cast<time_t>(sec);
  struct tm lt;
  if (::localtime_r(&t, &lt) == nullptr) return kUnixEpochDateTime;
  return kUnixEpochDateTime + (static_cast<double>(sec + lt.tm_gmtoff) + nsec / 1e9) / 86400.0;
}

Integer ClampedSize(Int64 size) { return size < 0 ? 0 : size > INT32_MAX ? INT32_MAX : static_cast<Integer>(size); }

string Ext(std::u16string_view name) {
  const std::size_t dot = name.rfind(u'.');
  return dot == std::u16string_view::npos ? string() : string(name.substr(dot));
}

int Sign(double d) { return d > 0 ? 1 : d < 0 ? -1 : 0; }

int CompareKey(TMySearchRecSort how, const TMySearchRec& a, const TMySearchRec& b) {
  switch (how) {
    case sr_sort_by_name: return Sign(CompareText(a.ShortName, b.ShortName));
    case sr_sort_by_date: return Sign(b.DateTime - a.DateTime);  // newest first
    case sr_sort_by_size: return a.Size < b.Size ? -1 : a.Size > b.Size;
    case sr_sort_by_attr: return a.Attr < b.Attr ? -1 : a.Attr > b.Attr;
    case sr_sort_by_extension: return Sign(CompareText(Ext(a.ShortName), Ext(b.ShortName)));
    default: return 0;
  }
}

bool SameEntry(const TMySearchRec& a, const TMySearchRec& b) {
  return a.Size == b.Size && a.DateTime == b.DateTime && a.ShortName == b.ShortName;
}

// Stream helpers (little-endian, exact transfers).
void PutBytes(TStream& s, const std::string& b) { s.WriteBuffer(b.data(), static_cast<Int64>(b.size())); }

void PutStr(std::string& b, std::u16string_view v) {
  PutFixed32(b, static_cast<std::uint32_t>(v.size()));
  PutUtf16(b, v);
}

std::uint32_t Get32(TStream& s) {
  std::uint8_t b[4];
  s.ReadBuffer(b, 4);
  return DecodeFixed32(b);
}

string GetStr(TStream& s, const char16_t* routine) {
  const auto n = static_cast<Integer>(Get32(s));
  if (n < 0 || n > kMaxStoredName || static_cast<Int64>(n) * 2 > s.Remaining()) throw EFileReadError(routine);
  std::string raw(static_cast<std::size_t>(n) * 2, '\0');
  s.ReadBuffer(raw.data(), static_cast<Int64>(raw.size()));
  string out;
  Cursor c(raw);
  c.GetUtf16(static_cast<std::size_t>(n), out);
  return out;
}

string NativeMask(std::u16string_view s) {
  string out(s);
  std::replace(out.begin(), out.end(), u'\\', u'/');
  return out;
}

}  // namespace

// ---------------------------------------------------------------------------
// TMySearchRecList

TMySearchRecList::~TMySearchRecList() { Clear(); }

TMySearchRecHolder* TMySearchRecList::Holder(Integer i) const {
  if (i < 0 || i >= Count()) return nullptr;
  return static_cast<TMySearchRecHolder*>(Items(i));
}

Integer TMySearchRecList::AddRec(const TMySearchRec& r) { return Add(new TMySearchRecHolder(r)); }

void TMySearchRecList::Clear() {
  fSort = sr_sort_none;
  for (Integer i = 0; i < Count(); ++i) delete static_cast<TMySearchRecHolder*>(Items(i));
  TList::Clear();
}

void TMySearchRecList::SetSort(TMySearchRecSort wanted) {
  if (wanted == fSort) return;
  if (wanted != sr_sort_none && Count() > 1) {
    void** items = List();
    std::stable_sort(items, items + Count(), [wanted](void* a, void* b) {
      return CompareKey(wanted, static_cast<TMySearchRecHolder*>(a)->data,
                        static_cast<TMySearchRecHolder*>(b)->data) < 0;
    });
  }
  fSort = wanted;
}

Integer TMySearchRecList::ScanFor(const TMySearchRec& item) const {
  for (Integer i = 0; i < Count(); ++i)
    if (SameEntry(Holder(i)->data, item)) return i;
  return -1;
}

Integer TMySearchRecList::Find(const TMySearchRec& item) const {
  if (fSort == sr_sort_none) return ScanFor(item);
  Integer low = 0, high = Count() - 1;
  while (low <= high) {
    MyYieldProcess();
    const Integer middle = low + (high - low) / 2;
    const TMySearchRec& m = Holder(middle)->data;
    const int c = CompareKey(fSort, m, item);
    if (c == 0) {
      if (SameEntry(m, item)) return middle;
      return ScanFor(item);  // the same key, another entry
    }
    if (c < 0)
      low = middle + 1;
    else
      high = middle - 1;
  }
  return -1;
}

TMySearchRec TMySearchRecList::GetAMySearchRec(Integer i) const {
  const TMySearchRecHolder* h = Holder(i);
  return h ? h->data : TMySearchRec{};
}

void TMySearchRecList::SaveToStream(TStream& stream) const {
  std::string b;
  PutFixed32(b, static_cast<std::uint32_t>(Count()));
  for (Integer i = 0; i < Count(); ++i) {
    const TMySearchRec& r = Holder(i)->data;
    std::uint64_t bits;
    std::memcpy(&bits, &r.DateTime, 8);
    PutFixed64(b, bits);
    PutFixed32(b, static_cast<std::uint32_t>(r.Size));
    PutFixed32(b, static_cast<std::uint32_t>(r.Attr));
    PutFixed16(b, static_cast<std::uint16_t>(r.Number_Within_Zip));
    PutFixed16(b, 0);
    PutStr(b, r.ShortName);
  }
  PutBytes(stream, b);
}

void TMySearchRecList::ReadFromStream(TStream& stream) {
  static constexpr char16_t kRoutine[] = u"TMySearchRecList.ReadFromStream";
  const auto count = static_cast<Integer>(Get32(stream));
  if (count < 0 || static_cast<Int64>(count) * (kEntryFixedBytes + 4) > stream.Remaining())
    throw EFileReadError(kRoutine);
  for (Integer i = 0; i < count; ++i) {
    std::uint8_t fixed[kEntryFixedBytes];
    stream.ReadBuffer(fixed, kEntryFixedBytes);
    TMySearchRec r;
    const std::uint64_t bits = DecodeFixed64(fixed);
    std::memcpy(&r.DateTime, &bits, 8);
    r.Size = static_cast<Integer>(DecodeFixed32(fixed + 8));
    r.Attr = static_cast<Integer>(DecodeFixed32(fixed + 12));
    r.Number_Within_Zip = static_cast<SmallInt>(DecodeFixed16(fixed + 16));
    r.ShortName = GetStr(stream, kRoutine);
    AddRec(r);
  }
}

// ---------------------------------------------------------------------------
// TFolderful

TFolderful::TFolderful(const string& ADirname)
    : fThisList(std::make_unique<TMySearchRecList>()), fDirname(IncludeTrailingPathDelimiter(ADirname)) {}

TFolderful::~TFolderful() { Clear(); }

void TFolderful::FillList(TPeruseDir& t) {
  if (!fThisList) fThisList = std::make_unique<TMySearchRecList>();
  t.HandleAllFilesIn(fDirname, fThisList.get());
}

void TFolderful::Clear() { fThisList.reset(); }

bool TFolderful::SaveToStream(TStream& stream) const {
  std::string b;
  PutFixed8(b, fSort);
  PutFixed32(b, static_cast<std::uint32_t>(fstarts));
  PutFixed32(b, static_cast<std::uint32_t>(fends));
  PutFixed32(b, static_cast<std::uint32_t>(fdirnum));
  PutStr(b, fDirname);
  PutBytes(stream, b);
  if (fThisList) {
    fThisList->SaveToStream(stream);
  } else {
    TMySearchRecList empty;
    empty.SaveToStream(stream);
  }
  return true;
}

bool TFolderful::ReadFromStream(TStream& stream) {
  static constexpr char16_t kRoutine[] = u"TFolderful.ReadFromStream";
  std::uint8_t sort;
  stream.ReadBuffer(&sort, 1);
  if (sort > sr_sort_by_extension) throw EFileReadError(kRoutine);
  const auto starts = static_cast<Integer>(Get32(stream));
  const auto ends = static_cast<Integer>(Get32(stream));
  const auto dirnum = static_cast<Integer>(Get32(stream));
  string dirname = GetStr(stream, kRoutine);
  auto list = std::make_unique<TMySearchRecList>();
  list->ReadFromStream(stream);
  fSort = static_cast<TMySearchRecSort>(sort);
  fstarts = starts;
  fends = ends;
  fdirnum = dirnum;
  fDirname = std::move(dirname);
  fThisList = std::move(list);
  return true;
}

string TFolderful::fGetAShortName(Integer i) const {
  return fThisList && fThisList->Holder(i) ? fThisList->Holder(i)->data.ShortName : string();
}

string TFolderful::fGetAFullname(Integer i) const {
  return fThisList && fThisList->Holder(i) ? fDirname + fThisList->Holder(i)->data.ShortName : string();
}

TMySearchRec TFolderful::fGetASearchRec(Integer i) const {
  return fThisList ? fThisList->GetAMySearchRec(i) : TMySearchRec{};
}

TMySimpleSearchRec TFolderful::fGetASimpleSearchRec(Integer i) const {
  TMySimpleSearchRec s;
  if (!fThisList || !fThisList->Holder(i)) return s;
  const TMySearchRec& r = fThisList->Holder(i)->data;
  s.DateTime = r.DateTime;
  s.Size = r.Size;
  s.ShortName = r.ShortName;
  return s;
}

Int64 TFolderful::GetAFileSize(Integer i) const {
  return fThisList && fThisList->Holder(i) ? fThisList->Holder(i)->data.Size : -1;
}

bool TFolderful::fGetIsZipfile(Integer i) const {
  return fThisList && fThisList->Holder(i) && fThisList->Holder(i)->data.Number_Within_Zip > 0;
}

void TFolderful::fSetAFullName(Integer i, const string& name) {
  TMySearchRecHolder* h = fThisList ? fThisList->Holder(i) : nullptr;
  if (h == nullptr) return;
  const string old = fDirname + h->data.ShortName;
  if (::renameat2(AT_FDCWD, SysPath(old).c_str(), AT_FDCWD, SysPath(name).c_str(), RENAME_NOREPLACE) != 0)
    throw EFileRenameError(Format(u"cannot rename %s", {old}));
  h->data.ShortName = ExtractFileName(name);
}

Integer TFolderful::fGetTotalFiles() const {
  return fProcessing_files && fThisList ? fThisList->Count() : 0;
}

void TFolderful::fSetSort(TMySearchRecSort wanted) {
  if (fThisList) fThisList->SetSort(wanted);
  fSort = wanted;
}

// ---------------------------------------------------------------------------
// TPeruseDir

TPeruseDir::TPeruseDir(const string& filemask, const string& dirmask, const string& zipmask,
                       const string& excluded_dirs_mask, const string& excluded_exts, bool ACheckingMACOS_files,
                       bool zips_too, bool aTreatZipsLikeAnyOtherFile, bool AAcceptSystemFiles,
                       bool AAcceptHiddenFiles)
    : fFilemaskStr(filemask),
      fZipExtension(u".zip"),
      fCheckingMACOS_files(ACheckingMACOS_files),
      fTreatZipsLikeAnyOtherFile(aTreatZipsLikeAnyOtherFile),
      fAcceptSystemFiles(AAcceptSystemFiles),
      fAcceptHiddenFiles(AAcceptHiddenFiles),
      fExamineZips(zips_too) {
  BuildAMask(fExtExcludeMasks, excluded_exts);
  BuildAMask(fDirExcludeMasks, NativeMask(excluded_dirs_mask));
  BuildAMask(fDirmasks, dirmask);
  BuildAMask(fZipMasks, zipmask);
  EnsureExcludedFoldersHavePathmarks();
}

bool TPeruseDir::fIsAZipfile(std::u16string_view name) const {
  const std::size_t n = fZipExtension.size();
  return name.size() >= 5 && name.size() >= n && SameText(name.substr(name.size() - n), fZipExtension);
}

bool TPeruseDir::IsDot_UnderscoreFile(std::u16string_view name) {
  return name.size() >= 2 && name[0] == u'.' && name[1] == u'_';
}

bool TPeruseDir::HasExcludedExtension(std::u16string_view name) const {
  if (fExtExcludeMasks.empty()) return false;
  const string ext = Ext(name);
  return !ext.empty() && WhereInAMask(ext, fExtExcludeMasks) >= 0;
}

bool TPeruseDir::IsExcludedFolder(std::u16string_view path) const {
  return !fDirExcludeMasks.empty() && WhereInAMask(path, fDirExcludeMasks) >= 0;
}

void TPeruseDir::EnsureExcludedFoldersHavePathmarks() {
  for (string& m : fDirExcludeMasks)
    if (!m.empty() && m.compare(0, 2, u"*/") != 0) m.insert(0, u"*/");
}

void TPeruseDir::ZipSkipped() {
  if (OnZipProblem) OnZipProblem(this);
}

void TPeruseDir::AddAZip(TMySearchRecList* list, const string& folder, const string& zipname) {
  const string archive = IncludeTrailingPathDelimiter(folder) + zipname;
  std::unique_ptr<TZipArchiveReader> zip;
  try {
    zip = std::make_unique<TZipArchiveReader>(archive);
  } catch (const std::exception&) {
    ZipSkipped();  // a damaged archive hides nothing else of its folder
    return;
  }
  if (OnZipStartReading) OnZipStartReading(archive);
  ++fzips_examined;
  const TFileFacts facts = FileFacts(archive);
  const TDateTime when = LocalDateTime(facts.mtime_sec, facts.mtime_nsec);
  const Integer count = zip->MemberCount();
  bool refused = false;
  for (Integer i = 1; i <= count && fProcessing_files; ++i) {
    MyYieldProcess();
    if (OnZipReading) OnZipReading(i - 1, count);
    const string stored = NativeMask(zip->MemberName(i));
    if (stored.empty() || stored.back() == u'/') continue;  // folder entries are not files
    if (WhereInAMask(stored, fZipMasks) < 0 || HasExcludedExtension(stored)) continue;
    // Names that would lead out of the archive, and positions the record
    // cannot hold, are refused rather than cut.
    if (!IsSafeZipMemberName(stored) || i > SHRT_MAX) {
      refused = true;
      continue;
    }
    ++ftotal_files_in_zips;
    TMySearchRec r;
    r.ShortName = archive + u"/" + stored;
    r.DateTime = when;
    r.Size = ClampedSize(zip->MemberSize(i));
    r.Attr = faArchive;
    r.Number_Within_Zip = static_cast<SmallInt>(i);
    if ((!OnCheckFileAcceptable || OnCheckFileAcceptable(r, true)) && list != nullptr) list->AddRec(r);
  }
  if (refused) ZipSkipped();
  if (OnDoneZipReading) OnDoneZipReading(fzips_examined);
}

bool TPeruseDir::HandleAllFilesIn(const string& dir, TMySearchRecList* list) {
  if (!fProcessing_files) return false;
  bool result = false;
  try {
    if (keeping_log) AddToLogFile(Format(u"searching %s for %s", {dir, fFilemaskStr}));
    const string folder = IncludeTrailingPathDelimiter(dir);
    std::vector<TDirEntry> entries;
    int dfd = -1;
    if (!ReadDirectory(folder, entries, TDirEntryKinds::kAll, &dfd)) return false;
    struct CloseFd {
      int fd;
      ~CloseFd() {
        if (fd >= 0) ::close(fd);
      }
    } closer{dfd};

    if (fExamineZips) {
      const std::size_t dot = fFilemaskStr.find(u'.');
      const string pattern = (dot == string::npos ? string(u"*") : fFilemaskStr.substr(0, dot)) + fZipExtension;
      for (const TDirEntry& e : entries) {
        if (!fProcessing_files) break;
        if (e.is_dir || !MatchesMask(e.name, pattern)) continue;
        AddAZip(list, folder, e.name);
        MyYieldProcess();
      }
    }

    std::vector<string> pieces;
    BuildAMask(pieces, fFilemaskStr);
    for (const string& piece : pieces) {
      if (piece.empty()) continue;
      if (!fProcessing_files) {
        if (keeping_log) AddToLogFile(u"processing stopped");
        continue;
      }
      for (const TDirEntry& e : entries) {
        if (!fProcessing_files) break;
        if (!MatchesMask(e.name, piece)) continue;
        if (e.is_dir) {
          MyYieldProcess();
          continue;
        }
        struct stat st;
        if (::fstatat(dfd, e.raw.c_str(), &st, 0) != 0 || S_ISDIR(st.st_mode)) continue;  // a link to a folder
        Integer attr = S_ISREG(st.st_mode) ? faArchive : faSysFile;
        if ((st.st_mode & 0222) == 0) attr |= faReadOnly;
        if (e.name[0] == u'.') attr |= faHidden;
        if (((attr & faSysFile) && !fAcceptSystemFiles) || ((attr & faHidden) && !fAcceptHiddenFiles) ||
            (fCheckingMACOS_files && IsDot_UnderscoreFile(e.name))) {
          if (keeping_log) AddToLogFile(Format(u"ignoring %s (%d)", {e.name, attr}));
          continue;
        }
        if (keeping_log) AddToLogFile(u"\t" + Format(u"found %s", {e.name}));
        if (HasExcludedExtension(e.name)) continue;
        if (!fTreatZipsLikeAnyOtherFile && fIsAZipfile(e.name)) continue;
        TMySearchRec r;
        r.Size = ClampedSize(st.st_size);
        r.Attr = attr;
        r.ShortName = e.name;
        r.Number_Within_Zip = 0;
        r.DateTime = LocalDateTime(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
        if (OnCheckFileAcceptable && !OnCheckFileAcceptable(r, false)) {
          if (keeping_log) AddToLogFile(Format(u"ignoring %s (%d)", {e.name, attr}));
          continue;
        }
        result = true;
        if (list != nullptr) list->AddRec(r);
        MyYieldProcess();
      }
    }
  } catch (const std::exception&) {
    return false;
  }
  return result;
}

void TPeruseDir::ProcessAllSubDirectories(const string& s) {
  const string base = ExcludeTrailingPathDelimiter(s);
  for (std::size_t k = 0; k < fDirmasks.size(); ++k) {
    if (fDirmasks[k].empty()) continue;
    fCountAnySubDirectories(base + u"/" + fDirmasks[k], k);
  }
}

void TPeruseDir::fCountAnySubDirectories(const string& pattern, std::size_t k) {
  MyYieldProcess();
  const string folder = ExtractFileDir(pattern);
  std::vector<TDirEntry> entries;
  if (!ReadDirectory(folder, entries, TDirEntryKinds::kFoldersOnly)) return;
  const string prefix = IncludeTrailingPathDelimiter(folder);
  for (const TDirEntry& e : entries) {
    if (!fProcessing_files) break;
    if (!e.is_dir || e.name[0] == u'.') continue;
    if (!MatchesMask(e.name, fDirmasks[k])) continue;
    const string full = prefix + e.name;
    if (IsExcludedFolder(full)) continue;
    ++fsubdir_counter;
    if (OnFoundDir) OnFoundDir(full);
    MyYieldProcess();
    if (fProcessing_files) fCountAnySubDirectories(full + u"/" + fDirmasks[k], k);
  }
}

}  // namespace cv
