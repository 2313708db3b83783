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

// The peer: per computation, the logarithms that one keyness computation
// takes as written: two in the log-likelihood (O1 ln(O1/E1) and
// O2 ln(O2/E2)) and two in the p-value (ln z and the ln 0.5 of Log_Gamma(1.5)).
constexpr int kLogsPerKeyness = 4;

void PlainLogs(benchmark::State& state, int logs_per_computation) {
  const std::vector<Counts>& rows = RealCounts();
  std::size_t i = 0;
  double sum = 0;
  for (auto _ : state) {
    const Counts& c = rows[i];
    if (++i == rows.size()) i = 0;
    double x = c.o1 + c.o2;
    for (int k = 0; k < logs_per_computation; ++k) {
      sum += std::log(x);
      x += 1.0;
    }
  }
  benchmark::DoNotOptimize(sum);
  state.SetItemsProcessed(state.iterations());
}

void BM_PlainLog(benchmark::State& state) { PlainLogs(state, 1); }
void BM_PlainLogsPerKeyness(benchmark::State& state) { PlainLogs(state, kLogsPerKeyness); }

}  // namespace

BENCHMARK(BM_PlainLog)->Iterations(kComputations);
BENCHMARK(BM_PlainLogsPerKeyness)->Iterations(kComputations);
BENCHMARK(BM_KeynessRealCounts)->Iterations(kComputations);
BENCHMARK(BM_KeynessSeriesRange)->Iterations(kComputations);

BENCHMARK_MAIN();
