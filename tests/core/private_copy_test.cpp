// The stand-alone libraries each own their copy of the runtime's globals:
// setting the running tool or the log switch in one must not change another
// library's, nor the runtime pack's.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

std::string LibPath(const char* name) {
  const char* build = std::getenv("CV_BUILD_DIR");
  return std::string(build ? build : ".") + "/lib/" + name;
}

struct Probe {
  void* handle = nullptr;
  void (*set_tool)(int) = nullptr;
  int (*get_tool)() = nullptr;
  void (*set_logging)(bool) = nullptr;
  bool (*get_logging)() = nullptr;

  explicit Probe(const char* lib) {
    handle = dlopen(LibPath(lib).c_str(), RTLD_NOW | RTLD_GLOBAL);
    if (handle == nullptr) return;
    set_tool = reinterpret_cast<void (*)(int)>(dlsym(handle, "probe_set_tool"));
    get_tool = reinterpret_cast<int (*)()>(dlsym(handle, "probe_get_tool"));
    set_logging = reinterpret_cast<void (*)(bool)>(dlsym(handle, "probe_set_logging"));
    get_logging = reinterpret_cast<bool (*)()>(dlsym(handle, "probe_get_logging"));
  }
};

constexpr const char* kToolVarSymbol = "_ZN2cv16current_tool_varE";
constexpr const char* kKeepingLogSymbol = "_ZN2cv11keeping_logE";

TEST(PrivateCopies, EachLibraryHasItsOwnGlobals) {
  // The pack is loaded first and globally, so that any symbol the probes
  // failed to keep private would bind to the pack's copy.
  void* pack = dlopen(LibPath("libCV7GeneralRuntimePack1.so").c_str(), RTLD_NOW | RTLD_GLOBAL);
  ASSERT_NE(pack, nullptr) << dlerror();
  auto* pack_tool = static_cast<unsigned char*>(dlsym(pack, kToolVarSymbol));
  auto* pack_log = static_cast<bool*>(dlsym(pack, kKeepingLogSymbol));
  ASSERT_NE(pack_tool, nullptr);
  ASSERT_NE(pack_log, nullptr);

  Probe a("libcore_probe_a.so");
  Probe b("libcore_probe_b.so");
  ASSERT_NE(a.handle, nullptr) << dlerror();
  ASSERT_NE(b.handle, nullptr) << dlerror();
  ASSERT_TRUE(a.set_tool && a.get_tool && b.set_tool && b.get_tool);

  // Before anyone sets it, every copy holds tt_shell (16).
  EXPECT_EQ(a.get_tool(), 16);
  EXPECT_EQ(b.get_tool(), 16);
  EXPECT_EQ(*pack_tool, 16);

  a.set_tool(1);
  EXPECT_EQ(a.get_tool(), 1);
  EXPECT_EQ(b.get_tool(), 16);
  EXPECT_EQ(*pack_tool, 16);

  *pack_tool = 2;
  EXPECT_EQ(a.get_tool(), 1);
  EXPECT_EQ(b.get_tool(), 16);

  a.set_logging(true);
  EXPECT_TRUE(a.get_logging());
  EXPECT_FALSE(b.get_logging());
  EXPECT_FALSE(*pack_log);

  // Nothing of the private copies is visible from outside.
  EXPECT_EQ(dlsym(a.handle, kToolVarSymbol), nullptr);
  EXPECT_EQ(dlsym(b.handle, kKeepingLogSymbol), nullptr);

  *pack_tool = 16;
  dlclose(a.handle);
  dlclose(b.handle);
  dlclose(pack);
}

}  // namespace
