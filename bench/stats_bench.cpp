// Keyness (log-likelihood and its p-value) against a plain loop of the same
// number of logarithms, on real word counts: the GPL 3 text against the GCIDE
// dictionary (tests/stats/fixtures/keyness_ll.tsv).
#include <benchmark/benchmark.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "stats/maths_routines.h"

namespace {

struct Counts {
  double o1, o2, n1, n2;
};

const std::vector<Counts>& RealCounts() {
  static const std::vector<Counts> rows = [] {
    std::ifstream in(CV_STATS_FIXTURES "/keyness_ll.tsv");
    if (!in) throw std::runtime_error("keyness_ll.tsv not found");
    std::vector<Counts> v;
    std::string line;
    while (std::getline(in, line)) {
      if (line.empty() || line[0] == '#') continue;
      std::istringstream ss(line);
      Counts c;
      ss >> c.o1 >> c.o2 >> c.n1 >> c.n2;
      v.push_back(c);
    }
    return v;
  }();
  return rows;
}

// The rows whose log-likelihood falls where the p-value runs its series.
const std::vector<Counts>& SeriesCounts() {
  static const std::vector<Counts> rows = [] {
    std::vector<Counts> v;
    for (const Counts& c : RealCounts()) {
      const float ll = cv::Log_Likelihood_Lancaster(c.o1, c.o2, c.n1, c.n2);
      if (ll >= 1 && ll <= 35) v.push_back(c);
    }
    return v;
  }();
  return rows;
}

constexpr benchmark::IterationCount kComputations = 10'000'000;

void Keyness(benchmark::State& state, const std::vector<Counts>& rows) {
  std::size_t i = 0;
  float sum = 0;
  for (auto _ : state) {
    const Counts& c = rows[i];
    if (++i == rows.size()) i = 0;
    const float ll = cv::Log_Likelihood_Lancaster(c.o1, c.o2, c.n1, c.n2);
    sum += cv::Norberto(ll);
  }
  benchmark::DoNotOptimize(sum);
  state.SetItemsProcessed(state.iterations());
}

void BM_KeynessRealCounts(benchmark::State& state) { Keyness(state, RealCounts()); }
void BM_KeynessSeriesRange(benchmark::State& state) { Keyness(state, SeriesCounts()); }

void BM_PlainLog(benchmark::State& state) {
  const std::vector<Counts>& rows = RealCounts();
  std::size_t i = 0;
  double sum = 0;
  for (auto _ : state) {
    const Counts& c = rows[i];
    if (++i == rows.size()) i = 0;
    sum += std::log(c.o1 + c.o2);
  }
  benchmark::DoNotOptimize(sum);
  state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK(BM_PlainLog)->Iterations(kComputations);
BENCHMARK(BM_KeynessRealCounts)->Iterations(kComputations);
BENCHMARK(BM_KeynessSeriesRange)->Iterations(kComputations);

BENCHMARK_MAIN();
