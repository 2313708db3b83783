#include "files/wingenok_paths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "files/dir_listing.h"
#include "files/file_names.h"
#include "files/file_ops.h"
#include "files/file_resource_strings.h"
#include "files/file_utils.h"
#include "files/my_kpsmall.h"
#include "files/wingenok.h"
#include "platform/nls.h"
#include "platform/process.h"
#include "platform/sysutils.h"
#include "platform/utf.h"
#include "search/wide_masks.h"

namespace cv {

using namespace files_text;

namespace {

// ---------------------------------------------------------------------------
// Mount table

// "\040" and the other octal escapes of mountinfo fields.
std::string Unescape(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && s.size() - i >= 4 && s[i + 1] >= '0' && s[i + 1] <= '3' && s[i + 2] >= '0' && s[i + 2] <= '7' &&
        s[i + 3] >= '0' && s[i + 3] <= '7') {
      out.push_back(static_cast<char>((s[i + 1] - '0') * 64 + (s[i + 2] - '0') * 8 + (s[i + 3] - '0')));
      i += 3;
    } else {
      out.push_back(s[i]);
    }
  }
  return out;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> f;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && line[i] == ' ') ++i;
    const std::size_t start = i;
    while (i < line.size() && line[i] != ' ') ++i;
    if (i > start) f.push_back(line.substr(start, i - start));
  }
  return f;
}

bool IsPseudoFs(std::string_view t) {
  static constexpr std::string_view kPseudo[] = {
      "proc",     "sysfs",     "cgroup",  "cgroup2",    "devpts",     "mqueue",   "debugfs",
      "tracefs",  "securityfs", "pstore", "bpf",        "configfs",   "fusectl",  "hugetlbfs",
      "autofs",   "binfmt_misc", "devtmpfs", "nsfs",    "rpc_pipefs", "efivarfs", "selinuxfs",
      "ramfs",    "tmpfs",     "squashfs", "overlay_dummy", "fuse.gvfsd-fuse", "fuse.portal"};
  return std::find(std::begin(kPseudo), std::end(kPseudo), t) != std::end(kPseudo);
}

std::vector<TMountInfo> AllMounts() {
  std::string text;
  if (!ReadWholeFile(u"/proc/self/mountinfo", text, 16 << 20)) return {};
  return ParseMountInfo(text);
}

UInt64 FreeBytes(const string& root, bool& ok) {
  struct statvfs v;
  ok = ::statvfs(SysPath(root).c_str(), &v) == 0;
  return ok ? static_cast<UInt64>(v.f_bavail) * v.f_frsize : 0;
}

// The whole disk of a partition source ("/dev/sdb1" -> "sdb").
std::string BlockDiskOf(const string& source) {
  const std::string s = SysPath(source);
  if (s.rfind("/dev/", 0) != 0) return {};
  char resolved[PATH_MAX];
  std::string dev = ::realpath(s.c_str(), resolved) ? std::string(resolved) : s;
  dev = dev.substr(dev.rfind('/') + 1);
  // /sys/class/block/<part>/.. is the disk for a partition.
  char link[PATH_MAX];
  const std::string cls = "/sys/class/block/" + dev;
  const ssize_t n = ::readlink(cls.c_str(), link, sizeof link - 1);
  if (n <= 0) return dev;
  link[n] = 0;
  std::string target(link);
  struct stat st;
  if (::stat((cls + "/partition").c_str(), &st) == 0) {
    target = target.substr(0, target.rfind('/'));
    return target.substr(target.rfind('/') + 1);
  }
  return dev;
}

string Home() {
  if (const char* h = std::getenv("HOME"); h != nullptr && h[0] == '/') return FromSysPath(h);
  if (const passwd* pw = ::getpwuid(::geteuid()); pw != nullptr && pw->pw_dir) return FromSysPath(pw->pw_dir);
  return u"/";
}

