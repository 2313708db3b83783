#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <numeric>
#include <set>
#include <vector>

#include "platform/sysutils.h"
#include "stats/maths_routines.h"

namespace cv {
namespace {

// ---------------------------------------------------------------------------
// Keyness

TEST(Keyness, OverusedWordInSmallText) {
  TKeyword_entry_rec rec;
  KWStatsCalculated({10, 10}, {1000, 100000}, rec);
  EXPECT_EQ(rec.f[0], 10);
  EXPECT_EQ(rec.f[1], 10);
  EXPECT_NEAR(rec.LL, 64.77552973, 1e-4);  // scipy power_divergence
  EXPECT_FALSE(rec.negative_score);
  EXPECT_NEAR(rec.LogRatio, std::log2(100.0), 1e-5);
  EXPECT_NEAR(rec.BIC_Score, 64.77552973 - 11.52287580, 1e-4);
  EXPECT_EQ(rec.lemma_words, nullptr);
  EXPECT_EQ(rec.w, EmptyWideText);
  EXPECT_EQ(rec.prefix_or_tag, EmptyWideText);
  EXPECT_EQ(rec.suffix, EmptyWideText);
}

TEST(Keyness, UnderusedWordIsNegatedButBicComesFromThePositiveValue) {
  TKeyword_entry_rec rec;
  rec.n_texts = 7;  // a reused record starts afresh
  KWStatsCalculated({0, 50}, {1000, 100000}, rec);
  EXPECT_TRUE(rec.negative_score);
  EXPECT_NEAR(rec.LL, -0.99503309, 1e-6);
  EXPECT_NEAR(rec.BIC_Score, 0.99503309 - 11.52287580, 1e-5);
  EXPECT_NEAR(rec.LogRatio, -138.0342157, 1e-3);  // finite: the zero became a tiny ratio
  EXPECT_EQ(rec.n_texts, 0);
}

TEST(Keyness, FaultSetsLLAndLogRatioToOne) {
  TKeyword_entry_rec rec;
  KWStatsCalculated({-3, 4}, {0, 0}, rec);
  EXPECT_EQ(rec.f[0], 3);
  EXPECT_EQ(rec.f[1], 4);
  EXPECT_EQ(rec.LL, 1.0f);
  EXPECT_EQ(rec.LogRatio, 1.0f);
  EXPECT_FALSE(rec.negative_score);
}

TEST(Keyness, CorpusSizesBeyond32BitsAreAddedInDouble) {
  TKeyword_entry_rec rec;
  KWStatsCalculated({5, 4000000}, {2000000000, 2000000000}, rec);
  const double ll = Log_Likelihood_Lancaster(5, 4000000, 2e9, 2e9);
  EXPECT_TRUE(rec.negative_score);
  EXPECT_FLOAT_EQ(rec.BIC_Score, static_cast<float>(ll - std::log(4e9)));
}

TEST(Keyness, LancasterWithNoOccurrencesIsZero) {
  EXPECT_NEAR(Log_Likelihood_Lancaster(0, 0, 1000, 100000), 0.0, 1e-300);
  // A count in an empty text stays finite (substitute for the zero size).
  EXPECT_TRUE(std::isfinite(Log_Likelihood_Lancaster(10, 5, 0, 1000)));
}

TEST(Keyness, PercentDiffAndItsFaults) {
  EXPECT_NEAR(PercentDiff({10, 10}, {1000, 100000}), 9900.0, 1e-2);
  EXPECT_NEAR(PercentDiff({10, 20}, {1000, 1000}), -50.0, 1e-5);
  EXPECT_THROW(PercentDiff({10, 0}, {1000, 1000}), EZeroDivide);
  EXPECT_THROW(PercentDiff({0, 0}, {1000, 1000}), EInvalidOp);
}

TEST(Keyness, LogRatioSubstitutes) {
  EXPECT_NEAR(Log_Ratio(10, 10, 1000, 100000), std::log2(100.0), 1e-5);
  const double tiny = 1.401298464324817E-45;
  EXPECT_NEAR(Log_Ratio(10, 0, 1000, 100000), std::log2(0.01 / tiny), 1e-3);
  EXPECT_NEAR(Log_Ratio(10, 3, 0, 100), std::log2(tiny / 0.03), 1e-3);
  EXPECT_THROW(Log_Ratio(-10, 3, 100, 100), EInvalidOp);
}

// ---------------------------------------------------------------------------
// Significance

TEST(Significance, NorbertoRangesAndShortcuts) {
  EXPECT_NEAR(Norberto(3.84f), 0.05, 1e-4);
  EXPECT_NEAR(Norberto(-3.84f), 0.05, 1e-4);
  EXPECT_EQ(Norberto(0.5f), 0.99f);
  EXPECT_EQ(Norberto(0.0f), 0.99f);
  EXPECT_FLOAT_EQ(Norberto(40.0f), static_cast<float>(0.8 / (1e9 * 216)));
  EXPECT_FLOAT_EQ(Norberto(35.5f), static_cast<float>(0.8 / (1e9 * 1.5 * 1.5 * 1.5)));
  EXPECT_EQ(Norberto(std::numeric_limits<float>::infinity()), 0.0f);
  EXPECT_THROW(Norberto(std::numeric_limits<float>::quiet_NaN()), EInvalidOp);
}

TEST(Significance, LogGamma) {
  EXPECT_NEAR(Log_Gamma(1.5), -0.1207822376352452, 1e-15);
  EXPECT_NEAR(Log_Gamma(5), std::log(24.0), 1e-14);
  EXPECT_NEAR(Log_Gamma(0.5), 0.5 * std::log(M_PI), 1e-15);
  EXPECT_EQ(Log_Gamma(1), 0.0);
  // Large arguments are as cheap as small ones and agree with the product.
  EXPECT_NEAR(Log_Gamma(1e12), std::lgamma(1e12), 1e-3);
  EXPECT_NEAR(Log_Gamma(32), Log_Gamma(33) - std::log(32.0), 1e-12);
  EXPECT_NEAR(Log_Gamma(32.5), Log_Gamma(33.5) - std::log(32.5), 1e-12);
  EXPECT_EQ(Log_Gamma(std::numeric_limits<double>::infinity()), 0.0);
  EXPECT_EQ(Log_Gamma(std::numeric_limits<double>::quiet_NaN()), 0.0);
}

// ---------------------------------------------------------------------------
// Association

TEST(Association, CellsSumToN) {
  const TContingencyCells c = ContingencyCells(100, 200, 30, 1000);
  EXPECT_EQ(c.O11, 30);
  EXPECT_EQ(c.O12, 70);
  EXPECT_EQ(c.O21, 170);
  EXPECT_EQ(c.O22, 730);
  const TContingencyCells z = ContingencyCells(10, 10, 10, 10);  // O12, O21, O22 all 0
  EXPECT_EQ(z.O12, kTinyDouble);
  EXPECT_EQ(z.O22, kTinyDouble);
  EXPECT_GT(z.O22, 0.0);  // a denormal, not flushed
}

TEST(Association, MeasuresAgainstTheirTextbookForms) {
  const double J = 30, F1 = 100, F2 = 200, N = 1000, S = 4;
  struct Case {
    TMutualInfoStats stat;
    double want;
  } cases[] = {
      {MI_Dice, 2 * J / (F1 + F2)},
      {MI_MI, std::log2(J * N / (F1 * F2))},
      {MI_MI3, std::log2(J * J * J * N / (F1 * F2))},
      {MI_T_Score, (J - F1 * F2 / N) / std::sqrt(J)},
      {MI_Log_Ratio, std::log2((J / F1) / ((F2 - J) / (N - F1)))},
      {MI_log_likelihood, LogLikelihoodRatio(J, F2 - J, S * F1 - J, N - F1 - F2 + J)},
  };
  const Tdouble_smallint_type span{1, 3};
  for (const Case& c : cases)
    EXPECT_NEAR(RelationshipComputation(c.stat, J, F1, F2, N, span), c.want,
                1e-5 * std::fabs(c.want))
        << int(c.stat);
  const double p = F2 / (N - F1), E = p * F1 * S;
  EXPECT_NEAR(RelationshipComputation(MI_Z, J, F1, F2, N, span), (J - E) / std::sqrt(E * (1 - p)),
              1e-5);
  EXPECT_EQ(RelationshipComputation(static_cast<TMutualInfoStats>(7), J, F1, F2, N, span), 0.0f);
  EXPECT_NEAR(MI_Oakes171(100, 200, 30, 1000), std::log2(J * N / (F1 * F2)), 1e-5);
}

TEST(Association, ExamplesOfTheMeasures) {
  const Tdouble_smallint_type span{5, 5};
  EXPECT_NEAR(RelationshipComputation(MI_MI, 10, 100, 100, 10000, span), 3.3219281, 1e-5);
  EXPECT_NEAR(RelationshipComputation(MI_Dice, 10, 100, 100, 10000, span), 0.1, 1e-7);
}

TEST(Association, LogRatioDependsOnTheJointCount) {
  const Tdouble_smallint_type span{1, 1};
  const float few = RelationshipComputation(MI_Log_Ratio, 1, 100, 150, 10000, span);
  const float many = RelationshipComputation(MI_Log_Ratio, 50, 100, 150, 10000, span);
  EXPECT_NEAR(few, std::log2((1 / 100.0) / (149 / 9900.0)), 1e-5);
  EXPECT_NEAR(many, std::log2((50 / 100.0) / (100 / 9900.0)), 1e-5);
  // A collocate seen only beside the node: large but finite.
  EXPECT_GT(RelationshipComputation(MI_Log_Ratio, 150, 100, 150, 10000, span), 100.0f);
}

TEST(Association, EvertsClampsNegativeCellsAsZeroCells) {
  // J + N - F1 - F2 = -1: without the clamp this is the logarithm of a negative.
  const float got = Log_Likelihood_SameCorpus_Everts(10, 8, 2, 1, 15);
  EXPECT_NEAR(got, LogLikelihoodRatio(2, 6, 8, 0), 1e-5);
}

TEST(Association, CountProductsBeyond32Bits) {
  EXPECT_NEAR(MI_Durrant(100000, 100000, 100, 1000000000), std::log2(10.0), 1e-5);
  EXPECT_NEAR(T_Score(100000, 100000, 100, 1000000000), (100 - 10) / 10.0, 1e-5);
  EXPECT_NEAR(SpecificMutualInformation(100000, 100000, 100, 1000000000), std::log2(10.0),
              1e-5);
}

TEST(Association, DunningAndJavaFormsAgree) {
  EXPECT_NEAR(Log_Likelihood_SameCorpus_Dunning(100, 200, 30, 1000),
              LogLikelihoodRatio(30, 70, 170, 730), 1e-3);
  EXPECT_EQ(Log_likelihood_from_Java(100, 200, 20, 1000) >= 0, true);
  EXPECT_EQ(XLnX(0), 0.0);
  EXPECT_NEAR(XLnX(std::exp(1.0)), std::exp(1.0), 1e-15);
}

// Dunning (1993), the bigram table: -2 log lambda for k11 k12 k21 k22.
TEST(Association, DunningPublishedBigrams) {
  struct Row {
    double k11, k12, k21, k22, g2;
  } rows[] = {
      {110, 2442, 111, 29114, 270.72},
      {29, 13, 123, 31612, 263.90},
      {31, 23, 139, 31584, 256.84},
      {10, 0, 3, 31764, 167.23},
  };
  for (const Row& r : rows) {
    EXPECT_NEAR(LogLikelihoodRatio(r.k11, r.k12, r.k21, r.k22), r.g2, 0.006) << r.g2;
    // The same table as node/collocate counts.
    const Integer J = r.k11, F1 = r.k11 + r.k12, F2 = r.k11 + r.k21;
    const Integer N = r.k11 + r.k12 + r.k21 + r.k22;
    EXPECT_NEAR(Log_Likelihood_SameCorpus_Dunning(F1, F2, J, N), r.g2, 0.006);
  }
}

TEST(Association, FaultsReachTheCaller) {
  EXPECT_THROW(SpecificMutualInformation(10, 10, 0, 100), EZeroDivide);
  EXPECT_THROW(SpecificMutualInformation(0, 0, 0, 0), EInvalidOp);
  EXPECT_THROW(Z_Score(100, 5, 1, 2, 100), EZeroDivide);  // N - F1 = 0
  EXPECT_THROW(T_Score(10, 10, 0, 100), EOverflow);       // divided by sqrt of a denormal
  EXPECT_THROW(LogLikelihoodRatio(0, 0, 0, 0), EInvalidOp);
  EXPECT_THROW(LogLikelihoodRatio(5, -1, 2, 3), EInvalidOp);
  EXPECT_THROW(XLnX(-1), EInvalidOp);
  EXPECT_THROW(Log_Likelihood_SameCorpus_Dunning(10, 8, 2, 15), EInvalidOp);
}

// ---------------------------------------------------------------------------
// Dispersion and overlap

TEST(Dispersion, JuillandD) {
  EXPECT_FLOAT_EQ(DispersionValue(std::vector<Integer>{5, 5, 5}), 1.0f);
  EXPECT_EQ(DispersionValue(std::vector<Integer>{3, 9}), 0.0f);
  EXPECT_EQ(DispersionValue(std::vector<Integer>{0, 0, 0}), 0.0f);
  EXPECT_EQ(DispersionValue(std::vector<Integer>{0, 0, 0, 0, 0, 0, 0, 0, 0, 40}), 0.0f);
  // Lyne (1985), ALLEMAND over ten tenths of French business letters:
  // D = 0.6038797 from the frequencies relative to the part sizes.
  const double freq[] = {2, 0, 1, 1, 3, 0, 3, 0, 0, 0};
  const double size[] = {8143, 8058, 8271, 8125, 7959, 7941, 8146, 8001, 8003, 7930};
  std::vector<double> rates;
  for (int i = 0; i < 10; ++i) rates.push_back(freq[i] / size[i]);
  EXPECT_NEAR(DispersionValue(rates), 0.6038797, 1e-6);
}

TEST(Dispersion, CarrollD2) {
  EXPECT_FLOAT_EQ(RelativeEntropy({1, 1, 1, 1}), 1.0f);
  EXPECT_EQ(RelativeEntropy({4, 0, 0, 0}), 0.0f);
  EXPECT_EQ(RelativeEntropy({}), 0.0f);
  EXPECT_EQ(RelativeEntropy({9}), 0.0f);
  EXPECT_EQ(RelativeEntropy({0, 0}), 0.0f);
  EXPECT_NEAR(RelativeEntropy({1, 1, 2}), 1.5 / std::log2(3.0), 1e-7);
  // Counts whose sum needs 64 bits.
  EXPECT_FLOAT_EQ(RelativeEntropy({2000000000, 2000000000}), 1.0f);
}

TEST(Overlap, DiceOfArrays) {
  EXPECT_FLOAT_EQ(Dice_Coefficient({1, 2, 2}, {2, 3}), 0.4f);
  EXPECT_FLOAT_EQ(Dice_Coefficient({2, 2, 1}, {2, 2, 2}), 4.0f / 6);
  EXPECT_EQ(Dice_Coefficient({}, {1}), 0.0f);
  EXPECT_FLOAT_EQ(Dice_Coefficient(3, 4, 8), 0.5f);
  EXPECT_EQ(Dice_Coefficient(3, 0, 0), 0.0f);
}

TEST(Overlap, OverlapOfArrays) {
  // 1 pairs alone; 2 3 4 run together; longest run 3 of 5.
  EXPECT_FLOAT_EQ(Overlap_Coefficient({1, 2, 3, 4, 9}, {7, 2, 3, 4, 1}), 0.6f);
  // The second 5 of `a` pairs with the second 5 of `b`, after the first is used.
  EXPECT_FLOAT_EQ(Overlap_Coefficient({5, 6, 5, 7}, {5, 6, 5, 7, 8}), 1.0f);
  EXPECT_FLOAT_EQ(Overlap_Coefficient({5, 5}, {5, 1, 5}), 0.5f);
  EXPECT_EQ(Overlap_Coefficient(std::vector<Integer>{}, {1}), 0.0f);
  EXPECT_FLOAT_EQ(Overlap_Coefficient(3, 4, 6), 0.75f);
  EXPECT_EQ(Overlap_Coefficient(3, 0, 6), 0.0f);
}

// ---------------------------------------------------------------------------
// Utilities

TEST(Utilities, PercentAndSign) {
  EXPECT_FLOAT_EQ(NAsPercentOfTotal(1, 8), 12.5f);
  EXPECT_EQ(NAsPercentOfTotal(1, 0), 0.0f);
  EXPECT_EQ(NAsPercentOfTotal(1, -3), 0.0f);
  EXPECT_EQ(FloatCorrectedIfBelowZero(true, 2.5), -2.5);
  EXPECT_EQ(FloatCorrectedIfBelowZero(false, 2.5), 2.5);
}

TText_stats_rec StatsOf(const std::vector<double>& v) {
  const double n = v.size();
  const double mean = std::accumulate(v.begin(), v.end(), 0.0) / n;
  double ss = 0;
  for (double x : v) ss += (x - mean) * (x - mean);
  return {static_cast<Integer>(v.size()), static_cast<Single>(mean),
          static_cast<Single>(n > 1 ? std::sqrt(ss / (n - 1)) : 0)};
}

TEST(Utilities, MergedTextStatsPoolsTheGroups) {
  const std::vector<double> data = {3, 8, 1, 9, 4, 4, 12, 7, 2, 10, 6};
  for (std::size_t cut = 0; cut <= data.size(); ++cut) {
    const std::vector<double> a(data.begin(), data.begin() + cut), b(data.begin() + cut, data.end());
    const TText_stats_rec sa = a.empty() ? TText_stats_rec{} : StatsOf(a);
    const TText_stats_rec sb = b.empty() ? TText_stats_rec{} : StatsOf(b);
    const TText_stats_rec whole = StatsOf(data), merged = MergedTextStats(sa, sb);
    EXPECT_EQ(merged.n, whole.n) << cut;
    EXPECT_NEAR(merged.mean, whole.mean, 1e-5) << cut;
    EXPECT_NEAR(merged.std_dev, whole.std_dev, 1e-5) << cut;
  }
  EXPECT_EQ(MergedTextStats({}, {}).n, 0);
}

TEST(Utilities, TriangularTableRoundTrip) {
  EXPECT_EQ(SingleArrayLengthForXInterRelationships(4), 10);
  EXPECT_EQ(SingleArrayLengthForXInterRelationships(65536), 2147516416LL);
  for (Integer n = 1; n <= 9; ++n) {
    std::set<Int64> seen;
    for (Integer y = 0; y < n; ++y)
      for (Integer x = 0; x < n; ++x) {
        const Int64 pos = SingleArrayPosForXYValue(x, y, n);
        if (x == y) {
          EXPECT_EQ(pos, -1);
          continue;
        }
        EXPECT_EQ(pos, SingleArrayPosForXYValue(y, x, n));
        EXPECT_EQ(SingleArrayPosForXYValue1Based(x + 1, y + 1, n), pos + 1);
        if (x < y) continue;
        EXPECT_TRUE(pos >= 0 && pos < Int64{n} * (n - 1) / 2) << n << " " << x << " " << y;
        seen.insert(pos);
        Integer bx, by;
        XYFromSingleArrayPosPos(pos, n, bx, by);
        EXPECT_EQ(bx, x);
        EXPECT_EQ(by, y);
      }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(n) * (n - 1) / 2);
  }
  // The walk order: (1,0) (2,0) (3,0) (2,1) (3,1) (3,2) for n = 4.
  Integer x, y;
  XYFromSingleArrayPosPos(3, 4, x, y);
  EXPECT_EQ(x, 2);
  EXPECT_EQ(y, 1);
  // A large table, positions beyond 32 bits.
  const Integer big = 100000;
  const Int64 last = SingleArrayPosForXYValue(big - 1, big - 2, big);
  EXPECT_EQ(last, Int64{big} * (big - 1) / 2 - 1);
  XYFromSingleArrayPosPos(last, big, x, y);
  EXPECT_EQ(x, big - 1);
  EXPECT_EQ(y, big - 2);
}

TEST(Utilities, TriangularTableOutOfRange) {
  struct Case {
    Integer x, y, n;
  } cases[] = {{-1, 2, 5}, {2, -1, 5}, {5, 0, 5}, {0, 7, 5}, {1, 0, 0}, {1, 0, -3}, {3, 3, 5}};
  for (const Case& c : cases) {
    EXPECT_EQ(SingleArrayPosForXYValue(c.x, c.y, c.n), -1) << c.x << " " << c.y << " " << c.n;
    EXPECT_EQ(SingleArrayPosForXYValue1Based(c.x + 1, c.y + 1, c.n), -1);
  }
  EXPECT_EQ(SingleArrayPosForXYValue1Based(0, 1, 5), -1);
  for (Int64 pos : {Int64{-1}, Int64{10}, Int64{1} << 40}) {
    Integer x = 0, y = 0;
    XYFromSingleArrayPosPos(pos, 5, x, y);
    EXPECT_EQ(x, -1);
    EXPECT_EQ(y, -1);
  }
}

TEST(Utilities, Bits) {
  struct Case {
    Integer bit;
    Cardinal value;
    bool set32;
  } cases[] = {{0, 1, true},   {0, 2, false},           {31, 0x80000000u, true}, {5, 0x20, true},
               {32, ~0u, false}, {-1, ~0u, false},      {16, 0x10000, true}};
  for (const Case& c : cases) {
    EXPECT_EQ(IsBitSet32(c.bit, c.value), c.set32) << c.bit;
    EXPECT_EQ(IsBitSet16(c.bit, static_cast<Word>(c.value)),
              c.set32 && c.bit < 16 && c.bit >= 0) << c.bit;
  }
  Cardinal v32 = 0;
  for (Integer b : {-1, 0, 31, 32, 100}) SetBit32(b, v32);
  EXPECT_EQ(v32, 0x80000001u);
  Word v16 = 0;
  for (Integer b : {-5, 3, 15, 16}) SetBit16(b, v16);
  EXPECT_EQ(v16, 0x8008);
  Integer a = 1, b = 2;
  SwapAround(a, b);
  EXPECT_EQ(a, 2);
  EXPECT_EQ(b, 1);
}

TEST(Utilities, SortsHonourTheFlagAndSurviveNaN) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  std::vector<Single> s;
  for (int i = 0; i < 200; ++i) s.push_back(i % 7 == 0 ? nan : static_cast<float>((i * 37) % 101));
  for (bool desc : {false, true}) {
    std::vector<Single> v = s;
    SortAnArrayOfSingles(v, desc);
    const auto first_nan = std::find_if(v.begin(), v.end(), [](float f) { return std::isnan(f); });
    EXPECT_TRUE(std::all_of(first_nan, v.end(), [](float f) { return std::isnan(f); }));
    EXPECT_EQ(v.end() - first_nan, 29);
    if (desc)
      EXPECT_TRUE(std::is_sorted(v.begin(), first_nan, std::greater<float>()));
    else
      EXPECT_TRUE(std::is_sorted(v.begin(), first_nan));
  }
  std::vector<long double> e = {3, -1, 2};
  SortAnArrayOfExtendeds(e, true);
  EXPECT_EQ(e, (std::vector<long double>{3, 2, -1}));
  std::vector<Integer> n = {3, -1, 2, std::numeric_limits<Integer>::min()};
  SortAnArrayOfIntegers(n, false);
  EXPECT_EQ(n, (std::vector<Integer>{std::numeric_limits<Integer>::min(), -1, 2, 3}));
}

