// Cost of a settings getter and setter called through dlsym pointers, as the
// tools call them, beside a plain load and store of the same 32-bit value.
#include <dlfcn.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <benchmark/benchmark.h>

namespace {

using GetFn = int32_t (*)();
using SetFn = bool (*)(int32_t);
using SetupFn = void (*)();

std::string g_region;
GetFn g_get = nullptr;
SetFn g_set = nullptr;

void LoadLibrary() {
  static bool loaded = false;
  if (loaded) return;
  loaded = true;
  g_region = "cvbench-" + std::to_string(getpid());
  setenv("CV_SETTINGS_REGION", g_region.c_str(), 1);
  void* h = dlopen(CV_CAIRN7_PATH, RTLD_NOW | RTLD_LOCAL);
  if (h == nullptr) {
    std::fprintf(stderr, "%s\n", dlerror());
    std::exit(1);
  }
  reinterpret_cast<SetupFn>(dlsym(h, "SetupCairnSharing"))();
  g_get = reinterpret_cast<GetFn>(dlsym(h, "GetAutoSaveMinutes"));
  g_set = reinterpret_cast<SetFn>(dlsym(h, "SetAutoSaveMinutes"));
}

// The plain access goes through a volatile pointer so that every iteration
// really reads or writes memory.
alignas(64) int32_t g_plain_field = 0;
volatile int32_t* const g_plain = &g_plain_field;

void BM_PlainLoad(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(*g_plain);
}
BENCHMARK(BM_PlainLoad);

// What a tool would do with the record mapped into itself: load the record's
// address, then the field (two dependent loads, as the getter does).
alignas(64) unsigned char g_record[92512];
unsigned char* volatile g_record_ptr = g_record;

void BM_PlainLoadViaRecordPointer(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(*reinterpret_cast<volatile int32_t*>(g_record_ptr + 92400));
}
BENCHMARK(BM_PlainLoadViaRecordPointer);

// The floor of any exported call: an indirect call of a function that only
// returns a value held in memory.
__attribute__((noinline)) int32_t LocalGetter() { return *g_plain; }
int32_t (*volatile g_local_getter)() = LocalGetter;

void BM_IndirectCallFloor(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(g_local_getter());
}
BENCHMARK(BM_IndirectCallFloor);

void BM_DlsymGetter(benchmark::State& state) {
  LoadLibrary();
  for (auto _ : state) benchmark::DoNotOptimize(g_get());
}
BENCHMARK(BM_DlsymGetter);

// Both stores alternate between two values, so the setter stores every time
// (the costlier path: compare, then write).
void BM_PlainStore(benchmark::State& state) {
  int32_t v = 10;
  for (auto _ : state) {
    *g_plain = v;
    v ^= 1;
  }
}
BENCHMARK(BM_PlainStore);

void BM_PlainStoreViaRecordPointer(benchmark::State& state) {
  int32_t v = 10;
  for (auto _ : state) {
    *reinterpret_cast<volatile int32_t*>(g_record_ptr + 92400) = v;
    v ^= 1;
  }
}
BENCHMARK(BM_PlainStoreViaRecordPointer);

void BM_DlsymSetter(benchmark::State& state) {
  LoadLibrary();
  int32_t v = 10;
  for (auto _ : state) {
    benchmark::DoNotOptimize(g_set(v));
    v ^= 1;
  }
}
BENCHMARK(BM_DlsymSetter);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (!g_region.empty()) {
    // Leave nothing behind in /dev/shm.
    const std::string object = "/" + g_region + ".u" + std::to_string(geteuid());
    shm_unlink(object.c_str());
    shm_unlink((object + ".gate").c_str());
  }
  return 0;
}