// The drive of a name: its volume's mount point ("" for the root volume, so
// that drive + "/rest" is a path).  A network name "//server/share/..." has
// "//server/share".
string DriveOf(const string& name) {
  if (IsNetworkPath(name)) {
    const std::size_t server_end = name.find_first_of(u"/\\", 2);
    if (server_end == string::npos) return name;
    const std::size_t share_end = name.find_first_of(u"/\\", server_end + 1);
    return name.substr(0, share_end);
  }
  string mp = VolumeOf(name).mount_point;
  if (mp == u"/") mp.clear();
  return mp;
}

bool StartsWith(std::u16string_view s, std::u16string_view p) { return s.substr(0, p.size()) == p; }

// Stored Windows names use '\'.
string NativeDelimiters(std::u16string_view s) {
  string out(s);
  std::replace(out.begin(), out.end(), u'\\', u'/');
  return out;
}

bool IsDelimiter(char16_t c) { return c == u'/' || c == u'\\'; }

void SubFoldersInto(const string& folder, TStringList& out, bool recurse) {
  std::vector<TDirEntry> entries;
  if (!ReadDirectory(folder, entries, TDirEntryKinds::kFoldersOnly)) return;
  for (const TDirEntry& e : entries) {
    if (!e.is_dir || e.name[0] == u'.') continue;
    const string sub = IncludeTrailingPathDelimiter(folder) + e.name;
    out.Add(sub);
    MyYieldProcess();
    if (recurse) SubFoldersInto(sub, out, true);
  }
}