TEST(Utilities, ShuffledNumbersArePermutations) {
  for (Integer limit : {0, 1, 2, 3, 10, 1000}) {
    TShuffledNumbers s(limit);
    ASSERT_EQ(s.Count(), limit);
    std::vector<Integer> got;
    for (Integer i = 0; i < limit; ++i) got.push_back(s.GetANumber(i));
    std::sort(got.begin(), got.end());
    for (Integer i = 0; i < limit; ++i) EXPECT_EQ(got[i], i);
    EXPECT_EQ(s.GetANumber(-1), -1);
    EXPECT_EQ(s.GetANumber(limit), -1);
  }
  EXPECT_EQ(TShuffledNumbers(-4).Count(), 0);
  // Seeded: repeatable.
  TShuffledNumbers a(50, 42), b(50, 42);
  for (Integer i = 0; i < 50; ++i) EXPECT_EQ(a.GetANumber(i), b.GetANumber(i));
}

TEST(Utilities, ShuffledNumbersAreUniform) {
  // Over 60000 seeds every order of three numbers turns up about 10000 times
  // (sd about 91); with a limit of 2 both orders turn up.
  std::map<std::vector<Integer>, int> orders;
  for (std::uint64_t seed = 0; seed < 60000; ++seed) {
    TShuffledNumbers s(3, seed);
    orders[{s.GetANumber(0), s.GetANumber(1), s.GetANumber(2)}]++;
  }
  ASSERT_EQ(orders.size(), 6u);
  for (const auto& [order, count] : orders) EXPECT_NEAR(count, 10000, 500);
  std::set<Integer> firsts;
  for (std::uint64_t seed = 0; seed < 64; ++seed) firsts.insert(TShuffledNumbers(2, seed).GetANumber(0));
  EXPECT_EQ(firsts.size(), 2u);
}

}  // namespace
}  // namespace cv
