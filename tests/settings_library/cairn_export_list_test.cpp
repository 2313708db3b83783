// libCairn7 exports exactly the names of its documented list.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>

#include <gtest/gtest.h>

namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr ? v : "";
}

std::set<std::string> ExpectedNames() {
  std::ifstream in(Env("CV_SOURCE_DIR") + "/tests/settings_library/fixtures/cairn7_exports.txt");
  std::set<std::string> names;
  for (std::string n; in >> n;) names.insert(n);
  return names;
}

TEST(CairnExportList, EveryNameResolvesAndNothingElseIsExported) {
  const std::set<std::string> expected = ExpectedNames();
  ASSERT_EQ(expected.size(), 379u);
  const std::string lib = Env("CV_BUILD_DIR") + "/lib/libCairn7.so";

  void* h = dlopen(lib.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(h, nullptr) << dlerror();
  for (const auto& n : expected) EXPECT_NE(dlsym(h, n.c_str()), nullptr) << n;
  dlclose(h);

  // Every defined dynamic symbol of the library is ours and listed.  (The
  // sanitizer runtimes are shared libraries of their own: they add nothing
  // here, so no symbol needs filtering.)
  FILE* p = popen(("nm -D --defined-only " + lib).c_str(), "r");
  ASSERT_NE(p, nullptr);
  std::set<std::string> defined;
  char line[512];
  while (std::fgets(line, sizeof line, p) != nullptr) {
    char addr[64], type[8], name[400];
    if (std::sscanf(line, "%63s %7s %399s", addr, type, name) == 3) defined.insert(name);
  }
  ASSERT_EQ(pclose(p), 0);
  EXPECT_EQ(defined, expected);
}

}  // namespace
