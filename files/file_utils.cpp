#include "files/file_utils.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <ctime>
#include <numeric>
#include <vector>

#include "files/file_names.h"
#include "files/file_ops.h"
#include "files/file_resource_strings.h"
#include "files/my_kpsmall.h"
#include "platform/nls.h"
#include "platform/process.h"
#include "platform/sysutils.h"
#include "platform/utf.h"
#include "text/code_pages.h"

namespace cv {

using namespace files_text;

string my_temp_path;

namespace {

Integer g_batch_number = 0;

int Ask(std::u16string_view text, std::u16string_view caption, unsigned flags) {
  return MessageBoxW(text, caption, flags);
}

string BakName(const string& name) { return ChangeFileExt(name, u".bak"); }

// The text of a file's bytes and the encoding they were in.
enum class Enc { kUtf16LE, kUtf16BE, kUtf8Signed, kAnsi };

string DecodeWithBom(std::string_view b, Enc& enc) {
  auto u16 = [&](std::size_t from, bool big) {
    string s((b.size() - from) / 2, u'\0');
    for (std::size_t i = 0; i < s.size(); ++i) {
      const auto b0 = static_cast<unsigned char>(b[from + 2 * i]);
      const auto b1 = static_cast<unsigned char>(b[from + 2 * i + 1]);
      s[i] = static_cast<char16_t>(big ? (b0 << 8) | b1 : (b1 << 8) | b0);
    }
    return s;
  };
  if (b.size() >= 2 && b[0] == '\xFF' && b[1] == '\xFE') {
    enc = Enc::kUtf16LE;
    return u16(2, false);
  }
  if (b.size() >= 2 && b[0] == '\xFE' && b[1] == '\xFF') {
    enc = Enc::kUtf16BE;
    return u16(2, true);
  }
  if (b.size() >= 3 && b.substr(0, 3) == "\xEF\xBB\xBF") {
    enc = Enc::kUtf8Signed;
    return Utf8ToUtf16(b.substr(3));
  }
  enc = Enc::kAnsi;
  return MultiByteToWide(CP_ACP, b);
}

std::string Utf16LEWithBom(std::u16string_view text) {
  std::string out = "\xFF\xFE";
  out.reserve(2 + 2 * text.size());
  for (char16_t c : text) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>(c >> 8));
  }
  return out;
}

std::string Encode(std::u16string_view text, Enc enc) {
  switch (enc) {
    case Enc::kUtf16LE: return Utf16LEWithBom(text);
    case Enc::kUtf16BE: {
      std::string out = "\xFE\xFF";
      for (char16_t c : text) {
        out.push_back(static_cast<char>(c >> 8));
        out.push_back(static_cast<char>(c & 0xFF));
      }
      return out;
    }
    case Enc::kUtf8Signed: return "\xEF\xBB\xBF" + Utf16ToUtf8(text);
    case Enc::kAnsi: break;
  }
  return WideToMultiByte(CP_ACP, text);
}

bool InsertIntoFile(const string& name, std::u16string_view text, bool backup, Integer pos, bool as_utf16) {
  std::string bytes;
  if (!ReadWholeFile(name, bytes)) return false;
  if (backup && !CopyAFileWithBackup(name)) return false;
  Enc enc;
  string s = DecodeWithBom(bytes, enc);
  const std::size_t at = pos < 1 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(pos) - 1, s.size());
  s.insert(at, text);
  return WriteFileAtomically(name, Encode(s, as_utf16 ? Enc::kUtf16LE : enc));
}

struct tm LocalNoon(Integer year, Integer month, Integer day) {
  struct tm t = {};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = 12;
  t.tm_isdst = -1;
  return t;
}

}  // namespace

// ---------------------------------------------------------------------------
// Existence and status

bool IsNetworkPath(std::u16string_view name) {
  return name.size() >= 2 && (name[0] == u'/' || name[0] == u'\\') && (name[1] == u'/' || name[1] == u'\\');
}

bool DriveAndFileExist(const string& name) { return DriveAndFileExist(name, true, true); }

bool DriveAndFileExist(const string& name, bool checkUNC, bool valueIfUNC) {
  if (!checkUNC && IsNetworkPath(ExtractFilePath(name))) return valueIfUNC;
  const TFileFacts f = FileFacts(name);
  return f.exists && !f.is_dir;
}

bool DriveAndFolderExist(const string& dir) { return DriveAndFolderExist(dir, true, true); }

bool DriveAndFolderExist(const string& dir, bool checkUNC, bool valueIfUNC) {
  if (!checkUNC && IsNetworkPath(dir)) return valueIfUNC;
  const TFileFacts f = FileFacts(dir);
  return f.exists && f.is_dir;
}

TCVFilestatus GetFileStatusOfAFile(const string& name, bool checkUNC) {
  if (!checkUNC && IsNetworkPath(ExtractFilePath(name))) return fs_unknown;
  return DriveAndFileExist(name) ? fs_exists : fs_moved;
}

