#include "files/dir_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "files/file_names.h"
#include "files/my_kpsmall.h"
#include "platform/nls.h"

namespace cv {

namespace {

// Most names are ASCII: upper-case those without a trip through ICU.
string UpperOf(const string& name) {
  string up(name);
  for (char16_t& c : up) {
    if (c >= 0x80) return UnicodeUpperCase(name);
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
  }
  return up;
}

}  // namespace

bool ReadDirectory(const string& folder, std::vector<TDirEntry>& out, TDirEntryKinds kinds, int* dir_fd) {
  out.clear();
  if (dir_fd) *dir_fd = -1;
  const std::string path = SysPath(folder.empty() ? string(u".") : folder);
  DIR* d = ::opendir(path.c_str());
  if (d == nullptr) return false;
  const int dfd = ::dirfd(d);
  std::size_t seen = 0;
  while (const dirent* e = ::readdir(d)) {
    const char* n = e->d_name;
    if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0))) continue;
    TDirEntry entry;
    entry.raw = n;
    unsigned char type = e->d_type;
    if (type == DT_UNKNOWN) {
      struct stat st;
      if (::fstatat(dfd, n, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
      type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISLNK(st.st_mode) ? DT_LNK : S_ISREG(st.st_mode) ? DT_REG : DT_CHR;
    }
    if (kinds == TDirEntryKinds::kFoldersOnly && type != DT_DIR) continue;
    entry.is_dir = type == DT_DIR;
    entry.is_link = type == DT_LNK;
    entry.is_regular = type == DT_REG;
    entry.name = FromSysPath(entry.raw);
    entry.upper = UpperOf(entry.name);
    out.push_back(std::move(entry));
    if (++seen % 512 == 0) MyYieldProcess();
  }
  if (dir_fd) *dir_fd = ::fcntl(dfd, F_DUPFD_CLOEXEC, 0);
  ::closedir(d);
  std::sort(out.begin(), out.end(), [](const TDirEntry& a, const TDirEntry& b) {
    return a.upper != b.upper ? a.upper < b.upper : a.name < b.name;
  });
  return true;
}

}  // namespace cv
