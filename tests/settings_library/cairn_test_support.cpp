#include "cairn_test_support.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <random>

#include "settings_library/cairn7.h"

extern char** environ;

namespace cvtest {

namespace {

std::vector<std::string>& CreatedRegions() {
  static std::vector<std::string> names;
  return names;
}

// Removes the names the tests created, so that nothing is left in /dev/shm.
class Cleanup : public ::testing::Environment {
 public:
  void TearDown() override {
    for (const auto& r : CreatedRegions()) {
      shm_unlink(RegionObject(r).c_str());
      shm_unlink((RegionObject(r) + ".gate").c_str());
    }
  }
};
const auto* const kCleanup = ::testing::AddGlobalTestEnvironment(new Cleanup);

std::string HelperPath() {
  const char* dir = std::getenv("CV_BUILD_DIR");
  return std::string(dir != nullptr ? dir : ".") + "/bin/cairn_helper";
}

pid_t Spawn(const std::vector<std::string>& args, const std::vector<std::string>& env, int& out_fd) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  std::vector<std::string> a{HelperPath()};
  a.insert(a.end(), args.begin(), args.end());
  std::vector<std::string> e;
  // Overrides replace inherited entries of the same name (the first entry of
  // a name is the one getenv finds).
  auto overridden = [&env](const char* entry) {
    for (const auto& o : env) {
      const std::size_t eq = o.find('=');
      if (std::strncmp(entry, o.c_str(), eq + 1) == 0) return true;
    }
    return false;
  };
  for (char** p = environ; *p != nullptr; ++p)
    if (!overridden(*p)) e.emplace_back(*p);
  e.insert(e.end(), env.begin(), env.end());
  std::vector<char*> argv, envp;
  for (auto& s : a) argv.push_back(s.data());
  for (auto& s : e) envp.push_back(s.data());
  argv.push_back(nullptr);
  envp.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(fds[1], 1);
    close(fds[0]);
    close(fds[1]);
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
  }
  close(fds[1]);
  out_fd = fds[0];
  return pid;
}

}  // namespace

std::string UniqueRegionName() {
  static int counter = 0;
  static const unsigned salt = std::random_device{}();
  std::string name = "cvtest-" + std::to_string(getpid()) + "-" + std::to_string(salt) + "-" +
                     std::to_string(++counter);
  CreatedRegions().push_back(name);
  return name;
}

std::string RegionObject(const std::string& region) {
  return "/" + region + ".u" + std::to_string(geteuid());
}

std::vector<std::uint8_t> RegionBytes(const std::string& region) {
  const int fd = shm_open(RegionObject(region).c_str(), O_RDONLY, 0);
  if (fd < 0) return {};
  struct stat st {};
  std::vector<std::uint8_t> bytes;
  if (fstat(fd, &st) == 0 && st.st_size > 0) {
    void* p = mmap(nullptr, st.st_size, PROT_READ, MAP_SHARED, fd, 0);
    if (p != MAP_FAILED) {
      bytes.assign(static_cast<std::uint8_t*>(p), static_cast<std::uint8_t*>(p) + st.st_size);
      munmap(p, st.st_size);
    }
  }
  close(fd);
  return bytes;
}

std::string RunHelper(const std::vector<std::string>& args, const std::vector<std::string>& env) {
  int fd = -1;
  const pid_t pid = Spawn(args, env, fd);
  if (pid < 0) return "spawn failed";
  std::string out;
  char buf[512];
  ssize_t n;
  while ((n = read(fd, buf, sizeof buf)) > 0) out.append(buf, static_cast<std::size_t>(n));
  close(fd);
  int status = 0;
  waitpid(pid, &status, 0);
  return out;
}

pid_t StartHelper(const std::vector<std::string>& args, int lines, std::string* output,
                  const std::vector<std::string>& env) {
  int fd = -1;
  const pid_t pid = Spawn(args, env, fd);
  if (pid < 0) return pid;
  std::string out;
  char c;
  while (lines > 0 && read(fd, &c, 1) == 1) {
    out += c;
    if (c == '\n') --lines;
  }
  close(fd);
  if (output != nullptr) *output = out;
  return pid;
}

void KillHard(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
}

void RegionTest::SetUp() {
  region_ = UniqueRegionName();
  setenv("CV_SETTINGS_REGION", region_.c_str(), 1);
  SetupCairnSharing();
}

}  // namespace cvtest
