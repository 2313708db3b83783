// A small tmpfs for fault-injection tests: a disk that fills up after a few
// hundred kilobytes, and that can be turned read-only (which, unlike folder
// permissions, also stops root).  Mounting needs the right to mount; where it
// is not granted the tests skip with a message saying so.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

namespace cv::testing_support {

class SmallTmpfs {
 public:
  explicit SmallTmpfs(const char* size = "256k") {
    char tmpl[] = "/tmp/cv_small_fs_XXXXXX";
    if (mkdtemp(tmpl) == nullptr) {
      why_ = std::string("mkdtemp: ") + std::strerror(errno);
      return;
    }
    dir_ = tmpl;
    const std::string opts = std::string("size=") + size + ",mode=0777";
    if (::mount("tmpfs", dir_.c_str(), "tmpfs", 0, opts.c_str()) != 0) {
      why_ = std::string("cannot mount a small tmpfs (") + std::strerror(errno) +
             "): run as root or with CAP_SYS_ADMIN for the full-disk and read-only tests";
      return;
    }
    mounted_ = true;
  }
  ~SmallTmpfs() {
    if (mounted_) ::umount2(dir_.c_str(), MNT_DETACH);
    if (!dir_.empty()) ::rmdir(dir_.c_str());
  }
  SmallTmpfs(const SmallTmpfs&) = delete;
  SmallTmpfs& operator=(const SmallTmpfs&) = delete;

  bool ok() const { return mounted_; }
  const std::string& why() const { return why_; }
  const std::string& dir() const { return dir_; }

  // Fills the disk (leaving at most `leave` bytes) with a file named filler.
  void Fill(std::size_t leave = 0) {
    const std::string f = dir_ + "/filler";
    FILE* p = std::fopen(f.c_str(), "ab");
    if (p == nullptr) return;
    std::string block(4096, 'x');
    std::size_t written = 0;
    for (;;) {
      if (std::fwrite(block.data(), 1, block.size(), p) != block.size()) break;
      if (std::fflush(p) != 0) break;
      written += block.size();
      if (written > (1u << 30)) break;
    }
    std::fclose(p);
    if (leave > 0) std::filesystem::resize_file(f, std::filesystem::file_size(f) - leave);
  }
  void Unfill() { std::filesystem::remove(dir_ + "/filler"); }
  bool MakeReadOnly() {
    return ::mount(nullptr, dir_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  }
  bool MakeWritable() { return ::mount(nullptr, dir_.c_str(), nullptr, MS_REMOUNT, nullptr) == 0; }

 private:
  std::string dir_;
  std::string why_;
  bool mounted_ = false;
};

}  // namespace cv::testing_support

#define CV_REQUIRE_SMALL_TMPFS(fs) \
  if (!(fs).ok()) GTEST_SKIP() << (fs).why()
