// Helpers shared by the list and stream tests: a scratch folder, hex images
// and running a shell command.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/utf.h"

namespace cv::testing_support {

// A fresh folder removed at the end of the test.
class ScratchDir {
 public:
  ScratchDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "cvlistsXXXXXX").string();
    path_ = ::mkdtemp(tmpl.data());
  }
  ~ScratchDir() { std::filesystem::remove_all(path_); }
  std::string Path(const std::string& name) const { return path_ + "/" + name; }
  cv::string UPath(const std::string& name) const { return cv::Utf8ToUtf16(Path(name)); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// "0a 00 ff" style image of bytes.
inline std::string Hex(std::string_view bytes) {
  static const char* d = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    if (!out.empty()) out += ' ';
    out += d[c >> 4];
    out += d[c & 15];
  }
  return out;
}

// Bytes from a hex image (spaces ignored).
inline std::string Unhex(std::string_view hex) {
  std::string out;
  int hi = -1;
  for (char c : hex) {
    if (c == ' ') continue;
    const int v = (c >= '0' && c <= '9') ? c - '0' : (c | 32) - 'a' + 10;
    if (hi < 0) {
      hi = v;
    } else {
      out.push_back(static_cast<char>(hi * 16 + v));
      hi = -1;
    }
  }
  return out;
}

// Standard output of a shell command.
inline std::string Shell(const std::string& cmd) {
  std::string out;
  FILE* p = ::popen(cmd.c_str(), "r");
  if (!p) return out;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  ::pclose(p);
  return out;
}

inline void WriteFile(const std::string& path, std::string_view bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

inline std::string ReadFile(const std::string& path) {
  std::string out;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return out;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
  std::fclose(f);
  return out;
}

}  // namespace cv::testing_support