void FilesMatching(const string& folder, std::u16string_view mask, TStringList& out) {
  std::vector<TDirEntry> entries;
  if (!ReadDirectory(folder, entries)) return;
  const string prefix = IncludeTrailingPathDelimiter(folder);
  for (const TDirEntry& e : entries) {
    if (!e.is_regular || e.name[0] == u'.') continue;
    if (MatchesMask(e.name, mask)) out.Add(prefix + e.name);
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// Volumes

std::vector<TMountInfo> ParseMountInfo(std::string_view text) {
  std::vector<TMountInfo> out;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t nl = text.find('\n', at);
    const std::string_view line = text.substr(at, nl == std::string_view::npos ? std::string_view::npos : nl - at);
    at = nl == std::string_view::npos ? text.size() : nl + 1;
    const std::vector<std::string_view> f = Fields(line);
    // id parent major:minor root mount-point options [optional...] - type source super-options
    std::size_t dash = 6;
    while (dash < f.size() && f[dash] != "-") ++dash;
    if (f.size() < 5 || dash + 2 >= f.size()) continue;
    TMountInfo m;
    m.mount_point = FromSysPath(Unescape(f[4]));
    m.fs_type = FromSysPath(Unescape(f[dash + 1]));
    m.source = FromSysPath(Unescape(f[dash + 2]));
    if (m.mount_point.empty() || m.mount_point[0] != u'/') continue;
    out.push_back(std::move(m));
  }
  return out;
}

std::vector<TMountInfo> MountedVolumes() {
  std::vector<TMountInfo> out;
  for (TMountInfo& m : AllMounts()) {
    if (IsPseudoFs(SysPath(m.fs_type))) continue;
    // A later mount on the same point hides the earlier one.
    out.erase(std::remove_if(out.begin(), out.end(),
                             [&](const TMountInfo& o) { return o.mount_point == m.mount_point; }),
              out.end());
    out.push_back(std::move(m));
  }
  return out;
}

TMountInfo VolumeOf(const string& path) {
  const string p = ExpandFileName(path);
  TMountInfo best;
  for (const TMountInfo& m : AllMounts()) {
    const bool above = m.mount_point == u"/" || p == m.mount_point ||
                       StartsWith(p, IncludeTrailingPathDelimiter(m.mount_point));
    if (above && m.mount_point.size() >= best.mount_point.size()) best = m;
  }
  return best;
}

bool IsMountRoot(const string& path) {
  const string p = ExcludeTrailingPathDelimiter(ExpandFileName(path));
  if (p == u"/") return true;
  struct stat here, up;
  const std::string sp = SysPath(p);
  if (::stat(sp.c_str(), &here) == 0 && ::stat((sp + "/..").c_str(), &up) == 0 &&
      (here.st_dev != up.st_dev || here.st_ino == up.st_ino))
    return true;
  for (const TMountInfo& m : AllMounts())
    if (m.mount_point == p) return true;
  return false;
}

bool IsRemoteVolume(const TMountInfo& m) {
  static constexpr std::u16string_view kRemote[] = {u"nfs", u"nfs4", u"cifs", u"smb3", u"smbfs", u"fuse.sshfs",
                                                    u"sshfs", u"9p", u"afs", u"ceph", u"glusterfs", u"davfs"};
  return std::find(std::begin(kRemote), std::end(kRemote), m.fs_type) != std::end(kRemote);
}

bool IsRemovableVolume(const TMountInfo& m) {
  const std::string disk = BlockDiskOf(m.source);
  if (disk.empty()) return false;
  std::string flag;
  if (ReadWholeFile(FromSysPath("/sys/block/" + disk + "/removable"), flag, 64) && !flag.empty() &&
      flag[0] == '1')
    return true;
  return IsUSBVolume(m);
}

bool IsUSBVolume(const TMountInfo& m) {
  const std::string disk = BlockDiskOf(m.source);
  if (disk.empty()) return false;
  char resolved[PATH_MAX];
  if (::realpath(("/sys/block/" + disk).c_str(), resolved) == nullptr) return false;
  return std::string(resolved).find("/usb") != std::string::npos;
}

bool ValidDrive(const string& root) {
  DriveBits = 0;
  const std::vector<TMountInfo> vols = MountedVolumes();
  for (std::size_t i = 0; i < vols.size() && i < 32; ++i) DriveBits |= 1u << i;
  const TMountInfo m = VolumeOf(root);
  if (m.mount_point.empty() || IsPseudoFs(SysPath(m.fs_type))) return false;
  bool ok;
  FreeBytes(m.mount_point, ok);
  return ok;
}

bool ValidDriveW(const string& root) { return ValidDrive(root); }

bool Fixed_Drive(const string& root) {
  const TMountInfo m = VolumeOf(root);
  return !m.mount_point.empty() && !IsPseudoFs(SysPath(m.fs_type)) && !IsRemoteVolume(m) && !IsRemovableVolume(m);
}

Integer NumberOfDrives() { return static_cast<Integer>(MountedVolumes().size()); }

Integer NumberOfNetworkDrives() {
  Integer n = 0;
  for (const TMountInfo& m : MountedVolumes()) n += IsRemoteVolume(m);
  return n;
}

string AllNetworkDrives() {
  string out;
  for (const TMountInfo& m : MountedVolumes()) {
    if (!IsRemoteVolume(m)) continue;
    if (!out.empty()) out += u',';
    out += IncludeTrailingPathDelimiter(m.mount_point);
  }
  return out;
}

string DriveWithMostFreeSpace() {
  string best;
  UInt64 most = 0;
  for (const TMountInfo& m : MountedVolumes()) {
    if (IsRemoteVolume(m) || IsRemovableVolume(m)) continue;
    bool ok;
    const UInt64 free_bytes = FreeBytes(m.mount_point, ok);
    if (ok && (best.empty() || free_bytes > most)) {
      best = IncludeTrailingPathDelimiter(m.mount_point);
      most = free_bytes;
    }
  }
  return best;
}

string VolumeID(const string& root) {
  const TMountInfo m = VolumeOf(root);
  string label;
  std::vector<TDirEntry> labels;
  char want[PATH_MAX];
  if (!m.source.empty() && ::realpath(SysPath(m.source).c_str(), want) != nullptr &&
      ReadDirectory(u"/dev/disk/by-label", labels)) {
    for (const TDirEntry& e : labels) {
      char got[PATH_MAX];
      if (::realpath(("/dev/disk/by-label/" + e.raw).c_str(), got) != nullptr && std::string(got) == want) {
        label = FromSysPath(Unescape(e.raw));
        // udev writes blanks and other characters as \x20 and so on.
        string clean;
        for (std::size_t i = 0; i < label.size(); ++i) {
          if (label[i] == u'\\' && i + 3 < label.size() && label[i + 1] == u'x') {
            Integer v;
            if (TryStrToInt(u"$" + label.substr(i + 2, 2), v)) {
              clean += static_cast<char16_t>(v);
              i += 3;
              continue;
            }
          }
          clean += label[i];
        }
        label = clean;
        break;
      }
    }
  }
  return u"[" + UnicodeUpperCase(label) + u"]";
}

string NetworkVolume(const string& root) {
  const TMountInfo m = VolumeOf(root);
  if (IsRemoteVolume(m)) return UnicodeUpperCase(m.source);
  return VolumeID(root);
}

// ---------------------------------------------------------------------------
// Stored-name macros

string ProgramBaseFolder() { return IncludeTrailingPathDelimiter(Home()); }

string ProgramDrive() { return DriveOf(ProgramBaseFolder()); }

string ConvertedFilenameFromUserDirFName(const string& base, const string& fname) {
  std::size_t p = fname.find(user_dir_const);
  if (p != string::npos) {
    std::size_t rest = p + std::char_traits<char16_t>::length(user_dir_const);
    if (rest < fname.size() && IsDelimiter(fname[rest])) ++rest;
    return IncludeTrailingPathDelimiter(base) + NativeDelimiters(std::u16string_view(fname).substr(rest));
  }
  p = fname.find(user_drive_const);
  if (p != string::npos) {
    const string rest =
        NativeDelimiters(std::u16string_view(fname).substr(p + std::char_traits<char16_t>::length(user_drive_const)));
    const string drive = DriveOf(base);
    return !rest.empty() && rest[0] == u'/' ? drive + rest : drive + u"/" + rest;
  }
  return fname;
}

string ConvertedUserFolderInFilename(const string& base, const string& fname, bool to_macro) {
  if (!to_macro) return ConvertedFilenameFromUserDirFName(base, fname);
  const string b = IncludeTrailingPathDelimiter(base);
  if (fname.empty() || DriveOf(fname) != DriveOf(b)) return fname;
  if (fname != b && StartsWith(fname, b)) return string(user_dir_const) + fname.substr(b.size() - 1);
  const string rest = fname.substr(DriveOf(fname).size());
  return !rest.empty() && rest[0] == u'/' ? user_drive_const + rest : user_drive_const + (u"/" + rest);
}

string ConvertedAppFolderInFilename(const string& fname, bool to_macro) {
  return ConvertedUserFolderInFilename(ProgramBaseFolder(), fname, to_macro);
}

string ConvertedFilenameIfUserDrive(const string& fname, bool to_macro) {
  const string drive = ProgramDrive();
  if (to_macro) {
    if (!fname.empty() && fname[0] == u'/' && DriveOf(fname) == drive)
      return user_drive_const + fname.substr(drive.size());
    return fname;
  }
  if (StartsWith(fname, user_drive_const))
    return drive + NativeDelimiters(std::u16string_view(fname).substr(std::char_traits<char16_t>::length(user_drive_const)));
  return fname;
}

void CheckUserDirConstFolder(TStringList& list, bool to_macro) {
  for (Integer i = 0; i < list.Count(); ++i) list.SetString(i, ConvertedAppFolderInFilename(list[i], to_macro));
}

// ---------------------------------------------------------------------------
// Path pieces

string FileFilterWithinFilterText(std::u16string_view s) {
  const std::size_t open = s.find(u'(');
  const std::size_t close = s.find(u')');
  string out = (open != std::u16string_view::npos && close != std::u16string_view::npos && open < close)
                   ? Trim(s.substr(open + 1, close - open - 1))
                   : Trim(s);
  return out.empty() ? string(u"*.*") : out;
}

Integer PathDelimiterCount(std::u16string_view s) {
  return static_cast<Integer>(std::count(s.begin(), s.end(), PathDelim));
}

string NameUpToXPathDelimiters(std::u16string_view s, Integer n) {
  if (n < 1) return string();
  Integer seen = 0;
  for (std::size_t i = 0; i < s.size(); ++i)
    if (s[i] == PathDelim && ++seen == n) return string(s.substr(0, i));
  return string();
}

string FormattedFNAsParameter(const string& s) { return DriveAndFileExist(s) ? u"\"" + s + u"\"" : s; }

string ExpandFileName(const string& path) {
  string full = path;
  if (full.empty() || full[0] != u'/') {
    char cwd[PATH_MAX];
    const string here = ::getcwd(cwd, sizeof cwd) ? FromSysPath(cwd) : string(u"/");
    full = IncludeTrailingPathDelimiter(here) + full;
  }
  std::vector<std::u16string_view> parts;
  const std::u16string_view v(full);
  std::size_t at = 1;
  while (at <= v.size()) {
    std::size_t next = v.find(u'/', at);
    if (next == std::u16string_view::npos) next = v.size();
    const std::u16string_view part = v.substr(at, next - at);
    if (part == u"..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != u".") {
      parts.push_back(part);
    }
    at = next + 1;
  }
  string out;
  for (const auto& p : parts) out += u"/" + string(p);
  if (out.empty()) out = u"/";
  if (path.size() > 1 && path.back() == u'/' && out != u"/") out += u'/';
  return out;
}

string GetLongPathNameW(const string& path) { return ExpandFileName(path); }

string NormalisedPath(const string& s) {
  if (s.size() <= 3) return s;
  return ExcludeTrailingPathDelimiter(ExpandFileName(s));
}

bool NormalisedPathW(const string& s, maxpathwidechar& out) {
  const string n = NormalisedPath(s);
  if (n.size() > 260) {
    SetFixedText(out, u"");
    return false;
  }
  SetFixedText(out, n);
  return true;
}

string RemoveDotsFromFilename(std::u16string_view s) {
  string out;
  for (char16_t c : s)
    if (c != u'.') out += c;
  return out;
}

string CleanedUpFilename(std::u16string_view s) {
  const std::size_t cut = s.find_last_of(u"/\\:");
  const std::u16string_view name = cut == std::u16string_view::npos ? s : s.substr(cut + 1);
  static constexpr std::u16string_view kBad = u"\\/:|<>^+=?[]\"*";
  string out;
  for (char16_t c : name)
    if (c >= 0x20 && kBad.find(c) == std::u16string_view::npos) out += c;
  return out;
}

string NewSubFolderFrom(const string& fname, const string& base) {
  const string folder = ExtractFilePath(fname);
  const std::size_t n = IncludeTrailingPathDelimiter(base).size();
  if (folder.size() <= n) return string();
  const string sub = folder.substr(n);
  return sub.size() == 1 ? string() : sub;
}

bool FolderProposedIsOriginalFolder(const string& a, const string& b) {
  if (a.empty() || b.empty()) return false;
  return ExtractFilePath(ExpandFileName(a)) == ExtractFilePath(ExpandFileName(b));
}

// ---------------------------------------------------------------------------
// Folders

std::unique_ptr<TStringList> ListOfSubFolders(const string& folder, bool all_levels) {
  auto out = std::make_unique<TStringList>();
  out->Add(folder);
  if (all_levels) SubFoldersInto(ExcludeTrailingPathDelimiter(folder), *out, true);
  return out;
}

bool FolderIsEmpty(const string& folder) {
  std::vector<TDirEntry> entries;
  if (!ReadDirectory(folder, entries)) return true;
  for (const TDirEntry& e : entries)
    if (e.name[0] != u'.') return false;
  return true;
}

bool RemovedEmptyFolder(const string& folder) {
  if (!DriveAndFolderExist(folder) || !FolderIsEmpty(folder)) return true;
  if (IsMountRoot(folder)) return false;
  return ::rmdir(SysPath(ExcludeTrailingPathDelimiter(folder)).c_str()) == 0;
}

std::unique_ptr<TStringList> RemoveAllEmptyFolders(const string& folder) {
  auto out = std::make_unique<TStringList>();
  const string top = ExcludeTrailingPathDelimiter(folder);
  out->Add(top);
  SubFoldersInto(top, *out, true);
  for (Integer i = out->Count() - 1; i >= 0; --i) {
    MyYieldProcess();
    const string& f = (*out)[i];
    if (IsMountRoot(f)) continue;
    if (FolderIsEmpty(f)) RemovedEmptyFolder(f);
  }
  return out;
}

std::unique_ptr<TStringList> ListOfAllFilesIn(const string& folder, std::u16string_view mask) {
  auto out = std::make_unique<TStringList>();
  FilesMatching(folder, mask, *out);
  return out;
}

std::unique_ptr<TStringList> ListOfAllFilesMatchingExt(const string& fname, std::u16string_view ext,
                                                       bool include_self) {
  auto out = std::make_unique<TStringList>();
  const string mask = ChangeFileExt(ExtractFileName(fname), ext);
  TStringList found;
  FilesMatching(ExcludeTrailingPathDelimiter(ExtractFilePath(fname)), mask, found);
  const string self = ExtractFileName(fname);
  for (Integer i = 0; i < found.Count(); ++i)
    if (include_self || ExtractFileName(found[i]) != self) out->Add(found[i]);
  return out;
}

Integer DeleteAllFilesOn(const string& folder, std::u16string_view ext, const string& target,
                         bool remove_empty, bool include_subfolders, bool move_instead) {
  string pattern(ext);
  if (!pattern.empty() && pattern[0] == u'.') pattern.erase(0, 1);
  const string native = NativeDelimiters(pattern);
  // No pattern may lead out of the folders it is applied to.
  for (std::size_t at = 0; at <= native.size();) {
    std::size_t next = native.find(u'/', at);
    if (next == string::npos) next = native.size();
    if (native.compare(at, next - at, u"..") == 0) return 0;
    at = next + 1;
  }
  const bool path_pattern = !native.empty() && native[0] == u'/';
  if (folder.empty() || native.empty() || IsMountRoot(folder)) {
    MessageBoxW(kWontDeleteAllFilesOn + folder, kNoWay, MB_ICONWARNING);
    return 0;
  }
  const string top = ExcludeTrailingPathDelimiter(folder);
  TStringList folders;
  folders.Add(top);
  if (include_subfolders) {
    TStringList subs;
    SubFoldersInto(top, subs, true);
    // Deepest first: more delimiters first, the walk order among equals.
    std::vector<string> v;
    for (Integer i = 0; i < subs.Count(); ++i) v.push_back(subs[i]);
    std::stable_sort(v.begin(), v.end(), [](const string& a, const string& b) {
      return PathDelimiterCount(a) > PathDelimiterCount(b);
    });
    for (const string& s : v) folders.Add(s);
  }
  TStringList files;
  for (Integer i = 0; i < folders.Count(); ++i) {
    if (path_pattern) {
      const string full = folders[i] + native;
      FilesMatching(ExcludeTrailingPathDelimiter(ExtractFilePath(full)), ExtractFileName(full), files);
    } else {
      FilesMatching(folders[i], u"*." + native, files);
    }
  }
  if (files.Count() == 0) return 0;
  string text = string(_CVFileAlreadyExists) + u"\r";
  text += files.Count() == 1 ? Format(_CVDeleteThe1XFileInY, {u"." + pattern, folder})
                             : Format(_CVDeleteAllXFilesInY, {files.Count(), u"." + pattern, folder});
  if (MessageBoxW(text, _CVSureQ, MB_OKCANCEL | MB_ICONQUESTION) != files_text::IDOK) return 0;
  Integer done = 0;
  for (Integer i = 0; i < files.Count(); ++i) {
    MyYieldProcess();
    const string& f = files[i];
    if (move_instead) {
      if (CopyAFile(f, IncludeTrailingPathDelimiter(target) + ExtractFileName(f)) &&
          ::unlink(SysPath(f).c_str()) == 0)
        ++done;
    } else {
      if (::unlink(SysPath(f).c_str()) != 0) {
        const int e = errno;
        throw EOSError(e, Utf16ToUtf8(SysErrorMessage(e)));
      }
      ++done;
    }
  }
  if (remove_empty) {
    for (Integer i = 1; i < folders.Count(); ++i) {
      const string f = path_pattern ? ExtractFileDir(folders[i] + native) : folders[i];
      if (!IsMountRoot(f) && FolderIsEmpty(f)) RemovedEmptyFolder(f);
    }
  }
  return done;
}

Integer DeleteAllFilesOn(const string& folder, std::u16string_view ext) {
  return DeleteAllFilesOn(folder, ext, string(), true, true, false);
}

}  // namespace cv