Integer FileGetAttr(const string& name) {
  const TFileFacts f = FileFacts(name);
  if (!f.exists) return -1;
  Integer a = 0;
  if ((f.mode & 0222) == 0) a |= faReadOnly;
  const string leaf = ExtractFileName(ExcludeTrailingPathDelimiter(name));
  if (!leaf.empty() && leaf[0] == u'.' && leaf != u"." && leaf != u"..") a |= faHidden;
  if (f.is_dir)
    a |= faDirectory;
  else if (S_ISREG(f.mode))
    a |= faArchive;
  else
    a |= faSysFile;
  return a;
}

bool ReadOnlyFileW(const string& name) {
  const Integer a = FileGetAttr(name);
  return a >= 0 && (a & faReadOnly) != 0;
}

bool ReadOnlyFolderW(const string& dir) {
  const Integer a = FileGetAttr(ExcludeTrailingPathDelimiter(dir));
  return a >= 0 && (a & faDirectory) != 0 && (a & faReadOnly) != 0;
}

bool IsDirectoryWriteable(const string& dir) {
  const std::string d = SysPath(dir);
  if (d.empty()) return false;
  int fd = ::open(d.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd >= 0) {
    ::close(fd);
    return true;
  }
  if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return false;
  // A file system without anonymous files: a uniquely named one, removed at once.
  std::string tmpl = (d.back() == '/' ? d : d + "/") + ".cv_chk_XXXXXX";
  fd = ::mkostemp(tmpl.data(), O_CLOEXEC);
  if (fd < 0) return false;
  ::unlink(tmpl.c_str());
  ::close(fd);
  return true;
}

Int64 FileSize(const string& name) {
  const TFileFacts f = FileFacts(name);
  return f.exists && !f.is_dir ? f.size : -1;
}

bool sIsADirectory(const string& name) { return FileFacts(name).is_dir; }

bool FileNameHasWildCards(std::u16string_view name) {
  return name.find(u'*') != std::u16string_view::npos || name.find(u'?') != std::u16string_view::npos;
}

// ---------------------------------------------------------------------------
// Questions, backups, disk space

