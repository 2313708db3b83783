// The three-level sort against std::sort with an equivalent comparator, and
// streaming a list out to a file and back against raw write()/read() of the
// same bytes.  Both sides run in the same program, on the same data.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "lists/sortable_lists.h"
#include "lists/useful_classes_base.h"
#include "platform/utf.h"

namespace {

constexpr int kEntries = 1000000;

struct Row {
  cv::Integer k[3];
};

std::vector<Row> MakeRows() {
  std::mt19937 rng(42);
  std::vector<Row> rows(kEntries);
  // Few distinct first and second keys, so the later levels have runs to sort.
  for (auto& r : rows)
    r = {{static_cast<cv::Integer>(rng() % 100), static_cast<cv::Integer>(rng() % 100),
          static_cast<cv::Integer>(rng())}};
  return rows;
}

class TRowList : public cv::T3SortNonYieldingList {
 public:
  void SetBase(void* p, cv::Integer sortvar) override { base_ = static_cast<Row*>(p)->k[sortvar]; }
  cv::TCompareFunctOfObject Compare() {
    return [this](void* e) {
      return cv::CompareLongints(base_, static_cast<Row*>(e)->k[current_sort_rec.current_sort_var]);
    };
  }
  // The same comparison as a plain lambda the sort can inline.
  auto FastCompare() {
    return [this](void* e) -> cv::Integer {
      const cv::Integer b = static_cast<Row*>(e)->k[current_sort_rec.current_sort_var];
      return (base_ > b) - (base_ < b);
    };
  }

 private:
  cv::Integer base_ = 0;
};

void BM_TrebleSort(benchmark::State& state) {
  std::vector<Row> rows = MakeRows();
  for (auto _ : state) {
    state.PauseTiming();
    TRowList l;
    l.SetCapacity(kEntries);
    for (auto& r : rows) l.Add(&r);
    state.ResumeTiming();
    l.TrebleSortWith(l.FastCompare(), 0, 1, 2, 0, kEntries - 1);
    benchmark::DoNotOptimize(l.List());
  }
}
BENCHMARK(BM_TrebleSort)->Unit(benchmark::kMillisecond);

void BM_StdSortSameOrder(benchmark::State& state) {
  std::vector<Row> rows = MakeRows();
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<Row*> v;
    v.reserve(kEntries);
    for (auto& r : rows) v.push_back(&r);
    state.ResumeTiming();
    std::sort(v.begin(), v.end(), [](const Row* a, const Row* b) {
      if (a->k[0] != b->k[0]) return a->k[0] < b->k[0];
      if (a->k[1] != b->k[1]) return a->k[1] < b->k[1];
      return a->k[2] < b->k[2];
    });
    benchmark::DoNotOptimize(v.data());
  }
}
BENCHMARK(BM_StdSortSameOrder)->Unit(benchmark::kMillisecond);

std::string TempPath() {
  const char* t = std::getenv("TMPDIR");
  return std::string(t && *t ? t : "/tmp") + "/cv_lists_bench_" + std::to_string(::getpid());
}

// 1 M entries of three integers: save to a file, then read back.
void BM_StreamListOutAndBack(benchmark::State& state) {
  const std::string path = TempPath();
  const cv::string upath = cv::Utf8ToUtf16(path);
  cv::TMultiLongintList list(cv::tml_3);
  for (const Row& r : MakeRows()) list.AddOne({r.k[0], r.k[1], r.k[2]});
  for (auto _ : state) {
    {
      cv::TFileStream out(upath, cv::fmCreate);
      if (!list.SaveToStream(out)) state.SkipWithError("save failed");
    }
    cv::TMultiLongintList back(cv::tml_3);
    {
      cv::TFileStream in(upath, cv::fmOpenRead);
      if (!back.ReadFromStream(in) || back.Count() != kEntries) state.SkipWithError("read failed");
    }
    state.PauseTiming();  // freeing the list read back is not streaming
    back.Clear();
    state.ResumeTiming();
  }
  ::unlink(path.c_str());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * (5 + 12LL * kEntries) * 2);
}
BENCHMARK(BM_StreamListOutAndBack)->Unit(benchmark::kMillisecond);

// The same bytes with one write() and one read().
void BM_RawWriteReadSameBytes(benchmark::State& state) {
  const std::string path = TempPath();
  std::string bytes(5 + 12LL * kEntries, '\0');
  std::mt19937 rng(1);
  for (auto& c : bytes) c = static_cast<char>(rng());
  std::string back(bytes.size(), '\0');
  for (auto _ : state) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) state.SkipWithError("write");
    ::close(fd);
    fd = ::open(path.c_str(), O_RDONLY);
    if (::read(fd, back.data(), back.size()) != static_cast<ssize_t>(back.size())) state.SkipWithError("read");
    ::close(fd);
    benchmark::DoNotOptimize(back.data());
  }
  ::unlink(path.c_str());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()) * 2);
}
BENCHMARK(BM_RawWriteReadSameBytes)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
