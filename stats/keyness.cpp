// Keyness (log-likelihood, log ratio, percentage difference) and the
// one-degree-of-freedom p-value.
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "stats/checked_float.h"
#include "stats/maths_routines.h"

namespace cv {

using checked::Div;
using checked::Ln;
using checked::PositiveOrTinyDouble;
using checked::ToSingle;

namespace {

// ln(a / b) for positive a and b without letting the quotient overflow or
// lose its precision below the normal range (a count over a tiny substitute).
inline double LnOfRatio(double a, double b) {
  const double r = a / b;
  if (r >= std::numeric_limits<double>::min() && r <= std::numeric_limits<double>::max())
    return std::log(r);
  return Ln(a) - Ln(b);
}

inline Integer AbsCount(Integer v) {
  return v == std::numeric_limits<Integer>::min() ? std::numeric_limits<Integer>::max()
                                                  : std::abs(v);
}

}  // namespace

Single Log_Likelihood_Lancaster(double O1, double O2, double N1, double N2) {
  // Ordinary counts: O/E = O (N1 + N2) / ((O1 + O2) N), and a zero count adds
  // nothing (its substitute would add about -1e-321).
  if (O1 >= 0 && O2 >= 0 && N1 > 0 && N2 > 0 && O1 + O2 > 0) {
    const double observed = O1 + O2, total = N1 + N2;
    const double r1 = (O1 * total) / (observed * N1), r2 = (O2 * total) / (observed * N2);
    constexpr double lo = std::numeric_limits<double>::min(), hi = std::numeric_limits<double>::max();
    const bool ok1 = O1 == 0 || (r1 >= lo && r1 <= hi), ok2 = O2 == 0 || (r2 >= lo && r2 <= hi);
    if (ok1 && ok2) {
      const double t1 = O1 == 0 ? 0.0 : O1 * std::log(r1);
      const double t2 = O2 == 0 ? 0.0 : O2 * std::log(r2);
      return ToSingle(2.0 * (t1 + t2));
    }
  }
  O1 = PositiveOrTinyDouble(O1);
  O2 = PositiveOrTinyDouble(O2);
  N1 = PositiveOrTinyDouble(N1);
  N2 = PositiveOrTinyDouble(N2);
  const double observed = O1 + O2;
  const double total = N1 + N2;
  const double E1 = PositiveOrTinyDouble(observed * N1 / total);
  const double E2 = PositiveOrTinyDouble(observed * N2 / total);
  return ToSingle(2.0 * (O1 * LnOfRatio(O1, E1) + O2 * LnOfRatio(O2, E2)));
}

Single Log_Ratio(double a1, double a2, double b1, double b2) {
  auto relative = [](double a, double b) {
    double r = b <= 0 ? kTinySingle : a / b;
    return r == 0 ? kTinySingle : r;
  };
  return ToSingle(checked::Log2(Div(relative(a1, b1), relative(a2, b2))));
}

Single PercentDiff(TTwoIntegers o, TTwoIntegers n) {
  auto relative = [](double a, double b) { return b <= 0 ? kTinySingle : a / b; };
  const double r1 = relative(o.first, n.first);
  const double r2 = relative(o.second, n.second);
  return ToSingle(Div(r1 - r2, r2) * 100.0);
}

void KWStatsCalculated(TTwoIntegers o, TTwoIntegers n, TKeyword_entry_rec& rec) {
  rec = TKeyword_entry_rec{};
  rec.f[0] = AbsCount(o.first);
  rec.f[1] = AbsCount(o.second);
  const double O1 = rec.f[0], O2 = rec.f[1];
  const double N1 = n.first, N2 = n.second;
  try {
    rec.LogRatio = Log_Ratio(O1, O2, N1, N2);
    const double expected = Div(N1 * (O1 + O2), N1 + N2);
    const Single ll = Log_Likelihood_Lancaster(O1, O2, N1, N2);
    rec.LL = ll;
    rec.BIC_Score = ToSingle(ll - Ln(N1 + N2));
    if (O1 < expected) {
      rec.LL = -ll;
      rec.negative_score = true;
    }
  } catch (const EZeroDivide&) {
    rec.LL = rec.LogRatio = 1.0f;
  } catch (const EInvalidOp&) {
    rec.LL = rec.LogRatio = 1.0f;
  } catch (const EOverflow&) {
    rec.LL = rec.LogRatio = 1.0f;
  }
}

// ---------------------------------------------------------------------------

double Log_Gamma(double x) {
  if (!std::isfinite(x)) return 0;
  // The product loop below is exact enough and cheap for small x; beyond that
  // it would cost one logarithm per unit of x.
  if (x > 32) return std::lgamma(x);
  constexpr double kLnSqrtPi = 0.57236494292470008707;  // ln Gamma(1/2)
  double a = x - 1;
  double sum = 0;
  while (a > 0) {
    sum += std::log(a);
    a -= 1;
  }
  if (a < 0) sum += kLnSqrtPi;
  return sum;
}

namespace {

// Factors of the incomplete gamma series: t_k = t_(k-2) z^2 / ((k - 0.5)(k + 0.5)).
// Stepping two terms at a time leaves two independent chains of products,
// which halves the latency of the loop.
struct SeriesFactors {
  static constexpr std::size_t kSize = 256;
  std::array<double, kSize> pair{};
  SeriesFactors() {
    for (std::size_t k = 2; k < kSize; ++k)
      pair[k] = 1.0 / ((static_cast<double>(k) - 0.5) * (static_cast<double>(k) + 0.5));
  }
};

}  // namespace

Single Norberto(Single x) {
  const double a = std::fabs(static_cast<double>(x));
  if (std::isnan(a)) checked::ThrowInvalidOp();
  if (a > 35) {
    const double y = a - 34;
    return ToSingle(0.8 / (1e9 * y * y * y));
  }
  if (a < 1) return 0.99f;
  // P(1/2, z) = z^(1/2) e^-z / Gamma(3/2) * sum_k z^k / (1.5 * 2.5 * ... * (k + 0.5)).
  // The prefactor is formed as sqrt(z) * e^-z rather than through exp of a
  // sum of logarithms: at z = 17.5 that sum carries an absolute rounding of
  // about 4e-15, which becomes a 1e-6 relative error of a 3e-9 tail.
  static const double inv_gamma_1_5 = std::exp(-Log_Gamma(1.5));
  static const SeriesFactors series;
  const double z = a / 2;
  const double e = std::sqrt(z) * std::exp(-z) * inv_gamma_1_5;
  if (e == 0) return 0.0f;
  // d = sum of t_k from t_0 = 1, t_k = t_(k-1) z / (k + 0.5), summed until
  // the terms no longer change d (every later term is smaller still).
  const double z2 = z * z;
  double even = 1, odd = z / 1.5;
  double d = even + odd;
  for (std::size_t k = 2; k + 1 < SeriesFactors::kSize; k += 2) {
    even *= z2 * series.pair[k];
    odd *= z2 * series.pair[k + 1];
    const double next = d + (even + odd);
    if (next == d) break;
    d = next;
  }
  return ToSingle(1.0 - e * d);
}

}  // namespace cv