bool OKToOverwrite(const string& name) {
  if (!DriveAndFileExist(name)) return true;
  return Ask(Format(_CVOverwriteXQ, {name}), kConfirmCaption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool OKToOverwriteWithBackup(const string& name) {
  if (!DriveAndFileExist(name)) return true;
  if (Ask(Format(_CVOverwriteXWithBackupQ, {name}), kConfirmCaption, MB_YESNO | MB_ICONQUESTION) != IDYES)
    return false;
  return CopyAFileWithBackup(name);
}

bool OKToDeleteFile(const string& name) {
  if (!DriveAndFileExist(name)) return true;
  if (Ask(Format(_CVDeleteXQ, {name}), _CVConfirmation, MB_OKCANCEL | MB_ICONQUESTION) != files_text::IDOK) return false;
  if (::unlink(SysPath(name).c_str()) != 0) {
    const int e = errno;
    throw EOSError(e, Utf16ToUtf8(SysErrorMessage(e)));
  }
  return true;
}

bool CopyAFileWithBackup(const string& name) { return CopyAFile(name, BakName(name)); }

bool ProceedIfLittleDiskSpace(const string& path, UInt64 needed) {
  if (path.empty()) return false;
  // The nearest existing folder of path tells the volume.
  string probe = path;
  struct statvfs vfs;
  while (::statvfs(SysPath(probe).c_str(), &vfs) != 0) {
    const string up = ExtractFileDir(ExcludeTrailingPathDelimiter(probe));
    if (up.empty() || up == probe) return true;
    probe = up;
  }
  const UInt64 free_bytes = static_cast<UInt64>(vfs.f_bavail) * vfs.f_frsize;
  if (free_bytes >= needed) return true;
  const string text = Format(_CVOnlyMbSpaceOnDriveDProceed,
                             {static_cast<long long>(free_bytes / 1048576), path});
  return Ask(text, _CVConfirmation, MB_OKCANCEL | MB_ICONQUESTION) == files_text::IDOK;
}

// ---------------------------------------------------------------------------
// Names, copies and dates

void SetBatchFileStartNumberTo(Integer n) { g_batch_number = std::max(n, 0); }

Integer GetBatchFileStartNumber() { return g_batch_number; }

bool ForcedToBeNewFile(string& name) {
  const std::size_t folder_len = ExtractFilePath(name).size();
  if (ExtractFileExt(name).empty()) name += u'.';
  const string ext = ExtractFileExt(name);
  while (FileFacts(name).exists) {
    MyYieldProcess();
    if (g_batch_number == INT_MAX) return false;
    const std::size_t dot = name.rfind(u'.');
    if (dot != string::npos && dot >= folder_len) name.resize(dot);
    ++g_batch_number;
    string digits = IntToStr(g_batch_number);
    if (digits.size() < 3) digits.insert(0, 3 - digits.size(), u'0');
    name += u"_" + digits + ext;
  }
  return true;
}

bool CopyDateOfFile(const string& source, const string& target) {
  const TFileFacts s = FileFacts(source);
  if (!s.exists || s.is_dir || !DriveAndFileExist(target)) return false;
  return SetFileWriteTime(target, s.mtime_sec, s.mtime_nsec);
}

bool CopyFileRetainingDate(const string& source, const string& target) {
  if (!DriveAndFileExist(source)) return false;
  return CopyAFile(source, target) && CopyDateOfFile(source, target);
}

bool SetFileDate(const string& name, const TYearMonthDay& ymd) {
  if (ymd.year < 1980 || ymd.year > 2106 || !YearMonthDayExists(ymd)) return false;
  if (!DriveAndFileExist(name)) return false;
  struct tm t = LocalNoon(ymd.year, ymd.month, ymd.day);
  const time_t when = ::mktime(&t);
  if (when == static_cast<time_t>(-1)) return false;
  return SetFileWriteTime(name, when, 0);
}

bool SetFileDate(const string& name, Integer day, Integer month, Integer year) {
  return SetFileDate(name, TYearMonthDay{year, month, day});
}

bool SetFileDate(const string& name, std::u16string_view day, std::u16string_view month,
                 std::u16string_view year) {
  Integer d, m, y;
  if (!TryStrToInt(day, d) || !TryStrToInt(month, m) || !TryStrToInt(year, y)) return false;
  return SetFileDate(name, d, m, y);
}

bool SetFileDate(const string& name, std::u16string_view date) {
  if (date.size() != 10) return false;
  return SetFileDate(name, date.substr(0, 2), date.substr(3, 2), date.substr(6, 4));
}

// ---------------------------------------------------------------------------
// Text files

void TPossiblyDodgyTextStringlist::LoadFromFile(const string& file_name) {
  TFileStream stream(file_name, fmOpenRead | fmShareDenyNone);
  SignedUTF8 = false;
  if (stream.Size() > 2) {
    unsigned char head[3] = {0, 0, 0};
    stream.ReadBuffer(head, 3);
    SignedUTF8 = head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF;
    stream.SetPosition(0);
  }
  LoadFromStream(stream);
}

string TextFileContents(const string& name) {
  if (!DriveAndFileExist(name)) return string();
  TPossiblyDodgyTextStringlist list;
  try {
    list.LoadFromFile(name);
  } catch (const std::exception&) {
    return string();
  }
  return list.Text();
}

bool SavedTextAsStream(std::u16string_view text, const string& name) {
  if (text.empty()) return false;
  return WriteFileAtomically(name, Utf16LEWithBom(text));
}

bool ConvertATextFileAnsiToUTF16(const string& name, LCID locale) {
  if (!DriveAndFileExist(name)) return false;
  if (TextFileInUnicode(name)) return true;
  std::string bytes;
  if (!ReadWholeFile(name, bytes)) return false;
  string text;
  if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
    text = Utf8ToUtf16(std::string_view(bytes).substr(3));
  else
    text = MultiByteToWide(CodePageOfLCIDOrACP(locale), bytes);
  return WriteFileAtomically(name, Utf16LEWithBom(text));
}

bool InsertIntoFileA(const string& name, std::u16string_view text, bool backup, Integer pos) {
  return InsertIntoFile(name, text, backup, pos, false);
}

bool InsertIntoFileW(const string& name, std::u16string_view text, bool backup, Integer pos) {
  return InsertIntoFile(name, text, backup, pos, true);
}

void SortListOfFiles(TStringList& list, bool byAccessTime, bool ascending) {
  const Integer n = list.Count();
  struct Entry {
    string s;
    void* obj;
    string leaf;
    Int64 atime_sec;
    long atime_nsec;
  };
  std::vector<Entry> entries;
  entries.reserve(static_cast<std::size_t>(n));
  for (Integer i = 0; i < n; ++i) {
    Entry e{list[i], list.Objects(i), ExtractFileName(list[i]), 0, 0};
    if (byAccessTime) {
      const TFileFacts f = FileFacts(e.s);
      e.atime_sec = f.atime_sec;
      e.atime_nsec = f.atime_nsec;
    }
    entries.push_back(std::move(e));
  }
  auto less = [&](const Entry& a, const Entry& b) {
    int c;
    if (byAccessTime) {
      c = a.atime_sec != b.atime_sec ? (a.atime_sec < b.atime_sec ? -1 : 1)
                                     : (a.atime_nsec < b.atime_nsec ? -1 : (a.atime_nsec > b.atime_nsec));
    } else {
      c = CompareText(a.leaf, b.leaf);
      if (c == 0) c = CompareText(a.s, b.s);
    }
    return ascending ? c < 0 : c > 0;
  };
  std::stable_sort(entries.begin(), entries.end(), less);
  list.SetSorted(false);
  const bool owns = list.OwnsObjects();
  list.SetOwnsObjects(false);
  list.Clear();
  for (Entry& e : entries) list.AddObject(e.s, e.obj);
  list.SetOwnsObjects(owns);
}

}  // namespace cv
