#include "settings_library/folders.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <pwd.h>
#include <unistd.h>

#include "core/my_types_mini.h"
#include "platform/utf.h"

namespace cv {

namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr ? std::string(v) : std::string();
}

std::string CurrentFolder() {
  std::vector<char> buf(4096);
  for (;;) {
    if (::getcwd(buf.data(), buf.size()) != nullptr) return buf.data();
    if (errno != ERANGE || buf.size() > (1u << 20)) return "/";
    buf.resize(buf.size() * 2);
  }
}

std::string HomeFolder8() {
  std::string home = Env("HOME");
  if (!home.empty()) return home;
  if (const passwd* pw = ::getpwuid(::geteuid()); pw != nullptr && pw->pw_dir != nullptr)
    return pw->pw_dir;
  return {};
}

std::string StripTrailingSlashes(std::string s) {
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return s;
}

// One line of user-dirs.dirs: XDG_DOCUMENTS_DIR="$HOME/Documents".
std::string DocumentsFromUserDirs(const std::string& path, const std::string& home) {
  std::ifstream in(path);
  std::string line, result;
  while (std::getline(in, line)) {
    const std::string key = "XDG_DOCUMENTS_DIR=";
    std::size_t i = line.find_first_not_of(" \t");
    if (i == std::string::npos || line.compare(i, key.size(), key) != 0) continue;
    std::string v = line.substr(i + key.size());
    while (!v.empty() && (v.back() == ' ' || v.back() == '\t' || v.back() == '\r')) v.pop_back();
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
    if (v.rfind("$HOME", 0) == 0) {
      if (home.empty()) continue;
      v = home + v.substr(5);
    }
    if (v.empty() || v.front() != '/') continue;  // only absolute paths are valid
    result = v;  // the last assignment wins, as in a shell
  }
  return result;
}

}  // namespace

string NormaliseFolder(std::u16string_view folder) {
  if (folder.size() <= 3) return string(folder);
  std::string path = Utf16ToUtf8(folder);
  if (path.front() != '/') path = CurrentFolder() + "/" + path;
  std::vector<std::string> parts;
  std::size_t i = 0;
  while (i <= path.size()) {
    std::size_t j = path.find('/', i);
    if (j == std::string::npos) j = path.size();
    std::string part = path.substr(i, j - i);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(std::move(part));
    }
    i = j + 1;
  }
  std::string out;
  for (const auto& p : parts) out += "/" + p;
  if (out.empty()) out = "/";
  return Utf8ToUtf16(out);
}

string HomeFolder() { return Utf8ToUtf16(StripTrailingSlashes(HomeFolder8())); }

string DocumentsFolder() {
  const std::string home = HomeFolder8();
  std::string config = Env("XDG_CONFIG_HOME");
  if (config.empty() || config.front() != '/') {
    if (home.empty()) return {};
    config = home + "/.config";
  }
  std::string docs = StripTrailingSlashes(DocumentsFromUserDirs(config + "/user-dirs.dirs", home));
  if (docs.empty() || docs == StripTrailingSlashes(home)) return {};
  return Utf8ToUtf16(docs);
}

string TempFilesFolder() {
  std::string t = Env("TMPDIR");
  if (t.empty()) t = "/tmp";
  return Utf8ToUtf16(StripTrailingSlashes(t));
}

string CvaneBaseFolder() {
  string base = DocumentsFolder();
  if (base.empty()) base = HomeFolder();
  if (base.empty()) return {};
  return base + u"/cvane" + Latin1ToUtf16(std::to_string(CVMajorVersion));
}

string ExtractFileExt(std::u16string_view name) {
  const std::size_t dot = name.rfind(u'.');
  if (dot == std::u16string_view::npos) return {};
  const std::size_t slash = name.rfind(u'/');
  if (slash != std::u16string_view::npos && slash > dot) return {};
  return string(name.substr(dot));
}

}  // namespace cv
