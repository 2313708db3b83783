// Comparisons against reference values computed by scipy
// (fixtures/make_stats_oracles.py writes them).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "stats/maths_routines.h"

namespace cv {
namespace {

std::vector<std::vector<std::string>> ReadFixture(const std::string& name) {
  const char* src = std::getenv("CV_SOURCE_DIR");
  const std::string path =
      (src ? std::string(src) + "/tests/stats/fixtures/" : std::string(CV_STATS_FIXTURES "/")) + name;
  std::ifstream in(path);
  EXPECT_TRUE(in.good()) << path;
  std::vector<std::vector<std::string>> rows;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    std::stringstream ss(line);
    std::string f;
    while (std::getline(ss, f, '\t')) fields.push_back(f);
    rows.push_back(fields);
  }
  EXPECT_GT(rows.size(), 100u) << path;
  return rows;
}

double RelErr(double got, double want) {
  return want == 0 ? std::fabs(got) : std::fabs(got - want) / std::fabs(want);
}

TEST(StatsOracle, NorbertoMatchesChiSquareTailOnItsComputedRange) {
  for (const auto& r : ReadFixture("chi2_sf_df1.tsv")) {
    const float x = std::stof(r[0]);
    const double want = std::stod(r[1]);
    EXPECT_LE(RelErr(Norberto(x), want), 1e-6) << "x=" << r[0];
    EXPECT_EQ(Norberto(-x), Norberto(x));
  }
}

TEST(StatsOracle, LogGammaMatchesGammaln) {
  for (const auto& r : ReadFixture("gammaln.tsv")) {
    const double x = std::stod(r[0]), want = std::stod(r[1]);
    EXPECT_NEAR(Log_Gamma(x), want, 1e-12 * std::max(1.0, std::fabs(want))) << "x=" << r[0];
  }
}

TEST(StatsOracle, LancasterLogLikelihoodMatchesPowerDivergence) {
  for (const auto& r : ReadFixture("keyness_ll.tsv")) {
    const double o1 = std::stod(r[0]), o2 = std::stod(r[1]);
    const double n1 = std::stod(r[2]), n2 = std::stod(r[3]), want = std::stod(r[4]);
    const double got = Log_Likelihood_Lancaster(o1, o2, n1, n2);
    EXPECT_NEAR(got, want, 1e-6 * std::max(1.0, want)) << r[0] << " " << r[1] << " " << r[2]
                                                        << " " << r[3];
  }
}

TEST(StatsOracle, FourCellLogLikelihoodsMatchChi2Contingency) {
  for (const auto& r : ReadFixture("association_g2.tsv")) {
    const Integer f1 = std::stoi(r[0]), f2 = std::stoi(r[1]), j = std::stoi(r[2]);
    const Integer n = std::stoi(r[3]);
    const double want = std::stod(r[4]);
    const std::string at = r[0] + " " + r[1] + " " + r[2] + " " + r[3];
    // The per-cell form keeps full precision.
    EXPECT_NEAR(LogLikelihoodRatio(j, f2 - j, static_cast<double>(f1) - j,
                                   static_cast<double>(n) - f1 - f2 + j),
                want, 1e-9 * std::max(1.0, want) + 1e-15 * n) << at;
    // With a span of one the window table is the same 2x2 table.
    if (j > 0 && f2 > j && f1 > j && static_cast<double>(n) - f1 - f2 + j > 0) {
      EXPECT_NEAR(Log_Likelihood_SameCorpus_Everts(f1, f2, j, 1, n), want,
                  1e-6 * std::max(1.0, want)) << at;
    }
    // The entropy form subtracts terms of size N ln N: allow for that.
    const double slack = 1e-6 * std::max(1.0, want) + 1e-14 * n * std::log(n);
    EXPECT_NEAR(Log_Likelihood_SameCorpus_Dunning(f1, f2, j, n), want, slack) << at;
    EXPECT_NEAR(Log_likelihood_from_Java(f1, f2, j, n), want, slack) << at;
  }
}

TEST(StatsOracle, RelativeEntropyMatchesNormalisedEntropy) {
  for (const auto& r : ReadFixture("relative_entropy.tsv")) {
    std::vector<Integer> values;
    std::stringstream ss(r[0]);
    std::string f;
    while (std::getline(ss, f, ',')) values.push_back(std::stoi(f));
    EXPECT_NEAR(RelativeEntropy(values), std::stod(r[1]), 1e-6) << r[0];
  }
}

}  // namespace
}  // namespace cv
